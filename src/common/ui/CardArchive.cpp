#include "CardArchive.h"

#include "common/ui/Context.h"
#include "common/ui/UserTexts.h"
#include "storage/ArchiveFile.h"
#include "storage/RecordLayout.h"

#include <QLabel>

namespace rf {

namespace {
const char* const UpdatedMessage =
    "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";
const char* const InsertedMessage = "La scheda corrente è stata inserita in archivio.";
} // namespace

CardArchive::CardArchive(Context& context, QWidget* window, QString fileName, const RecordLayout& layout,
                         QLabel* lblPosizione, Callbacks callbacks)
    : m_context(context), m_window(window), m_fileName(std::move(fileName)), m_layout(layout),
      m_label(lblPosizione), m_callbacks(std::move(callbacks))
{
}

void CardArchive::setFailureBox(Action action, Box box)
{
    m_boxes[int(action)] = box;
}

QString CardArchive::archivePath() const
{
    return m_context.path(m_fileName);
}

qint64 CardArchive::position() const
{
    return m_label->text().trimmed().toLongLong();
}

void CardArchive::fail(Action action)
{
    const QString text = Texts::archiveAccess();
    if (m_boxes[int(action)] == Box::Warning)
        m_context.messages().warning(m_window, text);
    else
        m_context.messages().error(m_window, text);
}

bool CardArchive::open(ArchiveFile& archive)
{
    if (!archive.OpenArchive())
        return false;
    if (!archive.notice().isEmpty() && archive.notice() != m_toldNotice) {
        m_toldNotice = archive.notice();
        m_context.messages().warning(m_window, Texts::archiveNotice(archive.notice()));
    }
    return true;
}

bool CardArchive::showRecordFor(Action action, qint64 position)
{
    ArchiveFile archive(archivePath(), m_layout.size());
    QByteArray record;
    if (!open(archive) || !archive.ReadRecord(position, record)) {
        archive.CloseArchive();
        fail(action);
        return false;
    }
    if (m_callbacks.showTexts)
        m_callbacks.showTexts(m_layout.decode(record));
    m_label->setText(QString::number(position));
    archive.CloseArchive();
    if (m_callbacks.afterRead)
        m_callbacks.afterRead();
    return true;
}

bool CardArchive::showRecord(qint64 position)
{
    return showRecordFor(Action::First, position);
}

bool CardArchive::browse(BrowseButton button)
{
    const Action action = Action(int(button));
    qint64 count = -1;
    {
        ArchiveFile archive(archivePath(), m_layout.size());
        if (open(archive))
            count = archive.RecordCount();
    }
    if (count < 0) {
        fail(action);
        return false;
    }
    const BrowseStep step = decideBrowse(button, m_label->text(), count);
    if (step.labelToZero)
        m_label->setText(QStringLiteral("0"));
    if (step.clearLabel)
        m_label->clear();
    switch (step.kind) {
    case BrowseStep::Kind::EmptyArchive:
        m_context.messages().information(m_window, Texts::emptyArchive());
        return true;
    case BrowseStep::Kind::ShowRecord:
        return showRecordFor(action, step.position);
    case BrowseStep::Kind::Nothing:
        return true;
    }
    return true;
}

bool CardArchive::save()
{
    const QString label = m_label->text().trimmed();
    const QByteArray record =
        m_layout.encode(m_callbacks.collectTexts ? m_callbacks.collectTexts() : QStringList());
    ArchiveFile archive(archivePath(), m_layout.size());
    if (!open(archive)) {
        fail(Action::Save);
        return false;
    }
    if (archive.isReadOnly()) {
        // Nothing is written while an interrupted rewrite waits to be undone: say why, every time.
        m_context.messages().warning(m_window,
                                     Texts::archiveNotice({ArchiveNotice::Kind::JournalPending, {}}));
        return false;
    }
    bool updated = false;
    if (!label.isEmpty()) {
        bool ok = false;
        const qint64 p = label.toLongLong(&ok);
        if (!ok || !archive.WriteRecord(p, record)) {
            archive.CloseArchive();
            fail(Action::Save);
            return false;
        }
        updated = true;
    } else {
        const qint64 p = archive.AppendRecord(record);
        if (p < 0) {
            archive.CloseArchive();
            fail(Action::Save);
            return false;
        }
        m_label->setText(QString::number(p));
    }
    archive.CloseArchive();
    if (m_callbacks.afterSave)
        m_callbacks.afterSave();
    m_context.messages().information(m_window, QString::fromUtf8(updated ? UpdatedMessage : InsertedMessage));
    return true;
}

} // namespace rf
