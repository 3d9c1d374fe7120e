// The editor preview's Markdown converter on any text: it must finish and wrap
// what it made in the styled document.

#include "FuzzEnvironment.h"

#include "editors/MarkdownConverter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzEnvironment::setUp();
    const QString markdown = QString::fromUtf8(FuzzEnvironment::bytes(data, size));
    const QString html = MarkdownConverter::toHtml(markdown);
    FUZZ_CHECK("markdownconverter", html.startsWith(MarkdownConverter::styleHeader()),
               QStringLiteral("page does not start with the style header"));
    FUZZ_CHECK("markdownconverter", html.endsWith(QLatin1String("</body></html>")),
               QStringLiteral("page is not closed"));
    return 0;
}
