// Saves screenshots of the program's main pages: the home page, a software entry,
// the advanced search, the relation graph, the notes and the compare page.
#include "app/MainWindow.h"
#include "app/ThemeManager.h"
#include "data/EmbeddedDataAdapter.h"
#include "search/SearchDialog.h"
#include "views/ComparePage.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QDir>
#include <QDockWidget>
#include <QLineEdit>
#include <QMetaObject>
#include <QPixmap>
#include <QTextStream>
#include <QThread>

namespace {

// Lets the window lay out, render and finish what it started.
void settle(int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

bool save(QWidget* widget, const QString& path)
{
    settle(400);
    const bool saved = widget->grab().save(path, "PNG");
    QTextStream(stdout) << (saved ? "saved " : "FAILED ") << path << Qt::endl;
    return saved;
}

void invoke(MainWindow& window, const char* slot, const QString& argument)
{
    QMetaObject::invokeMethod(&window, slot, Q_ARG(QString, argument));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvanta"));
    QApplication::setOrganizationName(QStringLiteral("Velmarik"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption dataOption(
        QStringLiteral("data"), QStringLiteral("Knowledge-base directory."), QStringLiteral("dir"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Output directory."),
                                       QStringLiteral("dir"));
    const QCommandLineOption suffixOption(QStringLiteral("suffix"),
                                          QStringLiteral("Appended to each file name."),
                                          QStringLiteral("text"), QStringLiteral("zh"));
    const QCommandLineOption darkOption(QStringLiteral("dark"),
                                        QStringLiteral("Use the dark theme."));
    parser.addOptions({dataOption, outOption, suffixOption, darkOption});
    parser.process(app);
    if (!parser.isSet(dataOption) || !parser.isSet(outOption))
        parser.showHelp(2);

    QString dataDir = QDir(parser.value(dataOption)).absolutePath() + QLatin1Char('/');
    const QDir out(parser.value(outOption));
    QDir().mkpath(out.absolutePath());
    const QString suffix = parser.value(suffixOption);
    auto file = [&](const char* scene) {
        return out.filePath(QStringLiteral("%1_%2.png").arg(QLatin1String(scene), suffix));
    };

    if (parser.isSet(darkOption))
        ThemeManager::applyToApplication(ThemeManager::Theme::Dark);
    EmbeddedDataAdapter::instance().initialize();

    MainWindow window(dataDir);
    window.setDataPath(dataDir);
    window.resize(1440, 900);
    window.show();
    // The log console is for developers; the pictures show the pages.
    for (QDockWidget* dock : window.findChildren<QDockWidget*>())
        dock->hide();
    settle(800);

    bool ok = save(&window, file("home"));

    const QString software = dataDir + QStringLiteral("software/cad/solidworks.json");
    invoke(window, "onNavigationItemSelected", software);
    ok &= save(&window, file("software"));

    QMetaObject::invokeMethod(&window, "onEditModeChanged", Q_ARG(int, 4));
    ok &= save(&window, file("graph"));
    QMetaObject::invokeMethod(&window, "onEditModeChanged", Q_ARG(int, 5));
    ok &= save(&window, file("notes"));
    QMetaObject::invokeMethod(&window, "onEditModeChanged", Q_ARG(int, 0));

    if (auto* edit = window.findChild<QLineEdit*>(QStringLiteral("quickSearchEdit")))
        edit->setText(QStringLiteral("有限元"));
    QMetaObject::invokeMethod(&window, "onAdvancedSearch");
    if (auto* dialog = window.findChild<SearchDialog*>()) {
        dialog->resize(1100, 760);
        settle(1500);
        ok &= save(dialog, file("search"));
        dialog->close();
    } else {
        ok = false;
    }

    for (const char* entry :
         {"software/cad/solidworks.json", "software/cad/creo.json", "software/cad/catia.json"})
        invoke(window, "addToCompare", dataDir + QLatin1String(entry));
    QMetaObject::invokeMethod(&window, "showComparePage");
    if (auto* compare = window.findChild<ComparePage*>())
        ok &= save(compare, file("compare"));
    else
        ok = false;

    return ok ? 0 : 1;
}
