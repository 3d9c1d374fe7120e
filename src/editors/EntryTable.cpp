#include "EntryTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

QString EntryTable::compactMember(const QString& key, const QJsonValue& value)
{
    QJsonObject member;
    member.insert(key, value);
    return QString::fromUtf8(QJsonDocument(member).toJson(QJsonDocument::Compact));
}

QString EntryTable::cellText(const QString& key, const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', 6);
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Undefined:
        // A key the row lacks shows like an explicit null.
        return compactMember(key, QJsonValue::Null);
    case QJsonValue::Null:
    case QJsonValue::Array:
    case QJsonValue::Object:
        break;
    }
    return compactMember(key, value);
}

EntryTable EntryTable::fromEntry(const QJsonObject& entry)
{
    EntryTable table;

    const QJsonValue tableData = entry.value(QStringLiteral("tableData"));
    if (tableData.isArray()) {
        const QJsonArray elements = tableData.toArray();
        if (elements.isEmpty())
            return table;
        // The first element decides the columns; QJsonObject keeps keys sorted.
        table.m_header = elements.first().toObject().keys();
        for (const QJsonValue& element : elements) {
            const QJsonObject object = element.toObject();
            QStringList row;
            for (const QString& key : std::as_const(table.m_header))
                row << cellText(key, object.value(key));
            table.m_rows << row;
        }
        table.m_null = false;
        return table;
    }

    for (auto it = entry.constBegin(); it != entry.constEnd(); ++it) {
        if (it.key() == QLatin1String("_filePath") || it.key() == QLatin1String("metadata"))
            continue;
        const QString value =
            it.value().isString() ? it.value().toString() : compactMember(it.key(), it.value());
        table.m_rows << QStringList{it.key(), value};
    }
    if (table.m_rows.isEmpty())
        return table;
    table.m_header = QStringList{tr("字段"), tr("值")};
    table.m_null = false;
    return table;
}
