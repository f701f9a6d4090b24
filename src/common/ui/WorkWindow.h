#pragma once

#include <QWidget>

namespace rf {

class Context;

// A persistent window: created once, then only shown and hidden. Closing it, by its own exit
// button or by the title bar, hides it and emits closed() so the application shows the next one.
class WorkWindow : public QWidget {
    Q_OBJECT
public:
    WorkWindow(Context& context, const QString& objectName, const QString& caption, QWidget* parent = nullptr);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Runs before closed() is emitted; a window writes what it must keep here.
    virtual void beforeClose() {}

    Context& m_context;
};

} // namespace rf
