#pragma once

#include <QAccessible>
#include <QString>

#include <vector>

namespace rf::Test {

// Records the accessibility events the program sends while it lives, as the bridge to a screen
// reader receives them. Qt hands events to its update handler only while a screen reader is
// active, which never happens under the offscreen platform; the platform's bridges get them
// always, so the recorder is such a bridge, built into the test program.
class AccessibleEvents {
public:
    // An event and what it is about: the object's name and, for a table cell, its row and column.
    struct Event {
        QAccessible::Event type;
        QString name;
        int row = -1;
        int column = -1;
    };

    AccessibleEvents();
    ~AccessibleEvents();
    AccessibleEvents(const AccessibleEvents&) = delete;
    AccessibleEvents& operator=(const AccessibleEvents&) = delete;

    const std::vector<Event>& events() const { return m_events; }
    // The events of one type, in the order sent.
    std::vector<Event> ofType(QAccessible::Event type) const;
    void clear() { m_events.clear(); }

    void record(QAccessibleEvent* event);

private:
    std::vector<Event> m_events;
};

} // namespace rf::Test
