#pragma once

#include "Shown.h"
#include "common/ui/Context.h"

#include <QDate>
#include <QDateTime>
#include <QMessageBox>
#include <QTimer>

#include <deque>
#include <memory>
#include <vector>

namespace rf {

// Services for measuring without anyone at the desk: message boxes are shown and answered from a
// script, nothing is printed or opened.
class BenchContext {
public:
    explicit BenchContext(const QString& folder)
    {
        auto messages = std::make_unique<Answers>(answers, shown, answered);
        m_context = std::make_unique<Context>(folder, std::move(messages), std::make_unique<NoDialogs>(),
                                              std::make_unique<NoShell>(), std::make_unique<SystemClock>(),
                                              std::make_unique<NoClipboard>(), std::make_unique<NoReports>());
    }
    Context& context() { return *m_context; }

    std::deque<bool> answers;
    // When each message box had its first frame, and when it was answered (bench::now()).
    std::vector<double> shown;
    std::vector<double> answered;

private:
    // Each message is a real message box, shown and painted, then answered from the script (No
    // when it is empty). When a box was painted and when it was answered are noted for the timings.
    class Answers final : public Messages {
    public:
        Answers(std::deque<bool>& script, std::vector<double>& shown, std::vector<double>& answered)
            : m_script(script), m_shown(shown), m_answered(answered)
        {
        }
        void warning(QWidget* parent, const QString& text) override
        {
            ask(parent, QMessageBox::Warning, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
        }
        void error(QWidget* parent, const QString& text) override
        {
            ask(parent, QMessageBox::Critical, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
        }
        void information(QWidget* parent, const QString& text) override
        {
            ask(parent, QMessageBox::Information, text, QMessageBox::Ok | QMessageBox::Cancel,
                QMessageBox::Ok);
        }
        bool confirm(QWidget* parent, const QString& text) override
        {
            bool yes = false;
            if (!m_script.empty()) {
                yes = m_script.front();
                m_script.pop_front();
            }
            return ask(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                       yes ? QMessageBox::Yes : QMessageBox::No) == QMessageBox::Yes;
        }
        void plain(QWidget* parent, const QString& text) override
        {
            ask(parent, QMessageBox::NoIcon, text, QMessageBox::Ok, QMessageBox::Ok);
        }

    private:
        int ask(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton answer)
        {
            QMessageBox box(icon, QString(), text, buttons, parent);
            bench::FrameWatch watch(&box);
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, &box, [&] {
                if (!watch.painted())
                    return;
                poll.stop();
                m_shown.push_back(bench::now());
                m_answered.push_back(bench::now());
                box.done(answer);
            });
            poll.start(0);
            return box.exec();
        }

        std::deque<bool>& m_script;
        std::vector<double>& m_shown;
        std::vector<double>& m_answered;
    };
    class NoDialogs final : public FileDialogs {
    public:
        QString openFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
        QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
        QString folder(QWidget*, const QString&, const QString&) override { return {}; }
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
