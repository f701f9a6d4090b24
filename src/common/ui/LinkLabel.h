#pragma once

#include <QLabel>
#include <QString>

class QHBoxLayout;

namespace rf {

class Context;

// An underlined link text (Tahoma 14, dark blue) that opens its target through the shell-open
// service. While the mouse button is held on the text or on an attached icon the text turns
// orange; releasing turns it dark blue again, and a release over the pressed control is a click.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(Context& context, const QString& text, const QString& target, QWidget* parent = nullptr);

    const QString& target() const { return m_target; }
    void setTarget(const QString& target) { m_target = target; }

    // Makes a picture beside the link behave as part of it.
    void attachIcon(QWidget* icon);

    QColor textColor() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setTextColor(QRgb colour);
    void press();
    void release(QWidget* source, const QPoint& localPos);

    Context& m_context;
    QString m_target;
    bool m_pressed = false;
};

// A row holding the link lnkWeb after its icon: the picture iconResource, named iconName, drawn
// into iconBox inside a square of iconSide. Clicking either opens target.
QHBoxLayout* linkRow(Context& context, const QString& text, const QString& target,
                     const QString& iconResource, const QString& iconName, int iconBox, int iconSide);

} // namespace rf
