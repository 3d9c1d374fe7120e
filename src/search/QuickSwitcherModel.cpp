#include "QuickSwitcherModel.h"

#include "data/ArticleCatalog.h"
#include "data/DataManager.h"
#include "search/SearchEngine.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>

namespace {

// The tree's order first, then any further configured category.
QStringList softwareKeys(const QJsonObject& categories)
{
    QStringList keys{"CAD", "CAE", "CFD", "CAM", "EDA", "PLM"};
    const QJsonObject software = categories.value(QLatin1String("softwareCategories")).toObject();
    keys.erase(std::remove_if(keys.begin(), keys.end(),
                              [&](const QString& key) { return !software.contains(key); }),
               keys.end());
    for (auto it = software.constBegin(); it != software.constEnd(); ++it) {
        if (!keys.contains(it.key()))
            keys << it.key();
    }
    return keys;
}

QString entryName(const QJsonObject& entry)
{
    for (const char* key : {"name", "title", "id", "fileName"}) {
        const QString value = entry.value(QLatin1String(key)).toString();
        if (!value.isEmpty())
            return value;
    }
    return {};
}

const QRegularExpression& wordSeparators()
{
    static const QRegularExpression expression(QStringLiteral("[\\s\\-_/()（）·.,]+"));
    return expression;
}

} // namespace

QuickSwitcherModel::QuickSwitcherModel(QObject* parent) : QAbstractListModel(parent)
{
    m_fullTextTimer.setSingleShot(true);
    m_fullTextTimer.setInterval(0);
    connect(&m_fullTextTimer, &QTimer::timeout, this, &QuickSwitcherModel::completeFullText);
}

void QuickSwitcherModel::add(Item item)
{
    if (item.path.isEmpty() || item.name.isEmpty() || m_indexByPath.contains(item.path))
        return;
    item.lowerName = item.name.toLower();
    item.lowerAlternative = item.alternative.toLower();
    item.lowerText = item.lowerText.toLower();
    m_indexByPath.insert(item.path, static_cast<int>(m_items.size()));
    m_items.append(item);
}

void QuickSwitcherModel::rebuild(DataManager* dataManager, SearchEngine* searchEngine,
                                 const QString& dataPath)
{
    beginResetModel();
    m_dataManager = dataManager;
    m_searchEngine = searchEngine;
    m_items.clear();
    m_indexByPath.clear();
    m_results.clear();
    m_fullTextTimer.stop();
    m_fullTextPending = false;
    m_built = dataManager != nullptr;
    if (!dataManager) {
        endResetModel();
        return;
    }

    SearchEngine localEngine;
    SearchEngine* extractor = searchEngine ? searchEngine : &localEngine;
    const auto addEntries = [&](const QJsonArray& entries, const QString& kind) {
        for (const QJsonValue& value : entries) {
            const QJsonObject entry = value.toObject();
            Item item;
            item.name = entryName(entry);
            item.alternative = entry.value(QLatin1String("fullName")).toString();
            if (item.alternative.isEmpty())
                item.alternative = entry.value(QLatin1String("id")).toString();
            item.kind = kind;
            item.path = entry.value(QLatin1String("_filePath")).toString();
            item.lowerText = extractor->extractSearchableText(entry);
            add(item);
        }
    };
    const auto addPage = [&](const QString& name, const QString& alternative, const QString& kind,
                             const QString& path) {
        Item item;
        item.name = name;
        item.alternative = alternative;
        item.kind = kind;
        item.path = path;
        add(item);
    };

    const QJsonObject categories = dataManager->getCategories();
    const QJsonObject software = categories.value(QLatin1String("softwareCategories")).toObject();
    for (const QString& key : softwareKeys(categories)) {
        addEntries(dataManager->getSoftwareList(key.toLower()), tr("%1 软件").arg(key));
        addPage(software.value(key).toObject().value(QLatin1String("name")).toString(), key,
                tr("软件分类"), QStringLiteral("software/") + key.toLower());
    }

    addEntries(dataManager->getCompaniesList(), tr("公司"));
    addPage(tr("公司企业"), QStringLiteral("companies"), tr("分类"), QStringLiteral("companies"));

    const QJsonObject technologies =
        categories.value(QLatin1String("technologyCategories")).toObject();
    for (auto it = technologies.constBegin(); it != technologies.constEnd(); ++it) {
        const QString name = it.value().toObject().value(QLatin1String("name")).toString();
        addEntries(dataManager->getTechnologiesList(it.key()), tr("核心技术 · %1").arg(name));
        addPage(name, it.key(), tr("技术分类"), QStringLiteral("technologies/") + it.key());
    }
    // Technologies outside the configured types (the folder's own files).
    addEntries(dataManager->getTechnologiesList(), tr("核心技术"));

    const QJsonObject disciplines =
        categories.value(QLatin1String("disciplineCategories")).toObject();
    for (auto it = disciplines.constBegin(); it != disciplines.constEnd(); ++it) {
        const QJsonObject discipline = it.value().toObject();
        addPage(discipline.value(QLatin1String("name")).toString(), it.key(), tr("学科领域"),
                QStringLiteral("disciplines/") + it.key());
        for (const QJsonValue& value :
             discipline.value(QLatin1String("subDisciplines")).toArray()) {
            const QJsonObject sub = value.toObject();
            const QString id = sub.value(QLatin1String("id")).toString();
            if (!id.isEmpty())
                addPage(sub.value(QLatin1String("name")).toString(), id, tr("学科领域"),
                        QStringLiteral("disciplines/%1/%2").arg(it.key(), id));
        }
    }
    addEntries(dataManager->getDisciplinesList(), tr("学科资料"));

    addEntries(dataManager->getPicturesList(), tr("图片"));
    addPage(tr("图片资源"), QStringLiteral("pictures"), tr("分类"), QStringLiteral("pictures"));

    for (const Article& article : ArticleCatalog::list(dataPath)) {
        Item item;
        item.name = article.title;
        item.alternative = article.path.section(QLatin1Char('/'), -1);
        item.kind = tr("文章 · %1").arg(ArticleCatalog::folderLabel(categories, article.folder));
        item.path = article.path;
        add(item);
    }

    const QString query = m_query;
    m_query.clear();
    m_engineHits.clear();
    endResetModel();
    setQuery(query);
}

int QuickSwitcherModel::nameTier(const Item& item, const QString& lowerQuery)
{
    if (lowerQuery.isEmpty())
        return -1;
    if (item.lowerName == lowerQuery || item.lowerAlternative == lowerQuery)
        return 0;
    if (item.lowerName.startsWith(lowerQuery))
        return 1;
    const QStringList words = item.lowerName.split(wordSeparators(), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        if (word.startsWith(lowerQuery))
            return 2;
    }
    if (item.lowerName.contains(lowerQuery))
        return 3;
    if (item.lowerAlternative.contains(lowerQuery))
        return 4;
    return -1;
}

void QuickSwitcherModel::setQuery(const QString& query)
{
    const QString trimmed = query.trimmed();
    if (trimmed == m_query && !m_results.isEmpty())
        return;
    m_query = trimmed;
    m_engineHits.clear();
    m_fullTextTimer.stop();
    m_fullTextPending = false;
    rank();
    // Typing on restarts the timer: only the query the user stopped at is searched in full.
    if (!m_query.isEmpty() && m_searchEngine && m_dataManager) {
        m_fullTextPending = true;
        m_fullTextTimer.start();
    }
}

void QuickSwitcherModel::completeFullText()
{
    if (!m_fullTextPending)
        return;
    m_fullTextPending = false;
    m_fullTextTimer.stop();
    const QJsonArray hits =
        m_searchEngine->search(m_query, m_dataManager, SearchEngine::FuzzyMatch);
    for (const QJsonValue& value : hits) {
        const int i =
            m_indexByPath.value(value.toObject().value(QLatin1String("_filePath")).toString(), -1);
        if (i >= 0)
            m_engineHits.append(i);
    }
    rank();
}

void QuickSwitcherModel::rank()
{
    beginResetModel();
    m_results.clear();
    const QString lower = m_query.toLower();
    if (!lower.isEmpty()) {
        QList<bool> taken(m_items.size(), false);
        QList<QPair<int, int>> named;
        for (int i = 0; i < m_items.size(); ++i) {
            const int tier = nameTier(m_items.at(i), lower);
            if (tier >= 0) {
                named.append({i, tier});
                taken[i] = true;
            }
        }
        // Within a tier the shorter name is the closer match; then the gathering order.
        std::stable_sort(named.begin(), named.end(), [this](const auto& a, const auto& b) {
            if (a.second != b.second)
                return a.second < b.second;
            return m_items.at(a.first).name.size() < m_items.at(b.first).name.size();
        });
        m_results = named;
        for (int i : std::as_const(m_engineHits)) {
            if (!taken.at(i)) {
                m_results.append({i, 5});
                taken[i] = true;
            }
        }
        for (int i = 0; i < m_items.size(); ++i) {
            if (!taken.at(i) && m_items.at(i).lowerText.contains(lower))
                m_results.append({i, 6});
        }
        if (m_results.size() > MaximumResults)
            m_results.erase(m_results.begin() + MaximumResults, m_results.end());
    }
    endResetModel();
}

QuickSwitcherModel::Item QuickSwitcherModel::result(int row) const
{
    if (row < 0 || row >= m_results.size())
        return {};
    return m_items.at(m_results.at(row).first);
}

QString QuickSwitcherModel::pathAt(int row) const
{
    return result(row).path;
}

int QuickSwitcherModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_results.size());
}

QVariant QuickSwitcherModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_results.size())
        return {};
    const Item& item = m_items.at(m_results.at(index.row()).first);
    switch (role) {
    case Qt::DisplayRole:
        return item.name;
    case Qt::ToolTipRole:
        return item.alternative.isEmpty() ? item.name : item.alternative;
    case PathRole:
        return item.path;
    case KindRole:
        return item.kind;
    case TierRole:
        return m_results.at(index.row()).second;
    default:
        return {};
    }
}
