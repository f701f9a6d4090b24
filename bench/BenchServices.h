#pragma once

#include "Shown.h"
#include "common/ui/Context.h"
#include "common/ui/QuietServices.h"

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
        m_context = Quiet::context(folder, {}, std::make_unique<Answers>(answers, shown, answered));
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
    std::unique_ptr<Context> m_context;
};

} // namespace rf
