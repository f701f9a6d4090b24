#pragma once

#include <QWidget>

namespace rf {

// One day of the planning grid: its number on a lavender tile when the day is free, on a red one
// when it is booked. Each day has one of each, and the grid shows the one that applies.
class DayTile : public QWidget {
    Q_OBJECT
public:
    DayTile(int slot, int day, bool booked, QWidget* parent = nullptr);

    int slot() const { return m_slot; }

signals:
    void clicked(int slot);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int m_slot;
    QString m_day;
    bool m_booked;
    bool m_pressed = false;
};

} // namespace rf
