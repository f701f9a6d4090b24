#include "TestMain.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

namespace rf::Test {
std::vector<TestFactory>& registeredTests()
{
    static std::vector<TestFactory> tests;
    return tests;
}
} // namespace rf::Test

// Runs every registered test class, or only the one named by RF_TEST_CLASS; other arguments are
// passed to each class as Qt Test options.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    const QByteArray only = qgetenv("RF_TEST_CLASS");
    int failures = 0;
    for (const auto& make : rf::Test::registeredTests()) {
        const std::unique_ptr<QObject> test = make();
        if (!only.isEmpty() && only != test->metaObject()->className())
            continue;
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
