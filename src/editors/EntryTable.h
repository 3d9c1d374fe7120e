#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// The cell texts a knowledge-base entry shows as a table: one row per element of its
// "tableData" array, or else one row per top-level key with its value.
class EntryTable
{
    Q_DECLARE_TR_FUNCTIONS(EntryTable)

public:
    static EntryTable fromEntry(const QJsonObject& entry);

    // Null when the entry gives nothing to show; the table then stays as it was.
    bool isNull() const { return m_null; }
    const QStringList& header() const { return m_header; }
    const QList<QStringList>& rows() const { return m_rows; }

    static QString cellText(const QString& key, const QJsonValue& value);
    static QString compactMember(const QString& key, const QJsonValue& value);

private:
    QStringList m_header;
    QList<QStringList> m_rows;
    bool m_null = true;
};
