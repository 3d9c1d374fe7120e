#include "data/EmbeddedDataAdapter.h"
#include "editors/MarkdownConverter.h"
#include "editors/MarkdownEditor.h"
#include "editors/MarkdownGenerator.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QSplitter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QTimer>
#include <QtTest>

class TestMarkdownEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EmbeddedDataAdapter::instance().initialize(); }

    void layoutAndInitialText()
    {
        MarkdownEditor editor;
        auto* splitter = editor.findChild<QSplitter*>();
        QVERIFY(splitter);
        QCOMPARE(splitter->orientation(), Qt::Horizontal);
        QCOMPARE(splitter->count(), 2);
        QCOMPARE(splitter->widget(0), editor.sourceEdit());
        QCOMPARE(splitter->widget(1), editor.previewEdit());
        QVERIFY(editor.previewEdit()->isReadOnly());
        QVERIFY(!editor.sourceEdit()->isReadOnly());
        QCOMPARE(editor.sourceEdit()->font().family(), QStringLiteral("Consolas"));
        QCOMPARE(editor.sourceEdit()->font().pointSize(), 10);

        QCOMPARE(editor.markdownText(), QStringLiteral("# 开始编写...\n\n"));
        // The preview starts out filled, with the heading rendered.
        QCOMPARE(editor.previewEdit()->toPlainText().trimmed(), QStringLiteral("开始编写..."));
    }

    void markdownToHtmlUsesTheConverter()
    {
        MarkdownEditor editor;
        const QString text = QStringLiteral("**b** | x |");
        QCOMPARE(editor.markdownToHtml(text), MarkdownConverter::toHtml(text));
    }

    void setDataFillsSourceAndPreviewAtOnce()
    {
        const QJsonObject entry = EmbeddedDataAdapter::instance().loadEmbeddedJson(
            QStringLiteral("data/software/cad/solidworks.json"));
        QVERIFY(!entry.isEmpty());
        MarkdownEditor editor;
        QSignalSpy textSpy(&editor, &MarkdownEditor::textChanged);
        QSignalSpy dataSpy(&editor, &MarkdownEditor::dataChanged);

        editor.setData(entry);
        QCOMPARE(editor.markdownText(), MarkdownGenerator::fromEntry(entry));
        QVERIFY(editor.markdownText().startsWith(QStringLiteral("# SOLIDWORKS")));
        // No waiting: the preview already shows the entry.
        const QString preview = editor.previewEdit()->toPlainText();
        QVERIFY(preview.contains(QStringLiteral("概述")));
        QVERIFY(preview.contains(QStringLiteral("相关链接")));
        QVERIFY(!preview.contains(QStringLiteral("开始编写")));
        QCOMPARE(textSpy.count(), 1);
        QCOMPARE(dataSpy.count(), 1);
    }

    void previewShowsEachGeneratedItemOnItsOwnLine()
    {
        const QJsonObject entry{
            {"name", "N"},
            {"category", "CAD"},
            {"technicalSpecs", QJsonObject{{"kernel", QJsonArray{"Parasolid", "ACIS"}}}},
            {"features", QJsonObject{{"core", QJsonArray{"建模", "装配"}}}},
            {"resources", QJsonObject{{"official", "https://o.example"},
                                      {"documentation", "https://d.example"}}}};
        MarkdownEditor editor;
        editor.setData(entry);

        // Every item is a block of its own inside a list; headings are in none.
        QStringList items;
        QStringList others;
        const QTextDocument* document = editor.previewEdit()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            if (block.text().isEmpty())
                continue;
            (block.textList() ? items : others) << block.text();
        }
        QCOMPARE(items, (QStringList{"Parasolid", "ACIS", "建模", "装配", "官方网站", "文档"}));
        QCOMPARE(others,
                 (QStringList{"N", "技术规格", "几何内核", "功能特性", "核心功能", "相关链接"}));
    }

    void signalsComeInOrder()
    {
        MarkdownEditor editor;
        QStringList order;
        connect(&editor, &MarkdownEditor::textChanged, this, [&order] { order << "text"; });
        connect(&editor, &MarkdownEditor::dataChanged, this, [&order] { order << "data"; });
        editor.sourceEdit()->insertPlainText("x");
        QCOMPARE(order, (QStringList{"text", "data"}));
    }

    void burstOfTypingRebuildsPreviewOnce()
    {
        MarkdownEditor editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        auto* timer = editor.findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(timer);
        QSignalSpy rebuildSpy(timer, &QTimer::timeout);
        QSignalSpy previewSpy(editor.previewEdit(), &QTextEdit::textChanged);
        QSignalSpy textSpy(&editor, &MarkdownEditor::textChanged);
        QSignalSpy dataSpy(&editor, &MarkdownEditor::dataChanged);

        editor.sourceEdit()->setFocus();
        editor.sourceEdit()->moveCursor(QTextCursor::End);
        // Key clicks are delivered without running the event loop, so no timer can fire
        // between them.
        QTest::keyClicks(editor.sourceEdit(), QStringLiteral("**bold**10"));
        QCOMPARE(textSpy.count(), 10);
        QCOMPARE(dataSpy.count(), 10);
        QCOMPARE(rebuildSpy.count(), 0);
        QVERIFY(!editor.previewEdit()->toPlainText().contains(QStringLiteral("bold10")));

        QTRY_COMPARE(rebuildSpy.count(), 1);
        QVERIFY(editor.previewEdit()->toPlainText().contains(QStringLiteral("bold10")));
        QVERIFY(editor.previewEdit()->toHtml().contains(QStringLiteral("font-weight:")));
        const int previewChanges = previewSpy.count();
        QVERIFY(previewChanges > 0);

        // Nothing else is pending once the burst has been handled.
        QVERIFY(!rebuildSpy.wait(2 * MarkdownEditor::kPreviewDelayMs));
        QCOMPARE(rebuildSpy.count(), 1);
        QCOMPARE(previewSpy.count(), previewChanges);
    }

    void timerIsSingleShotWithHalfSecond()
    {
        MarkdownEditor editor;
        auto* timer = editor.findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(timer);
        editor.sourceEdit()->insertPlainText("x");
        QVERIFY(timer->isSingleShot());
        QCOMPARE(timer->interval(), 500);
        QVERIFY(timer->isActive());
    }
};

QTEST_MAIN(TestMarkdownEditor)
#include "tst_markdowneditor.moc"
