#include "../data/TestDataDir.h"
#include "data/DataManager.h"
#include "data/FileLoader.h"
#include "views/NavigationTree.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <QtTest>

#include <memory>

// The knowledge base of these tests lives on disk only. DataManager::initialize
// would switch on the embedded copy, which then shadows every hand-made file by
// name, so these tests never call it: the manager serves the scratch directory.

namespace {

const char kCategories[] = R"({
  "softwareCategories": {
    "PLM": {"name": "产品生命周期管理", "description": "PLM 描述"},
    "cad": {"name": "小写 cad"},
    "CAE": {"name": "计算机辅助工程"},
    "CAM": {"name": "计算机辅助制造"},
    "CFD": {"name": "计算流体动力学"},
    "CAD": {"name": "计算机辅助设计", "description": "CAD 描述"},
    "BIM": {"name": "建筑信息模型"},
    "EXTRA": {"name": "额外"}
  },
  "technologyCategories": {
    "mesh": {"name": "网格"},
    "kernels": {"name": "几何内核"}
  },
  "disciplineCategories": {
    "structural": {
      "name": "结构力学",
      "description": {"zh": "结构描述", "en": "Structures"},
      "subDisciplines": [
        {"id": "fatigue", "name": "疲劳", "description": {"zh": "疲劳描述"}},
        {"name": "没有 id"},
        {"id": "", "name": "空 id"},
        "not an object"
      ]
    },
    "optics": {"name": "光学", "description": {"zh": ""}}
  }
})";

QStringList childLabels(const QTreeWidgetItem* item)
{
    QStringList labels;
    for (int i = 0; i < item->childCount(); ++i)
        labels << item->child(i)->text(0);
    return labels;
}

QStringList childPaths(const QTreeWidgetItem* item)
{
    QStringList paths;
    for (int i = 0; i < item->childCount(); ++i)
        paths << NavigationTree::itemPath(item->child(i));
    return paths;
}

QStringList topLabels(const QTreeWidget& tree)
{
    QStringList labels;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        labels << tree.topLevelItem(i)->text(0);
    return labels;
}

QTreeWidgetItem* findPath(QTreeWidget& tree, const QString& path)
{
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        if (NavigationTree::itemPath(*it) == path)
            return *it;
    }
    return nullptr;
}

QStringList menuTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return texts;
}

QAction* findAction(const QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

const QColor kHighlight(255, 255, 200, 255);

// Records the message boxes instead of showing them.
class ScriptedTree : public NavigationTree
{
public:
    bool answer = true;
    QStringList confirmations;
    QStringList messages;

protected:
    bool confirmDelete(const QString& label) override
    {
        confirmations << label;
        return answer;
    }
    void showInformation(const QString& title, const QString& text) override
    {
        messages << "information|" + title + "|" + text;
    }
    void showWarning(const QString& title, const QString& text) override
    {
        messages << "warning|" + title + "|" + text;
    }
};

} // namespace

class TestNavigationTree : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_data = std::make_unique<TestDataDir>();
        QVERIFY(m_data->isValid());
        QVERIFY(m_data->write("config/categories.json", kCategories));
        QVERIFY(m_data->write("software/cad/alpha.json",
                              R"({"id":"alpha","name":"Alpha","currentVersion":"2024",
                                  "description":{"zh":"阿尔法","en":"A"}})"));
        QVERIFY(m_data->write("software/cad/bare.json", R"({"currentVersion":2024})"));
        QVERIFY(m_data->write("software/cae/solver.json", R"({"title":"Solver"})"));
        QVERIFY(m_data->write("software/plm/teamcenter.json", R"({"id":"tc"})"));
        QVERIFY(m_data->write("software/bim/revit.json", R"({"name":"Revit"})"));
        QVERIFY(m_data->write("companies/acme.json", R"({"name":"Acme","headquarters":"X"})"));
        QVERIFY(m_data->write("companies/notes.md.json", R"({"fileName":"notes.md"})"));
        QVERIFY(m_data->write("technologies/kernels/parasolid.json", R"({"name":"Parasolid"})"));
        QVERIFY(m_data->mkdir("technologies/mesh"));
        QVERIFY(m_data->write("disciplines/structural/fatigue/sn.json", R"({"name":"S-N 曲线"})"));
        QVERIFY(m_data->write("disciplines/optics/lens.json", R"({"title":"镜头设计"})"));
        QVERIFY(m_data->write("disciplines/optics/guide.md", "# guide"));
        QVERIFY(m_data->write("pictures/graph one.png", "png"));
        QVERIFY(m_data->write("pictures/flow.jpg", "jpg"));

        m_manager = std::make_unique<DataManager>();
        m_manager->setDataPath(m_data->dataPath());
    }

    void cleanup()
    {
        m_manager.reset();
        m_data.reset();
    }

    void header()
    {
        NavigationTree tree;
        QCOMPARE(tree.headerItem()->text(0), QStringLiteral("知识库导航"));
        QCOMPARE(tree.columnCount(), 1);
        QCOMPARE(tree.contextMenuPolicy(), Qt::CustomContextMenu);
        QVERIFY(tree.isNewsEnabled());
        QCOMPARE(tree.topLevelItemCount(), 0);
        tree.onRefresh(); // no data manager: nothing happens
        QCOMPARE(tree.topLevelItemCount(), 0);
    }

    void emptyConfiguration_data()
    {
        QTest::addColumn<bool>("news");
        QTest::addColumn<QStringList>("sections");
        QTest::newRow("news on") << true << QStringList{"最新资讯", "公司企业", "图片资源"};
        QTest::newRow("news off") << false << QStringList{"公司企业", "图片资源"};
    }
    void emptyConfiguration()
    {
        QFETCH(bool, news);
        QFETCH(QStringList, sections);
        QVERIFY(QFile::remove(m_data->filePath("config/categories.json")));
        DataManager manager;
        manager.setDataPath(m_data->dataPath());
        QVERIFY(manager.getCategories().isEmpty());

        NavigationTree tree;
        tree.setNewsEnabled(news);
        tree.setDataManager(&manager);
        QCOMPARE(topLabels(tree), sections);
        QTreeWidgetItem* companies = findPath(tree, "companies");
        QVERIFY(companies);
        QCOMPARE(childLabels(companies), QStringList({"Acme", "notes.md"}));
        QCOMPARE(childLabels(findPath(tree, "pictures")), QStringList({"flow", "graph one"}));
        if (news) {
            QCOMPARE(NavigationTree::itemPath(tree.topLevelItem(0)), QStringLiteral("news"));
            QCOMPARE(tree.topLevelItem(0)->childCount(), 0);
            QVERIFY(!tree.topLevelItem(0)->isExpanded());
        }
    }

    void sectionsFromConfiguration()
    {
        NavigationTree tree;
        tree.setNewsEnabled(false);
        tree.setDataManager(m_manager.get());
        QCOMPARE(tree.dataManager(), m_manager.get());

        QCOMPARE(topLabels(tree),
                 QStringList({"工业软件", "公司企业", "核心技术", "学科领域", "图片资源"}));
        QStringList paths;
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            paths << NavigationTree::itemPath(tree.topLevelItem(i));
        QCOMPARE(paths,
                 QStringList({"software", "companies", "technologies", "disciplines", "pictures"}));
        QVERIFY(tree.topLevelItem(0)->isExpanded());
        QVERIFY(!tree.topLevelItem(1)->isExpanded());
        QVERIFY(tree.topLevelItem(4)->isExpanded());
    }

    // A second start lists the entries from the summary index: an entry is read only
    // when its tool tip is first asked for, and the tip is its description still.
    void toolTipIsReadWhenFirstAskedFor()
    {
        const QString alphaPath = m_data->filePath("software/cad/alpha.json");
        {
            DataManager first;
            first.setDataPath(m_data->dataPath());
            NavigationTree tree;
            tree.setDataManager(&first);
        }
        DataManager manager;
        manager.setDataPath(m_data->dataPath());
        NavigationTree tree;
        tree.setDataManager(&manager);
        QTreeWidgetItem* alpha = tree.itemForPath(alphaPath);
        QVERIFY(alpha);
        QCOMPARE(alpha->text(0), QStringLiteral("Alpha (2024)"));
        QVERIFY(!manager.fileLoader()->isCached(alphaPath));
        QCOMPARE(alpha->toolTip(0), QStringLiteral("阿尔法"));
        QVERIFY(manager.fileLoader()->isCached(alphaPath));
        alpha->setToolTip(0, QStringLiteral("set"));
        QCOMPARE(alpha->toolTip(0), QStringLiteral("set"));
    }

    void softwareCategoriesInFixedOrder()
    {
        NavigationTree tree;
        tree.setDataManager(m_manager.get());
        QTreeWidgetItem* software = findPath(tree, "software");
        QVERIFY(software);
        // Neither the file's order (PLM first, CAM before CFD once sorted) nor the
        // lower-case "cad", BIM or EXTRA changes the fixed list.
        QCOMPARE(childLabels(software),
                 QStringList({"计算机辅助设计", "计算机辅助工程", "计算流体动力学",
                              "计算机辅助制造", "产品生命周期管理"}));
        QCOMPARE(childPaths(software), QStringList({"software/cad", "software/cae", "software/cfd",
                                                    "software/cam", "software/plm"}));
        QCOMPARE(software->child(0)->toolTip(0), QStringLiteral("CAD 描述"));
        QCOMPARE(software->child(1)->toolTip(0), QString());
        QCOMPARE(software->child(4)->toolTip(0), QStringLiteral("PLM 描述"));

        QTreeWidgetItem* cad = software->child(0);
        QCOMPARE(childLabels(cad), QStringList({"Alpha (2024)", "bare (2024)"}));
        const QString alphaPath = m_data->filePath("software/cad/alpha.json");
        QCOMPARE(NavigationTree::itemPath(cad->child(0)), alphaPath);
        QCOMPARE(cad->child(0)->toolTip(0), QStringLiteral("阿尔法"));
        QCOMPARE(tree.itemForPath(alphaPath), cad->child(0));
        QCOMPARE(childLabels(software->child(1)), QStringList({"Solver"}));
        QCOMPARE(software->child(2)->childCount(), 0);
        QCOMPARE(childLabels(software->child(4)), QStringList({"tc"}));
        QVERIFY(!tree.itemForPath(m_data->filePath("software/bim/revit.json")));
    }

    void technologiesAndDisciplines()
    {
        NavigationTree tree;
        tree.setDataManager(m_manager.get());
        QTreeWidgetItem* technologies = findPath(tree, "technologies");
        QCOMPARE(childLabels(technologies), QStringList({"几何内核", "网格"}));
        QCOMPARE(childPaths(technologies),
                 QStringList({"technologies/kernels", "technologies/mesh"}));
        QCOMPARE(childLabels(technologies->child(0)), QStringList({"Parasolid"}));
        QCOMPARE(technologies->child(1)->childCount(), 0);

        QTreeWidgetItem* disciplines = findPath(tree, "disciplines");
        QCOMPARE(childLabels(disciplines), QStringList({"光学", "结构力学"}));
        QCOMPARE(childPaths(disciplines),
                 QStringList({"disciplines/optics", "disciplines/structural"}));
        QTreeWidgetItem* optics = disciplines->child(0);
        QTreeWidgetItem* structural = disciplines->child(1);
        QCOMPARE(optics->toolTip(0), QString());
        QCOMPARE(structural->toolTip(0), QStringLiteral("结构描述"));
        QCOMPARE(optics->childCount(), 0);
        // Only the sub-discipline with an id gets an item.
        QCOMPARE(childLabels(structural), QStringList({"疲劳"}));
        QCOMPARE(childPaths(structural), QStringList({"disciplines/structural/fatigue"}));
        QCOMPARE(structural->child(0)->toolTip(0), QStringLiteral("疲劳描述"));
        QCOMPARE(structural->child(0)->childCount(), 0);
        // Childless items that load on expansion still offer to expand.
        QCOMPARE(optics->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
        QCOMPARE(structural->child(0)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    }

    void expansionLoadsDisciplineEntries()
    {
        NavigationTree tree;
        tree.setDataManager(m_manager.get());
        QTreeWidgetItem* optics = findPath(tree, "disciplines/optics");
        QTreeWidgetItem* fatigue = findPath(tree, "disciplines/structural/fatigue");
        findPath(tree, "disciplines")->setExpanded(true);

        optics->setExpanded(true);
        QCOMPARE(childLabels(optics), QStringList({"镜头设计"}));
        const QString lensPath = m_data->filePath("disciplines/optics/lens.json");
        QCOMPARE(NavigationTree::itemPath(optics->child(0)), lensPath);
        QCOMPARE(tree.itemForPath(lensPath), optics->child(0));

        // A second expansion does not add the entries again.
        optics->setExpanded(false);
        optics->setExpanded(true);
        QCOMPARE(optics->childCount(), 1);

        findPath(tree, "disciplines/structural")->setExpanded(true);
        fatigue->setExpanded(true);
        QCOMPARE(childLabels(fatigue), QStringList({"S-N 曲线"}));
    }

    void expansionRetriesEmptyTechnologyAndPictures()
    {
        NavigationTree tree;
        tree.setDataManager(m_manager.get());
        QTreeWidgetItem* mesh = findPath(tree, "technologies/mesh");
        QCOMPARE(mesh->childCount(), 0);
        QVERIFY(m_data->write("technologies/mesh/delaunay.json", R"({"name":"Delaunay"})"));
        m_manager->clearListCache();
        findPath(tree, "technologies")->setExpanded(true);
        mesh->setExpanded(true);
        QCOMPARE(childLabels(mesh), QStringList({"Delaunay"}));

        QTreeWidgetItem* pictures = findPath(tree, "pictures");
        const int count = pictures->childCount();
        QCOMPARE(count, 2);
        pictures->setExpanded(false);
        pictures->setExpanded(true);
        QCOMPARE(pictures->childCount(), count);
    }

    void entryLabel_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<QString>("label");
        QTest::newRow("name") << R"({"name":"N","title":"T","id":"i"})"
                              << "N";
        QTest::newRow("title") << R"({"name":"","title":"T","id":"i"})"
                               << "T";
        QTest::newRow("id") << R"({"title":"","id":"i","fileName":"f.png"})"
                            << "i";
        QTest::newRow("fileName") << R"({"fileName":"f.png","_filePath":"d/x.json"})"
                                  << "f.png";
        QTest::newRow("file base name") << R"({"_filePath":"some/folder/x.json"})"
                                        << "x";
        QTest::newRow("base name and version")
            << R"({"_filePath":"some/folder/x.json","currentVersion":"2024"})"
            << "x (2024)";
        QTest::newRow("numeric version") << R"({"name":"N","currentVersion":2024.5})"
                                         << "N (2024.5)";
        QTest::newRow("nothing") << "{}"
                                 << "";
        QTest::newRow("version only") << R"({"currentVersion":"1"})"
                                      << " (1)";
        QTest::newRow("empty version") << R"({"name":"N","currentVersion":""})"
                                       << "N";
        QTest::newRow("blank version") << R"({"name":"N","currentVersion":"  "})"
                                       << "N";
        QTest::newRow("null version") << R"({"name":"N","currentVersion":null})"
                                      << "N";
    }
    void entryLabel()
    {
        QFETCH(QString, json);
        QFETCH(QString, label);
        QCOMPARE(NavigationTree::entryLabel(QJsonDocument::fromJson(json.toUtf8()).object()),
                 label);
    }

    void clickRules_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("category");
        QTest::newRow("json") << "data/software/cad/nx.json"
                              << "data/software/cad/nx.json"
                              << "";
        for (const char* suffix : {".png", ".jpg", ".jpeg", ".gif", ".bmp", ".tiff", ".tif"}) {
            const QString path = QStringLiteral("pics/a") + suffix;
            QTest::newRow(suffix) << path << path << "";
        }
        QTest::newRow("upper-case JSON") << "x.JSON"
                                         << ""
                                         << "x.JSON";
        QTest::newRow("upper-case PNG") << "x.PNG"
                                        << ""
                                        << "x.PNG";
        QTest::newRow("markdown") << "doc.md"
                                  << ""
                                  << "doc.md";
        QTest::newRow("category") << "software/cad"
                                  << ""
                                  << "software/cad";
        QTest::newRow("section") << "companies"
                                 << ""
                                 << "companies";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }
    void clickRules()
    {
        QFETCH(QString, path);
        QFETCH(QString, selected);
        QFETCH(QString, category);
        NavigationTree tree;
        auto* item = new QTreeWidgetItem(&tree);
        item->setText(0, "item");
        item->setData(0, Qt::UserRole, path);
        QSignalSpy selectedSpy(&tree, &NavigationTree::itemSelected);
        QSignalSpy categorySpy(&tree, &NavigationTree::categorySelected);
        QSignalSpy doubleSpy(&tree, &NavigationTree::itemSelected);
        tree.onItemClicked(item, 0);
        QCOMPARE(selectedSpy.count(), selected.isEmpty() ? 0 : 1);
        QCOMPARE(categorySpy.count(), category.isEmpty() ? 0 : 1);
        if (!selected.isEmpty())
            QCOMPARE(selectedSpy.at(0).at(0).toString(), selected);
        if (!category.isEmpty())
            QCOMPARE(categorySpy.at(0).at(0).toString(), category);

        selectedSpy.clear();
        categorySpy.clear();
        tree.onItemDoubleClicked(item, 0);
        QCOMPARE(selectedSpy.count() + categorySpy.count(), 0);
    }

    void mouseClicksEmitSignals()
    {
        NavigationTree tree;
        tree.setNewsEnabled(false);
        tree.setDataManager(m_manager.get());
        tree.resize(400, 600);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        QTreeWidgetItem* cad = findPath(tree, "software/cad");
        cad->setExpanded(true);

        QSignalSpy selectedSpy(&tree, &NavigationTree::itemSelected);
        QSignalSpy categorySpy(&tree, &NavigationTree::categorySelected);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                          tree.visualItemRect(cad->child(0)).center());
        QCOMPARE(selectedSpy.count(), 1);
        QCOMPARE(selectedSpy.at(0).at(0).toString(), m_data->filePath("software/cad/alpha.json"));

        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(cad).center());
        QCOMPARE(categorySpy.count(), 1);
        QCOMPARE(categorySpy.at(0).at(0).toString(), QStringLiteral("software/cad"));
        QCOMPARE(selectedSpy.count(), 1);
    }

    void keyboardOpensItems_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("category");
        QTest::newRow("return") << int(Qt::Key_Return) << "software/cad/alpha.json"
                                << "";
        QTest::newRow("enter") << int(Qt::Key_Enter) << "software/cad/alpha.json"
                               << "";
        QTest::newRow("down") << int(Qt::Key_Down) << "software/cad/bare.json"
                              << "";
        QTest::newRow("up") << int(Qt::Key_Up) << ""
                            << "software/cad";
        QTest::newRow("left to parent") << int(Qt::Key_Left) << ""
                                        << "software/cad";
        QTest::newRow("right on a leaf") << int(Qt::Key_Right) << ""
                                         << "";
    }
    void keyboardOpensItems()
    {
        QFETCH(int, key);
        QFETCH(QString, selected);
        QFETCH(QString, category);
        NavigationTree tree;
        tree.setNewsEnabled(false);
        tree.setDataManager(m_manager.get());
        tree.resize(400, 600);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        QTreeWidgetItem* cad = findPath(tree, "software/cad");
        cad->setExpanded(true);
        tree.setCurrentItem(cad->child(0));

        QSignalSpy selectedSpy(&tree, &NavigationTree::itemSelected);
        QSignalSpy categorySpy(&tree, &NavigationTree::categorySelected);
        QTest::keyClick(&tree, Qt::Key(key));
        QCOMPARE(selectedSpy.count(), selected.isEmpty() ? 0 : 1);
        QCOMPARE(categorySpy.count(), category.isEmpty() ? 0 : 1);
        if (!selected.isEmpty())
            QCOMPARE(selectedSpy.at(0).at(0).toString(), m_data->filePath(selected));
        if (!category.isEmpty())
            QCOMPARE(categorySpy.at(0).at(0).toString(), category);
    }

    void mouseClickOpensOnce()
    {
        NavigationTree tree;
        tree.setNewsEnabled(false);
        tree.setDataManager(m_manager.get());
        tree.resize(400, 600);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        QTreeWidgetItem* cad = findPath(tree, "software/cad");
        cad->setExpanded(true);
        tree.setCurrentItem(cad->child(0));

        // A click that also moves the current item is still one load.
        QSignalSpy selectedSpy(&tree, &NavigationTree::itemSelected);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                          tree.visualItemRect(cad->child(1)).center());
        QCOMPARE(tree.currentItem(), cad->child(1));
        QCOMPARE(selectedSpy.count(), 1);
        QCOMPARE(selectedSpy.at(0).at(0).toString(), m_data->filePath("software/cad/bare.json"));
    }

    void contextMenus_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("texts");
        const QStringList file{"刷新", "|", "添加新项", "|", "生成AI提示词"};
        const QStringList json{"刷新", "|", "添加新项", "删除", "|", "生成AI提示词"};
        QTest::newRow("json entry") << "a/b.json" << json;
        QTest::newRow("JSON ignoring case") << "a/b.JSON" << json;
        QTest::newRow("markdown entry") << "a/b.md" << file;
        QTest::newRow("picture") << "a/b.TIF" << file;
        QTest::newRow("category") << "software/cad" << QStringList{"刷新", "|", "添加新项"};
        QTest::newRow("no path") << "" << QStringList{"刷新", "|", "添加新项"};
    }
    void contextMenus()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, texts);
        NavigationTree tree;
        auto* item = new QTreeWidgetItem(&tree);
        item->setData(0, Qt::UserRole, path);
        const std::unique_ptr<QMenu> menu(tree.createContextMenu(item));
        QCOMPARE(menuTexts(menu.get()), texts);
        QCOMPARE(tree.currentItem(), item);
    }

    void contextMenuOnEmptyArea()
    {
        NavigationTree tree;
        tree.setDataManager(m_manager.get());
        const std::unique_ptr<QMenu> menu(tree.createContextMenu(nullptr));
        QCOMPARE(menuTexts(menu.get()), QStringList{"刷新"});

        // "刷新" rebuilds the tree.
        QTreeWidgetItem* before = findPath(tree, "companies");
        before->setText(0, "changed");
        findAction(menu.get(), "刷新")->trigger();
        QCOMPARE(findPath(tree, "companies")->text(0), QStringLiteral("公司企业"));
    }

    void promptFromContextMenu_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("subject");
        QTest::newRow("label") << "Alpha (2024)"
                               << "Alpha (2024)";
        QTest::newRow("blank label uses the path") << "  "
                                                   << "data/x.md";
    }
    void promptFromContextMenu()
    {
        QFETCH(QString, label);
        QFETCH(QString, subject);
        NavigationTree tree;
        auto* item = new QTreeWidgetItem(&tree);
        item->setText(0, label);
        item->setData(0, Qt::UserRole, "data/x.md");
        QSignalSpy spy(&tree, &NavigationTree::aiPromptRequested);
        const std::unique_ptr<QMenu> menu(tree.createContextMenu(item));
        findAction(menu.get(), "生成AI提示词")->trigger();
        QCOMPARE(spy.count(), 1);
        const QString expected =
            QStringLiteral("请详细解释以下内容，不要编造未提供的信息，直接给出完整说明（建议 "
                           "200-300 字）。如需列举关键点，请给出 3 条：\n") +
            subject;
        QCOMPARE(spy.at(0).at(0).toString(), expected);
        QCOMPARE(NavigationTree::aiPromptText(subject), expected);
    }

    void contextMenuRequestShowsMenuForItemUnderCursor()
    {
        NavigationTree tree;
        tree.setNewsEnabled(false);
        tree.setDataManager(m_manager.get());
        tree.resize(400, 600);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        QTreeWidgetItem* cad = findPath(tree, "software/cad");
        cad->setExpanded(true);
        QTreeWidgetItem* alpha = cad->child(0);
        tree.setCurrentItem(findPath(tree, "companies"));

        QStringList seen;
        QTimer::singleShot(0, this, [&seen] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                seen = menuTexts(menu);
                menu->close();
            }
        });
        emit tree.customContextMenuRequested(tree.visualItemRect(alpha).center());
        QCOMPARE(seen,
                 QStringList({"刷新", "|", "添加新项", "删除", "加入对比", "|", "生成AI提示词"}));
        QCOMPARE(tree.currentItem(), alpha);

        // "加入对比" hands the software entry's path on; other entries do not offer it.
        QSignalSpy compare(&tree, &NavigationTree::compareRequested);
        const std::unique_ptr<QMenu> menu(tree.createContextMenu(alpha));
        findAction(menu.get(), "加入对比")->trigger();
        QCOMPARE(compare.count(), 1);
        QCOMPARE(compare.at(0).at(0).toString(), alpha->data(0, Qt::UserRole).toString());
        QTreeWidgetItem* companies = findPath(tree, "companies");
        companies->setExpanded(true);
        QVERIFY(companies->childCount() > 0);
        const std::unique_ptr<QMenu> companyMenu(tree.createContextMenu(companies->child(0)));
        QVERIFY(!findAction(companyMenu.get(), "加入对比"));
    }

    void addNew_data()
    {
        QTest::addColumn<QString>("parentPath");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("json entry names its parent") << "software/cad"
                                                     << "x/a.json"
                                                     << "software/cad";
        QTest::newRow("no path names its parent") << "companies"
                                                  << ""
                                                  << "companies";
        QTest::newRow("markdown names itself") << "disciplines/optics"
                                               << "x/a.md"
                                               << "x/a.md";
        QTest::newRow("upper-case JSON names itself") << "p"
                                                      << "x/a.JSON"
                                                      << "x/a.JSON";
    }
    void addNew()
    {
        QFETCH(QString, parentPath);
        QFETCH(QString, path);
        QFETCH(QString, shown);
        ScriptedTree tree;
        auto* parent = new QTreeWidgetItem(&tree);
        parent->setData(0, Qt::UserRole, parentPath);
        auto* item = new QTreeWidgetItem(parent);
        item->setData(0, Qt::UserRole, path);
        tree.setCurrentItem(item);
        const int before = tree.topLevelItemCount() + parent->childCount();
        tree.onAddNew();
        QCOMPARE(tree.messages,
                 QStringList{"information|添加新项|将在分类 '" + shown + "' 下添加新项"});
        QCOMPARE(tree.topLevelItemCount() + parent->childCount(), before);
    }

    void addNewTopLevelAndNoCurrent()
    {
        ScriptedTree tree;
        tree.onAddNew();
        QVERIFY(tree.messages.isEmpty());
        auto* item = new QTreeWidgetItem(&tree);
        tree.setCurrentItem(item);
        tree.onAddNew();
        QCOMPARE(tree.messages, QStringList{"information|添加新项|将在分类 '' 下添加新项"});
    }

    void deleteRemovesFileAndItem()
    {
        ScriptedTree tree;
        tree.setDataManager(m_manager.get());
        const QString path = m_data->filePath("software/cad/alpha.json");
        QTreeWidgetItem* item = tree.itemForPath(path);
        QVERIFY(item);
        tree.highlightSearchResults(QJsonArray{QJsonObject{{"_filePath", path}}});
        QCOMPARE(tree.highlightedItems().size(), 1);
        QTreeWidgetItem* cad = item->parent();

        tree.setCurrentItem(item);
        tree.onDelete();
        QCOMPARE(tree.confirmations, QStringList{"Alpha (2024)"});
        QVERIFY(!QFile::exists(path));
        QCOMPARE(childLabels(cad), QStringList{"bare (2024)"});
        QVERIFY(!tree.itemForPath(path));
        QVERIFY(tree.highlightedItems().isEmpty());
        QCOMPARE(tree.messages, QStringList{"information|删除成功|文件已删除"});

        // A later search for the deleted path finds nothing to touch.
        tree.highlightSearchResults(QJsonArray{QJsonObject{{"_filePath", path}}});
        QVERIFY(tree.highlightedItems().isEmpty());

        // Nor do the lists the search and the overview pages are built from.
        QJsonArray cadList = m_manager->getSoftwareList("cad");
        QCOMPARE(cadList.size(), 1);
        QCOMPARE(cadList.at(0).toObject().value("_filePath").toString(),
                 m_data->filePath("software/cad/bare.json"));
    }

    void deleteAnsweredNo()
    {
        ScriptedTree tree;
        tree.answer = false;
        tree.setDataManager(m_manager.get());
        const QString path = m_data->filePath("software/cad/alpha.json");
        tree.setCurrentItem(tree.itemForPath(path));
        tree.onDelete();
        QCOMPARE(tree.confirmations.size(), 1);
        QVERIFY(QFile::exists(path));
        QVERIFY(tree.itemForPath(path));
        QVERIFY(tree.messages.isEmpty());
    }

    void failedDeleteLeavesTreeUnchanged()
    {
        ScriptedTree tree;
        tree.setDataManager(m_manager.get());
        const QString path = m_data->filePath("software/cad/alpha.json");
        QTreeWidgetItem* item = tree.itemForPath(path);
        QVERIFY(QFile::remove(path)); // gone behind the tree's back
        tree.setCurrentItem(item);
        tree.onDelete();
        QCOMPARE(tree.messages,
                 QStringList{"warning|删除失败|无法删除文件: " + path + "\n文件不存在"});
        QCOMPARE(tree.itemForPath(path), item);
        QCOMPARE(childLabels(item->parent()), QStringList({"Alpha (2024)", "bare (2024)"}));
    }

    void deleteIgnoresOtherItems_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("category") << "software/cad";
        QTest::newRow("markdown") << "x.md";
        QTest::newRow("upper-case JSON") << "x.JSON";
        QTest::newRow("empty") << "";
    }
    void deleteIgnoresOtherItems()
    {
        QFETCH(QString, path);
        ScriptedTree tree;
        auto* item = new QTreeWidgetItem(&tree);
        item->setData(0, Qt::UserRole, path);
        tree.setCurrentItem(item);
        tree.onDelete();
        QVERIFY(tree.confirmations.isEmpty());
        QVERIFY(tree.messages.isEmpty());
        QCOMPARE(tree.topLevelItemCount(), 1);
    }

    void deleteConfirmationBox()
    {
        NavigationTree tree;
        tree.setDataManager(m_manager.get());
        const QString path = m_data->filePath("software/cad/alpha.json");
        tree.setCurrentItem(tree.itemForPath(path));

        QString title;
        QString text;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            title = box->windowTitle();
            text = box->text();
            box->button(QMessageBox::No)->click();
        });
        tree.onDelete();
        QCOMPARE(title, QStringLiteral("确认删除"));
        QCOMPARE(text, QStringLiteral("确定要删除 'Alpha (2024)' 吗？"));
        QVERIFY(QFile::exists(path));
        QVERIFY(tree.itemForPath(path));
    }

    void highlightSearchResults()
    {
        NavigationTree tree;
        tree.setDataManager(m_manager.get());
        QTreeWidgetItem* software = findPath(tree, "software");
        software->setExpanded(false);
        const QString alpha = m_data->filePath("software/cad/alpha.json");
        const QString acme = m_data->filePath("companies/acme.json");

        tree.highlightSearchResults(QJsonArray{QJsonObject{{"_filePath", alpha}},
                                               QJsonObject{{"_filePath", "/no/such.json"}},
                                               QJsonObject{{"name", "no path"}}, "not an object"});
        QTreeWidgetItem* alphaItem = tree.itemForPath(alpha);
        QCOMPARE(tree.highlightedItems(), QList<QTreeWidgetItem*>{alphaItem});
        QCOMPARE(alphaItem->background(0).color(), kHighlight);
        QVERIFY(alphaItem->parent()->isExpanded());
        QVERIFY(software->isExpanded());
        QVERIFY(!findPath(tree, "companies")->isExpanded());

        tree.highlightSearchResults(QJsonArray{QJsonObject{{"_filePath", acme}}});
        QTreeWidgetItem* acmeItem = tree.itemForPath(acme);
        QCOMPARE(tree.highlightedItems(), QList<QTreeWidgetItem*>{acmeItem});
        QCOMPARE(alphaItem->background(0), QBrush());
        QCOMPARE(acmeItem->background(0).color(), kHighlight);
        QVERIFY(findPath(tree, "companies")->isExpanded());

        tree.highlightSearchResults({});
        QVERIFY(tree.highlightedItems().isEmpty());
        QCOMPARE(acmeItem->background(0), QBrush());
    }

    // The background changes are made with the model quiet: the painted rows must
    // still show them, and show them cleared again.
    void highlightIsPainted()
    {
        NavigationTree tree;
        tree.setDataManager(m_manager.get());
        tree.resize(400, 600);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        const QString alpha = m_data->filePath("software/cad/alpha.json");
        auto pixelRightOf = [&](QTreeWidgetItem* item) {
            tree.scrollToItem(item);
            QCoreApplication::processEvents();
            const QRect row = tree.visualItemRect(item);
            const QImage image = tree.viewport()->grab().toImage();
            return image.pixelColor(row.right() - 4, row.center().y());
        };
        QTreeWidgetItem* alphaItem = tree.itemForPath(alpha);
        QVERIFY(alphaItem);
        alphaItem->parent()->setExpanded(true);
        QVERIFY(pixelRightOf(alphaItem) != kHighlight);

        tree.highlightSearchResults(QJsonArray{QJsonObject{{"_filePath", alpha}}});
        QCOMPARE(pixelRightOf(alphaItem), kHighlight);

        tree.highlightSearchResults({});
        QVERIFY(pixelRightOf(alphaItem) != kHighlight);
    }

    void refreshDropsOldItems()
    {
        NavigationTree tree;
        tree.setDataManager(m_manager.get());
        const QString alpha = m_data->filePath("software/cad/alpha.json");
        const QJsonArray results{QJsonObject{{"_filePath", alpha}}};
        tree.highlightSearchResults(results);
        QCOMPARE(tree.highlightedItems().size(), 1);

        tree.onRefresh();
        QVERIFY(tree.highlightedItems().isEmpty());
        QTreeWidgetItem* rebuilt = tree.itemForPath(alpha);
        QVERIFY(rebuilt);
        QCOMPARE(rebuilt->treeWidget(), &tree);
        QCOMPARE(rebuilt->background(0), QBrush());

        tree.highlightSearchResults(results);
        QCOMPARE(tree.highlightedItems(), QList<QTreeWidgetItem*>{rebuilt});
        QCOMPARE(rebuilt->background(0).color(), kHighlight);
        int highlighted = 0;
        for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
            if ((*it)->background(0).color() == kHighlight)
                ++highlighted;
        }
        QCOMPARE(highlighted, 1);

        // Handing over the data manager again rebuilds too.
        tree.setDataManager(m_manager.get());
        QVERIFY(tree.highlightedItems().isEmpty());
        QCOMPARE(tree.itemForPath(alpha)->treeWidget(), &tree);
    }

    void refreshPicksUpNewFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("company") << "companies/beta.json"
                                 << "companies" << QStringList({"Acme", "Neu", "notes.md"});
        QTest::newRow("software") << "software/cad/gamma.json"
                                  << "software/cad"
                                  << QStringList({"Alpha (2024)", "bare (2024)", "Neu"});
        QTest::newRow("technology") << "technologies/mesh/hexa.json"
                                    << "technologies/mesh" << QStringList({"Neu"});
    }
    void refreshPicksUpNewFiles()
    {
        QFETCH(QString, file);
        QFETCH(QString, parent);
        QFETCH(QStringList, labels);
        NavigationTree tree;
        tree.setDataManager(m_manager.get());
        QVERIFY(m_data->write(file, R"({"name":"Neu"})"));
        // No clearListCache here: the refresh itself must not serve the cached lists.
        tree.onRefresh();
        QCOMPARE(childLabels(findPath(tree, parent)), labels);
    }

    void newsSwitchAppliesAtNextLoad()
    {
        NavigationTree tree;
        tree.setDataManager(m_manager.get());
        QCOMPARE(tree.topLevelItem(0)->text(0), QStringLiteral("最新资讯"));
        tree.setNewsEnabled(false);
        QCOMPARE(tree.topLevelItem(0)->text(0), QStringLiteral("最新资讯"));
        tree.onRefresh();
        QCOMPARE(tree.topLevelItem(0)->text(0), QStringLiteral("工业软件"));
    }

    void dataManagerGoneIsHandled()
    {
        NavigationTree tree;
        tree.setDataManager(m_manager.get());
        const int count = tree.topLevelItemCount();
        m_manager.reset();
        QVERIFY(!tree.dataManager());
        tree.onRefresh();
        QCOMPARE(tree.topLevelItemCount(), count);
        QTreeWidgetItem* optics = findPath(tree, "disciplines/optics");
        findPath(tree, "disciplines")->setExpanded(true);
        optics->setExpanded(true);
        QCOMPARE(optics->childCount(), 0);
    }

private:
    std::unique_ptr<TestDataDir> m_data;
    std::unique_ptr<DataManager> m_manager;
};

QTEST_MAIN(TestNavigationTree)
#include "tst_navigationtree.moc"
