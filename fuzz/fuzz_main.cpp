// One libFuzzer program per target, chosen when it is built (FUZZ_TARGET names the function).
#include "FuzzTargets.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    rf::fuzz::FUZZ_TARGET(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
