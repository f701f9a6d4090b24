#pragma once

#include "storage/Durable.h"

#include <QByteArray>

namespace rf::Test {

// What a test throws to stop a write at a named crash point, as a crash would stop it there.
struct Crash {};

// While this lives, the write that reaches the named point stops there; with an occurrence, the
// point is passed that many times less one (a loop's steps) and the write stops at the next pass.
class CrashAt {
public:
    explicit CrashAt(const QByteArray& point, int occurrence = 1)
    {
        Durable::setCrashHook([point, passes = 0, occurrence](const char* name) mutable {
            if (point == name && ++passes == occurrence)
                throw Crash{};
        });
    }
    ~CrashAt() { Durable::setCrashHook({}); }
    CrashAt(const CrashAt&) = delete;
    CrashAt& operator=(const CrashAt&) = delete;
};

} // namespace rf::Test
