#include "CommandLine.h"

#include "app/Product.h"

namespace rf::CommandLine {

namespace {

QString variable(const QStringList& environment, const QString& name)
{
    const QString prefix = name + QLatin1Char('=');
    for (const QString& entry : environment)
        if (entry.startsWith(prefix))
            return entry.mid(prefix.size());
    return {};
}

QString usage(const QString& program)
{
    return QStringLiteral(
               "Uso: %1 [--cartella CARTELLA]\n"
               "Noleggio di bici, e-bike e mountain bike: flotta, contratti e prenotazioni.\n"
               "\n"
               "  --cartella CARTELLA  usa CARTELLA come cartella dei dati invece di quella ricordata\n"
               "  --help               mostra questo aiuto ed esce\n"
               "  --version            mostra la versione ed esce\n")
        .arg(program);
}

} // namespace

std::optional<Answer> answerBeforeWindows(const QStringList& arguments, const QStringList& environment)
{
    const QString program = QStringLiteral("rotaflux");
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--cartella")) {
            ++i; // its folder is no option, whatever it is called
            continue;
        }
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return Answer{usage(program), false, 0};
        if (argument == QLatin1String("--version") || argument == QLatin1String("-v"))
            return Answer{
                QStringLiteral("%1 %2\n").arg(QLatin1String(Product::Name), QLatin1String(Product::Version)),
                false, 0};
    }
    // A platform named by the user (offscreen, a VNC server, ...) is left to decide for itself.
    const QString platform = variable(environment, QStringLiteral("QT_QPA_PLATFORM"));
    if (!platform.isEmpty() || arguments.contains(QStringLiteral("-platform")))
        return std::nullopt;
    if (variable(environment, QStringLiteral("DISPLAY")).isEmpty() &&
        variable(environment, QStringLiteral("WAYLAND_DISPLAY")).isEmpty()) {
#ifdef Q_OS_UNIX
#ifndef Q_OS_MACOS
        return Answer{QStringLiteral("%1: nessuno schermo disponibile (DISPLAY e WAYLAND_DISPLAY non sono "
                                     "impostate). Avviare il programma dalla sessione grafica.\n")
                          .arg(program),
                      true, NoDisplayExit};
#endif
#endif
    }
    return std::nullopt;
}

} // namespace rf::CommandLine
