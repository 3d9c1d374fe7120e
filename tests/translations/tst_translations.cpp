#include "app/InterfaceTranslators.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Message
{
    QString context;
    QString source;
    QString comment;
    QString type;
    QStringList translations; // one, or the numerus forms
    bool numerus = false;

    QString key() const { return context + QChar(0x1f) + source + QChar(0x1f) + comment; }
};

struct TsFile
{
    QString language;
    QString sourceLanguage;
    QList<Message> messages;
};

bool readTs(const QString& path, TsFile* ts, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        if (!xml.readNext() || !xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("TS")) {
            ts->language = xml.attributes().value(QLatin1String("language")).toString();
            ts->sourceLanguage = xml.attributes().value(QLatin1String("sourcelanguage")).toString();
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message();
            message.context = context;
            message.numerus =
                xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            message.comment = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            if (message.numerus) {
                while (xml.readNextStartElement())
                    message.translations << xml.readElementText();
            } else {
                message.translations << xml.readElementText();
            }
            ts->messages << message;
        }
    }
    if (xml.hasError()) {
        *error = xml.errorString();
        return false;
    }
    return true;
}

// %1 to %99, %n and %Ln, sorted: a translation must keep every one of them.
QStringList placeholders(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("%L?(\\d{1,2}|n)"));
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

// Letters and punctuation of Chinese text, never right in an English translation.
bool hasChineseCharacters(const QString& text)
{
    for (const QChar c : text) {
        if (c.script() == QChar::Script_Han || (c.unicode() >= 0x3000 && c.unicode() <= 0x303f) ||
            (c.unicode() >= 0xff00 && c.unicode() <= 0xffef))
            return true;
    }
    return false;
}

// "&X" shortcuts, "&&" being a literal ampersand; HTML entities do not count.
int shortcutCount(const QString& text)
{
    static const QRegularExpression shortcut(QStringLiteral("(?<!&)&(?!&)(?![a-z]+;)\\w"));
    int count = 0;
    for (auto it = shortcut.globalMatch(text); it.hasNext(); it.next())
        ++count;
    return count;
}

QString rowName(const Message& message)
{
    QString source = message.source.left(40);
    source.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return message.context + QLatin1String(": ") + source;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    TsFile m_scanned;
    TsFile m_committed;
    QHash<QString, Message> m_committedByKey;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // The sources as they are now, through the same lupdate as the update target.
        const QString fresh = m_dir.filePath(QStringLiteral("scanned_en.ts"));
        QStringList arguments{QLatin1Char('@') + QStringLiteral(QUORVANTA_TRANSLATION_SOURCE_LIST)};
        arguments << QStringLiteral(QUORVANTA_LUPDATE_OPTIONS).split(QLatin1Char('|'))
                  << QStringLiteral("-ts") << fresh;
        QProcess lupdate;
        lupdate.start(QStringLiteral(QUORVANTA_LUPDATE), arguments);
        QVERIFY2(lupdate.waitForFinished(120000), qPrintable(lupdate.errorString()));
        QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
                 lupdate.readAllStandardError().constData());
        QString error;
        QVERIFY2(readTs(fresh, &m_scanned, &error), qPrintable(error));
        QVERIFY2(readTs(QStringLiteral(QUORVANTA_TS_FILE), &m_committed, &error),
                 qPrintable(error));
        // A scan that found next to nothing would make every check below pass.
        QVERIFY(m_scanned.messages.size() > 500);
        for (const Message& message : qAsConst(m_committed.messages)) {
            QVERIFY2(!m_committedByKey.contains(message.key()), qPrintable(rowName(message)));
            m_committedByKey.insert(message.key(), message);
        }
    }

    void fileLanguages()
    {
        QCOMPARE(m_committed.language, QStringLiteral("en"));
        QCOMPARE(m_committed.sourceLanguage, QStringLiteral("zh_CN"));
    }

    void everyTextHasAFinishedTranslation_data()
    {
        QTest::addColumn<QString>("key");
        for (const Message& message : qAsConst(m_scanned.messages))
            QTest::newRow(qPrintable(rowName(message))) << message.key();
    }

    void everyTextHasAFinishedTranslation()
    {
        QFETCH(QString, key);
        QVERIFY2(m_committedByKey.contains(key),
                 "not in translations/quorvanta_en.ts: build the update_translations target");
        const Message message = m_committedByKey.value(key);
        QVERIFY2(message.type.isEmpty(), qPrintable(message.type));
        QVERIFY(!message.translations.isEmpty());
        for (const QString& translation : message.translations) {
            QVERIFY(!translation.trimmed().isEmpty());
            QCOMPARE(placeholders(translation), placeholders(message.source));
            QVERIFY2(!hasChineseCharacters(translation), qPrintable(translation));
            // A menu's "(&F)" becomes one shortcut letter inside the word.
            QCOMPARE(shortcutCount(translation), shortcutCount(message.source));
            static const QRegularExpression appended(QStringLiteral("\\(&\\w\\)"));
            QVERIFY2(!appended.match(translation).hasMatch(), qPrintable(translation));
            // Line breaks that join texts stay where they were.
            QCOMPARE(translation.endsWith(QLatin1Char('\n')),
                     message.source.endsWith(QLatin1Char('\n')));
            QCOMPARE(translation.startsWith(QLatin1Char('\n')),
                     message.source.startsWith(QLatin1Char('\n')));
            QCOMPARE(translation.count(QLatin1Char('\n')), message.source.count(QLatin1Char('\n')));
        }
    }

    void committedFileHasNoStaleTexts()
    {
        QSet<QString> scanned;
        for (const Message& message : qAsConst(m_scanned.messages))
            scanned.insert(message.key());
        QStringList stale;
        for (const Message& message : qAsConst(m_committed.messages)) {
            if (!scanned.contains(message.key()))
                stale << rowName(message);
        }
        QVERIFY2(stale.isEmpty(), qPrintable(stale.join(QLatin1String("; "))));
    }

    // The build compiles the committed file into the program as it is.
    void embeddedTranslationMatchesTheFile()
    {
        QTranslator translator;
        QVERIFY(translator.load(InterfaceTranslators::programTranslationFile()));
        int checked = 0;
        for (const Message& message : qAsConst(m_committed.messages)) {
            const QByteArray context = message.context.toUtf8();
            const QByteArray source = message.source.toUtf8();
            const QByteArray comment = message.comment.toUtf8();
            if (message.numerus) {
                // English: the first form for one, the second for every other count.
                for (const int n : {1, 2, 0}) {
                    QCOMPARE(translator.translate(context.constData(), source.constData(),
                                                  comment.isEmpty() ? nullptr : comment.constData(),
                                                  n),
                             message.translations.value(n == 1 ? 0 : 1));
                }
                ++checked;
                continue;
            }
            QCOMPARE(translator.translate(context.constData(), source.constData(),
                                          comment.isEmpty() ? nullptr : comment.constData()),
                     message.translations.value(0));
            ++checked;
        }
        QVERIFY(checked > 500);
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
