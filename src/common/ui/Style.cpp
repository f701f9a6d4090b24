#include "Style.h"

#include "reports/Fonts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QWidget>

#include <map>

namespace rf::Style {
namespace {

const std::map<QString, QRgb>& namedColours()
{
#define RF_NAME_COLOUR(name, value) {QStringLiteral(#name), name},
    static const std::map<QString, QRgb> colours{RF_STYLE_COLOURS(RF_NAME_COLOUR)};
#undef RF_NAME_COLOUR
    return colours;
}

QString familyName(Family family)
{
    switch (family) {
    case Family::Verdana:
        return QStringLiteral("Verdana");
    case Family::Tahoma:
        return QStringLiteral("Tahoma");
    case Family::Arial:
        return QStringLiteral("Arial");
    case Family::CourierNew:
        return QStringLiteral("Courier New");
    }
    return {};
}

} // namespace

QString css(QRgb colour)
{
    const QColor c = QColor::fromRgba(colour);
    if (c.alpha() == 255)
        return c.name(QColor::HexRgb).toUpper();
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
}

static const QRegularExpression& colourReference()
{
    static const QRegularExpression name(QStringLiteral("@([A-Za-z]+)"));
    return name;
}

QStringList unknownColourNames(const QString& text)
{
    QStringList unknown;
    for (auto it = colourReference().globalMatch(text); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (namedColours().find(name) == namedColours().end())
            unknown.append(name);
    }
    return unknown;
}

QString sheet(const QString& text)
{
    if (const QStringList unknown = unknownColourNames(text); !unknown.isEmpty())
        qFatal("Style::sheet: no colour named @%s", qPrintable(unknown.join(QStringLiteral(", @"))));
    QString out;
    qsizetype last = 0;
    for (auto it = colourReference().globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        out += css(namedColours().find(m.captured(1))->second);
        last = m.capturedEnd();
    }
    out += text.mid(last);
    return out;
}

void gradientBackground(QWidget* window, QRgb top, QRgb bottom)
{
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, QColor::fromRgba(top));
    gradient.setColorAt(1, QColor::fromRgba(bottom));
    QPalette palette = window->palette();
    palette.setBrush(QPalette::Window, QBrush(gradient));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

// A fixed-pitch family falls back on another fixed-pitch font where it is not installed.
static QFont fontOf(Family family)
{
    Fonts::preferMetricCompatibleFaces();
    QFont f(familyName(family));
    if (family == Family::CourierNew)
        f.setStyleHint(QFont::TypeWriter);
    return f;
}

QFont font(Family family, int pixelSize, bool bold)
{
    QFont f = fontOf(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QFont pointFont(Family family, int pointSize, bool bold)
{
    QFont f = fontOf(family);
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

QSizeF pictureSize(const QString& resource)
{
    const QSvgRenderer renderer(resource);
    return renderer.isValid() ? QSizeF(renderer.defaultSize()) : QSizeF();
}

// Draws a parsed picture on an image of the given size; an unreadable one leaves the fill.
static QImage renderWith(QSvgRenderer& renderer, const QSize& size, QColor fill, bool keepAspect)
{
    QImage image(size, fill.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    if (!renderer.isValid())
        return image;
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    if (!keepAspect) {
        renderer.render(&painter);
        return image;
    }
    const QSizeF fitted = QSizeF(renderer.defaultSize()).scaled(QSizeF(size), Qt::KeepAspectRatio);
    QRectF target(QPointF(), fitted);
    target.moveCenter(QRectF(image.rect()).center());
    renderer.render(&painter, target);
    return image;
}

QImage renderImage(const QString& resource, const QSize& size, QColor fill, bool keepAspect)
{
    QSvgRenderer renderer(resource);
    return renderWith(renderer, size, fill, keepAspect);
}

// The picture is parsed once, for its size and its drawing.
QPixmap picture(const QString& resource, const QSize& box, qreal ratio)
{
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) {
        const QPixmap bitmap(resource);
        return bitmap.isNull() ? bitmap : bitmap.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    const QSize size = renderer.defaultSize().scaled(box, Qt::KeepAspectRatio);
    QPixmap pixmap = QPixmap::fromImage(renderWith(renderer, size * ratio, Qt::transparent, true));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon pictureIcon(const QString& resource, const QSize& size)
{
    return QIcon(picture(resource, size));
}

QLabel* pictureLabel(const QString& resource, const QSize& box, const QString& objectName, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    label->setPixmap(picture(resource, box));
    return label;
}

QString focusRule(const QString& selector, const QString& padding)
{
    return sheet(QStringLiteral("%1:focus { border: %2px solid @FocusRing; padding: %3; outline: none; }"))
        .arg(selector)
        .arg(FocusRingWidth)
        .arg(padding);
}

QString buttonSheet()
{
    return sheet(QStringLiteral(
               "QPushButton { color: @Ink; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @White,"
               " stop:1 @BlockFill); border: 1px solid @PanelBorder; border-radius: 4px; padding: 4px 12px; }"
               " QPushButton:hover { background: @HeaderFill; border-color: @SteelBlue; }"
               " QPushButton:pressed { background: @Mist; }"
               " QPushButton:disabled { color: @ReadOnlyText; background: @ReadOnlyFill; border-color: "
               "@Mist; }")) +
           QLatin1Char(' ') + focusRule(QStringLiteral("QPushButton"));
}

namespace {

// Presses its button on Enter. A key held down presses it once.
class EnterPresses final : public QObject {
public:
    explicit EnterPresses(QAbstractButton* button) : QObject(button), m_button(button)
    {
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (!key->isAutoRepeat() && m_button->isEnabled())
            m_button->click();
        return true;
    }

private:
    QAbstractButton* m_button;
};

} // namespace

void pressOnEnter(QAbstractButton* button)
{
    new EnterPresses(button);
}

QPushButton* button(const QString& objectName, const QString& text, QSize size, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoDefault(false);
    b->setStyleSheet(buttonSheet());
    pressOnEnter(b);
    if (size.width() > 0 && size.height() > 0)
        b->setFixedSize(size);
    else if (size.height() > 0)
        b->setMinimumHeight(size.height());
    return b;
}

QPushButton* pictureTextButton(const QString& objectName, const QString& text, const QString& resource,
                               int height, int iconSize)
{
    QPushButton* b = button(objectName, text, QSize(0, height));
    b->setIcon(pictureIcon(resource, QSize(iconSize, iconSize)));
    b->setIconSize(QSize(iconSize, iconSize));
    return b;
}

QPushButton* fieldButton(const QString& objectName, const QString& text)
{
    QPushButton* b = button(objectName, text, QSize(0, 23));
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedHeight(23);
    b->setStyleSheet(
        sheet(QStringLiteral("QPushButton { background: @SteelBlue; color: white; border: none; "
                             "border-radius: 4px; padding: 0 10px;"
                             " font-weight: bold; } QPushButton:hover { background: @SteelBlueDark; }"
                             " QPushButton:disabled { background: @SteelBlueFaded; }")));
    return b;
}

QLabel* caption(const QString& text, int pixelSize, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font(Family::Verdana, pixelSize, true));
    label->setStyleSheet(sheet(QStringLiteral("color: @Ink; background: transparent;")));
    return label;
}

} // namespace rf::Style
