#include "data/DataManager.h"
#include "data/EmbeddedDataAdapter.h"
#include "search/QuickSwitcherModel.h"
#include "search/SearchEngine.h"

#include <QElapsedTimer>
#include <QSet>
#include <QtTest>

// The switcher's items and ranking on the shipped knowledge base.
class TestQuickSwitcherModel : public QObject
{
    Q_OBJECT

private:
    DataManager m_dataManager;
    SearchEngine m_searchEngine;
    QuickSwitcherModel m_model;

    QString dataDir() const { return QStringLiteral(QUORVANTA_SOURCE_DATA_DIR "/"); }

    int rowOf(const QString& pathSuffix) const
    {
        for (int row = 0; row < m_model.rowCount(); ++row) {
            if (m_model.pathAt(row).endsWith(pathSuffix))
                return row;
        }
        return -1;
    }
    int rowsOfTier(int tier) const
    {
        int rows = 0;
        for (int row = 0; row < m_model.rowCount(); ++row)
            rows += tierAt(row) == tier ? 1 : 0;
        return rows;
    }
    int tierAt(int row) const
    {
        return m_model.data(m_model.index(row), QuickSwitcherModel::TierRole).toInt();
    }
    QString kindAt(int row) const
    {
        return m_model.data(m_model.index(row), QuickSwitcherModel::KindRole).toString();
    }

private slots:
    void initTestCase()
    {
        EmbeddedDataAdapter::instance().initialize();
        m_dataManager.setDataPath(dataDir());
        m_dataManager.initialize();
        QElapsedTimer timer;
        timer.start();
        m_model.rebuild(&m_dataManager, &m_searchEngine, dataDir());
        qInfo() << "built" << m_model.items().size() << "items in" << timer.elapsed() << "ms";
        QVERIFY(m_model.isBuilt());
    }

    // Every software category is there, the three the tree does not show included.
    void holdsTheWholeKnowledgeBase()
    {
        QSet<QString> kinds;
        QSet<QString> paths;
        for (const QuickSwitcherModel::Item& item : m_model.items()) {
            kinds.insert(item.kind);
            QVERIFY2(!paths.contains(item.path), qPrintable(item.path));
            paths.insert(item.path);
        }
        for (const char* kind :
             {"CAD 软件", "CAE 软件", "CFD 软件", "CAM 软件", "EDA 软件", "PLM 软件", "BIM 软件",
              "MBSE 软件", "ERP 软件", "公司", "软件分类", "技术分类", "学科领域", "图片",
              "文章 · 流体力学", "文章 · 网格生成", "核心技术 · 几何内核"})
            QVERIFY2(kinds.contains(QString::fromUtf8(kind)), kind);
        for (const char* page :
             {"software/bim", "software/mbse", "software/erp", "companies", "pictures",
              "technologies/kernels", "disciplines/fluid", "disciplines/fluid/multiphase"})
            QVERIFY2(paths.contains(QLatin1String(page)), page);
    }

    void ranking_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("firstPath");
        QTest::addColumn<QString>("firstKind");
        QTest::addColumn<int>("firstTier");
        QTest::newRow("BIM entry") << "revit"
                                   << "software/bim/revit.json"
                                   << "BIM 软件" << 0;
        QTest::newRow("BIM entry, any case") << "REVIT"
                                             << "software/bim/revit.json"
                                             << "BIM 软件" << 0;
        QTest::newRow("ERP entry") << "netsuite"
                                   << "software/erp/netsuite.json"
                                   << "ERP 软件" << 0;
        QTest::newRow("ERP prefix") << "sap s/"
                                    << "software/erp/sap_s4hana.json"
                                    << "ERP 软件" << 1;
        QTest::newRow("MBSE entry") << "capella"
                                    << "software/mbse/capella.json"
                                    << "MBSE 软件" << 0;
        QTest::newRow("category by key") << "bim"
                                         << "software/bim"
                                         << "软件分类" << 0;
        QTest::newRow("article") << "湍流"
                                 << "fluid/turbulence_modeling_guide.md"
                                 << "文章 · 流体力学" << 1;
        QTest::newRow("article in a technology folder") << "网格质量"
                                                        << "mesh/网格质量评价指标.md"
                                                        << "文章 · 网格生成" << 1;
        QTest::newRow("exact before prefix") << "ansys"
                                             << "companies/ansys.json"
                                             << "公司" << 0;
        QTest::newRow("technology") << "parasolid"
                                    << "kernels/parasolid.json"
                                    << "核心技术 · 几何内核" << 0;
    }

    void ranking()
    {
        QFETCH(QString, query);
        QFETCH(QString, firstPath);
        QFETCH(QString, firstKind);
        QFETCH(int, firstTier);
        m_model.setQuery(query);
        m_model.completeFullText();
        QVERIFY(m_model.rowCount() > 0);
        QVERIFY2(m_model.pathAt(0).endsWith(firstPath), qPrintable(m_model.pathAt(0)));
        QCOMPARE(kindAt(0), firstKind);
        QCOMPARE(tierAt(0), firstTier);
        // Tiers never go down the list.
        for (int row = 1; row < m_model.rowCount(); ++row)
            QVERIFY(tierAt(row - 1) <= tierAt(row));
    }

    void shorterNamesFirstWithinATier()
    {
        m_model.setQuery("ansys");
        QCOMPARE(m_model.data(m_model.index(0)).toString(), QStringLiteral("Ansys"));
        int previousLength = 0;
        for (int row = 0; row < m_model.rowCount() && tierAt(row) == 1; ++row) {
            const int length = static_cast<int>(m_model.data(m_model.index(row)).toString().size());
            QVERIFY(length >= previousLength);
            previousLength = length;
        }
        QVERIFY(rowOf("software/cae/ansys.json") > 0);
    }

    // After the names come the search engine's full-text hits and then the text of the
    // items it does not look at (BIM here).
    void fullTextAfterNames()
    {
        m_model.setQuery("parasolid");
        QVERIFY(m_model.isFullTextPending());
        QCOMPARE(rowsOfTier(5), 0);
        m_model.completeFullText();
        QVERIFY(!m_model.isFullTextPending());
        QVERIFY(rowsOfTier(5) > 0);
        bool engineHit = false;
        for (int row = 0; row < m_model.rowCount(); ++row)
            engineHit |= tierAt(row) == 5 && m_model.pathAt(row).contains("software/cad/");
        QVERIFY(engineHit);

        m_model.setQuery("dynamo");
        m_model.completeFullText();
        const int revit = rowOf("software/bim/revit.json");
        QVERIFY(revit >= 0);
        QCOMPARE(tierAt(revit), 6);
    }

    void emptyAndUnknownQueries_data()
    {
        QTest::addColumn<QString>("query");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("nothing like it") << "zzqqxxnotathing";
    }

    void emptyAndUnknownQueries()
    {
        QFETCH(QString, query);
        m_model.setQuery(query);
        QCOMPARE(m_model.rowCount(), 0);
        QCOMPARE(m_model.pathAt(0), QString());
    }

    void resultsAreCapped()
    {
        m_model.setQuery("a");
        m_model.completeFullText();
        QCOMPARE(m_model.rowCount(), QuickSwitcherModel::MaximumResults);
    }

    void nameTiers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("alternative");
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("tier");
        QTest::newRow("exact") << "Revit"
                               << "Autodesk Revit"
                               << "revit" << 0;
        QTest::newRow("exact alternative") << "建筑信息模型"
                                           << "BIM"
                                           << "bim" << 0;
        QTest::newRow("prefix") << "SolidWorks"
                                << ""
                                << "solid" << 1;
        QTest::newRow("word prefix") << "Siemens NX"
                                     << ""
                                     << "nx" << 2;
        QTest::newRow("word after a dot") << "金蝶云·星空"
                                          << ""
                                          << "星空" << 2;
        QTest::newRow("inside the name") << "SolidWorks"
                                         << ""
                                         << "works" << 3;
        QTest::newRow("inside the alternative") << "Revit"
                                                << "Autodesk Revit"
                                                << "desk" << 4;
        QTest::newRow("no match") << "Revit"
                                  << "Autodesk Revit"
                                  << "catia" << -1;
        QTest::newRow("empty query") << "Revit"
                                     << ""
                                     << "" << -1;
    }

    void nameTiers()
    {
        QFETCH(QString, name);
        QFETCH(QString, alternative);
        QFETCH(QString, query);
        QFETCH(int, tier);
        QuickSwitcherModel::Item item;
        item.lowerName = name.toLower();
        item.lowerAlternative = alternative.toLower();
        QCOMPARE(QuickSwitcherModel::nameTier(item, query), tier);
    }

    // Not a timed assertion: the time is printed for the record.
    void typingTime()
    {
        QElapsedTimer timer;
        timer.start();
        const QString word = QStringLiteral("solidworks");
        for (int i = 1; i <= word.size(); ++i)
            m_model.setQuery(word.left(i));
        qInfo() << "typed" << word.size() << "characters in" << timer.elapsed() << "ms";
        timer.restart();
        m_model.completeFullText();
        qInfo() << "full text for the last query in" << timer.elapsed() << "ms";
        QVERIFY(m_model.rowCount() > 0);
    }

    // The engine's hits arrive from the event loop by themselves.
    void fullTextFromTheEventLoop()
    {
        m_model.setQuery("parasolid");
        QCOMPARE(rowsOfTier(5), 0);
        QTRY_VERIFY(!m_model.isFullTextPending());
        QVERIFY(rowsOfTier(5) > 0);
    }

    void invalidateAsksForARebuild()
    {
        QuickSwitcherModel model;
        QVERIFY(!model.isBuilt());
        model.rebuild(&m_dataManager, nullptr, dataDir());
        QVERIFY(model.isBuilt());
        model.setQuery("revit");
        QVERIFY(model.rowCount() > 0);
        model.invalidate();
        QVERIFY(!model.isBuilt());
        // Without a data manager there is nothing to offer.
        model.rebuild(nullptr, nullptr, QString());
        QCOMPARE(model.items().size(), 0);
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestQuickSwitcherModel)
#include "tst_quickswitchermodel.moc"
