#include "views/InternalLink.h"
#include "views/LinkPolicy.h"

#include <QtTest>

class TestInternalLink : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("entry") << "data/software/bim/revit.json";
        QTest::newRow("category") << "software/bim";
        QTest::newRow("home") << "home";
        QTest::newRow("absolute with blanks") << "/tmp/my data/software/cad/x y.json";
        QTest::newRow("chinese") << "data/pictures/BIM 产品竞争关系图.png";
        QTest::newRow("delimiters") << "a&b=c?d#e+f%20g;h";
        QTest::newRow("quotes and markup") << "x'\"<b>.json";
        QTest::newRow("windows") << "C:\\kb\\data\\software\\cad\\a.json";
    }

    void roundTrip()
    {
        QFETCH(QString, path);
        const QUrl url = InternalLink::build(path);
        QVERIFY(url.isValid());
        QVERIFY(InternalLink::isInternal(url));
        QCOMPARE(url.scheme(), QStringLiteral("quorvanta"));
        QCOMPARE(InternalLink::path(url), path);
        // The way a clicked link comes back: parsed again from its text.
        QCOMPARE(InternalLink::path(QUrl(url.toString(QUrl::FullyEncoded))), path);
        QCOMPARE(InternalLink::path(QUrl(InternalLink::href(path))), path);
    }

    void hrefIsSafeInAnAttribute()
    {
        const QString href = InternalLink::href("x'\"<b> &.json");
        QVERIFY(href.startsWith("quorvanta:open?path="));
        for (const char* unsafe : {"'", "\"", "<", ">", "&", " ", "#"})
            QVERIFY2(!href.contains(QLatin1String(unsafe)), unsafe);
    }

    void otherAddresses_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("internal");
        QTest::newRow("web") << "https://example.com/?path=a" << false;
        QTest::newRow("file") << "file:///tmp/a.json" << false;
        QTest::newRow("fragment") << "#section" << false;
        QTest::newRow("no path") << "quorvanta:open" << true;
        QTest::newRow("other action") << "quorvanta:compare?path=a" << true;
        QTest::newRow("other parameter") << "quorvanta:open?id=a" << true;
    }

    void otherAddresses()
    {
        QFETCH(QString, url);
        QFETCH(bool, internal);
        QCOMPARE(InternalLink::isInternal(QUrl(url)), internal);
        QCOMPARE(InternalLink::path(QUrl(url)), QString());
    }

    void policy_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("action");
        using A = LinkPolicy::Action;
        QTest::newRow("http") << "http://example.com/a" << int(A::OpenExternal);
        QTest::newRow("https") << "https://example.com/a?b=c" << int(A::OpenExternal);
        QTest::newRow("upper-case scheme") << "HTTPS://example.com" << int(A::OpenExternal);
        QTest::newRow("mailto") << "mailto:kb@example.com" << int(A::OpenExternal);
        QTest::newRow("internal") << InternalLink::href("data/x.json") << int(A::OpenEntry);
        QTest::newRow("internal without path") << "quorvanta:open" << int(A::Refuse);
        QTest::newRow("fragment") << "#section" << int(A::ScrollTo);
        QTest::newRow("javascript") << "javascript:alert(1)" << int(A::Refuse);
        QTest::newRow("file") << "file:///etc/shadow" << int(A::Refuse);
        QTest::newRow("windows program")
            << "file:///C:/Windows/System32/calc.exe" << int(A::Refuse);
        QTest::newRow("data") << "data:text/html,<script>x</script>" << int(A::Refuse);
        QTest::newRow("ftp") << "ftp://example.com/x" << int(A::Refuse);
        QTest::newRow("custom handler") << "ms-settings:privacy" << int(A::Refuse);
        QTest::newRow("relative file") << "secret.txt" << int(A::Refuse);
        QTest::newRow("http without host") << "http:/etc/passwd" << int(A::Refuse);
        QTest::newRow("empty mailto") << "mailto:" << int(A::Refuse);
    }
    void policy()
    {
        QFETCH(QString, url);
        QFETCH(int, action);
        QCOMPARE(int(LinkPolicy::classify(QUrl(url))), action);
    }

    void refusedMessage()
    {
        QCOMPARE(LinkPolicy::refusedMessage(QUrl("file:///etc/shadow?x=1")),
                 QStringLiteral("已拒绝打开链接（不支持的地址类型）: file:///etc/shadow"));
    }
};

QTEST_GUILESS_MAIN(TestInternalLink)
#include "tst_internallink.moc"
