#pragma once

#include "reports/Palette.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

class QAbstractButton;
class QLabel;
class QPushButton;
class QWidget;

// The look of every window in one place: colours, fonts, pictures, buttons and file filters.
// Windows name what they want from here and never write a font family, a colour or a filter.
namespace rf::Style {

// ---- colours -------------------------------------------------------------------------------
// The palette (reports/Palette.h) is shared with the printed documents.

// A colour as a style sheet writes it: #rrggbb, or rgba(...) when it is see-through.
QString css(QRgb colour);
// A style sheet with every "@Name" of a colour above replaced by its value, so that style sheets
// name colours instead of spelling them ("QFrame#x { border: 1px solid @PanelBorder; }"). A name
// that is not a colour is a fault in the program: it stops with the name, in every build.
QString sheet(const QString& text);
// The "@Name"s of text that name no colour.
QStringList unknownColourNames(const QString& text);

// Paints a window's background with a vertical gradient from top to bottom.
void gradientBackground(QWidget* window, QRgb top = SteelBlue, QRgb bottom = White);

// ---- fonts ---------------------------------------------------------------------------------
enum class Family { Verdana, Tahoma, Arial, CourierNew };
QFont font(Family family, int pixelSize, bool bold = false);
QFont pointFont(Family family, int pointSize, bool bold = false);

// ---- pictures ------------------------------------------------------------------------------
// The size a built-in picture is drawn at by default; empty when it is missing.
QSizeF pictureSize(const QString& resource);
// A built-in SVG picture drawn into an image of the given size on fill; with keepAspect it is
// fitted and centred, otherwise stretched over the whole image. A missing picture leaves the fill.
QImage renderImage(const QString& resource, const QSize& size, QColor fill = Qt::transparent,
                   bool keepAspect = true);
// A built-in picture (SVG, or a bitmap) fitted into box with its proportions kept, drawn at ratio
// device pixels per pixel so it stays sharp on dense screens; null if the resource is missing.
QPixmap picture(const QString& resource, const QSize& box, qreal ratio = 2.0);
QIcon pictureIcon(const QString& resource, const QSize& size);
// A label named objectName showing the picture of resource fitted into box.
QLabel* pictureLabel(const QString& resource, const QSize& box, const QString& objectName,
                     QWidget* parent = nullptr);

// ---- buttons -------------------------------------------------------------------------------
// Width of the frame a control that has the keyboard focus is drawn with.
inline constexpr int FocusRingWidth = 2;
// The style-sheet rule that frames the control of selector while it has the keyboard focus, so a
// keyboard user always sees which button Enter will press. padding is the control's padding less
// the frame's extra width, so the text does not move.
QString focusRule(const QString& selector, const QString& padding = QStringLiteral("3px 11px"));
// The look of the program's push buttons: a light face, a thin border, the focus frame.
QString buttonSheet();
// Enter (and the keypad Enter) on the button, while it has the focus, presses it. The button does
// not become the dialog's default for that, so Enter typed in an edit never reaches it.
void pressOnEnter(QAbstractButton* button);

// A push button named objectName with a pointing hand. A valid size fixes it, a size with only a
// height sets its least height. It is never the dialog's automatic default: Enter in an edit must
// not fire it; Enter on the button itself, once the focus is there, presses it.
QPushButton* button(const QString& objectName, const QString& text, QSize size = {},
                    QWidget* parent = nullptr);
// The same with a picture beside its text.
QPushButton* pictureTextButton(const QString& objectName, const QString& text, const QString& picture,
                               int height, int iconSize);
// A small steel-blue button that stands beside a field ("Verifica", "Importa"); takes no focus.
QPushButton* fieldButton(const QString& objectName, const QString& text);

// A caption in bold Verdana of the given pixel size in ink, on a transparent background.
QLabel* caption(const QString& text, int pixelSize, QWidget* parent = nullptr);

// ---- file filters --------------------------------------------------------------------------
inline const QString ImageFileFilter =
    QStringLiteral("Immagine JPEG (*.jpg; *.jpeg) (*.jpg *.jpeg);;Immagine Bitmap (*.bmp) (*.bmp)");
inline const QString JpegFileFilter = QStringLiteral("File Jpeg (*.jpg) (*.jpg)");
inline const QString AllFilesFilter = QStringLiteral("Tutti i file (*.*)");
inline const QString PdfFileFilter = QStringLiteral("Documento PDF (*.pdf)");
inline const QString SpreadsheetFileFilter = QStringLiteral("Foglio di calcolo (*.xls)");
inline const QString BackupFileFilter = QStringLiteral("Copia di sicurezza (*.zip)");

} // namespace rf::Style
