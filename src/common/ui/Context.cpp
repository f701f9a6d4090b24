#include "Context.h"

#include <QDir>
#include <QMessageBox>

namespace rf {

Context::Context(QString programFolder, std::unique_ptr<Messages> messages,
                 std::unique_ptr<FileDialogs> dialogs, std::unique_ptr<Shell> shell,
                 std::unique_ptr<Clock> clock, std::unique_ptr<Clipboard> clipboard,
                 std::unique_ptr<ReportOutput> reports)
    : m_programFolder(QDir::toNativeSeparators(QDir(programFolder).absolutePath() + QLatin1Char('/'))),
      m_messages(std::move(messages)), m_dialogs(std::move(dialogs)), m_shell(std::move(shell)),
      m_clock(std::move(clock)), m_clipboard(std::move(clipboard)), m_reports(std::move(reports))
{
}

Context::~Context() = default;

void Context::setInstallFolder(const QString& folder)
{
    m_installFolder = QDir::toNativeSeparators(QDir(folder).absolutePath() + QLatin1Char('/'));
}

QString Context::path(const QString& name) const
{
    return QDir(QDir::fromNativeSeparators(m_programFolder)).filePath(name);
}

bool askDefaultNo(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace rf
