// The bridge below is a plugin built into the test program.
#define QT_STATICPLUGIN

#include "AccessibleEvents.h"

#include <QAccessibleBridge>
#include <QAccessibleBridgePlugin>
#include <QtPlugin>

namespace rf::Test {

namespace {

AccessibleEvents* recorder = nullptr;

class RecordingBridge final : public QAccessibleBridge {
public:
    void setRootObject(QAccessibleInterface*) override {}
    void notifyAccessibilityUpdate(QAccessibleEvent* event) override
    {
        if (recorder)
            recorder->record(event);
    }
};

} // namespace

AccessibleEvents::AccessibleEvents()
{
    Q_ASSERT(!recorder);
    recorder = this;
}

AccessibleEvents::~AccessibleEvents()
{
    recorder = nullptr;
}

void AccessibleEvents::record(QAccessibleEvent* event)
{
    Event kept{event->type(), {}};
    // An object being destroyed is asked nothing.
    if (event->type() == QAccessible::ObjectDestroyed) {
        m_events.push_back(kept);
        return;
    }
    if (QAccessibleInterface* about = event->accessibleInterface()) {
        kept.name = about->text(QAccessible::Name);
        if (QAccessibleTableCellInterface* cell = about->tableCellInterface()) {
            kept.row = cell->rowIndex();
            kept.column = cell->columnIndex();
        }
    }
    m_events.push_back(kept);
}

std::vector<AccessibleEvents::Event> AccessibleEvents::ofType(QAccessible::Event type) const
{
    std::vector<Event> found;
    for (const Event& event : m_events) {
        if (event.type == type)
            found.push_back(event);
    }
    return found;
}

} // namespace rf::Test

// Outside any namespace, as the plugin macros require.
class RotafluxTestEventsPlugin final : public QAccessibleBridgePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QAccessibleBridgeFactoryInterface_iid FILE "AccessibleEvents.json")
public:
    QAccessibleBridge* create(const QString&) override { return new rf::Test::RecordingBridge; }
};

Q_IMPORT_PLUGIN(RotafluxTestEventsPlugin)

#include "AccessibleEvents.moc"
