#include "TfrmCartella.h"

#include "app/DataFolder.h"
#include "common/ui/Context.h"
#include "common/ui/FixedDialog.h"
#include "common/ui/Style.h"
#include "storage/MessageBreaks.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rf {

TfrmCartella::TfrmCartella(Messages& messages, std::function<QString(QWidget*, const QString&)> pickFolder,
                           QString programFolder, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_pickFolder(std::move(pickFolder)),
      m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("frmCartella"));
    setWindowTitle(QStringLiteral(" Rotaflux - Cartella dei dati"));
    fixedFrame(this, QSize(620, 250));
    Style::gradientBackground(this);

    auto* lblSpiegazione = new QLabel(
        QStringLiteral("Scegliere la cartella in cui Rotaflux conserva i dati: archivi, prenotazioni, foto e "
                       "allegati. Per condividerli con altre postazioni, scegliere una cartella di rete "
                       "comune. La scelta viene ricordata."),
        this);
    lblSpiegazione->setObjectName(QStringLiteral("lblSpiegazione"));
    lblSpiegazione->setWordWrap(true);
    lblSpiegazione->setFont(Style::font(Style::Family::Verdana, 13, true));
    lblSpiegazione->setStyleSheet(Style::sheet(QStringLiteral("color: white; background: transparent;")));

    QLabel* titCartella = Style::caption(QStringLiteral("Cartella dei dati:"), 13, this);
    m_txtCartella = new QLineEdit(QDir::toNativeSeparators(DataFolder::suggested()), this);
    m_txtCartella->setObjectName(QStringLiteral("txtCartella"));
    m_txtCartella->setFixedHeight(28);
    titCartella->setBuddy(m_txtCartella);
    QPushButton* btnSfoglia =
        Style::button(QStringLiteral("btnSfoglia"), QStringLiteral("Sfoglia..."), QSize(100, 28), this);
    QPushButton* btnContinua =
        Style::button(QStringLiteral("btnContinua"), QStringLiteral("Continua"), QSize(110, 32), this);
    QPushButton* btnEsci =
        Style::button(QStringLiteral("btnEsci"), QStringLiteral("Esci"), QSize(110, 32), this);
    connect(btnSfoglia, &QPushButton::clicked, this, &TfrmCartella::btnSfogliaClick);
    connect(btnContinua, &QPushButton::clicked, this, &TfrmCartella::btnContinuaClick);
    connect(btnEsci, &QPushButton::clicked, this, &QDialog::reject);
    // Enter in the folder's field goes on, as Continua does.
    connect(m_txtCartella, &QLineEdit::returnPressed, this, &TfrmCartella::btnContinuaClick);

    auto* row = new QHBoxLayout;
    row->addWidget(m_txtCartella, 1);
    row->addWidget(btnSfoglia);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnContinua);
    buttons->addWidget(btnEsci);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(lblSpiegazione);
    layout->addWidget(titCartella);
    layout->addLayout(row);
    layout->addStretch(1);
    layout->addLayout(buttons);
    m_txtCartella->setFocus(Qt::OtherFocusReason);
}

void TfrmCartella::btnSfogliaClick()
{
    const QString picked = m_pickFolder(this, QDir::fromNativeSeparators(m_txtCartella->text().trimmed()));
    if (!picked.isEmpty())
        m_txtCartella->setText(QDir::toNativeSeparators(picked));
}

void TfrmCartella::btnContinuaClick()
{
    const QString folder = QDir::fromNativeSeparators(m_txtCartella->text().trimmed());
    if (folder.isEmpty() || QDir::isRelativePath(folder)) {
        m_messages.warning(
            this, QStringLiteral("Attenzione: indicare il percorso completo della cartella dei dati."));
        m_txtCartella->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!DataFolder::prepare(folder, m_programFolder, DataFolder::Create::IfMissing)) {
        m_messages.warning(this, QStringLiteral("Attenzione: non è stato possibile usare la cartella ") +
                                     QDir::toNativeSeparators(folder) +
                                     QStringLiteral("." RF_BREAK_LF_CR
                                                    "Accertarsi di possedere i privilegi di scrittura nella "
                                                    "cartella scelta, oppure sceglierne un'altra."));
        m_txtCartella->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_chosen = QDir(folder).absolutePath();
    accept();
}

} // namespace rf
