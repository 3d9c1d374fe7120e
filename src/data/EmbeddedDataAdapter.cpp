#include "EmbeddedDataAdapter.h"

#include "EmbeddedResourceReader.h"
#include "EmbeddedResources_Mapping.h"

#include <QDebug>
#include <QJsonDocument>

EmbeddedDataAdapter& EmbeddedDataAdapter::instance()
{
    static EmbeddedDataAdapter adapter;
    return adapter;
}

void EmbeddedDataAdapter::initialize()
{
    setupPathMapping();
    qDebug().noquote() << "EmbeddedDataAdapter初始化完成，可用资源:" << m_pathMap.size();
    int pngCount = 0;
    for (auto it = m_pathMap.cbegin(); it != m_pathMap.cend(); ++it) {
        if (it.key().endsWith(QLatin1String(".png")))
            ++pngCount;
    }
    qDebug().noquote() << "EmbeddedDataAdapter - PNG资源数量:" << pngCount;
}

void EmbeddedDataAdapter::setupPathMapping()
{
    m_pathMap.clear();
    m_pathIds.clear();
    const std::map<std::string, int> generated = EmbeddedResourceMapping::getResourceMap();
    for (const auto& [key, id] : generated)
        m_pathMap.insert(QString::fromStdString(key), id);
    m_pathIds.reserve(m_pathMap.size());
    for (auto it = m_pathMap.cbegin(); it != m_pathMap.cend(); ++it)
        m_pathIds.insert(it.key(), it.value());
    qDebug().noquote() << "EmbeddedDataAdapter::setupPathMapping - 从自动生成的映射加载了"
                       << m_pathMap.size() << "个资源";
}

QString EmbeddedDataAdapter::normalizePath(const QString& path) const
{
    static const QString dataPrefix = QStringLiteral("data/");
    // Most paths asked for are keys already: no copy for them.
    if (path.startsWith(dataPrefix) && !path.contains(QLatin1Char('\\')))
        return path;
    QString normalized = path;
    normalized.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (normalized.startsWith(QLatin1Char('/')))
        normalized.remove(0, 1);
    if (normalized.startsWith(dataPrefix))
        return normalized;
    const int pos = normalized.indexOf(dataPrefix);
    if (pos >= 0)
        return normalized.mid(pos);
    return normalized;
}

int EmbeddedDataAdapter::resolveId(const QString& path, bool* foundByFileName) const
{
    if (foundByFileName)
        *foundByFileName = false;

    const QString normalized = normalizePath(path);
    const auto exact = m_pathIds.constFind(normalized);
    if (exact != m_pathIds.cend())
        return exact.value();

    // A checkout or install path such as D:/bigdata/kb/data/... holds "data/" before the
    // knowledge-base root; the file-name walk alone would then hand out another file of the same
    // name (software/cae/ansys.json would come back as the company entry). Try the later
    // "/data/" components first.
    static const QString dataDir = QStringLiteral("/data/");
    for (qsizetype pos = normalized.indexOf(dataDir, 1); pos >= 0;
         pos = normalized.indexOf(dataDir, pos + 1)) {
        const auto later = m_pathIds.constFind(normalized.mid(pos + 1));
        if (later != m_pathIds.cend())
            return later.value();
    }

    // A path that names its place below data/ is that file or none: falling back to the file
    // name would serve a new software/cad/ansys.json on disk as the company Ansys.
    if (normalized.startsWith(QLatin1String("data/")))
        return -1;

    const int separator =
        qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const QString suffix = QLatin1Char('/') + path.mid(separator + 1);
    for (auto it = m_pathMap.cbegin(); it != m_pathMap.cend(); ++it) {
        if (it.key().endsWith(suffix)) {
            if (foundByFileName)
                *foundByFileName = true;
            return it.value();
        }
    }
    return -1;
}

QByteArray EmbeddedDataAdapter::readResource(int id) const
{
    const std::string bytes = getResourceAsString(id);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool EmbeddedDataAdapter::hasEmbeddedResource(const QString& path) const
{
    return resolveId(path) >= 0;
}

QStringList EmbeddedDataAdapter::getAvailableResources() const
{
    return m_pathMap.keys();
}

QJsonObject EmbeddedDataAdapter::loadEmbeddedJson(const QString& path) const
{
    const int id = resolveId(path);
    if (id < 0) {
        qDebug().noquote() << "EmbeddedDataAdapter::loadEmbeddedJson - 资源未找到:" << path
                           << "尝试的标准化路径:" << normalizePath(path);
        return {};
    }
    {
        const QMutexLocker locker(&m_parsedJsonMutex);
        const auto parsed = m_parsedJson.constFind(id);
        if (parsed != m_parsedJson.cend())
            return parsed.value();
    }
    const QByteArray bytes = readResource(id);
    if (bytes.isEmpty()) {
        qDebug().noquote() << "EmbeddedDataAdapter::loadEmbeddedJson - 无法加载资源ID:" << id;
        return {};
    }
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (document.isNull() || !document.isObject()) {
        qDebug().noquote() << "EmbeddedDataAdapter::loadEmbeddedJson - JSON解析失败";
        return {};
    }
    const QJsonObject object = document.object();
    const QMutexLocker locker(&m_parsedJsonMutex);
    m_parsedJson.insert(id, object);
    return object;
}

QString EmbeddedDataAdapter::loadEmbeddedText(const QString& path) const
{
    const int id = resolveId(path);
    if (id < 0) {
        qDebug().noquote() << "EmbeddedDataAdapter::loadEmbeddedText - 资源未找到:" << path;
        return {};
    }
    return QString::fromUtf8(readResource(id));
}

QByteArray EmbeddedDataAdapter::loadEmbeddedImage(const QString& path) const
{
    bool byFileName = false;
    const int id = resolveId(path, &byFileName);
    if (id >= 0 && byFileName) {
        const int separator =
            qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
        qDebug().noquote() << "EmbeddedDataAdapter::loadEmbeddedImage - 通过文件名找到资源:"
                           << path.mid(separator + 1) << " -> ID:" << id;
    }
    if (id < 0) {
        qDebug().noquote() << "EmbeddedDataAdapter::loadEmbeddedImage - 资源未找到:" << path
                           << "  标准化路径:" << normalizePath(path);
        return {};
    }
    const QByteArray bytes = readResource(id);
    if (bytes.isEmpty()) {
        qDebug().noquote() << "EmbeddedDataAdapter::loadEmbeddedImage - 无法加载资源ID:" << id;
        return {};
    }
    qDebug().noquote() << "EmbeddedDataAdapter::loadEmbeddedImage - 成功加载图片，大小:"
                       << bytes.size();
    return bytes;
}
