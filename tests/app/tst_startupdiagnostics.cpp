#include "app/StartupDiagnostics.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtTest>

namespace {

QStringList s_lines;

void recordMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    s_lines << message;
}

// Collects what the dumps write while it lives.
class Recorder
{
public:
    Recorder() : m_previous(qInstallMessageHandler(recordMessage)) { s_lines.clear(); }
    ~Recorder() { qInstallMessageHandler(m_previous); }

private:
    QtMessageHandler m_previous;
};

} // namespace

class TestStartupDiagnostics : public QObject
{
    Q_OBJECT

private:
    QString notesDir() const
    {
        return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath("Quorvanta");
    }
    QString notesFile() const { return QDir(notesDir()).filePath("Quorvanta_notes.json"); }

    void writeNotes(const QByteArray& bytes)
    {
        QVERIFY(QDir().mkpath(notesDir()));
        QFile file(notesFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    static int indexOf(const QString& prefix)
    {
        for (int i = 0; i < s_lines.size(); ++i) {
            if (s_lines.at(i).startsWith(prefix))
                return i;
        }
        return -1;
    }

private slots:
    void banner()
    {
        Recorder recorder;
        StartupDiagnostics::logDebugBanner();
        QCOMPARE(s_lines.size(), 12);
        QVERIFY(s_lines.first().isEmpty());
        for (int i = 1; i <= 6; ++i)
            QVERIFY2(s_lines.at(i).contains(QChar(0x2588)) || s_lines.at(i).contains(QChar(0x255A)),
                     qPrintable(s_lines.at(i)));
        QVERIFY(s_lines.at(7).isEmpty());
        QCOMPARE(s_lines.at(8), QStringLiteral("Quorvanta - 调试模式"));
        QCOMPARE(s_lines.at(9), QStringLiteral("版本: 1.2 (用户路径修复版)"));
        QVERIFY(s_lines.at(10).startsWith("启动时间: "));
        QVERIFY(s_lines.at(11).isEmpty());
    }

    void systemInformation()
    {
        Recorder recorder;
        StartupDiagnostics::logSystemInformation();
        const QString rule = QStringLiteral("================================");
        QCOMPARE(s_lines.size(), 10);
        QCOMPARE(s_lines.at(0), rule);
        QCOMPARE(s_lines.at(1), QStringLiteral("        系统调试信息"));
        QCOMPARE(s_lines.at(2), rule);
        const QStringList prefixes{
            "编译时间: ", "当前时间: ", "工作目录: ", "文档目录: ", "应用数据目录: ", "临时目录: "};
        for (int i = 0; i < prefixes.size(); ++i)
            QVERIFY2(s_lines.at(3 + i).startsWith(prefixes.at(i)), qPrintable(s_lines.at(3 + i)));
        QCOMPARE(s_lines.at(5), "工作目录: " + QDir::currentPath());
        QCOMPARE(s_lines.at(9), rule);
    }

    void missingNotesFile()
    {
        QFile::remove(notesFile());
        Recorder recorder;
        StartupDiagnostics::logNoteFileInformation();
        QCOMPARE(s_lines.at(1), QStringLiteral("        笔记系统调试信息"));
        QCOMPARE(s_lines.at(3), "笔记目录: " + notesDir());
        QCOMPARE(s_lines.at(4), "笔记文件: " + notesFile());
        QCOMPARE(s_lines.at(6), QStringLiteral("文件存在: false"));
        QCOMPARE(s_lines.size(), 7);
    }

    void readableNotesFile()
    {
        writeNotes(R"({"version":"2.0","userPathFix":true,"totalNotes":4,"categories":["a","b"],
                      "notes":[{"id":"n1","title":"第一"},{"id":"n2","title":"第二"},
                               {"id":"n3","title":"第三"},{"id":"n4","title":"第四"}]})");
        Recorder recorder;
        StartupDiagnostics::logNoteFileInformation();
        QCOMPARE(s_lines.at(5), QStringLiteral("目录存在: true"));
        QCOMPARE(s_lines.at(6), QStringLiteral("文件存在: true"));
        QCOMPARE(s_lines.at(7),
                 QStringLiteral("文件大小: %1 字节").arg(QFileInfo(notesFile()).size()));
        QVERIFY(indexOf("JSON解析成功") > indexOf("前100字符: "));
        QCOMPARE(s_lines.at(indexOf("笔记数量:")), QStringLiteral("笔记数量: 4"));
        QCOMPARE(s_lines.at(indexOf("  笔记 1")), QStringLiteral("  笔记 1 : ID= n1 , 标题= 第一"));
        QVERIFY(indexOf("  笔记 3") > 0);
        QCOMPARE(indexOf("  笔记 4"), -1);
        QCOMPARE(s_lines.at(indexOf("分类数量:")), QStringLiteral("分类数量: 2"));
        QCOMPARE(s_lines.mid(s_lines.size() - 3),
                 (QStringList{"版本: 2.0", "用户路径修复: true", "总笔记数: 4"}));
    }

    void brokenNotesFile()
    {
        writeNotes("{\"notes\": [");
        Recorder recorder;
        StartupDiagnostics::logNoteFileInformation();
        QCOMPARE(indexOf("JSON解析成功"), -1);
        QVERIFY(indexOf("JSON解析失败: ") > 0);
        QCOMPARE(s_lines.last().left(6), QStringLiteral("错误位置: "));
    }
};

QTEST_GUILESS_MAIN(TestStartupDiagnostics)
#include "tst_startupdiagnostics.moc"
