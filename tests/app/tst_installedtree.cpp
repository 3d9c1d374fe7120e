// Installs the build into a temporary prefix, checks what landed there and
// starts the installed program the way a desktop would: from an unrelated
// working directory, with a home directory of its own and no data directory.

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString kAppId = QStringLiteral(QUORVANTA_APP_ID);
const QString kStartedLine = QStringLiteral("Application started successfully");

struct ProgramRun
{
    bool started = false;
    bool stillRunning = false;
    QString log;
};

// Path, size and modification time of everything below root, one line each.
QStringList snapshot(const QString& root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        lines << QStringLiteral("%1 %2 %3")
                     .arg(QDir(root).relativeFilePath(info.filePath()))
                     .arg(info.isDir() ? -1 : info.size())
                     .arg(info.lastModified().toMSecsSinceEpoch());
    }
    lines.sort();
    return lines;
}

QString describeChanges(const QStringList& before, const QStringList& after)
{
    QStringList changes;
    for (const QString& line : after) {
        if (!before.contains(line))
            changes << QStringLiteral("+ ") + line;
    }
    for (const QString& line : before) {
        if (!after.contains(line))
            changes << QStringLiteral("- ") + line;
    }
    return changes.join(QLatin1Char('\n'));
}

QHash<QString, QString> desktopEntryKeys(const QString& path)
{
    QHash<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (inMainGroup && equals > 0)
            keys.insert(line.left(equals), line.mid(equals + 1));
    }
    return keys;
}

} // namespace

class TestInstalledTree : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_prefix;

    QString installed(const QString& relative) const { return m_prefix.filePath(relative); }

    QString desktopFile() const
    {
        return installed(QStringLiteral("share/applications/") + kAppId +
                         QStringLiteral(".desktop"));
    }

    QString metainfoFile() const
    {
        return installed(QStringLiteral("share/metainfo/") + kAppId +
                         QStringLiteral(".metainfo.xml"));
    }

    // Starts program headless in workingDir with HOME at home, waits for the
    // start-up line, lets it run on for a moment and ends it with SIGTERM (the
    // program has no way of its own to quit without a window manager).
    static ProgramRun runProgram(const QString& program, const QString& workingDir,
                                 const QString& home)
    {
        QDir(home).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(home + QStringLiteral("/runtime"), QFileDevice::ReadOwner |
                                                                     QFileDevice::WriteOwner |
                                                                     QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
        env.insert(QStringLiteral("XDG_STATE_HOME"), home + QStringLiteral("/.local/state"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
        env.remove(QStringLiteral("XDG_DOCUMENTS_DIR"));
        // A release build drops debug lines; the start-up lines are how a run is recognised.
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("default.debug=true"));

        QProcess process;
        process.setProgram(program);
        process.setWorkingDirectory(workingDir);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start();

        ProgramRun run;
        QByteArray output;
        QDeadlineTimer deadline(120 * 1000);
        while (!output.contains(kStartedLine.toUtf8()) && !deadline.hasExpired() &&
               process.state() != QProcess::NotRunning) {
            process.waitForReadyRead(500);
            output += process.readAll();
        }
        run.started = output.contains(kStartedLine.toUtf8());
        if (run.started) {
            // A crash right after the window is up would end it here.
            process.waitForFinished(2000);
            run.stillRunning = process.state() == QProcess::Running;
        }
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(30 * 1000)) {
                process.kill();
                process.waitForFinished();
            }
        }
        output += process.readAll();
        run.log = QString::fromUtf8(output);
        return run;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(CMAKE_COMMAND_PATH),
                      {QStringLiteral("--install"), QStringLiteral(QUORVANTA_BUILD_DIR),
                       QStringLiteral("--prefix"), m_prefix.path()});
        QVERIFY(install.waitForFinished(120 * 1000));
        QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
                 install.readAll().constData());
    }

    void installedFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("iconSize");

        QTest::newRow("program") << "bin/quorvanta" << 0;
        QTest::newRow("desktop entry") << "share/applications/" + kAppId + ".desktop" << 0;
        QTest::newRow("metainfo") << "share/metainfo/" + kAppId + ".metainfo.xml" << 0;
        QTest::newRow("scalable icon")
            << "share/icons/hicolor/scalable/apps/" + kAppId + ".svg" << 0;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
            const QString dir = QStringLiteral("%1x%1").arg(size);
            QTest::newRow(qPrintable(dir + " icon"))
                << "share/icons/hicolor/" + dir + "/apps/" + kAppId + ".png" << size;
        }
    }

    void installedFile()
    {
        QFETCH(QString, path);
        QFETCH(int, iconSize);
        const QFileInfo info(installed(path));
        QVERIFY2(info.isFile(), qPrintable(info.filePath()));
        QVERIFY(info.size() > 0);
        if (path.startsWith(QLatin1String("bin/")))
            QVERIFY(info.isExecutable());
        if (path.endsWith(QLatin1String(".svg"))) {
            QFile file(info.filePath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.readAll().contains("<svg"));
        }
        if (iconSize > 0) {
            const QImage image(info.filePath());
            QVERIFY(!image.isNull());
            QCOMPARE(image.size(), QSize(iconSize, iconSize));
            QVERIFY(image.hasAlphaChannel());
        }
    }

    void nothingElseInstalled()
    {
        QStringList files;
        QDirIterator it(m_prefix.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(m_prefix.path()).relativeFilePath(it.next());
        files.sort();
        QStringList expected = {QStringLiteral("bin/quorvanta"),
                                "share/applications/" + kAppId + ".desktop",
                                "share/metainfo/" + kAppId + ".metainfo.xml",
                                "share/icons/hicolor/scalable/apps/" + kAppId + ".svg"};
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512})
            expected << QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + kAppId +
                            QStringLiteral(".png");
        expected.sort();
        QCOMPARE(files, expected);
    }

    void desktopEntry()
    {
        const QHash<QString, QString> keys = desktopEntryKeys(desktopFile());
        QCOMPARE(keys.value("Type"), QStringLiteral("Application"));
        QCOMPARE(keys.value("Name"), QStringLiteral("Quorvanta"));
        QCOMPARE(keys.value("Exec"), QStringLiteral("quorvanta"));
        QVERIFY(QFileInfo(installed("bin/" + keys.value("Exec"))).isExecutable());
        QCOMPARE(keys.value("Icon"), kAppId);
        QCOMPARE(keys.value("Terminal"), QStringLiteral("false"));
        // Qt's X11 window class is the application name.
        QCOMPARE(keys.value("StartupWMClass"), QStringLiteral("Quorvanta"));
    }

    void metainfo()
    {
        QFile file(metainfoFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString id;
        QString launchable;
        QString binary;
        QStringList releases;
        QStringList screenshots;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QStringView name = xml.name();
            if (name == QLatin1String("id"))
                id = xml.readElementText();
            else if (name == QLatin1String("launchable"))
                launchable = xml.readElementText();
            else if (name == QLatin1String("binary"))
                binary = xml.readElementText();
            else if (name == QLatin1String("release"))
                releases << xml.attributes().value(QLatin1String("version")).toString();
            else if (name == QLatin1String("image"))
                screenshots << xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(id, kAppId);
        QCOMPARE(launchable, QFileInfo(desktopFile()).fileName());
        QCOMPARE(binary, QStringLiteral("quorvanta"));
        QVERIFY(!releases.isEmpty());
        // The newest release comes first and is the version being installed.
        QCOMPARE(releases.first(), QStringLiteral(QUORVANTA_VERSION));
        QVERIFY(!screenshots.isEmpty());
        for (const QString& url : screenshots) {
            QVERIFY2(url.startsWith(QLatin1String("https://")), qPrintable(url));
            QVERIFY2(url.endsWith(QLatin1String(".png")), qPrintable(url));
        }
    }

    void validator_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("silentWhenValid");

        QTest::newRow("desktop-file-validate")
            << "desktop-file-validate" << QStringList{desktopFile()} << true;
        QTest::newRow("appstreamcli validate")
            << "appstreamcli" << QStringList{"validate", "--no-net", metainfoFile()} << false;
        QTest::newRow("appstreamcli validate-tree")
            << "appstreamcli" << QStringList{"validate-tree", "--no-net", m_prefix.path()} << false;
    }

    void validator()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(bool, silentWhenValid);
        const QString executable = QStandardPaths::findExecutable(program);
        if (executable.isEmpty())
            QSKIP(qPrintable(program + " is not installed (./dev.sh installs it)"));
        QProcess validator;
        validator.setProcessChannelMode(QProcess::MergedChannels);
        validator.start(executable, arguments);
        QVERIFY(validator.waitForFinished(60 * 1000));
        const QString output = QString::fromUtf8(validator.readAll());
        QVERIFY2(validator.exitStatus() == QProcess::NormalExit && validator.exitCode() == 0,
                 qPrintable(output));
        if (silentWhenValid)
            QVERIFY2(output.isEmpty(), qPrintable(output));
        else
            QVERIFY2(output.contains(QLatin1String("Validation was successful")),
                     qPrintable(output));
    }

    void installedProgramRunsWithoutDataDirectory()
    {
        QTemporaryDir home;
        QTemporaryDir workingDir;
        QVERIFY(home.isValid() && workingDir.isValid());
        const QStringList prefixBefore = snapshot(m_prefix.path());
        const QStringList workingDirBefore = snapshot(workingDir.path());

        const ProgramRun run =
            runProgram(installed("bin/quorvanta"), workingDir.path(), home.path());
        QVERIFY2(run.started, qPrintable(run.log.right(4000)));
        QVERIFY2(run.stillRunning, qPrintable(run.log.right(4000)));

        const QString dataDir = installed("bin/data");
        QVERIFY(run.log.contains("Application directory: " + installed("bin")));
        // Neither the source tree nor the working directory: the compiled-in knowledge base.
        QVERIFY2(run.log.contains("Final data directory: " + dataDir), qPrintable(run.log));
        QVERIFY(run.log.contains("No data directory found, will use embedded resources"));
        QVERIFY(run.log.contains(QStringLiteral("从嵌入资源加载: data/config/categories.json")));
        QVERIFY(QRegularExpression(QStringLiteral("Found [1-9][0-9]* embedded software items"))
                    .match(run.log)
                    .hasMatch());
        QVERIFY(run.log.contains("Embedded resources integrated successfully"));

        // The notes file is the one thing start-up writes, and it goes below HOME.
        QVERIFY(QFileInfo(home.filePath("Documents/Quorvanta/Quorvanta_notes.json")).isFile());

        const QString workingDirChanges =
            describeChanges(workingDirBefore, snapshot(workingDir.path()));
        QVERIFY2(workingDirChanges.isEmpty(), qPrintable(workingDirChanges));
        const QString prefixChanges = describeChanges(prefixBefore, snapshot(m_prefix.path()));
        QVERIFY2(prefixChanges.isEmpty(), qPrintable(prefixChanges));
    }

    void buildTreeProgramStillUsesSourceData()
    {
        QTemporaryDir home;
        QTemporaryDir workingDir;
        QVERIFY(home.isValid() && workingDir.isValid());
        const QString program = QStringLiteral(QUORVANTA_BUILD_DIR "/quorvanta");
        const QStringList sourceDataBefore = snapshot(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR));
        const ProgramRun run = runProgram(program, workingDir.path(), home.path());
        QVERIFY2(run.started, qPrintable(run.log.right(4000)));
        QVERIFY2(run.log.contains(QStringLiteral("Using development data path: ") +
                                  QStringLiteral(QUORVANTA_SOURCE_DATA_DIR)),
                 qPrintable(run.log.left(4000)));
        QVERIFY(snapshot(workingDir.path()).isEmpty());
        // The preferences go to the per-user folder, never into the source tree's data/.
        const QString sourceDataChanges =
            describeChanges(sourceDataBefore, snapshot(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR)));
        QVERIFY2(sourceDataChanges.isEmpty(), qPrintable(sourceDataChanges));
    }
};

QTEST_GUILESS_MAIN(TestInstalledTree)
#include "tst_installedtree.moc"
