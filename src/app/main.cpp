#include "app/ApplicationIcon.h"
#include "app/DataDirectoryResolver.h"
#include "app/InterfaceLanguage.h"
#include "app/InterfaceTranslators.h"
#include "app/MainWindow.h"
#include "app/StartupDiagnostics.h"
#include "app/ThemeManager.h"
#include "data/EmbeddedDataAdapter.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QSettings>

int main(int argc, char* argv[])
{
#ifdef QUORVANTA_QUIET_DEBUG
    // A release build shows no debug line anywhere: drop them before any is written
    // (QT_LOGGING_RULES="default.debug=true" brings them back).
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
#endif
    QApplication app(argc, argv);

    StartupDiagnostics::logDebugBanner();
    StartupDiagnostics::logSystemInformation();
    StartupDiagnostics::logNoteFileInformation();

    QApplication::setApplicationName(QStringLiteral("Quorvanta"));
    QApplication::setApplicationVersion(QStringLiteral("1.2.0"));
    QApplication::setOrganizationName(QStringLiteral("Velmarik"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvanta"));
    {
        QSettings settings;
        ThemeManager::applyToApplication(ThemeManager::load(settings));
    }

    // Before any widget: each one takes its texts when it is built.
    InterfaceTranslators translators;
    {
        QSettings settings;
        translators.install(InterfaceLanguage::resolve(settings, QLocale::system()));
    }

    QApplication::setWindowIcon(ApplicationIcon::icon());

    const QString applicationDir = QCoreApplication::applicationDirPath();
    qDebug().noquote() << "Application directory:" << applicationDir;

    EmbeddedDataAdapter::instance().initialize();
    qDebug().noquote() << "EmbeddedDataAdapter initialized with embedded resources";

    // An installed copy must not reach into the source tree it was built from.
    const bool inBuildTree = QFileInfo(applicationDir).canonicalFilePath() ==
                             QFileInfo(QStringLiteral(QUORVANTA_BUILD_DIR)).canonicalFilePath();
    const QString developmentDataPath =
        inBuildTree ? QStringLiteral(QUORVANTA_DEV_DATA_PATH) : QString();
    const QString dataDir =
        DataDirectoryResolver::resolve(applicationDir, developmentDataPath, QDir::currentPath());
    qDebug().noquote() << "Final data directory:" << dataDir;
    qDebug() << "Data directory exists:" << QFileInfo(dataDir).isDir();

    // Constructed on the resolved directory, so the knowledge base is read once.
    MainWindow window(dataDir);
    window.setDataPath(dataDir);
    window.restoreSession();
    window.show();
    qDebug().noquote() << "Application started successfully";
    qDebug().noquote() << "Embedded resources integrated successfully";

    return app.exec();
}
