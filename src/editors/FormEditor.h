#pragma once

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <QWidget>

class QFormLayout;
class QLabel;
class QPushButton;
class QScrollArea;

// An entry laid out as a scrolling form: a fixed form for software, companies and
// geometry kernels, a generic one for everything else, one input widget per value.
class FormEditor : public QWidget
{
    Q_OBJECT

public:
    explicit FormEditor(QWidget* parent = nullptr);
    ~FormEditor() override;

    void setData(const QJsonObject& data);

    // "software", "company", "technology" or "generic"; empty before the first entry.
    QString formType() const { return m_formType; }
    // The widget and type word ("string", "number", "bool", "array", "object") of a field.
    QWidget* fieldWidget(const QString& fieldName) const { return m_fieldWidgets.value(fieldName); }
    QString fieldType(const QString& fieldName) const { return m_fieldTypes.value(fieldName); }
    QStringList validationErrors() const { return m_validationErrors; }

    // Checks the required fields and fills validationErrors(); true when none is empty.
    bool validateForm();

    static QString getFieldLabel(const QString& fieldName);
    // Shown beside the buttons and on "保存": the form keeps no edit.
    static QString readOnlyNotice();

signals:
    void dataChanged();
    // The required fields passed the check; the form itself keeps nothing and tells the
    // user so.
    void saveRequested();
    void cancelRequested();

private slots:
    void onFieldChanged();
    void onSave();
    void onCancel();
    void onAddArrayItem(const QString& fieldName);
    void onRemoveArrayItem(const QString& fieldName);

private:
    void clearForm();
    void buildSoftwareForm(const QJsonObject& data);
    void buildCompanyForm(const QJsonObject& data);
    void buildTechnologyForm(const QJsonObject& data);
    void buildGenericForm(const QJsonObject& data);

    void addFieldRow(const QString& label, const QString& fieldName, const QJsonValue& value);
    void addArrayRow(const QString& label, const QString& fieldName, const QJsonValue& value);

    QWidget* createFieldWidget(const QString& fieldName, const QJsonValue& value);
    QWidget* createArrayWidget(const QString& fieldName, const QJsonArray& array);
    QWidget* createObjectWidget(const QString& fieldName, const QJsonObject& object);
    void recordField(const QString& fieldName, QWidget* widget, const QString& type);

    QScrollArea* m_scrollArea = nullptr;
    QWidget* m_formWidget = nullptr;
    QFormLayout* m_formLayout = nullptr;
    QHash<QString, QWidget*> m_fieldWidgets;
    QHash<QString, QString> m_fieldTypes;
    QStringList m_validationErrors;
    QJsonObject m_data;
    QString m_formType;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QLabel* m_readOnlyNote = nullptr;
};
