#include "Context.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMessageBox>
#include <QSettings>
#include <QUrl>

namespace rf {

namespace {

QSettings userStore()
{
    return QSettings(QStringLiteral("Rotaflux"), QStringLiteral("Rotaflux"));
}

// Settings held for the run alone.
class RunSettings final : public Settings {
public:
    QString value(const QString& key) const override { return m_values.value(key); }
    void setValue(const QString& key, const QString& value) override { m_values.insert(key, value); }

private:
    QHash<QString, QString> m_values;
};

} // namespace

QString Settings::perDataFolder(const QString& section, const QString& dataFolder)
{
    const QFileInfo info(dataFolder);
    const QString path =
        info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    return section + QStringLiteral("/CartellaPerDati/") +
           QString::fromLatin1(QUrl::toPercentEncoding(QDir::cleanPath(QDir::fromNativeSeparators(path))));
}

QString UserSettings::value(const QString& key) const
{
    return userStore().value(key).toString();
}

void UserSettings::setValue(const QString& key, const QString& value)
{
    userStore().setValue(key, value);
}

Context::Context(QString dataFolder, std::unique_ptr<Messages> messages, std::unique_ptr<FileDialogs> dialogs,
                 std::unique_ptr<Shell> shell, std::unique_ptr<Clock> clock,
                 std::unique_ptr<Clipboard> clipboard, std::unique_ptr<ReportOutput> reports,
                 std::unique_ptr<Settings> settings)
    : m_dataFolder(QDir::toNativeSeparators(QDir(dataFolder).absolutePath() + QLatin1Char('/'))),
      m_messages(std::move(messages)), m_dialogs(std::move(dialogs)), m_shell(std::move(shell)),
      m_clock(std::move(clock)), m_clipboard(std::move(clipboard)), m_reports(std::move(reports)),
      m_settings(settings ? std::move(settings) : std::make_unique<RunSettings>())
{
}

Context::~Context() = default;

void Context::setInstallFolder(const QString& folder)
{
    m_installFolder = QDir::toNativeSeparators(QDir(folder).absolutePath() + QLatin1Char('/'));
}

QString Context::path(const QString& name) const
{
    return QDir(QDir::fromNativeSeparators(m_dataFolder)).filePath(name);
}

bool askDefaultNo(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace rf
