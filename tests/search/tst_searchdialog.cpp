#include "TestableSearchDialog.h"
#include "data/DataManager.h"
#include "search/MarkdownSearcher.h"
#include "search/SearchEngine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList comboTexts(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

QVariantList comboData(const QComboBox* combo)
{
    QVariantList data;
    for (int i = 0; i < combo->count(); ++i)
        data << combo->itemData(i);
    return data;
}

QStringList headerLabels(const QTreeWidget* tree)
{
    QStringList labels;
    for (int i = 0; i < tree->columnCount(); ++i)
        labels << tree->headerItem()->text(i);
    return labels;
}

QStringList rowTexts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; i < item->columnCount(); ++i)
        texts << item->text(i);
    return texts;
}

} // namespace

// Drives the dialog over a small knowledge base written for the test.
class TestSearchDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_dataPath;
    std::unique_ptr<DataManager> m_dataManager;

    template <typename T> static T* child(const SearchDialog& dialog, const char* name)
    {
        T* widget = dialog.findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("missing child widget %s", name);
        return widget;
    }

    // A dialog wired the way the main window wires it.
    void wire(SearchDialog& dialog)
    {
        dialog.setDataManager(m_dataManager.get());
        dialog.setSearchPath(m_dataPath);
    }

    void search(SearchDialog& dialog, const QString& text)
    {
        child<QLineEdit>(dialog, "searchEdit")->setText(text);
        QTest::mouseClick(child<QPushButton>(dialog, "searchButton"), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QVERIFY2(!m_root.path().contains(QLatin1String("/data/")),
                 "temporary directory unusable for category tests");
        m_dataPath = m_root.filePath("data");
        QVERIFY(writeFile(m_dataPath + "/software/cad/widgetcad.json", R"({
            "id": "widgetcad", "name": "WidgetCAD", "category": "CAD", "type": "software",
            "description": {"zh": "小部件建模", "en": "Widget modelling"}})"));
        QVERIFY(writeFile(m_dataPath + "/software/cae/solver.json",
                          R"({"id": "solver", "name": "Solver X", "category": "CAE"})"));
        QVERIFY(writeFile(m_dataPath + "/companies/widgetco.json",
                          R"({"id": "widgetco", "name": "Widget Co"})"));
        QVERIFY(writeFile(m_dataPath + "/technologies/mesh/mesher.json", R"({
            "id": "mesher", "name": "Mesher", "category": "mesh",
            "description": {"zh": "", "en": "Meshes widgets"}})"));
        QVERIFY(
            writeFile(m_dataPath + "/technologies/widgets.md",
                      "# Widget Handbook\nWidgets are small.\n## Widget types\nround widget\n"));
        QVERIFY(
            writeFile(m_dataPath + "/disciplines/gears.md", "# Gears\nA gear drives a widget.\n"));
        QVERIFY(writeFile(m_dataPath + "/disciplines/nothing.md", "# Nothing\nempty\n"));

        // Not initialised: that would switch on the embedded knowledge base, and
        // these tests want the lists to come from the files above alone.
        m_dataManager = std::make_unique<DataManager>();
        m_dataManager->setDataPath(m_dataPath);
    }

    void initialState()
    {
        TestableSearchDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("高级搜索"));
        QCOMPARE(dialog.minimumSize(), QSize(900, 700));
        QCOMPARE(dialog.size(), QSize(1200, 800));
        QVERIFY(!dialog.isModal());

        const auto* edit = child<QLineEdit>(dialog, "searchEdit");
        QCOMPARE(edit->placeholderText(), QStringLiteral("请输入搜索关键词..."));
        QCOMPARE(child<QPushButton>(dialog, "searchButton")->text(), QStringLiteral("搜索"));
        QVERIFY(child<QPushButton>(dialog, "searchButton")->isDefault());
        QCOMPARE(child<QPushButton>(dialog, "clearButton")->text(), QStringLiteral("清空"));
        QCOMPARE(child<QPushButton>(dialog, "buildIndexButton")->text(),
                 QStringLiteral("构建索引"));
        const auto* exportButton = child<QPushButton>(dialog, "exportButton");
        QCOMPARE(exportButton->text(), QStringLiteral("导出结果"));
        QVERIFY(!exportButton->isEnabled());
        const auto* advanced = child<QPushButton>(dialog, "advancedButton");
        QCOMPARE(advanced->text(), QStringLiteral("高级选项"));
        QVERIFY(advanced->isCheckable());
        QVERIFY(!advanced->isChecked());

        const auto* type = child<QComboBox>(dialog, "searchTypeCombo");
        QCOMPARE(comboTexts(type), (QStringList{"全部", "JSON数据", "Markdown文档"}));
        QCOMPARE(comboData(type), (QVariantList{"all", "json", "markdown"}));
        QCOMPARE(type->currentIndex(), 0);
        const auto* mode = child<QComboBox>(dialog, "matchModeCombo");
        QCOMPARE(comboTexts(mode), (QStringList{"模糊匹配", "精确匹配", "正则表达式", "语义匹配"}));
        QCOMPARE(comboData(mode), (QVariantList{1, 0, 2, 3}));
        QCOMPARE(mode->currentIndex(), 0);
        const auto* scope = child<QComboBox>(dialog, "scopeCombo");
        QCOMPARE(comboTexts(scope), (QStringList{"全文搜索", "仅标题", "仅内容", "仅标题标签"}));
        QCOMPARE(comboData(scope), (QVariantList{2, 0, 1, 3}));
        QCOMPARE(scope->currentIndex(), 0);
        const auto* category = child<QComboBox>(dialog, "categoryCombo");
        QCOMPARE(comboTexts(category), QStringList{"全部分类"});
        QCOMPARE(category->itemData(0).toString(), QString());

        const auto* caseCheck = child<QCheckBox>(dialog, "caseSensitiveCheck");
        QCOMPARE(caseCheck->text(), QStringLiteral("区分大小写"));
        QVERIFY(!caseCheck->isChecked());
        const auto* spin = child<QSpinBox>(dialog, "maxResultsSpin");
        QCOMPARE(spin->minimum(), 10);
        QCOMPARE(spin->maximum(), 1000);
        QCOMPARE(spin->value(), 50);

        const auto* tabs = child<QTabWidget>(dialog, "resultTabs");
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("JSON数据"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Markdown文档"));
        const auto* jsonTree = child<QTreeWidget>(dialog, "jsonResultTree");
        const auto* markdownTree = child<QTreeWidget>(dialog, "markdownResultTree");
        QCOMPARE(tabs->widget(0), jsonTree);
        QCOMPARE(tabs->widget(1), markdownTree);
        QCOMPARE(headerLabels(jsonTree), (QStringList{"名称", "类型", "分类", "描述", "相关度"}));
        QCOMPARE(headerLabels(markdownTree),
                 (QStringList{"标题", "文件名", "分类", "摘要", "相关度"}));
        for (const QTreeWidget* tree : {jsonTree, markdownTree}) {
            QVERIFY(!tree->rootIsDecorated());
            QVERIFY(tree->alternatingRowColors());
            QVERIFY(tree->isSortingEnabled());
            QVERIFY(!tree->header()->stretchLastSection());
            for (int column : {0, 1, 2, 4})
                QCOMPARE(tree->header()->sectionResizeMode(column), QHeaderView::ResizeToContents);
            QCOMPARE(tree->header()->sectionResizeMode(3), QHeaderView::Stretch);
        }

        const auto* preview = child<QTextEdit>(dialog, "previewEdit");
        QVERIFY(preview->isReadOnly());
        QCOMPARE(preview->minimumWidth(), 350);
        const auto* splitter = child<QSplitter>(dialog, "splitter");
        QCOMPARE(splitter->orientation(), Qt::Horizontal);
        QCOMPARE(splitter->widget(0), tabs);
        QCOMPARE(splitter->widget(1), preview);

        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(), QStringLiteral("准备就绪"));
        QVERIFY(child<QProgressBar>(dialog, "progressBar")->isHidden());
        const auto* group = child<QGroupBox>(dialog, "advancedGroup");
        QCOMPARE(group->title(), QStringLiteral("高级选项"));
        QVERIFY(group->isHidden());
        QCOMPARE(dialog.findChildren<SearchEngine*>().size(), 1);
        QCOMPARE(dialog.findChildren<MarkdownSearcher*>().size(), 1);
    }

    void advancedOptionsToggle()
    {
        TestableSearchDialog dialog;
        auto* button = child<QPushButton>(dialog, "advancedButton");
        auto* group = child<QGroupBox>(dialog, "advancedGroup");
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!group->isHidden());
        QCOMPARE(button->text(), QStringLiteral("收起选项"));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(group->isHidden());
        QCOMPARE(button->text(), QStringLiteral("高级选项"));
    }

    void searchTypeSwitchesScope()
    {
        TestableSearchDialog dialog;
        auto* type = child<QComboBox>(dialog, "searchTypeCombo");
        auto* scope = child<QComboBox>(dialog, "scopeCombo");
        type->setCurrentIndex(1);
        QVERIFY(!scope->isEnabled());
        type->setCurrentIndex(2);
        QVERIFY(scope->isEnabled());
        type->setCurrentIndex(1);
        type->setCurrentIndex(0);
        QVERIFY(scope->isEnabled());
    }

    void emptyQueryIsRefused()
    {
        TestableSearchDialog dialog;
        wire(dialog);
        const QString status = child<QLabel>(dialog, "statusLabel")->text();
        search(dialog, "   ");
        QCOMPARE(dialog.informations, QStringList{"提示|请输入搜索关键词"});
        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(), status);
        QVERIFY(!child<QPushButton>(dialog, "exportButton")->isEnabled());
        QVERIFY(dialog.jsonResults().isEmpty());
    }

    // Return in the query field is one search, not one from the field and a
    // second from the dialog's default button.
    void returnKeySearchesOnce()
    {
        TestableSearchDialog dialog;
        wire(dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* edit = child<QLineEdit>(dialog, "searchEdit");
        edit->setFocus();
        QSignalSpy started(dialog.findChild<MarkdownSearcher*>(), &MarkdownSearcher::searchStarted);

        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(dialog.informations, QStringList{"提示|请输入搜索关键词"});

        edit->setText("widget");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(started.count(), 1);
        QCOMPARE(dialog.jsonResults().size(), 3);

        // Return anywhere else still presses the default button.
        dialog.informations.clear();
        edit->clear();
        child<QPushButton>(dialog, "advancedButton")->setChecked(true);
        auto* mode = child<QComboBox>(dialog, "matchModeCombo");
        mode->setFocus();
        QTRY_VERIFY(mode->hasFocus());
        QTest::keyClick(mode, Qt::Key_Return);
        QCOMPARE(dialog.informations, QStringList{"提示|请输入搜索关键词"});
    }

    void searchAllShowsBothTrees()
    {
        TestableSearchDialog dialog;
        wire(dialog);
        QCOMPARE(comboTexts(child<QComboBox>(dialog, "categoryCombo")),
                 (QStringList{"全部分类", "disciplines", "technologies"}));
        dialog.showAndSearch("widget");
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.informations.isEmpty());

        QStringList jsonNames;
        for (const QJsonValue& value : dialog.jsonResults())
            jsonNames << value.toObject().value("name").toString();
        QCOMPARE(jsonNames, (QStringList{"WidgetCAD", "Widget Co", "Mesher"}));
        QCOMPARE(dialog.markdownResults().size(), 2);
        QCOMPARE(dialog.markdownResults().at(0).title, QStringLiteral("Widget Handbook"));
        QCOMPARE(dialog.markdownResults().at(1).title, QStringLiteral("Gears"));

        const auto* tabs = child<QTabWidget>(dialog, "resultTabs");
        QCOMPARE(tabs->tabText(0), QStringLiteral("JSON数据 (3)"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Markdown文档 (2)"));
        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(),
                 QStringLiteral("找到 5 个结果 (JSON: 3, Markdown: 2)"));
        QVERIFY(child<QPushButton>(dialog, "exportButton")->isEnabled());
        QVERIFY(child<QProgressBar>(dialog, "progressBar")->isHidden());

        const auto* jsonTree = child<QTreeWidget>(dialog, "jsonResultTree");
        QCOMPARE(jsonTree->topLevelItemCount(), 3);
        const auto row = [&](const QString& name) {
            const QList<QTreeWidgetItem*> items = jsonTree->findItems(name, Qt::MatchExactly, 0);
            return items.size() == 1 ? items.first() : nullptr;
        };
        QVERIFY(row("WidgetCAD") && row("Widget Co") && row("Mesher"));
        QCOMPARE(rowTexts(row("WidgetCAD")),
                 (QStringList{"WidgetCAD", "software", "CAD", "小部件建模", "12.0"}));
        QCOMPARE(rowTexts(row("Widget Co")), (QStringList{"Widget Co", "unknown", "", "", "11.0"}));
        QCOMPARE(rowTexts(row("Mesher")),
                 (QStringList{"Mesher", "unknown", "mesh", "Meshes widgets", "1.0"}));
        const QString entryJson = row("WidgetCAD")->data(0, Qt::UserRole + 1).toString();
        QCOMPARE(QJsonDocument::fromJson(entryJson.toUtf8()).object(),
                 dialog.jsonResults().at(0).toObject());
        QVERIFY(entryJson.contains("\n    \"name\": \"WidgetCAD\""));
        QVERIFY(entryJson.contains("小部件建模"));

        const auto* markdownTree = child<QTreeWidget>(dialog, "markdownResultTree");
        QCOMPARE(markdownTree->topLevelItemCount(), 2);
        const QList<QTreeWidgetItem*> handbooks =
            markdownTree->findItems("Widget Handbook", Qt::MatchExactly, 0);
        QCOMPARE(handbooks.size(), 1);
        const QTreeWidgetItem* handbook = handbooks.first();
        const QString handbookPath = QDir(m_dataPath).absolutePath() + "/technologies/widgets.md";
        QCOMPARE(rowTexts(handbook), (QStringList{"Widget Handbook", "widgets", "technologies",
                                                  "Widget Handbook", "405.0"}));
        QCOMPARE(handbook->data(0, Qt::UserRole).toString(), handbookPath);
        QCOMPARE(handbook->data(0, Qt::UserRole + 1).toString(),
                 "标题: Widget Handbook\n文件: widgets\n分类: technologies\n路径: " + handbookPath +
                     "\n相关度: 405.00\n\n摘要:\nWidget Handbook\n\n匹配行:\n"
                     "Line 1: # Widget Handbook\nLine 2: Widgets are small.\n"
                     "Line 3: ## Widget types\nLine 4: round widget");
        const QTreeWidgetItem* gears =
            markdownTree->findItems("Gears", Qt::MatchExactly, 0).first();
        QCOMPARE(rowTexts(gears),
                 (QStringList{"Gears", "gears", "disciplines", "A gear drives a widget", "15.0"}));
    }

    void searchShowsProgress()
    {
        TestableSearchDialog dialog;
        wire(dialog);
        auto* status = child<QLabel>(dialog, "statusLabel");
        auto* progress = child<QProgressBar>(dialog, "progressBar");
        auto* searcher = dialog.findChild<MarkdownSearcher*>();
        progress->setValue(40);

        QStringList atStart;
        QList<int> values;
        connect(searcher, &MarkdownSearcher::searchStarted, this, [&]() {
            atStart << status->text() << QString::number(!progress->isHidden())
                    << QString::number(progress->value());
        });
        connect(searcher, &MarkdownSearcher::searchProgress, this,
                [&]() { values << progress->value(); });
        search(dialog, "  gear ");
        QCOMPARE(atStart, (QStringList{"正在搜索: gear", "1", "0"}));
        // Three documents: each progress step reaches the bar.
        QCOMPARE(values.size(), 3);
        QCOMPARE(progress->value(), 100);
        QVERIFY(progress->isHidden());
        QCOMPARE(status->text(), QStringLiteral("找到 1 个结果"));
    }

    void previews()
    {
        TestableSearchDialog dialog;
        wire(dialog);
        dialog.showAndSearch("widget");
        auto* preview = child<QTextEdit>(dialog, "previewEdit");

        auto* jsonTree = child<QTreeWidget>(dialog, "jsonResultTree");
        QTreeWidgetItem* mesher = jsonTree->findItems("Mesher", Qt::MatchExactly, 0).first();
        QTest::mouseClick(jsonTree->viewport(), Qt::LeftButton, {},
                          jsonTree->visualItemRect(mesher).center());
        QCOMPARE(preview->toPlainText(), mesher->data(0, Qt::UserRole + 1).toString());

        auto* tabs = child<QTabWidget>(dialog, "resultTabs");
        tabs->setCurrentIndex(1);
        auto* markdownTree = child<QTreeWidget>(dialog, "markdownResultTree");
        QTreeWidgetItem* handbook =
            markdownTree->findItems("Widget Handbook", Qt::MatchExactly, 0).first();
        QTest::mouseClick(markdownTree->viewport(), Qt::LeftButton, {},
                          markdownTree->visualItemRect(handbook).center());
        // The file is shown as it is written, hits in their own letter case.
        QCOMPARE(preview->toPlainText(),
                 QStringLiteral("Widget Handbook\n\n# Widget Handbook\nWidgets are small.\n"
                                "## Widget types\nround widget\n"));

        // A row whose file has gone leaves the preview as it was.
        const QString before = preview->toHtml();
        QTreeWidgetItem ghost;
        ghost.setText(0, "Ghost");
        ghost.setData(0, Qt::UserRole, m_root.filePath("gone.md"));
        emit markdownTree->itemClicked(&ghost, 0);
        QCOMPARE(preview->toHtml(), before);
    }

    void previewHtml_data()
    {
        const auto hit = [](const QString& text) {
            return "<span style=\"background-color: #ffe066;\">" + text + "</span>";
        };
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("html");
        QTest::newRow("hits keep the file's letter case")
            << "T"
            << "# Mesh\nmesh MESH\n"
            << "MeSh"
            << "<h3>T</h3><hr># " + hit("Mesh") + "<br>" + hit("mesh") + " " + hit("MESH") + "<br>";
        QTest::newRow("no query") << "T"
                                  << "a\nb"
                                  << ""
                                  << "<h3>T</h3><hr>a<br>b";
        QTest::newRow("escaped, then marked")
            << "T"
            << "x < y & <b>z</b>"
            << "z"
            << "<h3>T</h3><hr>x &lt; y &amp; &lt;b&gt;" + hit("z") + "&lt;/b&gt;";
        QTest::newRow("autolink stays text")
            << "T"
            << "see <https://example.com/?a=1&b=2>"
            << "example"
            << "<h3>T</h3><hr>see &lt;https://" + hit("example") + ".com/?a=1&amp;b=2&gt;";
        QTest::newRow("hit holding & < >") << "T"
                                           << "a<b & c>d"
                                           << "<B & C>"
                                           << "<h3>T</h3><hr>a" + hit("&lt;b &amp; c&gt;") + "d";
        QTest::newRow("query inside an escape is no hit")
            << "T"
            << "&amp; amp"
            << "amp"
            << "<h3>T</h3><hr>&amp;" + hit("amp") + "; " + hit("amp");
        QTest::newRow("title escaped") << "a <b> \"c\""
                                       << "x"
                                       << ""
                                       << "<h3>a &lt;b&gt; &quot;c&quot;</h3><hr>x";
        QTest::newRow("markup query") << "T"
                                      << "a <img src=x> b"
                                      << "<IMG"
                                      << "<h3>T</h3><hr>a " + hit("&lt;img") + " src=x&gt; b";
        QTest::newRow("adjacent matches") << "T"
                                          << "aaa"
                                          << "aa"
                                          << "<h3>T</h3><hr>" + hit("aa") + "a";
    }

    void previewHtml()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, query);
        QFETCH(QString, html);
        QCOMPARE(SearchDialog::markdownPreviewHtml(title, text, query), html);
    }

    // What Qt's rich text makes of it: every character of the file visible, the
    // hits (and only they) on a coloured background.
    void previewRendersHits()
    {
        QTextDocument document;
        document.setHtml(SearchDialog::markdownPreviewHtml(
            "<Title>", "see <https://x.org/a?b&c>\nA mesh & MESH", "mesh"));
        const QString plain = document.toPlainText();
        QVERIFY2(plain.contains("<Title>"), qPrintable(plain));
        QVERIFY2(plain.contains("see <https://x.org/a?b&c>\nA mesh & MESH"), qPrintable(plain));

        QStringList highlighted;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.charFormat().background().style() != Qt::NoBrush)
                    highlighted << fragment.text();
            }
        }
        QCOMPARE(highlighted, (QStringList{"mesh", "MESH"}));
    }

    void jsonOnlySearch()
    {
        TestableSearchDialog dialog;
        wire(dialog);
        dialog.showAndSearch("widget");
        child<QComboBox>(dialog, "searchTypeCombo")->setCurrentIndex(1);
        search(dialog, "widget");
        QCOMPARE(dialog.jsonResults().size(), 3);
        QVERIFY(dialog.markdownResults().isEmpty());
        QCOMPARE(child<QTreeWidget>(dialog, "markdownResultTree")->topLevelItemCount(), 0);
        QCOMPARE(child<QTabWidget>(dialog, "resultTabs")->tabText(1),
                 QStringLiteral("Markdown文档 (2)"));
        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(), QStringLiteral("找到 3 个结果"));
    }

    void markdownCategorySearch()
    {
        TestableSearchDialog dialog;
        wire(dialog);
        dialog.showAndSearch("widget");
        child<QComboBox>(dialog, "searchTypeCombo")->setCurrentIndex(2);
        auto* category = child<QComboBox>(dialog, "categoryCombo");
        category->setCurrentIndex(category->findData("technologies"));
        search(dialog, "widget");
        QVERIFY(dialog.jsonResults().isEmpty());
        QCOMPARE(child<QTreeWidget>(dialog, "jsonResultTree")->topLevelItemCount(), 0);
        QCOMPARE(child<QTabWidget>(dialog, "resultTabs")->tabText(0),
                 QStringLiteral("JSON数据 (3)"));
        QCOMPARE(dialog.markdownResults().size(), 1);
        QCOMPARE(dialog.markdownResults().first().title, QStringLiteral("Widget Handbook"));
        QCOMPARE(child<QTreeWidget>(dialog, "markdownResultTree")->topLevelItemCount(), 1);
        QCOMPARE(child<QTabWidget>(dialog, "resultTabs")->tabText(1),
                 QStringLiteral("Markdown文档 (1)"));
        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(), QStringLiteral("找到 1 个结果"));
    }

    // The JSON tab searches in the chosen mode and category, most relevant first.
    void jsonTabFollowsModeAndCategory_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QStringList>("rows");
        const int exact = SearchEngine::ExactMatch;
        const int fuzzy = SearchEngine::FuzzyMatch;
        const int regex = SearchEngine::RegexMatch;
        const int semantic = SearchEngine::SemanticMatch;
        QTest::newRow("fuzzy") << "mesh widget" << fuzzy << ""
                               << QStringList{"Mesher 4.0", "WidgetCAD 2.0", "Widget Co 1.0"};
        QTest::newRow("fuzzy in a category")
            << "widget" << fuzzy << "technologies" << QStringList{"Mesher 1.0"};
        QTest::newRow("regex") << "widget\\b|^mesher" << regex << ""
                               << QStringList{"Mesher 31.0", "Widget Co 11.0", "WidgetCAD 1.0"};
        QTest::newRow("regex in a category")
            << "widget\\b|^mesher" << regex << "technologies" << QStringList{"Mesher 31.0"};
        QTest::newRow("exact") << "Widget Co" << exact << "" << QStringList{"Widget Co 32.0"};
        QTest::newRow("semantic") << "widgets" << semantic << ""
                                  << QStringList{"Widget Co 1.0", "WidgetCAD 1.0", "Mesher 1.0"};
        QTest::newRow("category without entries")
            << "widget" << fuzzy << "disciplines" << QStringList{};
    }

    void jsonTabFollowsModeAndCategory()
    {
        QFETCH(QString, query);
        QFETCH(int, mode);
        QFETCH(QString, category);
        QFETCH(QStringList, rows);
        TestableSearchDialog dialog;
        wire(dialog);
        child<QComboBox>(dialog, "searchTypeCombo")->setCurrentIndex(1);
        auto* modeCombo = child<QComboBox>(dialog, "matchModeCombo");
        modeCombo->setCurrentIndex(modeCombo->findData(mode));
        auto* categoryCombo = child<QComboBox>(dialog, "categoryCombo");
        categoryCombo->setCurrentIndex(categoryCombo->findData(category));
        QVERIFY(categoryCombo->currentIndex() >= 0);
        search(dialog, query);

        QStringList shown;
        const auto* tree = child<QTreeWidget>(dialog, "jsonResultTree");
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            shown << tree->topLevelItem(i)->text(0) + ' ' + tree->topLevelItem(i)->text(4);
        QCOMPARE(shown, rows);
        QStringList results;
        for (const QJsonValue& value : dialog.jsonResults())
            results << value.toObject().value("name").toString();
        QCOMPARE(results.join(','),
                 QString(shown.join(',')).remove(QRegularExpression(" [0-9.]+")));
        QCOMPARE(child<QTabWidget>(dialog, "resultTabs")->tabText(0),
                 QStringLiteral("JSON数据 (%1)").arg(rows.size()));
        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(),
                 QStringLiteral("找到 %1 个结果").arg(rows.size()));
        QVERIFY(dialog.informations.isEmpty());
    }

    void invalidExpressionIsReported_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("status");
        QTest::newRow("all, parenthesis") << "all"
                                          << "("
                                          << "正则表达式无效: missing closing parenthesis (位置 1)";
        QTest::newRow("json, bracket")
            << "json"
            << "widget|["
            << "正则表达式无效: missing terminating ] for character class (位置 8)";
        QTest::newRow("markdown, bracket")
            << "markdown"
            << "["
            << "正则表达式无效: missing terminating ] for character class (位置 1)";
    }

    void invalidExpressionIsReported()
    {
        QFETCH(QString, type);
        QFETCH(QString, query);
        QFETCH(QString, status);
        TestableSearchDialog dialog;
        wire(dialog);
        search(dialog, "widget");
        auto* typeCombo = child<QComboBox>(dialog, "searchTypeCombo");
        typeCombo->setCurrentIndex(typeCombo->findData(type));
        auto* mode = child<QComboBox>(dialog, "matchModeCombo");
        mode->setCurrentIndex(mode->findData(int(SearchEngine::RegexMatch)));
        QSignalSpy started(dialog.findChild<MarkdownSearcher*>(), &MarkdownSearcher::searchStarted);
        search(dialog, query);
        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(), status);
        QCOMPARE(started.count(), 0);
        QVERIFY(dialog.jsonResults().isEmpty());
        QVERIFY(dialog.markdownResults().isEmpty());
        QCOMPARE(child<QTreeWidget>(dialog, "jsonResultTree")->topLevelItemCount(), 0);
        QCOMPARE(child<QTreeWidget>(dialog, "markdownResultTree")->topLevelItemCount(), 0);
        QVERIFY(!child<QPushButton>(dialog, "exportButton")->isEnabled());
        QVERIFY(dialog.informations.isEmpty());
    }

    void markdownOptionsReachTheSearcher()
    {
        TestableSearchDialog dialog;
        wire(dialog);
        child<QComboBox>(dialog, "searchTypeCombo")->setCurrentIndex(2);
        auto* scope = child<QComboBox>(dialog, "scopeCombo");
        scope->setCurrentIndex(scope->findData(int(MarkdownSearcher::TitleOnly)));
        search(dialog, "gear");
        QCOMPARE(dialog.markdownResults().size(), 1);
        QCOMPARE(dialog.markdownResults().first().title, QStringLiteral("Gears"));

        child<QCheckBox>(dialog, "caseSensitiveCheck")->setChecked(true);
        search(dialog, "GEAR");
        QVERIFY(dialog.markdownResults().isEmpty());
        child<QCheckBox>(dialog, "caseSensitiveCheck")->setChecked(false);

        scope->setCurrentIndex(scope->findData(int(MarkdownSearcher::HeadingsOnly)));
        search(dialog, "types");
        QCOMPARE(dialog.markdownResults().size(), 1);
        QCOMPARE(dialog.markdownResults().first().title, QStringLiteral("Widget Handbook"));
    }

    void indexNotReady()
    {
        TestableSearchDialog dialog;
        dialog.setDataManager(m_dataManager.get());
        dialog.setSearchPath(m_root.filePath("missing"));
        search(dialog, "widget");
        QCOMPARE(dialog.informations, QStringList{"提示|请先构建Markdown文档索引"});
        QCOMPARE(dialog.jsonResults().size(), 3);
        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(), QStringLiteral("找到 3 个结果"));
        QVERIFY(child<QPushButton>(dialog, "exportButton")->isEnabled());
    }

    void noDataManagerSkipsJson()
    {
        TestableSearchDialog dialog;
        dialog.setSearchPath(m_dataPath);
        search(dialog, "widget");
        QVERIFY(dialog.informations.isEmpty());
        QVERIFY(dialog.jsonResults().isEmpty());
        QCOMPARE(dialog.markdownResults().size(), 2);
        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(), QStringLiteral("找到 2 个结果"));
    }

    void showAndSearchWithoutQuery()
    {
        TestableSearchDialog dialog;
        wire(dialog);
        dialog.showAndSearch("gear");
        QCOMPARE(child<QLineEdit>(dialog, "searchEdit")->text(), QStringLiteral("gear"));
        const int markdownCount = dialog.markdownResults().size();
        QCOMPARE(markdownCount, 1);
        dialog.hide();
        dialog.showAndSearch(QString());
        QVERIFY(dialog.isVisible());
        QCOMPARE(child<QLineEdit>(dialog, "searchEdit")->text(), QStringLiteral("gear"));
        QCOMPARE(dialog.markdownResults().size(), markdownCount);
        QVERIFY(dialog.informations.isEmpty());
    }

    void clearKeepsCaptionsAndStatus()
    {
        TestableSearchDialog dialog;
        wire(dialog);
        dialog.showAndSearch("widget");
        auto* preview = child<QTextEdit>(dialog, "previewEdit");
        preview->setPlainText("something");
        QTest::mouseClick(child<QPushButton>(dialog, "clearButton"), Qt::LeftButton);
        QCOMPARE(child<QTreeWidget>(dialog, "jsonResultTree")->topLevelItemCount(), 0);
        QCOMPARE(child<QTreeWidget>(dialog, "markdownResultTree")->topLevelItemCount(), 0);
        QVERIFY(preview->toPlainText().isEmpty());
        QVERIFY(dialog.jsonResults().isEmpty());
        QVERIFY(dialog.markdownResults().isEmpty());
        QVERIFY(!child<QPushButton>(dialog, "exportButton")->isEnabled());
        QCOMPARE(child<QTabWidget>(dialog, "resultTabs")->tabText(0),
                 QStringLiteral("JSON数据 (3)"));
        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(),
                 QStringLiteral("找到 5 个结果 (JSON: 3, Markdown: 2)"));
    }

    void buildIndexButton()
    {
        TestableSearchDialog dialog;
        auto* button = child<QPushButton>(dialog, "buildIndexButton");
        auto* status = child<QLabel>(dialog, "statusLabel");
        auto* progress = child<QProgressBar>(dialog, "progressBar");
        auto* searcher = dialog.findChild<MarkdownSearcher*>();

        // The searcher still gets the click and logs why it built nothing.
        QTest::ignoreMessage(QtWarningMsg, "MarkdownSearcher::buildIndex - Search path not set");
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(status->text(), QStringLiteral("无法构建索引: 未设置文档目录"));

        QStringList duringBuild;
        connect(searcher, &MarkdownSearcher::indexBuildStarted, this, [&]() {
            duringBuild << status->text() << QString::number(button->isEnabled())
                        << QString::number(!progress->isHidden());
        });

        dialog.setSearchPath(m_dataPath);
        QCOMPARE(duringBuild, (QStringList{"正在构建索引...", "0", "1"}));
        QCOMPARE(status->text(), QStringLiteral("索引构建完成"));
        QVERIFY(button->isEnabled());
        QVERIFY(progress->isHidden());

        // The directory disappears: the build must still end.
        duringBuild.clear();
        const QString missing = m_root.filePath("missing");
        dialog.setSearchPath(missing);
        QVERIFY(duringBuild.isEmpty());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(duringBuild, (QStringList{"正在构建索引...", "0", "1"}));
        QCOMPARE(status->text(), "无法构建索引: 目录不存在: " + missing);
        QVERIFY(button->isEnabled());
        QVERIFY(progress->isHidden());
        QCOMPARE(comboTexts(child<QComboBox>(dialog, "categoryCombo")), QStringList{"全部分类"});

        dialog.setSearchPath(m_dataPath);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(status->text(), QStringLiteral("索引构建完成"));
    }

    void categoryRefillKeepsOrFallsBack()
    {
        QTemporaryDir other;
        QVERIFY(writeFile(other.filePath("data/disciplines/only.md"), "# Only\n"));
        TestableSearchDialog dialog;
        wire(dialog);
        auto* category = child<QComboBox>(dialog, "categoryCombo");
        QCOMPARE(comboData(category), (QVariantList{"", "disciplines", "technologies"}));

        category->setCurrentIndex(category->findData("technologies"));
        dialog.setSearchPath(other.filePath("data"));
        QCOMPARE(comboTexts(category), (QStringList{"全部分类", "disciplines"}));
        QCOMPARE(category->currentIndex(), 0);

        category->setCurrentIndex(1);
        QTest::mouseClick(child<QPushButton>(dialog, "buildIndexButton"), Qt::LeftButton);
        QCOMPARE(category->currentText(), QStringLiteral("disciplines"));
    }

    void exportWritesTheTextFormat()
    {
        QTemporaryDir out;
        TestableSearchDialog dialog;
        wire(dialog);
        search(dialog, "  widget ");
        dialog.savePath = out.filePath("results.txt");

        const QDateTime before = QDateTime::currentDateTime();
        QTest::mouseClick(child<QPushButton>(dialog, "exportButton"), Qt::LeftButton);
        const QDateTime after = QDateTime::currentDateTime();

        QCOMPARE(dialog.saveRequests.size(), 1);
        const QRegularExpression request(
            QStringLiteral("^导出搜索结果\\|search_results_\\d{8}_\\d{6}\\.txt\\|"
                           "文本文件 \\(\\*\\.txt\\);;CSV文件 \\(\\*\\.csv\\)$"));
        QVERIFY2(request.match(dialog.saveRequests.first()).hasMatch(),
                 qPrintable(dialog.saveRequests.first()));
        QCOMPARE(dialog.informations, QStringList{"导出完成|搜索结果已导出到: " + dialog.savePath});
        QVERIFY(dialog.warnings.isEmpty());

        const QString root = QDir(m_dataPath).absolutePath();
        const QStringList lines = readFile(dialog.savePath).split('\n');
        const QStringList stamps{"搜索结果导出 - " + before.toString(Qt::TextDate),
                                 "搜索结果导出 - " + after.toString(Qt::TextDate)};
        QVERIFY2(stamps.contains(lines.value(0)), qPrintable(lines.value(0)));
        const QStringList expected{
            "搜索关键词:   widget ",
            QString(51, '='),
            "",
            "JSON数据结果:",
            "名称: WidgetCAD",
            "类型: CAD",
            "描述: 小部件建模",
            "",
            "名称: Widget Co",
            "类型: ",
            "",
            "名称: Mesher",
            "类型: mesh",
            "描述: ",
            "",
            "",
            "Markdown文档结果:",
            "标题: Widget Handbook",
            "文件: widgets",
            "分类: technologies",
            "路径: " + root + "/technologies/widgets.md",
            "摘要: Widget Handbook",
            "相关度: 405.00",
            "",
            "标题: Gears",
            "文件: gears",
            "分类: disciplines",
            "路径: " + root + "/disciplines/gears.md",
            "摘要: A gear drives a widget",
            "相关度: 15.00",
            "",
            "",
        };
        QCOMPARE(lines.mid(1), expected);
    }

    void exportOfNoResults()
    {
        QTemporaryDir out;
        TestableSearchDialog dialog;
        wire(dialog);
        search(dialog, "zzzz");
        QCOMPARE(child<QLabel>(dialog, "statusLabel")->text(), QStringLiteral("找到 0 个结果"));
        dialog.savePath = out.filePath("empty.txt");
        QTest::mouseClick(child<QPushButton>(dialog, "exportButton"), Qt::LeftButton);
        const QStringList lines = readFile(dialog.savePath).split('\n');
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines.at(0).startsWith("搜索结果导出 - "));
        QCOMPARE(lines.mid(1), (QStringList{"搜索关键词: zzzz", QString(51, '='), "", ""}));
    }

    void exportCancelAndFailure()
    {
        QTemporaryDir out;
        TestableSearchDialog dialog;
        wire(dialog);
        search(dialog, "gear");

        dialog.savePath.clear();
        QTest::mouseClick(child<QPushButton>(dialog, "exportButton"), Qt::LeftButton);
        QCOMPARE(dialog.saveRequests.size(), 1);
        QVERIFY(dialog.informations.isEmpty());
        QVERIFY(dialog.warnings.isEmpty());

        dialog.savePath = out.filePath("no/such/folder/out.txt");
        QTest::mouseClick(child<QPushButton>(dialog, "exportButton"), Qt::LeftButton);
        QCOMPARE(dialog.warnings, QStringList{"导出失败|无法创建导出文件"});
        QVERIFY(dialog.informations.isEmpty());
        QVERIFY(!QFile::exists(dialog.savePath));

        // An existing file is replaced whole.
        dialog.savePath = out.filePath("old.txt");
        QVERIFY(writeFile(dialog.savePath, QByteArray(5000, 'x')));
        QTest::mouseClick(child<QPushButton>(dialog, "exportButton"), Qt::LeftButton);
        QVERIFY(!readFile(dialog.savePath).contains('x' + QString(10, 'x')));
        QVERIFY(readFile(dialog.savePath).contains("标题: Gears\n"));
    }
};

QTEST_MAIN(TestSearchDialog)
#include "tst_searchdialog.moc"
