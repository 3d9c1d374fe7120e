// Every entry of the embedded knowledge base shown in the four entry views.
#include "data/EmbeddedDataAdapter.h"
#include "editors/FormEditor.h"
#include "editors/GraphWidget.h"
#include "editors/MarkdownEditor.h"
#include "editors/MarkdownGenerator.h"
#include "editors/NodeItem.h"
#include "editors/TableEditor.h"

#include <QGraphicsScene>
#include <QJsonArray>
#include <QTableWidget>
#include <QTextEdit>
#include <QtTest>

class TestEditorViews : public QObject
{
    Q_OBJECT

private:
    FormEditor* m_form = nullptr;
    MarkdownEditor* m_markdown = nullptr;
    TableEditor* m_table = nullptr;
    GraphWidget* m_graph = nullptr;

private slots:
    void initTestCase()
    {
        EmbeddedDataAdapter::instance().initialize();
        // One set of views for all entries, as the main window keeps them.
        m_form = new FormEditor;
        m_markdown = new MarkdownEditor;
        m_table = new TableEditor;
        m_graph = new GraphWidget;
    }

    void cleanupTestCase()
    {
        delete m_form;
        delete m_markdown;
        delete m_table;
        delete m_graph;
    }

    void showsEntry_data()
    {
        QTest::addColumn<QString>("path");
        QStringList paths = EmbeddedDataAdapter::instance().getAvailableResources();
        paths.sort();
        int software = 0;
        for (const QString& path : std::as_const(paths)) {
            if (!path.endsWith(QLatin1String(".json")) || path.contains(QLatin1String("/config/")))
                continue;
            // The local news file is a plain array of items, not an entry.
            if (path == QLatin1String("data/news/local_news.json"))
                continue;
            if (path.startsWith(QLatin1String("data/software/")))
                ++software;
            QTest::newRow(qPrintable(path)) << path;
        }
        QVERIFY(software >= 20);
    }

    void showsEntry()
    {
        QFETCH(QString, path);
        QJsonObject entry = EmbeddedDataAdapter::instance().loadEmbeddedJson(path);
        QVERIFY(!entry.isEmpty());
        // The window hands over entries with the loader's keys added.
        entry.insert("_filePath", path);
        entry.insert("isEmbedded", true);
        const QString name = entry.value("name").toString();
        const QString category = entry.value("category").toString();
        const bool software = category == "CAD" || category == "CAE" || category == "CFD";

        m_form->setData(entry);
        if (software) {
            QCOMPARE(m_form->formType(), QStringLiteral("software"));
            QCOMPARE(m_form->fieldType("kernel").isEmpty(),
                     !entry.value("technicalSpecs").toObject().contains("kernel"));
        }
        QVERIFY(!m_form->fieldWidget("_filePath"));
        QCOMPARE(m_form->fieldWidget("id") != nullptr,
                 entry.contains("id") || m_form->formType() != QLatin1String("generic"));

        m_markdown->setData(entry);
        QCOMPARE(m_markdown->markdownText(), MarkdownGenerator::fromEntry(entry));
        if (!name.isEmpty())
            QVERIFY(m_markdown->previewEdit()->toPlainText().startsWith(name));

        m_table->setData(entry);
        if (!entry.value("tableData").isArray()) {
            QStringList shownKeys = entry.keys();
            shownKeys.removeAll("_filePath");
            shownKeys.removeAll("metadata");
            QCOMPARE(m_table->table()->columnCount(), 2);
            QCOMPARE(m_table->table()->rowCount(), shownKeys.size());
            QCOMPARE(m_table->table()->item(0, 0)->text(), shownKeys.first());
        }

        m_graph->setData(entry);
        if (software) {
            QVERIFY(m_graph->nodes().contains("software"));
            QCOMPARE(m_graph->nodes().value("software")->label(), name);
        }
        if (!m_graph->nodes().isEmpty()) {
            // Every node but the main one hangs on exactly one edge.
            QCOMPARE(m_graph->edges().size(), m_graph->nodes().size() - 1);
            const QRectF inner =
                m_graph->scene()->sceneRect().adjusted(49.999, 49.999, -49.999, -49.999);
            for (const NodeItem* node : m_graph->nodes())
                QVERIFY(inner.contains(node->sceneBoundingRect()));
        }
    }
};

QTEST_MAIN(TestEditorViews)
#include "tst_editorviews.moc"
