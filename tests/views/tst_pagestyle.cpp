#include "editors/MarkdownConverter.h"
#include "views/ContentRenderer.h"
#include "views/PageStyle.h"

#include <QColor>
#include <QPalette>
#include <QRegularExpression>
#include <QtTest>

class TestPageStyle : public QObject
{
    Q_OBJECT

private slots:
    void adapt_data()
    {
        QTest::addColumn<QString>("css");
        QTest::addColumn<QString>("dark");
        QTest::newRow("background") << "QTextBrowser { background-color: white; }"
                                    << "QTextBrowser { background-color: #1e1e1e; }";
        QTest::newRow("short and long hex, any case")
            << "a { color: #555; border: 1px solid #DDD; background: #F9F9F9; }"
            << "a { color: #c8c8c8; border: 1px solid #555555; background: #262626; }";
        QTest::newRow("accent") << "h2 { color: #2196F3; }"
                                << "h2 { color: #64b5f6; }";
        QTest::newRow("unknown colour kept") << "x { color: #123456; }"
                                             << "x { color: #123456; }";
        QTest::newRow("longer hex is no short colour") << "x { color: #dddddd; }"
                                                       << "x { color: #dddddd; }";
        QTest::newRow("word containing white") << "x { color: whitesmoke; }"
                                               << "x { color: whitesmoke; }";
        QTest::newRow("several in a row") << "#fff #000 #999"
                                          << "#1e1e1e #e0e0e0 #9e9e9e";
        QTest::newRow("empty") << ""
                               << "";
    }

    void adapt()
    {
        QFETCH(QString, css);
        QFETCH(QString, dark);
        QCOMPARE(PageStyle::adapt(css, PageStyle::Scheme::Light), css);
        QCOMPARE(PageStyle::adapt(css, PageStyle::Scheme::Dark), dark);
    }

    // On dark pages every background is dark and every text colour light.
    void darkPagesAreReadable_data()
    {
        QTest::addColumn<QString>("css");
        QTest::newRow("entry pages") << ContentRenderer::htmlHead();
        QTest::newRow("Markdown pages") << MarkdownConverter::styleHeader();
    }

    void darkPagesAreReadable()
    {
        QFETCH(QString, css);
        const QString dark = PageStyle::adapt(css, PageStyle::Scheme::Dark);
        static const QRegularExpression declaration(QStringLiteral(
            "(background(?:-color)?|(?<![-\\w])color):\\s*(#[0-9a-fA-F]{3,6}|white)"));
        int checked = 0;
        for (auto it = declaration.globalMatch(dark); it.hasNext(); ++checked) {
            const QRegularExpressionMatch match = it.next();
            const int lightness = QColor(match.captured(2)).lightness();
            if (match.captured(1).startsWith(QLatin1String("background")))
                QVERIFY2(lightness < 96, qPrintable(match.captured()));
            else
                QVERIFY2(lightness > 128, qPrintable(match.captured()));
        }
        QVERIFY(checked >= 4);
    }

    void schemeFollowsTheWindowColour()
    {
        QPalette palette;
        palette.setColor(QPalette::Window, QColor(0x2d, 0x2d, 0x2d));
        QCOMPARE(PageStyle::schemeOf(palette), PageStyle::Scheme::Dark);
        palette.setColor(QPalette::Window, QColor(0xef, 0xef, 0xef));
        QCOMPARE(PageStyle::schemeOf(palette), PageStyle::Scheme::Light);
        // Without a GUI application (the checker, core tests) pages stay as written.
        QCOMPARE(PageStyle::currentScheme(), PageStyle::Scheme::Light);
    }
};

QTEST_GUILESS_MAIN(TestPageStyle)
#include "tst_pagestyle.moc"
