#include "CompareTable.h"

#include "ContentRenderer.h"
#include "PageStyle.h"
#include "editors/CsvDocument.h"

#include <QJsonArray>
#include <QSet>

#include <functional>

namespace {

QStringList stringList(const QJsonValue& value)
{
    QStringList items;
    if (value.isString()) {
        if (!value.toString().trimmed().isEmpty())
            items << value.toString().trimmed();
        return items;
    }
    for (const QJsonValue& element : value.toArray()) {
        const QString text = element.isObject()
                                 ? element.toObject().value(QLatin1String("name")).toString()
                                 : element.toString();
        if (!text.trimmed().isEmpty())
            items << text.trimmed();
    }
    return items;
}

QString licenceType(const QString& type)
{
    const QString key = type.trimmed().toLower();
    if (key == QLatin1String("commercial"))
        return CompareTable::tr("商业");
    if (key == QLatin1String("opensource") || key == QLatin1String("open source") ||
        key == QLatin1String("open-source"))
        return CompareTable::tr("开源");
    if (key == QLatin1String("freemium"))
        return CompareTable::tr("免费增值");
    if (key == QLatin1String("academic"))
        return CompareTable::tr("学术");
    if (key == QLatin1String("free"))
        return CompareTable::tr("免费");
    return type.trimmed();
}

QSet<QString> comparable(const QStringList& items)
{
    QSet<QString> set;
    for (const QString& item : items)
        set.insert(item.simplified().toCaseFolded());
    return set;
}

} // namespace

CompareTable::AddResult CompareTable::add(const QString& path, const QJsonObject& entry)
{
    if (m_paths.contains(path))
        return AddResult::AlreadyPresent;
    if (!ContentRenderer::isSoftwareCategory(entry.value(QLatin1String("category")).toString()) ||
        entry.value(QLatin1String("type")).toString() == QLatin1String("category_overview"))
        return AddResult::NotSoftware;
    if (count() >= MaxEntries)
        return AddResult::Full;
    m_paths.append(path);
    m_entries.append(entry);
    return AddResult::Added;
}

bool CompareTable::remove(const QString& path)
{
    const qsizetype index = m_paths.indexOf(path);
    if (index < 0)
        return false;
    m_paths.removeAt(index);
    m_entries.removeAt(index);
    return true;
}

void CompareTable::clear()
{
    m_paths.clear();
    m_entries.clear();
}

QStringList CompareTable::productNames() const
{
    QStringList names;
    for (const QJsonObject& entry : m_entries)
        names << ContentRenderer::pageTitle(entry);
    return names;
}

QString CompareTable::addResultMessage(AddResult result, const QString& name)
{
    switch (result) {
    case AddResult::Added:
        return tr("已加入对比: %1").arg(name);
    case AddResult::AlreadyPresent:
        return tr("已在对比列表中: %1").arg(name);
    case AddResult::Full:
        return tr("最多对比 %1 个软件，请先移除一个").arg(MaxEntries);
    case AddResult::NotSoftware:
        return tr("只能对比软件条目: %1").arg(name);
    }
    return {};
}

QList<CompareTable::Row> CompareTable::rows() const
{
    using Extract = std::function<QStringList(const QJsonObject&)>;
    auto key = [](const char* name) {
        return [name](const QJsonObject& entry) {
            return stringList(entry.value(QLatin1String(name)));
        };
    };
    auto technical = [](const char* name) {
        return [name](const QJsonObject& entry) {
            return stringList(
                entry.value(QLatin1String("technicalSpecs")).toObject().value(QLatin1String(name)));
        };
    };
    auto formats = [](const char* name) {
        return [name](const QJsonObject& entry) {
            return stringList(entry.value(QLatin1String("technicalSpecs"))
                                  .toObject()
                                  .value(QLatin1String("fileFormats"))
                                  .toObject()
                                  .value(QLatin1String(name)));
        };
    };
    const std::pair<QString, Extract> definitions[] = {
        {tr("厂商"), key("vendor")},
        {tr("类别"),
         [](const QJsonObject& entry) {
             QString category = entry.value(QLatin1String("category")).toString();
             const QString sub = entry.value(QLatin1String("subCategory")).toString();
             if (!sub.isEmpty())
                 category += QStringLiteral(" / ") + sub;
             return category.isEmpty() ? QStringList() : QStringList{category};
         }},
        {tr("当前版本"), key("currentVersion")},
        {tr("发布日期"), key("releaseDate")},
        {tr("许可方式"),
         [](const QJsonObject& entry) {
             const QJsonObject licensing = entry.value(QLatin1String("licensing")).toObject();
             QStringList items;
             const QString type = licensing.value(QLatin1String("type")).toString();
             if (!type.trimmed().isEmpty())
                 items << licenceType(type);
             items << stringList(licensing.value(QLatin1String("models")));
             return items;
         }},
        {tr("平台"), technical("platform")},
        {tr("几何内核"), technical("kernel")},
        {tr("原生格式"), formats("native")},
        {tr("导入格式"), formats("import")},
        {tr("导出格式"), formats("export")},
        {tr("核心功能"),
         [](const QJsonObject& entry) {
             return stringList(
                 entry.value(QLatin1String("features")).toObject().value(QLatin1String("core")));
         }},
        {tr("主要竞争对手"), [](const QJsonObject& entry) {
             return stringList(entry.value(QLatin1String("competitiveAnalysis"))
                                   .toObject()
                                   .value(QLatin1String("competitors")));
         }}};

    QList<Row> result;
    for (const auto& [label, extract] : definitions) {
        Row row;
        row.label = label;
        for (const QJsonObject& entry : m_entries)
            row.values.append(extract(entry));
        for (qsizetype i = 1; i < row.values.size(); ++i) {
            if (comparable(row.values.at(i)) != comparable(row.values.first())) {
                row.differs = true;
                break;
            }
        }
        result.append(row);
    }
    return result;
}

QByteArray CompareTable::toCsv() const
{
    const QStringList header =
        QStringList{tr("项目")} + productNames() + QStringList{tr("是否不同")};
    QList<QStringList> records;
    for (const Row& row : rows()) {
        QStringList record{row.label};
        for (const QStringList& items : row.values)
            record << items.join(QStringLiteral("; "));
        record << (row.differs ? tr("是") : tr("否"));
        records.append(record);
    }
    return CsvDocument(header, records).toCsv();
}

QString CompareTable::toHtml(const PageContext& context) const
{
    using R = ContentRenderer;
    const QString differs = PageStyle::adapt(QStringLiteral(" style='background-color: #fff3cd;'"));
    QString html =
        QStringLiteral("<table><tr><th>") + R::escapeHtml(tr("项目")) + QStringLiteral("</th>");
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        html += QStringLiteral("<th>") +
                context.linkHtml(m_paths.at(i), R::pageTitle(m_entries.at(i))) +
                QStringLiteral("<br/><small><a href='#remove-%1'>%2</a></small></th>")
                    .arg(i)
                    .arg(R::escapeHtml(tr("移除")));
    }
    html += QStringLiteral("</tr>");
    for (const Row& row : rows()) {
        const QString style = row.differs ? differs : QString();
        html += QStringLiteral("<tr><td%1><strong>%2</strong></td>")
                    .arg(style, R::escapeHtml(row.label));
        for (const QStringList& items : row.values) {
            QStringList cells;
            for (const QString& item : items)
                cells << R::escapeHtml(item);
            html += QStringLiteral("<td%1>%2</td>")
                        .arg(style, cells.isEmpty() ? QStringLiteral("—")
                                                    : cells.join(QStringLiteral("<br/>")));
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    return html;
}
