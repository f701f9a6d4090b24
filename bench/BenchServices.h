#pragma once

#include "common/ui/Context.h"

#include <QDate>
#include <QDateTime>

#include <deque>
#include <memory>

namespace rf {

// Services for measuring without anyone at the desk: messages are not shown, questions are
// answered from a script (No when it is empty), nothing is printed or opened.
class BenchContext {
public:
    explicit BenchContext(const QString& folder)
    {
        auto messages = std::make_unique<Answers>(answers);
        m_context = std::make_unique<Context>(folder, std::move(messages), std::make_unique<NoDialogs>(),
                                              std::make_unique<NoShell>(), std::make_unique<SystemClock>(),
                                              std::make_unique<NoClipboard>(), std::make_unique<NoReports>());
    }
    Context& context() { return *m_context; }

    std::deque<bool> answers;

private:
    class Answers final : public Messages {
    public:
        explicit Answers(std::deque<bool>& script) : m_script(script) {}
        void warning(QWidget*, const QString&) override {}
        void error(QWidget*, const QString&) override {}
        void information(QWidget*, const QString&) override {}
        bool confirm(QWidget*, const QString&) override
        {
            if (m_script.empty())
                return false;
            const bool answer = m_script.front();
            m_script.pop_front();
            return answer;
        }
        void plain(QWidget*, const QString&) override {}

    private:
        std::deque<bool>& m_script;
    };
    class NoDialogs final : public FileDialogs {
    public:
        QString openFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
        QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    };
    class NoShell final : public Shell {
    public:
        void open(const QString&) override {}
    };
    class SystemClock final : public Clock {
    public:
        QDate today() const override { return QDate::currentDate(); }
        QDateTime now() const override { return QDateTime::currentDateTime(); }
    };
    class NoClipboard final : public Clipboard {
    public:
        void setText(const QString&) override {}
        QString text() const override { return {}; }
    };
    class NoReports final : public ReportOutput {
    public:
        bool preview(QWidget*, const Reports::Document&) override { return true; }
        bool print(QWidget*, const Reports::Document&) override { return true; }
    };

    std::unique_ptr<Context> m_context;
};

} // namespace rf
