#include "TableEditor.h"

#include "data/AtomicFileWriter.h"
#include "editors/CsvDocument.h"
#include "editors/EditorMessageBox.h"
#include "editors/EntryTable.h"
#include "editors/PushButtonStyle.h"
#include "views/ThemedStyleSheet.h"

#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const int kInitialRows = 5;
const int kInitialColumns = 5;

// Sets all header labels with one change notice. Label by label, a stretching last
// section re-lays the header out on every label: over a minute for 20,000 columns.
// The column count must already match, so no structural change goes unannounced.
void setHeaderLabels(QTableWidget* table, const QStringList& labels)
{
    Q_ASSERT(table->columnCount() == labels.size());
    {
        const QSignalBlocker blocker(table->model());
        table->setHorizontalHeaderLabels(labels);
    }
    if (!labels.isEmpty())
        emit table->model()->headerDataChanged(Qt::Horizontal, 0,
                                               static_cast<int>(labels.size()) - 1);
}

} // namespace

TableEditor::TableEditor(QWidget* parent) : QWidget(parent)
{
    m_table = new QTableWidget(kInitialRows, kInitialColumns, this);
    QStringList labels;
    for (int i = 1; i <= kInitialColumns; ++i)
        labels << tr("列%1").arg(i);
    m_table->setHorizontalHeaderLabels(labels);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setAlternatingRowColors(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);

    m_layout = new QVBoxLayout(this);
    m_buttonRow = new QHBoxLayout;
    m_addRowButton = addButton(tr("添加行"));
    m_removeRowButton = addButton(tr("删除行"));
    m_addColumnButton = addButton(tr("添加列"));
    m_removeColumnButton = addButton(tr("删除列"));
    m_buttonRow->addStretch();
    m_importButton = addButton(tr("导入CSV"));
    m_exportButton = addButton(tr("导出CSV"));
    m_layout->addLayout(m_buttonRow);
    m_layout->addWidget(m_table);

    connect(m_addRowButton, &QPushButton::clicked, this, &TableEditor::onAddRow);
    connect(m_removeRowButton, &QPushButton::clicked, this, &TableEditor::onRemoveRow);
    connect(m_addColumnButton, &QPushButton::clicked, this, &TableEditor::onAddColumn);
    connect(m_removeColumnButton, &QPushButton::clicked, this, &TableEditor::onRemoveColumn);
    connect(m_importButton, &QPushButton::clicked, this, &TableEditor::onImportCSV);
    connect(m_exportButton, &QPushButton::clicked, this, &TableEditor::onExportCSV);
    connect(m_table, &QTableWidget::cellChanged, this, &TableEditor::onCellChanged);
}

TableEditor::~TableEditor() = default;

QPushButton* TableEditor::addButton(const QString& text)
{
    auto* button = new QPushButton(text, this);
    ThemedStyleSheet::apply(button, PushButtonStyle::styleSheet());
    m_buttonRow->addWidget(button);
    return button;
}

void TableEditor::setData(const QJsonObject& data)
{
    m_data = data;
    const EntryTable entryTable = EntryTable::fromEntry(data);
    if (entryTable.isNull())
        return;

    fillTable(entryTable.header(), entryTable.rows());
}

void TableEditor::fillTable(const QStringList& header, const QList<QStringList>& rows)
{
    // Filling the table is not an edit by the user.
    const QSignalBlocker blocker(m_table);
    // Cells the new contents leave out must not keep what the table held before.
    m_table->clearContents();
    const int columnCount = static_cast<int>(header.size());
    m_table->setColumnCount(columnCount);
    setHeaderLabels(m_table, header);
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList& cells = rows.at(row);
        const int used = std::min(columnCount, static_cast<int>(cells.size()));
        for (int column = 0; column < used; ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells.at(column)));
    }
}

QString TableEditor::tooLargeMessage()
{
    return tr("表格过大，无法导入：最多允许 %1 列、%2 个单元格").arg(kMaxColumns).arg(kMaxCells);
}

bool TableEditor::exportToCsv(const QString& fileName)
{
    QStringList header;
    for (int column = 0; column < m_table->columnCount(); ++column) {
        const QTableWidgetItem* item = m_table->horizontalHeaderItem(column);
        header << (item ? item->text() : QStringLiteral("col%1").arg(column));
    }
    QList<QStringList> rows;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < m_table->columnCount(); ++column) {
            const QTableWidgetItem* item = m_table->item(row, column);
            cells << (item ? item->text() : QString());
        }
        rows << cells;
    }

    QString error;
    if (!AtomicFileWriter::write(fileName, CsvDocument(header, rows).toCsv(), &error)) {
        qWarning().noquote() << "TableEditor::exportToCsv - Cannot write"
                             << QStringLiteral("%1: %2").arg(fileName, error);
        EditorMessageBox::show(this, QMessageBox::Warning, tr("错误"), tr("无法创建文件"));
        return false;
    }
    qInfo().noquote() << "TableEditor::exportToCsv - Exported" << rows.size() << "rows to"
                      << fileName;
    EditorMessageBox::show(this, QMessageBox::Information, tr("成功"), tr("数据已导出到CSV文件"));
    return true;
}

bool TableEditor::importFromCsv(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "TableEditor::importFromCsv - Cannot open"
                             << QStringLiteral("%1: %2").arg(fileName, file.errorString());
        EditorMessageBox::show(this, QMessageBox::Warning, tr("错误"), tr("无法打开文件"));
        return false;
    }
    // Header and cells, with room for rows longer than the header.
    const CsvDocument document = CsvDocument::fromCsv(file.readAll(), kMaxCells + kMaxColumns);
    const qsizetype columns = document.header().size();
    const qsizetype rows = document.rows().size();
    if (document.isTruncated() || columns > kMaxColumns || columns * rows > kMaxCells) {
        const QString size =
            document.isTruncated()
                ? QStringLiteral("more than %1 fields").arg(kMaxCells + kMaxColumns)
                : QStringLiteral("%1 columns, %2 rows").arg(columns).arg(rows);
        qWarning().noquote() << "TableEditor::importFromCsv - Refused"
                             << QStringLiteral("%1: %2").arg(fileName, size);
        EditorMessageBox::show(this, QMessageBox::Warning, tr("错误"), tooLargeMessage());
        return false;
    }
    if (document.isEmpty())
        return false;

    fillTable(document.header(), document.rows());
    qInfo().noquote() << "TableEditor::importFromCsv - Imported" << document.rows().size()
                      << "rows from" << fileName;
    emit dataChanged();
    return true;
}

void TableEditor::onCellChanged(int row, int column)
{
    Q_UNUSED(row);
    Q_UNUSED(column);
    emit dataChanged();
}

void TableEditor::onAddRow()
{
    m_table->insertRow(m_table->rowCount());
    emit dataChanged();
}

void TableEditor::onRemoveRow()
{
    const int row = m_table->currentRow();
    if (row < 0)
        return;
    m_table->removeRow(row);
    emit dataChanged();
}

void TableEditor::onAddColumn()
{
    const int column = m_table->columnCount();
    m_table->insertColumn(column);
    m_table->setHorizontalHeaderItem(column, new QTableWidgetItem(tr("列%1").arg(column + 1)));
    emit dataChanged();
}

void TableEditor::onRemoveColumn()
{
    const int column = m_table->currentColumn();
    if (column < 0)
        return;
    m_table->removeColumn(column);
    emit dataChanged();
}

void TableEditor::onImportCSV()
{
    const QString fileName =
        QFileDialog::getOpenFileName(this, tr("导入CSV文件"), QString(), tr("CSV文件 (*.csv)"));
    if (!fileName.isEmpty())
        importFromCsv(fileName);
}

void TableEditor::onExportCSV()
{
    const QString fileName =
        QFileDialog::getSaveFileName(this, tr("导出CSV文件"), QString(), tr("CSV文件 (*.csv)"));
    if (!fileName.isEmpty())
        exportToCsv(fileName);
}
