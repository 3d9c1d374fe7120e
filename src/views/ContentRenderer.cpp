#include "ContentRenderer.h"

#include "data/EmbeddedDataAdapter.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kSoftwareCategories[] = {QStringLiteral("CAD"), QStringLiteral("CAE"),
                                       QStringLiteral("CFD"), QStringLiteral("CAM"),
                                       QStringLiteral("EDA"), QStringLiteral("PLM")};

QString stringOf(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toString();
}

bool has(const QJsonObject& object, const char* key)
{
    return object.contains(QLatin1String(key));
}

QString withoutListTags(QString html)
{
    html.remove(QStringLiteral("<ul>"));
    html.remove(QStringLiteral("</ul>"));
    return html;
}

// Picture file names come from the file system, not from authored markup, and
// may hold quotes; inside a quoted attribute they must not end it early.
QString attribute(const QString& text)
{
    return ContentRenderer::escapeHtml(text);
}

} // namespace

ContentRenderer::PageKind ContentRenderer::pageKind(const QJsonObject& entry)
{
    const QString category = stringOf(entry, "category");
    const QString type = stringOf(entry, "type");
    if (type == QLatin1String("category_overview"))
        return PageKind::CategoryOverview;
    for (const QString& key : kSoftwareCategories) {
        if (category == key)
            return PageKind::Software;
    }
    if (type == QLatin1String("image"))
        return PageKind::Picture;
    if (type == QLatin1String("Geometric Modeling Kernel"))
        return PageKind::KernelTechnology;
    if (has(entry, "industry") || has(entry, "headquarters"))
        return PageKind::Company;
    return PageKind::Generic;
}

QString ContentRenderer::pageTitle(const QJsonObject& entry)
{
    const QString name = stringOf(entry, "name");
    return name.isEmpty() ? stringOf(entry, "id") : name;
}

QString ContentRenderer::htmlHead()
{
    return QStringLiteral(
        "<html><head><style>"
        "body { font-family: 'Microsoft YaHei', Arial, sans-serif; }"
        "h2 { color: #2196F3; border-bottom: 2px solid #2196F3; padding-bottom: 5px; }"
        "h3 { color: #555; margin-top: 15px; }"
        "table { border-collapse: collapse; width: 100%; margin: 10px 0; }"
        "th, td { border: 1px solid #ddd; padding: 8px; text-align: left; }"
        "th { background-color: #f2f2f2; }"
        "ul { margin: 5px 0; }"
        "li { margin: 3px 0; }"
        ".tag { display: inline-block; background: #e0e0e0; padding: 2px 8px; "
        "margin: 2px; border-radius: 3px; font-size: 12px; }"
        ".section { margin: 20px 0; padding: 15px; background: #f9f9f9; "
        "border-left: 4px solid #2196F3; }"
        "</style></head><body>");
}

QString ContentRenderer::metadataFooter(const QJsonObject& entry)
{
    const QJsonValue metadata = entry.value(QLatin1String("metadata"));
    if (!metadata.isObject())
        return {};
    const QJsonObject object = metadata.toObject();
    return QStringLiteral("<div class='section'><small>") +
           tr("最后更新: %1 | ").arg(stringOf(object, "lastUpdated")) +
           tr("版本: %1").arg(stringOf(object, "dataVersion")) + QStringLiteral("</small></div>");
}

QString ContentRenderer::buildHtml(const QJsonObject& entry)
{
    QString html = htmlHead();
    switch (pageKind(entry)) {
    case PageKind::CategoryOverview:
        html += renderCategoryOverview(entry);
        break;
    case PageKind::Software:
        html += renderSoftwarePage(entry);
        break;
    case PageKind::Picture:
        html += renderPicturePage(entry);
        break;
    case PageKind::KernelTechnology:
        html += renderKernelTechnologyPage(entry);
        break;
    case PageKind::Company:
        html += renderCompanyPage(entry);
        break;
    case PageKind::Generic:
        html += renderGenericPage(entry);
        break;
    }
    html += metadataFooter(entry);
    html += QStringLiteral("</body></html>");
    return html;
}

QString ContentRenderer::escapeHtml(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    escaped.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    escaped.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    escaped.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
    escaped.replace(QLatin1Char('\''), QStringLiteral("&#39;"));
    return escaped;
}

QString ContentRenderer::localizedText(const QJsonValue& value)
{
    if (value.isString())
        return value.toString();
    if (!value.isObject())
        return {};
    const QJsonObject object = value.toObject();
    for (const char* key : {"zh", "text", "summary", "en"}) {
        const QString text = stringOf(object, key);
        if (!text.isEmpty())
            return text;
    }
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString text = it.value().toString();
        if (!text.isEmpty())
            return text;
    }
    return {};
}

QString ContentRenderer::renderList(const QJsonArray& array, const QString& prefix)
{
    if (array.isEmpty())
        return {};
    QString html = QStringLiteral("<ul>");
    for (const QJsonValue& element : array) {
        html += QStringLiteral("<li>");
        if (!prefix.isEmpty())
            html += prefix + QLatin1Char(' ');
        if (element.isString())
            html += escapeHtml(element.toString());
        else if (element.isObject() && element.toObject().contains(QLatin1String("name")))
            html += escapeHtml(stringOf(element.toObject(), "name"));
        else
            html += formatValue(element);
        html += QStringLiteral("</li>");
    }
    html += QStringLiteral("</ul>");
    return html;
}

QString ContentRenderer::formatValue(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return escapeHtml(value.toString());
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', 6);
    case QJsonValue::Bool:
        return value.toBool() ? tr("是") : tr("否");
    case QJsonValue::Array:
        return renderList(value.toArray());
    case QJsonValue::Object: {
        QString html = QStringLiteral("<table>");
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            html += QStringLiteral("<tr><td><strong>%1</strong></td><td>%2</td></tr>")
                        .arg(it.key(), formatValue(it.value()));
        }
        html += QStringLiteral("</table>");
        return html;
    }
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        break;
    }
    return {};
}

QString ContentRenderer::renderSectionBlock(const QString& heading, const QJsonValue& value)
{
    const QString title = QStringLiteral("<h3>%1</h3>").arg(escapeHtml(heading));
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        return array.isEmpty() ? QString() : title + renderList(array);
    }
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        if (object.isEmpty())
            return {};
        QString html = title + QStringLiteral("<table>");
        for (auto it = object.begin(); it != object.end(); ++it) {
            html += QStringLiteral("<tr><td><strong>%1</strong></td><td>%2</td></tr>")
                        .arg(escapeHtml(it.key()), formatValue(it.value()));
        }
        return html + QStringLiteral("</table>");
    }
    if (value.isString() && !value.toString().isEmpty())
        return title + QStringLiteral("<p>%1</p>").arg(escapeHtml(value.toString()));
    return {};
}

QString ContentRenderer::renderBasicInfo(const QJsonObject& entry)
{
    QString html = QStringLiteral("<div class='section'>");
    if (has(entry, "fullName"))
        html += tr("<p><strong>全称:</strong> %1</p>").arg(stringOf(entry, "fullName"));
    if (has(entry, "category")) {
        html += tr("<p><strong>类别:</strong> %1").arg(stringOf(entry, "category"));
        if (has(entry, "subCategory"))
            html += QStringLiteral(" / ") + stringOf(entry, "subCategory");
        html += QStringLiteral("</p>");
    }
    if (has(entry, "country"))
        html += tr("<p><strong>国家:</strong> %1</p>").arg(stringOf(entry, "country"));
    const QString website = stringOf(entry, "website");
    if (!website.isEmpty())
        html +=
            tr("<p><strong>官网:</strong> <a href='%1' target='_blank'>%1</a></p>").arg(website);
    if (has(entry, "vendor"))
        html += tr("<p><strong>厂商:</strong> %1</p>").arg(stringOf(entry, "vendor"));
    if (has(entry, "founded"))
        html += tr("<p><strong>成立时间:</strong> %1</p>").arg(stringOf(entry, "founded"));
    if (has(entry, "currentVersion")) {
        html += tr("<p><strong>当前版本:</strong> %1").arg(stringOf(entry, "currentVersion"));
        if (has(entry, "releaseDate"))
            html += QStringLiteral(" (") + stringOf(entry, "releaseDate") + QLatin1Char(')');
        html += QStringLiteral("</p>");
    }
    if (has(entry, "description")) {
        const QString zh =
            entry.value(QLatin1String("description")).toObject().value("zh").toString();
        if (!zh.isEmpty())
            html += QStringLiteral("<p>") + zh + QStringLiteral("</p>");
    }
    html += QStringLiteral("</div>");
    return html;
}

QString ContentRenderer::renderFeatures(const QJsonObject& features)
{
    QString html = tr("<h2>功能特性</h2>") + QStringLiteral("<div class='section'>");
    if (has(features, "core"))
        html += tr("<h3>核心功能</h3>") + renderList(features.value("core").toArray());
    if (has(features, "advanced"))
        html += tr("<h3>高级功能</h3>") + renderList(features.value("advanced").toArray());
    if (has(features, "modules"))
        html += tr("<h3>模块列表</h3>") + renderList(features.value("modules").toArray());
    html += QStringLiteral("</div>");
    return html;
}

QString ContentRenderer::renderGenericPage(const QJsonObject& entry)
{
    static const QStringList skipped{QStringLiteral("name"), QStringLiteral("id"),
                                     QStringLiteral("description"), QStringLiteral("_filePath"),
                                     QStringLiteral("metadata")};
    QString html = renderBasicInfo(entry);
    for (auto it = entry.begin(); it != entry.end(); ++it) {
        if (skipped.contains(it.key()))
            continue;
        html +=
            QStringLiteral("<h3>") + it.key() + QStringLiteral("</h3>") + formatValue(it.value());
    }
    return html;
}

QString ContentRenderer::hardwareRequirementLabel(const QString& key)
{
    if (key == QLatin1String("minRAM"))
        return tr("最小内存");
    if (key == QLatin1String("recommendedRAM"))
        return tr("推荐内存");
    if (key == QLatin1String("gpu"))
        return tr("显卡");
    if (key == QLatin1String("disk"))
        return tr("硬盘空间");
    return key;
}

QString ContentRenderer::renderTechnicalSpecs(const QJsonObject& techSpecs)
{
    QString html = tr("<h2>技术规格</h2>") + QStringLiteral("<div class='section'>");
    if (has(techSpecs, "kernel"))
        html += tr("<h3>几何内核</h3>") + renderList(techSpecs.value("kernel").toArray());
    if (has(techSpecs, "modelingTechniques"))
        html +=
            tr("<h3>建模技术</h3>") + renderList(techSpecs.value("modelingTechniques").toArray());
    const QJsonObject formats = techSpecs.value(QLatin1String("fileFormats")).toObject();
    if (has(techSpecs, "fileFormats") && has(formats, "native")) {
        html += tr("<h3>文件格式</h3>") + QStringLiteral("<table>");
        html += tr("<tr><th>类型</th><th>格式</th></tr>");
        html += tr("<tr><td>原生格式</td><td>") +
                withoutListTags(renderList(formats.value("native").toArray())) +
                QStringLiteral("</td></tr>");
        html += QStringLiteral("</table>");
    }
    if (has(techSpecs, "hardwareRequirements")) {
        html += tr("<h3>硬件要求</h3>") + QStringLiteral("<table>");
        html += tr("<tr><th>项目</th><th>要求</th></tr>");
        const QJsonObject hardware =
            techSpecs.value(QLatin1String("hardwareRequirements")).toObject();
        for (auto it = hardware.begin(); it != hardware.end(); ++it) {
            html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                        .arg(hardwareRequirementLabel(it.key()), it.value().toString());
        }
        html += QStringLiteral("</table>");
    }
    html += QStringLiteral("</div>");
    return html;
}

QString ContentRenderer::renderIndustryApplications(const QJsonArray& applications)
{
    if (applications.isEmpty())
        return {};
    QString html = tr("<h2>行业应用</h2>") + QStringLiteral("<div class='section'>");
    for (const QJsonValue& element : applications) {
        const QJsonObject application = element.toObject();
        html += QStringLiteral("<h3>") + stringOf(application, "industry") +
                QStringLiteral("</h3><table>");
        if (has(application, "usage"))
            html += tr("<tr><td><strong>用途</strong></td><td>%1</td></tr>")
                        .arg(stringOf(application, "usage"));
        if (has(application, "marketShare"))
            html += tr("<tr><td><strong>市场份额</strong></td><td>%1</td></tr>")
                        .arg(stringOf(application, "marketShare"));
        if (has(application, "keyCustomers"))
            html += tr("<tr><td><strong>主要客户</strong></td><td>") +
                    withoutListTags(renderList(application.value("keyCustomers").toArray())) +
                    QStringLiteral("</td></tr>");
        html += QStringLiteral("</table>");
    }
    html += QStringLiteral("</div>");
    return html;
}

QString ContentRenderer::renderCompetitiveAnalysis(const QJsonObject& analysis)
{
    QString html = tr("<h2>竞争分析</h2>") + QStringLiteral("<div class='section'>");
    if (has(analysis, "strengths"))
        html += tr("<h3>优势</h3>") + renderList(analysis.value("strengths").toArray());
    if (has(analysis, "weaknesses"))
        html += tr("<h3>劣势</h3>") + renderList(analysis.value("weaknesses").toArray());
    if (has(analysis, "competitors")) {
        html += tr("<h3>主要竞争对手</h3>") + QStringLiteral("<ul>");
        for (const QJsonValue& element : analysis.value(QLatin1String("competitors")).toArray()) {
            const QJsonObject competitor = element.toObject();
            html += QStringLiteral("<li>%1 (%2)</li>")
                        .arg(stringOf(competitor, "name"), stringOf(competitor, "vendor"));
        }
        html += QStringLiteral("</ul>");
    }
    html += QStringLiteral("</div>");
    return html;
}

QString ContentRenderer::renderResources(const QJsonObject& resources)
{
    QString html = tr("<h2>资源链接</h2>") + QStringLiteral("<div class='section'><ul>");
    for (auto it = resources.begin(); it != resources.end(); ++it) {
        const QJsonValue value = it.value();
        if (value.isString()) {
            const QString text = value.toString();
            if (text.startsWith(QLatin1String("http")))
                html += QStringLiteral("<li><strong>%1:</strong> <a href='%2'>%2</a></li>")
                            .arg(it.key(), text);
            else
                html += QStringLiteral("<li><strong>%1:</strong> %2</li>").arg(it.key(), text);
        } else if (value.isArray()) {
            html += QStringLiteral("<li><strong>%1:</strong>").arg(it.key()) +
                    renderList(value.toArray()) + QStringLiteral("</li>");
        }
    }
    html += QStringLiteral("</ul></div>");
    return html;
}

QString ContentRenderer::renderAcquisitionInfo(const QJsonObject& info)
{
    QString html = tr("<h2>收购信息</h2>") + QStringLiteral("<div class=\"section\">");
    if (has(info, "acquiredBy"))
        html += tr("<p><strong>收购方:</strong> %1</p>").arg(stringOf(info, "acquiredBy"));
    if (has(info, "acquisitionDate"))
        html += tr("<p><strong>收购时间:</strong> %1</p>").arg(stringOf(info, "acquisitionDate"));
    if (has(info, "status"))
        html += tr("<p><strong>状态:</strong> %1</p>").arg(stringOf(info, "status"));
    if (has(info, "impact"))
        html += tr("<p><strong>影响:</strong> %1</p>").arg(stringOf(info, "impact"));
    html += QStringLiteral("</div>");
    return html;
}

QString ContentRenderer::renderSoftwarePage(const QJsonObject& entry)
{
    QString html = renderBasicInfo(entry);
    if (has(entry, "technicalSpecs"))
        html += renderTechnicalSpecs(entry.value(QLatin1String("technicalSpecs")).toObject());
    if (has(entry, "features"))
        html += renderFeatures(entry.value(QLatin1String("features")).toObject());
    if (has(entry, "industryApplications"))
        html += renderIndustryApplications(
            entry.value(QLatin1String("industryApplications")).toArray());
    if (has(entry, "competitiveAnalysis"))
        html +=
            renderCompetitiveAnalysis(entry.value(QLatin1String("competitiveAnalysis")).toObject());
    if (has(entry, "resources"))
        html += renderResources(entry.value(QLatin1String("resources")).toObject());
    if (has(entry, "acquisitionInfo"))
        html += renderAcquisitionInfo(entry.value(QLatin1String("acquisitionInfo")).toObject());
    return html;
}

QString ContentRenderer::stockLinkLabel(const QString& key)
{
    static const QHash<QString, QString> labels{
        {QStringLiteral("yahoo"), QStringLiteral("Yahoo Finance")},
        {QStringLiteral("nasdaq"), QStringLiteral("NASDAQ")},
        {QStringLiteral("marketwatch"), QStringLiteral("MarketWatch")},
        {QStringLiteral("bloomberg"), QStringLiteral("Bloomberg")},
        {QStringLiteral("googlefinance"), QStringLiteral("Google Finance")},
        {QStringLiteral("euronext"), QStringLiteral("Euronext")}};
    return labels.value(key, key);
}

QString ContentRenderer::renderCompanyPage(const QJsonObject& entry)
{
    QString html = renderBasicInfo(entry);
    if (has(entry, "headquarters"))
        html += tr("<p><strong>总部:</strong> %1</p>").arg(stringOf(entry, "headquarters"));

    const QString employeesTemplate = tr("<p><strong>员工数:</strong> %1</p>");
    const QString revenueTemplate = tr("<p><strong>年收入:</strong> %1</p>");

    if (has(entry, "basicInfo")) {
        const QJsonObject info = entry.value(QLatin1String("basicInfo")).toObject();
        html += tr("<h2>基本信息</h2>") + QStringLiteral("<div class='section'>");
        if (has(info, "ceo"))
            html += tr("<p><strong>CEO:</strong> %1</p>").arg(stringOf(info, "ceo"));
        if (has(info, "employees"))
            html += employeesTemplate.arg(stringOf(info, "employees"));
        if (has(info, "revenue"))
            html += revenueTemplate.arg(stringOf(info, "revenue"));
        html += QStringLiteral("</div>");
    }

    if (has(entry, "stockInfo")) {
        const QJsonObject stock = entry.value(QLatin1String("stockInfo")).toObject();
        html += tr("<h2>股票信息</h2>") + QStringLiteral("<div class='section'>");
        if (has(stock, "exchange")) {
            html += tr("<p><strong>交易所:</strong> %1").arg(stringOf(stock, "exchange"));
            if (has(stock, "symbol"))
                html += QStringLiteral(" (") + stringOf(stock, "symbol") + QLatin1Char(')');
            html += QStringLiteral("</p>");
        }
        if (has(stock, "marketCap"))
            html += tr("<p><strong>市值:</strong> %1</p>").arg(stringOf(stock, "marketCap"));
        if (has(stock, "stockLinks")) {
            html += tr("<p><strong>股票链接:</strong></p>") + QStringLiteral("<ul>");
            const QJsonObject links = stock.value(QLatin1String("stockLinks")).toObject();
            for (auto it = links.begin(); it != links.end(); ++it) {
                html += QStringLiteral("<li><a href='%1' target='_blank'>%2</a></li>")
                            .arg(it.value().toString(), stockLinkLabel(it.key()));
            }
            html += QStringLiteral("</ul>");
        }
        html += QStringLiteral("</div>");
    }

    if (has(entry, "employees"))
        html += employeesTemplate.arg(stringOf(entry, "employees"));
    if (has(entry, "revenue"))
        html += revenueTemplate.arg(stringOf(entry, "revenue"));

    if (has(entry, "products"))
        html += tr("<h2>主要产品</h2>") + QStringLiteral("<div class='section'>") +
                formatValue(entry.value(QLatin1String("products"))) + QStringLiteral("</div>");
    return html;
}

QString ContentRenderer::renderKernelTechnologyPage(const QJsonObject& entry)
{
    QString html = renderBasicInfo(entry);
    if (has(entry, "technicalDetails")) {
        html += tr("<h2>技术细节</h2>") + QStringLiteral("<div class='section'>");
        const QJsonObject details = entry.value(QLatin1String("technicalDetails")).toObject();
        for (auto it = details.begin(); it != details.end(); ++it)
            html += QStringLiteral("<h3>") + it.key() + QStringLiteral("</h3>") +
                    formatValue(it.value());
        html += QStringLiteral("</div>");
    }
    if (has(entry, "features"))
        html += renderFeatures(entry.value(QLatin1String("features")).toObject());
    if (has(entry, "applications"))
        html += tr("<h2>应用领域</h2>") + QStringLiteral("<div class='section'>") +
                formatValue(entry.value(QLatin1String("applications"))) + QStringLiteral("</div>");
    if (has(entry, "comparison"))
        html += tr("<h2>对比分析</h2>") + QStringLiteral("<div class='section'>") +
                formatValue(entry.value(QLatin1String("comparison"))) + QStringLiteral("</div>");
    return html;
}

QString ContentRenderer::renderCategoryOverview(const QJsonObject& entry)
{
    QString html = QStringLiteral("<div class='section'>");
    const QString description = localizedText(entry.value(QLatin1String("description")));
    if (!description.isEmpty())
        html += QStringLiteral("<p>%1</p>").arg(escapeHtml(description));
    const QString category = stringOf(entry, "category");
    if (!category.isEmpty())
        html += tr("<p><strong>分类路径:</strong> %1</p>").arg(escapeHtml(category));
    if (has(entry, "itemCount"))
        html += tr("<p><strong>已收录资料:</strong> %1 项</p>")
                    .arg(entry.value(QLatin1String("itemCount")).toInt());
    html += QStringLiteral("</div>");

    const std::pair<const char*, QString> topics[] = {
        {"topics", tr("核心专题")},          {"highlights", tr("关键亮点")},
        {"focusAreas", tr("重点关注")},      {"keyMethods", tr("关键方法")},
        {"keyPlayers", tr("代表厂商/技术")}, {"recommendedSoftware", tr("常用工具")},
        {"types", tr("类型/分类")},          {"references", tr("参考资料")}};
    for (const auto& [key, heading] : topics) {
        if (has(entry, key))
            html += renderSectionBlock(heading, entry.value(QLatin1String(key)));
    }
    if (has(entry, "useCases"))
        html += renderUseCases(entry.value(QLatin1String("useCases")).toArray());
    if (has(entry, "items"))
        html += renderRelatedItems(entry.value(QLatin1String("items")).toArray());
    return html;
}

QString ContentRenderer::renderUseCases(const QJsonArray& useCases)
{
    if (useCases.isEmpty())
        return {};
    QString html = tr("<h3>典型场景</h3>") + QStringLiteral("<div class='section'>");
    for (const QJsonValue& element : useCases) {
        if (!element.isObject())
            continue;
        const QJsonObject useCase = element.toObject();
        QString title = stringOf(useCase, "title");
        if (title.isEmpty())
            title = stringOf(useCase, "name");
        if (title.isEmpty())
            title = tr("场景");
        QString details = stringOf(useCase, "details");
        if (details.isEmpty() && has(useCase, "description"))
            details = localizedText(useCase.value(QLatin1String("description")));
        if (details.isEmpty() && has(useCase, "summary"))
            details = stringOf(useCase, "summary");
        if (details.isEmpty())
            details = tr("暂无描述");
        html += QStringLiteral("<p><strong>%1</strong><br/>%2</p>")
                    .arg(escapeHtml(title), escapeHtml(details));
    }
    html += QStringLiteral("</div>");
    return html;
}

QString ContentRenderer::renderRelatedItems(const QJsonArray& items)
{
    constexpr int maxRows = 8;
    if (items.isEmpty())
        return {};
    QString html = tr("<h3>关联资料</h3>") + QStringLiteral("<table>");
    html += tr("<tr><th>名称</th><th>类型</th><th>摘要</th></tr>");
    int rows = 0;
    for (const QJsonValue& element : items) {
        if (rows >= maxRows)
            break;
        if (!element.isObject())
            continue;
        const QJsonObject item = element.toObject();
        QString name = stringOf(item, "name");
        if (name.isEmpty())
            name = stringOf(item, "title");
        if (name.isEmpty())
            name = stringOf(item, "fileName");
        QString kind = stringOf(item, "type");
        if (kind.isEmpty())
            kind = stringOf(item, "category");
        QString summary = stringOf(item, "summary");
        if (summary.isEmpty() && has(item, "description"))
            summary = localizedText(item.value(QLatin1String("description")));
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                    .arg(escapeHtml(name), escapeHtml(kind), escapeHtml(summary));
        ++rows;
    }
    html += QStringLiteral("</table>");
    if (items.size() > maxRows)
        html += tr("<p><em>另外 %1 项资料可通过展开左侧导航查看。</em></p>")
                    .arg(items.size() - maxRows);
    return html;
}

QString ContentRenderer::formatFileSize(qint64 bytes)
{
    constexpr qint64 kib = 1024;
    constexpr qint64 mib = 1024 * 1024;
    if (bytes < kib)
        return tr("%1 字节").arg(bytes);
    if (bytes < mib)
        return QStringLiteral("%1 KB").arg(double(bytes) / kib, 0, 'f', 1);
    return QStringLiteral("%1 MB").arg(double(bytes) / mib, 0, 'f', 1);
}

QString ContentRenderer::readImageAsBase64(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug().noquote() << "Cannot open image file:" << filePath;
        return {};
    }
    // Check the size before reading so a huge file is never pulled into memory.
    if (file.size() > MaxInlineImageBytes) {
        qDebug().noquote() << "Image file too large:" << filePath << "Size:" << file.size();
        return {};
    }
    const QByteArray bytes = file.read(MaxInlineImageBytes + 1);
    if (bytes.isEmpty()) {
        qDebug().noquote() << "Image file is empty:" << filePath;
        return {};
    }
    if (bytes.size() > MaxInlineImageBytes) {
        qDebug().noquote() << "Image file too large:" << filePath << "Size:" << bytes.size();
        return {};
    }
    return QString::fromLatin1(bytes.toBase64());
}

QString ContentRenderer::resolveLocalImage(const QString& filePath)
{
    const QString absolute = QFileInfo(filePath).absoluteFilePath();
    if (QFileInfo::exists(filePath))
        return absolute;
    const QString relative = QDir::current().relativeFilePath(absolute);
    if (QFileInfo::exists(relative))
        return relative;
    const QString inDataDir =
        QDir::currentPath() + QStringLiteral("/data/pictures/") + QFileInfo(filePath).fileName();
    if (QFileInfo::exists(inDataDir))
        return inDataDir;
    return {};
}

QString ContentRenderer::renderPicturePage(const QJsonObject& entry)
{
    static const QString imageStyle = QStringLiteral(
        "style='max-width: 80%; max-height: 500px; border: 1px solid #ddd; border-radius: 4px;'");

    QString html = QStringLiteral("<div class='section'>");
    if (has(entry, "fileName"))
        html += tr("<h2>图片详情: %1</h2>").arg(stringOf(entry, "fileName"));

    const QString path = stringOf(entry, "_filePath");
    if (!path.isEmpty()) {
        const QString fileName = QFileInfo(path).fileName();
        QString localFile = resolveLocalImage(path);
        if (localFile.isEmpty())
            localFile = QFileInfo(path).absoluteFilePath();

        QString imageData;
        const QString key = QStringLiteral("data/pictures/") + fileName;
        EmbeddedDataAdapter& embedded = EmbeddedDataAdapter::instance();
        if (embedded.hasEmbeddedResource(key)) {
            const QByteArray bytes = embedded.loadEmbeddedImage(key);
            if (!bytes.isEmpty()) {
                imageData = QString::fromLatin1(bytes.toBase64());
                qDebug().noquote() << "从嵌入资源加载图片成功:" << key;
            }
        }
        const bool localExists = QFileInfo::exists(localFile);
        if (imageData.isEmpty() && localExists)
            imageData = readImageAsBase64(localFile);

        html += QStringLiteral("<div style='text-align: center; margin: 20px 0;'>");
        const QString alt = attribute(stringOf(entry, "name"));
        if (!imageData.isEmpty()) {
            html +=
                QStringLiteral("<img src='data:image/%1;base64,%2' %3 alt='%4' />")
                    .arg(attribute(QFileInfo(path).suffix().toLower()), imageData, imageStyle, alt);
        } else if (localExists) {
            html += QStringLiteral("<img src='%1' %2 alt='%3' />")
                        .arg(attribute(localFile), imageStyle, alt);
        } else {
            html +=
                QStringLiteral("<div style='width: 200px; height: 150px; border: 2px dashed #ccc; "
                               "display: flex; align-items: center; justify-content: center; "
                               "background-color: #f9f9f9; margin: 0 auto;'>"
                               "<span style='color: #999; font-size: 14px;'>") +
                tr("图片未找到<br>%1").arg(stringOf(entry, "fileName")) +
                QStringLiteral("</span></div>");
        }
        html += QStringLiteral("</div>");

        html += QStringLiteral("<table style='margin-top: 20px;'>");
        html += tr("<tr><th>属性</th><th>值</th></tr>");
        if (has(entry, "fileName"))
            html += tr("<tr><td><strong>文件名</strong></td><td>%1</td></tr>")
                        .arg(stringOf(entry, "fileName"));
        if (has(entry, "extension"))
            html += tr("<tr><td><strong>文件格式</strong></td><td>%1</td></tr>")
                        .arg(stringOf(entry, "extension").toUpper());
        if (has(entry, "size")) {
            // Stored as decimal text; a size written as a JSON number is still
            // shown as that size rather than as zero bytes.
            const QJsonValue sizeValue = entry.value(QLatin1String("size"));
            const qint64 size =
                sizeValue.isDouble() ? sizeValue.toInteger() : sizeValue.toString().toLongLong();
            html += tr("<tr><td><strong>文件大小</strong></td><td>%1</td></tr>")
                        .arg(formatFileSize(size));
        }
        if (has(entry, "lastModified")) {
            const QDateTime modified =
                QDateTime::fromString(stringOf(entry, "lastModified"), Qt::ISODate);
            html += tr("<tr><td><strong>最后修改</strong></td><td>%1</td></tr>")
                        .arg(modified.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        }
        html += tr("<tr><td><strong>文件路径</strong></td><td>%1</td></tr>").arg(path);
        html += QStringLiteral("</table>");
    }

    const QString zh = entry.value(QLatin1String("description")).toObject().value("zh").toString();
    if (!zh.isEmpty()) {
        html += QStringLiteral("<div style='margin-top: 15px; padding: 10px; background: #f5f5f5; "
                               "border-radius: 4px;'>");
        html += tr("<p><strong>说明:</strong> %1</p>").arg(zh);
        html += QStringLiteral("</div>");
    }
    html += QStringLiteral("</div>");
    return html;
}
