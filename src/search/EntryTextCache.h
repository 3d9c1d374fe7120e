#pragma once

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
    void clear();
    // Whether entries() would prepare the list afresh.
    bool isStale(DataManager* manager) const;

private:
    QPointer<DataManager> m_manager;
    quint64 m_generation = 0;
    QHash<QString, std::vector<Entry>> m_lists;
};
