#include "data/EmbeddedDataAdapter.h"
#include "editors/MarkdownGenerator.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

namespace {

// JSON written with single quotes, which keeps the fixtures readable.
QJsonObject json(const char* text)
{
    QByteArray bytes(text);
    bytes.replace('\'', '"');
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        qFatal("Bad JSON fixture: %s", text);
    return document.object();
}

} // namespace

class TestMarkdownGenerator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EmbeddedDataAdapter::instance().initialize(); }

    void generates_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::addColumn<QString>("markdown");

        QTest::newRow("empty entry") << QJsonObject() << QStringLiteral("\n## 相关链接\n\n");
        QTest::newRow("name only")
            << json("{'name': 'FreeCAD'}") << QStringLiteral("# FreeCAD\n\n\n## 相关链接\n\n");
        QTest::newRow("empty name gives no title")
            << json("{'name': '', 'resources': {'official': 'https://o'}}")
            << QStringLiteral("\n## 相关链接\n\n- [官方网站](https://o)\n");
        QTest::newRow("complete CAD entry")
            << json("{'name': 'N', 'category': 'CAD', "
                    "'description': {'zh': '中文描述', 'en': 'English'}, "
                    "'technicalSpecs': {'kernel': ['K1', 'K2'], 'platform': ['Windows']}, "
                    "'features': {'core': ['F1'], 'advanced': ['A1']}, "
                    "'resources': {'official': 'https://o', 'documentation': 'https://d'}}")
            << QStringLiteral("# N\n\n## 概述\n\n中文描述\n\n## 技术规格\n\n### 几何内核\n- K1\n- "
                              "K2\n\n## 功能特性\n\n### 核心功能\n- F1\n\n\n## 相关链接\n\n- "
                              "[官方网站](https://o)\n- [文档](https://d)\n");
        QTest::newRow("CFD counts as design software")
            << json("{'category': 'CFD', 'technicalSpecs': {}, 'features': {}}")
            << QStringLiteral("## 技术规格\n\n## 功能特性\n\n\n## 相关链接\n\n");
        for (const char* category : {"CAM", "EDA", "", "cad", "CAD/CAM"}) {
            QJsonObject entry = json("{'name': 'X', 'technicalSpecs': {'kernel': ['K']}, "
                                     "'features': {'core': ['F']}}");
            entry.insert(QStringLiteral("category"), QString::fromLatin1(category));
            QTest::addRow("category '%s' has no technical sections", category)
                << entry << QStringLiteral("# X\n\n\n## 相关链接\n\n");
        }
        QTest::newRow("techSpecs without kernel")
            << json("{'category': 'CAE', 'technicalSpecs': {'platform': ['Linux']}}")
            << QStringLiteral("## 技术规格\n\n\n## 相关链接\n\n");
        QTest::newRow("non-string kernel element is empty")
            << json("{'category': 'CAD', 'technicalSpecs': {'kernel': [3, 'K']}}")
            << QStringLiteral("## 技术规格\n\n### 几何内核\n- \n- K\n\n\n## 相关链接\n\n");
        QTest::newRow("description as plain string gives no overview")
            << json("{'description': 'text'}") << QStringLiteral("\n## 相关链接\n\n");
        QTest::newRow("empty zh description gives no overview")
            << json("{'description': {'zh': '', 'en': 'e'}}")
            << QStringLiteral("\n## 相关链接\n\n");
        QTest::newRow("documentation without official site")
            << json("{'resources': {'documentation': 'https://d', 'community': 'https://c'}}")
            << QStringLiteral("\n## 相关链接\n\n- [文档](https://d)\n");
        QTest::newRow("placeholder text in the name stays as it is")
            << json("{'name': '50%1 off'}") << QStringLiteral("# 50%1 off\n\n\n## 相关链接\n\n");
    }

    void generates()
    {
        QFETCH(QJsonObject, entry);
        QFETCH(QString, markdown);
        QCOMPARE(MarkdownGenerator::fromEntry(entry), markdown);
    }

    void realCadEntry()
    {
        const QJsonObject entry = EmbeddedDataAdapter::instance().loadEmbeddedJson(
            QStringLiteral("data/software/cad/catia.json"));
        QVERIFY(!entry.isEmpty());
        const QString overview = entry.value("description").toObject().value("zh").toString();
        const QString markdown = MarkdownGenerator::fromEntry(entry);

        const QString head = QStringLiteral("# CATIA\n\n## 概述\n\n") + overview +
                             QStringLiteral("\n\n## 技术规格\n\n### 几何内核\n");
        QVERIFY(markdown.startsWith(head));

        QString kernels;
        const QJsonArray kernelArray =
            entry.value("technicalSpecs").toObject().value("kernel").toArray();
        QVERIFY(!kernelArray.isEmpty());
        for (const QJsonValue& kernel : kernelArray)
            kernels += QStringLiteral("- ") + kernel.toString() + QLatin1Char('\n');
        const QString kernelSection = QStringLiteral("### 几何内核\n") + kernels +
                                      QStringLiteral("\n## 功能特性\n\n### 核心功能\n");
        QVERIFY(markdown.contains(kernelSection));

        const QJsonObject resources = entry.value("resources").toObject();
        const QString links =
            QStringLiteral("\n\n\n## 相关链接\n\n- [官方网站]%1\n- [文档]%2\n")
                .arg(QLatin1Char('(') + resources.value("official").toString() + QLatin1Char(')'),
                     QLatin1Char('(') + resources.value("documentation").toString() +
                         QLatin1Char(')'));
        QVERIFY(markdown.endsWith(links));
    }
};

QTEST_GUILESS_MAIN(TestMarkdownGenerator)
#include "tst_markdowngenerator.moc"
