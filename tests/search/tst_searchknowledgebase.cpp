#include "TestableSearchDialog.h"
#include "data/DataManager.h"
#include "search/MarkdownSearcher.h"
#include "search/SearchEngine.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

const QString kDataDir = QStringLiteral(QUORVANTA_SOURCE_DATA_DIR);

QStringList names(const QJsonArray& entries)
{
    QStringList result;
    for (const QJsonValue& value : entries)
        result << value.toObject().value("name").toString();
    return result;
}

} // namespace

// Searches over the knowledge base the program ships, set up as the main
// window sets it up: embedded copy first, the data directory beside it.
class TestSearchKnowledgeBase : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DataManager> m_dataManager;

    template <typename T> static T* child(const SearchDialog& dialog, const char* name)
    {
        T* widget = dialog.findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("missing child widget %s", name);
        return widget;
    }

    static QList<double> relevances(const QTreeWidget* tree)
    {
        QList<double> values;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            values << tree->topLevelItem(i)->text(4).toDouble();
        return values;
    }

    static void clickHeader(QTreeWidget* tree, int column)
    {
        QHeaderView* header = tree->header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    // Rows arrive most relevant first; the name column sorts by text and the
    // relevance column by number, both ways.
    static void checkHeaderSorting(QTreeWidget* tree)
    {
        const QList<double> ranked = relevances(tree);
        QVERIFY(std::is_sorted(ranked.rbegin(), ranked.rend()));

        clickHeader(tree, 0);
        QCOMPARE(tree->sortColumn(), 0);
        QStringList names;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            names << tree->topLevelItem(i)->text(0);
        QStringList sortedNames = names;
        std::sort(sortedNames.begin(), sortedNames.end(), [](const QString& a, const QString& b) {
            return QString::localeAwareCompare(a, b) < 0;
        });
        if (tree->header()->sortIndicatorOrder() == Qt::DescendingOrder)
            std::reverse(sortedNames.begin(), sortedNames.end());
        QCOMPARE(names, sortedNames);

        clickHeader(tree, 4);
        QCOMPARE(tree->sortColumn(), 4);
        QList<double> once = relevances(tree);
        clickHeader(tree, 4);
        QList<double> twice = relevances(tree);
        if (tree->header()->sortIndicatorOrder() == Qt::AscendingOrder)
            std::swap(once, twice);
        QVERIFY(std::is_sorted(once.begin(), once.end()));
        QVERIFY(std::is_sorted(twice.rbegin(), twice.rend()));
        QVERIFY(once != twice);
    }

private slots:
    void initTestCase()
    {
        m_dataManager = std::make_unique<DataManager>();
        m_dataManager->setDataPath(kDataDir);
        m_dataManager->initialize();
    }

    void quickSearch_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("first");
        QTest::newRow("cad product") << "autocad"
                                     << "AutoCAD";
        QTest::newRow("cfd product") << "Ansys Fluent"
                                     << "Ansys Fluent";
        QTest::newRow("open source") << "OpenFOAM"
                                     << "OpenFOAM";
        QTest::newRow("kernel") << "Parasolid"
                                << "Parasolid";
        QTest::newRow("company") << "Hexagon"
                                 << "Hexagon";
        QTest::newRow("chinese name") << "中望3D"
                                      << "中望3D (ZW3D)";
        QTest::newRow("plm product") << "Windchill"
                                     << "Windchill";
        QTest::newRow("plm product, two words") << "Aras Innovator"
                                                << "Aras Innovator";
        QTest::newRow("data-exchange standard") << "AP242"
                                                << "STEP AP242";
    }

    void quickSearch()
    {
        QFETCH(QString, query);
        QFETCH(QString, first);
        SearchEngine engine;
        QSignalSpy completed(&engine, &SearchEngine::searchCompleted);
        const QJsonArray results =
            engine.search(query, m_dataManager.get(), SearchEngine::FuzzyMatch);
        QVERIFY(!results.isEmpty());
        QCOMPARE(results.first().toObject().value("name").toString(), first);
        QCOMPARE(completed.count(), 1);
        QCOMPARE(completed.first().at(0).toJsonArray(), results);

        double previous = std::numeric_limits<double>::max();
        for (const QJsonValue& value : results) {
            const QJsonObject entry = value.toObject();
            QVERIFY(engine.matchesQuery(entry, query, SearchEngine::FuzzyMatch));
            const double score = engine.calculateScore(entry, query);
            QVERIFY(score <= previous);
            previous = score;
        }
    }

    void otherModes()
    {
        SearchEngine engine;
        DataManager* manager = m_dataManager.get();
        QVERIFY(names(engine.search("^AutoCAD$|^Parasolid", manager, SearchEngine::RegexMatch))
                    .contains("Parasolid"));
        QVERIFY(engine.search("[", manager, SearchEngine::RegexMatch).isEmpty());

        const QJsonArray semantic =
            engine.search("的 OpenFOAM", manager, SearchEngine::SemanticMatch);
        QVERIFY(names(semantic).contains("OpenFOAM"));
        for (const QJsonValue& value : semantic)
            QVERIFY(
                engine.semanticMatch(engine.extractSearchableText(value.toObject()), "openfoam"));
        QVERIFY(engine.search("数字孪生", manager, SearchEngine::SemanticMatch).isEmpty());

        const QJsonArray exact = engine.search("Parasolid", manager, SearchEngine::ExactMatch);
        QCOMPARE(exact, manager->searchInFiles("Parasolid"));
        QVERIFY(exact.size() > 1);
    }

    void dialogSearchesBothKinds()
    {
        TestableSearchDialog dialog;
        dialog.setDataManager(m_dataManager.get());
        dialog.setSearchPath(kDataDir);
        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(), QStringLiteral("索引构建完成"));
        auto* category = child<QComboBox>(dialog, "categoryCombo");
        QCOMPARE(category->count(), 3);
        QCOMPARE(category->itemText(1), QStringLiteral("disciplines"));
        QCOMPARE(category->itemText(2), QStringLiteral("technologies"));

        dialog.showAndSearch("  数字孪生 ");
        QVERIFY(dialog.informations.isEmpty());
        SearchEngine engine;
        QCOMPARE(dialog.jsonResults(), engine.fuzzySearch("数字孪生", m_dataManager.get()));
        const int jsonCount = dialog.jsonResults().size();
        const int markdownCount = dialog.markdownResults().size();
        QVERIFY(jsonCount > 0);
        QVERIFY(markdownCount > 0);
        QCOMPARE(dialog.markdownResults().first().title, QStringLiteral("数字孪生技术"));
        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(),
                 QStringLiteral("找到 %1 个结果 (JSON: %2, Markdown: %3)")
                     .arg(jsonCount + markdownCount)
                     .arg(jsonCount)
                     .arg(markdownCount));
        QCOMPARE(child<QTreeWidget>(dialog, "jsonResultTree")->topLevelItemCount(), jsonCount);
        QCOMPARE(child<QTreeWidget>(dialog, "markdownResultTree")->topLevelItemCount(),
                 markdownCount);

        child<QTabWidget>(dialog, "resultTabs")->setCurrentIndex(1);
        auto* tree = child<QTreeWidget>(dialog, "markdownResultTree");
        QTreeWidgetItem* twin = tree->findItems("数字孪生技术", Qt::MatchExactly, 0).value(0);
        QVERIFY(twin);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(twin).center());
        const QString preview = child<QTextEdit>(dialog, "previewEdit")->toPlainText();
        QVERIFY(preview.startsWith(QStringLiteral("数字孪生技术\n")));
        QVERIFY(preview.contains(QStringLiteral("# 数字孪生技术")));
    }

    void dialogCategoryAndModes()
    {
        TestableSearchDialog dialog;
        dialog.setDataManager(m_dataManager.get());
        dialog.setSearchPath(kDataDir);
        auto* type = child<QComboBox>(dialog, "searchTypeCombo");
        type->setCurrentIndex(type->findData("markdown"));
        auto* category = child<QComboBox>(dialog, "categoryCombo");
        category->setCurrentIndex(category->findData("disciplines"));
        child<QLineEdit>(dialog, "searchEdit")->setText("湍流");
        QTest::mouseClick(child<QPushButton>(dialog, "searchButton"), Qt::LeftButton);
        QVERIFY(!dialog.markdownResults().isEmpty());
        for (const MarkdownSearchResult& result : dialog.markdownResults()) {
            QCOMPARE(result.category, QStringLiteral("disciplines"));
            QVERIFY(result.matchedLines.size() <= 10);
            QVERIFY(result.snippet.size() <= 200);
        }
        QVERIFY(dialog.jsonResults().isEmpty());

        auto* mode = child<QComboBox>(dialog, "matchModeCombo");
        mode->setCurrentIndex(mode->findData(int(SearchEngine::RegexMatch)));
        category->setCurrentIndex(0);
        child<QLineEdit>(dialog, "searchEdit")->setText("Realizable k[–-]ε|SST k[–-]ω");
        QTest::mouseClick(child<QPushButton>(dialog, "searchButton"), Qt::LeftButton);
        QStringList files;
        for (const MarkdownSearchResult& result : dialog.markdownResults())
            files << result.fileName;
        QVERIFY2(files.contains("turbulence_modeling_guide"), qPrintable(files.join(',')));
    }

    // Both tabs list the most relevant first ("Parasolid" is the Parasolid entry),
    // and a click on a header still sorts, the relevance column by its number.
    void resultsInRelevanceOrder()
    {
        TestableSearchDialog dialog;
        dialog.setDataManager(m_dataManager.get());
        dialog.setSearchPath(kDataDir);
        dialog.showAndSearch("Parasolid");
        auto* jsonTree = child<QTreeWidget>(dialog, "jsonResultTree");
        auto* markdownTree = child<QTreeWidget>(dialog, "markdownResultTree");
        QVERIFY(jsonTree->topLevelItemCount() > 10);
        QCOMPARE(jsonTree->topLevelItem(0)->text(0), QStringLiteral("Parasolid"));

        SearchEngine engine;
        const QJsonArray results = dialog.jsonResults();
        QCOMPARE(jsonTree->topLevelItemCount(), results.size());
        for (int i = 0; i < results.size(); ++i) {
            const QJsonObject entry = results.at(i).toObject();
            QTreeWidgetItem* item = jsonTree->topLevelItem(i);
            QCOMPARE(item->text(0), entry.value("name").toString());
            QCOMPARE(item->text(4),
                     QString::number(engine.calculateScore(entry, "Parasolid"), 'f', 1));
        }
        // Values of one and of two or more digits: a text sort would interleave them.
        QVERIFY(relevances(jsonTree).first() >= 10 && relevances(jsonTree).last() < 10);
        checkHeaderSorting(jsonTree);

        dialog.showAndSearch("仿真");
        child<QTabWidget>(dialog, "resultTabs")->setCurrentIndex(1);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_VERIFY(markdownTree->header()->sectionSize(4) > 0 && markdownTree->isVisible());
        const QList<MarkdownSearchResult> documents = dialog.markdownResults();
        QVERIFY(documents.size() > 5);
        QCOMPARE(markdownTree->topLevelItemCount(), documents.size());
        for (int i = 0; i < documents.size(); ++i) {
            QCOMPARE(markdownTree->topLevelItem(i)->data(0, Qt::UserRole).toString(),
                     documents.at(i).filePath);
        }
        checkHeaderSorting(markdownTree);
    }

    void jsonTabModes_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QStringList>("mustFind");
        QTest::addColumn<QString>("status");
        QTest::newRow("regex alternation")
            << "S-N|Lanczos" << int(SearchEngine::RegexMatch) << ""
            << QStringList{"特征值求解器", "疲劳与断裂力学方法"} << "";
        QTest::newRow("regex in disciplines")
            << "S-N|Lanczos" << int(SearchEngine::RegexMatch) << "disciplines"
            << QStringList{"疲劳与断裂力学方法"} << "";
        QTest::newRow("regex invalid")
            << "(" << int(SearchEngine::RegexMatch) << "" << QStringList{}
            << "正则表达式无效: missing closing parenthesis (位置 1)";
    }

    void jsonTabModes()
    {
        QFETCH(QString, query);
        QFETCH(int, mode);
        QFETCH(QString, category);
        QFETCH(QStringList, mustFind);
        QFETCH(QString, status);
        TestableSearchDialog dialog;
        dialog.setDataManager(m_dataManager.get());
        dialog.setSearchPath(kDataDir);
        auto* type = child<QComboBox>(dialog, "searchTypeCombo");
        type->setCurrentIndex(type->findData("json"));
        auto* modeCombo = child<QComboBox>(dialog, "matchModeCombo");
        modeCombo->setCurrentIndex(modeCombo->findData(mode));
        auto* categoryCombo = child<QComboBox>(dialog, "categoryCombo");
        categoryCombo->setCurrentIndex(categoryCombo->findData(category));
        child<QLineEdit>(dialog, "searchEdit")->setText(query);
        QTest::mouseClick(child<QPushButton>(dialog, "searchButton"), Qt::LeftButton);

        const QStringList found = names(dialog.jsonResults());
        for (const QString& name : mustFind)
            QVERIFY2(found.contains(name), qPrintable(found.join(',')));
        if (!category.isEmpty()) {
            for (const QJsonValue& value : dialog.jsonResults())
                QVERIFY(
                    value.toObject().value("_filePath").toString().contains("/" + category + "/"));
        }
        if (status.isEmpty()) {
            QVERIFY(!found.isEmpty());
            QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(),
                     QStringLiteral("找到 %1 个结果").arg(found.size()));
        } else {
            QVERIFY(found.isEmpty());
            QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(), status);
        }
    }

    // The literal "(" is an exact search now, not what the regular-expression mode finds.
    void literalParenthesisIsExact()
    {
        TestableSearchDialog dialog;
        dialog.setDataManager(m_dataManager.get());
        auto* type = child<QComboBox>(dialog, "searchTypeCombo");
        type->setCurrentIndex(type->findData("json"));
        auto* modeCombo = child<QComboBox>(dialog, "matchModeCombo");
        modeCombo->setCurrentIndex(modeCombo->findData(int(SearchEngine::ExactMatch)));
        child<QLineEdit>(dialog, "searchEdit")->setText("(");
        QTest::mouseClick(child<QPushButton>(dialog, "searchButton"), Qt::LeftButton);
        QStringList expected = names(m_dataManager->searchInFiles("("));
        QStringList found = names(dialog.jsonResults());
        QVERIFY(!found.isEmpty());
        std::sort(expected.begin(), expected.end());
        std::sort(found.begin(), found.end());
        QCOMPARE(found, expected);
    }

    // A catastrophic expression over the whole knowledge base ends quickly with a
    // message instead of freezing the window for a minute.
    void runawayExpressionEndsWithAMessage_data()
    {
        QTest::addColumn<QString>("type");
        QTest::newRow("all") << "all";
        QTest::newRow("json") << "json";
        QTest::newRow("markdown") << "markdown";
    }

    void runawayExpressionEndsWithAMessage()
    {
        QFETCH(QString, type);
        const QString hostile = QStringLiteral("[\\s\\S]*[\\s\\S]*[\\s\\S]*[\\s\\S]*Q");
        const QString message =
            QStringLiteral("搜索已中止: 正则表达式过于复杂 (回溯次数超出上限), 请简化表达式");
        TestableSearchDialog dialog;
        dialog.setDataManager(m_dataManager.get());
        dialog.setSearchPath(kDataDir);
        auto* typeCombo = child<QComboBox>(dialog, "searchTypeCombo");
        typeCombo->setCurrentIndex(typeCombo->findData(type));
        auto* mode = child<QComboBox>(dialog, "matchModeCombo");
        mode->setCurrentIndex(mode->findData(int(SearchEngine::RegexMatch)));
        child<QLineEdit>(dialog, "searchEdit")->setText(hostile);

        if (type != "markdown")
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable("SearchEngine::regexSearch - Stopped: " + message));
        if (type != "json")
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable("MarkdownSearcher::search - Stopped: " + message));
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(child<QPushButton>(dialog, "searchButton"), Qt::LeftButton);
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(elapsed < 2000, qPrintable(QString::number(elapsed)));

        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(), message);
        QVERIFY(dialog.jsonResults().isEmpty());
        QVERIFY(dialog.markdownResults().isEmpty());
        QVERIFY(child<QProgressBar>(dialog, "progressBar")->isHidden());
        QVERIFY(dialog.informations.isEmpty());

        // Ordinary expressions still work afterwards.
        child<QLineEdit>(dialog, "searchEdit")->setText("Lanczos");
        QTest::mouseClick(child<QPushButton>(dialog, "searchButton"), Qt::LeftButton);
        QVERIFY(!dialog.jsonResults().isEmpty() || !dialog.markdownResults().isEmpty());
        QVERIFY(child<QLabel>(dialog, "statusLabel")->text().startsWith("找到 "));
    }

    void exportOfARealSearch()
    {
        QTemporaryDir out;
        TestableSearchDialog dialog;
        dialog.setDataManager(m_dataManager.get());
        dialog.setSearchPath(kDataDir);
        dialog.showAndSearch("Parasolid");
        QVERIFY(!dialog.jsonResults().isEmpty());
        QVERIFY(!dialog.markdownResults().isEmpty());
        dialog.savePath = out.filePath("parasolid.txt");
        QTest::mouseClick(child<QPushButton>(dialog, "exportButton"), Qt::LeftButton);
        QCOMPARE(dialog.informations, QStringList{"导出完成|搜索结果已导出到: " + dialog.savePath});

        QFile file(dialog.savePath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');

        // Built entry by entry from the dialog's results in the export's layout.
        QStringList expected{"搜索关键词: Parasolid", QString(51, '='), "", "JSON数据结果:"};
        for (const QJsonValue& value : dialog.jsonResults()) {
            const QJsonObject entry = value.toObject();
            expected << "名称: " + entry.value("name").toString()
                     << "类型: " + entry.value("category").toString();
            if (entry.contains("description"))
                expected << QString("描述: " +
                                    entry.value("description").toObject().value("zh").toString())
                                .split('\n');
            expected << "";
        }
        expected << ""
                 << "Markdown文档结果:";
        for (const MarkdownSearchResult& result : dialog.markdownResults()) {
            expected << "标题: " + result.title << "文件: " + result.fileName
                     << "分类: " + result.category << "路径: " + result.filePath
                     << "摘要: " + result.snippet
                     << "相关度: " + QString::number(result.relevance, 'f', 2) << "";
        }
        expected << "";
        QVERIFY(lines.value(0).startsWith("搜索结果导出 - "));
        QCOMPARE(lines.mid(1), expected);
    }
};

QTEST_MAIN(TestSearchKnowledgeBase)
#include "tst_searchknowledgebase.moc"
