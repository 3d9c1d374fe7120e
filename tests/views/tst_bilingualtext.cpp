#include "views/BilingualText.h"

#include <QJsonDocument>
#include <QtTest>

namespace {

QJsonValue json(const char* text)
{
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray(text));
    if (document.isObject())
        return document.object();
    return QJsonValue(QString::fromUtf8(text));
}

} // namespace

class TestBilingualText : public QObject
{
    Q_OBJECT

private slots:
    void pick_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::newRow("both") << json(R"({"zh":"有限元","en":"finite elements"})") << "有限元"
                              << "finite elements";
        QTest::newRow("Chinese only") << json(R"({"zh":"有限元"})") << "有限元"
                                      << "有限元";
        QTest::newRow("empty English") << json(R"({"zh":"有限元","en":""})") << "有限元"
                                       << "有限元";
        QTest::newRow("English only") << json(R"({"en":"mesh"})") << "mesh"
                                      << "mesh";
        QTest::newRow("text before the other language")
            << json(R"({"zh":"中","text":"plain","en":"eng"})") << "中"
            << "eng";
        QTest::newRow("text when own is missing")
            << json(R"({"text":"plain","en":"eng"})") << "plain"
            << "eng";
        QTest::newRow("summary") << json(R"({"summary":"s","zh":""})") << "s"
                                 << "s";
        QTest::newRow("any string member") << json(R"({"de":"Netz"})") << "Netz"
                                           << "Netz";
        QTest::newRow("plain string") << QJsonValue(QStringLiteral("网格")) << "网格"
                                      << "网格";
        QTest::newRow("number") << QJsonValue(3) << ""
                                << "";
        QTest::newRow("empty object") << json("{}") << ""
                                      << "";
    }

    void pick()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        QCOMPARE(BilingualText::pick(value, InterfaceLanguage::Chinese), chinese);
        QCOMPARE(BilingualText::pick(value, InterfaceLanguage::English), english);
    }

    void pickFollowsTheActiveLanguage()
    {
        const QJsonValue value = json(R"({"zh":"求解器","en":"solver"})");
        InterfaceLanguage::setActive(InterfaceLanguage::English);
        QCOMPARE(BilingualText::pick(value), QStringLiteral("solver"));
        InterfaceLanguage::setActive(InterfaceLanguage::Chinese);
        QCOMPARE(BilingualText::pick(value), QStringLiteral("求解器"));
    }

    void either_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::newRow("both") << json(R"({"zh":"中","en":"en"})") << "中"
                              << "en";
        QTest::newRow("Chinese only") << json(R"({"zh":"中"})") << "中"
                                      << "中";
        QTest::newRow("English only") << json(R"({"en":"en"})") << "en"
                                      << "en";
        QTest::newRow("other keys ignored") << json(R"({"text":"t"})") << ""
                                            << "";
    }

    void either()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        QCOMPARE(BilingualText::either(value.toObject(), InterfaceLanguage::Chinese), chinese);
        QCOMPARE(BilingualText::either(value.toObject(), InterfaceLanguage::English), english);
    }

    void isBilingual_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<bool>("expected");
        QTest::newRow("both") << json(R"({"zh":"中","en":"en"})") << true;
        QTest::newRow("zh alone") << json(R"({"zh":"中"})") << true;
        QTest::newRow("en alone") << json(R"({"en":""})") << true;
        QTest::newRow("another key") << json(R"({"zh":"中","en":"e","note":"n"})") << false;
        QTest::newRow("not text") << json(R"({"zh":["中"]})") << false;
        QTest::newRow("empty") << json("{}") << false;
    }

    void isBilingual()
    {
        QFETCH(QJsonValue, value);
        QFETCH(bool, expected);
        QCOMPARE(BilingualText::isBilingual(value.toObject()), expected);
    }
};

QTEST_GUILESS_MAIN(TestBilingualText)
#include "tst_bilingualtext.moc"
