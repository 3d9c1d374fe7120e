#include "../support/MessageCapture.h"
#include "../support/NotesFolder.h"
#include "../support/UserDataFolder.h"
#include "MainWindowTestSupport.h"
#include "app/ApplicationIcon.h"
#include "data/EmbeddedDataAdapter.h"
#include "data/EntryLinkResolver.h"
#include "logging/LogWidget.h"
#include "notes/NoteEditor.h"
#include "prefs/FavoritesWidget.h"
#include "prefs/HistoryWidget.h"
#include "prefs/UserPreferences.h"
#include "views/ComparePage.h"
#include "views/ContentView.h"
#include "views/CustomTextBrowser.h"
#include "views/InternalLink.h"
#include "views/NavigationTree.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDirIterator>
#include <QDockWidget>
#include <QGuiApplication>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

namespace {

QStringList actionTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (QAction* action : actions)
        texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return texts;
}

// Runs code with another working directory and restores it.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const QString& path) : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~WorkingDirectory() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    KnowledgeBaseCopy m_data;
    QTemporaryDir m_emptyWorkingDir;
    std::unique_ptr<RecordingMainWindow> m_window;

    NavigationTree* tree() const { return m_window->findChild<NavigationTree*>(); }
    QStackedWidget* stack() const { return m_window->findChild<QStackedWidget*>(); }
    QString status() const { return m_window->statusBar()->currentMessage(); }
    UserPreferences* preferences() const { return m_window->findChild<UserPreferences*>(); }
    QComboBox* modeCombo() const { return m_window->findChild<QComboBox*>("editModeCombo"); }

    bool inHistory(const QString& path) const
    {
        const QList<HistoryItem> history = preferences()->getHistory();
        return std::any_of(history.begin(), history.end(),
                           [&path](const HistoryItem& item) { return item.filePath == path; });
    }

    QAction* menuAction(const QString& menu, const QString& item) const
    {
        for (QAction* top : m_window->menuBar()->actions()) {
            if (top->text() != menu)
                continue;
            for (QAction* action : top->menu()->actions()) {
                if (action->text() == item)
                    return action;
            }
        }
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationVersion(QStringLiteral("1.2.0"));
        EmbeddedDataAdapter::instance().initialize();
        QVERIFY(m_data.isValid());
        // Started from a directory without "data": the constructor's first load finds nothing.
        WorkingDirectory cwd(m_emptyWorkingDir.path());
        m_window = std::make_unique<RecordingMainWindow>();
        m_window->setDataPath(m_data.dataDir().chopped(1));
        QCOMPARE(m_window->dataPath(), m_data.dataDir());
    }

    void cleanupTestCase() { m_window.reset(); }

    void shippedLayout()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Quorvanta"));
        QVERIFY(!m_window->isNewsEnabled());
        QVERIFY(!m_window->isUpdateCheckEnabled());
        QCOMPARE(stack()->count(), 6);

        auto* toolBar = m_window->findChild<QToolBar*>("mainToolBar");
        QVERIFY(toolBar);
        QCOMPARE(toolBar->windowTitle(), QStringLiteral("主工具栏"));
        QStringList texts = actionTexts(toolBar->actions());
        texts.removeAll(QString()); // widget actions (labels, edit, combo)
        QCOMPARE(texts, (QStringList{"后退", "前进", "首页", "|", "高级搜索", "一键收藏", "收藏夹",
                                     "历史记录", "|", "资源文章", "|"}));
        QVERIFY(m_window->findChild<QLineEdit*>("quickSearchEdit")->placeholderText() ==
                QStringLiteral("输入关键词搜索..."));
        QStringList modes;
        for (int i = 0; i < modeCombo()->count(); ++i)
            modes << modeCombo()->itemText(i);
        QCOMPARE(modes, (QStringList{"查看", "表单", "Markdown", "表格", "图谱", "笔记"}));

        auto* label = m_window->findChild<QLabel*>("updateStatusLabel");
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("版本 1.2.0"));

        QStringList menus;
        for (QAction* top : m_window->menuBar()->actions())
            menus << top->text();
        QCOMPARE(menus, (QStringList{"文件(&F)", "编辑(&E)", "视图(&V)", "转到(&G)", "帮助(&H)"}));
        QCOMPARE(
            actionTexts(
                qobject_cast<QMenu*>(menuAction("编辑(&E)", "搜索(&F)")->parent())->actions()),
            (QStringList{"搜索(&F)", "高级搜索(&A)", "页内查找(&I)", "查找下一个", "查找上一个",
                         "|", "添加到收藏(&F)", "显示收藏夹(&V)", "显示历史记录(&H)"}));
        QCOMPARE(menuAction("编辑(&E)", "高级搜索(&A)")->shortcut(), QKeySequence("Ctrl+Shift+F"));
        QCOMPARE(menuAction("编辑(&E)", "添加到收藏(&F)")->shortcut(), QKeySequence("Ctrl+D"));
        QCOMPARE(menuAction("编辑(&E)", "显示收藏夹(&V)")->shortcut(),
                 QKeySequence("Ctrl+Shift+D"));
        QCOMPARE(menuAction("编辑(&E)", "显示历史记录(&H)")->shortcut(), QKeySequence("Ctrl+H"));
        // Ctrl+F finds in the page; the quick search moved to Ctrl+E.
        QCOMPARE(menuAction("编辑(&E)", "搜索(&F)")->shortcut(), QKeySequence("Ctrl+E"));
        QCOMPARE(menuAction("编辑(&E)", "页内查找(&I)")->shortcut(),
                 QKeySequence(QKeySequence::Find));
        QCOMPARE(actionTexts(
                     qobject_cast<QMenu*>(menuAction("视图(&V)", "查看模式")->parent())->actions()),
                 (QStringList{"查看模式", "表单编辑", "Markdown编辑", "表格编辑", "图谱视图", "|",
                              "显示日志窗口", "|", "放大", "缩小", "实际大小", "|", "主题(&T)",
                              "语言(&L)", "|", "对比(&C)"}));
        QCOMPARE(menuAction("视图(&V)", "对比(&C)")->shortcut(), QKeySequence("Ctrl+Shift+C"));
        QCOMPARE(actionTexts(
                     qobject_cast<QMenu*>(menuAction("帮助(&H)", "关于(&A)")->parent())->actions()),
                 (QStringList{"资源文章(&R)", "|", "关于(&A)"}));

        auto* favorites = m_window->findChild<QDockWidget*>("favoritesDock");
        auto* history = m_window->findChild<QDockWidget*>("historyDock");
        QCOMPARE(favorites->windowTitle(), QStringLiteral("收藏"));
        QCOMPARE(history->windowTitle(), QStringLiteral("历史记录"));
        QVERIFY(favorites->isHidden());
        QVERIFY(history->isHidden());
        QCOMPARE(m_window->findChild<QDockWidget*>("logDock")->windowTitle(),
                 QStringLiteral("日志输出"));
    }

    // The vibrant PNG stays registered beside the .ico's own sizes, and the icon is
    // built only once for the start-up and the window.
    void windowIconIsTheApplicationIcon()
    {
        const QIcon icon = m_window->windowIcon();
        const QList<QSize> sizes = icon.availableSizes();
        for (int size : {16, 32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        QCOMPARE(icon.cacheKey(), ApplicationIcon::icon().cacheKey());
        QCOMPARE(QApplication::windowIcon().cacheKey(), icon.cacheKey());
    }

    void dataPathReloadsWhenStartedElsewhere()
    {
        // The technology lists come from disk only: they must see the real directory.
        emit tree()->categorySelected("technologies/kernels");
        const QJsonObject overview = m_window->currentData();
        QCOMPARE(overview.value("type").toString(), QStringLiteral("category_overview"));
        QVERIFY(overview.value("itemCount").toInt() >= 5);
        QCOMPARE(overview.value("items").toArray().size(), overview.value("itemCount").toInt());
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("technologies/kernels"));
        QCOMPARE(status(), "已加载类别: " + overview.value("name").toString());
        QVERIFY(tree()->topLevelItemCount() > 0);
    }

    void selectingAnEntryShowsItAndRecordsHistory()
    {
        const QString path = m_data.dataDir() + "software/cad/autocad.json";
        emit tree()->itemSelected(path);
        QCOMPARE(m_window->currentFilePath(), path);
        QCOMPARE(m_window->currentData().value("id").toString(), QStringLiteral("autocad"));
        QCOMPARE(stack()->currentIndex(), 0);
        QCOMPARE(m_window->findChild<ContentView*>()->currentData().value("id").toString(),
                 QStringLiteral("autocad"));
        const QList<HistoryItem> history = preferences()->getHistory();
        QVERIFY(!history.isEmpty());
        QCOMPARE(history.first().filePath, path);
        QCOMPARE(history.first().id, QStringLiteral("autocad"));
        QCOMPARE(history.first().category, QStringLiteral("CAD"));
    }

    // A link on a page opens its entry just like the tree: current entry, history, page.
    void followingALinkOpensTheEntry()
    {
        const QString catia = m_data.dataDir() + "software/cad/catia.json";
        emit tree()->itemSelected(catia);
        ContentView* view = m_window->contentView();
        const QString html = view->textBrowser()->toHtml();
        QVERIFY(html.contains("quorvanta:open?path="));

        EntryLinkResolver* resolver = view->linkResolver();
        resolver->ensureBuilt();
        const EntryLinkResolver::Target nx =
            resolver->resolve("nx", EntryLinkResolver::Kind::Software);
        QVERIFY(nx.isValid());
        emit view->textBrowser()->anchorClicked(InternalLink::build(nx.path));
        QCOMPARE(m_window->currentFilePath(), nx.path);
        QCOMPARE(m_window->currentData().value("id").toString(), QStringLiteral("nx"));
        QCOMPARE(view->currentData().value("id").toString(), QStringLiteral("nx"));
        QVERIFY(inHistory(nx.path));

        // In form mode the link opens the entry in the form, as a tree selection would.
        modeCombo()->setCurrentIndex(1);
        emit view->internalLinkActivated(catia);
        QCOMPARE(m_window->currentFilePath(), catia);
        QCOMPARE(stack()->currentIndex(), 1);
        modeCombo()->setCurrentIndex(0);

        // A refused link changes nothing and says why.
        emit view->textBrowser()->anchorClicked(QUrl("file:///etc/shadow"));
        QCOMPARE(m_window->currentFilePath(), catia);
        QVERIFY2(status().startsWith("已拒绝打开链接"), qPrintable(status()));
    }

    void articlesOpenAsPages()
    {
        const QString path = m_data.dataDir() + "disciplines/fluid/turbulence_modeling_guide.md";
        emit tree()->itemSelected(path);
        QCOMPARE(m_window->currentFilePath(), path);
        QCOMPARE(m_window->currentData().value("type").toString(), QStringLiteral("article"));
        QCOMPARE(m_window->currentItemName(), QStringLiteral("湍流建模与近壁处理实用指南"));
        const QString html = m_window->contentView()->textBrowser()->toHtml();
        QVERIFY(!html.contains("## 1."));
        QCOMPARE(m_window->contentView()->titleLabel()->text(),
                 QStringLiteral("湍流建模与近壁处理实用指南"));
        QVERIFY(inHistory(path));
        // Favourites and history paths of articles open them again.
        emit tree()->itemSelected(m_data.dataDir() + "software/cad/catia.json");
        m_window->onHistoryItemActivated(path);
        QCOMPARE(m_window->currentData().value("type").toString(), QStringLiteral("article"));
    }

    void compareFromTheTreeAndLinks()
    {
        ComparePage* page = m_window->comparePage();
        QVERIFY(page);
        page->clearEntries();
        emit tree()->compareRequested(m_data.dataDir() + "software/cad/catia.json");
        emit m_window->contentView()->compareRequested(m_data.dataDir() + "software/cad/nx.json");
        QCOMPARE(page->table().count(), 2);
        QCOMPARE(status(), QStringLiteral("已加入对比: NX"));
        emit tree()->compareRequested(m_data.dataDir() + "companies/ptc.json");
        QCOMPARE(page->table().count(), 2);
        QVERIFY2(status().startsWith("只能对比软件条目"), qPrintable(status()));
        QAction* show = m_window->findChild<QAction*>("showCompareAction");
        QVERIFY(show);
        show->trigger();
        QVERIFY(page->isVisible());
        QVERIFY(page->isWindow());
        page->close();
        page->clearEntries();
    }

    void selectingAnImage()
    {
        const QStringList pictures = EmbeddedDataAdapter::instance().getAvailableResources().filter(
            QRegularExpression("^data/pictures/.*\\.png$"));
        QVERIFY(!pictures.isEmpty());
        emit tree()->itemSelected(pictures.first());
        QCOMPARE(m_window->currentData().value("type").toString(), QStringLiteral("image"));
        QCOMPARE(m_window->currentData().value("isEmbedded").toBool(), true);
        QCOMPARE(m_window->currentItemCategory(), QStringLiteral("pictures"));

        // An image the lists do not know gets a record of its own.
        emit tree()->itemSelected("/elsewhere/草图 (1).JPG.jpg");
        const QJsonObject image = m_window->currentData();
        QCOMPARE(image.value("name").toString(), QStringLiteral("草图 (1)"));
        QCOMPARE(image.value("fileName").toString(), QStringLiteral("草图 (1).JPG.jpg"));
        QCOMPARE(image.value("extension").toString(), QStringLiteral("jpg"));
        QCOMPARE(image.value("description").toObject().value("zh").toString(),
                 QStringLiteral("图片文件: 草图 (1).JPG.jpg"));
        QCOMPARE(m_window->currentItemName(), QStringLiteral("草图 (1)"));
    }

    void nameOfAnUnnamedEntryIsItsBaseName()
    {
        QVERIFY(m_data.write("software/cad/qv.unnamed.json", R"({"id":"qv_unnamed"})"));
        emit tree()->itemSelected(m_data.dataDir() + "software/cad/qv.unnamed.json");
        QCOMPARE(m_window->currentItemName(), QStringLiteral("qv"));
        QString recordedName;
        for (const HistoryItem& item : preferences()->getHistory()) {
            if (item.filePath.endsWith("qv.unnamed.json"))
                recordedName = item.name;
        }
        QCOMPARE(recordedName, QStringLiteral("qv"));
    }

    void categoryPages_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("statusPattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("becomesCurrent");
        // Every overview shown becomes what the favourites and the mode switches act on.
        // The counts follow the shipped knowledge base.
        const auto entries = [](const char* folder) {
            return QString::number(
                QDir(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR "/software/") + QLatin1String(folder))
                    .entryList({"*.json"}, QDir::Files)
                    .size());
        };
        QTest::newRow("plm") << "software/plm"
                             << "^已选择分类: PLM \\(包含 " + entries("plm") + " 个软件\\)$"
                             << "软件分类 - PLM" << true;
        QTest::newRow("bim") << "software/bim"
                             << "^已选择分类: BIM \\(包含 " + entries("bim") + " 个软件\\)$"
                             << "软件分类 - BIM" << true;
        QTest::newRow("companies") << "companies"
                                   << "^已选择分类: 公司企业 \\(包含 \\d+ 家公司\\)$"
                                   << "公司企业" << true;
        QTest::newRow("pictures") << "pictures"
                                  << "^已选择分类: 图片资源 \\(包含 \\d+ 张图片\\)$"
                                  << "图片资源" << true;
        QTest::newRow("sub-discipline") << "disciplines/structural/explicit_dynamics"
                                        << "^已选择学科领域: 显式动力学$"
                                        << "显式动力学" << true;
        QTest::newRow("unknown discipline") << "disciplines/qv_unknown"
                                            << "^已选择学科领域: 学科领域 - qv_unknown$"
                                            << "学科领域 - qv_unknown" << true;
        QTest::newRow("missing sub-discipline") << "disciplines/structural/qv_missing"
                                                << "^已选择学科领域: 结构力学$"
                                                << "结构力学" << true;
        QTest::newRow("discipline root") << "disciplines/"
                                         << "^请选择具体学科领域$"
                                         << "" << false;
        QTest::newRow("news off") << "news"
                                  << "^在线资讯功能暂未启用$"
                                  << "" << false;
    }

    void categoryPages()
    {
        QFETCH(QString, path);
        QFETCH(QString, statusPattern);
        QFETCH(QString, name);
        QFETCH(bool, becomesCurrent);
        const QString entry = m_data.dataDir() + "software/cae/abaqus.json";
        emit tree()->itemSelected(entry);
        m_window->statusBar()->clearMessage();

        emit tree()->categorySelected(path);
        QVERIFY2(QRegularExpression(statusPattern).match(status()).hasMatch(),
                 qPrintable(status()));
        if (!name.isEmpty())
            QCOMPARE(m_window->findChild<ContentView*>()->currentData().value("name").toString(),
                     name);
        if (becomesCurrent) {
            QCOMPARE(m_window->currentFilePath(), path);
            QCOMPARE(m_window->currentData().value("name").toString(), name);
        } else {
            QCOMPARE(m_window->currentFilePath(), entry);
        }
    }

    void disciplineOverviewContents()
    {
        emit tree()->categorySelected("disciplines/fluid/high_speed");
        const QJsonObject overview = m_window->currentData();
        QCOMPARE(overview.value("parentDisciplineId").toString(), QStringLiteral("fluid"));
        QCOMPARE(overview.value("subDisciplineId").toString(), QStringLiteral("high_speed"));
        QCOMPARE(overview.value("dataPath").toString(), QStringLiteral("fluid/high_speed"));
        QVERIFY(!overview.value("parentDisciplineName").toString().isEmpty());
        const QJsonArray items = overview.value("items").toArray();
        QCOMPARE(overview.value("itemCount").toInt(), items.size());
        QVERIFY(items.size() >= 2);
        for (const QJsonValue& value : items) {
            QVERIFY(!value.toObject().value("name").toString().isEmpty());
            QVERIFY(value.toObject()
                        .value("_filePath")
                        .toString()
                        .startsWith(m_data.dataDir() + "disciplines/fluid/high_speed/"));
        }

        // A folder with one title-only document and one Markdown note.
        QVERIFY(m_data.write("disciplines/qv_tiny/a.json", R"({"title":"只有标题"})"));
        QVERIFY(m_data.write("disciplines/qv_tiny/笔记.md", "# 笔记\n"));
        emit tree()->categorySelected("disciplines/qv_tiny");
        const QJsonArray tiny = m_window->currentData().value("items").toArray();
        QCOMPARE(tiny.size(), 2);
        QCOMPARE(tiny.at(0).toObject().value("name").toString(), QStringLiteral("只有标题"));
        QCOMPARE(tiny.at(0).toObject().value("summary").toString(), QStringLiteral("只有标题"));
        QCOMPARE(tiny.at(1).toObject().value("type").toString(), QStringLiteral("markdown"));
        QCOMPARE(tiny.at(1).toObject().value("summary").toString(),
                 QStringLiteral("Markdown 笔记：笔记"));
        QCOMPARE(m_window->currentData().value("description").toObject().value("zh").toString(),
                 QStringLiteral("学科领域：qv_tiny"));

        // Untitled documents keep their complete base name; Markdown notes are named up to the
        // first dot.
        QVERIFY(m_data.write("disciplines/qv_dotted/b.v1.json",
                             R"({"description":{"zh":"","en":"English only"}})"));
        QVERIFY(m_data.write("disciplines/qv_dotted/笔记.草稿.md", "# 草稿\n"));
        emit tree()->categorySelected("disciplines/qv_dotted");
        const QJsonArray dotted = m_window->currentData().value("items").toArray();
        QCOMPARE(dotted.size(), 2);
        QCOMPARE(dotted.at(0).toObject().value("name").toString(), QStringLiteral("b.v1"));
        QCOMPARE(dotted.at(0).toObject().value("summary").toString(),
                 QStringLiteral("English only"));
        QCOMPARE(dotted.at(1).toObject().value("name").toString(), QStringLiteral("笔记"));
        QCOMPARE(dotted.at(1).toObject().value("fileName").toString(),
                 QStringLiteral("笔记.草稿.md"));
        QCOMPARE(dotted.at(1).toObject().value("summary").toString(),
                 QStringLiteral("Markdown 笔记：笔记"));
        QCOMPARE(m_window->currentData().value("itemCount").toInt(), 2);
    }

    void builtInDisciplineDescription()
    {
        // structural has a configured description; the built-in text is the fallback only.
        emit tree()->categorySelected("disciplines/structural/qv_missing");
        QVERIFY(!m_window->currentData()
                     .value("description")
                     .toObject()
                     .value("zh")
                     .toString()
                     .isEmpty());
        QCOMPARE(MainWindow::descriptionObject(QJsonValue("文本")), (QJsonObject{{"zh", "文本"}}));
        QCOMPARE(MainWindow::descriptionObject(QJsonValue(3)), QJsonObject());
    }

    void favorites()
    {
        m_window->messages.clear();
        const QString path = m_data.dataDir() + "software/cfd/openfoam.json";
        emit tree()->itemSelected(path);
        m_window->onAddToFavorites();
        QCOMPARE(m_window->messages.last(), QStringLiteral("成功|已将 \"OpenFOAM\" 添加到收藏"));
        QCOMPARE(status(), QStringLiteral("已添加到收藏: OpenFOAM"));
        QVERIFY(preferences()->isFavorite("openfoam"));
        m_window->onAddToFavorites();
        QCOMPARE(m_window->messages.last(), QStringLiteral("提示|该项目已在收藏列表中"));
        QCOMPARE(m_window->messages.size(), 2);
    }

    void favouritesOfCategoryPages_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("technology") << "technologies/kernels"
                                    << "";
        QTest::newRow("sub-discipline") << "disciplines/structural/explicit_dynamics"
                                        << "显式动力学";
        QTest::newRow("software category") << "software/cad"
                                           << "软件分类 - CAD";
        QTest::newRow("companies") << "companies"
                                   << "公司企业";
        QTest::newRow("pictures") << "pictures"
                                  << "图片资源";
    }
    void favouritesOfCategoryPages()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        auto* content = m_window->findChild<ContentView*>();
        auto* favorites = m_window->findChild<FavoritesWidget*>();
        auto* history = m_window->findChild<HistoryWidget*>();
        m_window->onEditModeChanged(0);

        // "一键收藏" on a category page keeps that page, not the entry opened before.
        emit tree()->itemSelected(m_data.dataDir() + "software/cae/abaqus.json");
        emit tree()->categorySelected(path);
        if (name.isEmpty())
            name = content->currentData().value("name").toString();
        QVERIFY(!name.isEmpty());
        m_window->messages.clear();
        m_window->onAddToFavorites();
        QCOMPARE(m_window->messages, QStringList{"成功|已将 \"" + name + "\" 添加到收藏"});
        int stored = 0;
        for (const FavoriteItem& favorite : preferences()->getFavorites()) {
            if (favorite.filePath == path) {
                QCOMPARE(favorite.name, name);
                ++stored;
            }
        }
        QCOMPARE(stored, 1);

        // Opening the favourite, or a history entry with that path, shows the page again.
        for (const bool fromHistory : {false, true}) {
            emit tree()->itemSelected(m_data.dataDir() + "software/cad/catia.json");
            QCOMPARE(content->currentData().value("id").toString(), QStringLiteral("catia"));
            if (fromHistory)
                emit history->historyItemActivated(path);
            else
                emit favorites->favoriteItemActivated(path);
            const QJsonObject shown = content->currentData();
            QCOMPARE(shown.value("type").toString(), QStringLiteral("category_overview"));
            QCOMPARE(shown.value("category").toString(), path);
            QCOMPARE(shown.value("name").toString(), name);
            QCOMPARE(m_window->currentFilePath(), path);
        }
        // Reloading the current page reloads the category page, not a file of that name.
        m_window->refreshContent();
        QCOMPARE(content->currentData().value("category").toString(), path);
        QCOMPARE(content->currentData().value("name").toString(), name);
    }

    void viewModeMenuAndComboAgree_data()
    {
        // Steps "menu:N" (the View menu's item of mode N) or "combo:N" (choosing item N).
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("menu, then the combo's previous item")
            << QStringList{"combo:0", "menu:1", "combo:0"};
        QTest::newRow("menu twice, then the combo") << QStringList{"menu:4", "menu:2", "combo:4"};
        QTest::newRow("combo notes, then the menu") << QStringList{"combo:5", "menu:0", "combo:5"};
        QTest::newRow("combo, then the same mode from the menu")
            << QStringList{"combo:3", "menu:3", "combo:0"};
    }
    void viewModeMenuAndComboAgree()
    {
        QFETCH(QStringList, steps);
        const QStringList menuItems{"查看模式", "表单编辑", "Markdown编辑", "表格编辑", "图谱视图"};
        for (const QString& step : steps) {
            const int mode = step.section(':', 1).toInt();
            if (step.startsWith("menu"))
                menuAction("视图(&V)", menuItems.at(mode))->trigger();
            else
                modeCombo()->setCurrentIndex(mode);
            QCOMPARE(m_window->currentEditMode(), mode);
            QCOMPARE(stack()->currentIndex(), mode);
            QCOMPARE(modeCombo()->currentIndex(), mode);
            for (int i = 0; i < menuItems.size(); ++i)
                QCOMPARE(menuAction("视图(&V)", menuItems.at(i))->isChecked(), i == mode);
        }
        m_window->onEditModeChanged(0);
    }

    void notesModeShowsTheCurrentEntry()
    {
        m_window->onEditModeChanged(0);
        const QString path = m_data.dataDir() + "software/cad/catia.json";
        emit tree()->itemSelected(path);
        modeCombo()->setCurrentIndex(5);
        auto* notes = m_window->findChild<NoteEditor*>();
        // The entry's place in the knowledge base, the same in every install.
        QCOMPARE(notes->currentContentId(), QStringLiteral("software/cad/catia.json"));
        QVERIFY(notes->findChild<QTextEdit*>("contentView")
                    ->toPlainText()
                    .contains(QStringLiteral("\"id\": \"catia\"")));
        m_window->onEditModeChanged(0);
    }

    void idOfAnEntryWithoutId()
    {
        QVERIFY(m_data.write("software/cae/qv_no_id.json", R"({"name":"My Solver"})"));
        emit tree()->itemSelected(m_data.dataDir() + "software/cae/qv_no_id.json");
        QCOMPARE(m_window->currentItemCategory(), QStringLiteral("cae"));
        QCOMPARE(m_window->currentItemId(), QStringLiteral("cae_My_Solver"));
        QCOMPARE(m_window->currentItemName(), QStringLiteral("My Solver"));
    }

    void fileChangesReloadTheCurrentEntry()
    {
        QVERIFY(m_data.write("software/cad/qv_live.json", R"({"id":"qv_live","name":"v1"})"));
        const QString path = m_data.dataDir() + "software/cad/qv_live.json";
        emit tree()->itemSelected(path);
        QCOMPARE(m_window->currentData().value("name").toString(), QStringLiteral("v1"));
        QVERIFY(m_data.write("software/cad/qv_live.json", R"({"id":"qv_live","name":"v2"})"));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->currentData().value("name").toString(),
                                  QStringLiteral("v2"), 5000);
        QCOMPARE(status(), "文件已更新: " + path);
    }

    void modeSwitches()
    {
        emit tree()->itemSelected(m_data.dataDir() + "software/cad/catia.json");
        modeCombo()->setCurrentIndex(5);
        QCOMPARE(stack()->currentIndex(), 5);
        QCOMPARE(m_window->currentEditMode(), 5);
        QCOMPARE(status(), QStringLiteral("切换到笔记编辑"));

        menuAction("视图(&V)", "表单编辑")->trigger();
        QCOMPARE(stack()->currentIndex(), 1);
        QCOMPARE(status(), QStringLiteral("切换到表单编辑"));
        QCOMPARE(modeCombo()->currentIndex(), 1); // the combo follows the View menu

        menuAction("视图(&V)", "图谱视图")->trigger();
        QCOMPARE(stack()->currentIndex(), 4);
        // A new entry goes to the page of the current mode.
        emit tree()->itemSelected(m_data.dataDir() + "software/cad/nx.json");
        QCOMPARE(stack()->currentIndex(), 4);
        menuAction("视图(&V)", "查看模式")->trigger();
        QCOMPARE(m_window->findChild<ContentView*>()->currentData().value("id").toString(),
                 QStringLiteral("nx"));
    }

    void logDockToggle()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        auto* dock = m_window->findChild<QDockWidget*>("logDock");
        auto* action = m_window->findChild<QAction*>("showLogAction");
        QVERIFY(action->isChecked());
        dock->close();
        QTRY_VERIFY(!action->isChecked());
        action->setChecked(true);
        QTRY_VERIFY(dock->isVisible());
        m_window->hide();
    }

    void quickSearchHighlights_data()
    {
        QTest::addColumn<QString>("emptyQuery");
        QTest::newRow("cleared") << "";
        QTest::newRow("one blank") << " ";
        QTest::newRow("blanks and tab") << "  \t ";
    }
    void quickSearchHighlights()
    {
        QFETCH(QString, emptyQuery);
        auto* edit = m_window->findChild<QLineEdit*>("quickSearchEdit");
        edit->setText("Fluent");
        QVERIFY(status().startsWith("找到 "));
        QVERIFY(!status().startsWith("找到 0 "));
        QVERIFY(!tree()->highlightedItems().isEmpty());
        // A query of nothing but blanks is no query: no highlights, no count.
        edit->setText(emptyQuery);
        QVERIFY(tree()->selectedItems().isEmpty());
        QVERIFY(tree()->highlightedItems().isEmpty());
        QCOMPARE(status(), QString());
        edit->clear();
    }

    void aiPromptGoesToTheClipboard()
    {
        emit tree()->aiPromptRequested("请介绍 Abaqus 的显式求解器");
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("请介绍 Abaqus 的显式求解器"));
        QCOMPARE(status(), QStringLiteral("已生成AI提示词，已复制到剪贴板"));
        // The console renders HTML, so the line break of the prompt shows as a blank.
        QVERIFY(m_window->findChild<LogWidget*>()->plainText().contains(
            "AI提示词： 请介绍 Abaqus 的显式求解器"));
    }

    void aboutAndArticles()
    {
        m_window->onAbout();
        QCOMPARE(m_window->messages.last().section('|', 0, 0), QStringLiteral("关于"));
        const QStringList lines = m_window->messages.last().section('|', 1).split('\n');
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.at(0), QStringLiteral("Quorvanta v1.2.0"));
        QCOMPARE(lines.at(1), QString());
        QCOMPARE(lines.at(2), QStringLiteral("用于管理和展示工业软件相关知识的专业工具"));
        QCOMPARE(lines.at(3), QStringLiteral("支持CAD/CAE/CFD/EDA等领域的软件信息管理"));
        QVERIFY(lines.at(5).startsWith("反馈邮件: "));

        menuAction("帮助(&H)", "资源文章(&R)")->trigger();
        QCOMPARE(m_window->openedUrls.size(), 1);
        QVERIFY(m_window->openedUrls.first().scheme().startsWith("http"));
    }

    void knowledgeBaseIsReadOnceFromItsDirectory()
    {
        // As the program starts from the folder that holds data/: constructed on the
        // resolved directory, then the same path set.
        WorkingDirectory cwd(m_data.dataDir().chopped(6));
        MessageCapture capture;
        RecordingMainWindow window(m_data.dataDir().chopped(1));
        window.setDataPath(m_data.dataDir().chopped(1));
        QStringList loads;
        for (const MessageCapture::Line& line : capture.lines()) {
            if (line.text.startsWith("DataManager::initialize - Data path:"))
                loads << line.text;
        }
        QCOMPARE(loads, QStringList{"DataManager::initialize - Data path: " + m_data.dataDir()});
        QCOMPARE(window.dataPath(), m_data.dataDir());
        auto* tree = window.findChild<NavigationTree*>();
        const QString entry = m_data.dataDir() + "software/cad/autocad.json";
        QVERIFY(QFile::exists(entry));
        QVERIFY(tree->itemForPath(entry));
    }

    void favouritesWithoutSelection()
    {
        WorkingDirectory cwd(m_emptyWorkingDir.path());
        RecordingMainWindow window;
        window.onAddToFavorites();
        QCOMPARE(window.messages, QStringList{"提示|请先选择要收藏的项目"});
    }

    void windowSizeFromWorkingDirectory()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("config"));
        QFile file(dir.filePath("config/ui_config.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"windowSize": {"width": 1000}})");
        file.close();
        WorkingDirectory cwd(dir.path());
        RecordingMainWindow window;
        QCOMPARE(window.size(), QSize(1000, 900));
    }

    void networkConfiguration()
    {
        QVERIFY(!m_window->networkConfig().isEmpty());
        QVERIFY(m_window->networkConfig().contains("news"));
        WorkingDirectory cwd(m_emptyWorkingDir.path());
        RecordingMainWindow window;
        QTemporaryDir empty;
        window.setDataPath(empty.path());
        QVERIFY(window.networkConfig().isEmpty());
    }

    void panelsFollowThePreferencesFile()
    {
        // Two data directories, each with the preferences file an older version left there.
        QTemporaryDir first;
        QTemporaryDir second;
        QTemporaryDir incoming;
        {
            UserPreferences prefs;
            QVERIFY(prefs.initialize(first.path()));
            QVERIFY(prefs.addFavorite("a", "A", "cad", "data/a.json", QString()));
            prefs.addToHistory("a", "A", "cad", "data/a.json", QString());
        }
        {
            UserPreferences prefs;
            QVERIFY(prefs.initialize(second.path()));
            QVERIFY(prefs.addFavorite("b", "B", "cae", "data/b.json", QString()));
            QVERIFY(prefs.addFavorite("c", "C", "cae", "data/c.json", QString()));
            prefs.addToHistory("b", "B", "cae", "data/b.json", QString());
            prefs.addToHistory("c", "C", "cae", "data/c.json", QString());
        }
        {
            UserPreferences prefs;
            QVERIFY(prefs.initialize(incoming.path()));
            for (const QString id : {"x", "y", "z"})
                prefs.addToHistory(id, id.toUpper(), "cfd", "data/" + id + ".json", QString());
        }
        const QByteArray secondFile = [&second] {
            QFile file(second.filePath("user_preferences.json"));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        // A first start: no per-user preferences yet.
        QVERIFY(UserDataFolder::reset());

        WorkingDirectory cwd(m_emptyWorkingDir.path());
        RecordingMainWindow window;
        auto* favorites = window.findChild<FavoritesWidget*>();
        auto* history = window.findChild<HistoryWidget*>();
        const auto favoritesCount = [favorites] {
            return favorites->findChild<QLabel*>("countLabel")->text();
        };
        const auto historyCount = [history] {
            return history->findChild<QLabel*>("countLabel")->text();
        };

        // The first data directory's file is taken over into the per-user folder...
        window.setDataPath(first.path());
        QCOMPARE(favoritesCount(), QStringLiteral("收藏: 1 个项目"));
        QCOMPARE(historyCount(), QStringLiteral("历史记录: 1 个项目"));
        auto* prefs = window.findChild<UserPreferences*>();
        QCOMPARE(prefs->filePath(), UserDataFolder::preferencesFile());

        // ...once: another data directory brings nothing, and its file stays as it was.
        window.setDataPath(second.path());
        QCOMPARE(favoritesCount(), QStringLiteral("收藏: 1 个项目"));
        QCOMPARE(historyCount(), QStringLiteral("历史记录: 1 个项目"));
        QCOMPARE(prefs->filePath(), UserDataFolder::preferencesFile());
        QFile secondAfter(second.filePath("user_preferences.json"));
        QVERIFY(secondAfter.open(QIODevice::ReadOnly));
        QCOMPARE(secondAfter.readAll(), secondFile);

        // An import through the favourites panel replaces the favourites, not the history.
        QVERIFY(prefs->importPreferences(incoming.filePath("user_preferences.json")));
        emit favorites->preferencesImported();
        QCOMPARE(historyCount(), QStringLiteral("历史记录: 1 个项目"));
        QVERIFY(UserDataFolder::reset());
    }

    void favouritesHistoryAndNotesOfAMovedInstall_data()
    {
        QTest::addColumn<bool>("withDataDirectory");
        // The whole folder moved elsewhere: its data directory carries the old file along.
        QTest::newRow("moved data directory") << true;
        // An installed copy: no data directory, the knowledge base built in.
        QTest::newRow("installed copy") << false;
    }

    void favouritesHistoryAndNotesOfAMovedInstall()
    {
        QFETCH(bool, withDataDirectory);
        QVERIFY2(NotesFolder::isIsolated(), "run through ctest, which gives the test its own HOME");
        QVERIFY(UserDataFolder::reset());
        NotesFolder::reset();

        // The preferences and notes as an earlier version wrote them on another machine.
        const auto favourite = [](const QString& id, const QString& path) {
            return QJsonObject{{"id", id},
                               {"name", id},
                               {"category", "cad"},
                               {"filePath", path},
                               {"addTime", "2024-05-01T09:00:00"}};
        };
        const QJsonObject oldPreferences{
            {"favorites",
             QJsonArray{
                 favourite("autocad", "/home/u/old/data/software/cad/autocad.json"),
                 favourite("ansys", "C:\\Users\\x\\Quorvanta\\data\\companies\\ansys.json")}},
            {"history",
             QJsonArray{QJsonObject{{"id", "abaqus"},
                                    {"name", "Abaqus"},
                                    {"category", "cae"},
                                    {"filePath", "/home/u/old/data/software/cae/abaqus.json"},
                                    {"accessTime", "2024-05-02T09:00:00"},
                                    {"accessCount", 2}}}},
            {"version", "1.0"}};
        const QJsonObject oldNote{{"id", "n1"},
                                  {"contentId", "/home/u/old/data/software/cad/autocad.json"},
                                  {"title", "旧笔记"},
                                  {"content", "写于旧的安装"},
                                  {"createTime", "2024-05-01T10:00:00"},
                                  {"modifyTime", "2024-05-01T10:00:00"}};
        QVERIFY(NotesFolder::write(QJsonObject{{"notes", QJsonArray{oldNote}},
                                               {"version", "1.2"},
                                               {"totalNotes", 1},
                                               {"userPathFix", true}}));

        KnowledgeBaseCopy moved;
        QTemporaryDir noData;
        QString dataDir = noData.filePath("bin/data/");
        if (withDataDirectory) {
            dataDir = moved.dataDir();
            QVERIFY(moved.write("user_preferences.json", QJsonDocument(oldPreferences).toJson()));
        } else {
            // Taken over by an earlier start.
            QVERIFY(QDir().mkpath(UserDataFolder::path()));
            QFile file(UserDataFolder::preferencesFile());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QJsonDocument(oldPreferences).toJson());
        }
        // Nothing written where the knowledge base lives (nor a missing data directory made).
        const QString watched = withDataDirectory ? dataDir : noData.path();
        const auto dataSnapshot = [&watched] {
            QStringList lines;
            QDirIterator it(watched, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                it.next();
                lines << it.filePath() + QLatin1Char(' ') + QString::number(it.fileInfo().size()) +
                             QLatin1Char(' ') +
                             QString::number(it.fileInfo().lastModified().toMSecsSinceEpoch());
            }
            lines.sort();
            return lines;
        };
        const QStringList dataBefore = dataSnapshot();
        // Served from the data directory when it has the file, else from the program.
        const auto served = [&](const QString& relative) {
            return withDataDirectory ? dataDir + relative : "data/" + relative;
        };

        WorkingDirectory cwd(m_emptyWorkingDir.path());
        RecordingMainWindow window;
        window.setDataPath(dataDir);
        auto* favorites = window.findChild<FavoritesWidget*>();
        auto* history = window.findChild<HistoryWidget*>();
        QCOMPARE(favorites->findChild<QLabel*>("countLabel")->text(),
                 QStringLiteral("收藏: 2 个项目"));

        const QList<FavoriteItem> stored = window.findChild<UserPreferences*>()->getFavorites();
        QCOMPARE(stored.size(), 2);
        emit favorites->favoriteItemActivated(stored.at(1).filePath);
        QCOMPARE(window.currentFilePath(), served("companies/ansys.json"));
        QCOMPARE(window.currentData().value("name").toString(), QStringLiteral("Ansys"));
        emit history->historyItemActivated("/home/u/old/data/software/cae/abaqus.json");
        QCOMPARE(window.currentFilePath(), served("software/cae/abaqus.json"));
        QCOMPARE(window.currentData().value("id").toString(), QStringLiteral("abaqus"));
        emit favorites->favoriteItemActivated(stored.at(0).filePath);
        QCOMPARE(window.currentFilePath(), served("software/cad/autocad.json"));
        QCOMPARE(window.currentData().value("id").toString(), QStringLiteral("autocad"));

        // The entry's notes follow it; a note made now is tied to its place in the knowledge base.
        window.onEditModeChanged(5);
        auto* notes = window.findChild<NoteEditor*>();
        QCOMPARE(notes->currentContentId(), QStringLiteral("software/cad/autocad.json"));
        auto* list = notes->findChild<QTreeWidget*>("noteList");
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("旧笔记"));
        window.onEditModeChanged(0);

        QCOMPARE(dataSnapshot(), dataBefore);
        NotesFolder::reset();
        QVERIFY(UserDataFolder::reset());
    }

    void startupBanner()
    {
        auto* log = m_window->findChild<LogWidget*>();
        QTRY_VERIFY(log->plainText().contains("[OK] 已安装全局消息处理器"));
        QTRY_VERIFY(log->plainText().contains("[OK] Quorvanta启动成功"));
        QTRY_VERIFY(log->plainText().contains("[INFO] 系统版本: 1.2.0"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
