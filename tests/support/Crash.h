#pragma once

#include "storage/Durable.h"

#include <QByteArray>

namespace rf::Test {

// What a test throws to stop a write at a named crash point, as a crash would stop it there.
struct Crash {};

// While this lives, the write that reaches the named point stops there.
class CrashAt {
public:
    explicit CrashAt(const QByteArray& point)
    {
        Durable::setCrashHook([point](const char* name) {
            if (point == name)
                throw Crash{};
        });
    }
    ~CrashAt() { Durable::setCrashHook({}); }
    CrashAt(const CrashAt&) = delete;
    CrashAt& operator=(const CrashAt&) = delete;
};

} // namespace rf::Test
