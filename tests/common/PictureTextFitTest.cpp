#include "reports/Fonts.h"
#include "support/TestMain.h"

#include <QDirIterator>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

#include <vector>

// The texts drawn in the program's pictures (the login banner, the launcher's title and tiles,
// the printed forms' banners) fit inside their pictures with the fonts the package depends on:
// on a fresh system with only DejaVu, "Arial" came out wider and the banner read "…e mountain bik".
class PictureTextFitTest : public QObject {
    Q_OBJECT

    struct Placement {
        double x = 0;
        double scale = 1;
    };

    static Placement placementOf(const QString& transform, Placement outer)
    {
        static const QRegularExpression translate(QStringLiteral("translate\\(\\s*([-0-9.]+)"));
        static const QRegularExpression scale(QStringLiteral("scale\\(\\s*([-0-9.]+)"));
        const auto moved = translate.match(transform);
        if (moved.hasMatch())
            outer.x += outer.scale * moved.captured(1).toDouble();
        const auto scaled = scale.match(transform);
        if (scaled.hasMatch())
            outer.scale *= scaled.captured(1).toDouble();
        return outer;
    }

    static QFont fontOf(const QXmlStreamAttributes& attributes, const QFont& inherited)
    {
        QFont font = inherited;
        const QString family = attributes.value(QStringLiteral("font-family")).toString();
        if (!family.isEmpty())
            font.setFamily(family.section(QLatin1Char(','), 0, 0).trimmed());
        const QString size = attributes.value(QStringLiteral("font-size")).toString();
        if (!size.isEmpty())
            font.setPixelSize(qRound(size.toDouble()));
        const QString weight = attributes.value(QStringLiteral("font-weight")).toString();
        if (!weight.isEmpty())
            font.setBold(weight == QLatin1String("bold"));
        return font;
    }

private slots:
    void initTestCase()
    {
        rf::Fonts::preferMetricCompatibleFaces();
        if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
            QFAIL("fonts-liberation2 is not installed: ./scripts/install-deps.sh installs it");
    }

    void textsFitTheirPictures()
    {
        int checked = 0;
        QDirIterator pictures(QStringLiteral(":/"), {QStringLiteral("*.svg")}, QDir::Files,
                              QDirIterator::Subdirectories);
        while (pictures.hasNext()) {
            const QString path = pictures.next();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QXmlStreamReader svg(&file);
            double width = 0;
            std::vector<Placement> groups{{}};
            // The text being read: where it starts, its anchor, and its runs with their fonts.
            bool inText = false;
            double x = 0;
            QString anchor;
            std::vector<QFont> fonts;
            double advance = 0;
            QString whole;
            while (!svg.atEnd()) {
                svg.readNext();
                if (svg.isStartElement()) {
                    const QXmlStreamAttributes a = svg.attributes();
                    if (svg.name() == QLatin1String("svg"))
                        width = a.value(QStringLiteral("viewBox"))
                                    .toString()
                                    .section(QLatin1Char(' '), 2, 2)
                                    .toDouble();
                    else if (svg.name() == QLatin1String("g"))
                        groups.push_back(
                            placementOf(a.value(QStringLiteral("transform")).toString(), groups.back()));
                    else if (svg.name() == QLatin1String("text")) {
                        inText = true;
                        x = a.value(QStringLiteral("x")).toDouble();
                        anchor = a.value(QStringLiteral("text-anchor")).toString();
                        fonts = {fontOf(a, QFont())};
                        advance = 0;
                        whole.clear();
                    } else if (svg.name() == QLatin1String("tspan") && inText) {
                        fonts.push_back(fontOf(a, fonts.back()));
                    }
                } else if (svg.isCharacters() && inText) {
                    advance += QFontMetricsF(fonts.back()).horizontalAdvance(svg.text().toString());
                    whole += svg.text();
                } else if (svg.isEndElement()) {
                    if (svg.name() == QLatin1String("g"))
                        groups.pop_back();
                    else if (svg.name() == QLatin1String("tspan") && inText)
                        fonts.pop_back();
                    else if (svg.name() == QLatin1String("text")) {
                        inText = false;
                        const Placement at = groups.back();
                        double left = x;
                        if (anchor == QLatin1String("middle"))
                            left -= advance / 2;
                        else if (anchor == QLatin1String("end"))
                            left -= advance;
                        const double from = at.x + at.scale * left;
                        const double to = from + at.scale * advance;
                        QVERIFY2(
                            from >= -0.5 && to <= width + 0.5,
                            qPrintable(QStringLiteral("%1: \"%2\" runs from %3 to %4 in a picture %5 wide")
                                           .arg(path, whole.simplified())
                                           .arg(from)
                                           .arg(to)
                                           .arg(width)));
                        ++checked;
                    }
                }
            }
            QVERIFY2(!svg.hasError(), qPrintable(path + QLatin1Char(' ') + svg.errorString()));
        }
        QVERIFY(checked >= 20);
    }
};

RF_REGISTER_TEST(PictureTextFitTest)
#include "PictureTextFitTest.moc"
