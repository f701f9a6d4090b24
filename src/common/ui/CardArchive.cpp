#include "CardArchive.h"

#include "common/ui/Context.h"
#include "common/ui/UserTexts.h"
#include "storage/ArchiveFile.h"
#include "storage/CardSave.h"
#include "storage/RecordLayout.h"

#include <QLabel>

#include <algorithm>

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
    const QString text = Texts::archiveAccess(archivePath(), action == Action::Save ? Texts::Access::Write
                                                                                    : Texts::Access::Read);
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
    if (m_callbacks.beforeReplace)
        m_callbacks.beforeReplace();
    m_loaded = m_layout.decode(record);
    m_loadedAt = position;
    if (m_callbacks.showTexts)
        m_callbacks.showTexts(m_loaded);
    m_label->setText(QString::number(position));
    archive.CloseArchive();
    if (m_callbacks.afterRead)
        m_callbacks.afterRead();
    return true;
}

void CardArchive::restore(const Ground& ground, const QString& position)
{
    m_loaded = ground.texts;
    m_loadedAt = ground.at;
    if (m_callbacks.showTexts)
        m_callbacks.showTexts(ground.texts);
    m_label->setText(position);
    if (m_callbacks.afterRead)
        m_callbacks.afterRead();
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

namespace {

// A field as the card names it: its caption without the colon, or its name where it has none.
QString fieldName(const RecordLayout& layout, int field)
{
    QString caption = layout.label(field).trimmed();
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption.isEmpty() ? layout.name(field) : caption;
}

// "Cliente, Note".
QString fieldNames(const RecordLayout& layout, const std::vector<int>& fields)
{
    QStringList names;
    for (int field : fields)
        names.append(fieldName(layout, field));
    return names.join(QStringLiteral(", "));
}

QString shortText(const QString& text)
{
    constexpr int Longest = 40;
    return text.size() > Longest ? text.left(Longest - 3) + QStringLiteral("...") : text;
}

std::vector<int> without(const std::vector<int>& fields, const std::vector<int>& removed)
{
    std::vector<int> kept;
    for (int field : fields) {
        if (std::find(removed.begin(), removed.end(), field) == removed.end())
            kept.push_back(field);
    }
    return kept;
}

} // namespace

QString CardArchive::conflictText(const CardSave& found, const QStringList& mine) const
{
    QStringList both;
    for (int field : found.both) {
        both.append(QStringLiteral("%1: \"%2\" in questa scheda, \"%3\" nell'altra postazione")
                        .arg(fieldName(m_layout, field),
                             shortText(m_layout.decode(m_layout.encode(mine)).value(field)),
                             shortText(found.stored.value(field))));
    }
    return QStringLiteral(
               "Attenzione: dopo che questa scheda è stata letta, un'altra postazione l'ha "
               "modificata e salvata." RF_BREAK_LF_CR "Campi modificati dall'altra postazione: %1."
               "\nCampi modificati in questa scheda: %2." RF_BREAK_LF_CR
               "Modificati da entrambe:\n%3" RF_BREAK_LF_CR
               "Ricaricare la scheda per vedere i dati salvati dall'altra postazione, oppure "
               "salvare la propria versione: i campi modificati da entrambe prenderanno i valori di "
               "questa scheda, gli altri cambiamenti dell'altra postazione saranno mantenuti.")
        .arg(fieldNames(m_layout, found.theirs), fieldNames(m_layout, found.mine),
             both.join(QLatin1Char('\n')));
}

bool CardArchive::save()
{
    const QString label = m_label->text().trimmed();
    const QStringList mine = m_callbacks.collectTexts ? m_callbacks.collectTexts() : QStringList();
    if (label.isEmpty())
        return append(mine);
    bool ok = false;
    const qint64 p = label.toLongLong(&ok);
    if (!ok || p < 1) {
        fail(Action::Save);
        return false;
    }
    // The card is compared with what it was when read: a record another workstation saved
    // meanwhile is never overwritten behind its back.
    QStringList loaded = p == m_loadedAt ? m_loaded : QStringList();
    bool mineWins = false;
    CardSave saved;
    for (;;) {
        saved = saveCard(archivePath(), m_layout, p, loaded, mine, mineWins);
        if (saved.outcome != CardSave::Outcome::Conflict)
            break;
        const int choice =
            m_context.messages().choose(m_window, conflictText(saved, mine),
                                        {QStringLiteral("Ricarica la scheda"),
                                         QStringLiteral("Salva la mia versione"), QStringLiteral("Annulla")});
        if (choice == 0)
            return showRecordFor(Action::Save, p);
        if (choice != 1)
            return false;
        // The user has seen the other version: it is the new ground for this save.
        loaded = saved.stored;
        mineWins = true;
    }
    switch (saved.outcome) {
    case CardSave::Outcome::Saved:
    case CardSave::Outcome::Merged:
        break;
    case CardSave::Outcome::ReadOnly:
        // Nothing is written while an interrupted rewrite waits to be undone: say why, every time.
        m_context.messages().warning(m_window,
                                     Texts::archiveNotice({ArchiveNotice::Kind::JournalPending, {}}));
        return false;
    case CardSave::Outcome::Conflict:
    case CardSave::Outcome::NotFound:
    case CardSave::Outcome::Failed:
        fail(Action::Save);
        return false;
    }
    m_loaded = saved.stored;
    m_loadedAt = p;
    // Changes of the other workstation kept beside this card's are shown on the card.
    const std::vector<int> kept = without(saved.theirs, saved.mine);
    if (!kept.empty() && m_callbacks.showTexts)
        m_callbacks.showTexts(saved.stored);
    if (m_callbacks.afterSave)
        m_callbacks.afterSave();
    QString text = QString::fromUtf8(UpdatedMessage);
    if (!kept.empty())
        text +=
            QStringLiteral(RF_BREAK_LF_CR "Nel frattempo un'altra postazione aveva modificato: %1. Le sue "
                                          "modifiche sono state mantenute e sono ora visualizzate.")
                .arg(fieldNames(m_layout, kept));
    m_context.messages().information(m_window, text);
    return true;
}

bool CardArchive::append(const QStringList& mine)
{
    const QByteArray record = m_layout.encode(mine);
    ArchiveFile archive(archivePath(), m_layout.size());
    if (!open(archive)) {
        fail(Action::Save);
        return false;
    }
    if (archive.isReadOnly()) {
        m_context.messages().warning(m_window,
                                     Texts::archiveNotice({ArchiveNotice::Kind::JournalPending, {}}));
        return false;
    }
    const qint64 p = archive.AppendRecord(record);
    archive.CloseArchive();
    if (p < 0) {
        fail(Action::Save);
        return false;
    }
    m_label->setText(QString::number(p));
    m_loaded = m_layout.decode(record);
    m_loadedAt = p;
    if (m_callbacks.afterSave)
        m_callbacks.afterSave();
    m_context.messages().information(m_window, QString::fromUtf8(InsertedMessage));
    return true;
}

} // namespace rf
