// The content view's page renderers on entries: the bytes are parsed as JSON
// (the seeds are real entries, so mutations stay close to real pages) and every
// renderer is given the object, its values and its arrays.

#include "FuzzEnvironment.h"

#include "views/ContentRenderer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const char* const kTarget = "contentrenderer";

QString unescaped(QString html)
{
    html.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    html.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html;
}

void checkEscaping(const QString& text)
{
    const QString escaped = ContentRenderer::escapeHtml(text);
    for (const QChar c : {QLatin1Char('<'), QLatin1Char('>'), QLatin1Char('"'), QLatin1Char('\'')})
        FUZZ_CHECK(kTarget, !escaped.contains(c), QStringLiteral("escaped text holds ") + c);
    FUZZ_CHECK(kTarget, unescaped(escaped) == text, QStringLiteral("escaping loses text"));
}

void renderArray(const QJsonArray& array)
{
    ContentRenderer::renderList(array);
    ContentRenderer::renderList(array, QStringLiteral("- "));
    ContentRenderer::renderUseCases(array);
    ContentRenderer::renderRelatedItems(array);
}

void renderValue(const QString& key, const QJsonValue& value)
{
    ContentRenderer::formatValue(value);
    ContentRenderer::localizedText(value);
    ContentRenderer::renderSectionBlock(key, value);
    if (value.isArray())
        renderArray(value.toArray());
    if (value.isString()) {
        checkEscaping(value.toString());
        ContentRenderer::stockLinkLabel(value.toString());
        ContentRenderer::hardwareRequirementLabel(value.toString());
    }
}

void renderEntry(const QJsonObject& entry)
{
    const QString html = ContentRenderer::buildHtml(entry);
    FUZZ_CHECK(kTarget, html.startsWith(ContentRenderer::htmlHead()),
               QStringLiteral("page does not start with its head"));
    FUZZ_CHECK(kTarget, html.endsWith(QLatin1String("</body></html>")),
               QStringLiteral("page is not closed"));
    const QString title = ContentRenderer::pageTitle(entry);
    FUZZ_CHECK(kTarget,
               title == entry.value(QLatin1String("name")).toString() ||
                   title == entry.value(QLatin1String("id")).toString(),
               QStringLiteral("title is neither name nor id"));

    // Every page kind on the same entry, whatever kind it is.
    ContentRenderer::renderGenericPage(entry);
    ContentRenderer::renderSoftwarePage(entry);
    ContentRenderer::renderCompanyPage(entry);
    ContentRenderer::renderKernelTechnologyPage(entry);
    ContentRenderer::renderCategoryOverview(entry);
    ContentRenderer::renderPicturePage(entry);
    ContentRenderer::renderBasicInfo(entry);
    ContentRenderer::renderFeatures(entry.value(QLatin1String("features")).toObject());
    ContentRenderer::metadataFooter(entry);
    ContentRenderer::formatFileSize(entry.value(QLatin1String("size")).toInteger());

    for (auto it = entry.constBegin(); it != entry.constEnd(); ++it) {
        checkEscaping(it.key());
        renderValue(it.key(), it.value());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzEnvironment::setUp();
    const QJsonDocument document = QJsonDocument::fromJson(FuzzEnvironment::bytes(data, size));
    if (document.isObject())
        renderEntry(document.object());
    else if (document.isArray())
        renderArray(document.array());
    return 0;
}
