#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

// Each test file registers its test class here; one executable per area runs them all.
namespace rf::Test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TestFactory>& registeredTests();

template <typename T> struct Registrar {
    Registrar()
    {
        registeredTests().push_back([] { return std::make_unique<T>(); });
    }
};

} // namespace rf::Test

#define RF_REGISTER_TEST(Class) static rf::Test::Registrar<Class> rfRegistrar##Class;
