#include "data/CorruptFileKeeper.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(QList<KeptUserFile>)

class TestCorruptFileKeeper : public QObject
{
    Q_OBJECT

private slots:
    void movesTheFileAsideUnderAFreeName()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("notes.json");
        const QDateTime when(QDate(2024, 2, 3), QTime(4, 5, 6));
        for (const QByteArray& bytes : {QByteArray("first"), QByteArray("second")}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
            QVERIFY(!CorruptFileKeeper::keepAside(path, nullptr, when).isEmpty());
            QVERIFY(!QFile::exists(path));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 (QStringList{"notes.json.corrupt-20240203-040506",
                              "notes.json.corrupt-20240203-040506-1"}));
        QFile second(dir.filePath("notes.json.corrupt-20240203-040506-1"));
        QVERIFY(second.open(QIODevice::ReadOnly));
        QCOMPARE(second.readAll(), QByteArray("second"));
    }

    void keepCopy_data()
    {
        QTest::addColumn<QStringList>("existing"); // bytes of copies already there
        QTest::addColumn<QString>("expected");     // name of the copy returned
        QTest::addColumn<int>("copiesAfter");

        QTest::newRow("first copy") << QStringList() << "notes.json.corrupt-20240203-040506" << 1;
        QTest::newRow("same bytes kept before: no new copy")
            << QStringList{"other", "damaged"} << "notes.json.corrupt-20240101-000001" << 2;
        QTest::newRow("other bytes kept before: a new copy")
            << QStringList{"other"} << "notes.json.corrupt-20240203-040506" << 2;
    }

    void keepCopy()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, expected);
        QFETCH(int, copiesAfter);
        QTemporaryDir dir;
        const QString path = dir.filePath("notes.json");
        for (int i = 0; i < existing.size(); ++i) {
            QFile copy(dir.filePath(QString("notes.json.corrupt-20240101-00000%1").arg(i)));
            QVERIFY(copy.open(QIODevice::WriteOnly));
            copy.write(existing.at(i).toUtf8());
        }
        QFile original(path);
        QVERIFY(original.open(QIODevice::WriteOnly));
        original.write("damaged");
        original.close();

        QString error;
        const QString kept = CorruptFileKeeper::keepCopy(
            path, "damaged", &error, QDateTime(QDate(2024, 2, 3), QTime(4, 5, 6)));
        QCOMPARE(kept, dir.filePath(expected));
        QFile copy(kept);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), QByteArray("damaged"));
        // The damaged file itself stays where it is.
        QVERIFY(QFile::exists(path));
        QCOMPARE(QDir(dir.path()).entryList({"notes.json.corrupt-*"}, QDir::Files).size(),
                 copiesAfter);
    }

    void keepCopyIntoAFolderThatCannotTakeItFails()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(
            CorruptFileKeeper::keepCopy(dir.filePath("gone/notes.json"), "x", &error).isEmpty());
        QVERIFY(!error.isEmpty());
    }

    void describe_data()
    {
        QTest::addColumn<QList<KeptUserFile>>("files");
        QTest::addColumn<QString>("expected");

        const QString head = "以下文件已损坏，只读取了其中完好的部分：";
        QTest::newRow("nothing") << QList<KeptUserFile>() << QString();
        QTest::newRow("kept copy")
            << QList<KeptUserFile>{{"/d/notes.json", "/d/notes.json.corrupt-1", "bad"}}
            << head + "\n\n/d/notes.json\n原因: bad\n原文件的副本保存在: /d/notes.json.corrupt-1";
        QTest::newRow("could not be copied")
            << QList<KeptUserFile>{{"/d/p.json", QString(), "Permission denied"}}
            << head +
                   "\n\n/d/p.json\n原因: Permission denied\n文件保持原样，下次保存前会先另存一份";
        QTest::newRow("two files, one of them twice")
            << QList<KeptUserFile>{{"/d/a.json", "/d/a.json.corrupt-1", "x"},
                                   {"/d/b.json", "/d/b.json.corrupt-1", "y"},
                                   {"/d/a.json", "/d/a.json.corrupt-1", "x"}}
            << head + "\n\n/d/a.json\n原因: x\n原文件的副本保存在: /d/a.json.corrupt-1" +
                   "\n\n/d/b.json\n原因: y\n原文件的副本保存在: /d/b.json.corrupt-1";
    }

    void describe()
    {
        QFETCH(QList<KeptUserFile>, files);
        QFETCH(QString, expected);
        QCOMPARE(CorruptFileKeeper::describe(files), expected);
    }

    void missingFileIsReported()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(CorruptFileKeeper::keepAside(dir.filePath("none.json"), &error).isEmpty());
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCorruptFileKeeper)
#include "tst_corruptfilekeeper.moc"
