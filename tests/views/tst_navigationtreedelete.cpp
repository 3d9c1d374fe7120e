#include "../data/TestDataDir.h"
#include "data/DataManager.h"
#include "data/EmbeddedDataAdapter.h"
#include "views/NavigationTree.h"

#include <QTreeWidgetItemIterator>
#include <QtTest>

#include <memory>

// "删除" over a data directory together with the embedded copy, as the program
// runs it: embedded entries carry "data/..." keys, which name a place in the
// knowledge base and never a file below the working directory.

namespace {

QTreeWidgetItem* findPath(QTreeWidget& tree, const QString& path)
{
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        if (NavigationTree::itemPath(*it) == path)
            return *it;
    }
    return nullptr;
}

class ScriptedTree : public NavigationTree
{
public:
    QStringList messages;

protected:
    bool confirmDelete(const QString&) override { return true; }
    void showInformation(const QString& title, const QString& text) override
    {
        messages << "information|" + title + "|" + text;
    }
    void showWarning(const QString& title, const QString& text) override
    {
        messages << "warning|" + title + "|" + text;
    }
};

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

class TestNavigationTreeDelete : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EmbeddedDataAdapter::instance().initialize(); }

    void deleteResolvesAgainstTheDataDirectory_data()
    {
        QTest::addColumn<QString>("itemPath"); // "@" stands for the data directory
        QTest::addColumn<QString>("diskFile");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message"); // "@" as above
        QTest::addColumn<QString>("itemAfter");
        QTest::newRow("embedded only")
            << "data/companies/ansys.json"
            << "" << QByteArray() << "warning|无法删除|'%1' 是程序内置的条目，没有可删除的文件。"
            << "data/companies/ansys.json";
        QTest::newRow("embedded entry with a copy in the data directory")
            << "data/companies/ansys.json"
            << "companies/ansys.json" << QByteArray(R"({"id":"ansys","name":"Ansys"})")
            << "information|删除成功|文件已删除: "
               "@companies/ansys.json\n程序内置的同一条目仍会显示。"
            << "data/companies/ansys.json";
        QTest::newRow("disk file shadowing an embedded entry")
            << "@software/cad/qv_catia_copy.json"
            << "software/cad/qv_catia_copy.json"
            << QByteArray(R"({"id":"catia","name":"My CATIA"})")
            << "information|删除成功|文件已删除: @software/cad/qv_catia_copy.json\n"
               "程序内置的同一条目仍会显示。"
            << "data/software/cad/catia.json";
        QTest::newRow("disk only")
            << "@software/cad/qv_own.json"
            << "software/cad/qv_own.json" << QByteArray(R"({"id":"qv_own","name":"Own"})")
            << "information|删除成功|文件已删除"
            << "";
    }
    void deleteResolvesAgainstTheDataDirectory()
    {
        QFETCH(QString, itemPath);
        QFETCH(QString, diskFile);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(QString, itemAfter);

        TestDataDir data;
        if (!diskFile.isEmpty())
            QVERIFY(data.write(diskFile, content));
        // A working directory with its own knowledge base: none of it may be touched.
        TestDataDir elsewhere;
        QVERIFY(elsewhere.write("data/companies/ansys.json", R"({"id":"ansys"})"));
        WorkingDirectory cwd(elsewhere.filePath(""));

        DataManager manager;
        manager.setDataPath(data.dataPath());
        manager.initialize();
        ScriptedTree tree;
        tree.setNewsEnabled(false);
        tree.setDataManager(&manager);

        itemPath.replace("@", data.dataPath());
        QTreeWidgetItem* item = tree.itemForPath(itemPath);
        QVERIFY2(item, qPrintable(itemPath));
        const QString label = item->text(0);
        tree.setCurrentItem(item);
        tree.onDelete();

        message.replace("@", data.dataPath());
        QCOMPARE(tree.messages, QStringList{message.arg(label)});
        QVERIFY(QFile::exists(elsewhere.filePath("data/companies/ansys.json")));
        if (!diskFile.isEmpty())
            QVERIFY(!QFile::exists(data.filePath(diskFile)));
        QVERIFY(!tree.itemForPath(itemPath) || itemPath == itemAfter);
        if (!itemAfter.isEmpty())
            QVERIFY2(tree.itemForPath(itemAfter), qPrintable(itemAfter));
        // A refresh shows the same: nothing the user was not told about comes back.
        tree.onRefresh();
        QVERIFY(!tree.itemForPath(itemPath) || itemPath == itemAfter);
        if (!itemAfter.isEmpty())
            QVERIFY(tree.itemForPath(itemAfter));
        QVERIFY(findPath(tree, "companies"));
    }
};

QTEST_MAIN(TestNavigationTreeDelete)
#include "tst_navigationtreedelete.moc"
