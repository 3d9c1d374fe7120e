#include "data/EmbeddedDataAdapter.h"
#include "editors/FormEditor.h"
#include "editors/PushButtonStyle.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTextEdit>
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

QFormLayout* formLayout(const FormEditor& editor)
{
    auto* scrollArea = editor.findChild<QScrollArea*>();
    return scrollArea ? qobject_cast<QFormLayout*>(scrollArea->widget()->layout()) : nullptr;
}

QStringList rowLabels(QFormLayout* layout)
{
    QStringList labels;
    for (int row = 0; row < layout->rowCount(); ++row) {
        QLayoutItem* item = layout->itemAt(row, QFormLayout::LabelRole);
        auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
        labels << (label ? label->text() : QStringLiteral("<no label>"));
    }
    return labels;
}

QPushButton* button(const QWidget& parent, const QString& text)
{
    const auto buttons = parent.findChildren<QPushButton*>();
    for (QPushButton* candidate : buttons) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

QList<QMessageBox*> openBoxes(const QWidget& parent)
{
    QList<QMessageBox*> boxes;
    const auto children = parent.findChildren<QMessageBox*>();
    for (QMessageBox* box : children) {
        if (box->isVisible())
            boxes << box;
    }
    return boxes;
}

const QString kSoftwareLabels[] = {
    "ID:", "名称:", "全称:", "类别:", "子类别:", "厂商:", "当前版本:", "发布日期:"};

} // namespace

class TestFormEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { EmbeddedDataAdapter::instance().initialize(); }

    void emptyBeforeFirstEntry()
    {
        FormEditor editor;
        QVERIFY(formLayout(editor));
        QCOMPARE(formLayout(editor)->rowCount(), 0);
        QVERIFY(formLayout(editor)->labelAlignment().testFlag(Qt::AlignRight));
        QVERIFY(editor.findChild<QScrollArea*>()->widgetResizable());
        QCOMPARE(editor.formType(), QString());
    }

    void buttonsCarryTheSharedStyle()
    {
        FormEditor editor;
        const QString expected = QStringLiteral(
            "QPushButton {    background-color: white;    color: black;    border: 1px solid "
            "#ddd;    padding: 6px 12px;    font-family: Arial, sans-serif;    font-size: 11px;  "
            "  font-weight: normal;    border-radius: 3px;}QPushButton:hover {    "
            "background-color: #f0f0f0;    border: 1px solid #bbb;}QPushButton:pressed {    "
            "background-color: #e0e0e0;    border: 1px solid #999;}QPushButton:disabled {    "
            "background-color: #f5f5f5;    color: #999;    border: 1px solid "
            "#ddd;}QPushButton:default {    border: 2px solid #4CAF50;}");
        QCOMPARE(PushButtonStyle::styleSheet(), expected);
        QVERIFY(button(editor, "保存"));
        QVERIFY(button(editor, "取消"));
        QCOMPARE(button(editor, "保存")->styleSheet(), expected);
        QCOMPARE(button(editor, "取消")->styleSheet(), expected);
    }

    void buttonRowBelowTheFormOnTheRight()
    {
        FormEditor editor;
        editor.resize(600, 400);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        const QRect scroll = editor.findChild<QScrollArea*>()->geometry();
        const QRect save = button(editor, "保存")->geometry();
        const QRect cancel = button(editor, "取消")->geometry();
        QVERIFY(scroll.bottom() < save.top());
        QVERIFY(save.right() < cancel.left());
        // The stretch comes first, so the two buttons sit at the right edge.
        QVERIFY(save.left() > editor.width() / 2);
    }

    void choosesTheForm_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::addColumn<QString>("formType");

        QTest::newRow("CAD") << json("{'category': 'CAD'}") << "software";
        QTest::newRow("CAE") << json("{'category': 'CAE'}") << "software";
        QTest::newRow("CFD before company keys")
            << json("{'category': 'CFD', 'headquarters': 'x'}") << "software";
        QTest::newRow("category is case-sensitive") << json("{'category': 'cad'}") << "generic";
        QTest::newRow("CAM with headquarters")
            << json("{'category': 'CAM', 'headquarters': 'x'}") << "company";
        QTest::newRow("founded alone") << json("{'founded': 1967}") << "company";
        QTest::newRow("company keys before kernel type")
            << json("{'founded': '1970', 'type': 'Geometric Modeling Kernel'}") << "company";
        QTest::newRow("kernel type")
            << json("{'type': 'Geometric Modeling Kernel'}") << "technology";
        QTest::newRow("kernel is case-sensitive")
            << json("{'type': 'geometry kernel'}") << "generic";
        QTest::newRow("EDA software") << json("{'category': 'EDA', 'name': 'x'}") << "generic";
    }

    void choosesTheForm()
    {
        QFETCH(QJsonObject, entry);
        QFETCH(QString, formType);
        FormEditor editor;
        editor.setData(entry);
        QCOMPARE(editor.formType(), formType);
    }

    void softwareFormOfRealEntry()
    {
        const QJsonObject entry = EmbeddedDataAdapter::instance().loadEmbeddedJson(
            QStringLiteral("data/software/cad/catia.json"));
        QVERIFY(!entry.isEmpty());
        FormEditor editor;
        editor.setData(entry);
        QCOMPARE(editor.formType(), QStringLiteral("software"));

        QStringList expected(std::begin(kSoftwareLabels), std::end(kSoftwareLabels));
        expected << "中文描述:"
                 << "英文描述:"
                 << "几何内核:"
                 << "支持平台:"
                 << "编程API:"
                 << "授权类型:";
        QCOMPARE(rowLabels(formLayout(editor)), expected);

        auto* name = qobject_cast<QLineEdit*>(editor.fieldWidget("name"));
        QVERIFY(name);
        QCOMPARE(name->text(), QStringLiteral("CATIA"));
        auto* overview = qobject_cast<QTextEdit*>(editor.fieldWidget("description_zh"));
        QVERIFY(overview);
        QCOMPARE(overview->toPlainText(),
                 entry.value("description").toObject().value("zh").toString());
        QCOMPARE(editor.fieldType("kernel"), QStringLiteral("array"));
        auto* platforms = editor.fieldWidget("platform")->findChild<QTextEdit*>();
        QVERIFY(platforms);
        QCOMPARE(platforms->toPlainText(), QStringLiteral("Windows"));
        auto* license = qobject_cast<QLineEdit*>(editor.fieldWidget("licenseType"));
        QVERIFY(license);
        QCOMPARE(license->text(), QStringLiteral("commercial"));
        QVERIFY(editor.validateForm());
    }

    void softwareWithoutTechnicalData()
    {
        FormEditor editor;
        editor.setData(json("{'id': 'x', 'name': 'X', 'category': 'CAD', 'licensing': {}}"));
        QStringList expected(std::begin(kSoftwareLabels), std::end(kSoftwareLabels));
        expected << "授权类型:";
        QCOMPARE(rowLabels(formLayout(editor)), expected);
        QVERIFY(!editor.fieldWidget("kernel"));
        // Absent keys still get their (empty) line edit.
        auto* vendor = qobject_cast<QLineEdit*>(editor.fieldWidget("vendor"));
        QVERIFY(vendor);
        QVERIFY(vendor->text().isEmpty());
    }

    void softwareTechnicalRowsOnlyForPresentArrays()
    {
        FormEditor editor;
        editor.setData(json("{'category': 'CAE', 'technicalSpecs': {'programmingAPI': ['Python', "
                            "7]}, 'description': {'zh': '短'}}"));
        QStringList expected(std::begin(kSoftwareLabels), std::end(kSoftwareLabels));
        expected << "中文描述:"
                 << "英文描述:"
                 << "编程API:";
        QCOMPARE(rowLabels(formLayout(editor)), expected);
        QCOMPARE(qobject_cast<QLineEdit*>(editor.fieldWidget("description_en"))->text(), QString());
        QCOMPARE(editor.fieldWidget("programmingAPI")->findChild<QTextEdit*>()->toPlainText(),
                 QStringLiteral("Python"));
    }

    void companyFormWithoutId()
    {
        FormEditor editor;
        editor.setData(json("{'name': 'Ansys', 'headquarters': '美国宾夕法尼亚州', 'founded': "
                            "1970, 'revenue': 2.5, 'employees': 1e9, 'description': {'zh': "
                            "'仿真'}, 'products': ['Fluent', 'Mechanical']}"));
        QCOMPARE(editor.formType(), QStringLiteral("company"));
        QCOMPARE(rowLabels(formLayout(editor)),
                 (QStringList{"ID:", "公司名称:", "总部:", "成立时间:", "员工数:", "年收入:",
                              "公司简介:", "主要产品:"}));
        QCOMPARE(qobject_cast<QSpinBox*>(editor.fieldWidget("founded"))->value(), 1970);
        QCOMPARE(qobject_cast<QSpinBox*>(editor.fieldWidget("revenue"))->value(), 0);
        QCOMPARE(qobject_cast<QSpinBox*>(editor.fieldWidget("employees"))->value(), 999999);
        QCOMPARE(editor.fieldWidget("products")->findChild<QTextEdit*>()->toPlainText(),
                 QStringLiteral("Fluent\nMechanical"));

        // "category" has no row on this form and is not examined.
        QVERIFY(!editor.validateForm());
        QCOMPARE(editor.validationErrors(), QStringList{"字段 'ID' 不能为空"});
    }

    void technologyForm()
    {
        FormEditor editor;
        editor.setData(json("{'id': 'parasolid', 'name': 'Parasolid', 'type': 'Geometric "
                            "Modeling Kernel', 'vendor': 'Siemens', 'description': {'zh': "
                            "'内核'}, 'applications': {}}"));
        QCOMPARE(editor.formType(), QStringLiteral("technology"));
        QCOMPARE(rowLabels(formLayout(editor)),
                 (QStringList{"ID:", "技术名称:", "类型:", "厂商:", "当前版本:", "技术描述:"}));
        QCOMPARE(qobject_cast<QLineEdit*>(editor.fieldWidget("type"))->text(),
                 QStringLiteral("Geometric Modeling Kernel"));
    }

    void genericFormRowsAndLabels()
    {
        FormEditor editor;
        editor.setData(json("{'zeta': 'z', 'type': 't', 'name': 'n', 'isEmbedded': true, "
                            "'_filePath': 'data/x.json', 'metadata': {'tags': []}, 'founders': "
                            "null}"));
        QCOMPARE(editor.formType(), QStringLiteral("generic"));
        QCOMPARE(rowLabels(formLayout(editor)),
                 (QStringList{"founders:", "isEmbedded:", "名称:", "类型:", "zeta:"}));
        QVERIFY(qobject_cast<QCheckBox*>(editor.fieldWidget("isEmbedded")));
        QVERIFY(!editor.fieldWidget("_filePath"));
        QVERIFY(!editor.fieldWidget("metadata"));
    }

    void widgetPerValue_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("widgetClass");
        QTest::addColumn<QString>("typeWord");
        QTest::addColumn<QVariant>("shown");

        const QString hundred(100, QLatin1Char('x'));
        QTest::newRow("short string") << QJsonValue("CATIA") << "QLineEdit"
                                      << "string" << QVariant("CATIA");
        QTest::newRow("100 characters") << QJsonValue(hundred) << "QLineEdit"
                                        << "string" << QVariant(hundred);
        QTest::newRow("101 characters") << QJsonValue(hundred + "y") << "QTextEdit"
                                        << "string" << QVariant(hundred + "y");
        QTest::newRow("100 Chinese characters")
            << QJsonValue(QString(100, QChar(0x5B57))) << "QLineEdit"
            << "string" << QVariant(QString(100, QChar(0x5B57)));
        QTest::newRow("line break") << QJsonValue("a\nb") << "QTextEdit"
                                    << "string" << QVariant("a\nb");
        QTest::newRow("empty string") << QJsonValue("") << "QLineEdit"
                                      << "string" << QVariant(QString());
        QTest::newRow("year") << QJsonValue(1967) << "QSpinBox"
                              << "number" << QVariant(1967);
        QTest::newRow("fraction") << QJsonValue(2.5) << "QSpinBox"
                                  << "number" << QVariant(0);
        QTest::newRow("maximum") << QJsonValue(999999) << "QSpinBox"
                                 << "number" << QVariant(999999);
        QTest::newRow("above maximum") << QJsonValue(1e9) << "QSpinBox"
                                       << "number" << QVariant(999999);
        QTest::newRow("beyond int range") << QJsonValue(1e10) << "QSpinBox"
                                          << "number" << QVariant(0);
        QTest::newRow("negative") << QJsonValue(-5) << "QSpinBox"
                                  << "number" << QVariant(0);
        QTest::newRow("true") << QJsonValue(true) << "QCheckBox"
                              << "bool" << QVariant(true);
        QTest::newRow("false") << QJsonValue(false) << "QCheckBox"
                               << "bool" << QVariant(false);
        QTest::newRow("null") << QJsonValue(QJsonValue::Null) << "QLineEdit"
                              << "string" << QVariant(QString());
        QTest::newRow("mixed array")
            << QJsonValue(QJsonArray{1, "CATIA", true, QJsonArray{"x"}, "NX"}) << "QWidget"
            << "array" << QVariant("CATIA\nNX");
        QTest::newRow("empty array") << QJsonValue(QJsonArray()) << "QWidget"
                                     << "array" << QVariant(QString());
    }

    void widgetPerValue()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QString, widgetClass);
        QFETCH(QString, typeWord);
        QFETCH(QVariant, shown);

        FormEditor editor;
        QJsonObject entry;
        entry.insert("value", value);
        editor.setData(entry);
        QWidget* widget = editor.fieldWidget("value");
        QVERIFY(widget);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), widgetClass);
        QCOMPARE(editor.fieldType("value"), typeWord);

        if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            QCOMPARE(line->text(), shown.toString());
        } else if (auto* text = qobject_cast<QTextEdit*>(widget)) {
            QCOMPARE(text->toPlainText(), shown.toString());
            QCOMPARE(text->maximumHeight(), 100);
        } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
            QCOMPARE(spin->value(), shown.toInt());
            QCOMPARE(spin->minimum(), 0);
            QCOMPARE(spin->maximum(), 999999);
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            QCOMPARE(check->isChecked(), shown.toBool());
            QVERIFY(check->text().isEmpty());
        } else {
            auto* items = widget->findChild<QTextEdit*>();
            QVERIFY(items);
            QCOMPARE(items->toPlainText(), shown.toString());
            QCOMPARE(items->maximumHeight(), 80);
        }
    }

    void nestedObjectsComposeFieldNames()
    {
        FormEditor editor;
        editor.setData(json("{'technicalSpecs': {'kernel': ['Parasolid', 'ACIS'], 'version': 3, "
                            "'fileFormats': {'native': 'x_t'}}}"));
        QCOMPARE(editor.formType(), QStringLiteral("generic"));
        QCOMPARE(editor.fieldType("technicalSpecs"), QStringLiteral("object"));
        QWidget* techSpecs = editor.fieldWidget("technicalSpecs");
        auto* nested = qobject_cast<QFormLayout*>(techSpecs->layout());
        QVERIFY(nested);
        QCOMPARE(rowLabels(nested), (QStringList{"fileFormats:", "kernel:", "version:"}));

        QCOMPARE(editor.fieldType("technicalSpecs_kernel"), QStringLiteral("array"));
        QWidget* kernel = editor.fieldWidget("technicalSpecs_kernel");
        QCOMPARE(nested->itemAt(1, QFormLayout::FieldRole)->widget(), kernel);
        QCOMPARE(kernel->findChild<QTextEdit*>()->toPlainText(), QStringLiteral("Parasolid\nACIS"));
        QCOMPARE(qobject_cast<QSpinBox*>(editor.fieldWidget("technicalSpecs_version"))->value(), 3);
        QCOMPARE(editor.fieldType("technicalSpecs_fileFormats"), QStringLiteral("object"));
        QCOMPARE(qobject_cast<QLineEdit*>(editor.fieldWidget("technicalSpecs_fileFormats_native"))
                     ->text(),
                 QStringLiteral("x_t"));
        QVERIFY(!editor.fieldWidget("kernel"));
    }

    void requiredFields_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::addColumn<QStringList>("errors");

        QTest::newRow("all present")
            << json("{'id': 'a', 'name': 'b', 'category': 'c'}") << QStringList();
        QTest::newRow("blanks count as text")
            << json("{'id': ' ', 'name': '  ', 'category': ' '}") << QStringList();
        QTest::newRow("all missing on the software form")
            << json("{'category': 'CAD', 'name': ''}")
            << QStringList{"字段 'ID' 不能为空", "字段 '名称' 不能为空"};
        QTest::newRow("generic form checks only the rows it has")
            << json("{'name': '', 'category': ''}")
            << QStringList{"字段 '名称' 不能为空", "字段 '类别' 不能为空"};
        QTest::newRow("name of 120 characters is not examined")
            << QJsonObject{{"id", "x"}, {"category", "c"}, {"name", QString(120, QLatin1Char('n'))}}
            << QStringList();
        QTest::newRow("name with a line break is not examined")
            << QJsonObject{{"id", ""}, {"name", "\n"}} << QStringList{"字段 'ID' 不能为空"};
        QTest::newRow("numbers are not examined")
            << json("{'id': 0, 'name': 0, 'category': 0}") << QStringList();
    }

    void requiredFields()
    {
        QFETCH(QJsonObject, entry);
        QFETCH(QStringList, errors);
        FormEditor editor;
        editor.setData(entry);
        QCOMPARE(editor.validateForm(), errors.isEmpty());
        QCOMPARE(editor.validationErrors(), errors);
    }

    void longNameShownInTextEdit()
    {
        FormEditor editor;
        editor.setData(QJsonObject{
            {"category", "CAD"}, {"id", "x"}, {"name", QString(120, QLatin1Char('n'))}});
        QVERIFY(qobject_cast<QTextEdit*>(editor.fieldWidget("name")));
        QVERIFY(editor.validateForm());
    }

    void saveWithEmptyFieldsShowsTheBox()
    {
        FormEditor editor;
        editor.setData(json("{'headquarters': 'x'}"));
        QSignalSpy saveSpy(&editor, &FormEditor::saveRequested);
        QTest::mouseClick(button(editor, "保存"), Qt::LeftButton);

        QCOMPARE(saveSpy.count(), 0);
        const QList<QMessageBox*> boxes = openBoxes(editor);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first()->windowTitle(), QStringLiteral("验证失败"));
        QCOMPARE(boxes.first()->text(), QStringLiteral("字段 'ID' 不能为空\n字段 '名称' 不能为空"));
        QCOMPARE(boxes.first()->icon(), QMessageBox::Warning);
        boxes.first()->close();
        QTRY_VERIFY(openBoxes(editor).isEmpty());
    }

    void validSaveSaysNothingIsKept_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::addColumn<QString>("editedField");

        QTest::newRow("software, unchanged")
            << json("{'id': 'a', 'name': 'b', 'category': 'CAD'}") << QString();
        QTest::newRow("software, name edited")
            << json("{'id': 'a', 'name': 'b', 'category': 'CAD'}") << "name";
        QTest::newRow("company, headquarters edited")
            << json("{'id': 'c', 'name': 'd', 'headquarters': 'x'}") << "headquarters";
        QTest::newRow("generic, category edited")
            << json("{'id': 'e', 'name': 'f', 'category': 'PLM'}") << "category";
    }

    void validSaveSaysNothingIsKept()
    {
        QFETCH(QJsonObject, entry);
        QFETCH(QString, editedField);
        FormEditor editor;
        editor.setData(entry);
        if (!editedField.isEmpty())
            qobject_cast<QLineEdit*>(editor.fieldWidget(editedField))->setText("edited");
        QSignalSpy saveSpy(&editor, &FormEditor::saveRequested);
        QTest::mouseClick(button(editor, "保存"), Qt::LeftButton);
        QCOMPARE(saveSpy.count(), 1);

        // No silent "save": the user is told that the edit is not kept.
        const QList<QMessageBox*> boxes = openBoxes(editor);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first()->icon(), QMessageBox::Information);
        QCOMPARE(boxes.first()->windowTitle(), QStringLiteral("未保存"));
        QCOMPARE(boxes.first()->text(),
                 QStringLiteral("表单为只读：知识库条目编译在程序中，修改不会被保存。"));
        boxes.first()->close();
        QTRY_VERIFY(openBoxes(editor).isEmpty());

        // Clearing a required field is caught on the next save, before the notice.
        qobject_cast<QLineEdit*>(editor.fieldWidget("name"))->clear();
        QTest::mouseClick(button(editor, "保存"), Qt::LeftButton);
        QCOMPARE(saveSpy.count(), 1);
        QCOMPARE(openBoxes(editor).size(), 1);
        QCOMPARE(openBoxes(editor).first()->windowTitle(), QStringLiteral("验证失败"));
        openBoxes(editor).first()->close();
    }

    void formSaysItIsReadOnly()
    {
        FormEditor editor;
        editor.resize(600, 400);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        const QString notice = QStringLiteral("表单为只读：修改不会被保存");
        QCOMPARE(FormEditor::readOnlyNotice(), notice);
        QCOMPARE(button(editor, "保存")->toolTip(), notice);
        QLabel* shown = nullptr;
        const auto labels = editor.findChildren<QLabel*>();
        for (QLabel* label : labels) {
            if (label->text() == notice)
                shown = label;
        }
        QVERIFY(shown);
        QVERIFY(shown->isVisible());
        // Beside the buttons, below the form, whatever entry is shown.
        QVERIFY(editor.findChild<QScrollArea*>()->geometry().bottom() < shown->geometry().top());
        QVERIFY(shown->geometry().right() < button(editor, "保存")->geometry().left());
    }

    void cancelEmitsCancelRequested()
    {
        FormEditor editor;
        QSignalSpy cancelSpy(&editor, &FormEditor::cancelRequested);
        QTest::mouseClick(button(editor, "取消"), Qt::LeftButton);
        QCOMPARE(cancelSpy.count(), 1);
    }

    void editsOfTextFieldsEmitDataChanged()
    {
        FormEditor editor;
        QSignalSpy changedSpy(&editor, &FormEditor::dataChanged);
        editor.setData(json("{'name': 'n', 'note': 'a\\nb', 'year': 3, 'flag': false, 'list': "
                            "['x'], 'missing': null}"));
        QCOMPARE(changedSpy.count(), 0);

        qobject_cast<QLineEdit*>(editor.fieldWidget("name"))->setText("m");
        QCOMPARE(changedSpy.count(), 1);
        qobject_cast<QTextEdit*>(editor.fieldWidget("note"))->setPlainText("c");
        QCOMPARE(changedSpy.count(), 2);
        qobject_cast<QLineEdit*>(editor.fieldWidget("missing"))->setText("now");
        QCOMPARE(changedSpy.count(), 3);

        qobject_cast<QSpinBox*>(editor.fieldWidget("year"))->setValue(4);
        qobject_cast<QCheckBox*>(editor.fieldWidget("flag"))->setChecked(true);
        editor.fieldWidget("list")->findChild<QTextEdit*>()->setPlainText("y");
        QCOMPARE(changedSpy.count(), 3);
    }

    void nextEntryReplacesAllRows()
    {
        FormEditor editor;
        editor.setData(json("{'category': 'CAD', 'name': 'a', 'technicalSpecs': {'kernel': "
                            "['k']}}"));
        QPointer<QWidget> oldName = editor.fieldWidget("name");
        QPointer<QWidget> oldKernel = editor.fieldWidget("kernel");
        editor.setData(json("{'name': 'b'}"));
        QVERIFY(oldName.isNull());
        QVERIFY(oldKernel.isNull());
        QCOMPARE(rowLabels(formLayout(editor)), QStringList{"名称:"});
        QVERIFY(!editor.fieldWidget("kernel"));
        QCOMPARE(qobject_cast<QLineEdit*>(editor.fieldWidget("name"))->text(), QStringLiteral("b"));
    }

    void fieldLabels()
    {
        QCOMPARE(FormEditor::getFieldLabel("description_en"), QStringLiteral("英文描述"));
        QCOMPARE(FormEditor::getFieldLabel("revenue"), QStringLiteral("年收入"));
        QCOMPARE(FormEditor::getFieldLabel("licenseType"), QStringLiteral("licenseType"));
        QCOMPARE(FormEditor::getFieldLabel("Name"), QStringLiteral("Name"));
    }
};

QTEST_MAIN(TestFormEditor)
#include "tst_formeditor.moc"
