#include "editors/PushButtonStyle.h"
#include "editors/TableEditor.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QJsonDocument>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using Cells = QList<QStringList>;

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

const QString kNoItem = QStringLiteral("<no item>");

QStringList headerTexts(const QTableWidget* table)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem* item = table->horizontalHeaderItem(column);
        texts << (item ? item->text() : kNoItem);
    }
    return texts;
}

Cells cellTexts(const QTableWidget* table)
{
    Cells cells;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem* item = table->item(row, column);
            texts << (item ? item->text() : kNoItem);
        }
        cells << texts;
    }
    return cells;
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

// Checks the one open message box of the editor, then closes it.
void expectBox(const QWidget& parent, QMessageBox::Icon icon, const QString& title,
               const QString& text)
{
    QList<QMessageBox*> boxes;
    const auto children = parent.findChildren<QMessageBox*>();
    for (QMessageBox* box : children) {
        if (box->isVisible())
            boxes << box;
    }
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first()->icon(), icon);
    QCOMPARE(boxes.first()->windowTitle(), title);
    QCOMPARE(boxes.first()->text(), text);
    boxes.first()->close();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestTableEditor : public QObject
{
    Q_OBJECT

private slots:
    void initialTable()
    {
        TableEditor editor;
        QTableWidget* table = editor.table();
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(headerTexts(table), (QStringList{"列1", "列2", "列3", "列4", "列5"}));
        QVERIFY(table->horizontalHeader()->stretchLastSection());
        QVERIFY(table->alternatingRowColors());
        QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);

        const QStringList order = {"添加行", "删除行", "添加列", "删除列", "导入CSV", "导出CSV"};
        for (const QString& text : order) {
            QPushButton* b = button(editor, text);
            QVERIFY2(b, qPrintable(text));
            QCOMPARE(b->styleSheet(), PushButtonStyle::styleSheet());
        }
        // Buttons sit above the table, the two CSV buttons pushed to the right.
        editor.resize(800, 400);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QVERIFY(button(editor, "添加行")->geometry().bottom() < table->geometry().top());
        QVERIFY(button(editor, "删除列")->geometry().right() + 100 <
                button(editor, "导入CSV")->geometry().left());
        QVERIFY(button(editor, "添加行")->geometry().x() <
                button(editor, "导出CSV")->geometry().x());
    }

    void showsEntries_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<Cells>("cells");

        QTest::newRow("tableData with sorted columns and a missing key")
            << json("{'tableData': [{'b': 1, 'a': 'x'}, {'a': 'y', 'c': true}]}")
            << QStringList{"a", "b"} << Cells{{"x", "1"}, {"y", "{\"b\":null}"}};
        QTest::newRow("tableData numbers") << json("{'tableData': [{'n': 0.1234567}, {'n': 1e20}]}")
                                           << QStringList{"n"} << Cells{{"0.123457"}, {"1e+20"}};
        QTest::newRow("fields without loader keys")
            << json("{'name': 'CATIA', '_filePath': 'data/software/cad/catia.json', "
                    "'metadata': {'author': 'x'}}")
            << QStringList{"字段", "值"} << Cells{{"name", "CATIA"}};
        QTest::newRow("field values of other types")
            << json("{'year': 5, 'tags': ['a', 'b'], 'ok': false}") << QStringList{"字段", "值"}
            << Cells{{"ok", "{\"ok\":false}"},
                     {"tags", "{\"tags\":[\"a\",\"b\"]}"},
                     {"year", "{\"year\":5}"}};
    }

    void showsEntries()
    {
        QFETCH(QJsonObject, entry);
        QFETCH(QStringList, header);
        QFETCH(Cells, cells);
        TableEditor editor;
        editor.setData(entry);
        QCOMPARE(headerTexts(editor.table()), header);
        QCOMPARE(cellTexts(editor.table()), cells);
    }

    void entriesWithNothingToShowKeepTheTable_data()
    {
        QTest::addColumn<QJsonObject>("entry");
        QTest::newRow("empty tableData") << json("{'tableData': [], 'name': 'x'}");
        QTest::newRow("only loader keys") << json("{'_filePath': 'p', 'metadata': {}}");
    }

    void entriesWithNothingToShowKeepTheTable()
    {
        QFETCH(QJsonObject, entry);
        TableEditor editor;
        editor.setData(json("{'name': 'kept'}"));
        editor.setData(entry);
        QCOMPARE(headerTexts(editor.table()), (QStringList{"字段", "值"}));
        QCOMPARE(cellTexts(editor.table()), (Cells{{"name", "kept"}}));
    }

    void cellEditsEmitDataChanged()
    {
        TableEditor editor;
        QSignalSpy spy(&editor, &TableEditor::dataChanged);
        editor.setData(json("{'name': 'x', 'id': 'y'}"));
        QCOMPARE(spy.count(), 0);
        editor.table()->item(0, 1)->setText("z");
        QCOMPARE(spy.count(), 1);
        editor.table()->setItem(1, 1, new QTableWidgetItem("w"));
        QCOMPARE(spy.count(), 2);
    }

    void addAndRemoveRowsAndColumns()
    {
        TableEditor editor;
        QTableWidget* table = editor.table();
        QSignalSpy spy(&editor, &TableEditor::dataChanged);

        QTest::mouseClick(button(editor, "添加行"), Qt::LeftButton);
        QCOMPARE(table->rowCount(), 6);
        QCOMPARE(spy.count(), 1);

        QTest::mouseClick(button(editor, "添加列"), Qt::LeftButton);
        QCOMPARE(headerTexts(table), (QStringList{"列1", "列2", "列3", "列4", "列5", "列6"}));
        QCOMPARE(spy.count(), 2);

        // Nothing is current yet: removing does nothing and says nothing.
        table->setCurrentCell(-1, -1);
        QTest::mouseClick(button(editor, "删除行"), Qt::LeftButton);
        QTest::mouseClick(button(editor, "删除列"), Qt::LeftButton);
        QCOMPARE(table->rowCount(), 6);
        QCOMPARE(table->columnCount(), 6);
        QCOMPARE(spy.count(), 2);

        table->setItem(2, 1, new QTableWidgetItem("row 2"));
        table->setItem(3, 1, new QTableWidgetItem("row 3"));
        spy.clear();
        table->setCurrentCell(2, 1);
        QTest::mouseClick(button(editor, "删除行"), Qt::LeftButton);
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(table->item(2, 1)->text(), QStringLiteral("row 3"));
        QCOMPARE(spy.count(), 1);

        table->setCurrentCell(0, 0);
        QTest::mouseClick(button(editor, "删除列"), Qt::LeftButton);
        QCOMPARE(headerTexts(table), (QStringList{"列2", "列3", "列4", "列5", "列6"}));
        QCOMPARE(spy.count(), 2);

        // The new column is named after the count, even when that name is taken.
        QTest::mouseClick(button(editor, "添加列"), Qt::LeftButton);
        QCOMPARE(headerTexts(table).last(), QStringLiteral("列6"));
    }

    void exportWritesQuotedCsv()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("table.csv");
        TableEditor editor;
        editor.setData(json("{'tableData': [{'name': 'CATIA, V5', 'note': 'say \\\"hi\\\"'}, "
                            "{'name': '第一行\\n第二行', 'note': 'plain'}]}"));
        editor.table()->insertColumn(2);
        editor.table()->setItem(0, 2, new QTableWidgetItem(" padded "));

        QVERIFY(editor.exportToCsv(path));
        expectBox(editor, QMessageBox::Information, "成功", "数据已导出到CSV文件");
        QCOMPARE(readFile(path),
                 QStringLiteral("name,note,col2\n\"CATIA, V5\",\"say \"\"hi\"\"\",\" padded \"\n"
                                "\"第一行\n第二行\",plain,\n")
                     .toUtf8());
    }

    void exportFailureLeavesTheOldFile()
    {
        QTemporaryDir dir;
        TableEditor editor;
        QVERIFY(!editor.exportToCsv(dir.filePath("missing/dir/table.csv")));
        expectBox(editor, QMessageBox::Warning, "错误", "无法创建文件");

        // A target that cannot be replaced keeps its content.
        QVERIFY(QDir(dir.path()).mkdir("locked"));
        const QString kept = dir.filePath("locked/table.csv");
        writeFile(kept, "old,content\n");
        QVERIFY(QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(dir.filePath("locked")).isWritable())
            QSKIP("Running with rights that ignore directory permissions");
        QVERIFY(!editor.exportToCsv(kept));
        expectBox(editor, QMessageBox::Warning, "错误", "无法创建文件");
        QFile::setPermissions(dir.filePath("locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(readFile(kept), QByteArray("old,content\n"));
    }

    void csvRoundTripKeepsEveryCell()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("round.csv");
        const QStringList header = {"名称", "a,b", "\"quoted\"", "多行\n表头"};
        const Cells cells = {
            {"CATIA, V5", "他说\"你好\"", "第一行\n第二行", "x"},
            {",", "\"\"", "a\r\nb", "几何内核"},
            {"", "plain", "  spaced, kept  ", "\"lead"},
        };
        TableEditor source;
        QTableWidget* table = source.table();
        table->setColumnCount(header.size());
        table->setHorizontalHeaderLabels(header);
        table->setRowCount(cells.size());
        for (int row = 0; row < cells.size(); ++row) {
            for (int column = 0; column < header.size(); ++column)
                table->setItem(row, column, new QTableWidgetItem(cells[row][column]));
        }
        QVERIFY(source.exportToCsv(path));
        expectBox(source, QMessageBox::Information, "成功", "数据已导出到CSV文件");

        TableEditor target;
        QSignalSpy spy(&target, &TableEditor::dataChanged);
        QVERIFY(target.importFromCsv(path));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(headerTexts(target.table()), header);
        QCOMPARE(cellTexts(target.table()), cells);
    }

    void csvRoundTripKeepsTrickyCells_data()
    {
        QTest::addColumn<QStringList>("cells");

        QTest::newRow("leading and trailing blanks")
            << QStringList{" lead", "trail ", "  both  ", " ", "in side"};
        QTest::newRow("tabs") << QStringList{"\tx", "y\t", "\t", "a\tb"};
        QTest::newRow("quotes") << QStringList{"\"",     "\"\"",  "say \"hi\"",
                                               "\"lead", "end\"", " \"padded\" "};
        QTest::newRow("commas") << QStringList{",", "a,b", " a , b ", ",,"};
        QTest::newRow("line breaks")
            << QStringList{"a\nb", "a\r\nb", "\r", "\n", " \n ", "a\rb", "\r\n"};
        QTest::newRow("empty cells") << QStringList{"", "", "x", ""};
        QTest::newRow("chinese") << QStringList{" 几何内核 ", "中文,逗号", "“引号”"};
        QTest::newRow("everything in one cell") << QStringList{" \"a, b\"\r\n\t", "", "plain"};
    }

    void csvRoundTripKeepsTrickyCells()
    {
        QFETCH(QStringList, cells);
        QTemporaryDir dir;
        const QString path = dir.filePath("tricky.csv");
        QStringList header;
        for (int i = 0; i < cells.size(); ++i)
            header << QStringLiteral("c%1").arg(i);
        // The tricky cells as a row, between plain rows, and as header labels too.
        const QStringList plain = header;
        const Cells rows = {plain, cells, plain, cells};

        TableEditor source;
        QTableWidget* table = source.table();
        table->setColumnCount(cells.size());
        table->setHorizontalHeaderLabels(cells);
        table->setRowCount(rows.size());
        for (int row = 0; row < rows.size(); ++row) {
            for (int column = 0; column < cells.size(); ++column)
                table->setItem(row, column, new QTableWidgetItem(rows[row][column]));
        }
        QVERIFY(source.exportToCsv(path));
        expectBox(source, QMessageBox::Information, "成功", "数据已导出到CSV文件");

        TableEditor target;
        QVERIFY(target.importFromCsv(path));
        QCOMPARE(headerTexts(target.table()), cells);
        QCOMPARE(cellTexts(target.table()), rows);
    }

    void importSetsAllHeaderLabelsAtOnce_data()
    {
        QTest::addColumn<int>("columns");
        QTest::newRow("one column") << 1;
        QTest::newRow("three columns") << 3;
        QTest::newRow("most columns allowed") << TableEditor::kMaxColumns;
    }

    void importSetsAllHeaderLabelsAtOnce()
    {
        QFETCH(int, columns);
        QTemporaryDir dir;
        const QString path = dir.filePath("wide.csv");
        QStringList labels;
        QStringList cells;
        for (int i = 0; i < columns; ++i) {
            labels << QStringLiteral("h%1").arg(i);
            cells << QString::number(i);
        }
        writeFile(path, (labels.join(',') + '\n' + cells.join(',') + '\n').toUtf8());

        TableEditor editor;
        QSignalSpy headerSpy(editor.table()->model(), &QAbstractItemModel::headerDataChanged);
        QVERIFY(editor.importFromCsv(path));
        // One notice for the whole header: label by label, a stretching last section is
        // laid out again for every label.
        QCOMPARE(headerSpy.count(), 1);
        QCOMPARE(headerSpy.first().at(0).value<Qt::Orientation>(), Qt::Horizontal);
        QCOMPARE(headerSpy.first().at(1).toInt(), 0);
        QCOMPARE(headerSpy.first().at(2).toInt(), columns - 1);
        QCOMPARE(headerTexts(editor.table()), labels);
        QCOMPARE(cellTexts(editor.table()), Cells{cells});
        QVERIFY(editor.table()->horizontalHeader()->stretchLastSection());
    }

    void entryTableSetsAllHeaderLabelsAtOnce()
    {
        TableEditor editor;
        QSignalSpy headerSpy(editor.table()->model(), &QAbstractItemModel::headerDataChanged);
        editor.setData(json("{'tableData': [{'a': 1, 'b': 2, 'c': 3}]}"));
        QCOMPARE(headerSpy.count(), 1);
        QCOMPARE(headerSpy.first().at(2).toInt(), 2);
        QCOMPARE(headerTexts(editor.table()), (QStringList{"a", "b", "c"}));
    }

    void importRefusesTablesTooLarge_data()
    {
        QTest::addColumn<QByteArray>("bytes");

        const auto table = [](int columns, int rows) {
            QByteArrayList fields;
            for (int i = 0; i < columns; ++i)
                fields << QByteArray::number(i % 10);
            const QByteArray line = fields.join(',') + '\n';
            return line.repeated(rows + 1);
        };
        // About 0.2 MB: twenty thousand one-digit columns over five lines.
        QTest::newRow("20,000 columns") << table(20000, 4);
        QTest::newRow("20,000 columns, header only") << table(20000, 0);
        QTest::newRow("one column too many") << table(TableEditor::kMaxColumns + 1, 1);
        QTest::newRow("one row too many at the widest") << table(
            TableEditor::kMaxColumns, TableEditor::kMaxCells / TableEditor::kMaxColumns + 1);
        QTest::newRow("too many rows") << table(2, TableEditor::kMaxCells / 2 + 1);
        QTest::newRow("nothing but separators") << QByteArray(300000, ',');
        QTest::newRow("rows far longer than the header")
            << (QByteArray("a\n") + table(TableEditor::kMaxColumns + 1, 200));
    }

    void importRefusesTablesTooLarge()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath("large.csv");
        writeFile(path, bytes);

        TableEditor editor;
        editor.setData(json("{'name': 'kept'}"));
        QSignalSpy spy(&editor, &TableEditor::dataChanged);
        QVERIFY(!editor.importFromCsv(path));
        expectBox(editor, QMessageBox::Warning, "错误",
                  "表格过大，无法导入：最多允许 1000 列、200000 个单元格");
        QCOMPARE(TableEditor::tooLargeMessage(),
                 QStringLiteral("表格过大，无法导入：最多允许 1000 列、200000 个单元格"));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(headerTexts(editor.table()), (QStringList{"字段", "值"}));
        QCOMPARE(cellTexts(editor.table()), (Cells{{"name", "kept"}}));
    }

    void importAcceptsTheLargestTable()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("largest.csv");
        const int columns = TableEditor::kMaxColumns;
        const int rows = TableEditor::kMaxCells / columns;
        QByteArrayList fields(columns, QByteArray("x"));
        writeFile(path, (fields.join(',') + '\n').repeated(rows + 1));

        TableEditor editor;
        QVERIFY(editor.importFromCsv(path));
        QCOMPARE(editor.table()->columnCount(), columns);
        QCOMPARE(editor.table()->rowCount(), rows);
        QCOMPARE(editor.table()->item(rows - 1, columns - 1)->text(), QStringLiteral("x"));
    }

    void importsFilesWithoutQuotes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<Cells>("cells");

        QTest::newRow("fields trimmed, header kept as it is")
            << QByteArray("名称 , 厂商\n CATIA ,Dassault \n") << QStringList{"名称 ", " 厂商"}
            << Cells{{"CATIA", "Dassault"}};
        QTest::newRow("extra fields dropped, missing fields without item")
            << QByteArray("a,b\n1,2,3\n4\n") << QStringList{"a", "b"}
            << Cells{{"1", "2"}, {"4", kNoItem}};
        QTest::newRow("empty fields give empty cells")
            << QByteArray("a,b,c\n,,\n") << QStringList{"a", "b", "c"} << Cells{{"", "", ""}};
        QTest::newRow("header only")
            << QByteArray("x,y,z\n") << QStringList{"x", "y", "z"} << Cells{};
        QTest::newRow("windows line ends")
            << QByteArray("a,b\r\n1,2\r\n") << QStringList{"a", "b"} << Cells{{"1", "2"}};
    }

    void importsFilesWithoutQuotes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, header);
        QFETCH(Cells, cells);
        QTemporaryDir dir;
        const QString path = dir.filePath("in.csv");
        writeFile(path, bytes);

        TableEditor editor;
        // Cells the file does not fill must not keep older contents.
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 5; ++column)
                editor.table()->setItem(row, column, new QTableWidgetItem("old"));
        }
        QSignalSpy spy(&editor, &TableEditor::dataChanged);
        QVERIFY(editor.importFromCsv(path));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(headerTexts(editor.table()), header);
        QCOMPARE(cellTexts(editor.table()), cells);
    }

    void importOfEmptyFileChangesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("empty.csv");
        writeFile(path, QByteArray());
        TableEditor editor;
        QSignalSpy spy(&editor, &TableEditor::dataChanged);
        QVERIFY(!editor.importFromCsv(path));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(editor.table()->rowCount(), 5);
        QCOMPARE(headerTexts(editor.table()), (QStringList{"列1", "列2", "列3", "列4", "列5"}));
    }

    void importOfMissingFileWarns()
    {
        QTemporaryDir dir;
        TableEditor editor;
        QSignalSpy spy(&editor, &TableEditor::dataChanged);
        QVERIFY(!editor.importFromCsv(dir.filePath("nothing.csv")));
        expectBox(editor, QMessageBox::Warning, "错误", "无法打开文件");
        QCOMPARE(spy.count(), 0);
        QCOMPARE(editor.table()->rowCount(), 5);
    }
};

QTEST_MAIN(TestTableEditor)
#include "tst_tableeditor.moc"
