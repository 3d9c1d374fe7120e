#include "data/DataManager.h"
#include "data/EmbeddedDataAdapter.h"
#include "data/EntryLinkResolver.h"

#include <QJsonObject>
#include <QtTest>

namespace {

using Kind = EntryLinkResolver::Kind;

QJsonObject entry(const QString& id, const QString& name, const QString& fullName = QString(),
                  const QString& vendor = QString())
{
    QJsonObject object{{"id", id}, {"name", name}};
    if (!fullName.isEmpty())
        object.insert("fullName", fullName);
    if (!vendor.isEmpty())
        object.insert("vendor", vendor);
    return object;
}

// A small knowledge base with the cases that matter: a name shared by a
// company and its product, two products of one name, bracketed names.
void fill(EntryLinkResolver& resolver)
{
    resolver.addEntry(entry("solidcam", "SolidCAM", "SolidCAM Ltd."), Kind::Company, "c/solidcam");
    resolver.addEntry(entry("solidcam_cam", "SolidCAM", QString(), "SolidCAM"), Kind::Software,
                      "s/solidcam");
    resolver.addEntry(entry("ptc", "PTC", "PTC Inc."), Kind::Company, "c/ptc");
    resolver.addEntry(entry("tool", "ptc"), Kind::Software, "s/tool");
    resolver.addEntry(entry("creo", "Creo", "Creo Parametric", "PTC"), Kind::Software, "s/creo");
    resolver.addEntry(entry("cgm", "CGM", "CGM（Convergence Geometric Modeler）"), Kind::Technology,
                      "t/cgm");
    resolver.addEntry(entry("twin_a", "Twin"), Kind::Software, "s/twin_a");
    resolver.addEntry(entry("twin_b", "Twin"), Kind::Software, "s/twin_b");
    resolver.addEntry(entry("ansys", "Ansys"), Kind::Company, "c/ansys");
    resolver.addEntry(entry("mech", "Ansys Mechanical", QString(), "Ansys（Synopsys 旗下）"),
                      Kind::Software, "s/mech");
    resolver.addEntry(entry("fluent", "Fluent", QString(), "ansys"), Kind::Software, "s/fluent");
    resolver.addArticle("data/x/guide.md", "网格质量");
}

} // namespace

class TestEntryLinkResolver : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EmbeddedDataAdapter::instance().initialize(); }

    void resolve_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("preferred");
        QTest::addColumn<QString>("path");
        const int any = int(Kind::Any);
        QTest::newRow("id") << "creo" << any << "s/creo";
        QTest::newRow("id is exact") << "CREO_X" << any << "";
        QTest::newRow("name") << "Creo" << any << "s/creo";
        QTest::newRow("name ignoring case") << "cReO" << any << "s/creo";
        QTest::newRow("full name") << "creo parametric" << any << "s/creo";
        QTest::newRow("surrounding blanks") << "  Creo  " << any << "s/creo";
        QTest::newRow("inner blanks collapsed") << "PTC   Inc." << any << "c/ptc";
        QTest::newRow("unknown stays unresolved") << "Boeing" << any << "";
        QTest::newRow("empty") << "" << any << "";
        QTest::newRow("bracket part of the entry")
            << "Convergence Geometric Modeler" << any << "t/cgm";
        QTest::newRow("bracketed query")
            << "CGM（Convergence Geometric Modeler）" << any << "t/cgm";
        QTest::newRow("query with a note in brackets")
            << "Ansys（Synopsys 旗下）" << any << "c/ansys";
        QTest::newRow("ascii brackets") << "Creo (PTC)" << any << "s/creo";
        QTest::newRow("article by title") << "网格质量" << any << "data/x/guide.md";
        QTest::newRow("article by file name") << "guide.md" << any << "data/x/guide.md";
        // One name, a company and a product: the preferred kind decides, else plain.
        QTest::newRow("shared name, company wanted")
            << "SolidCAM" << int(Kind::Company) << "c/solidcam";
        QTest::newRow("shared name, software wanted")
            << "SolidCAM" << int(Kind::Software) << "s/solidcam";
        QTest::newRow("shared name, no preference") << "SOLIDCAM" << any << "";
        QTest::newRow("shared name, other kind") << "SolidCAM" << int(Kind::Technology) << "";
        // The id wins over the name of another entry, whatever kind is preferred.
        QTest::newRow("id before name") << "ptc" << int(Kind::Software) << "c/ptc";
        QTest::newRow("name when the id does not match")
            << "PTC" << int(Kind::Software) << "s/tool";
        // Two products of one name: no preference can decide.
        QTest::newRow("two of the same kind") << "Twin" << int(Kind::Software) << "";
        QTest::newRow("ambiguous stops the looser steps")
            << "Twin (X)" << int(Kind::Software) << "";
    }
    void resolve()
    {
        QFETCH(QString, name);
        QFETCH(int, preferred);
        QFETCH(QString, path);
        EntryLinkResolver resolver;
        fill(resolver);
        QCOMPARE(resolver.resolve(name, Kind(preferred)).path, path);
    }

    void targetCarriesItsEntry()
    {
        EntryLinkResolver resolver;
        fill(resolver);
        const EntryLinkResolver::Target target = resolver.resolve("creo parametric");
        QCOMPARE(target.id, QString("creo"));
        QCOMPARE(target.name, QString("Creo"));
        QCOMPARE(int(target.kind), int(Kind::Software));
        QCOMPARE(resolver.targetForPath("c/ptc").name, QString("PTC"));
        QVERIFY(!resolver.targetForPath("nowhere").isValid());
        // A path is added once.
        resolver.addEntry(entry("other", "Other"), Kind::Software, "s/creo");
        QCOMPARE(resolver.targetForPath("s/creo").name, QString("Creo"));
    }

    void softwareOfCompany()
    {
        EntryLinkResolver resolver;
        fill(resolver);
        auto paths = [&resolver](const QString& company) {
            QStringList result;
            for (const EntryLinkResolver::Target& target : resolver.softwareOfCompany(company))
                result << target.path;
            return result;
        };
        QCOMPARE(paths("c/ptc"), QStringList{"s/creo"});
        // By bracket part, by id, in name order.
        QCOMPARE(paths("c/ansys"), (QStringList{"s/mech", "s/fluent"}));
        // The vendor "SolidCAM" is the company, not the product of that name.
        QCOMPARE(paths("c/solidcam"), QStringList{"s/solidcam"});
        QCOMPARE(paths("s/creo"), QStringList());
    }

    void bracketVariants_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("variants");
        QTest::newRow("none") << "Parasolid" << QStringList();
        QTest::newRow("full width") << "CGM（Convergence Geometric Modeler）"
                                    << QStringList{"CGM", "Convergence Geometric Modeler"};
        QTest::newRow("ascii") << "Radioss (OpenRadioss)" << QStringList{"Radioss", "OpenRadioss"};
        QTest::newRow("unclosed") << "X (Y" << QStringList{"X", "Y"};
        QTest::newRow("leading bracket") << "(only)" << QStringList{"only"};
    }
    void bracketVariants()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, variants);
        QCOMPARE(EntryLinkResolver::bracketVariants(name), variants);
    }

    void articleTitle()
    {
        QCOMPARE(EntryLinkResolver::articleTitle("intro\n# 标题 一\n## sub"), QString("标题 一"));
        QCOMPARE(EntryLinkResolver::articleTitle("## only sub"), QString());
        QCOMPARE(EntryLinkResolver::articleTitle("#nospace"), QString());
    }

    // The real knowledge base: built once, every kind present, dropped on a change.
    void realKnowledgeBase()
    {
        DataManager manager;
        manager.setDataPath(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR));
        manager.initialize();
        EntryLinkResolver resolver;
        resolver.setDataManager(&manager);
        QCOMPARE(resolver.buildCount(), 0);
        resolver.ensureBuilt();
        resolver.ensureBuilt();
        QCOMPARE(resolver.buildCount(), 1);

        QMap<Kind, int> kinds;
        for (const EntryLinkResolver::Target& target : resolver.targets())
            ++kinds[target.kind];
        QVERIFY(kinds.value(Kind::Software) >= 150);
        QVERIFY(kinds.value(Kind::Company) >= 80);
        QVERIFY(kinds.value(Kind::Technology) >= 20);
        QVERIFY(kinds.value(Kind::Article) >= 20);

        const EntryLinkResolver::Target catia = resolver.resolve("catia");
        QVERIFY(catia.path.endsWith("software/cad/catia.json"));
        const EntryLinkResolver::Target dassault =
            resolver.resolve("Dassault Systèmes", Kind::Company);
        QVERIFY2(dassault.path.endsWith("companies/dassault_systemes.json"),
                 qPrintable(dassault.path));
        // BIM, MBSE and ERP products are found and listed under their makers too.
        bool otherCategories = false;
        for (const EntryLinkResolver::Target& target : resolver.softwareOfCompany(dassault.path))
            otherCategories = otherCategories || target.category == "MBSE";
        QVERIFY(otherCategories);

        emit manager.dataChanged(QStringLiteral("somewhere.json"));
        QVERIFY(resolver.targets().isEmpty());
        resolver.ensureBuilt();
        QCOMPARE(resolver.buildCount(), 2);
        emit manager.dataLoaded();
        resolver.ensureBuilt();
        QCOMPARE(resolver.buildCount(), 3);

        // Without a data manager nothing is found and nothing crashes.
        resolver.setDataManager(nullptr);
        resolver.ensureBuilt();
        QVERIFY(!resolver.resolve("catia").isValid());
    }
};

QTEST_GUILESS_MAIN(TestEntryLinkResolver)
#include "tst_entrylinkresolver.moc"
