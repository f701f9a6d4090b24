#include "FuzzTargets.h"

#include "app/PasswordStore.h"
#include "contracts/SchedaContratto.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/PlanningFile.h"
#include "storage/ArchiveFile.h"
#include "storage/Durable.h"
#include "storage/IniFile.h"
#include "storage/RecordScan.h"

#include <QFile>
#include <QTemporaryDir>

namespace rf::fuzz {

namespace {

QString scratchFile(const QString& name, const QByteArray& data)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(data);
    return path;
}

} // namespace

void Records(const QByteArray& data)
{
    for (const RecordLayout* layout : {&TSchedaVeicolo(), &TSchedaContratto(), &TSchedaPlanning()}) {
        QByteArray record = data.left(layout->size());
        record.append(layout->size() - record.size(), '\0');
        const QStringList texts = layout->decode(record);
        const RecordView view(*layout, record.constData(), 1);
        for (int i = 0; i < layout->fieldCount(); ++i) {
            if (view.fieldBytes(i).size() > layout->capacity(i) || texts.at(i).size() > layout->capacity(i))
                __builtin_trap(); // a field never reads past its capacity
        }
        // Encoding what was decoded gives a record that decodes the same.
        if (layout->decode(layout->encode(texts)) != texts)
            __builtin_trap();
    }
    ArchiveFile archive(scratchFile(QStringLiteral("a.pro"), data), 37);
    if (archive.OpenArchive())
        archive.ScanRecords([](qint64, const char*) { return true; });
    archive.CloseArchive();
    Durable::readJournal(scratchFile(QStringLiteral("a.journal"), data));
}

void Ini(const QByteArray& data)
{
    IniFile ini(scratchFile(QStringLiteral("Rotaflux.ini"), data));
    if (!ini.load())
        return;
    ini.value(QStringLiteral("Contratti DOZ"), QStringLiteral("Foro"));
    ini.setValue(QStringLiteral("Contratti DOZ"), QStringLiteral("Luogo"), QStringLiteral("Riva"));
    ini.save();
}

void Password(const QByteArray& data)
{
    const std::optional<QString> stored =
        PasswordStore(scratchFile(QStringLiteral("unins000.dll"), data)).read();
    if (stored)
        (void)(PasswordStore::storedForm(QStringLiteral("primaveraverde")) == *stored);
}

} // namespace rf::fuzz
