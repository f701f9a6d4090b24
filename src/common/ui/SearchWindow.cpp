#include "SearchWindow.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/UserTexts.h"
#include "storage/ArchiveFile.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace rf {

SearchWindow::SearchWindow(Context& context, QWidget* owner, const Look& look, ListSource source,
                           const std::vector<SearchFilterDef>& filters, const QString& explanation)
    : ListWindow(context, owner, look, std::move(source)), m_definitions(filters)
{
    m_panAvvio = buildFilters(explanation);
    panels()->insertWidget(0, m_panAvvio);
    panels()->setCurrentWidget(m_panAvvio);
}

QWidget* SearchWindow::buildFilters(const QString& explanation)
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("panAvvio"));
    QFrame* fields = buildFilterFields();
    QHBoxLayout* bottom = buildSearchRow();
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(explanationPanel(QStringLiteral(":/toolbar/find.svg"), explanation));
    layout->addWidget(fields, 1);
    layout->addLayout(bottom);
    return panel;
}

QFrame* SearchWindow::buildFilterFields()
{
    auto* fields = new QFrame;
    fields->setObjectName(QStringLiteral("panFiltri"));
    fields->setStyleSheet(
        Style::sheet(QStringLiteral("QFrame#panFiltri { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                    "stop:0 %1, stop:1 @White);"
                                    " border: 1px solid @PanelBorder; border-radius: 6px; }"))
            .arg(Style::css(Style::FilterTop)));
    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(12, 8, 12, 8);
    grid->setHorizontalSpacing(20);
    grid->setVerticalSpacing(4);
    std::vector<QWidget*> chain;
    for (std::size_t i = 0; i < m_definitions.size(); ++i) {
        const SearchFilterDef& definition = m_definitions[i];
        auto* edit = new QLineEdit;
        edit->setObjectName(QLatin1String(definition.edit));
        edit->setFont(Style::font(Style::Family::Verdana, 12, true));
        edit->setStyleSheet(Style::sheet(QStringLiteral("QLineEdit { background: white; border: 1px solid"
                                                        " @EditBorder; padding: 1px 3px; }")));
        grid->addWidget(filterCell(definition, edit), int(i / 2), int(i % 2));
        m_filters.push_back({edit, source().layout->indexOf(QLatin1String(definition.field))});
        chain.push_back(edit);
    }
    Form::enterChain(chain);
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    // Ctrl+Enter searches from any filter; plain Enter keeps walking them.
    for (QWidget* edit : chain) {
        Form::onEvent(edit, [this](QEvent* e) {
            if (e->type() != QEvent::KeyPress)
                return false;
            const auto* key = static_cast<QKeyEvent*>(e);
            if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
                !(key->modifiers() & Qt::ControlModifier))
                return false;
            m_btnCerca->click();
            return true;
        });
    }
    return fields;
}

QWidget* SearchWindow::filterCell(const SearchFilterDef& definition, QLineEdit* edit)
{
    // The label sits on its field, lined up with the edit inside the highlight's reach; the
    // rows share the panel's height between them.
    QLabel* label = Style::caption(QString::fromUtf8(definition.label), 12);
    label->setBuddy(edit);
    label->setContentsMargins(4, 0, 0, 0);
    auto* cell = new QWidget;
    cell->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* stack = new QVBoxLayout(cell);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(label);
    stack->addWidget(Form::highlightByRectangle(edit, QLatin1String(definition.eff)));
    return cell;
}

QHBoxLayout* SearchWindow::buildSearchRow()
{
    m_lblAttendere = Style::caption(QStringLiteral("Ricerca schede in corso. Attendere..."), 12);
    m_lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    m_lblAttendere->hide();
    QPushButton* btnCerca =
        Style::button(QStringLiteral("btnCerca"), QStringLiteral("Cerca"), QSize(110, 32));
    m_btnCerca = btnCerca;
    btnCerca->setToolTip(QStringLiteral("Cerca (Ctrl+Invio da qualsiasi campo)"));
    QLabel* keys = Style::caption(QStringLiteral("Ctrl+Invio: Cerca da qualsiasi campo"), 11);
    keys->setObjectName(QStringLiteral("lblTastiCerca"));
    QPushButton* btnAnnulla =
        Style::button(QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"), QSize(110, 32));
    connect(btnCerca, &QPushButton::pressed, m_lblAttendere, [this] {
        m_lblAttendere->show();
        m_lblAttendere->repaint();
    });
    connect(btnCerca, &QPushButton::clicked, this, &SearchWindow::btnCercaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_lblAttendere);
    bottom->addStretch(1);
    bottom->addWidget(keys);
    bottom->addSpacing(8);
    bottom->addWidget(btnCerca);
    bottom->addWidget(btnAnnulla);
    return bottom;
}

QLineEdit* SearchWindow::filterEdit(const QString& name) const
{
    for (const Filter& filter : m_filters) {
        if (filter.edit->objectName() == name)
            return filter.edit;
    }
    return nullptr;
}

void SearchWindow::showEvent(QShowEvent* event)
{
    ListWindow::showEvent(event);
    if (!event->spontaneous() && panels()->currentWidget() == m_panAvvio)
        m_filters.front().edit->setFocus(Qt::OtherFocusReason);
}

void SearchWindow::done(int result)
{
    m_lblAttendere->hide();
    ListWindow::done(result);
}

void SearchWindow::btnCercaClick()
{
    FieldFilters filters;
    for (const Filter& filter : m_filters)
        filters.add(filter.field, filter.edit->text());
    lblConta = QString::number(filters.activeCount());
    const ScanResult result = fill([&filters](const RecordView& record) { return filters.matches(record); });
    m_lblAttendere->hide();
    if (result == ScanResult::Failed) {
        m_context.messages().plain(
            this, Texts::archiveAccess(m_context.path(source().archive), Texts::Access::Read));
        return;
    }
    if (result == ScanResult::Done)
        showResults();
}

} // namespace rf
