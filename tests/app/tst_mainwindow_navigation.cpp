#include "MainWindowTestSupport.h"
#include "data/EmbeddedDataAdapter.h"
#include "prefs/UserPreferences.h"
#include "search/QuickSwitcher.h"
#include "views/ContentView.h"
#include "views/ContentZoom.h"
#include "views/CustomTextBrowser.h"
#include "views/FindBar.h"
#include "views/InternalLink.h"
#include "views/NavigationTree.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDirIterator>
#include <QDockWidget>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTextBlock>
#include <QTreeWidgetItem>
#include <QtTest>

// Back and forward, the tree following them, and the keys and mouse buttons for them.
class TestMainWindowNavigation : public QObject
{
    Q_OBJECT

private:
    KnowledgeBaseCopy m_data;
    std::unique_ptr<RecordingMainWindow> m_window;

    NavigationTree* tree() const { return m_window->findChild<NavigationTree*>(); }
    QAction* action(const char* name) const { return m_window->findChild<QAction*>(name); }
    QString entry(const QString& relative) const { return m_data.dataDir() + relative; }
    QString treePath() const { return NavigationTree::itemPath(tree()->currentItem()); }

private slots:
    void initTestCase()
    {
        // The session goes to QSettings below the test's own HOME.
        QCoreApplication::setOrganizationName(QStringLiteral("QuorvantaTests"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_mainwindow_navigation"));
        EmbeddedDataAdapter::instance().initialize();
        QVERIFY(m_data.isValid());
    }

    void init()
    {
        m_window = std::make_unique<RecordingMainWindow>();
        m_window->setDataPath(m_data.dataDir());
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void backAndForwardReopenPages()
    {
        QVERIFY(!action("backAction")->isEnabled());
        QVERIFY(!action("forwardAction")->isEnabled());
        const QString autocad = entry("software/cad/autocad.json");
        QVERIFY(tree()->itemForPath(autocad));
        emit tree()->itemSelected(autocad);
        emit tree()->categorySelected("software/cae");
        emit tree()->categorySelected("companies");
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("companies"));
        QVERIFY(action("backAction")->isEnabled());

        action("backAction")->trigger();
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/cae"));
        QCOMPARE(m_window->currentData().value("name").toString(),
                 QStringLiteral("软件分类 - CAE"));
        QCOMPARE(treePath(), QStringLiteral("software/cae"));
        QVERIFY(action("forwardAction")->isEnabled());

        action("backAction")->trigger();
        QCOMPARE(m_window->currentFilePath(), autocad);
        QCOMPARE(m_window->currentData().value("id").toString(), QStringLiteral("autocad"));
        QCOMPARE(treePath(), autocad);

        action("forwardAction")->trigger();
        action("forwardAction")->trigger();
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("companies"));
        QCOMPARE(treePath(), QStringLiteral("companies"));
        QVERIFY(!action("forwardAction")->isEnabled());
    }

    // Going back must not add pages: after back, back, forward the forward page is still there.
    void goingBackAddsNoPages()
    {
        emit tree()->categorySelected("software/cad");
        emit tree()->categorySelected("software/cam");
        emit tree()->categorySelected("software/eda");
        action("backAction")->trigger();
        action("backAction")->trigger();
        action("forwardAction")->trigger();
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/cam"));
        action("forwardAction")->trigger();
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/eda"));
        QVERIFY(!action("forwardAction")->isEnabled());
    }

    void openingAPageAfterGoingBackDropsForward()
    {
        emit tree()->categorySelected("software/cad");
        emit tree()->categorySelected("software/cam");
        action("backAction")->trigger();
        QVERIFY(action("forwardAction")->isEnabled());
        emit tree()->categorySelected("pictures");
        QVERIFY(!action("forwardAction")->isEnabled());
        action("backAction")->trigger();
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/cad"));
    }

    // Tree nodes that show no page (the software section) are no pages to go back to.
    void nodesWithoutAPageAreSkipped()
    {
        emit tree()->categorySelected("software/cad");
        emit tree()->categorySelected("software");
        emit tree()->categorySelected("technologies/kernels");
        action("backAction")->trigger();
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/cad"));
    }

    // Pages the tree does not show (BIM) still come back; nothing is current in the tree then.
    void pagesOutsideTheTree()
    {
        emit tree()->categorySelected("software/bim");
        emit tree()->categorySelected("software/cad");
        action("backAction")->trigger();
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/bim"));
        QCOMPARE(m_window->currentData().value("name").toString(),
                 QStringLiteral("软件分类 - BIM"));
        QCOMPARE(tree()->currentItem(), nullptr);
    }

    // The tree follows without opening the page again: the browsing history is not touched.
    void followingTheTreeOpensNothing()
    {
        const QString path = entry("software/cad/autocad.json");
        emit tree()->itemSelected(path);
        emit tree()->categorySelected("companies");
        auto* preferences = m_window->findChild<UserPreferences*>();
        QVERIFY(preferences);
        const int before = preferences->getHistory().first().accessCount;
        QSignalSpy selected(tree(), &NavigationTree::itemSelected);
        action("backAction")->trigger();
        QCOMPARE(selected.count(), 0);
        QCOMPARE(preferences->getHistory().first().accessCount, before + 1);
    }

    void keysGoBackAndForward()
    {
        emit tree()->categorySelected("software/cad");
        emit tree()->categorySelected("software/cam");
        auto* browser = m_window->findChild<ContentView*>()->textBrowser();
        browser->setFocus();
        QTest::keyClick(browser, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/cad"));
        QTest::keyClick(tree(), Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/cam"));
    }

    void mouseButtonsGoBackAndForward_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("content view") << "content";
        QTest::newRow("window") << "window";
    }

    void mouseButtonsGoBackAndForward()
    {
        QFETCH(QString, where);
        QWidget* target = where == "content"
                              ? m_window->findChild<ContentView*>()->textBrowser()->viewport()
                              : static_cast<QWidget*>(m_window.get());
        emit tree()->categorySelected("software/cad");
        emit tree()->categorySelected("software/cam");
        QTest::mousePress(target, Qt::BackButton, {}, QPoint(5, 5));
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/cad"));
        QTest::mousePress(target, Qt::ForwardButton, {}, QPoint(5, 5));
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/cam"));
    }

    void ctrlFFindsInTheShownPage()
    {
        emit tree()->itemSelected(entry("software/cad/autocad.json"));
        auto* bar = m_window->findChild<FindBar*>();
        QVERIFY(bar);
        auto* browser = m_window->findChild<ContentView*>()->textBrowser();
        browser->setFocus();
        QTest::keyClick(browser, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(bar->isVisible());
        QTest::keyClicks(bar->lineEdit(), "autocad");
        const int hits = bar->finder().count();
        QVERIFY(hits > 1);
        QCOMPARE(bar->countLabel()->text(), QStringLiteral("1/%1").arg(hits));
        QTest::keyClick(bar->lineEdit(), Qt::Key_F3);
        QCOMPARE(bar->countLabel()->text(), QStringLiteral("2/%1").arg(hits));
        QTest::keyClick(bar->lineEdit(), Qt::Key_F3, Qt::ShiftModifier);
        QTest::keyClick(bar->lineEdit(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(bar->countLabel()->text(), QStringLiteral("%1/%1").arg(hits));
        QTest::keyClick(bar->lineEdit(), Qt::Key_Escape);
        QVERIFY(bar->isHidden());

        // In the form editor there is no page to find in.
        m_window->findChild<QComboBox*>("editModeCombo")->setCurrentIndex(1);
        QTest::keyClick(m_window.get(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(bar->isHidden());
    }

    // The quick search keeps its menu item and answers Ctrl+E.
    void quickSearchKeepsWorking()
    {
        auto* edit = m_window->findChild<QLineEdit*>("quickSearchEdit");
        edit->setText("revit");
        QTest::keyClick(m_window.get(), Qt::Key_E, Qt::ControlModifier);
        QWidget* dialog = m_window->findChild<QDialog*>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        dialog->close();
    }

    void zoomKeys()
    {
        auto* zoom = m_window->findChild<ContentZoom*>();
        QVERIFY(zoom);
        auto* browser = m_window->findChild<ContentView*>()->textBrowser();
        browser->setFocus();
        QTest::keyClick(browser, Qt::Key_Equal, Qt::ControlModifier);
        QTest::keyClick(browser, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(zoom->percent(), 125);
        QCOMPARE(m_window->statusBar()->currentMessage(), QStringLiteral("缩放: 125%"));
        QTest::keyClick(browser, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(zoom->percent(), 110);
        QTest::keyClick(browser, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(zoom->percent(), 100);
    }

    void quickSwitcherOpensPages()
    {
        auto* switcher = m_window->findChild<QuickSwitcher*>();
        QVERIFY(switcher);
        QTest::keyClick(tree(), Qt::Key_K, Qt::ControlModifier);
        QVERIFY(switcher->isVisible());
        QTest::keyClicks(switcher->lineEdit(), "revit");
        QTest::keyClick(switcher->lineEdit(), Qt::Key_Return);
        QVERIFY(switcher->isHidden());
        QVERIFY(m_window->currentFilePath().endsWith("software/bim/revit.json"));
        QCOMPARE(m_window->currentData().value("id").toString(), QStringLiteral("revit"));

        // An article is a page of its own, rendered, and back reaches the entry before it.
        QTest::keyClick(tree(), Qt::Key_P, Qt::ControlModifier);
        switcher->lineEdit()->insert("湍流建模");
        QTest::keyClick(switcher->lineEdit(), Qt::Key_Return);
        QVERIFY(m_window->currentFilePath().endsWith("turbulence_modeling_guide.md"));
        auto* view = m_window->findChild<ContentView*>();
        QCOMPARE(view->titleLabel()->text(), QStringLiteral("湍流建模与近壁处理实用指南"));
        QVERIFY(!view->textBrowser()->toPlainText().contains("## "));
        QCOMPARE(view->textBrowser()->document()->begin().blockFormat().headingLevel(), 1);
        action("backAction")->trigger();
        QVERIFY(m_window->currentFilePath().endsWith("software/bim/revit.json"));
        action("forwardAction")->trigger();
        QVERIFY(m_window->currentFilePath().endsWith("turbulence_modeling_guide.md"));
    }

    void startsOnTheHomePage()
    {
        auto* view = m_window->findChild<ContentView*>();
        QCOMPARE(view->titleLabel()->text(), QStringLiteral("首页"));
        QVERIFY(view->textBrowser()->toPlainText().contains("知识库概览"));
        QVERIFY(view->textBrowser()->toPlainText().contains("湍流建模与近壁处理实用指南"));
        QVERIFY(m_window->currentFilePath().isEmpty());
        QVERIFY(m_window->currentData().isEmpty());
        QVERIFY(tree()->selectedItems().isEmpty());
    }

    // A real click on the home page's BIM link opens the BIM category page.
    void homePageLinksOpenPages()
    {
        auto* browser = m_window->findChild<ContentView*>()->textBrowser();
        QTextCursor cursor = browser->document()->find("BIM 建筑信息模型");
        QVERIFY(!cursor.isNull());
        QVERIFY(cursor.charFormat().isAnchor());
        QCOMPARE(InternalLink::path(QUrl(cursor.charFormat().anchorHref())),
                 QStringLiteral("software/bim"));
        QTextCursor inside(browser->document());
        inside.setPosition(cursor.selectionStart() + 2);
        browser->ensureCursorVisible();
        browser->setTextCursor(inside);
        browser->ensureCursorVisible();
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {},
                          browser->cursorRect(inside).center());
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/bim"));
        QVERIFY(m_window->openedUrls.isEmpty());

        // Links to articles and entries go the same way.
        emit browser->anchorClicked(InternalLink::build(entry("software/erp/netsuite.json")));
        QCOMPARE(m_window->currentData().value("id").toString(), QStringLiteral("netsuite"));
    }

    // Following only the links of the shown pages, starting at the home page, reaches
    // every entry, article and picture of the knowledge base.
    void everyEntryReachableFromTheHomePage()
    {
        auto* browser = m_window->findChild<ContentView*>()->textBrowser();
        auto linksOfShownPage = [browser] {
            QStringList hrefs;
            for (QTextBlock block = browser->document()->begin(); block.isValid();
                 block = block.next()) {
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    const QTextCharFormat format = it.fragment().charFormat();
                    if (format.isAnchor() && InternalLink::isInternal(QUrl(format.anchorHref())))
                        hrefs << format.anchorHref();
                }
            }
            return hrefs;
        };
        // Disk copy and embedded key name the same entry.
        const QString dataDir = m_data.dataDir();
        auto relative = [&dataDir](const QString& path) {
            if (path.startsWith(dataDir))
                return path.mid(dataDir.size());
            return path.startsWith(QLatin1String("data/")) ? path.mid(5) : path;
        };

        QSet<QString> seen;
        QStringList queue = linksOfShownPage();
        QVERIFY(!queue.isEmpty());
        while (!queue.isEmpty()) {
            const QString href = queue.takeFirst();
            if (seen.contains(href))
                continue;
            seen.insert(href);
            emit browser->anchorClicked(QUrl(href));
            queue << linksOfShownPage();
        }
        QSet<QString> reached;
        for (const QString& href : std::as_const(seen))
            reached.insert(relative(InternalLink::path(QUrl(href))));

        QStringList unreachable;
        for (const char* folder : {"software", "companies", "technologies", "disciplines",
                                   "pictures"}) {
            QDirIterator it(dataDir + folder, {"*.json", "*.md", "*.png"}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = relative(it.next());
                if (!reached.contains(path))
                    unreachable << path;
            }
        }
        unreachable.sort();
        QVERIFY2(unreachable.isEmpty(), qPrintable(unreachable.join(QLatin1Char('\n'))));
        QVERIFY(m_window->openedUrls.isEmpty());
    }

    // 视图 → 主题 → 深色 re-renders the shown page with dark-theme colours; 跟随系统 brings
    // the page's own colours back.
    void darkThemeRecoloursThePage()
    {
        auto* view = m_window->findChild<ContentView*>();
        emit tree()->itemSelected(entry("software/cad/autocad.json"));
        QVERIFY(view->textBrowser()->document()->toHtml().contains("color:#2196f3"));
        QVERIFY(view->styleSheet().contains("background-color: white;"));

        action("theme_dark")->trigger();
        QVERIFY(view->textBrowser()->document()->toHtml().contains("color:#64b5f6"));
        QVERIFY(!view->textBrowser()->document()->toHtml().contains("color:#2196f3"));
        QTRY_VERIFY(view->styleSheet().contains("background-color: #1e1e1e;"));
        QCOMPARE(m_window->currentData().value("id").toString(), QStringLiteral("autocad"));

        action("theme_system")->trigger();
        QVERIFY(view->textBrowser()->document()->toHtml().contains("color:#2196f3"));
        QTRY_VERIFY(view->styleSheet().contains("background-color: white;"));
    }

    // Without a data directory (an installed copy) the discipline and technology pages
    // list the compiled-in entries.
    void categoryPagesWithoutADataDirectory()
    {
        QTemporaryDir empty;
        RecordingMainWindow window(empty.path() + "/data/");
        window.setDataPath(empty.path() + "/data/");
        window.onNavigationCategorySelected("disciplines/fluid");
        const QJsonArray items = window.currentData().value("items").toArray();
        QStringList paths;
        for (const QJsonValue& item : items)
            paths << item.toObject().value("_filePath").toString();
        QCOMPARE(paths, (QStringList{"data/disciplines/fluid/cfd_simulation_workflow.json",
                                     "data/disciplines/fluid/fluid_dynamics_fundamentals.json",
                                     "data/disciplines/fluid/turbulence_modeling_guide.md"}));
        window.onNavigationCategorySelected("technologies/kernels");
        QVERIFY(window.currentData().value("itemCount").toInt() > 0);
    }

    void homeKeyAndBackReturnHome()
    {
        emit tree()->categorySelected("software/cad");
        action("backAction")->trigger();
        QCOMPARE(m_window->findChild<ContentView*>()->titleLabel()->text(), QStringLiteral("首页"));
        QVERIFY(m_window->currentFilePath().isEmpty());
        action("forwardAction")->trigger();
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/cad"));

        // From another view mode, Alt+Home goes back to the view with the home page.
        m_window->findChild<QComboBox*>("editModeCombo")->setCurrentIndex(3);
        QTest::keyClick(tree(), Qt::Key_Home, Qt::AltModifier);
        QCOMPARE(m_window->currentEditMode(), 0);
        QCOMPARE(m_window->findChild<ContentView*>()->titleLabel()->text(), QStringLiteral("首页"));
        QVERIFY(m_window->currentData().isEmpty());
        action("backAction")->trigger();
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/cad"));
    }

    // The home page lists what was opened: it is rendered again when shown.
    void homePageShowsTheHistory()
    {
        emit tree()->itemSelected(entry("software/cad/autocad.json"));
        action("homeAction")->trigger();
        auto* browser = m_window->findChild<ContentView*>()->textBrowser();
        const QTextCursor cursor = browser->document()->find("AutoCAD");
        QVERIFY(!cursor.isNull());
        QCOMPARE(InternalLink::path(QUrl(cursor.charFormat().anchorHref())),
                 entry("software/cad/autocad.json"));
    }

    void sessionRoundTrip()
    {
        QSettings().clear();
        m_window->restoreSession(); // nothing saved yet: the home page stays
        QCOMPARE(m_window->findChild<ContentView*>()->titleLabel()->text(), QStringLiteral("首页"));
        m_window->resize(1111, 777);
        auto* splitter = m_window->findChild<QSplitter*>();
        splitter->setSizes({400, 700});
        const QList<int> sizes = splitter->sizes();
        m_window->findChild<QDockWidget*>("logDock")->hide();
        emit tree()->categorySelected("software/bim");
        m_window->findChild<QComboBox*>("editModeCombo")->setCurrentIndex(3);
        m_window->findChild<ContentZoom*>()->setPercent(150);
        QVERIFY(m_window->close());

        m_window = std::make_unique<RecordingMainWindow>();
        m_window->setDataPath(m_data.dataDir());
        m_window->restoreSession();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QCOMPARE(m_window->size(), QSize(1111, 777));
        QCOMPARE(m_window->findChild<QSplitter*>()->sizes(), sizes);
        QVERIFY(m_window->findChild<QDockWidget*>("logDock")->isHidden());
        QCOMPARE(m_window->currentFilePath(), QStringLiteral("software/bim"));
        QCOMPARE(m_window->currentEditMode(), 3);
        QCOMPARE(m_window->findChild<QStackedWidget*>()->currentIndex(), 3);
        QCOMPARE(m_window->findChild<ContentZoom*>()->percent(), 150);
        // The restored page is the first of the new history.
        QVERIFY(action("backAction")->isEnabled());
        action("backAction")->trigger();
        QVERIFY(m_window->currentFilePath().isEmpty());
    }

    void sessionWithAPageThatIsGone()
    {
        QSettings().clear();
        QVERIFY(m_data.write("software/cad/qv_gone.json", R"({"id":"qv_gone","name":"Gone"})"));
        m_window->restoreSession();
        emit tree()->itemSelected(entry("software/cad/qv_gone.json"));
        QCOMPARE(m_window->currentData().value("id").toString(), QStringLiteral("qv_gone"));
        QVERIFY(m_window->close());
        QVERIFY(QFile::remove(entry("software/cad/qv_gone.json")));

        m_window = std::make_unique<RecordingMainWindow>();
        m_window->setDataPath(m_data.dataDir());
        m_window->restoreSession();
        QVERIFY(m_window->currentFilePath().isEmpty());
        QCOMPARE(m_window->findChild<ContentView*>()->titleLabel()->text(), QStringLiteral("首页"));
    }

    // Windows that never restored a session (tests, a second window) do not write one.
    void onlyAKeptSessionIsSaved()
    {
        QSettings().clear();
        emit tree()->categorySelected("software/cad");
        QVERIFY(m_window->close());
        QVERIFY(!QSettings().contains("session/lastPage"));
    }

    void goMenuHoldsTheActions()
    {
        QMenu* go = nullptr;
        for (QAction* top : m_window->menuBar()->actions()) {
            if (top->text() == QStringLiteral("转到(&G)"))
                go = top->menu();
        }
        QVERIFY(go);
        QVERIFY(go->actions().contains(action("backAction")));
        QVERIFY(go->actions().contains(action("forwardAction")));
        QVERIFY(go->actions().contains(action("quickSwitcherAction")));
        QVERIFY(go->actions().contains(action("homeAction")));
        QCOMPARE(action("homeAction")->shortcut(), QKeySequence("Alt+Home"));
        QCOMPARE(action("backAction")->shortcut(), QKeySequence("Alt+Left"));
        QCOMPARE(action("forwardAction")->shortcut(), QKeySequence("Alt+Right"));
    }
};

QTEST_MAIN(TestMainWindowNavigation)
#include "tst_mainwindow_navigation.moc"
