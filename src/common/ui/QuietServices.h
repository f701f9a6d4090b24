#pragma once

#include "common/ui/Context.h"

#include <QDate>
#include <QDateTime>

#include <memory>

// Services for running the windows with nobody at the desk (the guide's pictures, the benchmark):
// nothing is asked, opened, copied or printed, and the clock shows the moment it is given.
namespace rf::Quiet {

class Messages final : public rf::Messages {
public:
    void warning(QWidget*, const QString&) override {}
    void error(QWidget*, const QString&) override {}
    void information(QWidget*, const QString&) override {}
    bool confirm(QWidget*, const QString&) override { return false; }
    void plain(QWidget*, const QString&) override {}
};

class Dialogs final : public FileDialogs {
public:
    QString openFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString folder(QWidget*, const QString&, const QString&) override { return {}; }
};

class Shell final : public rf::Shell {
public:
    void open(const QString&) override {}
};

// The given moment, or the system's when none is given.
class Clock final : public rf::Clock {
public:
    explicit Clock(QDateTime moment = {}) : m_moment(std::move(moment)) {}
    QDate today() const override { return now().date(); }
    QDateTime now() const override { return m_moment.isValid() ? m_moment : QDateTime::currentDateTime(); }

private:
    QDateTime m_moment;
};

class Clipboard final : public rf::Clipboard {
public:
    void setText(const QString&) override {}
    QString text() const override { return {}; }
};

class Reports final : public ReportOutput {
public:
    bool preview(QWidget*, const rf::Reports::Document&) override { return true; }
    bool print(QWidget*, const rf::Reports::Document&) override { return true; }
};

// A context over folder with every service quiet; messages, when given, replaces the quiet ones.
inline std::unique_ptr<Context> context(const QString& folder, QDateTime moment = {},
                                        std::unique_ptr<rf::Messages> messages = {})
{
    return std::make_unique<Context>(folder, messages ? std::move(messages) : std::make_unique<Messages>(),
                                     std::make_unique<Dialogs>(), std::make_unique<Shell>(),
                                     std::make_unique<Clock>(std::move(moment)),
                                     std::make_unique<Clipboard>(), std::make_unique<Reports>());
}

} // namespace rf::Quiet
