#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QHBoxLayout;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

// An entry as an editable table: its "tableData" rows, or its keys and values;
// rows and columns can be added and removed, and the table read from or written to CSV.
class TableEditor : public QWidget
{
    Q_OBJECT

public:
    explicit TableEditor(QWidget* parent = nullptr);
    ~TableEditor() override;

    void setData(const QJsonObject& data);
    // Both report their outcome in a message box as well as through the return value.
    bool exportToCsv(const QString& fileName);
    bool importFromCsv(const QString& fileName);

    QTableWidget* table() const { return m_table; }

    // Larger CSV files are refused on import: a table widget of that size takes
    // seconds to fill and hundreds of megabytes.
    static constexpr int kMaxColumns = 1000;
    static constexpr int kMaxCells = 200000;
    static QString tooLargeMessage();

signals:
    void dataChanged();

private slots:
    void onCellChanged(int row, int column);
    void onAddRow();
    void onRemoveRow();
    void onAddColumn();
    void onRemoveColumn();
    void onImportCSV();
    void onExportCSV();

private:
    QPushButton* addButton(const QString& text);
    void fillTable(const QStringList& header, const QList<QStringList>& rows);

    QTableWidget* m_table = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QHBoxLayout* m_buttonRow = nullptr;
    QPushButton* m_addRowButton = nullptr;
    QPushButton* m_removeRowButton = nullptr;
    QPushButton* m_addColumnButton = nullptr;
    QPushButton* m_removeColumnButton = nullptr;
    QPushButton* m_importButton = nullptr;
    QPushButton* m_exportButton = nullptr;
    QJsonObject m_data;
};
