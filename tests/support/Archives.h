#pragma once

#include "storage/ArchiveFile.h"
#include "storage/RecordLayout.h"

#include <QMap>
#include <QString>
#include <QTest>

namespace rf::test {

// Appends a record with the given field values (the others empty) to the archive at path.
inline void appendRecord(const QString& path, const RecordLayout& layout, const QMap<QString, QString>& values)
{
    Record record(layout);
    for (auto it = values.begin(); it != values.end(); ++it) {
        QVERIFY2(layout.indexOf(it.key()) >= 0, qPrintable(it.key()));
        record.setValue(it.key(), it.value());
    }
    ArchiveFile archive(path, layout.size());
    QVERIFY(archive.OpenArchive());
    QVERIFY(archive.AppendRecord(record.encode()) > 0);
}

} // namespace rf::test
