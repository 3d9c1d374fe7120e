#include "online/UpdateStatusText.h"

#include <QtTest>

class TestUpdateStatusText : public QObject
{
    Q_OBJECT

private slots:
    void initialLabelText_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("updateCheckEnabled");
        QTest::addColumn<QString>("expected");
        QTest::newRow("version shown") << "1.2.0" << false << QString::fromUtf8("版本 1.2.0");
        QTest::newRow("no version") << "" << false << QString::fromUtf8("版本信息");
        QTest::newRow("update check on") << "1.2.0" << true << QString::fromUtf8("尚未检查更新");
        QTest::newRow("update check on, no version")
            << "" << true << QString::fromUtf8("尚未检查更新");
    }

    void initialLabelText()
    {
        QFETCH(QString, version);
        QFETCH(bool, updateCheckEnabled);
        QFETCH(QString, expected);
        QCOMPARE(UpdateStatusText::initialLabelText(version, updateCheckEnabled), expected);
    }

    void results_data()
    {
        QTest::addColumn<bool>("available");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("download");
        QTest::addColumn<QString>("labelText");
        QTest::addColumn<QString>("styleSheet");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("logMessage");

        QTest::newRow("update with notes and download")
            << true << "Faster search"
            << "https://dl.example.com/q.zip" << QString::fromUtf8("发现新版本 1.3.0")
            << "color: #D84315;"
            << QString::fromUtf8("当前版本: 1.2.0\n最新版本: 1.3.0\n更新内容: Faster search\n"
                                 "下载: https://dl.example.com/q.zip")
            << QString::fromUtf8("发现新版本 1.3.0，可访问下载地址: https://dl.example.com/q.zip");
        QTest::newRow("update without notes or download: two lines")
            << true << ""
            << "" << QString::fromUtf8("发现新版本 1.3.0") << "color: #D84315;"
            << QString::fromUtf8("当前版本: 1.2.0\n最新版本: 1.3.0")
            << QString::fromUtf8("发现新版本 1.3.0，可访问下载地址: ");
        QTest::newRow("update with download only")
            << true << ""
            << "https://x" << QString::fromUtf8("发现新版本 1.3.0") << "color: #D84315;"
            << QString::fromUtf8("当前版本: 1.2.0\n最新版本: 1.3.0\n下载: https://x")
            << QString::fromUtf8("发现新版本 1.3.0，可访问下载地址: https://x");
        QTest::newRow("up to date")
            << false << "notes"
            << "https://x" << QString::fromUtf8("已是最新版本 (1.2.0)") << ""
            << "" << QString::fromUtf8("当前版本 1.2.0 已是最新");
    }

    void results()
    {
        QFETCH(bool, available);
        QFETCH(QString, notes);
        QFETCH(QString, download);
        UpdateService::UpdateInfo info;
        info.updateAvailable = available;
        info.currentVersion = QStringLiteral("1.2.0");
        info.latestVersion = available ? QStringLiteral("1.3.0") : QStringLiteral("1.2.0");
        info.releaseNotes = notes;
        info.downloadUrl = download;

        const UpdateStatusText::Presentation presentation = UpdateStatusText::forResult(info);
        QTEST(presentation.labelText, "labelText");
        QTEST(presentation.styleSheet, "styleSheet");
        QTEST(presentation.toolTip, "toolTip");
        QTEST(presentation.logMessage, "logMessage");
    }

    void failureLogMessage()
    {
        QCOMPARE(UpdateStatusText::failureLogMessage(QString::fromUtf8("更新请求超时")),
                 QString::fromUtf8("检查更新失败: 更新请求超时"));
    }
};

QTEST_GUILESS_MAIN(TestUpdateStatusText)
#include "tst_updatestatustext.moc"
