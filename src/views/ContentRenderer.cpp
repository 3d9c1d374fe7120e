#include "ContentRenderer.h"

#include "BilingualText.h"
#include "FieldLabels.h"
#include "LinkPolicy.h"
#include "PageStyle.h"
#include "data/EmbeddedDataAdapter.h"
#include "editors/MarkdownConverter.h"

#include <QBuffer>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

namespace {

// The entry's description on its page: "zh" alone on a Chinese page, as always; an
// English page falls back to it where an entry has no English.
QString descriptionText(const QJsonObject& entry)
{
    const QJsonObject description = entry.value(QLatin1String("description")).toObject();
    if (InterfaceLanguage::active() == InterfaceLanguage::English)
        return BilingualText::either(description, InterfaceLanguage::English);
    return description.value(QLatin1String("zh")).toString();
}

const QString kSoftwareCategories[] = {
    QStringLiteral("CAD"), QStringLiteral("CAE"),  QStringLiteral("CFD"),
    QStringLiteral("CAM"), QStringLiteral("EDA"),  QStringLiteral("PLM"),
    QStringLiteral("BIM"), QStringLiteral("MBSE"), QStringLiteral("ERP")};

QString stringOf(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toString();
}

// A value read as a string, escaped for the page.
QString textOf(const QJsonObject& object, const char* key)
{
    return ContentRenderer::escapeHtml(stringOf(object, key));
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
    if (type == QLatin1String("article"))
        return PageKind::Article;
    if (isSoftwareCategory(category))
        return PageKind::Software;
    if (type == QLatin1String("image"))
        return PageKind::Picture;
    if (type == QLatin1String("Geometric Modeling Kernel"))
        return PageKind::KernelTechnology;
    if (has(entry, "industry") || has(entry, "headquarters"))
        return PageKind::Company;
    return PageKind::Generic;
}

bool ContentRenderer::isSoftwareCategory(const QString& category)
{
    // "CAD/CAM" and "BIM/CAE" name two software categories at once.
    const QStringList parts = category.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (std::find(std::begin(kSoftwareCategories), std::end(kSoftwareCategories), part) ==
            std::end(kSoftwareCategories))
            return false;
    }
    return true;
}

QString ContentRenderer::pictureToggleFragment()
{
    return QStringLiteral("quorvanta-picture");
}

QString ContentRenderer::pageTitle(const QJsonObject& entry)
{
    const QString name = stringOf(entry, "name");
    return name.isEmpty() ? stringOf(entry, "id") : name;
}

QString ContentRenderer::htmlHead()
{
    return PageStyle::adapt(QStringLiteral(
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
        "</style></head><body>"));
}

QString ContentRenderer::metadataFooter(const QJsonObject& entry)
{
    const QJsonValue metadata = entry.value(QLatin1String("metadata"));
    if (!metadata.isObject())
        return {};
    const QJsonObject object = metadata.toObject();
    return QStringLiteral("<div class='section'><small>") +
           tr("最后更新: %1 | ").arg(textOf(object, "lastUpdated")) +
           tr("版本: %1").arg(textOf(object, "dataVersion")) + QStringLiteral("</small></div>");
}

QString ContentRenderer::buildHtml(const QJsonObject& entry, const PageContext& context)
{
    QString html = htmlHead();
    switch (pageKind(entry)) {
    case PageKind::CategoryOverview:
        html += renderCategoryOverview(entry, context);
        break;
    case PageKind::Software:
        html += renderSoftwarePage(entry, context);
        break;
    case PageKind::Picture:
        html += renderPicturePage(entry, context);
        break;
    case PageKind::KernelTechnology:
        html += renderKernelTechnologyPage(entry, context);
        break;
    case PageKind::Company:
        html += renderCompanyPage(entry, context);
        break;
    case PageKind::Generic:
        html += renderGenericPage(entry, context);
        break;
    case PageKind::Article:
        html += renderArticlePage(entry, context);
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
    return BilingualText::pick(value);
}

QString ContentRenderer::renderList(const QJsonArray& array, const QString& prefix,
                                    const PageContext& context, Kind preferred)
{
    if (array.isEmpty())
        return {};
    QString html = QStringLiteral("<ul>");
    for (const QJsonValue& element : array) {
        html += QStringLiteral("<li>");
        if (!prefix.isEmpty())
            html += prefix + QLatin1Char(' ');
        if (element.isString()) {
            html += context.nameHtml(element.toString(), preferred);
        } else if (element.isObject() && element.toObject().contains(QLatin1String("name"))) {
            const QJsonValue name = element.toObject().value(QLatin1String("name"));
            // A name in both languages (the events') in the page's language.
            html += name.isObject() ? escapeHtml(localizedText(name))
                                    : context.nameHtml(name.toString(), preferred);
        } else {
            html += formatValue(element, context, preferred);
        }
        html += QStringLiteral("</li>");
    }
    html += QStringLiteral("</ul>");
    return html;
}

QString ContentRenderer::formatValue(const QJsonValue& value, const PageContext& context,
                                     Kind preferred)
{
    switch (value.type()) {
    case QJsonValue::String:
        return escapeHtml(value.toString());
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', 6);
    case QJsonValue::Bool:
        return value.toBool() ? tr("是") : tr("否");
    case QJsonValue::Array:
        return renderList(value.toArray(), QString(), context, preferred);
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        // The English page shows a text in both languages as one text; the Chinese one
        // keeps both.
        if (InterfaceLanguage::active() == InterfaceLanguage::English &&
            BilingualText::isBilingual(object))
            return escapeHtml(BilingualText::either(object, InterfaceLanguage::English));
        QString html = QStringLiteral("<table>");
        for (auto it = object.begin(); it != object.end(); ++it) {
            const Kind kind = preferredKindForKey(it.key());
            html +=
                QStringLiteral("<tr><td><strong>%1</strong></td><td>%2</td></tr>")
                    .arg(escapeHtml(FieldLabels::label(it.key())),
                         formatValue(it.value(), context, kind == Kind::Any ? preferred : kind));
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

QString ContentRenderer::renderSectionBlock(const QString& heading, const QJsonValue& value,
                                            const PageContext& context, Kind preferred)
{
    const QString title = QStringLiteral("<h3>%1</h3>").arg(escapeHtml(heading));
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        return array.isEmpty() ? QString()
                               : title + renderList(array, QString(), context, preferred);
    }
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        if (object.isEmpty())
            return {};
        QString html = title + QStringLiteral("<table>");
        for (auto it = object.begin(); it != object.end(); ++it) {
            const Kind kind = preferredKindForKey(it.key());
            html +=
                QStringLiteral("<tr><td><strong>%1</strong></td><td>%2</td></tr>")
                    .arg(escapeHtml(FieldLabels::label(it.key())),
                         formatValue(it.value(), context, kind == Kind::Any ? preferred : kind));
        }
        return html + QStringLiteral("</table>");
    }
    if (value.isString() && !value.toString().isEmpty())
        return title + QStringLiteral("<p>%1</p>").arg(escapeHtml(value.toString()));
    return {};
}

QString ContentRenderer::externalLink(const QString& url, const QString& text,
                                      const QString& attributes)
{
    if (!LinkPolicy::isExternalAllowed(QUrl(url, QUrl::StrictMode)))
        return escapeHtml(text);
    QString html = QStringLiteral("<a href='") + escapeHtml(url) + QLatin1Char('\'');
    if (!attributes.isEmpty())
        html += QLatin1Char(' ') + attributes;
    return html + QLatin1Char('>') + escapeHtml(text) + QStringLiteral("</a>");
}

ContentRenderer::Kind ContentRenderer::preferredKindForKey(const QString& key)
{
    static const QStringList software{
        QStringLiteral("products"),        QStringLiteral("recommendedSoftware"),
        QStringLiteral("otherTools"),      QStringLiteral("supportedBy"),
        QStringLiteral("readAndWrite"),    QStringLiteral("readOnly"),
        QStringLiteral("writeOnly"),       QStringLiteral("usedBy"),
        QStringLiteral("competitors"),     QStringLiteral("alternatives"),
        QStringLiteral("relatedProducts"), QStringLiteral("software")};
    static const QStringList technology{QStringLiteral("kernel"),
                                        QStringLiteral("kernels"),
                                        QStringLiteral("geometryKernels"),
                                        QStringLiteral("relatedTechnologies"),
                                        QStringLiteral("relatedStandards"),
                                        QStringLiteral("standards"),
                                        QStringLiteral("representativeLibraries")};
    static const QStringList article{QStringLiteral("relatedDocuments"),
                                     QStringLiteral("contentFile")};
    if (article.contains(key))
        return Kind::Article;
    static const QStringList company{QStringLiteral("vendor"),        QStringLiteral("acquirer"),
                                     QStringLiteral("acquiredBy"),    QStringLiteral("buyer"),
                                     QStringLiteral("parentCompany"), QStringLiteral("maintainer"),
                                     QStringLiteral("keyPlayers")};
    if (software.contains(key))
        return Kind::Software;
    if (technology.contains(key))
        return Kind::Technology;
    if (company.contains(key))
        return Kind::Company;
    return Kind::Any;
}

QString ContentRenderer::renderBasicInfo(const QJsonObject& entry, const PageContext& context)
{
    QString html = QStringLiteral("<div class='section'>");
    if (has(entry, "fullName"))
        html += tr("<p><strong>全称:</strong> %1</p>").arg(textOf(entry, "fullName"));
    if (has(entry, "category")) {
        html += tr("<p><strong>类别:</strong> %1").arg(textOf(entry, "category"));
        if (has(entry, "subCategory"))
            html += QStringLiteral(" / ") + textOf(entry, "subCategory");
        html += QStringLiteral("</p>");
    }
    if (has(entry, "country"))
        html += tr("<p><strong>国家:</strong> %1</p>").arg(textOf(entry, "country"));
    const QString website = stringOf(entry, "website");
    if (!website.isEmpty())
        html += tr("<p><strong>官网:</strong> %1</p>")
                    .arg(externalLink(website, website, QStringLiteral("target='_blank'")));
    if (has(entry, "vendor"))
        html += tr("<p><strong>厂商:</strong> %1</p>")
                    .arg(context.nameHtml(stringOf(entry, "vendor"), Kind::Company));
    if (has(entry, "founded"))
        html += tr("<p><strong>成立时间:</strong> %1</p>").arg(textOf(entry, "founded"));
    if (has(entry, "currentVersion")) {
        html += tr("<p><strong>当前版本:</strong> %1").arg(textOf(entry, "currentVersion"));
        // An unknown date shows nothing rather than empty brackets.
        if (!stringOf(entry, "releaseDate").trimmed().isEmpty())
            html += QStringLiteral(" (") + textOf(entry, "releaseDate") + QLatin1Char(')');
        html += QStringLiteral("</p>");
    }
    if (has(entry, "description")) {
        const QString text = descriptionText(entry);
        if (!text.isEmpty())
            html += QStringLiteral("<p>") + escapeHtml(text) + QStringLiteral("</p>");
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

QString ContentRenderer::renderSources(const QJsonValue& sources)
{
    const QJsonArray array = sources.toArray();
    QString items;
    for (const QJsonValue& element : array) {
        QString url;
        QString title;
        QString checked;
        if (element.isString()) {
            url = element.toString();
        } else if (element.isObject()) {
            const QJsonObject source = element.toObject();
            url = stringOf(source, "url");
            title = stringOf(source, "title");
            checked = stringOf(source, "checked");
        }
        if (title.trimmed().isEmpty())
            title = url;
        if (title.trimmed().isEmpty())
            continue;
        items += QStringLiteral("<li>") + externalLink(url, title);
        if (!checked.isEmpty())
            items += tr("（核实于 %1）").arg(escapeHtml(checked));
        items += QStringLiteral("</li>");
    }
    if (items.isEmpty())
        return {};
    return tr("<h2>资料来源</h2>") + QStringLiteral("<div class='section'><ul>") + items +
           QStringLiteral("</ul></div>");
}

QString ContentRenderer::renderGenericPage(const QJsonObject& entry, const PageContext& context)
{
    static const QStringList skipped{QStringLiteral("name"),        QStringLiteral("id"),
                                     QStringLiteral("description"), QStringLiteral("_filePath"),
                                     QStringLiteral("metadata"),    QStringLiteral("sources")};
    QString html = renderBasicInfo(entry, context);
    for (auto it = entry.begin(); it != entry.end(); ++it) {
        if (skipped.contains(it.key()))
            continue;
        const Kind kind = preferredKindForKey(it.key());
        // A single name under a key that names entries links like a list element.
        const QString value = it.value().isString() && kind != Kind::Any
                                  ? context.nameHtml(it.value().toString(), kind)
                                  : formatValue(it.value(), context, kind);
        html += QStringLiteral("<h3>") + escapeHtml(FieldLabels::label(it.key())) +
                QStringLiteral("</h3>") + value;
    }
    html += renderSources(entry.value(QLatin1String("sources")));
    return html;
}

QString ContentRenderer::hardwareRequirementLabel(const QString& key)
{
    return FieldLabels::label(key);
}

QString ContentRenderer::renderTechnicalSpecs(const QJsonObject& techSpecs,
                                              const PageContext& context)
{
    QString html = tr("<h2>技术规格</h2>") + QStringLiteral("<div class='section'>");
    if (has(techSpecs, "kernel"))
        html += tr("<h3>几何内核</h3>") + renderList(techSpecs.value("kernel").toArray(), QString(),
                                                     context, Kind::Technology);
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
                        .arg(escapeHtml(hardwareRequirementLabel(it.key())),
                             escapeHtml(it.value().toString()));
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
        html += QStringLiteral("<h3>") + textOf(application, "industry") +
                QStringLiteral("</h3><table>");
        if (has(application, "usage"))
            html += tr("<tr><td><strong>用途</strong></td><td>%1</td></tr>")
                        .arg(textOf(application, "usage"));
        if (has(application, "marketShare"))
            html += tr("<tr><td><strong>市场份额</strong></td><td>%1</td></tr>")
                        .arg(textOf(application, "marketShare"));
        if (has(application, "keyCustomers"))
            html += tr("<tr><td><strong>主要客户</strong></td><td>") +
                    withoutListTags(renderList(application.value("keyCustomers").toArray())) +
                    QStringLiteral("</td></tr>");
        html += QStringLiteral("</table>");
    }
    html += QStringLiteral("</div>");
    return html;
}

QString ContentRenderer::renderCompetitiveAnalysis(const QJsonObject& analysis,
                                                   const PageContext& context)
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
                        .arg(context.nameHtml(stringOf(competitor, "name"), Kind::Software),
                             context.nameHtml(stringOf(competitor, "vendor"), Kind::Company));
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
        const QString label = escapeHtml(FieldLabels::label(it.key()));
        if (value.isString()) {
            const QString text = value.toString();
            if (text.startsWith(QLatin1String("http")))
                html += QStringLiteral("<li><strong>%1:</strong> %2</li>")
                            .arg(label, externalLink(text, text));
            else
                html +=
                    QStringLiteral("<li><strong>%1:</strong> %2</li>").arg(label, escapeHtml(text));
        } else if (value.isArray()) {
            html += QStringLiteral("<li><strong>%1:</strong>").arg(label) +
                    renderList(value.toArray()) + QStringLiteral("</li>");
        }
    }
    html += QStringLiteral("</ul></div>");
    return html;
}

QString ContentRenderer::renderAcquisitionInfo(const QJsonObject& info, const PageContext& context)
{
    QString html = tr("<h2>收购信息</h2>") + QStringLiteral("<div class=\"section\">");
    if (has(info, "acquiredBy"))
        html += tr("<p><strong>收购方:</strong> %1</p>")
                    .arg(context.nameHtml(stringOf(info, "acquiredBy"), Kind::Company));
    if (has(info, "acquisitionDate"))
        html += tr("<p><strong>收购时间:</strong> %1</p>").arg(textOf(info, "acquisitionDate"));
    if (has(info, "status"))
        html += tr("<p><strong>状态:</strong> %1</p>").arg(textOf(info, "status"));
    if (has(info, "impact"))
        html += tr("<p><strong>影响:</strong> %1</p>").arg(textOf(info, "impact"));
    html += QStringLiteral("</div>");
    return html;
}

QString ContentRenderer::renderSoftwarePage(const QJsonObject& entry, const PageContext& context)
{
    QString html = renderBasicInfo(entry, context);
    if (has(entry, "technicalSpecs"))
        html +=
            renderTechnicalSpecs(entry.value(QLatin1String("technicalSpecs")).toObject(), context);
    if (has(entry, "features"))
        html += renderFeatures(entry.value(QLatin1String("features")).toObject());
    if (has(entry, "industryApplications"))
        html += renderIndustryApplications(
            entry.value(QLatin1String("industryApplications")).toArray());
    if (has(entry, "competitiveAnalysis"))
        html += renderCompetitiveAnalysis(
            entry.value(QLatin1String("competitiveAnalysis")).toObject(), context);
    if (has(entry, "resources"))
        html += renderResources(entry.value(QLatin1String("resources")).toObject());
    if (has(entry, "acquisitionInfo"))
        html += renderAcquisitionInfo(entry.value(QLatin1String("acquisitionInfo")).toObject(),
                                      context);
    const QJsonArray related = entry.value(QLatin1String("relatedTechnologies")).toArray();
    if (!related.isEmpty())
        html += tr("<h2>相关技术</h2>") + QStringLiteral("<div class='section'>") +
                renderList(related, QString(), context, Kind::Technology) +
                QStringLiteral("</div>");
    html += renderSources(entry.value(QLatin1String("sources")));
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

QString ContentRenderer::dealStatusLabel(const QString& status)
{
    const QString key = status.trimmed().toLower();
    if (key == QLatin1String("completed"))
        return tr("已完成");
    if (key == QLatin1String("announced"))
        return tr("已宣布，待完成");
    if (key == QLatin1String("pending"))
        return tr("进行中");
    if (key == QLatin1String("terminated") || key == QLatin1String("cancelled"))
        return tr("已终止");
    return status;
}

QString ContentRenderer::renderOwnership(const QJsonObject& entry, const PageContext& context)
{
    QString html;
    const QString row = QStringLiteral("<tr><td><strong>%1</strong></td><td>%2</td></tr>");
    auto productsOf = [&context](const QJsonObject& deal) {
        return withoutListTags(renderList(deal.value(QLatin1String("products")).toArray(),
                                          QString(), context, Kind::Software));
    };

    const QString parent = stringOf(entry, "parentCompany");
    if (!parent.isEmpty())
        html +=
            tr("<p><strong>母公司:</strong> %1</p>").arg(context.nameHtml(parent, Kind::Company));
    const QJsonArray formerNames = entry.value(QLatin1String("formerNames")).toArray();
    if (!formerNames.isEmpty())
        html += tr("<p><strong>曾用名:</strong></p>") + renderList(formerNames);

    const QJsonObject acquired = entry.value(QLatin1String("acquisitionInfo")).toObject();
    if (!acquired.isEmpty()) {
        html += tr("<h3>被收购</h3>") + QStringLiteral("<table>");
        if (has(acquired, "acquirer"))
            html += row.arg(tr("收购方"),
                            context.nameHtml(stringOf(acquired, "acquirer"), Kind::Company));
        if (has(acquired, "date"))
            html += row.arg(tr("时间"), textOf(acquired, "date"));
        if (has(acquired, "status"))
            html += row.arg(tr("状态"), escapeHtml(dealStatusLabel(stringOf(acquired, "status"))));
        if (has(acquired, "details"))
            html += row.arg(tr("说明"), textOf(acquired, "details"));
        html += QStringLiteral("</table>");
    }

    const QJsonArray acquisitions = entry.value(QLatin1String("acquisitions")).toArray();
    if (!acquisitions.isEmpty()) {
        html += tr("<h3>收购记录</h3>") + QStringLiteral("<table>");
        html += tr("<tr><th>收购对象</th><th>时间</th><th>状态</th><th>相关产品</th><th>说明</th>"
                   "</tr>");
        for (const QJsonValue& value : acquisitions) {
            const QJsonObject deal = value.toObject();
            QString target = stringOf(deal, "target");
            if (target.isEmpty())
                target = stringOf(deal, "targetCompany");
            html +=
                QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td></tr>")
                    .arg(context.nameHtml(target, Kind::Company), textOf(deal, "date"),
                         escapeHtml(dealStatusLabel(stringOf(deal, "status"))), productsOf(deal),
                         textOf(deal, "details"));
        }
        html += QStringLiteral("</table>");
    }

    const QJsonArray divestitures = entry.value(QLatin1String("divestitures")).toArray();
    if (!divestitures.isEmpty()) {
        html += tr("<h3>业务出售</h3>") + QStringLiteral("<table>");
        html += tr("<tr><th>业务</th><th>买方</th><th>宣布时间</th><th>状态</th><th>相关产品</th>"
                   "</tr>");
        for (const QJsonValue& value : divestitures) {
            const QJsonObject deal = value.toObject();
            html +=
                QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td></tr>")
                    .arg(textOf(deal, "business"),
                         context.nameHtml(stringOf(deal, "buyer"), Kind::Company),
                         textOf(deal, "announced"),
                         escapeHtml(dealStatusLabel(stringOf(deal, "status"))), productsOf(deal));
        }
        html += QStringLiteral("</table>");
    }
    if (html.isEmpty())
        return {};
    return tr("<h2>所有权与并购</h2>") + QStringLiteral("<div class='section'>") + html +
           QStringLiteral("</div>");
}

QString ContentRenderer::renderCompanySoftware(const QJsonObject& entry, const PageContext& context)
{
    const EntryLinkResolver* resolver = context.resolver();
    if (!resolver)
        return {};
    // A page opened from an older favourite may carry another spelling of the
    // path; the company's id still finds it.
    QString companyPath = context.selfPath();
    if (!resolver->targetForPath(companyPath).isValid()) {
        const EntryLinkResolver::Target byId =
            resolver->resolve(stringOf(entry, "id"), Kind::Company);
        companyPath = byId.kind == Kind::Company ? byId.path : QString();
    }
    if (companyPath.isEmpty())
        return {};
    const QList<EntryLinkResolver::Target> software = resolver->softwareOfCompany(companyPath);
    if (software.isEmpty())
        return {};
    QString html = tr("<h2>收录的软件</h2>") + QStringLiteral("<div class='section'><ul>");
    for (const EntryLinkResolver::Target& target : software)
        html += QStringLiteral("<li>%1 (%2)</li>")
                    .arg(context.linkHtml(target.path, target.name), escapeHtml(target.category));
    return html + QStringLiteral("</ul></div>");
}

QString ContentRenderer::renderCompanyPage(const QJsonObject& entry, const PageContext& context)
{
    QString html = renderBasicInfo(entry, context);
    if (has(entry, "headquarters"))
        html += tr("<p><strong>总部:</strong> %1</p>").arg(textOf(entry, "headquarters"));

    const QString employeesTemplate = tr("<p><strong>员工数:</strong> %1</p>");
    const QString revenueTemplate = tr("<p><strong>年收入:</strong> %1</p>");

    if (has(entry, "basicInfo")) {
        const QJsonObject info = entry.value(QLatin1String("basicInfo")).toObject();
        html += tr("<h2>基本信息</h2>") + QStringLiteral("<div class='section'>");
        if (has(info, "ceo"))
            html += tr("<p><strong>CEO:</strong> %1</p>").arg(textOf(info, "ceo"));
        if (has(info, "employees"))
            html += employeesTemplate.arg(textOf(info, "employees"));
        if (has(info, "revenue"))
            html += revenueTemplate.arg(textOf(info, "revenue"));
        html += QStringLiteral("</div>");
    }

    if (has(entry, "stockInfo")) {
        const QJsonObject stock = entry.value(QLatin1String("stockInfo")).toObject();
        html += tr("<h2>股票信息</h2>") + QStringLiteral("<div class='section'>");
        if (has(stock, "exchange")) {
            html += tr("<p><strong>交易所:</strong> %1").arg(textOf(stock, "exchange"));
            if (has(stock, "symbol"))
                html += QStringLiteral(" (") + textOf(stock, "symbol") + QLatin1Char(')');
            html += QStringLiteral("</p>");
        }
        if (has(stock, "marketCap"))
            html += tr("<p><strong>市值:</strong> %1</p>").arg(textOf(stock, "marketCap"));
        if (has(stock, "stockLinks")) {
            html += tr("<p><strong>股票链接:</strong></p>") + QStringLiteral("<ul>");
            const QJsonObject links = stock.value(QLatin1String("stockLinks")).toObject();
            for (auto it = links.begin(); it != links.end(); ++it) {
                html += QStringLiteral("<li>") +
                        externalLink(it.value().toString(), stockLinkLabel(it.key()),
                                     QStringLiteral("target='_blank'")) +
                        QStringLiteral("</li>");
            }
            html += QStringLiteral("</ul>");
        }
        html += QStringLiteral("</div>");
    }

    if (has(entry, "employees"))
        html += employeesTemplate.arg(textOf(entry, "employees"));
    if (has(entry, "revenue"))
        html += revenueTemplate.arg(textOf(entry, "revenue"));

    if (has(entry, "products"))
        html += tr("<h2>主要产品</h2>") + QStringLiteral("<div class='section'>") +
                formatValue(entry.value(QLatin1String("products")), context, Kind::Software) +
                QStringLiteral("</div>");
    html += renderCompanySoftware(entry, context);
    html += renderOwnership(entry, context);
    html += renderSources(entry.value(QLatin1String("sources")));
    return html;
}

QString ContentRenderer::renderKernelTechnologyPage(const QJsonObject& entry,
                                                    const PageContext& context)
{
    QString html = renderBasicInfo(entry, context);
    if (has(entry, "technicalDetails")) {
        html += tr("<h2>技术细节</h2>") + QStringLiteral("<div class='section'>");
        const QJsonObject details = entry.value(QLatin1String("technicalDetails")).toObject();
        for (auto it = details.begin(); it != details.end(); ++it)
            html += QStringLiteral("<h3>") + escapeHtml(FieldLabels::label(it.key())) +
                    QStringLiteral("</h3>") +
                    formatValue(it.value(), context, preferredKindForKey(it.key()));
        html += QStringLiteral("</div>");
    }
    if (has(entry, "features"))
        html += renderFeatures(entry.value(QLatin1String("features")).toObject());
    if (has(entry, "applications"))
        html += tr("<h2>应用领域</h2>") + QStringLiteral("<div class='section'>") +
                formatValue(entry.value(QLatin1String("applications")), context) +
                QStringLiteral("</div>");
    if (has(entry, "comparison"))
        html += tr("<h2>对比分析</h2>") + QStringLiteral("<div class='section'>") +
                formatValue(entry.value(QLatin1String("comparison")), context) +
                QStringLiteral("</div>");
    const QJsonArray documents = entry.value(QLatin1String("relatedDocuments")).toArray();
    if (!documents.isEmpty())
        html += tr("<h2>相关文档</h2>") + QStringLiteral("<div class='section'>") +
                renderList(documents, QString(), context, Kind::Article) + QStringLiteral("</div>");
    html += renderSources(entry.value(QLatin1String("sources")));
    return html;
}

QString ContentRenderer::renderCategoryOverview(const QJsonObject& entry,
                                                const PageContext& context)
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
            html += renderSectionBlock(heading, entry.value(QLatin1String(key)), context,
                                       preferredKindForKey(QLatin1String(key)));
    }
    if (has(entry, "subDisciplinePages")) {
        QStringList links;
        for (const QJsonValue& value : entry.value(QLatin1String("subDisciplinePages")).toArray()) {
            const QJsonObject page = value.toObject();
            links << context.linkHtml(stringOf(page, "path"), stringOf(page, "name"));
        }
        html += tr("<h3>子学科</h3>") + QStringLiteral("<p>%1</p>").arg(links.join(" · "));
    }
    if (has(entry, "useCases"))
        html += renderUseCases(entry.value(QLatin1String("useCases")).toArray());
    if (has(entry, "items"))
        html += renderRelatedItems(entry.value(QLatin1String("items")).toArray(), context);
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

namespace {

QString itemName(const QJsonObject& item)
{
    for (const char* key : {"name", "title", "fileName"}) {
        const QString name = item.value(QLatin1String(key)).toString();
        if (!name.isEmpty())
            return name;
    }
    return {};
}

} // namespace

QString ContentRenderer::renderRelatedItems(const QJsonArray& items, const PageContext& context)
{
    constexpr int maxRows = 8;
    if (items.isEmpty())
        return {};
    QString html = tr("<h3>关联资料</h3>") + QStringLiteral("<table>");
    html += tr("<tr><th>名称</th><th>类型</th><th>摘要</th></tr>");
    int rows = 0;
    qsizetype shownUpTo = items.size();
    for (qsizetype index = 0; index < items.size(); ++index) {
        const QJsonValue element = items.at(index);
        if (rows >= maxRows) {
            shownUpTo = index;
            break;
        }
        if (!element.isObject())
            continue;
        const QJsonObject item = element.toObject();
        const QString name = itemName(item);
        QString kind = stringOf(item, "type");
        if (kind.isEmpty())
            kind = stringOf(item, "category");
        QString summary = stringOf(item, "summary");
        if (summary.isEmpty() && has(item, "description"))
            summary = localizedText(item.value(QLatin1String("description")));
        // The items are entries themselves: their own path is the link.
        const QString nameCell = context.resolver()
                                     ? context.linkHtml(stringOf(item, "_filePath"), name)
                                     : escapeHtml(name);
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                    .arg(nameCell, escapeHtml(kind), escapeHtml(summary));
        ++rows;
    }
    html += QStringLiteral("</table>");
    if (items.size() > maxRows) {
        html += tr("<p><em>另外 %1 项资料可通过展开左侧导航查看。</em></p>")
                    .arg(items.size() - maxRows);
        // The rest as links, so that every item is reachable from the page too.
        if (context.resolver()) {
            QStringList rest;
            for (qsizetype i = shownUpTo; i < items.size(); ++i) {
                const QJsonObject item = items.at(i).toObject();
                const QString name = itemName(item);
                if (!name.isEmpty())
                    rest << context.linkHtml(stringOf(item, "_filePath"), name);
            }
            if (!rest.isEmpty())
                html +=
                    QStringLiteral("<p class='more'>%1</p>").arg(rest.join(QStringLiteral(" · ")));
        }
    }
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

QString ContentRenderer::resolveLocalImage(const QString& filePath, const PageContext& context)
{
    // The path comes from the entry: only a file inside the data directory is
    // read or referenced, whatever "../" or links the path holds.
    const QString fileName = QFileInfo(filePath).fileName();
    const QString absolute = QFileInfo(filePath).absoluteFilePath();
    const QString candidates[] = {
        absolute, QDir::current().relativeFilePath(absolute),
        QDir::currentPath() + QStringLiteral("/data/pictures/") + fileName,
        context.dataDirectory() + QStringLiteral("/pictures/") + fileName};
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile() && context.allowsLocalFile(candidate))
            return candidate == candidates[0] ? absolute : candidate;
    }
    return {};
}

QString ContentRenderer::renderPicturePage(const QJsonObject& entry, const PageContext& context)
{
    const QString imageStyle = PageStyle::adapt(QStringLiteral(
        "style='max-width: 80%; max-height: 500px; border: 1px solid #ddd; border-radius: 4px;'"));

    QString html = QStringLiteral("<div class='section'>");
    if (has(entry, "fileName"))
        html += tr("<h2>图片详情: %1</h2>").arg(textOf(entry, "fileName"));

    const QString path = stringOf(entry, "_filePath");
    if (!path.isEmpty()) {
        const QString fileName = QFileInfo(path).fileName();
        const QString localFile = resolveLocalImage(path, context);

        QString imageData;
        QByteArray imageBytes;
        const QString key = QStringLiteral("data/pictures/") + fileName;
        EmbeddedDataAdapter& embedded = EmbeddedDataAdapter::instance();
        if (!fileName.isEmpty() && embedded.hasEmbeddedResource(key)) {
            imageBytes = embedded.loadEmbeddedImage(key);
            if (!imageBytes.isEmpty()) {
                imageData = QString::fromLatin1(imageBytes.toBase64());
                qDebug().noquote() << "从嵌入资源加载图片成功:" << key;
            }
        }
        const bool localExists = !localFile.isEmpty();
        if (imageData.isEmpty() && localExists) {
            imageData = readImageAsBase64(localFile);
            if (!imageData.isEmpty())
                imageBytes = QByteArray::fromBase64(imageData.toLatin1());
        }

        // In a view the picture fits its width and links to the full-size toggle.
        QString sizeAttribute;
        if (context.pictureWidth() > 0) {
            QBuffer buffer(&imageBytes);
            QImageReader reader(&buffer);
            const int natural = imageBytes.isEmpty() ? 0 : reader.size().width();
            if (natural > context.pictureWidth())
                sizeAttribute = QStringLiteral(" width='%1'").arg(context.pictureWidth());
        }

        html += QStringLiteral("<div style='text-align: center; margin: 20px 0;'>");
        const QString alt = attribute(stringOf(entry, "name"));
        QString image;
        if (!imageData.isEmpty()) {
            image = QStringLiteral("<img src='data:image/%1;base64,%2' %3 alt='%4'%5 />")
                        .arg(attribute(QFileInfo(path).suffix().toLower()), imageData, imageStyle,
                             alt, sizeAttribute);
        } else if (localExists) {
            image = QStringLiteral("<img src='%1' %2 alt='%3' />")
                        .arg(attribute(localFile), imageStyle, alt);
        }
        if (image.isEmpty()) {
            html += PageStyle::adapt(QStringLiteral(
                        "<div style='width: 200px; height: 150px; border: 2px dashed #ccc; "
                        "display: flex; align-items: center; justify-content: center; "
                        "background-color: #f9f9f9; margin: 0 auto;'>"
                        "<span style='color: #999; font-size: 14px;'>")) +
                    tr("图片未找到<br>%1").arg(textOf(entry, "fileName")) +
                    QStringLiteral("</span></div>");
        } else if (context.pictureWidth() != 0) {
            html += QStringLiteral("<a href='#%1'>").arg(pictureToggleFragment()) + image +
                    QStringLiteral("</a>");
        } else {
            html += image;
        }
        html += QStringLiteral("</div>");

        html += QStringLiteral("<table style='margin-top: 20px;'>");
        html += tr("<tr><th>属性</th><th>值</th></tr>");
        if (has(entry, "fileName"))
            html += tr("<tr><td><strong>文件名</strong></td><td>%1</td></tr>")
                        .arg(textOf(entry, "fileName"));
        if (has(entry, "extension"))
            html += tr("<tr><td><strong>文件格式</strong></td><td>%1</td></tr>")
                        .arg(escapeHtml(stringOf(entry, "extension").toUpper()));
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
        html += tr("<tr><td><strong>文件路径</strong></td><td>%1</td></tr>").arg(escapeHtml(path));
        html += QStringLiteral("</table>");
    }

    const QString description = descriptionText(entry);
    if (!description.isEmpty()) {
        html += PageStyle::adapt(
            QStringLiteral("<div style='margin-top: 15px; padding: 10px; background: #f5f5f5; "
                           "border-radius: 4px;'>"));
        html += tr("<p><strong>说明:</strong> %1</p>").arg(escapeHtml(description));
        html += QStringLiteral("</div>");
    }
    html += QStringLiteral("</div>");
    return html;
}

QString ContentRenderer::renderArticlePage(const QJsonObject& entry, const PageContext& context)
{
    QString html;
    // An article written beside an entry of the same name ("X.md" next to "X.json")
    // leads to it.
    const QString path = stringOf(entry, "_filePath");
    if (context.resolver() && path.endsWith(QLatin1String(".md"), Qt::CaseInsensitive)) {
        const EntryLinkResolver::Target sibling =
            context.resolver()->targetForPath(path.chopped(3) + QStringLiteral(".json"));
        if (sibling.isValid())
            html += tr("<p><strong>相关条目:</strong> %1</p>")
                        .arg(context.linkHtml(sibling.path, sibling.name));
    }
    return html + QStringLiteral("<div class='article'>") +
           MarkdownConverter::articleBody(stringOf(entry, "content")) + QStringLiteral("</div>");
}
