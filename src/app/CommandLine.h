#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace rf::CommandLine {

// What the program answers on the terminal before any window: the text, whether it goes to the
// error stream, and the exit status.
struct Answer {
    QString text;
    bool toErrors = false;
    int exitCode = 0;
};

// --help and --version are answered at once, without a display; any other argument starts the
// program (it reads --cartella itself). Where no display can be reached, the program says so and
// stops with status 1 instead of aborting. environment: the variables, as "NAME=value".
std::optional<Answer> answerBeforeWindows(const QStringList& arguments, const QStringList& environment);

constexpr int NoDisplayExit = 1;

} // namespace rf::CommandLine
