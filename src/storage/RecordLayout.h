#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <vector>

namespace rf {

// One field of a record: its name (the edit that shows it is "txt" + name), its capacity and the
// caption the card window shows beside it (none for hidden fields).
struct FieldDef {
    const char* name;
    int capacity;
    const char* label = nullptr;
};

// A record type as a table of counted-string fields in record order. Offsets and the record
// size are computed from the table; encoding and decoding go through it alone.
class RecordLayout {
public:
    RecordLayout(std::initializer_list<FieldDef> fields);
    // The fields, then a common tail shared by several record types.
    RecordLayout(std::initializer_list<FieldDef> fields, const std::vector<FieldDef>& tail);

    int size() const { return m_size; }
    int fieldCount() const { return int(m_fields.size()); }
    const FieldDef& field(int index) const { return m_fields[std::size_t(index)]; }
    QString name(int index) const { return QString::fromLatin1(field(index).name); }
    int capacity(int index) const { return field(index).capacity; }
    QString label(int index) const { return QString::fromUtf8(field(index).label); }
    int offset(int index) const { return m_offsets[std::size_t(index)]; }
    // Index of the named field, or -1.
    int indexOf(const QString& name) const;

    // The trimmed texts of a record of size() bytes at data.
    QStringList decode(const char* data) const;
    QStringList decode(const QByteArray& bytes) const { return decode(bytes.constData()); }
    // A record of size() bytes from one text per field (missing texts are stored empty).
    QByteArray encode(const QStringList& texts) const;

private:
    std::vector<FieldDef> m_fields;
    std::vector<int> m_offsets;
    int m_size = 0;
};

// A record held as its decoded texts, reached by field name.
class Record {
public:
    explicit Record(const RecordLayout& layout);
    Record(const RecordLayout& layout, QStringList texts);

    const RecordLayout& layout() const { return *m_layout; }
    const QStringList& texts() const { return m_texts; }
    QString value(const QString& name) const;
    void setValue(const QString& name, const QString& text);
    QByteArray encode() const { return m_layout->encode(m_texts); }

private:
    const RecordLayout* m_layout;
    QStringList m_texts;
};

} // namespace rf
