#pragma once

#include "common/ui/Context.h"
#include "reports/Layout.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>

namespace rf::Test {

enum class MessageKind { Warning, Error, Information, Confirmation, Plain, Choice };

struct RecordedMessage {
    MessageKind kind;
    QString text;
};

// Records every message; confirmations are answered from a script (Yes when the script is empty).
class FakeMessages final : public Messages {
public:
    void warning(QWidget*, const QString& text) override { record(MessageKind::Warning, text); }
    void error(QWidget*, const QString& text) override { record(MessageKind::Error, text); }
    void information(QWidget*, const QString& text) override { record(MessageKind::Information, text); }
    bool confirm(QWidget*, const QString& text) override;
    // Asked as confirm; counts the questions whose default answer is No.
    bool confirmNo(QWidget* parent, const QString& text) override
    {
        ++defaultNoQuestions;
        return confirm(parent, text);
    }
    int defaultNoQuestions = 0;
    void plain(QWidget*, const QString& text) override { record(MessageKind::Plain, text); }
    // Records the question with its buttons after a line "|" + captions; answers from chooseNext,
    // or -1 (Escape) when none is scripted.
    int choose(QWidget*, const QString& text, const QStringList& buttons) override;

    void answerNext(bool yes) { m_answers.push_back(yes); }
    void chooseNext(int button) { m_choices.push_back(button); }
    QStringList lastButtons; // the buttons of the last choice asked
    const QList<RecordedMessage>& all() const { return m_messages; }
    int count() const { return int(m_messages.size()); }
    RecordedMessage last() const
    {
        return m_messages.isEmpty() ? RecordedMessage{MessageKind::Plain, {}} : m_messages.last();
    }
    void clear() { m_messages.clear(); }

private:
    void record(MessageKind kind, const QString& text) { m_messages.append({kind, text}); }
    QList<RecordedMessage> m_messages;
    std::deque<bool> m_answers;
    std::deque<int> m_choices;
};

struct RecordedDialog {
    bool save; // a save dialog; false for open and folder dialogs
    QString title;
    QString folder;
    QString filter;
};

// Answers file dialogs from a script (empty, as if cancelled, when the script is empty).
class FakeFileDialogs final : public FileDialogs {
public:
    QString openFile(QWidget*, const QString& title, const QString& folder, const QString& filter) override;
    QString saveFile(QWidget*, const QString& title, const QString& folder, const QString& filter) override;
    QString folder(QWidget*, const QString& title, const QString& start) override;

    void answerNext(const QString& path) { m_answers.push_back(path); }
    const QList<RecordedDialog>& asked() const { return m_asked; }

private:
    QString next();
    QList<RecordedDialog> m_asked;
    std::deque<QString> m_answers;
};

class FakeShell final : public Shell {
public:
    void open(const QString& command) override { opened.append(command); }
    QStringList opened;
};

class FakeClock final : public Clock {
public:
    QDate today() const override { return moment.date(); }
    QDateTime now() const override { return moment; }
    QDateTime moment{QDate(2024, 3, 5), QTime(9, 41, 7)};
};

class FakeClipboard final : public Clipboard {
public:
    void setText(const QString& t) override { content = t; }
    QString text() const override { return content; }
    QString content;
};

// Records every document instead of showing or printing it; fail makes the next outputs fail.
class FakeReportOutput final : public ReportOutput {
public:
    bool preview(QWidget*, const Reports::Document& document) override;
    bool print(QWidget*, const Reports::Document& document) override;
    std::vector<Reports::Document> previewed;
    std::vector<Reports::Document> printed;
    bool fail = false;
};

// The user's settings as a table of the test's own: nothing reaches the real user's store.
class FakeSettings final : public Settings {
public:
    QString value(const QString& key) const override { return values.value(key); }
    void setValue(const QString& key, const QString& value) override { values.insert(key, value); }
    QHash<QString, QString> values;
};

// A context over a fresh temporary data folder with every service faked.
class FakeContext {
public:
    FakeContext();
    Context& context() { return *m_context; }
    QString folder() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

    FakeMessages& messages() { return *m_messages; }
    FakeFileDialogs& dialogs() { return *m_dialogs; }
    FakeShell& shell() { return *m_shell; }
    FakeClock& clock() { return *m_clock; }
    FakeClipboard& clipboard() { return *m_clipboard; }
    FakeReportOutput& reports() { return *m_reports; }
    FakeSettings& settings() { return *m_settings; }

private:
    QTemporaryDir m_dir;
    FakeMessages* m_messages;
    FakeFileDialogs* m_dialogs;
    FakeShell* m_shell;
    FakeClock* m_clock;
    FakeClipboard* m_clipboard;
    FakeReportOutput* m_reports;
    FakeSettings* m_settings;
    std::unique_ptr<Context> m_context;
};

} // namespace rf::Test
