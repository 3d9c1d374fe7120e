#include "data/DataManager.h"
#include "data/EmbeddedDataAdapter.h"
#include "data/EntryLinkResolver.h"
#include "views/ContentRenderer.h"
#include "views/ContentView.h"
#include "views/CustomTextBrowser.h"
#include "views/InternalLink.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QJsonArray>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

const QString kPromptHead = QStringLiteral(
    "请基于以下原文进行详细解释和扩写，不要照抄，补充必要背景、定义、应用场景与关键点，"
    "保持事实准确，建议 200-300 字：\n");

QAction* findAction(const QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// Selects the first occurrence of text in the browser.
bool selectText(QTextBrowser* browser, const QString& text)
{
    QTextCursor cursor = browser->document()->find(text);
    if (cursor.isNull())
        return false;
    browser->setTextCursor(cursor);
    return true;
}

} // namespace

class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class TestContentView : public QObject
{
    Q_OBJECT

private slots:
    void construction()
    {
        ContentView view;
        auto* layout = qobject_cast<QVBoxLayout*>(view.layout());
        QVERIFY(layout);
        QCOMPARE(layout->count(), 2);
        QCOMPARE(layout->itemAt(0)->widget(), view.titleLabel());
        QCOMPARE(layout->itemAt(1)->widget(), view.textBrowser());
        QCOMPARE(view.titleLabel()->styleSheet(),
                 QStringLiteral("QLabel { font-size: 18px; font-weight: bold; padding: 10px; }"));
        QCOMPARE(view.styleSheet(), QStringLiteral("\n        QTextBrowser {\n"
                                                   "            background-color: white;\n"
                                                   "            border: 1px solid #ddd;\n"
                                                   "            padding: 10px;\n"
                                                   "        }\n    "));
        QCOMPARE(view.textBrowser()->openExternalLinks(), false);
        QCOMPARE(view.textBrowser()->openLinks(), false);
        const QString cwd = QDir::currentPath();
        QCOMPARE(view.textBrowser()->searchPaths(),
                 QStringList({cwd, cwd + "/data", cwd + "/data/pictures"}));
        QVERIFY(view.textBrowser()->isReadOnly());
        QVERIFY(view.currentData().isEmpty());
    }

    void scrollBarAsNeededOnceShown_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("barVisible");
        QTest::newRow("short page") << 1 << false;
        QTest::newRow("long page") << 400 << true;
    }
    void scrollBarAsNeededOnceShown()
    {
        QFETCH(int, lines);
        QFETCH(bool, barVisible);
        ContentView view;
        view.resize(600, 400);
        view.displayHtml(QStringLiteral("t"), QStringLiteral("<p>line</p>").repeated(lines));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_COMPARE(view.textBrowser()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        QTRY_COMPARE(view.textBrowser()->verticalScrollBar()->isVisible(), barVisible);
    }

    void displayData_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("software") << QJsonObject{{"name", "NX"},
                                                 {"id", "nx"},
                                                 {"category", "CAD"},
                                                 {"features",
                                                  QJsonObject{{"core", QJsonArray{"x"}}}}}
                                  << "NX"
                                  << "功能特性";
        QTest::newRow("id as title")
            << QJsonObject{{"id", "only-id"}, {"headquarters", "上海"}} << "only-id"
            << "总部: 上海";
        QTest::newRow("markup in name stays text")
            << QJsonObject{{"name", "<b>B</b>"}, {"category", "cad"}} << "<b>B</b>"
            << "类别";
    }
    void displayData()
    {
        QFETCH(QJsonObject, entry);
        QFETCH(QString, title);
        QFETCH(QString, text);
        ContentView view;
        view.displayData(entry);
        QCOMPARE(view.currentData(), entry);
        QCOMPARE(view.titleLabel()->text(), title);
        QCOMPARE(view.titleLabel()->textFormat(), Qt::PlainText);
        QVERIFY2(view.textBrowser()->toPlainText().contains(text),
                 qPrintable(view.textBrowser()->toPlainText()));
    }

    void displayDataRebuildsAndScrollsToTop()
    {
        ContentView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        QJsonArray many;
        for (int i = 0; i < 300; ++i)
            many.append(QStringLiteral("line %1").arg(i));
        const QJsonObject longEntry{{"name", "Long"}, {"lines", many}};
        view.displayData(longEntry);
        QScrollBar* bar = view.textBrowser()->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        QVERIFY(bar->value() > 0);

        view.displayData(QJsonObject{{"name", "Second"}, {"other", "only this"}});
        QCOMPARE(bar->value(), 0);
        QVERIFY(!view.textBrowser()->toPlainText().contains("line 299"));
        QVERIFY(view.textBrowser()->toPlainText().contains("only this"));
        QCOMPARE(view.titleLabel()->text(), QStringLiteral("Second"));
    }

    void selectionPromptText()
    {
        QCOMPARE(CustomTextBrowser::selectionPrompt("ABC"), kPromptHead + "ABC");
    }

    void promptActionOnlyWithSelection()
    {
        ContentView view;
        view.displayData(QJsonObject{{"name", "N"}, {"note", "Parasolid kernel"}});
        CustomTextBrowser* browser = view.textBrowser();

        std::unique_ptr<QMenu> menu(browser->createPromptContextMenu(QPoint()));
        QVERIFY(!findAction(menu.get(), "生成AI提示词"));
        QVERIFY(!menu->actions().isEmpty()); // the standard entries stay

        QTextCursor blank = browser->document()->find("Parasolid kernel");
        QVERIFY(!blank.isNull());
        const int space = blank.selectionStart() + 9;
        blank.setPosition(space);
        blank.setPosition(space + 1, QTextCursor::KeepAnchor);
        QCOMPARE(blank.selectedText(), QStringLiteral(" "));
        browser->setTextCursor(blank);
        QVERIFY(browser->textCursor().hasSelection());
        menu.reset(browser->createPromptContextMenu(QPoint()));
        QVERIFY2(!findAction(menu.get(), "生成AI提示词"), "blank selection");

        // The selection is trimmed before it goes into the prompt.
        blank.setPosition(space);
        blank.setPosition(space + 7, QTextCursor::KeepAnchor);
        QCOMPARE(blank.selectedText(), QStringLiteral(" kernel"));
        browser->setTextCursor(blank);
        menu.reset(browser->createPromptContextMenu(QPoint()));
        QAction* action = findAction(menu.get(), "生成AI提示词");
        QVERIFY(action);
        QVERIFY(menu->actions().at(menu->actions().indexOf(action) - 1)->isSeparator());

        QSignalSpy browserSpy(browser, &CustomTextBrowser::promptRequested);
        QSignalSpy viewSpy(&view, &ContentView::aiPromptRequested);
        action->trigger();
        QCOMPARE(browserSpy.count(), 1);
        QCOMPARE(viewSpy.count(), 1);
        QCOMPARE(viewSpy.at(0).at(0).toString(), kPromptHead + "kernel");
    }

    void contextMenuEventShowsPromptAction()
    {
        ContentView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.displayData(QJsonObject{{"name", "N"}, {"note", "selected words"}});
        QVERIFY(selectText(view.textBrowser(), "selected words"));
        QSignalSpy spy(&view, &ContentView::aiPromptRequested);

        bool seen = false;
        QTimer::singleShot(0, this, [&seen] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            if (QAction* action = findAction(menu, "生成AI提示词")) {
                seen = true;
                action->trigger();
            }
            menu->close();
        });
        QWidget* viewport = view.textBrowser()->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                viewport->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(viewport, &event);
        QVERIFY(seen);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), kPromptHead + "selected words");
    }

    void promptKeepsLineBreaksOfTheSelection()
    {
        ContentView view;
        view.displayData(QJsonObject{{"name", "N"}, {"zlist", QJsonArray{"first", "second"}}});
        CustomTextBrowser* browser = view.textBrowser();
        QTextCursor cursor = browser->document()->find("first");
        QVERIFY(!cursor.isNull());
        const int start = cursor.selectionStart();
        const QTextCursor second = browser->document()->find("second");
        QVERIFY(!second.isNull());
        cursor.setPosition(start);
        cursor.setPosition(second.selectionEnd(), QTextCursor::KeepAnchor);
        browser->setTextCursor(cursor);
        QVERIFY(browser->textCursor().selectedText().contains(QChar::ParagraphSeparator));

        const std::unique_ptr<QMenu> menu(browser->createPromptContextMenu(QPoint()));
        QAction* action = findAction(menu.get(), "生成AI提示词");
        QVERIFY(action);
        QSignalSpy spy(&view, &ContentView::aiPromptRequested);
        action->trigger();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), kPromptHead + "first\nsecond");
    }

    void contextMenuOnScrolledPageSeesLinkUnderCursor()
    {
        ContentView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QJsonArray lines;
        for (int i = 0; i < 80; ++i)
            lines.append(QStringLiteral("line %1").arg(i));
        // Software page: a long feature list, then the resource link at the end.
        const QJsonObject entry{
            {"name", "N"},
            {"category", "CAD"},
            {"features", QJsonObject{{"core", lines}}},
            {"resources", QJsonObject{{"official", "https://example.com/far"}}}};
        view.displayData(entry);
        CustomTextBrowser* browser = view.textBrowser();

        QScrollBar* bar = browser->verticalScrollBar();
        bar->setValue(bar->maximum());
        QVERIFY(bar->value() > 0);
        QTextCursor link = browser->document()->find("https://example.com/far");
        QVERIFY(!link.isNull());
        QTextCursor inside(browser->document());
        inside.setPosition(link.selectionStart() + 3);
        const QPoint point = browser->cursorRect(inside).center();
        QVERIFY(browser->viewport()->rect().contains(point));
        QCOMPARE(browser->anchorAt(point), QStringLiteral("https://example.com/far"));

        // Qt's own menu (document coordinates) enables the link entry here.
        const QString copyLink = QStringLiteral("Copy &Link Location");
        const std::unique_ptr<QMenu> reference(
            browser->createStandardContextMenu(point + QPoint(0, bar->value())));
        QVERIFY(findAction(reference.get(), copyLink));
        QVERIFY(findAction(reference.get(), copyLink)->isEnabled());

        bool linkEnabled = false;
        bool shown = false;
        QTimer::singleShot(0, this, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                shown = true;
                if (QAction* action = findAction(menu, copyLink))
                    linkEnabled = action->isEnabled();
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, point,
                                browser->viewport()->mapToGlobal(point));
        QApplication::sendEvent(browser->viewport(), &event);
        QVERIFY(shown);
        QVERIFY2(linkEnabled, "the menu must see the link under the cursor of a scrolled page");
    }

    void anchorsOpenThroughDesktopServices()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        ContentView view;
        view.resize(500, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.displayData(QJsonObject{{"name", "N"}, {"website", "https://example.com/page"}});

        CustomTextBrowser* browser = view.textBrowser();
        QTextCursor cursor = browser->document()->find("https://example.com/page");
        QVERIFY(!cursor.isNull());
        QVERIFY(cursor.charFormat().isAnchor());
        QTextCursor inside(browser->document());
        inside.setPosition(cursor.selectionStart() + 3);
        const QPoint point = browser->cursorRect(inside).center();

        QSignalSpy clicked(browser, &QTextBrowser::anchorClicked);
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl("https://example.com/page")});
        // The browser itself does not navigate.
        QVERIFY(browser->source().isEmpty());
        QVERIFY(browser->toPlainText().contains("官网"));
        QDesktopServices::unsetUrlHandler("https");
    }

    void refusedSchemes_data()
    {
        QTest::addColumn<QString>("url");
        QTest::newRow("javascript") << "javascript:alert(1)";
        QTest::newRow("file") << "file:///etc/shadow";
        QTest::newRow("program") << "file:///C:/Windows/System32/calc.exe";
        QTest::newRow("ftp") << "ftp://example.com/x";
        QTest::newRow("data") << "data:text/html,x";
        QTest::newRow("relative") << "other.html";
    }
    void refusedSchemes()
    {
        QFETCH(QString, url);
        UrlCatcher catcher;
        const QString scheme = QUrl(url).scheme();
        if (!scheme.isEmpty())
            QDesktopServices::setUrlHandler(scheme, &catcher, "open");
        ContentView view;
        QSignalSpy status(&view, &ContentView::statusMessage);
        QSignalSpy opened(&view, &ContentView::internalLinkActivated);
        emit view.textBrowser()->anchorClicked(QUrl(url));
        if (!scheme.isEmpty())
            QDesktopServices::unsetUrlHandler(scheme);
        QVERIFY(catcher.urls.isEmpty());
        QCOMPARE(opened.count(), 0);
        QCOMPARE(status.count(), 1);
        QVERIFY(status.at(0).at(0).toString().startsWith("已拒绝打开链接（不支持的地址类型）: "));
    }

    void mailAndInternalLinks()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("mailto", &catcher, "open");
        ContentView view;
        QSignalSpy opened(&view, &ContentView::internalLinkActivated);
        emit view.textBrowser()->anchorClicked(QUrl("mailto:kb@example.com"));
        emit view.textBrowser()->anchorClicked(InternalLink::build("data/software/cad/nx.json"));
        QDesktopServices::unsetUrlHandler("mailto");
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl("mailto:kb@example.com")});
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.at(0).at(0).toString(), QStringLiteral("data/software/cad/nx.json"));
    }

    // A real page: a click on a competitor's name asks to open that entry, and
    // the link's menu can put it on the compare page.
    void realPageLinksAndCompare()
    {
        EmbeddedDataAdapter::instance().initialize();
        DataManager manager;
        manager.setDataPath(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR));
        manager.initialize();
        ContentView view;
        view.setDataManager(&manager);
        view.resize(900, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        EntryLinkResolver* resolver = view.linkResolver();
        resolver->ensureBuilt();
        const QString catia = resolver->resolve("catia").path;
        const QString nx = resolver->resolve("nx").path;
        const QString dassault = resolver->resolve("dassault_systemes").path;
        view.displayData(manager.loadJsonFile(catia), catia);

        CustomTextBrowser* browser = view.textBrowser();
        QScrollBar* bar = browser->verticalScrollBar();
        QTextCursor found = browser->document()->find("NX");
        while (!found.isNull() && !found.charFormat().isAnchor())
            found = browser->document()->find("NX", found);
        QVERIFY(!found.isNull());
        browser->setTextCursor(found);
        browser->ensureCursorVisible();
        QTextCursor inside(browser->document());
        inside.setPosition(found.selectionStart() + 1);
        const QPoint point = browser->cursorRect(inside).center();
        QCOMPARE(browser->anchorAt(point), InternalLink::href(nx));

        QSignalSpy opened(&view, &ContentView::internalLinkActivated);
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.at(0).at(0).toString(), nx);

        QSignalSpy compare(&view, &ContentView::compareRequested);
        const QPoint document = point + QPoint(0, bar->value());
        const std::unique_ptr<QMenu> menu(
            browser->createContextMenuFor(document, browser->anchorAt(point)));
        QAction* add = findAction(menu.get(), "加入对比");
        QVERIFY(add);
        add->trigger();
        QCOMPARE(compare.count(), 1);
        QCOMPARE(compare.at(0).at(0).toString(), nx);
        // A company is no software: its link offers no comparison.
        const std::unique_ptr<QMenu> companyMenu(
            browser->createContextMenuFor(document, InternalLink::href(dassault)));
        QVERIFY(!findAction(companyMenu.get(), "加入对比"));
        const std::unique_ptr<QMenu> plain(browser->createContextMenuFor(document, QString()));
        QVERIFY(!findAction(plain.get(), "加入对比"));
    }

    void pictureFitsAndShowsFullSizeOnClick()
    {
        EmbeddedDataAdapter::instance().initialize();
        DataManager manager;
        manager.setDataPath(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR));
        manager.initialize();
        const QJsonArray pictures = manager.getPicturesList();
        QVERIFY(!pictures.isEmpty());
        ContentView view;
        view.resize(600, 500);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.displayData(pictures.first().toObject());
        QVERIFY(!view.isPictureFullSize());
        const QString fitted = view.textBrowser()->toHtml();
        QVERIFY2(fitted.contains("width=\""), qPrintable(fitted.left(2000)));
        QSignalSpy status(&view, &ContentView::statusMessage);
        emit view.textBrowser()->anchorClicked(
            QUrl("#" + ContentRenderer::pictureToggleFragment()));
        QVERIFY(view.isPictureFullSize());
        QCOMPARE(status.count(), 1);
        // Another click fits it again; a new page always starts fitted.
        emit view.textBrowser()->anchorClicked(
            QUrl("#" + ContentRenderer::pictureToggleFragment()));
        QVERIFY(!view.isPictureFullSize());
        emit view.textBrowser()->anchorClicked(
            QUrl("#" + ContentRenderer::pictureToggleFragment()));
        view.displayData(pictures.first().toObject());
        QVERIFY(!view.isPictureFullSize());
    }
};

QTEST_MAIN(TestContentView)
#include "tst_contentview.moc"
