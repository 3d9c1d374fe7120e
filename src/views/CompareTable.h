#pragma once

#include "PageContext.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// Two to four software entries side by side: one column per product, one row
// per property (vendor, category, version, release date, licence, platforms,
// kernel, file formats, core features, competitors). A row differs when the
// products do not all give the same value; lists compare as sets, ignoring case.
class CompareTable
{
    Q_DECLARE_TR_FUNCTIONS(CompareTable)

public:
    static constexpr int MaxEntries = 4;
    static constexpr int MinEntries = 2;

    enum class AddResult
    {
        Added,
        AlreadyPresent,
        Full,
        NotSoftware
    };

    struct Row
    {
        QString label;
        QList<QStringList> values; // one list of items per product
        bool differs = false;
    };

    AddResult add(const QString& path, const QJsonObject& entry);
    bool remove(const QString& path);
    void clear();

    int count() const { return int(m_paths.size()); }
    bool isComparable() const { return count() >= MinEntries; }
    QStringList paths() const { return m_paths; }
    QList<QJsonObject> entries() const { return m_entries; }
    QStringList productNames() const;

    QList<Row> rows() const;
    // "项目", the product names, "是否不同"; a cell's items joined by "; ".
    QByteArray toCsv() const;
    // The table as page body; product names link to their entries.
    QString toHtml(const PageContext& context = PageContext()) const;
    // The status text for an add result.
    static QString addResultMessage(AddResult result, const QString& name);

private:
    QStringList m_paths;
    QList<QJsonObject> m_entries;
};
