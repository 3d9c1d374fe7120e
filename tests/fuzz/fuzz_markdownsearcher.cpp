// The Markdown search over a small tree: two real articles of data/ and one
// document made of the input. The input's first line is the query, the rest is
// the document. It is searched in every mode; results stay ranked and bounded,
// and no input may take over a second of processor time.

#include "FuzzEnvironment.h"
#include "FuzzWatchdog.h"

#include "search/MarkdownSearcher.h"
#include "search/SearchEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const char* const kTarget = "markdownsearcher";
constexpr int kLimitMs = 1000;
constexpr int kMaxResults = 50;
constexpr int kSnippetLength = 200;

QString treeRoot()
{
    static const QString root = [] {
        const QString path = FuzzEnvironment::scratchPath() + QStringLiteral("/markdown/data");
        const QString articles[] = {
            QStringLiteral("technologies/mesh/网格质量评价指标.md"),
            QStringLiteral("disciplines/thermal/heat_transfer_simulation_basics.md")};
        for (const QString& article : articles) {
            const QString target = path + QLatin1Char('/') + article;
            QDir().mkpath(QFileInfo(target).absolutePath());
            if (!QFile::copy(FuzzEnvironment::sourceDataPath() + QLatin1Char('/') + article,
                             target))
                FuzzEnvironment::fail(kTarget, QStringLiteral("cannot copy ") + article);
        }
        QDir().mkpath(path + QStringLiteral("/fuzz"));
        return path;
    }();
    return root;
}

void checkResults(const QList<MarkdownSearchResult>& results, int documents)
{
    FUZZ_CHECK(kTarget, results.size() <= qMin(documents, kMaxResults),
               QStringLiteral("more results than documents"));
    for (qsizetype i = 0; i < results.size(); ++i) {
        const MarkdownSearchResult& result = results.at(i);
        if (i > 0)
            FUZZ_CHECK(kTarget, results.at(i - 1).relevance >= result.relevance,
                       QStringLiteral("results out of relevance order"));
        FUZZ_CHECK(kTarget, result.matchedLines.size() <= 10,
                   QStringLiteral("more than ten matched lines"));
        FUZZ_CHECK(kTarget, result.snippet.size() <= kSnippetLength,
                   QStringLiteral("snippet of %1 characters").arg(result.snippet.size()));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzEnvironment::setUp();
    const QByteArray bytes = FuzzEnvironment::bytes(data, size);
    const qsizetype lineEnd = bytes.indexOf('\n');
    const QString query = QString::fromUtf8(lineEnd < 0 ? bytes : bytes.left(lineEnd));
    const QByteArray document = lineEnd < 0 ? QByteArray() : bytes.mid(lineEnd + 1);

    const QString root = treeRoot();
    QFile file(root + QStringLiteral("/fuzz/input.md"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(document) != document.size())
        FuzzEnvironment::fail(kTarget, QStringLiteral("cannot write ") + file.fileName());
    file.close();

    FuzzWatchdog watchdog(kTarget, kLimitMs);
    watchdog.stage(QStringLiteral("index"));
    MarkdownSearcher searcher;
    searcher.setSearchPath(root);
    searcher.buildIndex();
    FUZZ_CHECK(kTarget, searcher.isIndexReady(), QStringLiteral("index not built"));
    const int documents = static_cast<int>(searcher.documents().size());
    FUZZ_CHECK(kTarget, documents == 3, QStringLiteral("%1 documents indexed").arg(documents));

    // One scope per input keeps the runs fast; the input's length picks it.
    const int scope = static_cast<int>(size % 4);
    for (int mode = SearchEngine::ExactMatch; mode <= SearchEngine::SemanticMatch; ++mode) {
        watchdog.stage(QStringLiteral("scope %1, mode %2").arg(scope).arg(mode));
        checkResults(searcher.search(query, scope, mode), documents);
    }
    watchdog.stage(QStringLiteral("category"));
    const QList<MarkdownSearchResult> inCategory = searcher.searchInCategory(
        query, QStringLiteral("fuzz"), MarkdownSearcher::FullText, SearchEngine::ExactMatch);
    for (const MarkdownSearchResult& result : inCategory)
        FUZZ_CHECK(kTarget, result.category == QLatin1String("fuzz"),
                   QStringLiteral("a result of another category"));
    return 0;
}
