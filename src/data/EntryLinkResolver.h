#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class DataManager;
class QJsonObject;

// Turns the names an entry mentions (a vendor, a competitor, a kernel, a
// recommended tool) into the entries of the knowledge base they name. Built
// once from the data manager's lists and dropped when the data changes, so a
// page never scans the knowledge base itself.
//
// A name resolves by "id" first, then by "name" or "fullName" ignoring case,
// then by the part before or inside a bracket ("CGM（Convergence Geometric
// Modeler）" finds "CGM"). When a step finds several entries, the one of the
// preferred kind wins; if that still leaves several, the name stays unresolved.
class EntryLinkResolver : public QObject
{
    Q_OBJECT

public:
    enum class Kind
    {
        Any,
        Software,
        Company,
        Technology,
        Article
    };

    struct Target
    {
        QString path;
        QString id;
        QString name;
        QString category;
        Kind kind = Kind::Any;
        bool isValid() const { return !path.isEmpty(); }
    };

    explicit EntryLinkResolver(QObject* parent = nullptr);

    // Follows the data manager: rebuilt at the next use after it loads or a file changes.
    void setDataManager(DataManager* dataManager);
    // Forgets every entry; the next use rebuilds from the data manager.
    void invalidate();
    // Builds from the data manager unless already built.
    void ensureBuilt();
    int buildCount() const { return m_buildCount; }

    // Adds one entry by hand (tests, or callers without a data manager).
    void addEntry(const QJsonObject& entry, Kind kind, const QString& path);
    void addArticle(const QString& path, const QString& title);

    Target resolve(const QString& name, Kind preferred = Kind::Any) const;
    Target targetForPath(const QString& path) const;
    // Every software entry whose vendor resolves to the company at companyPath, in name order.
    QList<Target> softwareOfCompany(const QString& companyPath) const;
    QList<Target> targets() const { return m_targets; }

    static QString normalizedName(const QString& name);
    // The part before the first bracket and the part inside it, when there is one.
    static QStringList bracketVariants(const QString& name);
    // The first "# " heading of a Markdown text, else an empty string.
    static QString articleTitle(const QString& markdown);

private:
    void build();
    void addIndex(QHash<QString, QList<int>>& index, const QString& key, int target);
    Target pick(const QList<int>& candidates, Kind preferred, bool* ambiguous) const;
    void linkVendors() const;

    QPointer<DataManager> m_dataManager;
    QList<Target> m_targets;
    QStringList m_vendors; // the raw vendor of each target, empty for non-software
    QHash<QString, int> m_byPath;
    QHash<QString, QList<int>> m_byId;
    QHash<QString, QList<int>> m_byName;
    QHash<QString, QList<int>> m_byAlias;
    mutable QHash<QString, QList<int>> m_softwareByCompany;
    bool m_built = false;
    mutable bool m_vendorsLinked = false;
    int m_buildCount = 0;
};
