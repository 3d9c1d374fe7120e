// The keyword search in all four match modes over a small knowledge base of real
// entries (the smallest of a few folders of data/, copied to a scratch tree). The
// input is the query. No input may take over a second of processor time.

#include "FuzzEnvironment.h"
#include "FuzzWatchdog.h"

#include "data/DataManager.h"
#include "search/SearchEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

#include <memory>

namespace {

const char* const kTarget = "searchengine";
constexpr int kLimitMs = 1000;

struct Base
{
    std::unique_ptr<DataManager> manager;
    QJsonArray entries;
    QSet<QString> ids;
};

QString copySmallest(const QString& folder, int count, const QString& root)
{
    const QDir source(FuzzEnvironment::sourceDataPath() + QLatin1Char('/') + folder);
    const QFileInfoList files =
        source.entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Size | QDir::Reversed);
    QDir().mkpath(root + QLatin1Char('/') + folder);
    for (int i = 0; i < count && i < files.size(); ++i) {
        const QString target =
            root + QLatin1Char('/') + folder + QLatin1Char('/') + files.at(i).fileName();
        if (!QFile::copy(files.at(i).absoluteFilePath(), target))
            return target;
    }
    return {};
}

Base& base()
{
    static Base* instance = nullptr;
    if (instance)
        return *instance;
    instance = new Base;
    const QString root = FuzzEnvironment::scratchPath() + QStringLiteral("/searchdata");
    const std::pair<const char*, int> folders[] = {
        {"software/cad", 2}, {"software/cae", 1},         {"software/cfd", 1},
        {"companies", 2},    {"technologies/kernels", 1}, {"technologies/mesh", 1}};
    for (const auto& [folder, count] : folders) {
        const QString failed = copySmallest(QLatin1String(folder), count, root);
        if (!failed.isEmpty())
            FuzzEnvironment::fail(kTarget, QStringLiteral("cannot copy ") + failed);
    }
    instance->manager = std::make_unique<DataManager>();
    instance->manager->setDataPath(root + QLatin1Char('/'));
    instance->entries = instance->manager->getAllEntries();
    if (instance->entries.size() < 6)
        FuzzEnvironment::fail(kTarget, QStringLiteral("the scratch knowledge base is too small"));
    for (const QJsonValue& entry : std::as_const(instance->entries))
        instance->ids.insert(entry.toObject().value(QLatin1String("id")).toString());
    return *instance;
}

void checkResults(const QJsonArray& results, const char* what)
{
    for (const QJsonValue& result : results) {
        FUZZ_CHECK(kTarget,
                   base().ids.contains(result.toObject().value(QLatin1String("id")).toString()),
                   QStringLiteral("%1: a result that is no entry").arg(QLatin1String(what)));
    }
}

const char* modeName(int mode)
{
    static const char* const names[] = {"exact", "fuzzy", "regex", "semantic"};
    return names[mode];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzEnvironment::setUp();
    Base& kb = base();
    const QString query = QString::fromUtf8(FuzzEnvironment::bytes(data, size));

    FuzzWatchdog watchdog(kTarget, kLimitMs);
    SearchEngine engine;
    for (int mode = SearchEngine::ExactMatch; mode <= SearchEngine::SemanticMatch; ++mode) {
        watchdog.stage(QStringLiteral("search, %1 mode").arg(QLatin1String(modeName(mode))));
        checkResults(engine.search(query, kb.manager.get(), mode), modeName(mode));

        watchdog.stage(QStringLiteral("filter, %1 mode").arg(QLatin1String(modeName(mode))));
        const QJsonArray filtered = engine.filterEntries(query, kb.entries, mode);
        checkResults(filtered, modeName(mode));
    }

    // Ranked by score, highest first.
    watchdog.stage(QStringLiteral("fuzzy ranking"));
    const QJsonArray ranked = engine.fuzzySearch(query, kb.manager.get());
    for (qsizetype i = 1; i < ranked.size(); ++i) {
        FUZZ_CHECK(kTarget,
                   engine.calculateScore(ranked.at(i - 1).toObject(), query) >=
                       engine.calculateScore(ranked.at(i).toObject(), query),
                   QStringLiteral("fuzzy results out of score order"));
    }
    return 0;
}
