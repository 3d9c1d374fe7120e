#include "data/DataManager.h"
#include "data/EmbeddedDataAdapter.h"
#include "views/NavigationTree.h"

#include <QSignalSpy>
#include <QTreeWidgetItemIterator>
#include <QtTest>

#include <memory>

// The tree over the real knowledge base: the source tree's data directory
// together with the embedded copy, as the program sees it.

namespace {

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

QStringList entryLabels(const QJsonArray& entries)
{
    QStringList labels;
    for (const QJsonValue& value : entries)
        labels << NavigationTree::entryLabel(value.toObject());
    return labels;
}

QStringList entryPaths(const QJsonArray& entries)
{
    QStringList paths;
    for (const QJsonValue& value : entries)
        paths << value.toObject().value("_filePath").toString();
    return paths;
}

QTreeWidgetItem* findPath(QTreeWidget& tree, const QString& path)
{
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        if (NavigationTree::itemPath(*it) == path)
            return *it;
    }
    return nullptr;
}

} // namespace

class TestNavigationTreeKnowledgeBase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_manager = std::make_unique<DataManager>();
        m_manager->setDataPath(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR));
        m_manager->initialize();
        m_config = m_manager->getCategories();
        QVERIFY(m_config.contains("softwareCategories"));
    }

    void init()
    {
        m_tree = std::make_unique<NavigationTree>();
        m_tree->setNewsEnabled(false);
        m_tree->setDataManager(m_manager.get());
    }

    void cleanup() { m_tree.reset(); }

    void sections()
    {
        QStringList labels;
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
            labels << m_tree->topLevelItem(i)->text(0);
        QCOMPARE(labels, QStringList({"工业软件", "公司企业", "核心技术", "学科领域", "图片资源"}));
    }

    void softwareCategories()
    {
        const QJsonObject categories = m_config.value("softwareCategories").toObject();
        // The shipped file also lists BIM, MBSE and ERP; the tree leaves them out.
        QVERIFY(categories.contains("BIM"));
        QTreeWidgetItem* software = findPath(*m_tree, "software");
        QVERIFY(software->isExpanded());
        QCOMPARE(childPaths(software),
                 QStringList({"software/cad", "software/cae", "software/cfd", "software/cam",
                              "software/eda", "software/plm"}));
        const QStringList keys{"CAD", "CAE", "CFD", "CAM", "EDA", "PLM"};
        for (int i = 0; i < keys.size(); ++i) {
            const QJsonObject category = categories.value(keys.at(i)).toObject();
            QTreeWidgetItem* item = software->child(i);
            QCOMPARE(item->text(0), category.value("name").toString());
            QCOMPARE(item->toolTip(0), category.value("description").toString());

            const QJsonArray entries = m_manager->getSoftwareList(keys.at(i).toLower());
            QVERIFY2(!entries.isEmpty(), qPrintable(keys.at(i)));
            QCOMPARE(childLabels(item), entryLabels(entries));
            QCOMPARE(childPaths(item), entryPaths(entries));
            for (int row = 0; row < item->childCount(); ++row) {
                const QJsonObject entry = entries.at(row).toObject();
                // Entries without a version (several PLM entries) show their name alone.
                const QString version = entry.value("currentVersion").toString();
                QCOMPARE(item->child(row)->text(0),
                         entry.value("name").toString() +
                             (version.isEmpty() ? QString() : " (" + version + ")"));
                QCOMPARE(item->child(row)->toolTip(0),
                         entry.value("description").toObject().value("zh").toString());
                QCOMPARE(m_tree->itemForPath(entry.value("_filePath").toString()),
                         item->child(row));
            }
        }
    }

    void companiesAndPictures()
    {
        const QJsonArray companies = m_manager->getCompaniesList();
        QVERIFY(!companies.isEmpty());
        QTreeWidgetItem* item = findPath(*m_tree, "companies");
        QCOMPARE(childLabels(item), entryLabels(companies));
        QCOMPARE(childPaths(item), entryPaths(companies));

        QTreeWidgetItem* pictures = findPath(*m_tree, "pictures");
        QVERIFY(pictures->isExpanded());
        QCOMPARE(childPaths(pictures), entryPaths(m_manager->getPicturesList()));
    }

    void technologies()
    {
        const QJsonObject categories = m_config.value("technologyCategories").toObject();
        QTreeWidgetItem* technologies = findPath(*m_tree, "technologies");
        QCOMPARE(technologies->childCount(), categories.size());
        int row = 0;
        for (auto it = categories.begin(); it != categories.end(); ++it, ++row) {
            QTreeWidgetItem* item = technologies->child(row);
            QCOMPARE(NavigationTree::itemPath(item), "technologies/" + it.key());
            QCOMPARE(item->text(0), it.value().toObject().value("name").toString());
            QCOMPARE(childPaths(item), entryPaths(m_manager->getTechnologiesList(it.key())));
        }
        QVERIFY(findPath(*m_tree, "technologies/kernels")->childCount() > 0);
    }

    void disciplines()
    {
        const QJsonObject categories = m_config.value("disciplineCategories").toObject();
        QTreeWidgetItem* disciplines = findPath(*m_tree, "disciplines");
        QCOMPARE(disciplines->childCount(), categories.size());
        int row = 0;
        for (auto it = categories.begin(); it != categories.end(); ++it, ++row) {
            const QJsonObject discipline = it.value().toObject();
            QTreeWidgetItem* item = disciplines->child(row);
            QCOMPARE(NavigationTree::itemPath(item), "disciplines/" + it.key());
            QCOMPARE(item->text(0), discipline.value("name").toString());
            QCOMPARE(item->toolTip(0),
                     discipline.value("description").toObject().value("zh").toString());
            QStringList subPaths;
            for (const QJsonValue& sub : discipline.value("subDisciplines").toArray())
                subPaths << "disciplines/" + it.key() + "/" + sub.toObject().value("id").toString();
            QCOMPARE(childPaths(item), subPaths);
        }
    }

    void expandingADisciplineLoadsItsDocuments()
    {
        QTreeWidgetItem* optics = findPath(*m_tree, "disciplines/optics");
        QVERIFY(optics);
        QCOMPARE(optics->childCount(), 0);
        findPath(*m_tree, "disciplines")->setExpanded(true);
        optics->setExpanded(true);
        const QJsonArray documents = m_manager->getDisciplinesList("optics");
        QVERIFY(!documents.isEmpty());
        QCOMPARE(childPaths(optics), entryPaths(documents));

        QTreeWidgetItem* fatigue = findPath(*m_tree, "disciplines/structural/fatigue");
        findPath(*m_tree, "disciplines/structural")->setExpanded(true);
        fatigue->setExpanded(true);
        QCOMPARE(childPaths(fatigue),
                 entryPaths(m_manager->getDisciplinesList("structural/fatigue")));
        QVERIFY(fatigue->childCount() > 0);
    }

    void clickingAnEntrySelectsItsPath()
    {
        const QJsonObject first = m_manager->getSoftwareList("cad").first().toObject();
        const QString path = first.value("_filePath").toString();
        QSignalSpy spy(m_tree.get(), &NavigationTree::itemSelected);
        m_tree->onItemClicked(m_tree->itemForPath(path), 0);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), path);
        QCOMPARE(m_manager->loadJsonFile(path).value("id"), first.value("id"));
    }

    void searchHighlightOverTheRealTree()
    {
        const QJsonArray eda = m_manager->getSoftwareList("eda");
        const QJsonArray companies = m_manager->getCompaniesList();
        QJsonArray results{eda.first(), companies.last()};
        findPath(*m_tree, "software")->setExpanded(false);
        m_tree->highlightSearchResults(results);
        QCOMPARE(m_tree->highlightedItems().size(), 2);
        QVERIFY(findPath(*m_tree, "software")->isExpanded());
        QVERIFY(findPath(*m_tree, "software/eda")->isExpanded());
        QVERIFY(findPath(*m_tree, "companies")->isExpanded());

        m_tree->onRefresh();
        QVERIFY(m_tree->highlightedItems().isEmpty());
        m_tree->highlightSearchResults(results);
        QCOMPARE(m_tree->highlightedItems().size(), 2);
        for (QTreeWidgetItem* item : m_tree->highlightedItems())
            QCOMPARE(item->treeWidget(), m_tree.get());
    }

private:
    std::unique_ptr<DataManager> m_manager;
    std::unique_ptr<NavigationTree> m_tree;
    QJsonObject m_config;
};

QTEST_MAIN(TestNavigationTreeKnowledgeBase)
#include "tst_navigationtreeknowledgebase.moc"
