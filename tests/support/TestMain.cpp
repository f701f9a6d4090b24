#include "TestMain.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

namespace rf::test {
std::vector<TestFactory>& registeredTests()
{
    static std::vector<TestFactory> tests;
    return tests;
}
} // namespace rf::test

// Runs every registered test class; "-functions" style arguments are passed through to each.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    int failures = 0;
    for (const auto& make : rf::test::registeredTests()) {
        const std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
