#include "app/ThemeManager.h"
#include "views/PageStyle.h"
#include "views/ThemedStyleSheet.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

class TestThemeManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Settings below the test's own HOME.
        QCoreApplication::setOrganizationName(QStringLiteral("QuorvantaTests"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_thememanager"));
        QSettings().clear();
    }

    void choiceIsAppliedAndRemembered()
    {
        const QColor systemWindow = QApplication::palette().color(QPalette::Window);
        QLabel label;
        ThemedStyleSheet::apply(&label,
                                QStringLiteral("QLabel { color: #555; background: white; }"));
        QCOMPARE(label.styleSheet(), QStringLiteral("QLabel { color: #555; background: white; }"));

        ThemeManager manager;
        QCOMPARE(manager.theme(), ThemeManager::Theme::System);
        const QList<QAction*> actions = manager.actions();
        QCOMPARE(actions.size(), 3);
        QCOMPARE(actions.at(0)->text(), QStringLiteral("跟随系统"));
        QCOMPARE(actions.at(1)->text(), QStringLiteral("浅色"));
        QCOMPARE(actions.at(2)->text(), QStringLiteral("深色"));
        QVERIFY(actions.at(0)->isChecked());

        QSignalSpy changed(&manager, &ThemeManager::themeChanged);
        actions.at(2)->trigger();
        QCOMPARE(changed.size(), 1);
        QVERIFY(actions.at(2)->isChecked());
        QVERIFY(!actions.at(0)->isChecked());
        QCOMPARE(PageStyle::currentScheme(), PageStyle::Scheme::Dark);
        // Palette changes reach the widgets through the event loop.
        QTRY_COMPARE(label.styleSheet(),
                     QStringLiteral("QLabel { color: #c8c8c8; background: #1e1e1e; }"));
        QCOMPARE(QSettings().value(ThemeManager::settingsKey()).toString(), QStringLiteral("dark"));

        // The next start reads the choice back.
        QCOMPARE(ThemeManager().theme(), ThemeManager::Theme::Dark);

        actions.at(2)->trigger();
        QCOMPARE(changed.size(), 1);

        manager.setTheme(ThemeManager::Theme::Light);
        QCOMPARE(changed.size(), 2);
        QCOMPARE(PageStyle::currentScheme(), PageStyle::Scheme::Light);
        QTRY_COMPARE(label.styleSheet(),
                     QStringLiteral("QLabel { color: #555; background: white; }"));

        manager.setTheme(ThemeManager::Theme::System);
        QCOMPARE(QApplication::palette().color(QPalette::Window), systemWindow);
        QCOMPARE(QSettings().value(ThemeManager::settingsKey()).toString(),
                 QStringLiteral("system"));
    }

    void unknownSettingFallsBackToTheSystem_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("theme");
        QTest::newRow("light") << "light" << int(ThemeManager::Theme::Light);
        QTest::newRow("dark") << "dark" << int(ThemeManager::Theme::Dark);
        QTest::newRow("system") << "system" << int(ThemeManager::Theme::System);
        QTest::newRow("edited by hand") << "Dark" << int(ThemeManager::Theme::System);
        QTest::newRow("empty") << "" << int(ThemeManager::Theme::System);
    }

    void unknownSettingFallsBackToTheSystem()
    {
        QFETCH(QString, stored);
        QFETCH(int, theme);
        QSettings settings;
        settings.setValue(ThemeManager::settingsKey(), stored);
        QCOMPARE(int(ThemeManager::load(settings)), theme);
    }
};

QTEST_MAIN(TestThemeManager)
#include "tst_thememanager.moc"
