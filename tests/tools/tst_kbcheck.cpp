#include "KnowledgeBaseFixture.h"
#include "kbcheck/KnowledgeBaseChecker.h"

#include <QProcess>
#include <QtTest>

using F = KnowledgeBaseFixture;

// Drives the real kbcheck binary: exit codes, console output and the results file.
class TestKbcheck : public QObject
{
    Q_OBJECT

private:
    struct Run
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };

    static Run runTool(const QStringList& args)
    {
        QProcess process;
        process.start(QStringLiteral(KBCHECK_PATH), args);
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput(), process.readAllStandardError()};
    }

    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray("<missing>");
        return file.readAll();
    }

    static QByteArray cleanSummary(int allFiles)
    {
        return "Software entries: 2 (CAD 1, CAE 1)\n"
               "Companies: 1\n"
               "Technology JSON files: 2\n"
               "Discipline JSON files: 3\n"
               "JSON files: 14\n"
               "Markdown files: 2\n"
               "PNG files: 1\n"
               "All files: " +
               QByteArray::number(allFiles) + "\n";
    }

private slots:
    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no arguments") << QStringList();
        QTest::newRow("two directories") << QStringList{"a", "b"};
        QTest::newRow("write without a file") << QStringList{"a", "--write"};
    }

    void usageErrors()
    {
        QFETCH(QStringList, args);
        const Run run = runTool(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.endsWith("Usage: kbcheck <data_dir> [--write <output.json>]\n"));
        QCOMPARE(run.out, QByteArray());
    }

    void unknownOption()
    {
        const Run run = runTool({"--frobnicate", "data"});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err, QByteArray("kbcheck: Unknown option 'frobnicate'.\n"
                                     "Usage: kbcheck <data_dir> [--write <output.json>]\n"));
    }

    void notADirectory()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath("missing");
        const Run run = runTool({missing});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err, "kbcheck: not a directory: " + missing.toUtf8() + "\n");
        QCOMPARE(run.out, QByteArray());
    }

    void cleanKnowledgeBase()
    {
        KnowledgeBaseFixture kb;
        const Run run = runTool({kb.path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, cleanSummary(17) + "Problems: 0\n");
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(readFile(kb.filePath("validation_results.json")), QByteArray("not even JSON"));
    }

    void problemsExitWithOne()
    {
        KnowledgeBaseFixture kb;
        kb.write("software/cad/alpha_cad.json",
                 F::json(F::edited(F::alphaCad(), "vendor", "ACME")));
        kb.write("technologies/notes.md", "\xEF\xBB\xBFx");
        const Run run = runTool({kb.path()});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out,
                 "data/software/cad/alpha_cad.json: vendor \"ACME\" is spelled \"Acme\" in "
                 "data/companies/acme.json\n"
                 "data/technologies/notes.md: starts with a UTF-8 byte order mark\n"
                 "Software entries: 2 (CAD 1, CAE 1)\n"
                 "Companies: 1\n"
                 "Technology JSON files: 2\n"
                 "Discipline JSON files: 3\n"
                 "JSON files: 14\n"
                 "Markdown files: 3\n"
                 "PNG files: 1\n"
                 "All files: 18\n"
                 "Problems: 2\n");
    }

    void writeIsReproducible()
    {
        KnowledgeBaseFixture kb;
        kb.write("user_notes.json", "[]");
        const QString output = kb.filePath("validation_results.json");
        const Run first = runTool({kb.path(), "--write", output});
        QCOMPARE(first.exitCode, 1);
        QCOMPARE(first.out, "data/user_notes.json: top level is not a JSON object\n" +
                                cleanSummary(17) + "Problems: 1\nResults written to " +
                                output.toUtf8() + "\n");
        const QByteArray written = readFile(output);

        KnowledgeBaseChecker checker(kb.path());
        checker.run();
        QCOMPARE(written, checker.resultsJson());
        QVERIFY(written.contains("\"message\": \"top level is not a JSON object\""));

        const Run second = runTool({kb.path(), "--write", output});
        QCOMPARE(second.exitCode, 1);
        QCOMPARE(second.out, first.out);
        QCOMPARE(readFile(output), written);
    }

    void writeElsewhereInTheTreeIsNotCounted()
    {
        KnowledgeBaseFixture kb;
        QDir().mkpath(kb.filePath("reports"));
        const QString output = kb.filePath("reports/results.json");
        const Run first = runTool({"--write", output, kb.path()});
        QCOMPARE(first.exitCode, 0);
        const Run second = runTool({"--write", output, kb.path()});
        QCOMPARE(second.exitCode, 0);
        QCOMPARE(second.out,
                 cleanSummary(17) + "Problems: 0\nResults written to " + output.toUtf8() + "\n");
        QVERIFY(readFile(output).contains("\"allFiles\": 17,"));
    }

    void writeFailureExitsWithTwo()
    {
        KnowledgeBaseFixture kb;
        const QString output = kb.filePath("no/such/dir/results.json");
        const Run run = runTool({kb.path(), "--write", output});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.startsWith("kbcheck: cannot write " + output.toUtf8() + ": "));
        QVERIFY(!QFileInfo::exists(output));
    }
};

QTEST_GUILESS_MAIN(TestKbcheck)
#include "tst_kbcheck.moc"
