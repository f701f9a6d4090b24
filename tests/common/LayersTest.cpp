#include "support/TestMain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

// Keeps the source tree layered: the file formats and rules never reach for windows, the kit
// never reaches for an area, the desk or the application, an area's windows never reach for
// another area's windows, the desk (the work that reads several areas) builds on the areas but
// never on their windows, no area reaches for the desk, and a window is included only by the
// window that opens it. Every quoted include of src/ is checked.
namespace {

const QStringList Areas{QStringLiteral("fleet"), QStringLiteral("contracts"), QStringLiteral("planner")};

// Areas that use another area's records: a contract imports a vehicle, the planner books one.
bool mayUseArea(const QString& from, const QString& to)
{
    return from == to || (to == QLatin1String("fleet") &&
                          (from == QLatin1String("contracts") || from == QLatin1String("planner")));
}

struct Place {
    QString top; // first folder under src/ ("storage", "fleet", ...), or the file name at the top
    bool ui;     // inside a ui/ folder
};

Place placeOf(const QString& path)
{
    const QStringList parts = path.split(QLatin1Char('/'));
    return {parts.value(0), parts.contains(QStringLiteral("ui"))};
}

// The rule an include from one source file (path under src/) to another breaks, or empty.
QString brokenRule(const QString& from, const QString& to)
{
    const Place source = placeOf(from);
    const Place target = placeOf(to);
    if (!source.ui && target.ui && source.top != QLatin1String("main.cpp"))
        return QStringLiteral("only ui/ folders include ui/ files");
    if (source.top == QLatin1String("main.cpp"))
        return target.top == QLatin1String("app") ? QString()
                                                  : QStringLiteral("main.cpp includes app/ui alone");
    if (source.top == QLatin1String("storage") && target.top != QLatin1String("storage"))
        return QStringLiteral("storage/ includes only storage/");
    if (source.top == QLatin1String("reports") && target.top != QLatin1String("reports") &&
        target.top != QLatin1String("storage"))
        return QStringLiteral("reports/ includes only reports/ and storage/");
    if (source.top == QLatin1String("common")) {
        if (Areas.contains(target.top) || target.top == QLatin1String("app") ||
            target.top == QLatin1String("desk"))
            return QStringLiteral("common/ui includes no area and nothing of app/ or desk/");
        return {};
    }
    if (source.top == QLatin1String("desk")) {
        if (target.top == QLatin1String("app"))
            return QStringLiteral("desk/ includes nothing of app/");
        if (Areas.contains(target.top) && target.ui)
            return QStringLiteral("only app/ui includes an area's windows");
        return {};
    }
    if (Areas.contains(source.top)) {
        if (target.top == QLatin1String("app"))
            return QStringLiteral("an area includes nothing of app/");
        if (target.top == QLatin1String("desk"))
            return QStringLiteral("an area includes nothing of desk/");
        if (Areas.contains(target.top) && !mayUseArea(source.top, target.top))
            return QStringLiteral("an area includes another area only to use its records");
        if (Areas.contains(target.top) && target.top != source.top && target.ui)
            return QStringLiteral("only app/ui includes an area's windows");
    }
    return {};
}

// The rule an include of a window's header (ui/Tfrm*.h) from a file of the same folder breaks, or
// empty. A window is reached only by the window that opens it, so the header of another window
// is included only by a .cpp whose text opens it: builds it, runs it through runDialog, or calls
// one of its static show functions. Print dialogs take values, never the window behind them.
QString brokenWindowRule(const QString& from, const QString& to, const QString& fromText)
{
    const QFileInfo target(to);
    const QFileInfo source(from);
    if (!placeOf(to).ui || !target.fileName().startsWith(QLatin1String("Tfrm")) ||
        target.suffix() != QLatin1String("h") || source.path() != target.path() ||
        source.completeBaseName() == target.completeBaseName())
        return {};
    if (source.suffix() != QLatin1String("cpp"))
        return QStringLiteral("a header never includes another window's header");
    const QString window = QRegularExpression::escape(target.completeBaseName());
    const QRegularExpression opens(
        QStringLiteral("\\b%1\\s+\\w+\\s*[({]|<%1>|\\bnew\\s+%1\\b|\\b%1::show\\w*\\(").arg(window));
    return opens.match(fromText).hasMatch()
               ? QString()
               : QStringLiteral("only the window that opens a window includes it");
}

struct Include {
    QString file; // under src/
    int line;
    QString text;
    QString target;   // under src/
    QString fileText; // the whole including file
};

// Every quoted include of the tree, resolved next to the including file first, then from src/.
QList<Include> includesOf(const QString& sourceDir)
{
    static const QRegularExpression quoted(QStringLiteral("^\\s*#\\s*include\\s+\"([^\"]+)\""));
    const QDir src(sourceDir);
    QList<Include> found;
    QDirIterator it(sourceDir, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        const QString relative = src.relativeFilePath(path);
        const QDir here = QFileInfo(path).dir();
        const QString whole = QString::fromUtf8(file.readAll());
        int line = 0;
        for (const QString& raw : whole.split(QLatin1Char('\n'))) {
            const QString text = raw.trimmed();
            ++line;
            const QRegularExpressionMatch m = quoted.match(text);
            if (!m.hasMatch())
                continue;
            const QString name = m.captured(1);
            const QString beside = here.filePath(name);
            const QString target =
                QFileInfo::exists(beside) ? src.relativeFilePath(QDir::cleanPath(beside)) : name;
            found.append({relative, line, text, target, whole});
        }
    }
    return found;
}

} // namespace

class LayersTest : public QObject {
    Q_OBJECT
private slots:
    void rulesJudgeIncludes_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("allowed");
        const auto row = [](const char* from, const char* to, bool allowed) {
            QTest::newRow(qPrintable(QStringLiteral("%1 -> %2").arg(QLatin1String(from), QLatin1String(to))))
                << QString::fromLatin1(from) << QString::fromLatin1(to) << allowed;
        };
        row("storage/ArchiveFile.cpp", "storage/Cp1252.h", true);
        row("storage/ArchiveFile.cpp", "reports/Units.h", false);
        row("storage/Amounts.cpp", "app/Product.h", false);
        row("reports/Render.cpp", "storage/WholeFile.h", true);
        row("reports/Layout.cpp", "fleet/SchedaVeicolo.h", false);
        row("reports/Layout.h", "common/ui/Context.h", false);
        row("fleet/documents/VehicleSheet.cpp", "reports/Report.h", true);
        row("fleet/documents/VehicleSheet.cpp", "fleet/SchedaVeicolo.h", true);
        row("fleet/VehiclePhoto.cpp", "common/ui/Style.h", false);
        row("contracts/SchedaContratto.cpp", "fleet/SchedaVeicolo.h", true);
        row("fleet/SchedaVeicolo.cpp", "contracts/SchedaContratto.h", false);
        row("fleet/FleetGuide.cpp", "app/GuideTexts.h", false);
        row("common/ui/CardWindow.cpp", "storage/RecordLayout.h", true);
        row("common/ui/CardWindow.cpp", "reports/ListTemplate.h", true);
        row("common/ui/Context.cpp", "fleet/ui/TfrmAutoparco.h", false);
        row("common/ui/TfrmGuida.cpp", "app/Product.h", false);
        row("contracts/ui/TfrmLogo.cpp", "common/ui/PhotoView.h", true);
        row("contracts/ui/TfrmLogo.cpp", "fleet/ui/TfrmZoom.h", false);
        row("contracts/ui/TfrmContratti_Noleggio_Bici.cpp", "fleet/SchedaVeicolo.h", true);
        row("fleet/ui/TfrmAutoparco.cpp", "contracts/ui/TfrmLogo.h", false);
        row("fleet/ui/TfrmAutoparco.cpp", "app/ui/Application.h", false);
        row("app/ui/Application.cpp", "fleet/ui/TfrmAutoparco.h", true);
        row("app/GuideTexts.h", "fleet/FleetGuide.h", true);
        row("app/PasswordStore.cpp", "app/ui/TfrmPassword.h", false);
        row("main.cpp", "app/ui/Application.h", true);
        row("main.cpp", "fleet/ui/TfrmAutoparco.h", false);
        // The desk: its core reads the areas' records and rules, its windows build on the kit.
        row("desk/TodayWork.cpp", "contracts/ContractReturn.h", true);
        row("desk/TodayWork.cpp", "planner/Availability.h", true);
        row("desk/SeasonFigures.cpp", "fleet/SchedaVeicolo.h", true);
        row("desk/SeasonFigures.cpp", "storage/RecordScan.h", true);
        row("desk/documents/SeasonSheet.cpp", "reports/Units.h", true);
        row("desk/SeasonFigures.cpp", "common/ui/Context.h", false);
        row("desk/TodayWork.cpp", "contracts/ui/TfrmBiciNonRiconsegnate.h", false);
        row("desk/TodayWork.cpp", "app/Product.h", false);
        row("desk/ui/TfrmOggi.cpp", "common/ui/ListWindow.h", true);
        row("desk/ui/TfrmOggi.cpp", "desk/TodayWork.h", true);
        row("desk/ui/TfrmStatistiche.h", "desk/SeasonFigures.h", true);
        row("desk/ui/TfrmStatistiche.cpp", "planner/BookedDays.h", true);
        row("desk/ui/TfrmOggi.cpp", "contracts/ui/TfrmContratti_Noleggio_Bici.h", false);
        row("desk/ui/TfrmOggi.cpp", "planner/ui/TfrmPlanning.h", false);
        row("desk/ui/TfrmStatistiche.cpp", "app/ui/Application.h", false);
        row("desk/ui/TfrmStatistiche.cpp", "app/Product.h", false);
        row("contracts/ContractReturn.cpp", "desk/TodayWork.h", false);
        row("contracts/ui/TfrmContratti_Noleggio_Bici.cpp", "desk/ui/TfrmStatistiche.h", false);
        row("planner/ui/TfrmMenuCamere.cpp", "desk/TodayWork.h", false);
        row("common/ui/ListWindow.cpp", "desk/TodayWork.h", false);
        row("common/ui/RunDialog.h", "desk/ui/TfrmOggi.h", false);
        row("storage/RecordScan.cpp", "desk/SeasonFigures.h", false);
        row("app/ui/Application.cpp", "desk/ui/TfrmOggi.h", true);
        row("main.cpp", "desk/ui/TfrmOggi.h", false);
    }

    void rulesJudgeIncludes()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, allowed);
        QCOMPARE(brokenRule(from, to).isEmpty(), allowed);
    }

    void windowsAreIncludedOnlyByTheirOpeners_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("allowed");
        const auto row = [](const char* name, const char* from, const char* to, const char* text,
                            bool allowed) {
            QTest::newRow(name) << QString::fromLatin1(from) << QString::fromLatin1(to)
                                << QString::fromLatin1(text) << allowed;
        };
        row("opener builds it", "planner/ui/TfrmMenuCamere.cpp", "planner/ui/TfrmDisponibilita.h",
            "TfrmDisponibilita dialog(m_context, this);", true);
        row("opener runs it", "planner/ui/TfrmPlanning.cpp", "planner/ui/TfrmStampaPlanning.h",
            "runDialog<TfrmStampaPlanning>(m_context, this, shownPlanning());", true);
        row("opener shows it", "app/ui/TfrmAvvio.cpp", "app/ui/TfrmInfo.h",
            "TfrmInfo::showInfo(m_context, this);", true);
        row("own header", "planner/ui/TfrmGiorno.cpp", "planner/ui/TfrmGiorno.h", "", true);
        row("other folder", "app/ui/Application.cpp", "planner/ui/TfrmPlanning.h", "", true);
        row("print dialog reaches its opener", "planner/ui/TfrmStampaPlanning.cpp",
            "planner/ui/TfrmPlanning.h", "grid.findChild<QLineEdit*>(QStringLiteral(\"txtBiciNum\"))", false);
        row("opened window reaches back", "planner/ui/TfrmDisponibilita.cpp", "planner/ui/TfrmMenuCamere.h",
            "TfrmMenuCamere::noVehiclesText()", false);
        row("header includes a window", "planner/ui/TfrmPlanning.h", "planner/ui/TfrmMenuCamere.h", "",
            false);
        row("sibling dialog", "planner/ui/TfrmAnteprimaPlanning.cpp", "planner/ui/TfrmStampaPlanning.h",
            "planningSheetBuilder(context, grid)", false);
        row("helper reaches a window", "contracts/ui/ContractPrint.cpp",
            "contracts/ui/TfrmContratti_Noleggio_Bici.h", "form.edit(field)", false);
    }

    void windowsAreIncludedOnlyByTheirOpeners()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, text);
        QFETCH(bool, allowed);
        QCOMPARE(brokenWindowRule(from, to, text).isEmpty(), allowed);
    }

    void sourceTreeKeepsItsLayers()
    {
        const QList<Include> includes = includesOf(QStringLiteral(ROTAFLUX_SOURCE_DIR));
        QVERIFY2(includes.size() > 100, "the source tree was not found");
        QStringList broken;
        for (const Include& include : includes) {
            QString rule = brokenRule(include.file, include.target);
            if (rule.isEmpty())
                rule = brokenWindowRule(include.file, include.target, include.fileText);
            if (!rule.isEmpty())
                broken.append(QStringLiteral("%1:%2: %3 (%4)")
                                  .arg(include.file)
                                  .arg(include.line)
                                  .arg(include.text, rule));
        }
        QVERIFY2(broken.isEmpty(), qPrintable(QLatin1Char('\n') + broken.join(QLatin1Char('\n'))));
    }
};

RF_REGISTER_TEST(LayersTest)
#include "LayersTest.moc"
