#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class DataManager;

// The quick search's copy of what it needs from the data manager's lists: each
// entry's searchable text, lower-cased once. Kept while the manager hands out
// the same lists, that is until it drops them (a file changed, a refresh).
class EntryTextCache
{
public:
    struct Entry
    {
        QJsonObject object;
        QString lowerText;
        // The text as built, kept only where lower-casing and Qt's case-insensitive
        // comparison disagree about a character (micro sign, final sigma, dotted
        // capital I, surrogates): the case-insensitive test then runs on it as before.
        QString text;
        QString lowerName;
        QString lowerCategory;
        QString lowerZh;
        bool hasDescription = false;

        bool foldsAsLower() const { return text.isNull(); }
    };
    using TextOf = std::function<QString(const QJsonObject&)>;

    // The object elements of list, in order, prepared. key names the list among
    // those of the same manager; the list must be what the manager returns for it now.
    const std::vector<Entry>& entries(DataManager* manager, const QString& key,
                                      const QJsonArray& list, const TextOf& textOf);
    // Prepares what is left of the list, stopping once clock passes deadlineNs (a
    // later call goes on from there); without a clock, all of it. True when ready.
    bool prepare(DataManager* manager, const QString& key, const QJsonArray& list,
                 const TextOf& textOf, const QElapsedTimer* clock = nullptr, qint64 deadlineNs = 0);
    // Whether entries() returns the list at once, without preparing anything.
    bool isReady(DataManager* manager, const QString& key) const;
    // Of a list of listSize elements, those that entries() would still have to prepare.
    qsizetype unprepared(DataManager* manager, const QString& key, qsizetype listSize) const;
    void clear();
    // Whether entries() would prepare the list afresh.
    bool isStale(DataManager* manager) const;

private:
    struct Partial
    {
        std::vector<Entry> entries;
        qsizetype next = 0; // the list index to prepare next
    };

    void dropIfStale(DataManager* manager);

    QPointer<DataManager> m_manager;
    quint64 m_generation = 0;
    QHash<QString, std::vector<Entry>> m_lists;
    QHash<QString, Partial> m_partial;
};
