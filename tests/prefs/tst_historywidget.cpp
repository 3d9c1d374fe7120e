#include "prefs/HistoryWidget.h"
#include "prefs/UserPreferences.h"

#include "../support/ModalAnswerer.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

#include <cerrno>
#include <memory>

namespace {

QString ago(qint64 seconds)
{
    return QDateTime::currentDateTime().addSecs(-seconds).toString(Qt::ISODate);
}

QJsonObject entry(const QString& id, const QString& name, const QString& category,
                  qint64 secondsAgo, int count, const QString& query = QString())
{
    return {{"id", id},
            {"name", name},
            {"category", category},
            {"filePath", "data/" + id + ".json"},
            {"accessTime", ago(secondsAgo)},
            {"accessCount", count},
            {"searchQuery", query}};
}

QJsonObject search(const QString& query, qint64 secondsAgo, int results, const QString& category,
                   const QJsonArray& filters = {})
{
    return {{"query", query},
            {"searchTime", ago(secondsAgo)},
            {"resultCount", results},
            {"category", category},
            {"filters", filters}};
}

bool writeJson(const QString& path, const QJsonObject& root)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(root).toJson()) > 0;
}

QStringList column(QTreeWidget* list, int index)
{
    QStringList result;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        result.append(list->topLevelItem(i)->text(index));
    return result;
}

} // namespace

class TestHistoryWidget : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalAnswerer> m_answerer;
    std::unique_ptr<UserPreferences> m_prefs;
    std::unique_ptr<HistoryWidget> m_widget;

    template <typename T> T* child(const char* name)
    {
        T* widget = m_widget->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    QTreeWidget* browse() { return child<QTreeWidget>("historyList"); }
    QTreeWidget* searches() { return child<QTreeWidget>("searchList"); }
    QString details() { return child<QTextEdit>("detailsView")->toPlainText(); }

    QTreeWidgetItem* item(QTreeWidget* list, const QString& text)
    {
        const auto found = list->findItems(text, Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.first();
    }
    void click(QTreeWidget* list, const QString& text)
    {
        QTreeWidgetItem* target = item(list, text);
        QVERIFY(target);
        list->setCurrentItem(target);
        emit list->itemClicked(target, 0);
    }
    QAction* action(const QString& text)
    {
        const QList<QAction*> actions = child<QMenu>("contextMenu")->actions();
        for (QAction* candidate : actions) {
            if (candidate->text() == text)
                return candidate;
        }
        qFatal("no action");
        return nullptr;
    }

    void start(const QJsonObject& root)
    {
        QVERIFY(writeJson(m_dir->filePath("user_preferences.json"), root));
        QVERIFY(m_prefs->initialize(m_dir->path()));
        m_widget->setUserPreferences(m_prefs.get());
        m_widget->show();
    }

    void startStandard()
    {
        start({{"history", QJsonArray{entry("five", "Five", "cfd", 3 * 3600 + 600, 5),
                                      entry("twonew", "Two new", "cad", 61, 2, "cad kernels"),
                                      entry("twoold", "Two old", "cad", 6 * 86400, 2),
                                      entry("primer", "CAE primer", "docs", 10, 1)}},
               {"searchHistory",
                QJsonArray{search("mesh quality", 100, 12, "cae", QJsonArray{"free", "cae"}),
                           search("Turbulence", 30, 3, ""),
                           search("CAE solvers", 5, 40, "software")}}});
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_answerer = std::make_unique<ModalAnswerer>();
        m_prefs = std::make_unique<UserPreferences>();
        m_widget = std::make_unique<HistoryWidget>();
    }

    void cleanup()
    {
        m_widget.reset();
        m_prefs.reset();
        QCOMPARE(m_answerer->unansweredQuestions, 0);
        m_answerer.reset();
        m_dir.reset();
    }

    void layoutTexts()
    {
        QCOMPARE(child<QLabel>("countLabel")->text(), QStringLiteral("历史记录: 0 个项目"));
        QCOMPARE(child<QTextEdit>("detailsView")->toPlainText(),
                 QStringLiteral("选择一个历史记录查看详细信息"));
        QVERIFY(child<QTextEdit>("detailsView")->isReadOnly());
        QCOMPARE(child<QTextEdit>("detailsView")->maximumHeight(), 200);

        auto* search = child<QLineEdit>("searchEdit");
        QCOMPARE(search->placeholderText(), QStringLiteral("搜索历史记录..."));
        QVERIFY(search->isClearButtonEnabled());
        auto* modes = child<QComboBox>("viewModeBox");
        QCOMPARE(modes->minimumWidth(), 100);
        QCOMPARE(modes->count(), 3);
        const QStringList texts{"最近访问", "访问次数", "按分类"};
        const QStringList data{"recent", "frequent", "category"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(modes->itemText(i), texts.at(i));
            QCOMPARE(modes->itemData(i).toString(), data.at(i));
        }
        QCOMPARE(child<QPushButton>("clearButton")->text(), QStringLiteral("清空历史"));
        QCOMPARE(child<QPushButton>("clearButton")->maximumWidth(), 80);

        auto* tabs = child<QTabWidget>("tabWidget");
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("浏览历史"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("搜索历史"));

        const auto headers = [](QTreeWidget* list) {
            QStringList result;
            for (int i = 0; i < list->columnCount(); ++i)
                result.append(list->headerItem()->text(i));
            return result;
        };
        QCOMPARE(headers(browse()), (QStringList{"名称", "分类", "访问时间", "访问次数"}));
        QCOMPARE(headers(searches()), (QStringList{"搜索查询", "搜索时间", "结果数量", "分类"}));
        QCOMPARE(browse()->columnWidth(0), 200);
        QCOMPARE(browse()->columnWidth(1), 100);
        QCOMPARE(browse()->columnWidth(2), 150);
        QCOMPARE(searches()->columnWidth(0), 200);
        QCOMPARE(searches()->columnWidth(1), 150);
        QCOMPARE(searches()->columnWidth(2), 80);
        QCOMPARE(browse()->contextMenuPolicy(), Qt::CustomContextMenu);
        QVERIFY(searches()->contextMenuPolicy() != Qt::CustomContextMenu);
        for (QTreeWidget* list : {browse(), searches()}) {
            QVERIFY(!list->rootIsDecorated());
            QVERIFY(list->alternatingRowColors());
            QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
        }
    }

    void recentMode()
    {
        startStandard();
        QCOMPARE(column(browse(), 0), (QStringList{"CAE primer", "Two new", "Five", "Two old"}));
        QCOMPARE(column(browse(), 2), (QStringList{"刚刚", "1分钟前", "3小时前", "6天前"}));
        QCOMPARE(column(browse(), 3), (QStringList{"1", "2", "5", "2"}));
        QCOMPARE(item(browse(), "Five")->data(0, Qt::UserRole).toString(), QStringLiteral("five"));
        QCOMPARE(item(browse(), "Five")->data(0, Qt::UserRole + 1).toString(),
                 QStringLiteral("data/five.json"));
        QCOMPARE(child<QLabel>("countLabel")->text(), QStringLiteral("历史记录: 4 个项目"));

        QCOMPARE(column(searches(), 0), (QStringList{"mesh quality", "Turbulence", "CAE solvers"}));
        QCOMPARE(column(searches(), 1), (QStringList{"1分钟前", "刚刚", "刚刚"}));
        QCOMPARE(column(searches(), 2), (QStringList{"12", "3", "40"}));
        QCOMPARE(column(searches(), 3), (QStringList{"cae", "", "software"}));
    }

    void frequentMode()
    {
        startStandard();
        auto* modes = child<QComboBox>("viewModeBox");
        QCOMPARE(modes->itemData(1).toString(), QStringLiteral("frequent"));
        modes->setCurrentIndex(1);
        QCOMPARE(column(browse(), 0), (QStringList{"Five", "Two new", "Two old", "CAE primer"}));
        modes->setCurrentIndex(2); // "按分类" lists like "最近访问"
        QCOMPARE(column(browse(), 0), (QStringList{"CAE primer", "Two new", "Five", "Two old"}));
    }

    void filterBothLists()
    {
        startStandard();
        child<QLineEdit>("searchEdit")->setText("cae");
        QCOMPARE(column(browse(), 0), QStringList{"CAE primer"});
        QCOMPARE(column(searches(), 0), (QStringList{"mesh quality", "CAE solvers"}));
        QCOMPARE(child<QLabel>("countLabel")->text(), QStringLiteral("历史记录: 1 个项目"));
        child<QLineEdit>("searchEdit")->setText("CAD");
        QCOMPARE(column(browse(), 0), (QStringList{"Two new", "Two old"}));
        QCOMPARE(searches()->topLevelItemCount(), 0);
    }

    void browseDetails()
    {
        startStandard();
        QSignalSpy selected(m_widget.get(), &HistoryWidget::historyItemSelected);
        click(browse(), "Two new");
        QCOMPARE(details(),
                 QStringLiteral("名称: Two new\n分类: cad\n文件路径: data/twonew.json\n"
                                "最后访问: 1分钟前\n访问次数: 2 次\n搜索查询: cad kernels\n"));
        click(browse(), "Five");
        QCOMPARE(details(), QStringLiteral("名称: Five\n分类: cfd\n文件路径: data/five.json\n"
                                           "最后访问: 3小时前\n访问次数: 5 次\n"));
        QCOMPARE(selected.count(), 2);
        QCOMPARE(selected.at(1).at(0).toString(), QStringLiteral("data/five.json"));
    }

    void searchDetails()
    {
        startStandard();
        QSignalSpy selected(m_widget.get(), &HistoryWidget::searchQuerySelected);
        click(searches(), "mesh quality");
        QCOMPARE(details(),
                 QStringLiteral("搜索查询: mesh quality\n搜索时间: 1分钟前\n结果数量: 12 个\n"
                                "搜索分类: cae\n使用筛选: free, cae\n"));
        click(searches(), "Turbulence");
        QCOMPARE(details(),
                 QStringLiteral("搜索查询: Turbulence\n搜索时间: 刚刚\n结果数量: 3 个\n"));
        QCOMPARE(selected.count(), 2);
        QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("mesh quality"));
    }

    void entryBeyondTheFiftyMostRecentShowsNoDetails()
    {
        QJsonArray history;
        for (int i = 0; i < 60; ++i)
            history.append(
                entry(QString("e%1").arg(i), QString("Entry %1").arg(i), "cad", 100 + i, 1));
        start({{"history", history}});
        QCOMPARE(browse()->topLevelItemCount(), 60);
        click(browse(), "Entry 3");
        const QString shown = details();
        QVERIFY(shown.startsWith("名称: Entry 3\n"));
        QSignalSpy selected(m_widget.get(), &HistoryWidget::historyItemSelected);
        click(browse(), "Entry 55");
        QCOMPARE(details(), shown);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("data/e55.json"));
    }

    void searchListShowsAtMostAHundred()
    {
        QJsonArray list;
        for (int i = 0; i < 150; ++i)
            list.append(search(QString("q%1").arg(i), 10, i, ""));
        start({{"searchHistory", list}, {"settings", QJsonObject{{"maxSearchHistory", 200}}}});
        QCOMPARE(m_prefs->getSearchHistory().size(), 150);
        QCOMPARE(searches()->topLevelItemCount(), 100);
        QCOMPARE(searches()->topLevelItem(99)->text(0), QStringLiteral("q99"));
    }

    void openingAndContextMenu()
    {
        startStandard();
        QSignalSpy activated(m_widget.get(), &HistoryWidget::historyItemActivated);
        emit browse()->itemDoubleClicked(item(browse(), "Five"), 0);
        click(browse(), "Two old");
        action("打开")->trigger();
        QCOMPARE(activated.count(), 2);
        QCOMPARE(activated.at(0).at(0).toString(), QStringLiteral("data/five.json"));
        QCOMPARE(activated.at(1).at(0).toString(), QStringLiteral("data/twoold.json"));

        action("复制路径")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("data/twoold.json"));

        action("添加到收藏")->trigger();
        QCOMPARE(m_answerer->boxes.size(), 1);
        QCOMPARE(m_answerer->boxes.at(0).title, QStringLiteral("提示"));
        QCOMPARE(m_answerer->boxes.at(0).text, QStringLiteral("添加到收藏功能待实现"));
        QVERIFY(m_prefs->getFavorites().isEmpty());

        const QList<QAction*> actions = child<QMenu>("contextMenu")->actions();
        QCOMPARE(actions.size(), 6);
        QCOMPARE(actions.at(3)->text(), QStringLiteral("从历史中移除"));
        QVERIFY(actions.at(2)->isSeparator());
        QVERIFY(actions.at(4)->isSeparator());
    }

    void removeEntry()
    {
        startStandard();
        click(browse(), "Five");
        m_answerer->answer(QMessageBox::No);
        action("从历史中移除")->trigger();
        QCOMPARE(browse()->topLevelItemCount(), 4);
        QCOMPARE(m_answerer->boxes.at(0).title, QStringLiteral("确认删除"));
        QCOMPARE(m_answerer->boxes.at(0).text,
                 QStringLiteral("确定要从历史记录中移除 \"Five\" 吗？"));

        m_answerer->answer(QMessageBox::Yes);
        action("从历史中移除")->trigger();
        QCOMPARE(column(browse(), 0), (QStringList{"CAE primer", "Two new", "Two old"}));
        QCOMPARE(m_answerer->boxes.last().title, QStringLiteral("成功"));
        QCOMPARE(m_answerer->boxes.last().text, QStringLiteral("已从历史记录中移除"));
        QCOMPARE(m_prefs->getHistory().size(), 3);
    }

    void contextMenuActsOnTheEntryUnderTheCursor()
    {
        startStandard();
        click(browse(), "Five");
        QTreeWidgetItem* twoOld = item(browse(), "Two old");
        emit browse()->customContextMenuRequested(browse()->visualItemRect(twoOld).center());
        child<QMenu>("contextMenu")->hide();
        QCOMPARE(browse()->currentItem(), twoOld);
        QVERIFY(details().startsWith("名称: Two old\n"));

        m_answerer->answer(QMessageBox::Yes);
        action("从历史中移除")->trigger();
        QCOMPARE(m_answerer->boxes.at(0).text,
                 QStringLiteral("确定要从历史记录中移除 \"Two old\" 吗？"));
        QCOMPARE(column(browse(), 0), (QStringList{"CAE primer", "Two new", "Five"}));
    }

    void removeActsOnTheCurrentEntry()
    {
        startStandard();
        click(browse(), "Five");
        browse()->setCurrentItem(item(browse(), "Two new"));
        m_answerer->answer(QMessageBox::Yes);
        action("从历史中移除")->trigger();
        QCOMPARE(m_answerer->boxes.at(0).text,
                 QStringLiteral("确定要从历史记录中移除 \"Two new\" 吗？"));
        QCOMPARE(column(browse(), 0), (QStringList{"CAE primer", "Five", "Two old"}));
    }

    void clearFollowsTheTab_data()
    {
        QTest::addColumn<bool>("searchTab");
        QTest::addColumn<QString>("subject");
        QTest::newRow("browse") << false << "浏览历史";
        QTest::newRow("search") << true << "搜索历史";
    }

    void clearFollowsTheTab()
    {
        QFETCH(bool, searchTab);
        QFETCH(QString, subject);
        startStandard();
        child<QTabWidget>("tabWidget")->setCurrentIndex(searchTab ? 1 : 0);
        QCOMPARE(child<QTabWidget>("tabWidget")->tabText(searchTab ? 1 : 0), subject);

        m_answerer->answer(QMessageBox::No);
        child<QPushButton>("clearButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 1);
        QCOMPARE(m_answerer->boxes.at(0).title, QStringLiteral("确认清空"));
        QCOMPARE(m_answerer->boxes.at(0).text,
                 QStringLiteral("确定要清空所有%1吗？此操作不可恢复。").arg(subject));
        QCOMPARE(m_prefs->getHistory().size(), 4);

        m_answerer->answer(QMessageBox::Yes);
        child<QPushButton>("clearButton")->click();
        QCOMPARE(m_answerer->boxes.last().title, QStringLiteral("成功"));
        QCOMPARE(m_answerer->boxes.last().text, QStringLiteral("已清空所有%1").arg(subject));
        QCOMPARE(m_prefs->getHistory().size(), searchTab ? 4 : 0);
        QCOMPARE(m_prefs->getSearchHistory().size(), searchTab ? 0 : 3);
        QCOMPARE(browse()->topLevelItemCount(), searchTab ? 4 : 0);
        QCOMPARE(searches()->topLevelItemCount(), searchTab ? 0 : 3);
    }

    void failedChangesAreReported_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::newRow("remove") << "remove"
                                << "移除失败";
        QTest::newRow("clear browse history") << "browse"
                                              << "清空浏览历史失败";
        QTest::newRow("clear search history") << "search"
                                              << "清空搜索历史失败";
    }

    void failedChangesAreReported()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        startStandard();
        // The file cannot be written any more: a directory took its place.
        const QString path = m_dir->filePath("user_preferences.json");
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));

        m_answerer->answer(QMessageBox::Yes);
        if (change == "remove") {
            click(browse(), "Five");
            action("从历史中移除")->trigger();
        } else {
            child<QTabWidget>("tabWidget")->setCurrentIndex(change == "search" ? 1 : 0);
            child<QPushButton>("clearButton")->click();
        }
        QCOMPARE(m_answerer->boxes.size(), 2);
        QCOMPARE(m_answerer->boxes.at(1).icon, QMessageBox::Warning);
        QCOMPARE(m_answerer->boxes.at(1).title, QStringLiteral("错误"));
        QCOMPARE(m_answerer->boxes.at(1).text,
                 message + "\n无法保存用户偏好文件: " + QDir::toNativeSeparators(path) +
                     "\n原因: " + qt_error_string(EISDIR));
        // What is shown is what the file held.
        QCOMPARE(browse()->topLevelItemCount(), 4);
        QCOMPARE(searches()->topLevelItemCount(), 3);
        QCOMPARE(m_prefs->getHistory().size(), 4);
        QCOMPARE(m_prefs->getSearchHistory().size(), 3);
    }

    void followsTheStore()
    {
        startStandard();
        m_prefs->addToHistory("fresh", "Fresh", "eda", "data/fresh.json", "");
        QCOMPARE(browse()->topLevelItem(0)->text(0), QStringLiteral("Fresh"));
        QCOMPARE(child<QLabel>("countLabel")->text(), QStringLiteral("历史记录: 5 个项目"));

        // A store that is replaced no longer drives the panel.
        UserPreferences other;
        m_widget->setUserPreferences(&other);
        m_prefs->addToHistory("late", "Late", "eda", "data/late.json", "");
        QCOMPARE(browse()->topLevelItemCount(), 0);
        m_widget->setUserPreferences(nullptr);
    }
};

QTEST_MAIN(TestHistoryWidget)
#include "tst_historywidget.moc"
