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
        QTest::newRow("embedded key") << "data/software/cad/catia.json";
        QTest::newRow("absolute") << "/home/user/kb/data/companies/ptc.json";
        QTest::newRow("chinese and blanks") << "data/technologies/数字孪生 技术.md";
        QTest::newRow("query characters") << "a&b=c?d#e+f%20g.json";
        QTest::newRow("windows") << "C:\\kb\\data\\x.json";
        QTest::newRow("quotes") << "it's \"here\".json";
    }
    void roundTrip()
    {
        QFETCH(QString, path);
        const QUrl url = InternalLink::build(path);
        QVERIFY(url.isValid());
        QCOMPARE(url.scheme(), QStringLiteral("quorvanta"));
        QVERIFY(InternalLink::isInternal(url));
        QCOMPARE(InternalLink::path(url), path);
        // The text form needs no escaping inside a quoted attribute.
        const QString href = InternalLink::href(path);
        QVERIFY(href.startsWith("quorvanta:open?path="));
        for (QChar c : {'\'', '"', '<', '>', '&', ' ', '#'})
            QVERIFY2(!href.contains(c), qPrintable(href));
        // What the text browser hands back for the attribute is the same link.
        QCOMPARE(InternalLink::path(QUrl(href)), path);
    }

    void notInternal_data()
    {
        QTest::addColumn<QString>("url");
        QTest::newRow("web") << "https://example.com/?path=x";
        QTest::newRow("other action") << "quorvanta:delete?path=x";
        QTest::newRow("no path") << "quorvanta:open?file=x";
        QTest::newRow("empty") << "";
    }
    void notInternal()
    {
        QFETCH(QString, url);
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
