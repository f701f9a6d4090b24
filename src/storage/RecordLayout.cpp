#include "RecordLayout.h"

#include "CountedString.h"

namespace rf {

RecordLayout::RecordLayout(std::initializer_list<FieldDef> fields, const std::vector<FieldDef>& tail)
    : RecordLayout(fields)
{
    for (const FieldDef& f : tail) {
        m_fields.push_back(f);
        m_offsets.push_back(m_size);
        m_size += f.capacity + 1;
    }
}

RecordLayout::RecordLayout(std::initializer_list<FieldDef> fields) : m_fields(fields)
{
    m_offsets.reserve(m_fields.size());
    for (const FieldDef& f : m_fields) {
        m_offsets.push_back(m_size);
        m_size += f.capacity + 1;
    }
}

int RecordLayout::indexOf(const QString& name) const
{
    for (int i = 0; i < fieldCount(); ++i) {
        if (name == QLatin1String(m_fields[std::size_t(i)].name))
            return i;
    }
    return -1;
}

QStringList RecordLayout::decode(const char* data) const
{
    QStringList texts;
    texts.reserve(fieldCount());
    for (int i = 0; i < fieldCount(); ++i)
        texts.append(GetCounted(data + offset(i), capacity(i)));
    return texts;
}

QByteArray RecordLayout::encode(const QStringList& texts) const
{
    QByteArray out(m_size, '\0');
    for (int i = 0; i < fieldCount(); ++i)
        PutCounted(i < texts.size() ? texts.at(i) : QString(), capacity(i), out.data() + offset(i));
    return out;
}

Record::Record(const RecordLayout& layout) : m_layout(&layout)
{
    for (int i = 0; i < layout.fieldCount(); ++i)
        m_texts.append(QString());
}

Record::Record(const RecordLayout& layout, QStringList texts) : m_layout(&layout), m_texts(std::move(texts))
{
    while (m_texts.size() < layout.fieldCount())
        m_texts.append(QString());
}

QString Record::value(const QString& name) const
{
    const int i = m_layout->indexOf(name);
    return i < 0 ? QString() : m_texts.at(i);
}

void Record::setValue(const QString& name, const QString& text)
{
    const int i = m_layout->indexOf(name);
    if (i >= 0)
        m_texts[i] = text;
}

} // namespace rf
