#include "FormEditor.h"

#include "editors/EditorMessageBox.h"
#include "editors/PushButtonStyle.h"
#include "views/ThemedStyleSheet.h"

#include <QCheckBox>
#include <QDebug>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

const int kLineEditMaxLength = 100;
const int kTextEditMaxHeight = 100;
const int kArrayEditMaxHeight = 80;
const int kSpinBoxMaximum = 999999;

bool isDesignSoftware(const QString& category)
{
    return category == QLatin1String("CAD") || category == QLatin1String("CAE") ||
           category == QLatin1String("CFD");
}

} // namespace

FormEditor::FormEditor(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);

    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setWidgetResizable(true);
    m_formWidget = new QWidget;
    m_formLayout = new QFormLayout(m_formWidget);
    m_formLayout->setLabelAlignment(Qt::AlignRight);
    m_scrollArea->setWidget(m_formWidget);
    layout->addWidget(m_scrollArea);

    // Entries are compiled into the program and served from there, so nothing edited
    // here can be kept; the form says so instead of pretending to save.
    auto* buttonRow = new QHBoxLayout;
    m_readOnlyNote = new QLabel(readOnlyNotice(), this);
    buttonRow->addWidget(m_readOnlyNote);
    buttonRow->addStretch();
    m_saveButton = new QPushButton(tr("保存"), this);
    m_saveButton->setToolTip(readOnlyNotice());
    m_cancelButton = new QPushButton(tr("取消"), this);
    ThemedStyleSheet::apply(m_saveButton, PushButtonStyle::styleSheet());
    ThemedStyleSheet::apply(m_cancelButton, PushButtonStyle::styleSheet());
    buttonRow->addWidget(m_saveButton);
    buttonRow->addWidget(m_cancelButton);
    layout->addLayout(buttonRow);

    connect(m_saveButton, &QPushButton::clicked, this, &FormEditor::onSave);
    connect(m_cancelButton, &QPushButton::clicked, this, &FormEditor::onCancel);
}

FormEditor::~FormEditor() = default;

QString FormEditor::getFieldLabel(const QString& fieldName)
{
    static const QHash<QString, QString> labels = {
        {QStringLiteral("id"), tr("ID")},
        {QStringLiteral("name"), tr("名称")},
        {QStringLiteral("fullName"), tr("全称")},
        {QStringLiteral("category"), tr("类别")},
        {QStringLiteral("subCategory"), tr("子类别")},
        {QStringLiteral("vendor"), tr("厂商")},
        {QStringLiteral("currentVersion"), tr("当前版本")},
        {QStringLiteral("releaseDate"), tr("发布日期")},
        {QStringLiteral("description_zh"), tr("中文描述")},
        {QStringLiteral("description_en"), tr("英文描述")},
        {QStringLiteral("headquarters"), tr("总部")},
        {QStringLiteral("founded"), tr("成立时间")},
        {QStringLiteral("employees"), tr("员工数")},
        {QStringLiteral("revenue"), tr("年收入")},
        {QStringLiteral("type"), tr("类型")},
    };
    return labels.value(fieldName, fieldName);
}

void FormEditor::setData(const QJsonObject& data)
{
    clearForm();
    m_data = data;

    if (isDesignSoftware(data.value(QStringLiteral("category")).toString())) {
        m_formType = QStringLiteral("software");
        buildSoftwareForm(data);
    } else if (data.contains(QStringLiteral("headquarters")) ||
               data.contains(QStringLiteral("founded"))) {
        m_formType = QStringLiteral("company");
        buildCompanyForm(data);
    } else if (data.contains(QStringLiteral("type")) &&
               data.value(QStringLiteral("type")).toString().contains(QLatin1String("Kernel"))) {
        m_formType = QStringLiteral("technology");
        buildTechnologyForm(data);
    } else {
        m_formType = QStringLiteral("generic");
        buildGenericForm(data);
    }
}

void FormEditor::clearForm()
{
    while (m_formLayout->rowCount() > 0)
        m_formLayout->removeRow(0);
    m_fieldWidgets.clear();
    m_fieldTypes.clear();
    m_validationErrors.clear();
}

void FormEditor::addFieldRow(const QString& label, const QString& fieldName,
                             const QJsonValue& value)
{
    m_formLayout->addRow(label, createFieldWidget(fieldName, value));
}

void FormEditor::addArrayRow(const QString& label, const QString& fieldName,
                             const QJsonValue& value)
{
    m_formLayout->addRow(label, createArrayWidget(fieldName, value.toArray()));
}

void FormEditor::buildSoftwareForm(const QJsonObject& data)
{
    addFieldRow(tr("ID:"), QStringLiteral("id"), data.value(QStringLiteral("id")));
    addFieldRow(tr("名称:"), QStringLiteral("name"), data.value(QStringLiteral("name")));
    addFieldRow(tr("全称:"), QStringLiteral("fullName"), data.value(QStringLiteral("fullName")));
    addFieldRow(tr("类别:"), QStringLiteral("category"), data.value(QStringLiteral("category")));
    addFieldRow(tr("子类别:"), QStringLiteral("subCategory"),
                data.value(QStringLiteral("subCategory")));
    addFieldRow(tr("厂商:"), QStringLiteral("vendor"), data.value(QStringLiteral("vendor")));
    addFieldRow(tr("当前版本:"), QStringLiteral("currentVersion"),
                data.value(QStringLiteral("currentVersion")));
    addFieldRow(tr("发布日期:"), QStringLiteral("releaseDate"),
                data.value(QStringLiteral("releaseDate")));

    if (data.contains(QStringLiteral("description"))) {
        const QJsonObject description = data.value(QStringLiteral("description")).toObject();
        addFieldRow(tr("中文描述:"), QStringLiteral("description_zh"),
                    description.value(QStringLiteral("zh")));
        addFieldRow(tr("英文描述:"), QStringLiteral("description_en"),
                    description.value(QStringLiteral("en")));
    }

    if (data.contains(QStringLiteral("technicalSpecs"))) {
        const QJsonObject techSpecs = data.value(QStringLiteral("technicalSpecs")).toObject();
        if (techSpecs.contains(QStringLiteral("kernel")))
            addArrayRow(tr("几何内核:"), QStringLiteral("kernel"),
                        techSpecs.value(QStringLiteral("kernel")));
        if (techSpecs.contains(QStringLiteral("platform")))
            addArrayRow(tr("支持平台:"), QStringLiteral("platform"),
                        techSpecs.value(QStringLiteral("platform")));
        if (techSpecs.contains(QStringLiteral("programmingAPI")))
            addArrayRow(tr("编程API:"), QStringLiteral("programmingAPI"),
                        techSpecs.value(QStringLiteral("programmingAPI")));
    }

    if (data.contains(QStringLiteral("licensing"))) {
        const QJsonObject licensing = data.value(QStringLiteral("licensing")).toObject();
        addFieldRow(tr("授权类型:"), QStringLiteral("licenseType"),
                    licensing.value(QStringLiteral("type")));
    }
}

void FormEditor::buildCompanyForm(const QJsonObject& data)
{
    addFieldRow(tr("ID:"), QStringLiteral("id"), data.value(QStringLiteral("id")));
    addFieldRow(tr("公司名称:"), QStringLiteral("name"), data.value(QStringLiteral("name")));
    addFieldRow(tr("总部:"), QStringLiteral("headquarters"),
                data.value(QStringLiteral("headquarters")));
    addFieldRow(tr("成立时间:"), QStringLiteral("founded"), data.value(QStringLiteral("founded")));
    addFieldRow(tr("员工数:"), QStringLiteral("employees"),
                data.value(QStringLiteral("employees")));
    addFieldRow(tr("年收入:"), QStringLiteral("revenue"), data.value(QStringLiteral("revenue")));

    if (data.contains(QStringLiteral("description"))) {
        const QJsonObject description = data.value(QStringLiteral("description")).toObject();
        addFieldRow(tr("公司简介:"), QStringLiteral("description_zh"),
                    description.value(QStringLiteral("zh")));
    }
    if (data.contains(QStringLiteral("products")))
        addArrayRow(tr("主要产品:"), QStringLiteral("products"),
                    data.value(QStringLiteral("products")));
}

void FormEditor::buildTechnologyForm(const QJsonObject& data)
{
    addFieldRow(tr("ID:"), QStringLiteral("id"), data.value(QStringLiteral("id")));
    addFieldRow(tr("技术名称:"), QStringLiteral("name"), data.value(QStringLiteral("name")));
    addFieldRow(tr("类型:"), QStringLiteral("type"), data.value(QStringLiteral("type")));
    addFieldRow(tr("厂商:"), QStringLiteral("vendor"), data.value(QStringLiteral("vendor")));
    addFieldRow(tr("当前版本:"), QStringLiteral("currentVersion"),
                data.value(QStringLiteral("currentVersion")));

    if (data.contains(QStringLiteral("description"))) {
        const QJsonObject description = data.value(QStringLiteral("description")).toObject();
        addFieldRow(tr("技术描述:"), QStringLiteral("description_zh"),
                    description.value(QStringLiteral("zh")));
    }
}

void FormEditor::buildGenericForm(const QJsonObject& data)
{
    // QJsonObject keeps its keys sorted, so the rows come in ascending key order.
    for (auto it = data.constBegin(); it != data.constEnd(); ++it) {
        const QString key = it.key();
        if (key == QLatin1String("_filePath") || key == QLatin1String("metadata"))
            continue;
        addFieldRow(getFieldLabel(key) + QLatin1Char(':'), key, it.value());
    }
}

QWidget* FormEditor::createFieldWidget(const QString& fieldName, const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::String: {
        const QString text = value.toString();
        if (text.size() > kLineEditMaxLength || text.contains(QLatin1Char('\n'))) {
            auto* edit = new QTextEdit;
            edit->setPlainText(text);
            edit->setMaximumHeight(kTextEditMaxHeight);
            connect(edit, &QTextEdit::textChanged, this, &FormEditor::onFieldChanged);
            recordField(fieldName, edit, QStringLiteral("string"));
            return edit;
        }
        auto* edit = new QLineEdit(text);
        connect(edit, &QLineEdit::textChanged, this, &FormEditor::onFieldChanged);
        recordField(fieldName, edit, QStringLiteral("string"));
        return edit;
    }
    case QJsonValue::Double: {
        auto* spinBox = new QSpinBox;
        spinBox->setRange(0, kSpinBoxMaximum);
        // Fractions and values beyond the int range read as 0.
        spinBox->setValue(value.toInt(0));
        recordField(fieldName, spinBox, QStringLiteral("number"));
        return spinBox;
    }
    case QJsonValue::Bool: {
        auto* checkBox = new QCheckBox;
        checkBox->setChecked(value.toBool());
        recordField(fieldName, checkBox, QStringLiteral("bool"));
        return checkBox;
    }
    case QJsonValue::Array:
        return createArrayWidget(fieldName, value.toArray());
    case QJsonValue::Object:
        return createObjectWidget(fieldName, value.toObject());
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        break;
    }
    auto* edit = new QLineEdit;
    connect(edit, &QLineEdit::textChanged, this, &FormEditor::onFieldChanged);
    recordField(fieldName, edit, QStringLiteral("string"));
    return edit;
}

QWidget* FormEditor::createArrayWidget(const QString& fieldName, const QJsonArray& array)
{
    QStringList items;
    for (const QJsonValue& item : array) {
        if (item.isString())
            items << item.toString();
    }

    auto* container = new QWidget;
    auto* layout = new QVBoxLayout(container);
    auto* edit = new QTextEdit(container);
    edit->setPlainText(items.join(QLatin1Char('\n')));
    edit->setMaximumHeight(kArrayEditMaxHeight);
    layout->addWidget(edit);
    recordField(fieldName, container, QStringLiteral("array"));
    return container;
}

QWidget* FormEditor::createObjectWidget(const QString& fieldName, const QJsonObject& object)
{
    auto* container = new QWidget;
    auto* layout = new QFormLayout(container);
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const QString memberName = fieldName + QLatin1Char('_') + it.key();
        layout->addRow(it.key() + QLatin1Char(':'), createFieldWidget(memberName, it.value()));
    }
    recordField(fieldName, container, QStringLiteral("object"));
    return container;
}

void FormEditor::recordField(const QString& fieldName, QWidget* widget, const QString& type)
{
    m_fieldWidgets.insert(fieldName, widget);
    m_fieldTypes.insert(fieldName, type);
}

bool FormEditor::validateForm()
{
    m_validationErrors.clear();
    static const QStringList requiredFields = {QStringLiteral("id"), QStringLiteral("name"),
                                               QStringLiteral("category")};
    for (const QString& fieldName : requiredFields) {
        // Only single-line fields are checked; long texts sit in text edits.
        const auto* edit = qobject_cast<const QLineEdit*>(m_fieldWidgets.value(fieldName));
        if (edit && edit->text().isEmpty())
            m_validationErrors << tr("字段 '%1' 不能为空").arg(getFieldLabel(fieldName));
    }
    return m_validationErrors.isEmpty();
}

void FormEditor::onFieldChanged()
{
    emit dataChanged();
}

QString FormEditor::readOnlyNotice()
{
    return tr("表单为只读：修改不会被保存");
}

void FormEditor::onSave()
{
    if (validateForm()) {
        emit saveRequested();
        qInfo().noquote() << "FormEditor::onSave - Read-only form, nothing saved";
        EditorMessageBox::show(this, QMessageBox::Information, tr("未保存"),
                               tr("表单为只读：知识库条目编译在程序中，修改不会被保存。"));
        return;
    }
    qInfo().noquote() << "FormEditor::onSave - Validation failed:"
                      << m_validationErrors.join(QStringLiteral("; "));
    EditorMessageBox::show(this, QMessageBox::Warning, tr("验证失败"),
                           m_validationErrors.join(QLatin1Char('\n')));
}

void FormEditor::onCancel()
{
    emit cancelRequested();
}

void FormEditor::onAddArrayItem(const QString& fieldName)
{
    Q_UNUSED(fieldName);
}

void FormEditor::onRemoveArrayItem(const QString& fieldName)
{
    Q_UNUSED(fieldName);
}
