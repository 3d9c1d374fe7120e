#include "../online/LocalHttpServer.h"
#include "MainWindowTestSupport.h"
#include "app/FeatureSwitches.h"
#include "data/EmbeddedDataAdapter.h"
#include "logging/LogWidget.h"
#include "online/NetworkConfiguration.h"
#include "online/NewsGridWidget.h"
#include "views/NavigationTree.h"

#include <QAction>
#include <QLabel>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

// The window as built with online news and the update check switched on,
// talking to a server on 127.0.0.1.
class TestMainWindowOnline : public QObject
{
    Q_OBJECT

private:
    LocalHttpServer m_server;
    KnowledgeBaseCopy m_data;
    QTemporaryDir m_emptyWorkingDir;
    std::unique_ptr<RecordingMainWindow> m_window;

    QString logText() const { return m_window->findChild<LogWidget*>()->plainText(); }

    QAction* refreshAction(QMainWindow* window) const
    {
        for (QAction* action : window->findChild<QToolBar*>("mainToolBar")->actions()) {
            if (action->text() == QStringLiteral("刷新资讯"))
                return action;
        }
        return nullptr;
    }

    static QByteArray networkConfig(const QUrl& updates, const QUrl& news, bool withNews)
    {
        QJsonObject config{{"updates", QJsonObject{{"endpoint", updates.toString()}, {"timeoutMs", 5000}}}};
        if (withNews)
            config.insert("news", QJsonObject{{"endpoint", news.toString()}, {"pageSize", 24},
                                               {"timeoutMs", 5000},
                                               {"headers", QJsonObject{{"X-Tenant", "qv-test"}}}});
        return QJsonDocument(config).toJson();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(FeatureSwitches::newsEnabled());
        QVERIFY(FeatureSwitches::updateCheckEnabled());
        QCoreApplication::setApplicationVersion(QStringLiteral("1.2.0"));
        EmbeddedDataAdapter::instance().initialize();
        QVERIFY(m_server.listen());
        // Built as an object: moc misreads "//" inside raw string literals.
        const QJsonObject release{{"version", "1.3.0"},
                                  {"releaseNotes", "新增资讯网格"},
                                  {"downloadUrl", "http:" + QString("//127.0.0.1/download")}};
        m_server.setResponse("/api/v1/releases/latest",
                             LocalHttpServer::Response::json(QJsonDocument(release).toJson()));
        m_server.setResponse("/api/v1/news", LocalHttpServer::Response::json(R"({"items":[
            {"id":"n1","title":"第一条","summary":"摘要一","categories":["CAE"],"tags":["仿真"],"publishedAt":"2025-01-02T10:00:00"},
            {"id":"n2","title":"第二条","summary":"摘要二","categories":["CAD"],"tags":["设计"],"publishedAt":"2025-01-01T10:00:00"}],
            "nextSince":"cursor-1"})"));
        QVERIFY(m_data.write("config/network_config.json",
                             networkConfig(m_server.url("/api/v1/releases/latest"),
                                           m_server.url("/api/v1/news"), true)));

        const QString previous = QDir::currentPath();
        QDir::setCurrent(m_emptyWorkingDir.path());
        m_window = std::make_unique<RecordingMainWindow>();
        QDir::setCurrent(previous);
        m_window->setDataPath(m_data.dataDir());
    }

    void cleanupTestCase() { m_window.reset(); }

    void switchedOnLayout()
    {
        QVERIFY(m_window->isNewsEnabled());
        QVERIFY(m_window->isUpdateCheckEnabled());
        QCOMPARE(m_window->findChild<QStackedWidget*>()->count(), 7);
        QStringList texts;
        for (QAction* action : m_window->findChild<QToolBar*>("mainToolBar")->actions()) {
            if (action->isSeparator())
                texts << "|";
            else if (!action->text().isEmpty())
                texts << action->text();
        }
        QCOMPARE(texts, (QStringList{"后退", "前进", "首页", "|", "高级搜索", "|", "刷新资讯", "|", "一键收藏", "收藏夹", "历史记录", "|", "资源文章", "|"}));
        QCOMPARE(refreshAction(m_window.get())->shortcut(), QKeySequence(Qt::Key_F5));
        auto* tree = m_window->findChild<NavigationTree*>();
        QStringList sections;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            sections << NavigationTree::itemPath(tree->topLevelItem(i));
        QVERIFY(sections.contains("news"));
    }

    void updateCheckShowsTheNewVersion()
    {
        auto* label = m_window->findChild<QLabel*>("updateStatusLabel");
        QTRY_COMPARE_WITH_TIMEOUT(label->text(), QStringLiteral("发现新版本 1.3.0"), 10000);
        QCOMPARE(label->styleSheet(), QStringLiteral("color: #D84315;"));
        QCOMPARE(label->toolTip(), QStringLiteral("当前版本: 1.2.0\n最新版本: 1.3.0\n更新内容: 新增资讯网格\n下载: http://127.0.0.1/download"));
        QVERIFY(logText().contains("发现新版本 1.3.0，可访问下载地址: http://127.0.0.1/download"));
    }

    void newsArrives()
    {
        QTRY_VERIFY_WITH_TIMEOUT(logText().contains("最新资讯已同步，共 2 条"), 10000);
        QCOMPARE(m_server.requests("/api/v1/news").last().header("x-tenant"), QByteArray("qv-test"));
        QTRY_VERIFY(refreshAction(m_window.get())->isEnabled());

        emit m_window->findChild<NavigationTree*>()->categorySelected("news");
        auto* stack = m_window->findChild<QStackedWidget*>();
        QCOMPARE(stack->currentWidget(), m_window->findChild<NewsGridWidget*>());
        QCOMPARE(m_window->statusBar()->currentMessage(), QStringLiteral("已切换到最新资讯"));
    }

    void refreshAsksAgain()
    {
        const int before = m_server.requestCount("/api/v1/news");
        refreshAction(m_window.get())->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount("/api/v1/news"), before + 1, 10000);
        QCOMPARE(m_server.requests("/api/v1/news").last().queryValue("since"), QStringLiteral("cursor-1"));
    }

    void failuresGoToTheLabelAndLog()
    {
        m_window->onUpdateCheckFailed("更新请求超时");
        QCOMPARE(m_window->findChild<QLabel*>("updateStatusLabel")->toolTip(), QStringLiteral("更新请求超时"));
        QVERIFY(logText().contains("检查更新失败: 更新请求超时"));
        m_window->onNewsUpdateFailed("资讯请求超时");
        QVERIFY(logText().contains("刷新资讯失败: 资讯请求超时"));
    }

    void withoutNewsConfigurationRefreshIsDisabled()
    {
        KnowledgeBaseCopy data;
        QVERIFY(data.write("config/network_config.json",
                           networkConfig(m_server.url("/api/v1/releases/latest"), QUrl(), false)));
        RecordingMainWindow window;
        window.setDataPath(data.dataDir());
        QVERIFY(!refreshAction(&window)->isEnabled());
        QCOMPARE(window.findChild<QLabel*>("updateStatusLabel")->text(), QStringLiteral("尚未检查更新"));
    }

    void localFallbackWhenNothingArrived()
    {
        KnowledgeBaseCopy data;
        QVERIFY(data.write("config/network_config.json",
                           networkConfig(m_server.url("/missing"), m_server.url("/missing"), true)));
        m_server.setResponse("/missing", LocalHttpServer::Response::error(404, "Not Found"));
        // No cached news either (the first window cached its fetch).
        QFile::remove(NetworkConfiguration::newsCacheFilePath(data.dataDir()));
        RecordingMainWindow window;
        window.setDataPath(data.dataDir());
        emit window.findChild<NavigationTree*>()->categorySelected("news");
        QTRY_VERIFY(window.findChild<LogWidget*>()->plainText().contains("加载本地示例资讯 10 条"));
    }
};

QTEST_MAIN(TestMainWindowOnline)
#include "tst_mainwindow_online.moc"
