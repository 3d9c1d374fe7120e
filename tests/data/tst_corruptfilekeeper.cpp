#include "data/CorruptFileKeeper.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

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
