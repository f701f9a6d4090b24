#pragma once

#include "storage/ArchiveFile.h"
#include "storage/RecordLayout.h"

#include <QMap>
#include <QString>
#include <QTest>

namespace rf::Test {

// The bytes of a record with the given field values, the others empty.
inline QByteArray encodeRecord(const RecordLayout& layout, const QMap<QString, QString>& values)
{
    Record record(layout);
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (layout.indexOf(it.key()) < 0)
            qFatal("no field %s", qPrintable(it.key()));
        record.setValue(it.key(), it.value());
    }
    return record.encode();
}

// Appends a record with the given field values (the others empty) to the archive at path.
inline void appendRecord(const QString& path, const RecordLayout& layout,
                         const QMap<QString, QString>& values)
{
    ArchiveFile archive(path, layout.size());
    QVERIFY(archive.OpenArchive());
    QVERIFY(archive.AppendRecord(encodeRecord(layout, values)) > 0);
}

} // namespace rf::Test
