#pragma once

#include <QWidget>

class QSvgRenderer;

namespace rf {

// A built-in SVG picture drawn as large as the widget allows, proportions kept, centred.
class SvgPicture : public QWidget {
    Q_OBJECT
public:
    explicit SvgPicture(const QString& resource, QWidget* parent = nullptr);
    // A picture named objectName at a fixed size.
    static SvgPicture* create(const QString& resource, const QString& objectName, QSize size);

    void setPicture(const QString& resource);
    const QString& picture() const { return m_resource; }

    // The picture's own size.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The area the picture is fitted into; the whole widget unless a subclass says otherwise.
    virtual QRectF pictureArea() const;

private:
    QString m_resource;
    QSvgRenderer* m_renderer;
};

// A picture that acts as a button: pointing-hand cursor, a slight lift while hovered, and clicked()
// when the left button is released over it after being pressed on it. A button given a focus policy
// is worked from the keyboard too: it shows a frame while it has the focus, and Enter or Space
// presses it.
class PictureButton : public SvgPicture {
    Q_OBJECT
public:
    explicit PictureButton(const QString& resource, QWidget* parent = nullptr);
    // A button named objectName at a fixed size, with an optional tooltip.
    static PictureButton* create(const QString& resource, const QString& objectName, QSize size,
                                 const QString& toolTip = {}, QWidget* parent = nullptr);

    bool isHovered() const { return m_hovered; }
    bool isDown() const { return m_down; }
    // Presses the button as a click does; a disabled button does nothing.
    void click();
    // Names the button for screen readers and test tools after its hint, as a picture has no words
    // of its own: the name is the hint's first sentence, what the command does; the description is
    // the whole hint, keys and all, when it says more than that.
    void nameAfterHint(const QString& hint);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    QRectF pictureArea() const override;

private:
    void setHovered(bool hovered);
    void setDown(bool down);

    bool m_hovered = false;
    bool m_down = false;
};

} // namespace rf
