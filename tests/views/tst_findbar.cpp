#include "views/ContentView.h"
#include "views/CustomTextBrowser.h"
#include "views/FindBar.h"

#include <QAction>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QtTest>

// The find bar over a real content view.
class TestFindBar : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ContentView> m_view;
    FindBar* m_bar = nullptr;

    CustomTextBrowser* browser() const { return m_view->textBrowser(); }
    QString count() const { return m_bar->countLabel()->text(); }

    QList<QColor> highlightColors() const
    {
        QList<QColor> colors;
        for (const QTextEdit::ExtraSelection& selection : browser()->extraSelections())
            colors << selection.format.background().color();
        return colors;
    }

private slots:
    void init()
    {
        m_view = std::make_unique<ContentView>();
        m_bar = new FindBar(m_view->textBrowser());
        m_view->resize(700, 500);
        m_view->show();
        m_view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
        m_view->displayData(QJsonObject{
            {"name", "CATIA"},
            {"fullName", "Dassault CATIA"},
            {"description", QJsonObject{{"zh", "catia 是 CATIA 系列；Catia V5 与 V6。"}}}});
    }

    void cleanup() { m_view.reset(); }

    void typingFindsEveryHit()
    {
        QVERIFY(m_bar->isHidden());
        m_bar->openBar();
        QVERIFY(m_bar->isVisible());
        QVERIFY(m_bar->lineEdit()->hasFocus());
        QTest::keyClicks(m_bar->lineEdit(), "cat");
        // The generic page shows the full name twice: in the summary and as a member.
        QCOMPARE(count(), QStringLiteral("1/5"));
        QTest::keyClicks(m_bar->lineEdit(), "ia");
        QCOMPARE(count(), QStringLiteral("1/5"));
        QCOMPARE(highlightColors(),
                 (QList<QColor>{FindBar::currentHitColor(), FindBar::hitColor(),
                                FindBar::hitColor(), FindBar::hitColor(), FindBar::hitColor()}));
        QTest::keyClicks(m_bar->lineEdit(), "x");
        QCOMPARE(count(), QStringLiteral("0/0"));
        QVERIFY(browser()->extraSelections().isEmpty());
    }

    void returnAndF3MoveAndWrap()
    {
        m_bar->openBar();
        QTest::keyClicks(m_bar->lineEdit(), "catia");
        QTest::keyClick(m_bar->lineEdit(), Qt::Key_Return);
        QCOMPARE(count(), QStringLiteral("2/5"));
        QCOMPARE(highlightColors().at(1), FindBar::currentHitColor());
        QTest::keyClick(m_bar->lineEdit(), Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(m_bar->lineEdit(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(count(), QStringLiteral("5/5"));
        m_bar->findNextAction()->trigger();
        QCOMPARE(count(), QStringLiteral("1/5"));
        m_bar->findPreviousAction()->trigger();
        QCOMPARE(count(), QStringLiteral("5/5"));
        // The current hit is where the caret went.
        QCOMPARE(browser()->textCursor().position(), m_bar->finder().currentHit().selectionStart());
    }

    void escapeClosesFromTheFieldAndTheView()
    {
        m_bar->openBar();
        QTest::keyClicks(m_bar->lineEdit(), "v");
        QVERIFY(!browser()->extraSelections().isEmpty());
        QTest::keyClick(m_bar->lineEdit(), Qt::Key_Escape);
        QVERIFY(m_bar->isHidden());
        QVERIFY(browser()->extraSelections().isEmpty());

        m_bar->openBar();
        QCOMPARE(m_bar->lineEdit()->text(), QStringLiteral("v"));
        QCOMPARE(count(), QStringLiteral("1/2"));
        browser()->setFocus();
        QTest::keyClick(browser(), Qt::Key_Escape);
        QVERIFY(m_bar->isHidden());
    }

    // A new page in the view is searched again while the bar is open.
    void aNewPageIsSearchedAgain()
    {
        m_bar->openBar();
        QTest::keyClicks(m_bar->lineEdit(), "nx");
        QCOMPARE(count(), QStringLiteral("0/0"));
        m_view->displayData(QJsonObject{{"name", "NX"}, {"fullName", "Siemens NX"}});
        QCOMPARE(count(), QStringLiteral("1/2"));
        QCOMPARE(browser()->extraSelections().size(), 2);
    }

    void notOpenedWhileTheViewIsHidden()
    {
        m_view->hide();
        m_bar->findAction()->trigger();
        QVERIFY(m_bar->isHidden());
    }

    void shortcuts()
    {
        QCOMPARE(m_bar->findAction()->shortcut(), QKeySequence(QKeySequence::Find));
        QCOMPARE(m_bar->findNextAction()->shortcut(), QKeySequence("F3"));
        QCOMPARE(m_bar->findPreviousAction()->shortcut(), QKeySequence("Shift+F3"));
    }

    void liesOverTheViewsTopRight()
    {
        m_bar->openBar();
        const QRect area = browser()->geometry();
        QVERIFY(area.contains(m_bar->geometry().topLeft()));
        QVERIFY(m_bar->geometry().right() <= area.right());
        QVERIFY(m_bar->geometry().left() > area.center().x() - m_bar->width());
    }

    // Siblings die in creation order, so the view goes first; its ~QWidget still sends
    // events through the bar's filter. Afterwards the bar closes and no longer opens.
    void outlivesItsView()
    {
        QWidget holder;
        auto* edit = new QTextEdit(&holder);
        edit->setPlainText(QStringLiteral("catia CATIA"));
        auto* bar = new FindBar(edit);
        holder.resize(400, 300);
        holder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&holder));
        bar->openBar();
        QTest::keyClicks(bar->lineEdit(), "cat");
        QCOMPARE(bar->countLabel()->text(), QStringLiteral("1/2"));

        delete edit;
        holder.resize(500, 320);
        bar->closeBar();
        QVERIFY(bar->isHidden());
        bar->openBar();
        QVERIFY(bar->isHidden());
    }
};

QTEST_MAIN(TestFindBar)
#include "tst_findbar.moc"
