#include "TfrmClienti.h"

#include "common/ui/Form.h"
#include "common/ui/PictureButton.h"
#include "storage/Amounts.h"
#include "storage/Cp1252.h"
#include "storage/TextSearch.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace rf {

namespace {

constexpr int ClientWidth = 800;
constexpr int ClientHeight = 470;

// The columns of a line: name, fiscal code, town, date of the last rental, rentals.
constexpr int NameWidth = 22;
constexpr int CodeWidth = 16;
constexpr int TownWidth = 14;
constexpr int DateWidth = 10;
constexpr int CountWidth = 5;
const QString Gap = QStringLiteral("  ");

QString columns(const QString& name, const QString& code, const QString& town, const QString& date,
                const QString& count)
{
    return fit(name, NameWidth) + Gap + fit(code, CodeWidth) + Gap + fit(town, TownWidth) + Gap +
           fit(date, DateWidth) + Gap + count.rightJustified(CountWidth);
}

QString promptText()
{
    return QStringLiteral("Digitare almeno %1 caratteri del cognome e nome o del codice fiscale.")
        .arg(Contracts::CustomerRegister::MinQueryLength);
}

QString foundText(std::size_t count)
{
    if (count == 0)
        return QStringLiteral("Nessun cliente trovato.");
    return count == 1 ? QStringLiteral("1 cliente trovato.")
                      : QStringLiteral("%1 clienti trovati.").arg(count);
}

} // namespace

QString TfrmClienti::lineOf(const Contracts::Customer& customer)
{
    return columns(customer.value(QStringLiteral("Cliente")), customer.value(QStringLiteral("CodFisc")),
                   customer.value(QStringLiteral("ComuneRes")),
                   customer.lastRental.isValid() ? formatDate(customer.lastRental) : QString(),
                   QString::number(customer.rentals));
}

TfrmClienti::TfrmClienti(Context& context, QWidget* owner, const Contracts::CustomerRegister& customers)
    : FixedDialog(context, owner, QStringLiteral("frmClienti"), QStringLiteral(" Clienti"),
                  QSize(ClientWidth, ClientHeight)),
      m_customers(customers)
{
    m_txtCerca = new QLineEdit(this);
    m_txtCerca->setObjectName(QStringLiteral("txtCerca"));
    m_txtCerca->setFont(Style::font(Style::Family::Verdana, 12, true));
    m_txtCerca->setMaxLength(50);
    Form::highlightByBackground(m_txtCerca);

    QLabel* header = buildList();
    QPushButton* btnChiudi = buildButtons();
    connectSearch();
    layOut(header, btnChiudi);
}

QLabel* TfrmClienti::buildList()
{
    const QFont listFont = Style::pointFont(Style::Family::CourierNew, 12);
    auto* header =
        new QLabel(columns(QStringLiteral("Cognome e nome"), QStringLiteral("Codice fiscale"),
                           QStringLiteral("Comune"), QStringLiteral("Ultimo"), QStringLiteral("Volte")),
                   this);
    header->setObjectName(QStringLiteral("lblColonne"));
    header->setFont(listFont);
    header->setStyleSheet(
        Style::sheet(QStringLiteral("color: @Navy; background: transparent; font-weight: bold;")));

    m_lstClienti = makeLineList(&m_model);
    m_lstClienti->setParent(this);
    m_lstClienti->setObjectName(QStringLiteral("lstClienti"));
    m_lstClienti->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded); // the lines fit the dialog
    m_lstClienti->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const int pitch = QFontMetrics(listFont).horizontalAdvance(QLatin1Char('M'));
    m_model.setItemWidth(int(header->text().size()) * pitch + 8);
    connect(m_lstClienti, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { choose(index.row()); });
    return header;
}

QPushButton* TfrmClienti::buildButtons()
{
    m_lblTrovati = Style::caption(promptText(), 12, this);
    m_lblTrovati->setObjectName(QStringLiteral("lblTrovati"));
    m_lblTrovati->setStyleSheet(Style::sheet(QStringLiteral("color: @DarkCyan; background: transparent;")));

    m_btnScegli = Style::button(QStringLiteral("btnScegli"), QStringLiteral("Scegli"), QSize(110, 32), this);
    QPushButton* btnChiudi =
        Style::button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QSize(110, 32), this);
    m_btnScegli->setEnabled(false);
    connect(m_btnScegli, &QPushButton::clicked, this, &TfrmClienti::btnScegliClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    return btnChiudi;
}

void TfrmClienti::connectSearch()
{
    connect(m_txtCerca, &QLineEdit::textChanged, this, &TfrmClienti::refresh);
    // Enter in the search goes on to the list, on the line that is current (the first found);
    // the down arrow goes on as if pressed in the list, so the second customer is Down, Enter.
    Form::onEvent(m_txtCerca, [this](QEvent* e) {
        if (e->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Down)
            return false;
        if (m_model.rowCount() > 0) {
            const QModelIndex current = m_lstClienti->currentIndex();
            int row = current.isValid() ? current.row() : 0;
            if (key == Qt::Key_Down && current.isValid() && row + 1 < m_model.rowCount())
                ++row;
            m_lstClienti->setCurrentIndex(m_model.index(row));
            m_lstClienti->setFocus(Qt::TabFocusReason);
        }
        return true; // never on to the dialog, where it would press a button
    });
}

void TfrmClienti::layOut(QLabel* header, QPushButton* btnChiudi)
{
    auto* searchRow = new QHBoxLayout;
    searchRow->setSpacing(8);
    searchRow->addWidget(
        SvgPicture::create(QStringLiteral(":/toolbar/find.svg"), QStringLiteral("imgLente"), QSize(28, 28)));
    searchRow->addWidget(m_txtCerca, 1);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(16);
    bottom->addWidget(m_lblTrovati, 1);
    bottom->addWidget(m_btnScegli);
    bottom->addWidget(btnChiudi);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(8);
    layout->addWidget(explanationPanel(
        QStringLiteral(":/toolbar/find.svg"),
        QStringLiteral(
            "Per richiamare un cliente che ha già noleggiato digitare una parte del cognome e nome o "
            "del codice fiscale, poi scegliere il cliente con un doppio clic o con Scegli: i suoi "
            "dati e quelli del documento passano nel contratto.")));
    layout->addLayout(searchRow);
    auto* listColumn = new QVBoxLayout;
    listColumn->setSpacing(2);
    listColumn->addWidget(header);
    listColumn->addWidget(m_lstClienti, 1);
    layout->addLayout(listColumn, 1);
    layout->addLayout(bottom);
    // The header lines up with the text of the lines below it.
    header->setContentsMargins(m_lstClienti->frameWidth() + 3, 0, 0, 0);

    setTabOrder(m_txtCerca, m_lstClienti);
    setTabOrder(m_lstClienti, m_btnScegli);
    setTabOrder(m_btnScegli, btnChiudi);
}

void TfrmClienti::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    if (!event->spontaneous())
        m_txtCerca->setFocus(Qt::OtherFocusReason);
}

void TfrmClienti::refresh()
{
    const QString text = m_txtCerca->text();
    m_found = m_customers.find(text);
    std::vector<ListEntry> entries;
    entries.reserve(m_found.size());
    for (std::size_t i = 0; i < m_found.size(); ++i)
        entries.push_back({Cp1252::encode(lineOf(*m_found[i])), qint64(i)});
    m_model.setEntries(std::move(entries), false); // newest first, as found
    if (!m_found.empty())
        m_lstClienti->setCurrentIndex(m_model.index(0));
    m_btnScegli->setEnabled(!m_found.empty());
    m_lblTrovati->setText(text.trimmed().size() < Contracts::CustomerRegister::MinQueryLength
                              ? promptText()
                              : foundText(m_found.size()));
}

void TfrmClienti::btnScegliClick()
{
    choose(m_lstClienti->currentIndex().row());
}

void TfrmClienti::choose(int row)
{
    if (row < 0 || std::size_t(row) >= m_found.size())
        return;
    m_chosen = *m_found[std::size_t(row)];
    accept();
}

} // namespace rf
