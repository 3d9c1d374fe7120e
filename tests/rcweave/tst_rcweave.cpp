#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Drives the real rcweave binary in a scratch directory and compares its
// console output and generated files byte for byte.
class TestRcweave : public QObject
{
    Q_OBJECT

private:
    struct Run
    {
        int exitCode = -1;
        QByteArray console;
    };

    Run runTool(const QTemporaryDir& dir, const QStringList& args)
    {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start(QStringLiteral(RCWEAVE_PATH), args);
        if (!process.waitForFinished(30000))
            return {};
        return {process.exitCode(), process.readAllStandardOutput()};
    }

    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray("<missing>");
        return file.readAll();
    }

    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray header(const QList<int>& ids)
    {
        QByteArray text = "#ifndef EMBEDDED_RESOURCES_H\n#define EMBEDDED_RESOURCES_H\n\n"
                          "// Auto-generated resource definitions\n\n";
        for (int id : ids)
            text += "#define IDR_RESOURCE_" + QByteArray::number(id) + " " +
                    QByteArray::number(id) + "\n";
        return text + "\n#endif // EMBEDDED_RESOURCES_H\n";
    }

    static QByteArray script(const QList<QByteArray>& lines)
    {
        QByteArray text = "#include \"EmbeddedResources.h\"\n#pragma code_page(65001)\n\n"
                          "// Auto-generated resource file\n\n";
        for (const QByteArray& line : lines)
            text += line + "\n";
        return text;
    }

    static QByteArray mapping(const QList<QByteArray>& lines)
    {
        QByteArray text =
            "#ifndef EMBEDDED_RESOURCES_MAPPING_H\n#define EMBEDDED_RESOURCES_MAPPING_H\n\n"
            "// Auto-generated resource mapping - DO NOT EDIT MANUALLY\n"
            "// This file maps file paths to resource IDs\n\n"
            "#include \"EmbeddedResources.h\"\n#include <map>\n#include <string>\n\n"
            "namespace EmbeddedResourceMapping {\n\n"
            "inline std::map<std::string, int> getResourceMap() {\n"
            "    std::map<std::string, int> resourceMap;\n\n";
        for (const QByteArray& line : lines)
            text += line + "\n";
        return text + "\n    return resourceMap;\n}\n\n} // namespace EmbeddedResourceMapping\n\n"
                      "#endif // EMBEDDED_RESOURCES_MAPPING_H\n";
    }

private slots:
    void usageWithTooFewArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("none") << QStringList();
        QTest::newRow("header only") << QStringList{"EmbeddedResources.h"};
    }

    void usageWithTooFewArguments()
    {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        const Run run = runTool(dir, args);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.console,
                 QByteArray("Usage: rcweave <header_file> <rc_file> [file1] [file2] ...\n"
                            "Example: rcweave EmbeddedResources.h EmbeddedResources.rc "
                            "data/file1.json data/file2.txt\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

    void noInputFiles_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QByteArray>("expectedConsole");
        QTest::newRow("two arguments")
            << QStringList() << QByteArray("Error: No input files specified\n");
        QTest::newRow("missing list") << QStringList{"@nolist.txt"}
                                      << QByteArray("Failed to open file list: nolist.txt\n"
                                                    "Error: No input files specified\n");
    }

    void noInputFiles()
    {
        QFETCH(QStringList, extra);
        QFETCH(QByteArray, expectedConsole);
        QTemporaryDir dir;
        const Run run = runTool(dir, QStringList{"h.h", "r.rc"} + extra);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.console, expectedConsole);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

    void sortsAndNumbersFrom1000()
    {
        QTemporaryDir dir;
        const Run run = runTool(dir, {"EmbeddedResources.h", "EmbeddedResources.rc", "data/b.json",
                                      "data/A.json", "data/a.json"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.console, QByteArray("Simple Resource Generator\n"
                                         "Header file: EmbeddedResources.h\n"
                                         "RC file: EmbeddedResources.rc\n"
                                         "Input files: 3\n"
                                         "Adding resource: IDR_RESOURCE_1000 -> data/A.json\n"
                                         "Adding resource: IDR_RESOURCE_1001 -> data/a.json\n"
                                         "Adding resource: IDR_RESOURCE_1002 -> data/b.json\n"
                                         "Header file created: EmbeddedResources.h\n"
                                         "RC file created: EmbeddedResources.rc\n"
                                         "Mapping file created: EmbeddedResources_Mapping.h\n"
                                         "Generated resources for 3 files\n"
                                         "Resource generation completed successfully!\n"));
        QCOMPARE(readFile(dir.filePath("EmbeddedResources.h")), header({1000, 1001, 1002}));
        QCOMPARE(readFile(dir.filePath("EmbeddedResources.rc")),
                 script({"IDR_RESOURCE_1000 RCDATA \"data\\\\A.json\"",
                         "IDR_RESOURCE_1001 RCDATA \"data\\\\a.json\"",
                         "IDR_RESOURCE_1002 RCDATA \"data\\\\b.json\""}));
        QCOMPARE(readFile(dir.filePath("EmbeddedResources_Mapping.h")),
                 mapping({"    resourceMap[\"data/A.json\"] = IDR_RESOURCE_1000;",
                          "    resourceMap[\"data/a.json\"] = IDR_RESOURCE_1001;",
                          "    resourceMap[\"data/b.json\"] = IDR_RESOURCE_1002;"}));
    }

    void byteOrderPutsSlashBeforeUnderscoreAndChineseLast()
    {
        QTemporaryDir dir;
        const Run run = runTool(dir, {"E.h", "E.rc", QString::fromUtf8("data/x/数字孪生.md"),
                                      "data/x_y.json", "data/x/z.json", "data/X.json"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(readFile(dir.filePath("E_Mapping.h")),
                 mapping({"    resourceMap[\"data/X.json\"] = IDR_RESOURCE_1000;",
                          "    resourceMap[\"data/x/z.json\"] = IDR_RESOURCE_1001;",
                          "    resourceMap[\"data/x/数字孪生.md\"] = IDR_RESOURCE_1002;",
                          "    resourceMap[\"data/x_y.json\"] = IDR_RESOURCE_1003;"}));
    }

    void duplicatesKeepTwoIds()
    {
        QTemporaryDir dir;
        const Run run = runTool(dir, {"E.h", "E.rc", "data/a.json", "data/a.json"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(readFile(dir.filePath("E.h")), header({1000, 1001}));
        QCOMPARE(readFile(dir.filePath("E_Mapping.h")),
                 mapping({"    resourceMap[\"data/a.json\"] = IDR_RESOURCE_1000;",
                          "    resourceMap[\"data/a.json\"] = IDR_RESOURCE_1001;"}));
    }

    void scriptAndMappingPaths_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QByteArray>("scriptPath");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("backslashes only")
            << "data\\x.json" << QByteArray("data\\\\x.json") << QByteArray("x.json");
        QTest::newRow("absolute checkout with marker")
            << "D:/src/Velmarik_industry/data/news/local_news.json"
            << QByteArray("..\\\\data\\\\news\\\\local_news.json")
            << QByteArray("data/news/local_news.json");
        QTest::newRow("marker followed by backslash")
            << "C:\\w\\Velmarik_industry\\data\\a.json" << QByteArray("..\\\\data\\\\a.json")
            << QByteArray("a.json");
        QTest::newRow("marker at end")
            << "Velmarik_industry" << QByteArray("..\\\\") << QByteArray("Velmarik_industry");
        QTest::newRow("shorter than marker")
            << "Velmarik" << QByteArray("Velmarik") << QByteArray("Velmarik");
        QTest::newRow("data/ inside an absolute path")
            << "/home/u/kb/data/pictures/CAD 子知识图谱.png"
            << QByteArray("\\\\home\\\\u\\\\kb\\\\data\\\\pictures\\\\CAD 子知识图谱.png")
            << QByteArray("data/pictures/CAD 子知识图谱.png");
        QTest::newRow("no data directory")
            << "assets/logo.png" << QByteArray("assets\\\\logo.png") << QByteArray("logo.png");
        QTest::newRow("bare name") << "readme" << QByteArray("readme") << QByteArray("readme");
        QTest::newRow("four characters are too short for a data key")
            << "data" << QByteArray("data") << QByteArray("data");
        QTest::newRow("quote in a file name")
            << "data/a\"b.json" << QByteArray("data\\\\a\"\"b.json")
            << QByteArray("data/a\\\"b.json");
        QTest::newRow("file name that tries to close the string")
            << "data/x\"];system(\"id\");//.json"
            << QByteArray("data\\\\x\"\"];system(\"\"id\"\");\\\\\\\\.json")
            << QByteArray("data/x\\\"];system(\\\"id\\\");//.json");
    }

    void scriptAndMappingPaths()
    {
        QFETCH(QString, input);
        QFETCH(QByteArray, scriptPath);
        QFETCH(QByteArray, key);
        QTemporaryDir dir;
        const Run run = runTool(dir, {"E.h", "E.rc", input});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(readFile(dir.filePath("E.rc")),
                 script({"IDR_RESOURCE_1000 RCDATA \"" + scriptPath + "\""}));
        QCOMPARE(readFile(dir.filePath("E_Mapping.h")),
                 mapping({"    resourceMap[\"" + key + "\"] = IDR_RESOURCE_1000;"}));
    }

    void controlCharacterInFileNameFailsTheRun_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("line feed") << "data/a\nb.json" << QByteArray("data/a\\012b.json");
        QTest::newRow("carriage return") << "data/a\r.json" << QByteArray("data/a\\015.json");
        QTest::newRow("tab") << "data/\t1.json" << QByteArray("data/\\0111.json");
    }

    void controlCharacterInFileNameFailsTheRun()
    {
        QFETCH(QString, input);
        QFETCH(QByteArray, shown);
        QTemporaryDir dir;
        const Run run = runTool(dir, {"E.h", "E.rc", "data/ok.json", input});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.console.endsWith("Error: Control character in file name: " + shown +
                                     "\nResource generation failed!\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

#ifdef RCEMBED_PATH
    void assemblerKeepsQuotedFileNames()
    {
        QTemporaryDir dir;
        QCOMPARE(runTool(dir, {"E.h", "E.rc", "data/a\"b.json", "data/c\\d.json"}).exitCode, 0);
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(RCEMBED_PATH), {"E.rc", "/base", "out.S"});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        const QByteArray assembly = readFile(dir.filePath("out.S"));
        QVERIFY2(assembly.contains("    .incbin \"/base/data/a\\\"b.json\"\n"),
                 assembly.constData());
        QVERIFY2(assembly.contains("    .incbin \"/base/data/c/d.json\"\n"), assembly.constData());
    }
#endif

    void headerWithoutDotGetsSuffixAppended()
    {
        QTemporaryDir dir;
        const Run run = runTool(dir, {"Resources", "R.rc", "data/a.json"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.console.contains("Mapping file created: Resources_Mapping.h\n"));
        QVERIFY(QFile::exists(dir.filePath("Resources_Mapping.h")));
    }

    void listFilesWithLineEndingsAndBlankLines()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("crlf.txt"), "data/b.json\r\n\r\ndata/c.json\r\n");
        writeFile(dir.filePath("lf.txt"), "\ndata/a.json\n\n");
        const Run run =
            runTool(dir, {"E.h", "E.rc", "@crlf.txt", "data/d.json", "@missing.txt", "@lf.txt"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.console.startsWith("Failed to open file list: missing.txt\n"
                                       "Simple Resource Generator\n"));
        QVERIFY(run.console.contains("Input files: 4\n"));
        QCOMPARE(readFile(dir.filePath("E.rc")),
                 script({"IDR_RESOURCE_1000 RCDATA \"data\\\\a.json\"",
                         "IDR_RESOURCE_1001 RCDATA \"data\\\\b.json\"",
                         "IDR_RESOURCE_1002 RCDATA \"data\\\\c.json\"",
                         "IDR_RESOURCE_1003 RCDATA \"data\\\\d.json\""}));
    }

    void headerThatCannotBeCreatedFailsTheRun()
    {
        QTemporaryDir dir;
        const Run run = runTool(dir, {"missing/E.h", "E.rc", "data/a.json"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.console.endsWith("Adding resource: IDR_RESOURCE_1000 -> data/a.json\n"
                                     "Failed to create header file: missing/E.h\n"
                                     "Resource generation failed!\n"));
        QVERIFY(!QFile::exists(dir.filePath("E.rc")));
    }

    void scriptThatCannotBeCreatedFailsTheRun()
    {
        QTemporaryDir dir;
        const Run run = runTool(dir, {"E.h", "missing/E.rc", "data/a.json"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.console.endsWith("Header file created: E.h\n"
                                     "Failed to create RC file: missing/E.rc\n"
                                     "Resource generation failed!\n"));
        QVERIFY(!QFile::exists(dir.filePath("E_Mapping.h")));
    }

    void mappingFailureOnlyWarns()
    {
        QTemporaryDir dir;
        // The mapping path of "sub.d/E" is "sub_Mapping.h"; a directory of that name blocks it.
        QVERIFY(QDir(dir.path()).mkpath("sub.d"));
        QVERIFY(QDir(dir.path()).mkpath("sub_Mapping.h"));
        const Run run = runTool(dir, {"sub.d/E", "E.rc", "data/a.json"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.console.endsWith("Header file created: sub.d/E\n"
                                     "RC file created: E.rc\n"
                                     "Failed to create mapping file: sub_Mapping.h\n"
                                     "Warning: Failed to create mapping file\n"
                                     "Generated resources for 1 files\n"
                                     "Resource generation completed successfully!\n"));
    }
};

QTEST_GUILESS_MAIN(TestRcweave)
#include "tst_rcweave.moc"
