#include "FakeContext.h"

namespace rf::Test {

int FakeMessages::choose(QWidget*, const QString& text, const QStringList& buttons)
{
    record(MessageKind::Choice, text);
    lastButtons = buttons;
    if (m_choices.empty())
        return -1;
    const int answer = m_choices.front();
    m_choices.pop_front();
    return answer;
}

bool FakeMessages::confirm(QWidget*, const QString& text)
{
    record(MessageKind::Confirmation, text);
    if (m_answers.empty())
        return true;
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QString FakeFileDialogs::next()
{
    if (m_answers.empty())
        return {};
    QString answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QString FakeFileDialogs::openFile(QWidget*, const QString& title, const QString& folder,
                                  const QString& filter)
{
    m_asked.append({false, title, folder, filter});
    return next();
}

QString FakeFileDialogs::saveFile(QWidget*, const QString& title, const QString& folder,
                                  const QString& filter)
{
    m_asked.append({true, title, folder, filter});
    return next();
}

QString FakeFileDialogs::folder(QWidget*, const QString& title, const QString& start)
{
    m_asked.append({false, title, start, {}});
    return next();
}

bool FakeReportOutput::preview(QWidget*, const Reports::Document& document)
{
    if (fail)
        return false;
    previewed.push_back(document);
    return true;
}

bool FakeReportOutput::print(QWidget*, const Reports::Document& document)
{
    if (fail)
        return false;
    printed.push_back(document);
    return true;
}

FakeContext::FakeContext()
{
    auto messages = std::make_unique<FakeMessages>();
    auto dialogs = std::make_unique<FakeFileDialogs>();
    auto shell = std::make_unique<FakeShell>();
    auto clock = std::make_unique<FakeClock>();
    auto clipboard = std::make_unique<FakeClipboard>();
    auto reports = std::make_unique<FakeReportOutput>();
    auto settings = std::make_unique<FakeSettings>();
    m_messages = messages.get();
    m_dialogs = dialogs.get();
    m_shell = shell.get();
    m_clock = clock.get();
    m_clipboard = clipboard.get();
    m_reports = reports.get();
    m_settings = settings.get();
    m_context = std::make_unique<Context>(m_dir.path(), std::move(messages), std::move(dialogs),
                                          std::move(shell), std::move(clock), std::move(clipboard),
                                          std::move(reports), std::move(settings));
}

} // namespace rf::Test
