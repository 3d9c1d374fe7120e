#include "app/InterfaceLanguage.h"
#include "app/InterfaceTranslators.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString menuTitle()
{
    return QCoreApplication::translate("MainWindow", "文件(&F)");
}

// What QDialogButtonBox shows on its OK button.
QString okButton()
{
    return QCoreApplication::translate("QPlatformTheme", "OK");
}

} // namespace

class TestInterfaceLanguage : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString file(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void forLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("expected");
        QTest::newRow("zh_CN") << "zh_CN" << int(InterfaceLanguage::Chinese);
        QTest::newRow("zh_TW") << "zh_TW" << int(InterfaceLanguage::Chinese);
        QTest::newRow("zh_HK") << "zh_HK" << int(InterfaceLanguage::Chinese);
        QTest::newRow("zh_SG") << "zh_SG" << int(InterfaceLanguage::Chinese);
        QTest::newRow("en_US") << "en_US" << int(InterfaceLanguage::English);
        QTest::newRow("en_GB") << "en_GB" << int(InterfaceLanguage::English);
        QTest::newRow("de_DE") << "de_DE" << int(InterfaceLanguage::English);
        QTest::newRow("ja_JP") << "ja_JP" << int(InterfaceLanguage::English);
        QTest::newRow("C") << "C" << int(InterfaceLanguage::English);
    }

    void forLocale()
    {
        QFETCH(QString, locale);
        QFETCH(int, expected);
        QCOMPARE(int(InterfaceLanguage::forLocale(QLocale(locale))), expected);
    }

    void codes()
    {
        QCOMPARE(InterfaceLanguage::code(InterfaceLanguage::Chinese), QStringLiteral("zh_CN"));
        QCOMPARE(InterfaceLanguage::code(InterfaceLanguage::English), QStringLiteral("en"));
        for (const auto language : {InterfaceLanguage::Chinese, InterfaceLanguage::English})
            QCOMPARE(InterfaceLanguage::fromCode(InterfaceLanguage::code(language)), language);
        for (const char* unknown : {"", "zh", "EN", "English", "fr", "zh_TW"})
            QVERIFY2(!InterfaceLanguage::fromCode(QLatin1String(unknown)), unknown);
    }

    void storedChoiceWinsOverTheSystem_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("system");
        QTest::addColumn<int>("expected");
        QTest::newRow("none, Chinese system")
            << QVariant() << "zh_CN" << int(InterfaceLanguage::Chinese);
        QTest::newRow("none, English system")
            << QVariant() << "en_US" << int(InterfaceLanguage::English);
        QTest::newRow("English on Chinese system")
            << QVariant("en") << "zh_CN" << int(InterfaceLanguage::English);
        QTest::newRow("Chinese on German system")
            << QVariant("zh_CN") << "de_DE" << int(InterfaceLanguage::Chinese);
        QTest::newRow("unknown value")
            << QVariant("fr") << "zh_TW" << int(InterfaceLanguage::Chinese);
        QTest::newRow("not text") << QVariant(7) << "en_US" << int(InterfaceLanguage::English);
    }

    void storedChoiceWinsOverTheSystem()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, system);
        QFETCH(int, expected);
        QSettings settings(file(QTest::currentDataTag()), QSettings::IniFormat);
        settings.clear();
        if (stored.isValid())
            settings.setValue(QStringLiteral("interface/language"), stored);
        QCOMPARE(int(InterfaceLanguage::resolve(settings, QLocale(system))), expected);
    }

    void choiceRoundTrip()
    {
        for (const auto language : {InterfaceLanguage::English, InterfaceLanguage::Chinese}) {
            {
                QSettings settings(file("choice.ini"), QSettings::IniFormat);
                InterfaceLanguage::storeChoice(settings, language);
            }
            QSettings settings(file("choice.ini"), QSettings::IniFormat);
            QCOMPARE(InterfaceLanguage::storedChoice(settings), language);
            QCOMPARE(settings.value("interface/language").toString(),
                     InterfaceLanguage::code(language));
        }
    }

    void englishLoadsTheProgramsTextsOnly()
    {
        QCOMPARE(menuTitle(), QStringLiteral("文件(&F)"));
        {
            InterfaceTranslators translators;
            QVERIFY2(translators.install(InterfaceLanguage::English),
                     qPrintable(translators.errorString()));
            QCOMPARE(InterfaceLanguage::active(), InterfaceLanguage::English);
            QCOMPARE(menuTitle(), QStringLiteral("&File"));
            // Qt's own texts stay English.
            QCOMPARE(okButton(), QStringLiteral("OK"));
        }
        QCOMPARE(menuTitle(), QStringLiteral("文件(&F)"));
        QCOMPARE(InterfaceLanguage::active(), InterfaceLanguage::Chinese);
    }

    void chineseLoadsQtsOwnTexts()
    {
        InterfaceTranslators translators;
        QVERIFY(translators.install(InterfaceLanguage::English));
        QVERIFY2(translators.install(InterfaceLanguage::Chinese),
                 qPrintable(translators.errorString()));
        QCOMPARE(InterfaceLanguage::active(), InterfaceLanguage::Chinese);
        QCOMPARE(menuTitle(), QStringLiteral("文件(&F)"));
        QCOMPARE(okButton(), QStringLiteral("确定"));
        translators.remove();
        QCOMPARE(okButton(), QStringLiteral("OK"));
    }

    void missingQtTranslationsAreReported()
    {
        QTemporaryDir empty;
        InterfaceTranslators translators(empty.path());
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^InterfaceTranslators: cannot load "
                                                               ".*qtbase_zh_CN\\.qm$")));
        QVERIFY(!translators.install(InterfaceLanguage::Chinese));
        QVERIFY(translators.errorString().contains(QDir::toNativeSeparators(empty.path())));
        QCOMPARE(InterfaceLanguage::active(), InterfaceLanguage::Chinese);
        QCOMPARE(okButton(), QStringLiteral("OK"));
        // English needs nothing from there.
        QVERIFY(translators.install(InterfaceLanguage::English));
        QVERIFY(translators.errorString().isEmpty());
        QCOMPARE(menuTitle(), QStringLiteral("&File"));
    }
};

QTEST_GUILESS_MAIN(TestInterfaceLanguage)
#include "tst_interfacelanguage.moc"
