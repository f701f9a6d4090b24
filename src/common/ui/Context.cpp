#include "Context.h"

#include "TMisc.h"
#include "common/ui/ReportPreview.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace rf {
namespace {

class RealMessages final : public Messages {
public:
    void warning(QWidget* parent, const QString& text) override
    {
        QMessageBox::warning(parent, QString(), text, QMessageBox::Ok | QMessageBox::Cancel);
    }
    void error(QWidget* parent, const QString& text) override
    {
        QMessageBox::critical(parent, QString(), text, QMessageBox::Ok | QMessageBox::Cancel);
    }
    void information(QWidget* parent, const QString& text) override
    {
        QMessageBox::information(parent, QString(), text, QMessageBox::Ok | QMessageBox::Cancel);
    }
    bool confirm(QWidget* parent, const QString& text) override
    {
        return QMessageBox::question(parent, QString(), text, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    }
    void plain(QWidget* parent, const QString& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
        box.exec();
    }
};

class RealFileDialogs final : public FileDialogs {
public:
    QString openFile(QWidget* parent, const QString& title, const QString& folder,
                     const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, title, folder, filter);
    }
    QString saveFile(QWidget* parent, const QString& title, const QString& folder,
                     const QString& filter) override
    {
        return QFileDialog::getSaveFileName(parent, title, folder, filter);
    }
};

class RealShell final : public Shell {
public:
    void open(const QString& command) override { TMisc::Open(command); }
};

class RealClock final : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class RealClipboard final : public Clipboard {
public:
    void setText(const QString& text) override { QApplication::clipboard()->setText(text); }
    QString text() const override { return QApplication::clipboard()->text(); }
};

} // namespace

Context::Context(QString programFolder, std::unique_ptr<Messages> messages, std::unique_ptr<FileDialogs> dialogs,
                 std::unique_ptr<Shell> shell, std::unique_ptr<Clock> clock,
                 std::unique_ptr<Clipboard> clipboard, std::unique_ptr<ReportOutput> reports)
    : m_programFolder(QDir::toNativeSeparators(QDir(programFolder).absolutePath() + QLatin1Char('/'))),
      m_messages(std::move(messages)), m_dialogs(std::move(dialogs)), m_shell(std::move(shell)),
      m_clock(std::move(clock)), m_clipboard(std::move(clipboard)), m_reports(std::move(reports))
{
}

Context::~Context() = default;

std::unique_ptr<Context> Context::createReal(const QString& programFolder)
{
    return std::make_unique<Context>(programFolder, std::make_unique<RealMessages>(),
                                     std::make_unique<RealFileDialogs>(), std::make_unique<RealShell>(),
                                     std::make_unique<RealClock>(), std::make_unique<RealClipboard>(),
                                     std::make_unique<PrinterReportOutput>());
}

QString Context::path(const QString& name) const
{
    return QDir(QDir::fromNativeSeparators(m_programFolder)).filePath(name);
}

} // namespace rf
