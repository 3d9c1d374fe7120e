#include "../support/FileSizeLimit.h"
#include "views/ComparePage.h"
#include "views/InternalLink.h"

#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

namespace {

QJsonObject software(const char* name, const char* vendor)
{
    return QJsonObject{{"name", name}, {"category", "CAE"}, {"vendor", vendor}};
}

class ScriptedComparePage : public ComparePage
{
public:
    QString answer;
    QStringList warnings;

protected:
    QString askSaveFileName(const QString&) override { return answer; }
    void showWarning(const QString& title, const QString& text) override
    {
        warnings << title + QLatin1Char('|') + text;
    }
};

} // namespace

class TestComparePage : public QObject
{
    Q_OBJECT

private slots:
    void exportWritesTheTable()
    {
        ScriptedComparePage page;
        page.addEntry("a.json", software("A", "X"));
        page.addEntry("b.json", software("B", "Y"));
        QTemporaryDir dir;
        page.answer = dir.filePath("对比.csv");
        QSignalSpy status(&page, &ComparePage::statusMessage);
        page.onExportCsv();
        QFile file(page.answer);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), page.table().toCsv());
        QVERIFY(page.warnings.isEmpty());
        QCOMPARE(status.last().at(0).toString(), "对比表已导出到 " + page.answer);
        // A cancelled dialog writes nothing.
        page.answer.clear();
        page.onExportCsv();
        QVERIFY(page.warnings.isEmpty());
    }

    void failedExportNamesPathAndReason()
    {
        ScriptedComparePage page;
        page.addEntry("a.json", software("A", "X"));
        QTemporaryDir dir;
        const QString path = dir.filePath("missing/folder/x.csv");
        QVERIFY(!page.exportCsvTo(path));
        QCOMPARE(page.warnings.size(), 1);
        QVERIFY2(page.warnings.first().startsWith("导出失败|无法写入 " + path + "："),
                 qPrintable(page.warnings.first()));
        QVERIFY(page.warnings.first().size() > QString("导出失败|无法写入 " + path + "：").size());

        // A full disk keeps the old file and says so.
        const QString full = dir.filePath("full.csv");
        QFile old(full);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        {
            FileSizeLimit limit(2);
            if (!limit.isActive())
                QSKIP("cannot limit the file size here");
            QVERIFY(!page.exportCsvTo(full));
        }
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
    }

    void pageLinksAndRemoval()
    {
        ComparePage page;
        page.addEntry("data/a.json", software("A", "X"));
        page.addEntry("data/b.json", software("B", "Y"));
        QVERIFY(
            page.pageHtml().contains("<a href='" + InternalLink::href("data/b.json") + "'>B</a>"));
        QSignalSpy opened(&page, &ComparePage::entryLinkActivated);
        emit page.browser()->anchorClicked(InternalLink::build("data/b.json"));
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.at(0).at(0).toString(), QStringLiteral("data/b.json"));

        QSignalSpy changed(&page, &ComparePage::entriesChanged);
        emit page.browser()->anchorClicked(QUrl("#remove-0"));
        QCOMPARE(page.table().paths(), QStringList{"data/b.json"});
        QCOMPARE(changed.last().at(0).toInt(), 1);
        emit page.browser()->anchorClicked(QUrl("#remove-7"));
        QCOMPARE(page.table().count(), 1);

        QSignalSpy status(&page, &ComparePage::statusMessage);
        emit page.browser()->anchorClicked(QUrl("file:///etc/passwd"));
        QVERIFY(status.last().at(0).toString().startsWith("已拒绝打开链接"));
        QCOMPARE(opened.count(), 1);

        page.clearEntries();
        QCOMPARE(page.table().count(), 0);
    }
};

QTEST_MAIN(TestComparePage)
#include "tst_comparepage.moc"
