#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace rf {

namespace Reports {
struct Document;
}

// The five kinds of message box every window uses. Warning, error and information offer OK and
// Cancel with nothing depending on the answer; confirmation asks Yes/No; plain has OK alone.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void warning(QWidget* parent, const QString& text) = 0;
    virtual void error(QWidget* parent, const QString& text) = 0;
    virtual void information(QWidget* parent, const QString& text) = 0;
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // A Yes/No question whose default answer is No, so that Enter and Escape alike change nothing:
    // for a step that replaces the user's data. Services that cannot tell the two apart ask confirm.
    virtual bool confirmNo(QWidget* parent, const QString& text) { return confirm(parent, text); }
    virtual void plain(QWidget* parent, const QString& text) = 0;
    // A question with buttons of its own, the first the default and the last pressed by Escape
    // (so the last is the one that changes nothing); returns the index of the button pressed.
    // Services that cannot ask answer -1.
    virtual int choose(QWidget* parent, const QString& text, const QStringList& buttons)
    {
        Q_UNUSED(parent);
        Q_UNUSED(text);
        Q_UNUSED(buttons);
        return -1;
    }
};

// The Yes/No message box of confirmNo: No is its default and Escape button.
bool askDefaultNo(QWidget* parent, const QString& text);

// Native open, save and folder dialogs. An empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString openFile(QWidget* parent, const QString& title, const QString& folder,
                             const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& folder,
                             const QString& filter) = 0;
    // Picks an existing folder, starting at start.
    virtual QString folder(QWidget* parent, const QString& title, const QString& start) = 0;
};

// Opens a document, web address or mail link with its associated application, without waiting
// and without checking the result.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const QString& command) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QDateTime now() const = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
};

// Where prepared documents go. Both return false when the document could not be output; a print
// the user cancels in the print dialog is not a failure.
class ReportOutput {
public:
    virtual ~ReportOutput() = default;
    // The preview window (print, zoom, full screen, save as PDF, close); returns when it closes.
    virtual bool preview(QWidget* owner, const Reports::Document& document) = 0;
    // The print dialog, default printer first, then the printer.
    virtual bool print(QWidget* owner, const Reports::Document& document) = 0;
};

// What the program remembers for its user between runs: the data folder chosen, the folders last
// used for backups and exports. Keys are paths ("CartellaDati", "Copia/CartellaPerDati/...");
// a key never set reads empty.
class Settings {
public:
    virtual ~Settings() = default;
    virtual QString value(const QString& key) const = 0;
    virtual void setValue(const QString& key, const QString& value) = 0;
    // The key of a value remembered for one data folder ("Copia/CartellaPerDati/%2Fsrv%2Fshop"),
    // so a second shop on the same computer is never offered the first one's choice.
    static QString perDataFolder(const QString& section, const QString& dataFolder);
};

// The user's own settings store of the system (the registry on Windows, a file under ~/.config).
class UserSettings final : public Settings {
public:
    QString value(const QString& key) const override;
    void setValue(const QString& key, const QString& value) override;
};

// Everything a window needs from outside the program, handed to each window when it is created.
class Context {
public:
    Context(QString dataFolder, std::unique_ptr<Messages> messages, std::unique_ptr<FileDialogs> dialogs,
            std::unique_ptr<Shell> shell, std::unique_ptr<Clock> clock, std::unique_ptr<Clipboard> clipboard,
            std::unique_ptr<ReportOutput> reports, std::unique_ptr<Settings> settings = nullptr);
    ~Context();

    // The data folder, with a trailing separator as the shell-open callers expect.
    const QString& dataFolder() const { return m_dataFolder; }
    // A file or folder inside the data folder.
    QString path(const QString& name) const;
    // Where the program's own files stand (the guide document), with a trailing separator: the
    // data folder itself unless the program was told where it stands.
    const QString& installFolder() const
    {
        return m_installFolder.isEmpty() ? m_dataFolder : m_installFolder;
    }
    void setInstallFolder(const QString& folder);

    Messages& messages() const { return *m_messages; }
    FileDialogs& dialogs() const { return *m_dialogs; }
    Shell& shell() const { return *m_shell; }
    const Clock& clock() const { return *m_clock; }
    Clipboard& clipboard() const { return *m_clipboard; }
    ReportOutput& reports() const { return *m_reports; }
    // Without a store of its own a context remembers for its run only.
    Settings& settings() const { return *m_settings; }

private:
    QString m_dataFolder;
    QString m_installFolder;
    std::unique_ptr<Messages> m_messages;
    std::unique_ptr<FileDialogs> m_dialogs;
    std::unique_ptr<Shell> m_shell;
    std::unique_ptr<Clock> m_clock;
    std::unique_ptr<Clipboard> m_clipboard;
    std::unique_ptr<ReportOutput> m_reports;
    std::unique_ptr<Settings> m_settings;
};

} // namespace rf
