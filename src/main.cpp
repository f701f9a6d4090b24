#include "app/ui/Application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // Software rendering: the program must draw the same on any graphics hardware.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    return rf::Application::run(app);
}
