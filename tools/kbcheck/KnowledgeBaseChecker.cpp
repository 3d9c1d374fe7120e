#include "KnowledgeBaseChecker.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <cmath>

const QString KnowledgeBaseChecker::resultsFileName = QStringLiteral("validation_results.json");
const QString KnowledgeBaseChecker::userPreferencesFileName =
    QStringLiteral("user_preferences.json");

namespace {

const QString categoriesPath = QStringLiteral("config/categories.json");
const QString templatePath = QStringLiteral("templates/software_template.json");
const QString localNewsPath = QStringLiteral("news/local_news.json");
const QString kernelType = QStringLiteral("Geometric Modeling Kernel");
constexpr qint64 pictureSizeLimit = 400 * 1024;

// An empty field is allowed where the entry's accuracy note says why.
bool hasAccuracyNote(const QJsonObject& entry)
{
    return !entry.value("metadata").toObject().value("accuracy").toString().trimmed().isEmpty();
}

// Keys the software checks look at one by one; the template check leaves them alone.
const QStringList softwareKeysCheckedApart = {"id",     "name",        "category",
                                              "vendor", "description", "metadata"};

// A vendor text containing one of these names a project or community, not a company.
const QStringList nonCompanyMarkers = {QStringLiteral("社区"),       QStringLiteral("开源"),
                                       QStringLiteral("Foundation"), QStringLiteral("Consortium"),
                                       QStringLiteral("community"),  QStringLiteral("项目")};

const QStringList stockServices = {"yahoo",     "nasdaq",        "marketwatch",
                                   "bloomberg", "googlefinance", "euronext"};
const QStringList disciplineTypes = {"reference", "workflow", "dataset"};
const QStringList kernelKeys = {"technicalDetails", "features", "applications", "comparison"};
const QStringList imageSuffixes = {"png", "jpg", "jpeg", "gif", "bmp", "tif", "tiff"};

QString shown(const QString& relPath)
{
    return QStringLiteral("data/") + relPath;
}

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Offset of the first byte that breaks strict UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF), or -1 when the text is valid.
qsizetype firstInvalidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c == 0xE0) {
            length = 3;
            low = 0xA0;
        } else if ((c >= 0xE1 && c <= 0xEC) || c == 0xEE || c == 0xEF) {
            length = 3;
        } else if (c == 0xED) {
            length = 3;
            high = 0x9F;
        } else if (c == 0xF0) {
            length = 4;
            low = 0x90;
        } else if (c >= 0xF1 && c <= 0xF3) {
            length = 4;
        } else if (c == 0xF4) {
            length = 4;
            high = 0x8F;
        } else {
            return i;
        }
        if (i + length > size || p[i + 1] < low || p[i + 1] > high)
            return i;
        for (int k = 2; k < length; ++k) {
            if (p[i + k] < 0x80 || p[i + k] > 0xBF)
                return i;
        }
        i += length;
    }
    return -1;
}

// Line and column (in characters) of a byte offset, both counted from 1.
QString lineAndColumn(const QByteArray& bytes, qsizetype offset)
{
    offset = std::clamp<qsizetype>(offset, 0, bytes.size());
    int line = 1;
    int column = 1;
    for (qsizetype i = 0; i < offset; ++i) {
        const auto c = static_cast<unsigned char>(bytes.at(i));
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++column;
        }
    }
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

bool isHttpUrl(const QString& text)
{
    static const QRegularExpression whitespace(QStringLiteral("\\s"));
    if (text.contains(whitespace))
        return false;
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && (url.scheme() == "http" || url.scheme() == "https") &&
           !url.host().isEmpty();
}

bool isIsoDate(const QString& text)
{
    static const QRegularExpression datePattern(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    return datePattern.match(text).hasMatch() &&
           QDate::fromString(text, QStringLiteral("yyyy-MM-dd")).isValid();
}

bool isEmptyValue(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        return true;
    case QJsonValue::String:
        return value.toString().trimmed().isEmpty();
    case QJsonValue::Array:
        return value.toArray().isEmpty();
    case QJsonValue::Object:
        return value.toObject().isEmpty();
    default:
        return false;
    }
}

QString typeDescription(QJsonValue::Type type)
{
    switch (type) {
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    default:
        return QString(); // scalars other than strings are not checked against the template
    }
}

// Spelling variants that differ only in case or spacing compare equal here.
QString looseKey(const QString& text)
{
    return text.simplified().toCaseFolded();
}

bool isCompanyLike(const QString& vendor)
{
    for (const QString& marker : nonCompanyMarkers) {
        if (vendor.contains(marker, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

void appendEscaped(QByteArray& out, const QString& text)
{
    out += '"';
    // Runs of plain characters are converted together so surrogate pairs stay intact.
    qsizetype plainStart = 0;
    const auto flush = [&](qsizetype end) {
        out += QStringView(text).mid(plainStart, end - plainStart).toUtf8();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const char* escape = nullptr;
        switch (c) {
        case '"':
            escape = "\\\"";
            break;
        case '\\':
            escape = "\\\\";
            break;
        case '\b':
            escape = "\\b";
            break;
        case '\f':
            escape = "\\f";
            break;
        case '\n':
            escape = "\\n";
            break;
        case '\r':
            escape = "\\r";
            break;
        case '\t':
            escape = "\\t";
            break;
        default:
            if (c >= 0x20)
                continue;
        }
        flush(i);
        plainStart = i + 1;
        if (escape)
            out += escape;
        else
            out += "\\u00" + QByteArray::number(c, 16).rightJustified(2, '0');
    }
    flush(text.size());
    out += '"';
}

void appendJson(QByteArray& out, const QJsonValue& value, int indent)
{
    const QByteArray inner(indent + 2, ' ');
    switch (value.type()) {
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        if (object.isEmpty()) {
            out += "{}";
            return;
        }
        QStringList keys = object.keys();
        std::sort(keys.begin(), keys.end());
        out += "{\n";
        for (qsizetype i = 0; i < keys.size(); ++i) {
            out += inner;
            appendEscaped(out, keys.at(i));
            out += ": ";
            appendJson(out, object.value(keys.at(i)), indent + 2);
            out += i + 1 < keys.size() ? ",\n" : "\n";
        }
        out += QByteArray(indent, ' ') + '}';
        return;
    }
    case QJsonValue::Array: {
        const QJsonArray array = value.toArray();
        if (array.isEmpty()) {
            out += "[]";
            return;
        }
        out += "[\n";
        for (qsizetype i = 0; i < array.size(); ++i) {
            out += inner;
            appendJson(out, array.at(i), indent + 2);
            out += i + 1 < array.size() ? ",\n" : "\n";
        }
        out += QByteArray(indent, ' ') + ']';
        return;
    }
    case QJsonValue::String:
        appendEscaped(out, value.toString());
        return;
    case QJsonValue::Bool:
        out += value.toBool() ? "true" : "false";
        return;
    case QJsonValue::Double: {
        const double number = value.toDouble();
        // Integers print without a fraction; 2^53 keeps the cast exact.
        if (std::isfinite(number) && std::abs(number) < 9007199254740992.0 &&
            number == std::trunc(number))
            out += QByteArray::number(static_cast<qint64>(number));
        else if (std::isfinite(number))
            out += QString::number(number, 'g', QLocale::FloatingPointShortest).toUtf8();
        else
            out += "null";
        return;
    }
    default:
        out += "null";
        return;
    }
}

// The Latin letters and digits of a text, lower-cased and without accents:
// "Dassault Systèmes" gives "dassaultsystemes".
QString asciiFold(const QString& text)
{
    QString folded;
    for (const QChar c : text.normalized(QString::NormalizationForm_KD)) {
        if (c.unicode() < 128 && c.isLetterOrNumber())
            folded += c.toLower();
    }
    return folded;
}

bool hasCheckedSource(const QJsonObject& entry)
{
    const QJsonArray sources = entry.value("sources").toArray();
    return std::any_of(sources.begin(), sources.end(), [](const QJsonValue& source) {
        return isIsoDate(source.toObject().value("checked").toString());
    });
}

// The company a text names: "Siemens AG（并入 …）" names "Siemens AG".
QString leadingName(const QString& text)
{
    static const QRegularExpression bracket(QStringLiteral("[（(]"));
    return text.section(bracket, 0, 0).trimmed();
}

const QStringList acquisitionStates = {"completed", "announced", "terminated"};

} // namespace

// A name's exact spellings and where each was found, with a loose index on top.
class KnowledgeBaseChecker::NameIndex
{
public:
    void add(const QString& name, const QString& relPath)
    {
        if (name.trimmed().isEmpty() || m_exact.contains(name))
            return;
        m_exact.insert(name, relPath);
        const QString key = looseKey(name);
        if (!m_loose.contains(key))
            m_loose.insert(key, name);
    }

    bool containsExactly(const QString& name) const { return m_exact.contains(name); }

    // The indexed spelling of a name that matches only loosely; empty otherwise.
    QString looseMatch(const QString& name) const
    {
        if (m_exact.contains(name))
            return QString();
        return m_loose.value(looseKey(name));
    }

    QString fileOf(const QString& name) const { return m_exact.value(name); }

private:
    QHash<QString, QString> m_exact;
    QHash<QString, QString> m_loose;
};

KnowledgeBaseChecker::KnowledgeBaseChecker(const QString& dataDir)
    : m_dataDir(QDir(dataDir).absolutePath())
{
}

void KnowledgeBaseChecker::setExcludedFile(const QString& path)
{
    const QString relPath =
        QDir(m_dataDir).relativeFilePath(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    m_excludedRelPath = relPath.startsWith(QLatin1String("../")) || QDir::isAbsolutePath(relPath)
                            ? QString()
                            : relPath;
}

bool KnowledgeBaseChecker::run()
{
    reset();
    if (!QFileInfo(m_dataDir).isDir()) {
        addProblem(QString(), QStringLiteral("the data directory does not exist"));
        return false;
    }
    collectFiles();
    for (const QString& relPath : std::as_const(m_files))
        checkFile(relPath);
    loadConfiguration();
    checkSoftware();
    checkCompanies();
    checkConsistency();
    checkContentFiles();
    checkTechnologies();
    checkDisciplines();

    // Files in path order; the problems of one file keep the order of the checks.
    std::stable_sort(m_problems.begin(), m_problems.end(),
                     [](const Problem& a, const Problem& b) { return a.file < b.file; });
    return m_problems.isEmpty();
}

void KnowledgeBaseChecker::reset()
{
    m_files.clear();
    m_json.clear();
    m_softwareFiles.clear();
    m_companyFiles.clear();
    m_softwareCategories = QJsonObject();
    m_disciplineCategories = QJsonObject();
    m_haveSoftwareCategories = false;
    m_haveDisciplineCategories = false;
    m_template = QJsonObject();
    m_haveTemplate = false;
    m_problems.clear();
}

void KnowledgeBaseChecker::collectFiles()
{
    const QDir root(m_dataDir);
    QDirIterator it(m_dataDir, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relPath = root.relativeFilePath(it.next());
        if (relPath == resultsFileName || relPath == m_excludedRelPath ||
            relPath.startsWith(userPreferencesFileName))
            continue;
        m_files.append(relPath);
    }
    std::sort(m_files.begin(), m_files.end());
    m_fileSet = QSet<QString>(m_files.begin(), m_files.end());
}

void KnowledgeBaseChecker::checkFile(const QString& relPath)
{
    QFile file(m_dataDir + QLatin1Char('/') + relPath);
    if (!file.open(QIODevice::ReadOnly)) {
        addProblem(relPath, QStringLiteral("cannot be read: %1").arg(file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    const QString suffix = QFileInfo(relPath).suffix().toLower();

    if (imageSuffixes.contains(suffix)) {
        if (suffix != QLatin1String("png"))
            return;
        if (!bytes.startsWith(QByteArray("\x89PNG\r\n\x1a\n", 8)))
            addProblem(relPath, QStringLiteral("not a PNG file (wrong signature)"));
        if (relPath.startsWith(QLatin1String("pictures/")) && bytes.size() >= pictureSizeLimit)
            addProblem(relPath, QStringLiteral("picture is %1 bytes, not under the limit of "
                                               "400 KB (%2 bytes)")
                                    .arg(bytes.size())
                                    .arg(pictureSizeLimit));
        return;
    }

    if (bytes.startsWith("\xEF\xBB\xBF"))
        addProblem(relPath, QStringLiteral("starts with a UTF-8 byte order mark"));
    const qsizetype bad = firstInvalidUtf8(bytes);
    if (bad >= 0)
        addProblem(relPath, QStringLiteral("not valid UTF-8 (first invalid byte at %1)")
                                .arg(lineAndColumn(bytes, bad)));

    if (suffix != QLatin1String("json"))
        return;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        addProblem(relPath, QStringLiteral("invalid JSON at %1: %2")
                                .arg(lineAndColumn(bytes, error.offset), error.errorString()));
        return;
    }
    m_json.insert(relPath, document);
    checkJsonShape(relPath, document);
}

void KnowledgeBaseChecker::checkJsonShape(const QString& relPath, const QJsonDocument& document)
{
    if (relPath == localNewsPath) {
        // An array of items, an object holding them in "items", or one item.
        QJsonArray items;
        if (document.isArray()) {
            items = document.array();
        } else if (document.object().value("items").isArray()) {
            items = document.object().value("items").toArray();
        } else if (document.object().contains("title")) {
            return;
        } else {
            addProblem(relPath, QStringLiteral("neither an array of news items, an object with "
                                               "an items array nor a single news item"));
            return;
        }
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (!items.at(i).isObject())
                addProblem(relPath, QStringLiteral("news item %1 is not an object").arg(i));
        }
        return;
    }

    if (!document.isObject()) {
        addProblem(relPath, QStringLiteral("top level is not a JSON object"));
        return;
    }
    if (!relPath.startsWith(QLatin1String("events/")))
        return;

    const QJsonObject object = document.object();
    for (const char* key : {"schemaVersion", "generatedAt"}) {
        if (isEmptyValue(object.value(QLatin1String(key))))
            addProblem(relPath, QStringLiteral("%1 is missing or empty").arg(QLatin1String(key)));
    }
    if (!object.value("events").isArray()) {
        addProblem(relPath, QStringLiteral("events is missing or not an array"));
    } else {
        const QJsonArray events = object.value("events").toArray();
        for (qsizetype i = 0; i < events.size(); ++i) {
            if (!events.at(i).isObject())
                addProblem(relPath, QStringLiteral("events[%1] is not an object").arg(i));
        }
    }
    if (!object.value("metadata").isObject())
        addProblem(relPath, QStringLiteral("metadata is missing or not an object"));
}

void KnowledgeBaseChecker::loadConfiguration()
{
    if (!m_fileSet.contains(categoriesPath)) {
        addProblem(categoriesPath, QStringLiteral("file is missing"));
    } else if (m_json.contains(categoriesPath)) {
        const QJsonObject categories = m_json.value(categoriesPath).object();
        m_haveSoftwareCategories = categories.value("softwareCategories").isObject();
        m_softwareCategories = categories.value("softwareCategories").toObject();
        m_haveDisciplineCategories = categories.value("disciplineCategories").isObject();
        m_disciplineCategories = categories.value("disciplineCategories").toObject();
        if (!m_haveSoftwareCategories)
            addProblem(categoriesPath,
                       QStringLiteral("softwareCategories is missing or not an object"));
        if (!m_haveDisciplineCategories)
            addProblem(categoriesPath,
                       QStringLiteral("disciplineCategories is missing or not an object"));
    }

    if (!m_fileSet.contains(templatePath)) {
        addProblem(templatePath, QStringLiteral("file is missing"));
    } else if (m_json.contains(templatePath)) {
        m_template = m_json.value(templatePath).object();
        m_haveTemplate = true;
    }
}

void KnowledgeBaseChecker::checkSoftware()
{
    QSet<QString> directories;
    for (const QString& relPath : std::as_const(m_files)) {
        if (!relPath.startsWith(QLatin1String("software/")))
            continue;
        const QStringList parts = relPath.split(QLatin1Char('/'));
        if (parts.size() > 2)
            directories.insert(parts.at(1));
        if (!relPath.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
            continue;
        if (parts.size() != 3) {
            addProblem(relPath, QStringLiteral(
                                    "software entry is not directly inside a category directory"));
            continue;
        }
        m_softwareFiles.append(relPath);
    }

    if (m_haveSoftwareCategories) {
        for (const QString& directory : std::as_const(directories)) {
            if (!m_softwareCategories.contains(directory.toUpper()))
                addProblem(QStringLiteral("software/") + directory,
                           QStringLiteral("directory is not named after a software category of "
                                          "config/categories.json"));
            else if (directory != directory.toLower())
                addProblem(QStringLiteral("software/") + directory,
                           QStringLiteral("category directory name is not lower-case"));
        }
    }

    for (const QString& relPath : std::as_const(m_softwareFiles)) {
        if (m_json.value(relPath).isObject())
            checkSoftwareEntry(relPath, m_json.value(relPath).object());
    }
    checkUniqueIds(m_softwareFiles);
}

void KnowledgeBaseChecker::checkSoftwareEntry(const QString& relPath, const QJsonObject& entry)
{
    const QString directory = relPath.section(QLatin1Char('/'), 1, 1);
    const QString baseName = QFileInfo(relPath).completeBaseName();

    if (checkNonEmptyString(relPath, entry, "id") && entry.value("id").toString() != baseName)
        addProblem(relPath, QStringLiteral("id %1 does not match the file name %2")
                                .arg(quoted(entry.value("id").toString()), quoted(baseName)));

    if (checkNonEmptyString(relPath, entry, "category")) {
        const QString category = entry.value("category").toString();
        const QStringList parts = category.split(QLatin1Char('/'));
        if (parts.first() != directory.toUpper())
            addProblem(relPath, QStringLiteral("category %1 does not start with %2, the key of "
                                               "its directory")
                                    .arg(quoted(category), quoted(directory.toUpper())));
        if (m_haveSoftwareCategories) {
            for (const QString& part : parts) {
                if (!m_softwareCategories.contains(part))
                    addProblem(relPath, QStringLiteral("category part %1 is not a software "
                                                       "category of config/categories.json")
                                            .arg(quoted(part)));
            }
        }
    }

    checkNonEmptyString(relPath, entry, "name");
    // A maker no page confirms stays empty, with the reason in the accuracy note.
    const QJsonValue vendor = entry.value("vendor");
    if (vendor.isString() && vendor.toString().trimmed().isEmpty()) {
        if (!hasAccuracyNote(entry))
            addProblem(relPath,
                       QStringLiteral("vendor is empty and metadata.accuracy does not say why"));
    } else {
        checkNonEmptyString(relPath, entry, "vendor");
    }
    checkDescription(relPath, entry);

    if (m_haveTemplate) {
        QStringList keys = m_template.keys();
        std::sort(keys.begin(), keys.end());
        for (const QString& key : std::as_const(keys)) {
            if (softwareKeysCheckedApart.contains(key))
                continue;
            if (!entry.contains(key)) {
                addProblem(relPath,
                           QStringLiteral("%1 is missing (the software template has it)").arg(key));
                continue;
            }
            const QJsonValue::Type expected = m_template.value(key).type();
            if (!typeDescription(expected).isEmpty() && entry.value(key).type() != expected)
                addProblem(relPath, QStringLiteral("%1 is not %2 as in the software template")
                                        .arg(key, typeDescription(expected)));
        }
    }

    const QJsonObject resources = entry.value("resources").toObject();
    checkHttpUrl(relPath, resources.value("official"), "resources.official", true);
    checkHttpUrl(relPath, resources.value("documentation"), "resources.documentation", true);

    checkMetadata(relPath, entry);
    checkSources(relPath, entry);
    checkIdAgainstName(relPath, entry);

    // A version is a claim like any other: it needs a dated source, or a note why it is missing.
    const QJsonValue version = entry.value("currentVersion");
    if (version.isString()) {
        if (version.toString().trimmed().isEmpty()) {
            if (!hasAccuracyNote(entry))
                addProblem(relPath, QStringLiteral("currentVersion is empty and metadata.accuracy "
                                                   "does not say why"));
        } else if (!hasCheckedSource(entry)) {
            addProblem(relPath,
                       QStringLiteral("currentVersion %1 has no source with a checked date")
                           .arg(quoted(version.toString())));
        }
    }

    const QJsonValue competitors =
        entry.value("competitiveAnalysis").toObject().value("competitors");
    if (competitors.isUndefined())
        return;
    if (!competitors.isArray()) {
        addProblem(relPath, QStringLiteral("competitiveAnalysis.competitors is not an array"));
        return;
    }
    const QJsonArray list = competitors.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString label = QStringLiteral("competitiveAnalysis.competitors[%1]").arg(i);
        if (!list.at(i).isObject()) {
            addProblem(relPath,
                       QStringLiteral("%1 is not an object with name and vendor").arg(label));
            continue;
        }
        const QJsonObject competitor = list.at(i).toObject();
        checkNonEmptyString(relPath, competitor, "name", label + QStringLiteral(".name"));
        checkNonEmptyString(relPath, competitor, "vendor", label + QStringLiteral(".vendor"));
    }
}

void KnowledgeBaseChecker::checkCompanies()
{
    for (const QString& relPath : std::as_const(m_files)) {
        if (!relPath.startsWith(QLatin1String("companies/")) ||
            !relPath.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
            continue;
        if (relPath.count(QLatin1Char('/')) != 1) {
            addProblem(relPath, QStringLiteral("company entry is not directly inside companies/"));
            continue;
        }
        m_companyFiles.append(relPath);
    }

    for (const QString& relPath : std::as_const(m_companyFiles)) {
        if (!m_json.value(relPath).isObject())
            continue;
        const QJsonObject company = m_json.value(relPath).object();
        const QString baseName = QFileInfo(relPath).completeBaseName();
        if (checkNonEmptyString(relPath, company, "id") &&
            company.value("id").toString() != baseName)
            addProblem(relPath, QStringLiteral("id %1 does not match the file name %2")
                                    .arg(quoted(company.value("id").toString()), quoted(baseName)));
        checkNonEmptyString(relPath, company, "name");
        checkDescription(relPath, company);
        checkMetadata(relPath, company);
        checkSources(relPath, company);
        checkIdAgainstName(relPath, company);

        // The company page reads the links from stockInfo; a top-level copy gets the same rules.
        const QList<QPair<QString, QJsonValue>> linkSets = {
            {QStringLiteral("stockLinks"), company.value("stockLinks")},
            {QStringLiteral("stockInfo.stockLinks"),
             company.value("stockInfo").toObject().value("stockLinks")}};
        for (const auto& [label, links] : linkSets) {
            if (links.isUndefined())
                continue;
            if (!links.isObject()) {
                addProblem(relPath, QStringLiteral("%1 is not an object").arg(label));
                continue;
            }
            const QJsonObject object = links.toObject();
            for (auto it = object.begin(); it != object.end(); ++it) {
                if (!stockServices.contains(it.key())) {
                    addProblem(relPath, QStringLiteral("%1 has the unknown service %2 (known: %3)")
                                            .arg(label, quoted(it.key()),
                                                 stockServices.join(QStringLiteral(", "))));
                    continue;
                }
                checkHttpUrl(relPath, it.value(), label + QLatin1Char('.') + it.key(), false);
            }
        }
    }
    checkUniqueIds(m_companyFiles);
}

void KnowledgeBaseChecker::checkConsistency()
{
    NameIndex companies;
    for (const QString& relPath : std::as_const(m_companyFiles))
        companies.add(m_json.value(relPath).object().value("name").toString(), relPath);
    NameIndex software;
    for (const QString& relPath : std::as_const(m_softwareFiles))
        software.add(m_json.value(relPath).object().value("name").toString(), relPath);

    const auto checkSoftwareName = [&](const QString& relPath, const QString& name,
                                       const QString& what) {
        const QString spelling = software.looseMatch(name);
        if (!spelling.isEmpty())
            addProblem(relPath, QStringLiteral("%1 %2 is spelled %3 in %4")
                                    .arg(what, quoted(name), quoted(spelling),
                                         shown(software.fileOf(spelling))));
    };

    for (const QString& relPath : std::as_const(m_softwareFiles)) {
        const QJsonObject entry = m_json.value(relPath).object();
        const QString vendor = entry.value("vendor").toString();
        if (!vendor.trimmed().isEmpty() && isCompanyLike(vendor) &&
            !companies.containsExactly(vendor)) {
            const QString spelling = companies.looseMatch(vendor);
            if (spelling.isEmpty())
                addProblem(relPath, QStringLiteral("vendor %1 is not the name of a company entry")
                                        .arg(quoted(vendor)));
            else
                addProblem(relPath, QStringLiteral("vendor %1 is spelled %2 in %3")
                                        .arg(quoted(vendor), quoted(spelling),
                                             shown(companies.fileOf(spelling))));
        }

        const QJsonArray competitors =
            entry.value("competitiveAnalysis").toObject().value("competitors").toArray();
        for (const QJsonValue& value : competitors) {
            const QJsonObject competitor = value.toObject();
            const QString name = competitor.value("name").toString();
            if (!name.trimmed().isEmpty())
                checkSoftwareReference(relPath, QString(), QStringLiteral("competitor"), name,
                                       software);
            const QString competitorVendor = competitor.value("vendor").toString();
            const QString spelling = companies.looseMatch(competitorVendor);
            if (!spelling.isEmpty())
                addProblem(relPath, QStringLiteral("competitor vendor %1 is spelled %2 in %3")
                                        .arg(quoted(competitorVendor), quoted(spelling),
                                             shown(companies.fileOf(spelling))));
        }
    }

    for (const QString& relPath : std::as_const(m_companyFiles)) {
        const QJsonArray products = m_json.value(relPath).object().value("products").toArray();
        for (const QJsonValue& product : products) {
            const QString name = product.isObject() ? product.toObject().value("name").toString()
                                                    : product.toString();
            checkSoftwareName(relPath, name, QStringLiteral("product"));
        }
    }

    checkOwnership(companies, software);
    checkRecommendations(software);
    checkSupportedBy(software);
}

void KnowledgeBaseChecker::checkSoftwareReference(const QString& relPath, const QString& context,
                                                  const QString& what, const QString& name,
                                                  const NameIndex& software)
{
    if (software.containsExactly(name))
        return;
    const QString spelling = software.looseMatch(name);
    if (!spelling.isEmpty())
        addProblem(relPath, QStringLiteral("%1%2 %3 is spelled %4 in %5")
                                .arg(context, what, quoted(name), quoted(spelling),
                                     shown(software.fileOf(spelling))));
    else
        addProblem(relPath, QStringLiteral("%1%2 %3 is not the name of a software entry")
                                .arg(context, what, quoted(name)));
}

void KnowledgeBaseChecker::checkSoftwareList(const QString& relPath, const QString& context,
                                             const QString& label, const QString& what,
                                             const QJsonValue& list, const NameIndex& software)
{
    if (!list.isArray()) {
        addProblem(relPath, QStringLiteral("%1%2 is not an array").arg(context, label));
        return;
    }
    const QJsonArray names = list.toArray();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!names.at(i).isString())
            addProblem(relPath,
                       QStringLiteral("%1%2[%3] is not a string").arg(context, label).arg(i));
        else
            checkSoftwareReference(relPath, context, what, names.at(i).toString(), software);
    }
}

void KnowledgeBaseChecker::checkOwnership(const NameIndex& companies, const NameIndex& software)
{
    // Who owns whom, as far as parentCompany and acquisitionInfo name company entries.
    QHash<QString, QString> owner;
    for (const QString& relPath : std::as_const(m_companyFiles)) {
        const QJsonObject company = m_json.value(relPath).object();
        const QString name = company.value("name").toString();
        for (const QString& text :
             {company.value("parentCompany").toString(),
              company.value("acquisitionInfo").toObject().value("acquirer").toString()}) {
            const QString candidate = leadingName(text);
            if (!candidate.isEmpty() && candidate != name && companies.containsExactly(candidate)) {
                owner.insert(name, candidate);
                break;
            }
        }
    }
    const auto ownedBy = [&owner](QString company, const QString& group) {
        QSet<QString> seen;
        while (!company.isEmpty() && !seen.contains(company)) {
            if (company == group)
                return true;
            seen.insert(company);
            company = owner.value(company);
        }
        return false;
    };

    // Which company entries list a product.
    QHash<QString, QStringList> listedBy;
    for (const QString& relPath : std::as_const(m_companyFiles)) {
        const QJsonArray products = m_json.value(relPath).object().value("products").toArray();
        for (const QJsonValue& product : products) {
            const QString name = product.isObject() ? product.toObject().value("name").toString()
                                                    : product.toString();
            if (!name.isEmpty() && !listedBy.value(name).contains(relPath))
                listedBy[name].append(relPath);
        }
    }

    struct Deal
    {
        QString relPath;
        QString acquirer;
        QString target;
        QString targetCompany;
        QString date;
    };
    QMap<QString, Deal> latest; // product -> latest completed acquisition naming it
    for (const QString& relPath : std::as_const(m_companyFiles)) {
        const QJsonObject company = m_json.value(relPath).object();
        const QJsonValue acquisitions = company.value("acquisitions");
        if (acquisitions.isUndefined())
            continue;
        if (!acquisitions.isArray()) {
            addProblem(relPath, QStringLiteral("acquisitions is not an array"));
            continue;
        }
        const QString acquirer = company.value("name").toString();
        const QJsonArray list = acquisitions.toArray();
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QString label = QStringLiteral("acquisitions[%1]").arg(i);
            if (!list.at(i).isObject()) {
                addProblem(relPath, QStringLiteral("%1 is not an object").arg(label));
                continue;
            }
            const QJsonObject deal = list.at(i).toObject();
            const bool named = checkNonEmptyString(relPath, deal, "target", label + ".target");
            QString status;
            if (checkNonEmptyString(relPath, deal, "status", label + ".status")) {
                status = deal.value("status").toString();
                if (!acquisitionStates.contains(status))
                    addProblem(relPath, QStringLiteral("%1.status %2 is not one of %3")
                                            .arg(label, quoted(status),
                                                 acquisitionStates.join(QStringLiteral(", "))));
            }
            const QJsonValue products = deal.value("products");
            if (products.isUndefined())
                continue;
            const QJsonArray names = products.toArray();
            if (!products.isArray() ||
                std::any_of(names.begin(), names.end(),
                            [](const QJsonValue& value) { return !value.isString(); })) {
                addProblem(
                    relPath,
                    QStringLiteral("%1.products is not an array of product names").arg(label));
                continue;
            }
            if (!named || status != QLatin1String("completed"))
                continue;

            for (const QJsonValue& value : names) {
                const QString product = value.toString();
                const QString spelling = software.looseMatch(product);
                if (!spelling.isEmpty())
                    addProblem(relPath, QStringLiteral("acquired product %1 is spelled %2 in %3")
                                            .arg(quoted(product), quoted(spelling),
                                                 shown(software.fileOf(spelling))));
                // A product sold on again belongs to its latest buyer.
                const Deal candidate{relPath, acquirer, deal.value("target").toString(),
                                     deal.value("targetCompany").toString(),
                                     deal.value("date").toString()};
                const auto known = latest.constFind(product);
                if (known == latest.cend() || known->date < candidate.date)
                    latest.insert(product, candidate);
            }
        }
    }

    for (auto it = latest.cbegin(); it != latest.cend(); ++it) {
        const QString& product = it.key();
        const Deal& deal = it.value();
        const QString deed =
            QStringLiteral("%1 records that %2 acquired").arg(shown(deal.relPath), deal.acquirer);
        const QString how =
            QStringLiteral("with %1%2")
                .arg(quoted(deal.target),
                     deal.date.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(deal.date));
        // The acquirer, its subsidiaries and the bought company itself may sell the product.
        const auto mayOwn = [&](const QString& name) {
            return ownedBy(name, deal.acquirer) ||
                   (!deal.targetCompany.isEmpty() && name == deal.targetCompany);
        };
        if (software.containsExactly(product)) {
            const QString entryPath = software.fileOf(product);
            const QString vendor = m_json.value(entryPath).object().value("vendor").toString();
            if (!mayOwn(vendor))
                addProblem(entryPath, QStringLiteral("vendor %1, but %2 %3 %4")
                                          .arg(quoted(vendor), deed, quoted(product), how));
        }
        for (const QString& listing : listedBy.value(product)) {
            const QString lister = m_json.value(listing).object().value("name").toString();
            if (!mayOwn(lister))
                addProblem(listing, QStringLiteral("lists product %1, but %2 it %3")
                                        .arg(quoted(product), deed, how));
        }
    }
}

void KnowledgeBaseChecker::checkRecommendations(const NameIndex& software)
{
    const QString label = QStringLiteral("recommendedSoftware");
    const QString what = QStringLiteral("recommended software");
    if (m_haveDisciplineCategories) {
        for (auto it = m_disciplineCategories.begin(); it != m_disciplineCategories.end(); ++it) {
            const QJsonObject discipline = it.value().toObject();
            if (discipline.contains(label))
                checkSoftwareList(categoriesPath,
                                  QStringLiteral("discipline %1: ").arg(quoted(it.key())), label,
                                  what, discipline.value(label), software);
            for (const QJsonValue& value : discipline.value("subDisciplines").toArray()) {
                const QJsonObject sub = value.toObject();
                if (sub.contains(label))
                    checkSoftwareList(
                        categoriesPath,
                        QStringLiteral("sub-discipline %1 of %2: ")
                            .arg(quoted(sub.value("id").toString()), quoted(it.key())),
                        label, what, sub.value(label), software);
            }
        }
    }

    // Discipline documents may recommend software at any depth.
    for (const QString& relPath : jsonFilesUnder(QStringLiteral("disciplines/"))) {
        QVector<QJsonValue> pending = {QJsonValue(m_json.value(relPath).object())};
        while (!pending.isEmpty()) {
            const QJsonValue value = pending.takeFirst();
            if (value.isArray()) {
                for (const QJsonValue& element : value.toArray())
                    pending.append(element);
                continue;
            }
            const QJsonObject object = value.toObject();
            for (auto it = object.begin(); it != object.end(); ++it) {
                if (it.key() == label)
                    checkSoftwareList(relPath, QString(), label, what, it.value(), software);
                else
                    pending.append(it.value());
            }
        }
    }
}

void KnowledgeBaseChecker::checkSupportedBy(const NameIndex& software)
{
    for (const QString& relPath : jsonFilesUnder(QStringLiteral("technologies/"))) {
        const QJsonValue supportedBy = m_json.value(relPath).object().value("supportedBy");
        if (supportedBy.isUndefined())
            continue;
        if (!supportedBy.isObject()) {
            addProblem(relPath, QStringLiteral("supportedBy is not an object"));
            continue;
        }
        const QJsonObject lists = supportedBy.toObject();
        for (auto it = lists.begin(); it != lists.end(); ++it) {
            const QString label = QStringLiteral("supportedBy.") + it.key();
            checkSoftwareList(relPath, QString(), label, label + QStringLiteral(": software"),
                              it.value(), software);
        }
    }
}

void KnowledgeBaseChecker::checkIdAgainstName(const QString& relPath, const QJsonObject& entry)
{
    // Every word of the id must come from the Latin part of the name or full name; names
    // written only in Chinese leave nothing to compare with.
    const QString id = entry.value("id").toString();
    const QString name = entry.value("name").toString();
    const QString letters = asciiFold(name + QLatin1Char(' ') + entry.value("fullName").toString());
    if (id.isEmpty() || letters.isEmpty())
        return;
    QStringList missing;
    for (const QString& word : id.split(QLatin1Char('_'), Qt::SkipEmptyParts)) {
        if (!letters.contains(asciiFold(word)))
            missing.append(quoted(word));
    }
    if (!missing.isEmpty())
        addProblem(relPath,
                   QStringLiteral("id %1 does not match the name %2: %3 %4 not part of "
                                  "the name or full name")
                       .arg(quoted(id), quoted(name), missing.join(QStringLiteral(", ")),
                            missing.size() == 1 ? QStringLiteral("is") : QStringLiteral("are")));
}

void KnowledgeBaseChecker::checkSources(const QString& relPath, const QJsonObject& entry)
{
    const QJsonValue sources = entry.value("sources");
    if (sources.isUndefined()) {
        addProblem(relPath, QStringLiteral("sources is missing"));
        return;
    }
    if (!sources.isArray()) {
        addProblem(relPath, QStringLiteral("sources is not an array"));
        return;
    }
    const QJsonArray list = sources.toArray();
    if (list.isEmpty())
        addProblem(relPath, QStringLiteral("sources is empty"));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString label = QStringLiteral("sources[%1]").arg(i);
        if (!list.at(i).isObject()) {
            addProblem(
                relPath,
                QStringLiteral("%1 is not an object with url, title and checked").arg(label));
            continue;
        }
        const QJsonObject source = list.at(i).toObject();
        checkHttpUrl(relPath, source.value("url"), label + QStringLiteral(".url"), false);
        checkNonEmptyString(relPath, source, "title", label + QStringLiteral(".title"));
        if (!checkNonEmptyString(relPath, source, "checked", label + QStringLiteral(".checked")))
            continue;
        const QString checked = source.value("checked").toString();
        if (!isIsoDate(checked))
            addProblem(relPath, QStringLiteral("%1.checked %2 is not a date written YYYY-MM-DD")
                                    .arg(label, quoted(checked)));
        else if (QDate::fromString(checked, QStringLiteral("yyyy-MM-dd")) > QDate::currentDate())
            addProblem(
                relPath,
                QStringLiteral("%1.checked %2 lies in the future").arg(label, quoted(checked)));
    }
}

void KnowledgeBaseChecker::checkContentFiles()
{
    for (auto it = m_json.cbegin(); it != m_json.cend(); ++it) {
        const QString relPath = it.key();
        const QString directory = relPath.contains(QLatin1Char('/'))
                                      ? relPath.section(QLatin1Char('/'), 0, -2) + QLatin1Char('/')
                                      : QString();
        QVector<QJsonValue> pending = {it.value().isArray() ? QJsonValue(it.value().array())
                                                            : QJsonValue(it.value().object())};
        while (!pending.isEmpty()) {
            const QJsonValue value = pending.takeLast();
            if (value.isArray()) {
                for (const QJsonValue& element : value.toArray())
                    pending.append(element);
                continue;
            }
            if (!value.isObject())
                continue;
            const QJsonObject object = value.toObject();
            for (const QJsonValue& member : object)
                pending.append(member);
            if (!object.contains("contentFile"))
                continue;
            if (!checkNonEmptyString(relPath, object, "contentFile"))
                continue;
            const QString name = object.value("contentFile").toString();
            if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
                name == QLatin1String(".") || name == QLatin1String(".."))
                addProblem(relPath, QStringLiteral("contentFile %1 does not name a file in the "
                                                   "same directory")
                                        .arg(quoted(name)));
            else if (!m_fileSet.contains(directory + name))
                addProblem(relPath, QStringLiteral("contentFile %1 does not exist beside this file")
                                        .arg(quoted(name)));
        }
    }
}

void KnowledgeBaseChecker::checkTechnologies()
{
    const QStringList files = jsonFilesUnder(QStringLiteral("technologies/"));
    for (const QString& relPath : files) {
        if (!m_json.value(relPath).isObject())
            continue;
        const QJsonObject object = m_json.value(relPath).object();
        const QString id = object.value("id").toString();
        const QString baseName = QFileInfo(relPath).completeBaseName();
        if (!id.isEmpty() && id != baseName)
            addProblem(relPath, QStringLiteral("id %1 does not match the file name %2")
                                    .arg(quoted(id), quoted(baseName)));
        checkSources(relPath, object);
        if (object.value("type").toString() != kernelType)
            continue;
        for (const QString& key : kernelKeys) {
            if (!object.contains(key))
                addProblem(relPath, QStringLiteral("kernel technology has no %1").arg(key));
            else if (isEmptyValue(object.value(key)))
                addProblem(relPath, QStringLiteral("%1 is empty").arg(key));
        }
    }
    checkUniqueIds(files);
}

void KnowledgeBaseChecker::checkDisciplines()
{
    if (m_haveDisciplineCategories) {
        const QStringList keys = m_disciplineCategories.keys();
        for (const QString& key : keys) {
            checkDisciplineDirectory(key, QStringLiteral("discipline %1").arg(quoted(key)));
            const QJsonArray subDisciplines =
                m_disciplineCategories.value(key).toObject().value("subDisciplines").toArray();
            for (const QJsonValue& value : subDisciplines) {
                const QJsonObject sub = value.toObject();
                const QString what = QStringLiteral("sub-discipline %1 of %2")
                                         .arg(quoted(sub.value("id").toString()), quoted(key));
                const QString dataPath = sub.value("dataPath").toString();
                if (dataPath.trimmed().isEmpty()) {
                    addProblem(categoriesPath, QStringLiteral("%1 has no dataPath").arg(what));
                    continue;
                }
                const QStringList parts = dataPath.split(QLatin1Char('/'));
                if (dataPath.contains(QLatin1Char('\\')) || parts.contains(QString()) ||
                    parts.contains(QStringLiteral(".")) || parts.contains(QStringLiteral(".."))) {
                    addProblem(categoriesPath,
                               QStringLiteral("dataPath %1 of %2 is not a directory path below "
                                              "disciplines/")
                                   .arg(quoted(dataPath), what));
                    continue;
                }
                checkDisciplineDirectory(dataPath, what);
            }
        }
    }

    const QStringList files = jsonFilesUnder(QStringLiteral("disciplines/"));
    for (const QString& relPath : files) {
        if (!m_json.value(relPath).isObject())
            continue;
        const QJsonObject document = m_json.value(relPath).object();
        if (checkNonEmptyString(relPath, document, "type") &&
            !disciplineTypes.contains(document.value("type").toString()))
            addProblem(relPath, QStringLiteral("type %1 is not one of %2")
                                    .arg(quoted(document.value("type").toString()),
                                         disciplineTypes.join(QStringLiteral(", "))));
        const bool named = !document.value("name").toString().trimmed().isEmpty() ||
                           !document.value("title").toString().trimmed().isEmpty();
        if (!named)
            addProblem(relPath, QStringLiteral("has neither a name nor a title"));
    }
    checkUniqueIds(files);
}

void KnowledgeBaseChecker::checkDisciplineDirectory(const QString& dataPath, const QString& what)
{
    const QString relPath = QStringLiteral("disciplines/") + dataPath;
    if (!QFileInfo(m_dataDir + QLatin1Char('/') + relPath).isDir())
        addProblem(relPath, QStringLiteral("directory of %1 is missing").arg(what));
    else if (jsonFilesUnder(relPath + QLatin1Char('/')).isEmpty())
        addProblem(relPath, QStringLiteral("directory of %1 holds no JSON file").arg(what));
}

void KnowledgeBaseChecker::checkUniqueIds(const QStringList& relPaths)
{
    QHash<QString, QString> firstFile;
    for (const QString& relPath : relPaths) {
        const QString id = m_json.value(relPath).object().value("id").toString();
        if (id.isEmpty())
            continue;
        if (firstFile.contains(id))
            addProblem(relPath, QStringLiteral("id %1 is already used by %2")
                                    .arg(quoted(id), shown(firstFile.value(id))));
        else
            firstFile.insert(id, relPath);
    }
}

void KnowledgeBaseChecker::checkMetadata(const QString& relPath, const QJsonObject& entry)
{
    if (!entry.contains("metadata")) {
        addProblem(relPath, QStringLiteral("metadata is missing"));
        return;
    }
    if (!entry.value("metadata").isObject()) {
        addProblem(relPath, QStringLiteral("metadata is not an object"));
        return;
    }
    const QJsonObject metadata = entry.value("metadata").toObject();

    if (checkNonEmptyString(relPath, metadata, "lastUpdated", "metadata.lastUpdated")) {
        const QString date = metadata.value("lastUpdated").toString();
        if (!isIsoDate(date))
            addProblem(relPath, QStringLiteral("metadata.lastUpdated %1 is not a date written "
                                               "YYYY-MM-DD")
                                    .arg(quoted(date)));
    }
    checkNonEmptyString(relPath, metadata, "dataVersion", "metadata.dataVersion");
    checkNonEmptyString(relPath, metadata, "author", "metadata.author");
    checkNonEmptyString(relPath, metadata, "reviewStatus", "metadata.reviewStatus");

    const QJsonValue tags = metadata.value("tags");
    if (tags.isUndefined()) {
        addProblem(relPath, QStringLiteral("metadata.tags is missing"));
    } else if (!tags.isArray()) {
        addProblem(relPath, QStringLiteral("metadata.tags is not an array"));
    } else {
        const QJsonArray list = tags.toArray();
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (!list.at(i).isString())
                addProblem(relPath, QStringLiteral("metadata.tags[%1] is not a string").arg(i));
        }
    }
}

void KnowledgeBaseChecker::checkDescription(const QString& relPath, const QJsonObject& entry)
{
    if (!entry.contains("description")) {
        addProblem(relPath, QStringLiteral("description is missing"));
        return;
    }
    if (!entry.value("description").isObject()) {
        addProblem(relPath, QStringLiteral("description is not an object with zh and en"));
        return;
    }
    const QJsonObject description = entry.value("description").toObject();
    checkNonEmptyString(relPath, description, "zh", "description.zh");
    checkNonEmptyString(relPath, description, "en", "description.en");
}

bool KnowledgeBaseChecker::checkNonEmptyString(const QString& relPath, const QJsonObject& object,
                                               const QString& key, const QString& label)
{
    const QString shownKey = label.isEmpty() ? key : label;
    const QJsonValue value = object.value(key);
    if (value.isUndefined()) {
        addProblem(relPath, QStringLiteral("%1 is missing").arg(shownKey));
        return false;
    }
    if (!value.isString()) {
        addProblem(relPath, QStringLiteral("%1 is not a string").arg(shownKey));
        return false;
    }
    if (value.toString().trimmed().isEmpty()) {
        addProblem(relPath, QStringLiteral("%1 is empty").arg(shownKey));
        return false;
    }
    return true;
}

void KnowledgeBaseChecker::checkHttpUrl(const QString& relPath, const QJsonValue& value,
                                        const QString& label, bool allowEmpty)
{
    if (value.isUndefined() || (value.isString() && value.toString().isEmpty())) {
        if (!allowEmpty)
            addProblem(relPath, QStringLiteral("%1 is empty").arg(label));
        return;
    }
    if (!value.isString()) {
        addProblem(relPath, QStringLiteral("%1 is not a string").arg(label));
        return;
    }
    if (!isHttpUrl(value.toString()))
        addProblem(
            relPath,
            QStringLiteral("%1 is not an http(s) URL: %2").arg(label, quoted(value.toString())));
}

void KnowledgeBaseChecker::addProblem(const QString& relPath, const QString& message)
{
    m_problems.append({relPath.isEmpty() ? QStringLiteral("data") : shown(relPath), message});
}

QStringList KnowledgeBaseChecker::jsonFilesUnder(const QString& prefix) const
{
    QStringList files;
    for (const QString& relPath : m_files) {
        if (relPath.startsWith(prefix) &&
            relPath.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
            files.append(relPath);
    }
    return files;
}

QJsonObject KnowledgeBaseChecker::summary() const
{
    QJsonObject byCategory;
    if (m_haveSoftwareCategories) {
        for (const QString& key : m_softwareCategories.keys())
            byCategory.insert(key, 0);
    }
    for (const QString& relPath : m_softwareFiles) {
        const QString key = relPath.section(QLatin1Char('/'), 1, 1).toUpper();
        byCategory.insert(key, byCategory.value(key).toInt() + 1);
    }

    int json = 0;
    int markdown = 0;
    int png = 0;
    for (const QString& relPath : m_files) {
        const QString suffix = QFileInfo(relPath).suffix().toLower();
        json += suffix == QLatin1String("json");
        markdown += suffix == QLatin1String("md");
        png += suffix == QLatin1String("png");
    }

    QJsonObject counts;
    counts.insert("allFiles", m_files.size());
    counts.insert("companies", m_companyFiles.size());
    counts.insert("disciplines", jsonFilesUnder(QStringLiteral("disciplines/")).size());
    counts.insert("jsonFiles", json);
    counts.insert("markdownFiles", markdown);
    counts.insert("pngFiles", png);
    counts.insert("problemCount", m_problems.size());
    counts.insert("software", m_softwareFiles.size());
    counts.insert("softwareByCategory", byCategory);
    counts.insert("technologies", jsonFilesUnder(QStringLiteral("technologies/")).size());
    return counts;
}

QStringList KnowledgeBaseChecker::problemLines() const
{
    QStringList lines;
    for (const Problem& problem : m_problems)
        lines.append(problem.file + QStringLiteral(": ") + problem.message);
    return lines;
}

QStringList KnowledgeBaseChecker::summaryLines() const
{
    const QJsonObject counts = summary();
    const QJsonObject byCategory = counts.value("softwareByCategory").toObject();
    QStringList perCategory;
    for (auto it = byCategory.begin(); it != byCategory.end(); ++it)
        perCategory.append(it.key() + QLatin1Char(' ') + QString::number(it.value().toInt()));

    const auto count = [&counts](const char* key) {
        return QString::number(counts.value(QLatin1String(key)).toInt());
    };
    QString software = QStringLiteral("Software entries: ") + count("software");
    if (!perCategory.isEmpty())
        software +=
            QStringLiteral(" (") + perCategory.join(QStringLiteral(", ")) + QLatin1Char(')');
    return {software,
            QStringLiteral("Companies: ") + count("companies"),
            QStringLiteral("Technology JSON files: ") + count("technologies"),
            QStringLiteral("Discipline JSON files: ") + count("disciplines"),
            QStringLiteral("JSON files: ") + count("jsonFiles"),
            QStringLiteral("Markdown files: ") + count("markdownFiles"),
            QStringLiteral("PNG files: ") + count("pngFiles"),
            QStringLiteral("All files: ") + count("allFiles"),
            QStringLiteral("Problems: ") + count("problemCount")};
}

QByteArray KnowledgeBaseChecker::resultsJson() const
{
    QJsonArray problems;
    for (const Problem& problem : m_problems)
        problems.append(QJsonObject{{"file", problem.file}, {"message", problem.message}});
    const QJsonObject results{{"summary", summary()}, {"problems", problems}};
    return formatJson(results);
}

QByteArray KnowledgeBaseChecker::formatJson(const QJsonValue& value)
{
    QByteArray out;
    appendJson(out, value, 0);
    out += '\n';
    return out;
}
