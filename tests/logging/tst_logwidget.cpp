#include "logging/LogWidget.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QThread>
#include <QtTest>

namespace {

class SavingLogWidget : public LogWidget
{
public:
    QString answer;

protected:
    QString askSaveFileName() override { return answer; }
};

QStringList lines(const LogWidget& widget)
{
    return widget.plainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestLogWidget : public QObject
{
    Q_OBJECT

private slots:
    void levels_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("color");
        QTest::newRow("info") << 0 << "INFO"
                              << "#000000";
        QTest::newRow("warning") << 1 << "WARN"
                                 << "#FF8C00";
        QTest::newRow("error") << 2 << "ERROR"
                               << "#FF0000";
        QTest::newRow("debug") << 3 << "DEBUG"
                               << "#0000FF";
        QTest::newRow("success") << 4 << "OK"
                                 << "#00AA00";
        QTest::newRow("unknown") << 7 << ""
                                 << "#000000";
    }

    void levels()
    {
        QFETCH(int, level);
        QFETCH(QString, label);
        QFETCH(QString, color);
        QCOMPARE(LogWidget::levelLabel(level), label);
        QCOMPARE(LogWidget::levelColor(level), color);
    }

    void lineFormat_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("html");
        QTest::newRow("markup") << "a <b>x</b>"
                                << "a &lt;b&gt;x&lt;/b&gt;";
        QTest::newRow("template type") << "QList<int>"
                                       << "QList&lt;int&gt;";
        QTest::newRow("ampersand and quotes") << "R&D \"x\" &amp;"
                                              << "R&amp;D &quot;x&quot; &amp;amp;";
        QTest::newRow("line break left to rich text") << "one\ntwo"
                                                      << "one\ntwo";
        QTest::newRow("runs of blanks") << " a  b   c"
                                        << "&nbsp;a &nbsp;b &nbsp;&nbsp;c";
        QTest::newRow("plain") << "plain text"
                               << "plain text";
    }

    void lineFormat()
    {
        QFETCH(QString, message);
        QFETCH(QString, html);
        QCOMPARE(LogWidget::formatLine(message, LogWidget::Warning, QTime(9, 5, 7, 12)),
                 QStringLiteral("<span style='color: gray'>[09:05:07.012]</span> "
                                "<span style='color: #FF8C00; font-weight: bold'>[WARN]</span> "
                                "<span style='color: #FF8C00'>") +
                     html + QStringLiteral("</span>"));
    }

    void locationSuffix_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("unix path")
            << QByteArray("/src/data/FileLoader.cpp") << 42 << " [FileLoader.cpp:42]";
        QTest::newRow("windows path") << QByteArray("C:\\src\\x\\Main.cpp") << 7 << " [Main.cpp:7]";
        QTest::newRow("bare name") << QByteArray("a.cpp") << 1 << " [a.cpp:1]";
        QTest::newRow("line zero") << QByteArray("a.cpp") << 0 << "";
        QTest::newRow("no file") << QByteArray() << 5 << "";
        QTest::newRow("percent sign in name")
            << QByteArray("/gen/moc_%2.cpp") << 9 << " [moc_%2.cpp:9]";
    }

    void locationSuffix()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QFETCH(QString, suffix);
        QCOMPARE(LogWidget::locationSuffix(file.isEmpty() ? nullptr : file.constData(), line),
                 suffix);
    }

    void startsWithTwoLines()
    {
        LogWidget widget;
        const QStringList shown = lines(widget);
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown.at(0).endsWith("[INFO] 日志系统已启动"));
        QVERIFY(shown.at(1).endsWith("[INFO] Quorvanta - 调试控制台"));
        QCOMPARE(widget.textArea()->font().family(), QStringLiteral("Consolas"));
        QCOMPARE(widget.textArea()->font().pointSize(), 9);
        QVERIFY(widget.textArea()->isReadOnly());
    }

    void messagesAreShownAndSavedAsWritten_data()
    {
        QTest::addColumn<QString>("message");
        QTest::newRow("markup") << "<b>粗体</b> done";
        QTest::newRow("template type") << "QList<int> and QMap<QString, int>";
        QTest::newRow("entity text") << "&lt; stays &amp; as typed";
        QTest::newRow("link in angle brackets") << "see <https://example.com/a?b=1&c=2>";
        QTest::newRow("runs of blanks") << "col1    col2  end";
    }

    void messagesAreShownAndSavedAsWritten()
    {
        QFETCH(QString, message);
        QTemporaryDir dir;
        SavingLogWidget widget;
        widget.answer = dir.filePath("log.txt");
        widget.logSuccess(message);
        QVERIFY2(widget.plainText().endsWith("[OK] " + message), qPrintable(widget.plainText()));

        QTest::mouseClick(widget.findChildren<QPushButton*>().at(1), Qt::LeftButton);
        QFile file(widget.answer);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(file.readAll()).endsWith("[OK] " + message));
    }

    void clearLeavesOneLine()
    {
        LogWidget widget;
        widget.logWarning("something");
        QTest::mouseClick(widget.findChildren<QPushButton*>().at(0), Qt::LeftButton);
        const QStringList shown = lines(widget);
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.first().endsWith("[INFO] 日志已清空"));
    }

    void saveWritesPlainText()
    {
        QTemporaryDir dir;
        SavingLogWidget widget;
        widget.answer = dir.filePath("log.txt");
        widget.logInfo("line to keep");
        const QString before = widget.plainText();
        QTest::mouseClick(widget.findChildren<QPushButton*>().at(1), Qt::LeftButton);
        QFile file(widget.answer);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), before);
        QVERIFY(lines(widget).last().endsWith("[OK] 日志已保存到: " + widget.answer));
    }

    void saveCancelledOrFailing()
    {
        SavingLogWidget widget;
        const int count = lines(widget).size();
        QTest::mouseClick(widget.findChildren<QPushButton*>().at(1), Qt::LeftButton);
        QCOMPARE(lines(widget).size(), count);

        QTemporaryDir dir;
        widget.answer = dir.path(); // a directory cannot be opened as a file
        QTest::mouseClick(widget.findChildren<QPushButton*>().at(1), Qt::LeftButton);
        QVERIFY(lines(widget).last().endsWith("[ERROR] 无法保存日志文件: " + dir.path()));
    }

    void fatalMessageReachesStandardError()
    {
        // The child installs the console's handler and dies of a fatal message.
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--emit-fatal")});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        const QByteArray errors = child.readAllStandardError();
        QVERIFY2(errors.contains("fatal: QList<int> went wrong [Fatal.cpp:9]\n"),
                 errors.constData());
    }

    // Installs the handler for the rest of this process: keep these cases last.
    void handlerRoutesMessages()
    {
        LogWidget widget;
        widget.installMessageHandler();
        QVERIFY(lines(widget).last().endsWith("[OK] 已安装全局消息处理器"));

        QMessageLogger("/deep/path/to/Source.cpp", 42, nullptr).warning("careful");
        qDebug() << "invisible debug line";
        QMessageLogger("Crit.cpp", 3, nullptr).critical("broken");
        qInfo("plain info");
        QTRY_VERIFY(widget.plainText().contains("plain info"));
        const QStringList shown = lines(widget);
        QVERIFY(shown.at(shown.size() - 3).endsWith("[WARN] careful [Source.cpp:42]"));
        QVERIFY(shown.at(shown.size() - 2).endsWith("[ERROR] broken [Crit.cpp:3]"));
        QVERIFY(!widget.plainText().contains("invisible debug line"));
        QVERIFY(widget.textArea()->toHtml().contains("#ff8c00"));
    }

    void handlerAcceptsOtherThreads()
    {
        LogWidget widget;
        QThread* thread = QThread::create([] {
            for (int i = 0; i < 20; ++i)
                qWarning("from worker %d", i);
        });
        thread->start();
        QVERIFY(thread->wait(5000));
        delete thread;
        QTRY_VERIFY(widget.plainText().contains("from worker 19"));
        const QString text = widget.plainText();
        int last = -1;
        for (int i = 0; i < 20; ++i) {
            const int at = text.indexOf(QStringLiteral("from worker %1").arg(i));
            QVERIFY(at > last);
            last = at;
        }
    }
};

// With --emit-fatal the program is the child of fatalMessageReachesStandardError.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--emit-fatal") == 0) {
        LogWidget widget;
        widget.installMessageHandler();
        QMessageLogger("Fatal.cpp", 9, nullptr).fatal("fatal: QList<int> went wrong");
        return 0;
    }
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestLogWidget test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_logwidget.moc"
