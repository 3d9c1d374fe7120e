#include "MainWindowTestSupport.h"
#include "app/InterfaceLanguage.h"
#include "app/InterfaceTranslators.h"
#include "data/EmbeddedDataAdapter.h"
#include "views/ContentView.h"
#include "views/CustomTextBrowser.h"
#include "views/NavigationTree.h"

#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>
#include <QTreeWidgetItemIterator>
#include <QtTest>

namespace {

QStringList texts(const QList<QAction*>& actions)
{
    QStringList result;
    for (QAction* action : actions)
        result << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return result;
}

QMenu* topMenu(QMainWindow* window, int index)
{
    return window->menuBar()->actions().value(index)->menu();
}

QString storedLanguage()
{
    return QSettings().value(QStringLiteral("interface/language")).toString();
}

} // namespace

class TestMainWindowLanguage : public QObject
{
    Q_OBJECT

private:
    KnowledgeBaseCopy m_data;

    std::unique_ptr<RecordingMainWindow> newWindow() const
    {
        auto window = std::make_unique<RecordingMainWindow>(m_data.dataDir());
        window->setDataPath(m_data.dataDir());
        return window;
    }

    static QMenu* languageMenu(QMainWindow* window)
    {
        return window->findChild<QMenu*>(QStringLiteral("languageMenu"));
    }

    static QAction* languageItem(QMainWindow* window, const QString& text)
    {
        for (QAction* action : languageMenu(window)->actions()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        EmbeddedDataAdapter::instance().initialize();
        QVERIFY(m_data.isValid());
    }

    void init() { QSettings().remove(QStringLiteral("interface")); }

    void englishInterface()
    {
        InterfaceTranslators translators;
        QVERIFY(translators.install(InterfaceLanguage::English));
        const auto window = newWindow();

        QCOMPARE(texts(window->menuBar()->actions()),
                 (QStringList{"&File", "&Edit", "&View", "&Go", "&Help"}));
        QCOMPARE(texts(topMenu(window.get(), 0)->actions()), QStringList{"E&xit"});
        QCOMPARE(texts(topMenu(window.get(), 2)->actions()),
                 (QStringList{"Reading View", "Form Editor", "Markdown Editor", "Table Editor",
                              "Graph View", "|", "Show Log Window", "|", "Zoom In", "Zoom Out",
                              "Actual Size", "|", "&Theme", "&Language", "|", "&Compare"}));
        QCOMPARE(texts(languageMenu(window.get())->actions()), (QStringList{"中文", "English"}));
        QVERIFY(languageItem(window.get(), "English")->isChecked());
        QVERIFY(!languageItem(window.get(), "中文")->isChecked());

        QCOMPARE(window->findChild<QDockWidget*>("favoritesDock")->windowTitle(),
                 QStringLiteral("Favorites"));
        QCOMPARE(window->findChild<QDockWidget*>("historyDock")->windowTitle(),
                 QStringLiteral("History"));
        QCOMPARE(window->findChild<QDockWidget*>("logDock")->windowTitle(), QStringLiteral("Log"));
        QCOMPARE(window->findChild<QToolBar*>("mainToolBar")->windowTitle(),
                 QStringLiteral("Main Toolbar"));
        // The home page is built in code, its headings through tr() as well.
        const QString home = window->findChild<ContentView*>()->textBrowser()->toPlainText();
        QVERIFY2(home.contains(QLatin1String("Quorvanta Industrial Software Knowledge Base")),
                 qPrintable(home.left(200)));
        QVERIFY(home.contains(QLatin1String("Recently Viewed")));
        QVERIFY(!home.contains(QStringLiteral("最近浏览")));
    }

    // Entries' and categories' descriptions come in both languages.
    void treeToolTipsInTheInterfaceLanguage_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("expected");
        QTest::newRow("English") << true
                                 << "Study of stress, strain, deformation, stability and failure";
        QTest::newRow("Chinese") << false << "研究工程结构在静力、动力、热与冲击等载荷作用下";
    }

    void treeToolTipsInTheInterfaceLanguage()
    {
        QFETCH(bool, english);
        QFETCH(QString, expected);
        InterfaceTranslators translators;
        if (english)
            QVERIFY(translators.install(InterfaceLanguage::English));
        const auto window = newWindow();
        QTreeWidgetItem* structural = nullptr;
        for (QTreeWidgetItemIterator it(window->findChild<NavigationTree*>()); *it; ++it) {
            if ((*it)->data(0, Qt::UserRole).toString() == QLatin1String("disciplines/structural"))
                structural = *it;
        }
        QVERIFY(structural);
        QVERIFY2(structural->toolTip(0).startsWith(expected), qPrintable(structural->toolTip(0)));
    }

    void menuIsExclusive()
    {
        const auto window = newWindow();
        QActionGroup* group = languageItem(window.get(), "中文")->actionGroup();
        QVERIFY(group);
        QVERIFY(group->isExclusive());
        QCOMPARE(languageItem(window.get(), "English")->actionGroup(), group);
        for (QAction* action : group->actions())
            QVERIFY(action->isCheckable());
        // Nothing chosen yet: the language shown is checked.
        QVERIFY(languageItem(window.get(), "中文")->isChecked());
        QVERIFY(!languageItem(window.get(), "English")->isChecked());
        QCOMPARE(languageMenu(window.get())->title(), QStringLiteral("语言(&L)"));
    }

    void choiceIsRememberedForTheNextStart()
    {
        auto window = newWindow();
        languageItem(window.get(), "English")->trigger();
        QCOMPARE(storedLanguage(), QStringLiteral("en"));
        QVERIFY(languageItem(window.get(), "English")->isChecked());
        QVERIFY(!languageItem(window.get(), "中文")->isChecked());
        QCOMPARE(window->messages,
                 QStringList{QStringLiteral("语言|界面语言将在下次启动 Quorvanta 时切换。")});

        // The next start: the stored choice wins over a Chinese system.
        window = newWindow();
        QVERIFY(languageItem(window.get(), "English")->isChecked());
        QSettings settings;
        QCOMPARE(InterfaceLanguage::resolve(settings, QLocale(QStringLiteral("zh_CN"))),
                 InterfaceLanguage::English);

        // Back to the language shown: stored, nothing to tell.
        languageItem(window.get(), "中文")->trigger();
        QCOMPARE(storedLanguage(), QStringLiteral("zh_CN"));
        QVERIFY(window->messages.isEmpty());
        settings.sync();
        QCOMPARE(InterfaceLanguage::resolve(settings, QLocale(QStringLiteral("en_US"))),
                 InterfaceLanguage::Chinese);
    }

    void messageInTheLanguageShown()
    {
        InterfaceTranslators translators;
        QVERIFY(translators.install(InterfaceLanguage::English));
        const auto window = newWindow();
        languageItem(window.get(), "中文")->trigger();
        QCOMPARE(storedLanguage(), QStringLiteral("zh_CN"));
        QCOMPARE(window->messages,
                 QStringList{QStringLiteral(
                     "Language|The interface language changes the next time Quorvanta starts.")});
    }
};

QTEST_MAIN(TestMainWindowLanguage)
#include "tst_mainwindow_language.moc"
