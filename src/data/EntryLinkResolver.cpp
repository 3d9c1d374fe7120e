#include "EntryLinkResolver.h"

#include "DataManager.h"
#include "EmbeddedDataAdapter.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

const QString kFilePathKey = QStringLiteral("_filePath");

QString stringOf(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toString();
}

} // namespace

EntryLinkResolver::EntryLinkResolver(QObject* parent) : QObject(parent) {}

void EntryLinkResolver::setDataManager(DataManager* dataManager)
{
    if (m_dataManager)
        disconnect(m_dataManager, nullptr, this, nullptr);
    m_dataManager = dataManager;
    invalidate();
    if (!dataManager)
        return;
    connect(dataManager, &DataManager::dataLoaded, this, &EntryLinkResolver::invalidate);
    connect(dataManager, &DataManager::dataChanged, this, &EntryLinkResolver::invalidate);
}

void EntryLinkResolver::invalidate()
{
    m_targets.clear();
    m_vendors.clear();
    m_byPath.clear();
    m_byId.clear();
    m_byName.clear();
    m_byAlias.clear();
    m_softwareByCompany.clear();
    m_vendorsLinked = false;
    m_built = false;
}

void EntryLinkResolver::ensureBuilt()
{
    if (m_built)
        return;
    build();
}

QString EntryLinkResolver::normalizedName(const QString& name)
{
    return name.simplified().toCaseFolded();
}

QStringList EntryLinkResolver::bracketVariants(const QString& name)
{
    static const QRegularExpression bracket(QStringLiteral("^([^(（]*)[(（]([^)）]*)[)）]?"));
    const QRegularExpressionMatch match = bracket.match(name);
    if (!match.hasMatch())
        return {};
    QStringList variants;
    for (int group : {1, 2}) {
        const QString part = match.captured(group).trimmed();
        if (!part.isEmpty() && !variants.contains(part))
            variants << part;
    }
    return variants;
}

QString EntryLinkResolver::articleTitle(const QString& markdown)
{
    static const QRegularExpression heading(QStringLiteral("^#\\s+(.+)$"),
                                            QRegularExpression::MultilineOption);
    return heading.match(markdown).captured(1).trimmed();
}

void EntryLinkResolver::addIndex(QHash<QString, QList<int>>& index, const QString& key, int target)
{
    const QString normalized = normalizedName(key);
    if (normalized.isEmpty())
        return;
    QList<int>& list = index[normalized];
    if (!list.contains(target))
        list.append(target);
}

void EntryLinkResolver::addEntry(const QJsonObject& entry, Kind kind, const QString& path)
{
    if (path.isEmpty() || m_byPath.contains(path))
        return;
    Target target;
    target.path = path;
    target.id = stringOf(entry, "id");
    target.name = stringOf(entry, "name");
    if (target.name.isEmpty())
        target.name = stringOf(entry, "title");
    target.category = stringOf(entry, "category");
    target.kind = kind;

    const int index = int(m_targets.size());
    m_targets.append(target);
    m_vendors.append(kind == Kind::Software ? stringOf(entry, "vendor") : QString());
    m_byPath.insert(path, index);
    m_vendorsLinked = false;

    if (!target.id.isEmpty())
        m_byId[target.id].append(index);
    for (const QString& name : {target.name, stringOf(entry, "fullName")}) {
        if (name.trimmed().isEmpty())
            continue;
        addIndex(m_byName, name, index);
        for (const QString& variant : bracketVariants(name))
            addIndex(m_byAlias, variant, index);
    }
}

void EntryLinkResolver::addArticle(const QString& path, const QString& title)
{
    const QString name = title.isEmpty() ? QFileInfo(path).completeBaseName() : title;
    addEntry(QJsonObject{{QStringLiteral("name"), name},
                         {QStringLiteral("category"), QStringLiteral("articles")}},
             Kind::Article, path);
    // Entries name their articles by file name ("relatedDocuments", "contentFile").
    const auto it = m_byPath.constFind(path);
    if (it != m_byPath.cend())
        addIndex(m_byName, QFileInfo(path).fileName(), it.value());
}

void EntryLinkResolver::build()
{
    invalidate();
    m_built = true;
    ++m_buildCount;
    if (!m_dataManager)
        return;

    auto addList = [this](const QJsonArray& list, Kind kind) {
        for (const QJsonValue& value : list) {
            const QJsonObject entry = value.toObject();
            addEntry(entry, kind, entry.value(kFilePathKey).toString());
        }
    };

    QStringList categories =
        m_dataManager->getCategories().value(QLatin1String("softwareCategories")).toObject().keys();
    if (categories.isEmpty())
        categories =
            QStringList{QStringLiteral("CAD"), QStringLiteral("CAE"), QStringLiteral("CFD"),
                        QStringLiteral("CAM"), QStringLiteral("EDA"), QStringLiteral("PLM")};
    // The tree asks for the lower-case key; the same call gives the same paths.
    for (const QString& category : categories)
        addList(m_dataManager->getSoftwareList(category.toLower()), Kind::Software);
    addList(m_dataManager->getCompaniesList(), Kind::Company);
    addList(m_dataManager->getTechnologiesList(), Kind::Technology);

    // Articles: the copy on disk where there is one (that is the path the
    // discipline pages list), else the embedded one.
    const QString dataPath = m_dataManager->dataPath();
    QSet<QString> relatives;
    QStringList articlePaths;
    if (QFileInfo(dataPath).isDir()) {
        QDirIterator it(dataPath, {QStringLiteral("*.md")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            relatives.insert(QStringLiteral("data/") + path.mid(dataPath.size()));
            articlePaths << path;
        }
    }
    for (const QString& key : EmbeddedDataAdapter::instance().getAvailableResources()) {
        if (key.startsWith(QLatin1String("data/")) && key.endsWith(QLatin1String(".md")) &&
            !relatives.contains(key))
            articlePaths << key;
    }
    articlePaths.sort();
    for (const QString& path : articlePaths) {
        QString text;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            text = QString::fromUtf8(file.read(64 * 1024));
        else
            text = EmbeddedDataAdapter::instance().loadEmbeddedText(path).left(64 * 1024);
        addArticle(path, articleTitle(text));
    }
}

EntryLinkResolver::Target EntryLinkResolver::pick(const QList<int>& candidates, Kind preferred,
                                                  bool* ambiguous) const
{
    *ambiguous = false;
    if (candidates.isEmpty())
        return {};
    if (candidates.size() == 1)
        return m_targets.at(candidates.first());
    QList<int> sameKind;
    for (int index : candidates) {
        if (preferred != Kind::Any && m_targets.at(index).kind == preferred)
            sameKind.append(index);
    }
    if (sameKind.size() == 1)
        return m_targets.at(sameKind.first());
    *ambiguous = true;
    return {};
}

EntryLinkResolver::Target EntryLinkResolver::resolve(const QString& name, Kind preferred) const
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return {};
    bool ambiguous = false;
    Target target = pick(m_byId.value(trimmed), preferred, &ambiguous);
    if (target.isValid() || ambiguous)
        return target;
    target = pick(m_byName.value(normalizedName(trimmed)), preferred, &ambiguous);
    if (target.isValid() || ambiguous)
        return target;

    // Looser matches: the name's bracket parts against full names, then the
    // name and its parts against the entries' own bracket parts.
    const QStringList variants = bracketVariants(trimmed);
    for (const QString& variant : variants) {
        target = pick(m_byName.value(normalizedName(variant)), preferred, &ambiguous);
        if (target.isValid() || ambiguous)
            return target;
    }
    for (const QString& variant : QStringList{trimmed} + variants) {
        target = pick(m_byAlias.value(normalizedName(variant)), preferred, &ambiguous);
        if (target.isValid() || ambiguous)
            return target;
    }
    return {};
}

EntryLinkResolver::Target EntryLinkResolver::targetForPath(const QString& path) const
{
    const auto it = m_byPath.constFind(path);
    return it == m_byPath.cend() ? Target() : m_targets.at(it.value());
}

void EntryLinkResolver::linkVendors() const
{
    if (m_vendorsLinked)
        return;
    m_softwareByCompany.clear();
    for (int i = 0; i < m_targets.size(); ++i) {
        if (m_targets.at(i).kind != Kind::Software || m_vendors.at(i).isEmpty())
            continue;
        const Target company = resolve(m_vendors.at(i), Kind::Company);
        if (company.isValid() && company.kind == Kind::Company)
            m_softwareByCompany[company.path].append(i);
    }
    m_vendorsLinked = true;
}

QList<EntryLinkResolver::Target>
EntryLinkResolver::softwareOfCompany(const QString& companyPath) const
{
    linkVendors();
    QList<Target> result;
    for (int index : m_softwareByCompany.value(companyPath))
        result.append(m_targets.at(index));
    std::sort(result.begin(), result.end(), [](const Target& a, const Target& b) {
        const int order = QString::compare(a.name, b.name, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.path < b.path;
    });
    return result;
}
