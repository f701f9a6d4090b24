#include "app/CommandLine.h"
#include "app/ui/Application.h"

#include <QApplication>
#include <QProcessEnvironment>

#include <cstdio>

int main(int argc, char** argv)
{
    // --help, --version, and a start without a display are answered on the terminal, before a
    // window could be needed.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto answer = rf::CommandLine::answerBeforeWindows(
            arguments, QProcessEnvironment::systemEnvironment().toStringList())) {
        const QByteArray text = answer->text.toLocal8Bit();
        std::fputs(text.constData(), answer->toErrors ? stderr : stdout);
        return answer->exitCode;
    }
    // Software rendering: the program must draw the same on any graphics hardware.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    return rf::Application::run(app);
}
