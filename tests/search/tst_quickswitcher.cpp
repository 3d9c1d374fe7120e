#include "data/DataManager.h"
#include "data/EmbeddedDataAdapter.h"
#include "search/QuickSwitcher.h"
#include "search/SearchEngine.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

// The switcher popup over a real window, on the shipped knowledge base.
class TestQuickSwitcher : public QObject
{
    Q_OBJECT

private:
    DataManager m_dataManager;
    SearchEngine m_searchEngine;
    std::unique_ptr<QWidget> m_window;
    QPushButton* m_elsewhere = nullptr;
    QuickSwitcher* m_switcher = nullptr;

    QString dataDir() const { return QStringLiteral(QUORVANTA_SOURCE_DATA_DIR "/"); }
    QString currentPath() const
    {
        return m_switcher->listView()->currentIndex().data(QuickSwitcherModel::PathRole).toString();
    }

private slots:
    void initTestCase()
    {
        EmbeddedDataAdapter::instance().initialize();
        m_dataManager.setDataPath(dataDir());
        m_dataManager.initialize();
    }

    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(1000, 700);
        auto* layout = new QVBoxLayout(m_window.get());
        m_elsewhere = new QPushButton("elsewhere", m_window.get());
        layout->addWidget(m_elsewhere);
        m_switcher = new QuickSwitcher(m_window.get());
        m_window->addAction(m_switcher->openAction());
        connect(m_switcher, &QuickSwitcher::aboutToOpen, this, [this] {
            if (!m_switcher->model()->isBuilt())
                m_switcher->model()->rebuild(&m_dataManager, &m_searchEngine, dataDir());
        });
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void ctrlKAndCtrlPOpenIt_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Ctrl+K") << int(Qt::Key_K);
        QTest::newRow("Ctrl+P") << int(Qt::Key_P);
    }

    void ctrlKAndCtrlPOpenIt()
    {
        QFETCH(int, key);
        QVERIFY(m_switcher->isHidden());
        QTest::keyClick(m_elsewhere, Qt::Key(key), Qt::ControlModifier);
        QVERIFY(m_switcher->isVisible());
        QVERIFY(m_switcher->lineEdit()->hasFocus());
        QVERIFY(m_switcher->model()->isBuilt());
        // Over the window, in its upper half.
        QVERIFY(m_window->rect().contains(m_switcher->geometry()));
    }

    void typeMoveAndOpen()
    {
        m_switcher->openSwitcher();
        QSignalSpy requested(m_switcher, &QuickSwitcher::pageRequested);
        QTest::keyClicks(m_switcher->lineEdit(), "revit");
        QVERIFY(m_switcher->model()->rowCount() > 1);
        QVERIFY(currentPath().endsWith("software/bim/revit.json"));
        QTest::keyClick(m_switcher->lineEdit(), Qt::Key_Down);
        const QString second = m_switcher->model()->pathAt(1);
        QCOMPARE(currentPath(), second);
        QTest::keyClick(m_switcher->lineEdit(), Qt::Key_Up);
        QTest::keyClick(m_switcher->lineEdit(), Qt::Key_Up); // wraps to the last row
        QCOMPARE(m_switcher->listView()->currentIndex().row(), m_switcher->model()->rowCount() - 1);
        QTest::keyClick(m_switcher->lineEdit(), Qt::Key_Down); // and back to the first
        QTest::keyClick(m_switcher->lineEdit(), Qt::Key_Down);
        QTest::keyClick(m_switcher->lineEdit(), Qt::Key_Return);
        QCOMPARE(requested.count(), 1);
        QCOMPARE(requested.first().first().toString(), second);
        QVERIFY(m_switcher->isHidden());
    }

    // The engine's hits arrive later; the row the user moved to stays current.
    void laterHitsKeepTheCurrentRow()
    {
        m_switcher->openSwitcher();
        QTest::keyClicks(m_switcher->lineEdit(), "parasolid");
        QTest::keyClick(m_switcher->lineEdit(), Qt::Key_Down);
        const QString chosen = currentPath();
        QVERIFY(m_switcher->model()->isFullTextPending());
        QTRY_VERIFY(!m_switcher->model()->isFullTextPending());
        QCOMPARE(currentPath(), chosen);
    }

    void escapeAndClicksElsewhereClose()
    {
        m_switcher->openSwitcher();
        QTest::keyClick(m_switcher->lineEdit(), Qt::Key_Escape);
        QVERIFY(m_switcher->isHidden());
        m_switcher->openSwitcher();
        QTest::mouseClick(m_elsewhere, Qt::LeftButton);
        QVERIFY(m_switcher->isHidden());
    }

    void clickingARowOpensIt()
    {
        m_switcher->openSwitcher();
        QSignalSpy requested(m_switcher, &QuickSwitcher::pageRequested);
        QTest::keyClicks(m_switcher->lineEdit(), "netsuite");
        QListView* list = m_switcher->listView();
        const QRect first = list->visualRect(m_switcher->model()->index(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(requested.count(), 1);
        QVERIFY(requested.first().first().toString().endsWith("software/erp/netsuite.json"));
    }

    void hintTellsTheCount()
    {
        m_switcher->openSwitcher();
        auto* hint = m_switcher->findChild<QLabel*>("quickSwitcherHint");
        QTest::keyClicks(m_switcher->lineEdit(), "zzqqxxnotathing");
        QCOMPARE(hint->text(), QStringLiteral("没有匹配的条目"));
        m_switcher->lineEdit()->clear();
        QTest::keyClicks(m_switcher->lineEdit(), "netsuite");
        QVERIFY(hint->text().startsWith(
            QStringLiteral("%1 个匹配").arg(m_switcher->model()->rowCount())));
    }
};

QTEST_MAIN(TestQuickSwitcher)
#include "tst_quickswitcher.moc"
