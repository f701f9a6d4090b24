#include "TfrmAllegaCartella.h"

#include "common/ui/Context.h"
#include "common/ui/UserTexts.h"
#include "storage/CountedString.h"
#include "storage/MessageBreaks.h"
#include "storage/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace rf {

namespace {

const QString OverwriteQuestion = QStringLiteral(
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome." RF_BREAK_CR_LF
    "Si vuole sovrascrivere il file esistente?");
const QString ClearIcon = QStringLiteral(":/toolbar/clear.svg");
constexpr int ClientWidth = 700;
constexpr int ClientHeight = 352;
constexpr int IconSize = 20;

QString ordinal(int index)
{
    return QString::number(index + 1) + QChar(0x00B0);
}

QString controlName(const char* prefix, int index)
{
    return QLatin1String(prefix) + QStringLiteral("0%1").arg(index + 1);
}

QLabel* makeCaption(const QString& text, QWidget* buddy)
{
    QLabel* label = Style::caption(text, 12);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(Context& context, QWidget* owner)
    : FixedDialog(context, owner, QStringLiteral("frmAllegaCartella"), QStringLiteral(" Allega file"),
                  QSize(ClientWidth, ClientHeight))
{
    setStyleSheet(Style::sheet(QStringLiteral(
        "QFrame#slotPanel { background: @PanelWash; border: 1px solid @PanelBorder; border-radius: 6px; }"
        "QLineEdit { background: white; border: 1px solid @EditBorder; border-radius: 3px; padding: 2px 4px;"
        " min-height: 20px; }"
        "QLineEdit:focus { border: 1px solid @SteelBlue; }"
        "QLineEdit[readOnly=\"true\"] { background: @ReadOnlyFill; color: @ReadOnlyText; font-weight: bold; }"
        "QToolButton { border: none; background: transparent; }"
        "QToolButton:hover { background: @HoverWash; border-radius: 3px; }")));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(10);
    for (int i = 0; i < 3; ++i)
        layout->addWidget(buildSlot(i));
    layout->addStretch(1);

    m_btnApplica =
        Style::button(QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"), QSize(130, 28));
    m_btnAnnulla = Style::button(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QSize(100, 28));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch(1);
    buttons->addWidget(m_btnApplica);
    buttons->addWidget(m_btnAnnulla);
    layout->addLayout(buttons);

    connect(m_btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(m_slots[0].txtDesc, m_slots[1].txtDesc);
    setTabOrder(m_slots[1].txtDesc, m_slots[2].txtDesc);
    setTabOrder(m_slots[2].txtDesc, m_btnApplica);
    setTabOrder(m_btnApplica, m_btnAnnulla);
}

QWidget* TfrmAllegaCartella::buildSlot(int index)
{
    Slot& slot = m_slots[index];
    slot.txtFile = new QLineEdit;
    slot.txtFile->setObjectName(controlName("txtFile", index));
    slot.txtFile->setReadOnly(true);
    slot.txtFile->setFocusPolicy(Qt::NoFocus);
    QFont bold = slot.txtFile->font();
    bold.setBold(true);
    slot.txtFile->setFont(bold);
    slot.txtDesc = new QLineEdit;
    slot.txtDesc->setObjectName(controlName("txtDesc", index));
    slot.btnSfoglia =
        Style::button(controlName("btnSfoglia", index), QStringLiteral("Sfoglia..."), QSize(84, 28));
    slot.btnApri = Style::button(controlName("btnApri", index), QStringLiteral("Apri"), QSize(60, 28));
    slot.btnApri->setEnabled(false);
    slot.imgCancella = new QToolButton;
    slot.imgCancella->setObjectName(controlName("imgCancella", index));
    slot.imgCancella->setIcon(Style::pictureIcon(ClearIcon, QSize(IconSize, IconSize)));
    slot.imgCancella->setIconSize(QSize(IconSize, IconSize));
    slot.imgCancella->setFixedSize(IconSize + 6, IconSize + 6);
    slot.imgCancella->setCursor(Qt::PointingHandCursor);
    slot.imgCancella->setFocusPolicy(Qt::NoFocus);

    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("slotPanel"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->setColumnMinimumWidth(0, 200);
    grid->setColumnStretch(1, 1);
    grid->addWidget(makeCaption(QStringLiteral("Nome %1 file allegato:").arg(ordinal(index)), slot.txtFile),
                    0, 0);
    grid->addWidget(slot.txtFile, 0, 1);
    grid->addWidget(slot.imgCancella, 0, 2);
    grid->addWidget(slot.btnSfoglia, 0, 3);
    grid->addWidget(slot.btnApri, 0, 4);
    grid->addWidget(
        makeCaption(QStringLiteral("Descrizione %1 file allegato:").arg(ordinal(index)), slot.txtDesc), 1, 0);
    grid->addWidget(slot.txtDesc, 1, 1, 1, 4);

    connect(slot.txtFile, &QLineEdit::textChanged, this, [this, index] { updateApri(index); });
    connect(slot.btnSfoglia, &QPushButton::clicked, this, [this, index] { btnSfogliaClick(index); });
    connect(slot.btnApri, &QPushButton::clicked, this, [this, index] { btnApriClick(index); });
    connect(slot.imgCancella, &QToolButton::clicked, slot.txtFile, &QLineEdit::clear);
    return panel;
}

void TfrmAllegaCartella::setValues(const AttachmentValues& values)
{
    for (int i = 0; i < 3; ++i) {
        m_slots[i].txtFile->setText(trimControl(values.file[i]));
        m_slots[i].txtDesc->setText(trimControl(values.desc[i]));
    }
}

AttachmentValues TfrmAllegaCartella::values() const
{
    AttachmentValues out;
    for (int i = 0; i < 3; ++i) {
        out.file[i] = trimControl(m_slots[i].txtFile->text());
        out.desc[i] = trimControl(m_slots[i].txtDesc->text());
    }
    return out;
}

void TfrmAllegaCartella::updateApri(int index)
{
    m_slots[index].btnApri->setEnabled(!trimControl(m_slots[index].txtFile->text()).isEmpty());
}

void TfrmAllegaCartella::btnSfogliaClick(int index)
{
    // No starting folder: the platform's dialog opens where the user last picked a file.
    const QString chosen = m_context.dialogs().openFile(
        this, QStringLiteral("Selezionare il file da allegare:"), QString(), Style::AllFilesFilter);
    if (chosen.isEmpty())
        return;
    m_slots[index].txtFile->setText(QFileInfo(QDir::fromNativeSeparators(chosen)).fileName());
    // Whatever happens to the copy, the slot keeps the chosen name; failures stay silent, except a
    // link in the attachments folder, which is never written through.
    const QString name = QFileInfo(QDir::fromNativeSeparators(chosen)).fileName();
    if (attachFile(m_context.dataFolder(), chosen, [this] {
            return m_context.messages().confirm(this, OverwriteQuestion);
        }) == AttachResult::Link)
        m_context.messages().warning(this, Texts::linkRefused(name));
}

void TfrmAllegaCartella::btnApriClick(int index)
{
    const QString name = trimControl(m_slots[index].txtFile->text());
    const QString path = attachedFilePath(m_context.dataFolder(), name);
    if (path.isEmpty()) {
        // A name that points outside the attachments folder (a damaged or hostile archive).
        m_context.messages().warning(
            this, QStringLiteral("Attenzione: il file allegato \"") + name +
                      QStringLiteral("\" non si trova nella cartella dei documenti allegati." RF_BREAK_LF_CR
                                     "Il file non "
                                     "verrà aperto."));
        return;
    }
    m_context.shell().open(QLatin1Char('"') + path + QLatin1Char('"'));
}

void TfrmAllegaCartella::btnApplicaClick()
{
    if (lblMemory != AttachmentOwner::None)
        accept();
}

} // namespace rf
