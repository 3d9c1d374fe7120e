#include "data/DataRelativePath.h"

#include "TestDataDir.h"

#include <QtTest>

class TestDataRelativePath : public QObject
{
    Q_OBJECT

private slots:
    void key_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("dataPath");
        QTest::addColumn<QString>("key");

        const QString none;
        // The forms the program holds today.
        QTest::newRow("below the data directory") << "/opt/q/data/software/cad/autocad.json"
                                                  << "/opt/q/data/"
                                                  << "software/cad/autocad.json";
        QTest::newRow("data directory without slash") << "/opt/q/data/software/cad/autocad.json"
                                                      << "/opt/q/data"
                                                      << "software/cad/autocad.json";
        QTest::newRow("data directory of another name") << "/srv/kb/companies/ansys.json"
                                                        << "/srv/kb/"
                                                        << "companies/ansys.json";
        QTest::newRow("embedded key")
            << "data/software/cad/autocad.json" << none << "software/cad/autocad.json";
        QTest::newRow("embedded key, other data directory") << "data/software/cae/ansys.json"
                                                            << "/opt/q/data/"
                                                            << "software/cae/ansys.json";
        QTest::newRow("key already")
            << "software/cad/autocad.json" << none << "software/cad/autocad.json";
        QTest::newRow("picture with spaces") << "/home/u/q/data/pictures/CAD 数据交换格式关系图.png"
                                             << none << "pictures/CAD 数据交换格式关系图.png";
        QTest::newRow("discipline markdown")
            << "data/disciplines/structural/explicit_dynamics/intro.md"
            << "/x/data/"
            << "disciplines/structural/explicit_dynamics/intro.md";
        QTest::newRow("category page") << "software/cad"
                                       << "/x/data/"
                                       << "software/cad";

        // Paths stored by older versions on other machines.
        QTest::newRow("old linux install") << "/home/u/old/data/software/cad/autocad.json"
                                           << "/usr/share/quorvanta/data/"
                                           << "software/cad/autocad.json";
        QTest::newRow("old windows install") << "C:/Users/x/Quorvanta/data/companies/ansys.json"
                                             << "/opt/q/data/"
                                             << "companies/ansys.json";
        QTest::newRow("old windows install, backslashes")
            << "C:\\Users\\x\\Quorvanta\\data\\companies\\ansys.json" << none
            << "companies/ansys.json";
        QTest::newRow("data folder higher up")
            << "/home/u/data/projects/q/data/technologies/kernels/parasolid.json" << none
            << "technologies/kernels/parasolid.json";
        QTest::newRow("data folder below the knowledge base")
            << "/home/u/q/data/disciplines/data/notes.md" << none << "disciplines/data/notes.md";
        QTest::newRow("dot segments") << "/home/u/old/./data//software/cad/../cad/autocad.json"
                                      << none << "software/cad/autocad.json";
        QTest::newRow("root data folder")
            << "/data/companies/ansys.json" << none << "companies/ansys.json";

        // Nothing in a knowledge base.
        QTest::newRow("empty") << ""
                               << "/x/data/" << none;
        QTest::newRow("general notes") << "general_notes" << none << none;
        QTest::newRow("entry name") << "AutoCAD" << none << none;
        QTest::newRow("file elsewhere") << "/home/u/notes/autocad.json"
                                        << "/x/data/" << none;
        QTest::newRow("data folder without knowledge base")
            << "/home/u/data/autocad.json" << none << none;
        QTest::newRow("bigdata is no data folder")
            << "D:/bigdata/software/cad/autocad.json" << none << none;
        QTest::newRow("bare data folder") << "data/" << none << none;
        QTest::newRow("prefix of another folder") << "/opt/q/database/companies/ansys.json"
                                                  << "/opt/q/data" << none;
    }

    void key()
    {
        QFETCH(QString, path);
        QFETCH(QString, dataPath);
        QFETCH(QString, key);
        QCOMPARE(DataRelativePath::key(path, dataPath), key);
        QCOMPARE(DataRelativePath::portable(path, dataPath), key.isEmpty() ? path : key);
    }

    void relativeDataDirectory()
    {
        // The constructor's "data/" below the working directory.
        const QString absolute = QDir::current().filePath("data/companies/ansys.json");
        QCOMPARE(DataRelativePath::key(absolute, "data/"), QStringLiteral("companies/ansys.json"));
    }

    void isAbsolute_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("absolute");
        QTest::newRow("unix") << "/home/u/data/x.json" << true;
        QTest::newRow("drive") << "C:/Users/x/data/x.json" << true;
        QTest::newRow("drive, backslash") << "d:\\q\\data\\x.json" << true;
        QTest::newRow("embedded key") << "data/software/cad/autocad.json" << false;
        QTest::newRow("key") << "software/cad/autocad.json" << false;
        QTest::newRow("name") << "AutoCAD" << false;
        QTest::newRow("colon in a name") << "CAD: 概览" << false;
    }

    void isAbsolute()
    {
        QFETCH(QString, path);
        QFETCH(bool, absolute);
        QCOMPARE(DataRelativePath::isAbsolute(path), absolute);
    }

    void sameEntry()
    {
        QVERIFY(DataRelativePath::sameEntry("/home/u/old/data/software/cad/autocad.json",
                                            "software/cad/autocad.json"));
        QVERIFY(DataRelativePath::sameEntry("data/software/cad/autocad.json",
                                            "C:/q/data/software/cad/autocad.json"));
        QVERIFY(DataRelativePath::sameEntry("general_notes", "general_notes"));
        QVERIFY(!DataRelativePath::sameEntry("/a/data/software/cad/autocad.json",
                                             "/a/data/software/cam/autocad.json"));
        QVERIFY(!DataRelativePath::sameEntry("AutoCAD", "autocad"));
        QVERIFY(!DataRelativePath::sameEntry("/home/u/notes/autocad.json",
                                             "software/cad/autocad.json"));
    }

    void resolve()
    {
        TestDataDir data;
        QVERIFY(data.write("software/cad/autocad.json", R"({"id":"autocad"})"));
        const QString onDisk = data.dataPath() + "software/cad/autocad.json";
        const QString chopped = data.dataPath().chopped(1);

        // The file of this data directory, whatever the stored form.
        for (const QString& stored :
             {QStringLiteral("/home/u/old/data/software/cad/autocad.json"),
              QStringLiteral("C:\\Users\\x\\Quorvanta\\data\\software\\cad\\autocad.json"),
              QStringLiteral("data/software/cad/autocad.json"),
              QStringLiteral("software/cad/autocad.json"), onDisk}) {
            QCOMPARE(DataRelativePath::resolve(stored, data.dataPath()), onDisk);
            QCOMPARE(DataRelativePath::resolve(stored, chopped), onDisk);
        }
        // Not on disk here: the program's own copy.
        QCOMPARE(
            DataRelativePath::resolve("/home/u/old/data/companies/ansys.json", data.dataPath()),
            QStringLiteral("data/companies/ansys.json"));
        // An installed copy has no data directory at all.
        QCOMPARE(DataRelativePath::resolve("/home/u/old/data/software/cad/autocad.json",
                                           "/usr/bin/data/"),
                 QStringLiteral("data/software/cad/autocad.json"));
        QCOMPARE(DataRelativePath::resolve("/home/u/notes/x.json", data.dataPath()),
                 QStringLiteral("/home/u/notes/x.json"));
        QCOMPARE(DataRelativePath::resolve(QString(), data.dataPath()), QString());
    }
};

QTEST_GUILESS_MAIN(TestDataRelativePath)
#include "tst_datarelativepath.moc"
