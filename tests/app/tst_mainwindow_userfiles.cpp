#include "MainWindowTestSupport.h"
#include "data/EmbeddedDataAdapter.h"

#include "../support/NotesFolder.h"
#include "../support/UserDataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

namespace {

QString keptCopy(const QString& folder, const QString& fileName)
{
    const QStringList copies = QDir(folder).entryList({fileName + ".corrupt-*"}, QDir::Files);
    return copies.size() == 1 ? QDir(folder).filePath(copies.first()) : QString();
}

} // namespace

// The start-up warning about damaged notes and preferences files.
class TestMainWindowUserFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(NotesFolder::isIsolated(), "run through ctest, which gives the test its own HOME");
        QCoreApplication::setApplicationVersion(QStringLiteral("1.2.0"));
        EmbeddedDataAdapter::instance().initialize();
    }

    void init()
    {
        NotesFolder::reset();
        QVERIFY(UserDataFolder::reset());
    }
    void cleanup()
    {
        NotesFolder::reset();
        QVERIFY(UserDataFolder::reset());
    }

    void damagedFilesAreNamedOnceTheWindowIsShown_data()
    {
        QTest::addColumn<bool>("notesDamaged");
        QTest::addColumn<bool>("preferencesDamaged");
        QTest::newRow("both") << true << true;
        QTest::newRow("notes") << true << false;
        QTest::newRow("preferences") << false << true;
        QTest::newRow("neither") << false << false;
    }

    void damagedFilesAreNamedOnceTheWindowIsShown()
    {
        QFETCH(bool, notesDamaged);
        QFETCH(bool, preferencesDamaged);
        KnowledgeBaseCopy data;
        QVERIFY(data.isValid());
        if (notesDamaged)
            QVERIFY(NotesFolder::write(QByteArray("{\"notes\": [{\"id\": \"precious\"")));
        // Left in the data directory by an older version: taken over as it is.
        if (preferencesDamaged)
            QVERIFY(data.write("user_preferences.json", "{\"favorites\": 3, \"history\": []}"));

        RecordingMainWindow window;
        window.setDataPath(data.dataDir());
        QCoreApplication::processEvents();
        // Not before the window is there to carry it.
        QVERIFY(window.messages.isEmpty());

        window.show();
        QCoreApplication::processEvents();
        if (!notesDamaged && !preferencesDamaged) {
            QVERIFY(window.messages.isEmpty());
            return;
        }
        QCOMPARE(window.messages.size(), 1);
        const QString message = window.messages.first();
        QVERIFY(message.startsWith("警告|以下文件已损坏，只读取了其中完好的部分："));
        const QString notesCopy = keptCopy(NotesFolder::path(), "Quorvanta_notes.json");
        const QString preferencesCopy = keptCopy(UserDataFolder::path(), "user_preferences.json");
        // The data directory keeps its file as it was, and no copy of it.
        QVERIFY(keptCopy(data.dataDir().chopped(1), "user_preferences.json").isEmpty());
        QCOMPARE(notesCopy.isEmpty(), !notesDamaged);
        QCOMPARE(preferencesCopy.isEmpty(), !preferencesDamaged);
        if (notesDamaged) {
            QVERIFY(message.contains("\n\n" + QDir::toNativeSeparators(NotesFolder::filePath()) +
                                     "\n"));
            QVERIFY(message.contains("原文件的副本保存在: " + QDir::toNativeSeparators(notesCopy)));
        }
        if (preferencesDamaged) {
            QVERIFY2(message.contains("\n\n" +
                                      QDir::toNativeSeparators(UserDataFolder::preferencesFile()) +
                                      "\n原因: “favorites” 不是数组\n"),
                     qPrintable(message));
            QVERIFY(message.contains("原文件的副本保存在: " +
                                     QDir::toNativeSeparators(preferencesCopy)));
        }

        // Shown again later: nothing more to say.
        window.hide();
        window.show();
        QCoreApplication::processEvents();
        QCOMPARE(window.messages.size(), 1);
    }
};

QTEST_MAIN(TestMainWindowUserFiles)
#include "tst_mainwindow_userfiles.moc"
