#include "KnowledgeBaseFixture.h"
#include "kbcheck/KnowledgeBaseChecker.h"

#include <QtTest>

using F = KnowledgeBaseFixture;

// Each rule of the checker against a small hand-made knowledge base, then the
// real knowledge base of the source tree.
class TestKnowledgeBaseChecker : public QObject
{
    Q_OBJECT

private:
    static QStringList checkedLines(const KnowledgeBaseFixture& kb)
    {
        KnowledgeBaseChecker checker(kb.path());
        const bool clean = checker.run();
        const QStringList lines = checker.problemLines();
        if (clean != lines.isEmpty())
            return {QStringLiteral("run() disagrees with problems()")};
        return lines;
    }

    static QJsonValue absent() { return QJsonValue(QJsonValue::Undefined); }

    // Row helpers: one file rewritten (or removed) on top of the good knowledge base.
    static void row(const char* name, const QString& relPath, const QByteArray& content,
                    const QStringList& expected)
    {
        QTest::newRow(name) << relPath << content << QString() << expected;
    }

    static void removal(const char* name, const QString& relPath, const QStringList& expected)
    {
        QTest::newRow(name) << QString() << QByteArray() << relPath << expected;
    }

    static void alpha(const char* name, const QString& path, const QJsonValue& value,
                      const QStringList& expected)
    {
        row(name, "software/cad/alpha_cad.json", F::json(F::edited(F::alphaCad(), path, value)),
            expected);
    }

    static void company(const char* name, const QString& path, const QJsonValue& value,
                        const QStringList& expected)
    {
        row(name, "companies/acme.json", F::json(F::edited(F::acme(), path, value)), expected);
    }

    static QJsonArray competitors(const QJsonObject& competitor) { return QJsonArray{competitor}; }

private slots:
    void goodKnowledgeBaseHasNoProblems()
    {
        KnowledgeBaseFixture kb;
        KnowledgeBaseChecker checker(kb.path());
        QVERIFY(checker.run());
        QCOMPARE(checker.problemLines(), QStringList());
        QCOMPARE(checker.summary(),
                 (QJsonObject{{"allFiles", 17},
                              {"companies", 1},
                              {"disciplines", 3},
                              {"jsonFiles", 14},
                              {"markdownFiles", 2},
                              {"pngFiles", 1},
                              {"problemCount", 0},
                              {"software", 2},
                              {"softwareByCategory", QJsonObject{{"CAD", 1}, {"CAE", 1}}},
                              {"technologies", 2}}));
        QCOMPARE(
            checker.summaryLines(),
            (QStringList{"Software entries: 2 (CAD 1, CAE 1)", "Companies: 1",
                         "Technology JSON files: 2", "Discipline JSON files: 3", "JSON files: 14",
                         "Markdown files: 2", "PNG files: 1", "All files: 17", "Problems: 0"}));
    }

    void rules_data()
    {
        QTest::addColumn<QString>("relPath");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("removePath");
        QTest::addColumn<QStringList>("expected");

        // Encoding and JSON shape.
        row("markdown with a stray byte", "technologies/bad.md", "ok\nab\xff",
            {"data/technologies/bad.md: not valid UTF-8 (first invalid byte at line 2, column 3)"});
        row("overlong encoding", "technologies/bad.md", "\xc0\xaf",
            {"data/technologies/bad.md: not valid UTF-8 (first invalid byte at line 1, column 1)"});
        row("encoded surrogate", "technologies/bad.md", "中\xed\xa0\x80",
            {"data/technologies/bad.md: not valid UTF-8 (first invalid byte at line 1, column 2)"});
        row("truncated sequence", "technologies/bad.md", "x\xe4\xb8",
            {"data/technologies/bad.md: not valid UTF-8 (first invalid byte at line 1, column 2)"});
        row("four-byte character", "technologies/ok.md", "\xf0\x9f\x98\x80 \xe4\xb8\xad", {});
        row("hidden files are checked too", "technologies/.draft.md", "\xfe",
            {"data/technologies/.draft.md: not valid UTF-8 (first invalid byte at line 1, column "
             "1)"});
        row("byte order mark", "technologies/bom.md", "\xEF\xBB\xBF# x\n",
            {"data/technologies/bom.md: starts with a UTF-8 byte order mark"});
        row("unparsable JSON", "config/ui_config.json", "{\n  \"a\": 1,\n}\n",
            {"data/config/ui_config.json: invalid JSON at line 3, column 2: object is missing "
             "after a comma"});
        row("array instead of object", "config/ui_config.json", "[]",
            {"data/config/ui_config.json: top level is not a JSON object"});
        row("news as object without items", "news/local_news.json", "{\"id\": \"n1\"}",
            {"data/news/local_news.json: neither an array of news items, an object with an items "
             "array nor a single news item"});
        row("news array with a number", "news/local_news.json", "[{\"title\": \"a\"}, 3]",
            {"data/news/local_news.json: news item 1 is not an object"});
        row("news object with items", "news/local_news.json", "{\"items\": [{\"title\": \"a\"}]}",
            {});
        row("news single item", "news/local_news.json", "{\"title\": \"a\"}", {});
        row("events document without keys", "events/events.json", "{\"events\": {}}",
            {"data/events/events.json: schemaVersion is missing or empty",
             "data/events/events.json: generatedAt is missing or empty",
             "data/events/events.json: events is missing or not an array",
             "data/events/events.json: metadata is missing or not an object"});
        row("event that is not an object", "events/events.json",
            F::json(F::edited(QJsonObject{{"schemaVersion", "1.0"},
                                          {"generatedAt", "2026-12-07T00:00:00"},
                                          {"metadata", QJsonObject{}}},
                              "events", QJsonArray{"x"})),
            {"data/events/events.json: events[0] is not an object"});
        row("other JSON files must be objects", "events/sub/list.json", "[]",
            {"data/events/sub/list.json: top level is not a JSON object"});

        // Software entries.
        alpha("id differs from file name", "id", "alpha",
              {"data/software/cad/alpha_cad.json: id \"alpha\" does not match the file name "
               "\"alpha_cad\""});
        alpha("id missing", "id", absent(), {"data/software/cad/alpha_cad.json: id is missing"});
        alpha("category of another directory", "category", "CAE",
              {"data/software/cad/alpha_cad.json: category \"CAE\" does not start with \"CAD\", "
               "the key of its directory"});
        alpha("category part not configured", "category", "CAD/XYZ",
              {"data/software/cad/alpha_cad.json: category part \"XYZ\" is not a software category "
               "of config/categories.json"});
        alpha("lower-case category", "category", "cad",
              {"data/software/cad/alpha_cad.json: category \"cad\" does not start with \"CAD\", "
               "the key of its directory",
               "data/software/cad/alpha_cad.json: category part \"cad\" is not a software category "
               "of config/categories.json"});
        alpha("name blank", "name", "  ",
              {"data/software/cad/alpha_cad.json: name is empty",
               "data/software/cae/beta_sim.json: competitor \"Alpha CAD\" is not the name of a "
               "software entry"});
        alpha("vendor not a string", "vendor", 3,
              {"data/software/cad/alpha_cad.json: vendor is not a string"});
        alpha("English description empty", "description.en", "",
              {"data/software/cad/alpha_cad.json: description.en is empty"});
        alpha("description as a string", "description", "文本",
              {"data/software/cad/alpha_cad.json: description is not an object with zh and en"});
        alpha("template key missing", "industryApplications", absent(),
              {"data/software/cad/alpha_cad.json: industryApplications is missing (the software "
               "template has it)"});
        alpha("template key of another type", "features", QJsonArray{},
              {"data/software/cad/alpha_cad.json: features is not an object as in the software "
               "template"});
        alpha("template string key as number", "currentVersion", 2025,
              {"data/software/cad/alpha_cad.json: currentVersion is not a string as in the "
               "software template"});
        alpha("official link not http", "resources.official", "ftp://acme.example/",
              {"data/software/cad/alpha_cad.json: resources.official is not an http(s) URL: "
               "\"ftp://acme.example/\""});
        alpha("documentation without scheme", "resources.documentation", "www.acme.example",
              {"data/software/cad/alpha_cad.json: resources.documentation is not an http(s) URL: "
               "\"www.acme.example\""});
        alpha("link without host", "resources.official", "https://",
              {"data/software/cad/alpha_cad.json: resources.official is not an http(s) URL: "
               "\"https://\""});
        alpha("link with a space", "resources.official", "https://acme.example/a b",
              {"data/software/cad/alpha_cad.json: resources.official is not an http(s) URL: "
               "\"https://acme.example/a b\""});
        alpha("link not a string", "resources.documentation", QJsonArray{},
              {"data/software/cad/alpha_cad.json: resources.documentation is not a string"});
        alpha("links may be missing", "resources", QJsonObject{}, {});
        alpha("date with slashes", "metadata.lastUpdated", "2026/12/07",
              {"data/software/cad/alpha_cad.json: metadata.lastUpdated \"2026/12/07\" is not a "
               "date written YYYY-MM-DD"});
        alpha("impossible date", "metadata.lastUpdated", "2026-02-30",
              {"data/software/cad/alpha_cad.json: metadata.lastUpdated \"2026-02-30\" is not a "
               "date written YYYY-MM-DD"});
        alpha("dataVersion missing", "metadata.dataVersion", absent(),
              {"data/software/cad/alpha_cad.json: metadata.dataVersion is missing"});
        alpha("author empty", "metadata.author", "",
              {"data/software/cad/alpha_cad.json: metadata.author is empty"});
        alpha("reviewStatus missing", "metadata.reviewStatus", absent(),
              {"data/software/cad/alpha_cad.json: metadata.reviewStatus is missing"});
        alpha("tags as text", "metadata.tags", "CAD",
              {"data/software/cad/alpha_cad.json: metadata.tags is not an array"});
        alpha("tag not a string", "metadata.tags", QJsonArray{"CAD", 1},
              {"data/software/cad/alpha_cad.json: metadata.tags[1] is not a string"});
        alpha("tags may be empty", "metadata.tags", QJsonArray{}, {});
        alpha("metadata missing", "metadata", absent(),
              {"data/software/cad/alpha_cad.json: metadata is missing"});
        alpha("competitor as text", "competitiveAnalysis.competitors", QJsonArray{"Beta Sim"},
              {"data/software/cad/alpha_cad.json: competitiveAnalysis.competitors[0] is not an "
               "object with name and vendor"});
        alpha("competitor without vendor", "competitiveAnalysis.competitors",
              competitors({{"name", "Beta Sim"}}),
              {"data/software/cad/alpha_cad.json: competitiveAnalysis.competitors[0].vendor is "
               "missing"});
        alpha(
            "competitors not an array", "competitiveAnalysis.competitors", QJsonObject{},
            {"data/software/cad/alpha_cad.json: competitiveAnalysis.competitors is not an array"});
        row("entry outside a category directory", "software/loose.json", F::json(F::alphaCad()),
            {"data/software/loose.json: software entry is not directly inside a category "
             "directory"});
        row("entry one level too deep", "software/cad/old/alpha_old.json",
            F::json(F::edited(F::alphaCad(), "id", "alpha_old")),
            {"data/software/cad/old/alpha_old.json: software entry is not directly inside a "
             "category directory"});
        row("unknown category directory", "software/misc/gamma.json",
            F::json(
                F::edited(F::edited(F::edited(F::alphaCad(), "id", "gamma"), "name", "Gamma CAD"),
                          "category", "MISC")),
            {"data/software/misc: directory is not named after a software category of "
             "config/categories.json",
             "data/software/misc/gamma.json: category part \"MISC\" is not a software category of "
             "config/categories.json"});
        row("upper-case category directory", "software/Cad/gamma.json",
            F::json(F::edited(F::edited(F::alphaCad(), "id", "gamma"), "name", "Gamma CAD")),
            {"data/software/Cad: category directory name is not lower-case"});

        // Companies.
        company("company id differs", "id", "acme_inc",
                {"data/companies/acme.json: id \"acme_inc\" does not match the file name \"acme\"",
                 "data/companies/acme.json: id \"acme_inc\" does not match the name \"Acme\": "
                 "\"inc\" is "
                 "not part of the name or full name"});
        company("company name missing", "name", absent(),
                {"data/companies/acme.json: name is missing",
                 "data/software/cad/alpha_cad.json: vendor \"Acme\" is not the name of a company "
                 "entry"});
        company("company description zh empty", "description.zh", "",
                {"data/companies/acme.json: description.zh is empty"});
        company("company metadata date", "metadata.lastUpdated", "07.12.2026",
                {"data/companies/acme.json: metadata.lastUpdated \"07.12.2026\" is not a date "
                 "written YYYY-MM-DD"});
        company(
            "unknown stock service", "stockInfo.stockLinks.reuters", "https://www.reuters.com/acme",
            {"data/companies/acme.json: stockInfo.stockLinks has the unknown service \"reuters\" "
             "(known: yahoo, nasdaq, marketwatch, bloomberg, googlefinance, euronext)"});
        company("stock link not a URL", "stockInfo.stockLinks.bloomberg", "ACME:US",
                {"data/companies/acme.json: stockInfo.stockLinks.bloomberg is not an http(s) URL: "
                 "\"ACME:US\""});
        company("stock link empty", "stockInfo.stockLinks.euronext", "",
                {"data/companies/acme.json: stockInfo.stockLinks.euronext is empty"});
        company("top-level stock links", "stockLinks",
                QJsonObject{{"marketwatch", "https://www.marketwatch.com/acme"},
                            {"googlefinance", "mailto:x@y.z"}},
                {"data/companies/acme.json: stockLinks.googlefinance is not an http(s) URL: "
                 "\"mailto:x@y.z\""});
        company("stock links as a list", "stockInfo.stockLinks", QJsonArray{},
                {"data/companies/acme.json: stockInfo.stockLinks is not an object"});
        row("company in a sub-directory", "companies/old/acme_old.json",
            F::json(F::edited(F::acme(), "id", "acme_old")),
            {"data/companies/old/acme_old.json: company entry is not directly inside companies/"});

        // Consistency between entries.
        row("software id used twice", "software/cae/alpha_cad.json",
            F::json(
                F::edited(F::edited(F::alphaCad(), "category", "CAE"), "name", "Alpha CAD Pro")),
            {"data/software/cae/alpha_cad.json: id \"alpha_cad\" is already used by "
             "data/software/cad/alpha_cad.json"});
        row("company id used twice", "companies/acme2.json",
            F::json(F::edited(F::acme(), "name", "Acme Two")),
            {"data/companies/acme2.json: id \"acme\" does not match the file name \"acme2\"",
             "data/companies/acme2.json: id \"acme\" is already used by data/companies/acme.json"});
        alpha("vendor without company", "vendor", "Acme Corp",
              {"data/software/cad/alpha_cad.json: vendor \"Acme Corp\" is not the name of a "
               "company entry"});
        alpha("vendor spelled differently", "vendor", "ACME",
              {"data/software/cad/alpha_cad.json: vendor \"ACME\" is spelled \"Acme\" in "
               "data/companies/acme.json"});
        alpha("vendor with extra space", "vendor", "Acme ",
              {"data/software/cad/alpha_cad.json: vendor \"Acme \" is spelled \"Acme\" in "
               "data/companies/acme.json"});
        alpha("foundation vendor", "vendor", "The Gamma Foundation", {});
        alpha("community vendor", "vendor", "Gamma Community", {});
        alpha("consortium vendor", "vendor", "Gamma Consortium", {});
        alpha("chinese community vendor", "vendor", "Gamma 社区", {});
        alpha("open-source vendor", "vendor", "Gamma 开源软件", {});
        alpha("competitor without entry", "competitiveAnalysis.competitors",
              QJsonArray{QJsonObject{{"name", "Beta Sim"}, {"vendor", "Beta"}},
                         QJsonObject{{"name", "Unlisted"}, {"vendor", "Other"}}},
              {"data/software/cad/alpha_cad.json: competitor \"Unlisted\" is not the name of a "
               "software entry"});
        alpha("competitor without name", "competitiveAnalysis.competitors",
              competitors({{"name", ""}, {"vendor", "Beta"}}),
              {"data/software/cad/alpha_cad.json: competitiveAnalysis.competitors[0].name is "
               "empty"});
        row("id from the name's words", "software/cad/alpha_cam_pro.json",
            F::json(F::edited(F::edited(F::alphaCad(), "id", "alpha_cam_pro"), "name",
                              "Alpha-CAM Pro")),
            {});
        row("id naming another product", "software/cad/kingdee_cosmic.json",
            F::json(F::edited(
                F::edited(F::edited(F::alphaCad(), "id", "kingdee_cosmic"), "name", "金蝶云·星空"),
                "fullName", "金蝶云·星空（Kingdee Cloud Galaxy）")),
            {"data/software/cad/kingdee_cosmic.json: id \"kingdee_cosmic\" does not match the name "
             "\"金蝶云·星空\": \"cosmic\" is not part of the name or full name"});
        row("id with two foreign words", "software/cad/delta_x.json",
            F::json(F::edited(F::edited(F::alphaCad(), "id", "delta_x"), "name", "Epsilon")),
            {"data/software/cad/delta_x.json: id \"delta_x\" does not match the name \"Epsilon\": "
             "\"delta\", \"x\" are not part of the name or full name"});
        row("Chinese-only name is not compared", "software/cad/gamma_cad.json",
            F::json(F::edited(F::edited(F::alphaCad(), "id", "gamma_cad"), "name", "伽马制图")),
            {});
        row("accents fold to plain letters", "companies/dassault_systemes.json",
            F::json(F::edited(F::edited(F::acme(), "id", "dassault_systemes"), "name",
                              "Dassault Systèmes")),
            {});
        alpha("competitor spelled differently", "competitiveAnalysis.competitors",
              competitors({{"name", "beta sim"}, {"vendor", "Beta"}}),
              {"data/software/cad/alpha_cad.json: competitor \"beta sim\" is spelled \"Beta Sim\" "
               "in data/software/cae/beta_sim.json"});
        alpha("competitor with double space", "competitiveAnalysis.competitors",
              competitors({{"name", "Beta  Sim"}, {"vendor", "Beta"}}),
              {"data/software/cad/alpha_cad.json: competitor \"Beta  Sim\" is spelled \"Beta Sim\" "
               "in data/software/cae/beta_sim.json"});
        row("competitor vendor spelled differently", "software/cae/beta_sim.json",
            F::json(F::edited(F::betaSim(), "competitiveAnalysis.competitors",
                              competitors({{"name", "Alpha CAD"}, {"vendor", "acme"}}))),
            {"data/software/cae/beta_sim.json: competitor vendor \"acme\" is spelled \"Acme\" in "
             "data/companies/acme.json"});
        company("product spelled differently", "products", QJsonArray{"Alpha CAD", "BETA SIM"},
                {"data/companies/acme.json: product \"BETA SIM\" is spelled \"Beta Sim\" in "
                 "data/software/cae/beta_sim.json"});
        company("product object spelled differently", "products",
                QJsonArray{QJsonObject{{"name", "alpha cad"}}},
                {"data/companies/acme.json: product \"alpha cad\" is spelled \"Alpha CAD\" in "
                 "data/software/cad/alpha_cad.json"});

        // Sources.
        alpha("sources not an array", "sources", "https://acme.example/",
              {"data/software/cad/alpha_cad.json: sources is not an array",
               "data/software/cad/alpha_cad.json: currentVersion \"2025\" has no source with a "
               "checked date"});
        alpha("source as text", "sources", QJsonArray{"https://acme.example/"},
              {"data/software/cad/alpha_cad.json: sources[0] is not an object with url, title and "
               "checked",
               "data/software/cad/alpha_cad.json: currentVersion \"2025\" has no source with a "
               "checked date"});
        alpha("source link not http", "sources",
              QJsonArray{F::sources().at(0), QJsonObject{{"url", "ftp://acme.example/"},
                                                         {"title", "t"},
                                                         {"checked", "2026-12-01"}}},
              {"data/software/cad/alpha_cad.json: sources[1].url is not an http(s) URL: "
               "\"ftp://acme.example/\""});
        alpha("source without title", "sources",
              QJsonArray{QJsonObject{{"url", "https://acme.example/"}, {"checked", "2026-12-01"}}},
              {"data/software/cad/alpha_cad.json: sources[0].title is missing"});
        alpha("source checked with slashes", "sources",
              QJsonArray{QJsonObject{
                  {"url", "https://acme.example/"}, {"title", "t"}, {"checked", "2026/12/01"}}},
              {"data/software/cad/alpha_cad.json: sources[0].checked \"2026/12/01\" is not a date "
               "written YYYY-MM-DD",
               "data/software/cad/alpha_cad.json: currentVersion \"2025\" has no source with a "
               "checked date"});
        alpha("source checked as a number", "sources",
              QJsonArray{QJsonObject{
                  {"url", "https://acme.example/"}, {"title", "t"}, {"checked", 20261201}}},
              {"data/software/cad/alpha_cad.json: sources[0].checked is not a string",
               "data/software/cad/alpha_cad.json: currentVersion \"2025\" has no source with a "
               "checked date"});
        alpha("source checked in the future", "sources",
              QJsonArray{QJsonObject{
                  {"url", "https://acme.example/"}, {"title", "t"}, {"checked", "2999-01-01"}}},
              {"data/software/cad/alpha_cad.json: sources[0].checked \"2999-01-01\" lies in the "
               "future"});
        company("company source without link", "sources",
                QJsonArray{QJsonObject{{"title", "Acme"}, {"checked", "2026-12-07"}}},
                {"data/companies/acme.json: sources[0].url is empty"});
        row("technology source on an impossible day", "technologies/kernels/k1.json",
            F::json(F::edited(F::kernel(), "sources",
                              QJsonArray{QJsonObject{{"url", "https://k1.example/"},
                                                     {"title", "K1"},
                                                     {"checked", "2026-02-30"}}})),
            {"data/technologies/kernels/k1.json: sources[0].checked \"2026-02-30\" is not a date "
             "written YYYY-MM-DD"});

        alpha("sources missing", "sources", absent(),
              {"data/software/cad/alpha_cad.json: sources is missing",
               "data/software/cad/alpha_cad.json: currentVersion \"2025\" has no source with a "
               "checked date"});
        alpha("sources empty", "sources", QJsonArray{},
              {"data/software/cad/alpha_cad.json: sources is empty",
               "data/software/cad/alpha_cad.json: currentVersion \"2025\" has no source with a "
               "checked date"});
        alpha("version source without date", "sources",
              QJsonArray{QJsonObject{{"url", "https://acme.example/"}, {"title", "t"}}},
              {"data/software/cad/alpha_cad.json: sources[0].checked is missing",
               "data/software/cad/alpha_cad.json: currentVersion \"2025\" has no source with a "
               "checked date"});
        alpha("one dated source is enough", "sources",
              QJsonArray{QJsonObject{{"url", "https://acme.example/a"},
                                     {"title", "a"},
                                     {"checked", "2026-13-01"}},
                         F::sources().at(0)},
              {"data/software/cad/alpha_cad.json: sources[0].checked \"2026-13-01\" is not a date "
               "written YYYY-MM-DD"});
        row("empty version without a note", "software/cae/beta_sim.json",
            F::json(F::edited(F::betaSim(), "metadata.accuracy", absent())),
            {"data/software/cae/beta_sim.json: currentVersion is empty and metadata.accuracy does "
             "not say why"});
        row("blank version with a blank note", "software/cae/beta_sim.json",
            F::json(F::edited(F::edited(F::betaSim(), "currentVersion", "  "), "metadata.accuracy",
                              " ")),
            {"data/software/cae/beta_sim.json: currentVersion is empty and metadata.accuracy does "
             "not say why"});
        row("empty version with a note needs no source", "software/cae/beta_sim.json",
            F::json(F::edited(F::betaSim(), "sources", F::sources())), {});
        row("empty vendor without a note", "software/cae/beta_sim.json",
            F::json(F::edited(F::edited(F::betaSim(), "vendor", ""), "metadata.accuracy", " ")),
            {"data/software/cae/beta_sim.json: vendor is empty and metadata.accuracy does not "
             "say why",
             "data/software/cae/beta_sim.json: currentVersion is empty and metadata.accuracy "
             "does not say why"});
        row("empty vendor with a note", "software/cae/beta_sim.json",
            F::json(F::edited(F::betaSim(), "vendor", "")), {});
        row("vendor missing", "software/cae/beta_sim.json",
            F::json(F::edited(F::betaSim(), "vendor", absent())),
            {"data/software/cae/beta_sim.json: vendor is missing"});
        company("company without sources", "sources", absent(),
                {"data/companies/acme.json: sources is missing"});
        row("technology without sources", "technologies/kernels/k1.json",
            F::json(F::edited(F::kernel(), "sources", absent())),
            {"data/technologies/kernels/k1.json: sources is missing"});
        row("article without sources", "technologies/article.json",
            F::json(F::edited(F::article(), "sources", absent())),
            {"data/technologies/article.json: sources is missing"});

        // Technologies.
        row("technology id differs from file name", "technologies/kernels/k1.json",
            F::json(F::edited(F::kernel(), "id", "k_one")),
            {"data/technologies/kernels/k1.json: id \"k_one\" does not match the file name "
             "\"k1\""});
        row("standard supported by entries", "technologies/standards/s1.json",
            F::json({{"id", "s1"},
                     {"sources", F::sources()},
                     {"supportedBy", QJsonObject{{"readAndWrite", QJsonArray{"Alpha CAD"}},
                                                 {"readOnly", QJsonArray{"Beta Sim"}}}}}),
            {});
        row("standard supported by unknown software", "technologies/standards/s1.json",
            F::json({{"id", "s1"},
                     {"sources", F::sources()},
                     {"supportedBy", QJsonObject{{"readOnly", QJsonArray{"Beta Sim", "Omega"}},
                                                 {"writeOnly", QJsonArray{"alpha cad", 7}}}}}),
            {"data/technologies/standards/s1.json: supportedBy.readOnly: software \"Omega\" is not "
             "the name of a software entry",
             "data/technologies/standards/s1.json: supportedBy.writeOnly: software \"alpha cad\" "
             "is spelled \"Alpha CAD\" in data/software/cad/alpha_cad.json",
             "data/technologies/standards/s1.json: supportedBy.writeOnly[1] is not a string"});
        row("standard support as a list", "technologies/standards/s1.json",
            F::json({{"id", "s1"},
                     {"sources", F::sources()},
                     {"supportedBy", QJsonArray{"Alpha CAD"}}}),
            {"data/technologies/standards/s1.json: supportedBy is not an object"});
        row("standard support list as text", "technologies/standards/s1.json",
            F::json({{"id", "s1"},
                     {"sources", F::sources()},
                     {"supportedBy", QJsonObject{{"readOnly", "Alpha CAD"}}}}),
            {"data/technologies/standards/s1.json: supportedBy.readOnly is not an array"});
        row("content file missing", "technologies/article.json",
            F::json(F::edited(F::article(), "contentFile", "missing.md")),
            {"data/technologies/article.json: contentFile \"missing.md\" does not exist beside "
             "this file"});
        row("content file in another directory", "technologies/kernels/k2.json",
            F::json(F::edited(F::article(), "id", "k2")),
            {"data/technologies/kernels/k2.json: contentFile \"article.md\" does not exist beside "
             "this file"});
        row("content file with a path", "technologies/kernels/k2.json",
            F::json(F::edited(F::edited(F::article(), "id", "k2"), "contentFile", "../article.md")),
            {"data/technologies/kernels/k2.json: contentFile \"../article.md\" does not name a "
             "file in the same directory"});
        row("content file empty", "technologies/article.json",
            F::json(F::edited(F::article(), "contentFile", "")),
            {"data/technologies/article.json: contentFile is empty"});
        row("nested content file", "technologies/hpc/h.json",
            F::json({{"id", "h"},
                     {"sources", F::sources()},
                     {"sections", QJsonArray{QJsonObject{{"contentFile", "gone.md"}}}}}),
            {"data/technologies/hpc/h.json: contentFile \"gone.md\" does not exist beside this "
             "file"});
        removal("article removed", "technologies/article.md",
                {"data/technologies/article.json: contentFile \"article.md\" does not exist beside "
                 "this file"});
        row("kernel without comparison", "technologies/kernels/k1.json",
            F::json(F::edited(F::kernel(), "comparison", absent())),
            {"data/technologies/kernels/k1.json: kernel technology has no comparison"});
        row("kernel with empty features", "technologies/kernels/k1.json",
            F::json(F::edited(F::kernel(), "features", QJsonObject{})),
            {"data/technologies/kernels/k1.json: features is empty"});
        row("other technology types need no details", "technologies/kernels/k1.json",
            F::json({{"id", "k1"}, {"type", "Mesh Generator"}, {"sources", F::sources()}}), {});
        row("technology id used twice", "technologies/mesh/k1.json",
            F::json(F::edited(F::kernel(), "type", "Mesh Generator")),
            {"data/technologies/mesh/k1.json: id \"k1\" is already used by "
             "data/technologies/kernels/k1.json"});

        // Disciplines.
        removal("discipline directory missing", "disciplines/thermal",
                {"data/disciplines/thermal: directory of discipline \"thermal\" is missing"});
        removal(
            "discipline without JSON", "disciplines/thermal/data.json",
            {"data/disciplines/thermal: directory of discipline \"thermal\" holds no JSON file"});
        removal("sub-discipline directory missing", "disciplines/structural/linear_static",
                {"data/disciplines/structural/linear_static: directory of sub-discipline "
                 "\"linear_static\" of \"structural\" is missing"});
        removal("discipline with JSON only below", "disciplines/structural/overview.json", {});
        row("sub-discipline without dataPath", "config/categories.json",
            F::json(F::edited(F::categories(), "disciplineCategories.thermal.subDisciplines",
                              QJsonArray{QJsonObject{{"id", "electronics_cooling"}}})),
            {"data/config/categories.json: sub-discipline \"electronics_cooling\" of \"thermal\" "
             "has no dataPath"});
        row("sub-discipline leaving disciplines", "config/categories.json",
            F::json(F::edited(F::categories(), "disciplineCategories.thermal.subDisciplines",
                              QJsonArray{QJsonObject{{"id", "x"}, {"dataPath", "../events"}}})),
            {"data/config/categories.json: dataPath \"../events\" of sub-discipline \"x\" of "
             "\"thermal\" is not a directory path below disciplines/"});
        row("discipline type unknown", "disciplines/thermal/data.json",
            F::json({{"id", "data"}, {"type", "guide"}, {"name", "物性数据"}}),
            {"data/disciplines/thermal/data.json: type \"guide\" is not one of reference, "
             "workflow, dataset"});
        row("discipline type missing", "disciplines/thermal/data.json",
            F::json({{"id", "data"}, {"title", "物性数据"}}),
            {"data/disciplines/thermal/data.json: type is missing"});
        row("discipline type not text", "disciplines/thermal/data.json",
            F::json({{"id", "data"}, {"type", 1}, {"title", "物性数据"}}),
            {"data/disciplines/thermal/data.json: type is not a string"});
        row("discipline without name or title", "disciplines/thermal/data.json",
            F::json({{"id", "data"}, {"type", "dataset"}, {"name", ""}}),
            {"data/disciplines/thermal/data.json: has neither a name nor a title"});
        row("discipline with string description", "disciplines/thermal/data.json",
            F::json({{"type", "dataset"}, {"title", "物性数据"}, {"description", "纯文本描述"}}),
            {});
        row("discipline id used twice", "disciplines/thermal/data.json",
            F::json({{"id", "overview"}, {"type", "dataset"}, {"name", "物性数据"}}),
            {"data/disciplines/thermal/data.json: id \"overview\" is already used by "
             "data/disciplines/structural/overview.json"});

        // Recommended software.
        row("discipline recommends entries", "config/categories.json",
            F::json(F::edited(F::categories(), "disciplineCategories.thermal.recommendedSoftware",
                              QJsonArray{"Alpha CAD", "Beta Sim"})),
            {});
        row("discipline recommends unknown software", "config/categories.json",
            F::json(F::edited(F::categories(), "disciplineCategories.thermal.recommendedSoftware",
                              QJsonArray{"Alpha CAD", "Gamma"})),
            {"data/config/categories.json: discipline \"thermal\": recommended software \"Gamma\" "
             "is "
             "not the name of a software entry"});
        row("discipline recommendation spelled differently", "config/categories.json",
            F::json(F::edited(F::categories(), "disciplineCategories.thermal.recommendedSoftware",
                              QJsonArray{"alpha  cad"})),
            {"data/config/categories.json: discipline \"thermal\": recommended software \"alpha  "
             "cad\" is spelled \"Alpha CAD\" in data/software/cad/alpha_cad.json"});
        row("discipline recommendations as text", "config/categories.json",
            F::json(F::edited(F::categories(), "disciplineCategories.thermal.recommendedSoftware",
                              "Alpha CAD")),
            {"data/config/categories.json: discipline \"thermal\": recommendedSoftware is not an "
             "array"});
        row("sub-discipline recommends unknown software", "config/categories.json",
            F::json(F::edited(F::categories(), "disciplineCategories.structural.subDisciplines",
                              QJsonArray{QJsonObject{
                                  {"id", "linear_static"},
                                  {"dataPath", "structural/linear_static"},
                                  {"recommendedSoftware", QJsonArray{"Beta Sim", "Delta", 3}}}})),
            {"data/config/categories.json: sub-discipline \"linear_static\" of \"structural\": "
             "recommended software \"Delta\" is not the name of a software entry",
             "data/config/categories.json: sub-discipline \"linear_static\" of \"structural\": "
             "recommendedSoftware[2] is not a string"});
        row("discipline document recommends unknown software", "disciplines/thermal/data.json",
            F::json({{"id", "data"},
                     {"type", "dataset"},
                     {"name", "物性数据"},
                     {"recommendedSoftware", QJsonArray{"Beta Sim", "Zeta"}}}),
            {"data/disciplines/thermal/data.json: recommended software \"Zeta\" is not the name of "
             "a "
             "software entry"});
        row("nested recommendation spelled differently", "disciplines/thermal/data.json",
            F::json({{"id", "data"},
                     {"type", "dataset"},
                     {"name", "物性数据"},
                     {"steps",
                      QJsonArray{QJsonObject{{"recommendedSoftware", QJsonArray{"BETA SIM"}}}}}}),
            {"data/disciplines/thermal/data.json: recommended software \"BETA SIM\" is spelled "
             "\"Beta Sim\" in data/software/cae/beta_sim.json"});

        // Pictures.
        row("picture that is not PNG", "pictures/fake.png", "GIF89a\x01\x00",
            {"data/pictures/fake.png: not a PNG file (wrong signature)"});
        row("picture at the size limit", "pictures/big.png", F::png(400 * 1024),
            {"data/pictures/big.png: picture is 409600 bytes, not under the limit of 400 KB "
             "(409600 bytes)"});
        row("picture just under the limit", "pictures/big.png", F::png(400 * 1024 - 1), {});
        row("JPEG picture is not text", "pictures/photo.jpg", "\xff\xd8\xff\xe0", {});

        // Configuration files.
        removal("categories missing", "config/categories.json",
                {"data/config/categories.json: file is missing"});
        row("categories without software", "config/categories.json",
            F::json(F::edited(F::categories(), "softwareCategories", absent())),
            {"data/config/categories.json: softwareCategories is missing or not an object"});
        row("categories without disciplines", "config/categories.json",
            F::json(F::edited(F::categories(), "disciplineCategories", QJsonArray{})),
            {"data/config/categories.json: disciplineCategories is missing or not an object"});
        removal("template missing", "templates/software_template.json",
                {"data/templates/software_template.json: file is missing"});
    }

    void rules()
    {
        QFETCH(QString, relPath);
        QFETCH(QByteArray, content);
        QFETCH(QString, removePath);
        QFETCH(QStringList, expected);

        KnowledgeBaseFixture kb;
        if (!removePath.isEmpty()) {
            QVERIFY(QFileInfo::exists(kb.filePath(removePath)));
            kb.remove(removePath);
        }
        if (!relPath.isEmpty())
            kb.write(relPath, content);
        QCOMPARE(checkedLines(kb), expected);
    }

    void acquisitions_data()
    {
        QTest::addColumn<QJsonObject>("bigco");
        QTest::addColumn<QJsonObject>("acme");
        QTest::addColumn<QJsonObject>("alpha");
        QTest::addColumn<QStringList>("expected");

        // BigCo: a second company that records what it bought.
        const auto bigco = [](const QJsonValue& acquisitions) {
            QJsonObject company = F::edited(F::edited(F::acme(), "id", "bigco"), "name", "BigCo");
            return F::edited(F::edited(company, "products", QJsonArray{}), "acquisitions",
                             acquisitions);
        };
        const auto deal = [](const QString& status, const QJsonValue& products) {
            return QJsonObject{{"target", "Acme"},
                               {"date", "2026-03"},
                               {"status", status},
                               {"products", products}};
        };
        const QJsonArray alphaBought{deal("completed", QJsonArray{"Alpha CAD"})};

        QTest::newRow("completed purchase, old vendor")
            << bigco(alphaBought) << F::acme() << F::alphaCad()
            << QStringList{
                   "data/companies/acme.json: lists product \"Alpha CAD\", but "
                   "data/companies/bigco.json records that BigCo acquired it with \"Acme\" "
                   "(2026-03)",
                   "data/software/cad/alpha_cad.json: vendor \"Acme\", but "
                   "data/companies/bigco.json records that BigCo acquired \"Alpha CAD\" with "
                   "\"Acme\" (2026-03)"};
        QTest::newRow("announced purchase")
            << bigco(QJsonArray{deal("announced", QJsonArray{"Alpha CAD"})}) << F::acme()
            << F::alphaCad() << QStringList();
        QTest::newRow("terminated purchase")
            << bigco(QJsonArray{deal("terminated", QJsonArray{"Alpha CAD"})}) << F::acme()
            << F::alphaCad() << QStringList();
        QTest::newRow("vendor moved, old company still lists it")
            << bigco(alphaBought) << F::acme() << F::edited(F::alphaCad(), "vendor", "BigCo")
            << QStringList{"data/companies/acme.json: lists product \"Alpha CAD\", but "
                           "data/companies/bigco.json records that BigCo acquired it with \"Acme\" "
                           "(2026-03)"};
        QTest::newRow("vendor and list moved")
            << F::edited(bigco(alphaBought), "products", QJsonArray{"Alpha CAD"})
            << F::edited(F::acme(), "products", QJsonArray{"Gamma Tool"})
            << F::edited(F::alphaCad(), "vendor", "BigCo") << QStringList();
        QTest::newRow("bought company keeps selling it")
            << bigco(QJsonArray{
                   F::edited(deal("completed", QJsonArray{"Alpha CAD"}), "targetCompany", "Acme")})
            << F::acme() << F::alphaCad() << QStringList();
        QTest::newRow("subsidiary through acquisitionInfo")
            << bigco(alphaBought)
            << F::edited(F::acme(), "acquisitionInfo",
                         QJsonObject{{"acquirer", "BigCo（全资收购）"}, {"date", "2026-03"}})
            << F::alphaCad() << QStringList();
        QTest::newRow("subsidiary through parentCompany")
            << bigco(alphaBought) << F::edited(F::acme(), "parentCompany", "BigCo") << F::alphaCad()
            << QStringList();
        QTest::newRow("parent that is no entry")
            << bigco(alphaBought) << F::edited(F::acme(), "parentCompany", "BigCo Holdings")
            << F::edited(F::alphaCad(), "vendor", "BigCo")
            << QStringList{"data/companies/acme.json: lists product \"Alpha CAD\", but "
                           "data/companies/bigco.json records that BigCo acquired it with \"Acme\" "
                           "(2026-03)"};
        QTest::newRow("ownership cycle")
            << F::edited(bigco(alphaBought), "parentCompany", "Acme")
            << F::edited(F::acme(), "parentCompany", "BigCo") << F::alphaCad() << QStringList();
        QTest::newRow("later sale wins")
            << bigco(QJsonArray{
                   deal("completed", QJsonArray{"Alpha CAD"}),
                   F::edited(deal("completed", QJsonArray{"Alpha CAD"}), "date", "2019")})
            << F::edited(F::acme(), "acquisitions",
                         QJsonArray{F::edited(
                             F::edited(deal("completed", QJsonArray{"Alpha CAD"}), "target", "Old"),
                             "date", "2024")})
            << F::alphaCad()
            << QStringList{
                   "data/companies/acme.json: lists product \"Alpha CAD\", but "
                   "data/companies/bigco.json records that BigCo acquired it with \"Acme\" "
                   "(2026-03)",
                   "data/software/cad/alpha_cad.json: vendor \"Acme\", but "
                   "data/companies/bigco.json records that BigCo acquired \"Alpha CAD\" with "
                   "\"Acme\" (2026-03)"};
        QTest::newRow("no date")
            << bigco(QJsonArray{F::edited(deal("completed", QJsonArray{"Alpha CAD"}), "date",
                                          QJsonValue(QJsonValue::Undefined))})
            << F::acme() << F::edited(F::alphaCad(), "vendor", "BigCo")
            << QStringList{
                   "data/companies/acme.json: lists product \"Alpha CAD\", but "
                   "data/companies/bigco.json records that BigCo acquired it with \"Acme\""};
        QTest::newRow("acquired product spelled differently")
            << bigco(QJsonArray{deal("completed", QJsonArray{"alpha cad", "Not Listed"})})
            << F::acme() << F::alphaCad()
            << QStringList{"data/companies/bigco.json: acquired product \"alpha cad\" is spelled "
                           "\"Alpha CAD\" in data/software/cad/alpha_cad.json"};
        QTest::newRow("acquisitions not a list")
            << bigco(QJsonObject{}) << F::acme() << F::alphaCad()
            << QStringList{"data/companies/bigco.json: acquisitions is not an array"};
        QTest::newRow("acquisition as text")
            << bigco(QJsonArray{"Acme"}) << F::acme() << F::alphaCad()
            << QStringList{"data/companies/bigco.json: acquisitions[0] is not an object"};
        QTest::newRow("acquisition without target or status")
            << bigco(QJsonArray{QJsonObject{{"products", QJsonArray{"Alpha CAD"}}}}) << F::acme()
            << F::alphaCad()
            << QStringList{"data/companies/bigco.json: acquisitions[0].target is missing",
                           "data/companies/bigco.json: acquisitions[0].status is missing"};
        QTest::newRow("unknown status")
            << bigco(QJsonArray{deal("rumoured", QJsonArray{"Alpha CAD"})}) << F::acme()
            << F::alphaCad()
            << QStringList{"data/companies/bigco.json: acquisitions[0].status \"rumoured\" is not "
                           "one of completed, announced, terminated"};
        QTest::newRow("products not names")
            << bigco(QJsonArray{deal("completed", QJsonArray{"Alpha CAD", 1})}) << F::acme()
            << F::alphaCad()
            << QStringList{"data/companies/bigco.json: acquisitions[0].products is not an array of "
                           "product names"};
    }

    void acquisitions()
    {
        QFETCH(QJsonObject, bigco);
        QFETCH(QJsonObject, acme);
        QFETCH(QJsonObject, alpha);
        QFETCH(QStringList, expected);

        KnowledgeBaseFixture kb;
        kb.write("companies/bigco.json", F::json(bigco));
        kb.write("companies/acme.json", F::json(acme));
        kb.write("software/cad/alpha_cad.json", F::json(alpha));
        QCOMPARE(checkedLines(kb), expected);
    }

    void problemsAreOrderedByFile()
    {
        KnowledgeBaseFixture kb;
        kb.write("user_notes.json", "[]");
        kb.write(
            "companies/acme.json",
            F::json(F::edited(F::edited(F::acme(), "metadata.author", ""), "description", "x")));
        kb.write("config/ui_config.json", "\xEF\xBB\xBF{}");
        QCOMPARE(
            checkedLines(kb),
            (QStringList{"data/companies/acme.json: description is not an object with zh and en",
                         "data/companies/acme.json: metadata.author is empty",
                         "data/config/ui_config.json: starts with a UTF-8 byte order mark",
                         "data/user_notes.json: top level is not a JSON object"}));
    }

    void missingDataDirectory()
    {
        QTemporaryDir dir;
        KnowledgeBaseChecker checker(dir.filePath("nowhere"));
        QVERIFY(!checker.run());
        QCOMPARE(checker.problemLines(), QStringList{"data: the data directory does not exist"});
    }

    void excludedFileIsNotCounted()
    {
        KnowledgeBaseFixture kb;
        kb.write("reports/out.json", "garbage");
        KnowledgeBaseChecker checker(kb.path());
        checker.setExcludedFile(kb.filePath("reports/out.json"));
        QVERIFY(checker.run());
        QCOMPARE(checker.summary().value("allFiles").toInt(), 17);

        // A path outside the tree excludes nothing.
        KnowledgeBaseChecker outside(kb.path());
        outside.setExcludedFile(kb.filePath("../reports/out.json"));
        QVERIFY(!outside.run());
        QCOMPARE(outside.summary().value("allFiles").toInt(), 18);
    }

    void userPreferencesAreNotCounted()
    {
        // Running the program from the source tree leaves these beside the data.
        KnowledgeBaseFixture kb;
        kb.write("user_preferences.json", "{\"favorites\": []}");
        kb.write("user_preferences.json.backup", "garbage");
        kb.write("user_preferences.json.corrupt-20261207-120000", "garbage");
        KnowledgeBaseChecker checker(kb.path());
        QVERIFY(checker.run());
        QCOMPARE(checker.summary().value("allFiles").toInt(), 17);

        // Only at the top of the tree.
        kb.write("config/user_preferences.json", "[]");
        QVERIFY(!checker.run());
        QCOMPARE(checker.summary().value("allFiles").toInt(), 18);
    }

    void rerunStartsAfresh()
    {
        KnowledgeBaseFixture kb;
        kb.write("user_notes.json", "[]");
        KnowledgeBaseChecker checker(kb.path());
        QVERIFY(!checker.run());
        kb.write("user_notes.json", "{}");
        QVERIFY(checker.run());
        QCOMPARE(checker.problems().size(), 0);
        QCOMPARE(checker.summary().value("allFiles").toInt(), 17);
    }

    void resultsDocument()
    {
        KnowledgeBaseFixture kb;
        kb.write("pictures/fake.png", "GIF89a");
        kb.write("software/cad/alpha_cad.json", F::json(F::edited(F::alphaCad(), "name", "")));
        KnowledgeBaseChecker checker(kb.path());
        QVERIFY(!checker.run());
        QCOMPARE(
            checker.resultsJson(),
            QByteArray("{\n"
                       "  \"problems\": [\n"
                       "    {\n"
                       "      \"file\": \"data/pictures/fake.png\",\n"
                       "      \"message\": \"not a PNG file (wrong signature)\"\n"
                       "    },\n"
                       "    {\n"
                       "      \"file\": \"data/software/cad/alpha_cad.json\",\n"
                       "      \"message\": \"name is empty\"\n"
                       "    },\n"
                       "    {\n"
                       "      \"file\": \"data/software/cae/beta_sim.json\",\n"
                       "      \"message\": \"competitor \\\"Alpha CAD\\\" is not the name of a "
                       "software entry\"\n"
                       "    }\n"
                       "  ],\n"
                       "  \"summary\": {\n"
                       "    \"allFiles\": 18,\n"
                       "    \"companies\": 1,\n"
                       "    \"disciplines\": 3,\n"
                       "    \"jsonFiles\": 14,\n"
                       "    \"markdownFiles\": 2,\n"
                       "    \"pngFiles\": 2,\n"
                       "    \"problemCount\": 3,\n"
                       "    \"software\": 2,\n"
                       "    \"softwareByCategory\": {\n"
                       "      \"CAD\": 1,\n"
                       "      \"CAE\": 1\n"
                       "    },\n"
                       "    \"technologies\": 2\n"
                       "  }\n"
                       "}\n"));
    }

    void summaryListsEmptyCategories()
    {
        KnowledgeBaseFixture kb;
        kb.write("config/categories.json",
                 F::json(F::edited(F::categories(), "softwareCategories.PLM", QJsonObject{})));
        KnowledgeBaseChecker checker(kb.path());
        QVERIFY(checker.run());
        QCOMPARE(checker.summary().value("softwareByCategory").toObject(),
                 (QJsonObject{{"CAD", 1}, {"CAE", 1}, {"PLM", 0}}));
        QCOMPARE(checker.summaryLines().first(),
                 QStringLiteral("Software entries: 2 (CAD 1, CAE 1, PLM 0)"));
    }

    void formatJson_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("empty object") << QJsonValue(QJsonObject{}) << QByteArray("{}\n");
        QTest::newRow("empty array") << QJsonValue(QJsonArray{}) << QByteArray("[]\n");
        QTest::newRow("sorted keys and nesting")
            << QJsonValue(
                   QJsonObject{{"b", QJsonArray{true, QJsonValue(), 2}},
                               {"a", QJsonObject{{"z", QJsonObject{}}, {"y", QJsonArray{}}}}})
            << QByteArray("{\n  \"a\": {\n    \"y\": [],\n    \"z\": {}\n  },\n"
                          "  \"b\": [\n    true,\n    null,\n    2\n  ]\n}\n");
        QTest::newRow("escapes") << QJsonValue(QJsonArray{"q\"b\\s/\n\t\r\b\f\x01\x1f"})
                                 << QByteArray(
                                        "[\n  \"q\\\"b\\\\s/\\n\\t\\r\\b\\f\\u0001\\u001f\"\n]\n");
        QTest::newRow("non-ASCII stays UTF-8")
            << QJsonValue(QJsonArray{"几何内核 é 😀"}) << QByteArray("[\n  \"几何内核 é 😀\"\n]\n");
        QTest::newRow("numbers") << QJsonValue(QJsonArray{0, -3, 1.5, 409600, 1e20})
                                 << QByteArray("[\n  0,\n  -3,\n  1.5,\n  409600,\n  1e+20\n]\n");
    }

    void formatJson()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QByteArray, expected);
        QCOMPARE(KnowledgeBaseChecker::formatJson(value), expected);
    }

    void realKnowledgeBaseHasNoProblems()
    {
        KnowledgeBaseChecker checker(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR));
        const bool clean = checker.run();
        QVERIFY2(clean, qPrintable(checker.problemLines().join(QLatin1Char('\n'))));
        QVERIFY(checker.summary().value("software").toInt() > 0);
        QVERIFY(checker.summary().value("companies").toInt() > 0);
    }

    void committedResultsAreCurrent()
    {
        const QString dataDir = QStringLiteral(QUORVANTA_SOURCE_DATA_DIR);
        QFile file(dataDir + "/" + KnowledgeBaseChecker::resultsFileName);
        QVERIFY2(file.open(QIODevice::ReadOnly), "data/validation_results.json is missing");
        KnowledgeBaseChecker checker(dataDir);
        checker.run();
        QVERIFY2(file.readAll() == checker.resultsJson(),
                 "data/validation_results.json is out of date; regenerate it with "
                 "`kbcheck data --write data/validation_results.json`");
    }
};

QTEST_GUILESS_MAIN(TestKnowledgeBaseChecker)
#include "tst_knowledgebasechecker.moc"
