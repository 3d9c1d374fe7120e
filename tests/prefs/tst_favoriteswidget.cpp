#include "prefs/CategoryIcon.h"
#include "prefs/FavoritesWidget.h"
#include "prefs/UserPreferences.h"

#include "../support/ModalAnswerer.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

#include <cerrno>
#include <memory>

namespace {

QJsonObject favorite(const QString& id, const QString& name, const QString& category,
                     qint64 secondsAgo, const QString& description = QString(),
                     const QString& thumbnail = QString())
{
    return {{"id", id},
            {"name", name},
            {"category", category},
            {"filePath", "data/" + id + ".json"},
            {"addTime", QDateTime::currentDateTime().addSecs(-secondsAgo).toString(Qt::ISODate)},
            {"description", description},
            {"thumbnail", thumbnail}};
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeJson(const QString& path, const QJsonObject& root)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(root).toJson()) > 0;
}

} // namespace

class TestFavoritesWidget : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalAnswerer> m_answerer;
    std::unique_ptr<UserPreferences> m_prefs;
    std::unique_ptr<FavoritesWidget> m_widget;
    QDateTime m_eightDaysAgo;

    template <typename T> T* child(const char* name)
    {
        T* widget = m_widget->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    QTreeWidget* list() { return child<QTreeWidget>("favoritesList"); }
    QComboBox* categories() { return child<QComboBox>("categoryFilter"); }

    QStringList names()
    {
        QStringList result;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            result.append(list()->topLevelItem(i)->text(0));
        return result;
    }
    QStringList categoryTexts()
    {
        QStringList result;
        for (int i = 0; i < categories()->count(); ++i)
            result.append(categories()->itemText(i));
        return result;
    }
    QTreeWidgetItem* item(const QString& name)
    {
        const auto found = list()->findItems(name, Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.first();
    }
    void click(const QString& name)
    {
        QTreeWidgetItem* target = item(name);
        QVERIFY(target);
        list()->setCurrentItem(target);
        emit list()->itemClicked(target, 0);
    }
    QAction* action(const QString& text)
    {
        const QList<QAction*> actions = child<QMenu>("contextMenu")->actions();
        for (QAction* candidate : actions) {
            if (candidate->text() == text)
                return candidate;
        }
        qFatal("no action");
        return nullptr;
    }
    QString prefsPath() const { return m_dir->filePath("user_preferences.json"); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_eightDaysAgo = QDateTime::currentDateTime().addDays(-8);
        QJsonArray favorites{
            favorite("autocad", "AutoCAD", "cad", 61, "2D and 3D drafting"),
            favorite("fluent", "Fluent", "cfd", 3 * 3600 + 600, "Flow solver with CAD import"),
            favorite("mechanical", "ANSYS Mechanical", "cae", 6 * 86400),
            favorite("abaqus", "Abaqus", "cae", 0, QString(), "thumbs/abaqus.png"),
            favorite("altium", "Altium", "eda", 10, "PCB"),
        };
        QJsonObject abaqus = favorites.at(3).toObject();
        abaqus.insert("addTime", m_eightDaysAgo.toString(Qt::ISODate));
        favorites.replace(3, abaqus);
        QVERIFY(writeJson(prefsPath(), {{"favorites", favorites}}));

        m_answerer = std::make_unique<ModalAnswerer>();
        m_prefs = std::make_unique<UserPreferences>();
        QVERIFY(m_prefs->initialize(m_dir->path()));
        m_widget = std::make_unique<FavoritesWidget>();
        m_widget->setUserPreferences(m_prefs.get());
        m_widget->show();
    }

    void cleanup()
    {
        m_widget.reset();
        m_prefs.reset();
        QCOMPARE(m_answerer->unansweredQuestions, 0);
        m_answerer.reset();
        m_dir.reset();
    }

    void listsNewestFirstWithRelativeTimes()
    {
        QCOMPARE(names(),
                 (QStringList{"Altium", "AutoCAD", "Fluent", "ANSYS Mechanical", "Abaqus"}));
        QCOMPARE(item("Altium")->text(2), QStringLiteral("刚刚"));
        QCOMPARE(item("AutoCAD")->text(2), QStringLiteral("1分钟前"));
        QCOMPARE(item("Fluent")->text(2), QStringLiteral("3小时前"));
        QCOMPARE(item("ANSYS Mechanical")->text(2), QStringLiteral("6天前"));
        QCOMPARE(item("Abaqus")->text(2), m_eightDaysAgo.toString("yyyy-MM-dd hh:mm"));
        QCOMPARE(item("Fluent")->text(1), QStringLiteral("cfd"));
        QCOMPARE(item("Fluent")->text(3), QStringLiteral("Flow solver with CAD import"));
        QCOMPARE(item("Fluent")->data(0, Qt::UserRole).toString(), QStringLiteral("fluent"));
        QCOMPARE(item("Fluent")->data(0, Qt::UserRole + 1).toString(),
                 QStringLiteral("data/fluent.json"));
        QCOMPARE(child<QLabel>("countLabel")->text(), QStringLiteral("收藏: 5 个项目"));
        QCOMPARE(list()->headerItem()->text(2), QStringLiteral("添加时间"));
    }

    void layoutTexts()
    {
        FavoritesWidget fresh;
        QCOMPARE(fresh.findChild<QLabel*>("countLabel")->text(), QStringLiteral("收藏: 0 个项目"));
        QCOMPARE(fresh.findChild<QTextEdit*>("detailsView")->toPlainText(),
                 QStringLiteral("选择一个收藏项目查看详细信息"));

        auto* search = child<QLineEdit>("searchEdit");
        QCOMPARE(search->placeholderText(), QStringLiteral("搜索收藏的项目..."));
        QVERIFY(search->isClearButtonEnabled());
        QCOMPARE(categories()->minimumWidth(), 120);
        QCOMPARE(child<QPushButton>("exportButton")->text(), QStringLiteral("导出"));
        QCOMPARE(child<QPushButton>("exportButton")->maximumWidth(), 60);
        QCOMPARE(child<QPushButton>("importButton")->text(), QStringLiteral("导入"));
        QCOMPARE(child<QPushButton>("importButton")->maximumWidth(), 60);
        QCOMPARE(child<QPushButton>("clearButton")->text(), QStringLiteral("清空收藏"));
        QCOMPARE(child<QPushButton>("clearButton")->maximumWidth(), 80);

        QStringList headers;
        for (int i = 0; i < list()->columnCount(); ++i)
            headers.append(list()->headerItem()->text(i));
        QCOMPARE(headers, (QStringList{"名称", "分类", "添加时间", "描述"}));
        QCOMPARE(list()->columnWidth(0), 200);
        QCOMPARE(list()->columnWidth(1), 100);
        QCOMPARE(list()->columnWidth(2), 150);
        QVERIFY(!list()->rootIsDecorated());
        QVERIFY(list()->alternatingRowColors());
        QCOMPARE(list()->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(list()->contextMenuPolicy(), Qt::CustomContextMenu);
        QCOMPARE(child<QTextEdit>("detailsView")->maximumHeight(), 200);
        QVERIFY(child<QTextEdit>("detailsView")->isReadOnly());
    }

    void exportDialogAndFailure()
    {
        m_answerer->onDialog([](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(files);
            QCOMPARE(files->acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(files->nameFilters(), QStringList{"JSON files (*.json)"});
            QCOMPARE(QFileInfo(files->selectedFiles().value(0)).fileName(),
                     QStringLiteral("favorites_backup.json"));
            dialog->reject();
        });
        child<QPushButton>("exportButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 0);

        // Nothing to copy: the failure is reported, not success.
        QVERIFY(QFile::remove(prefsPath()));
        const QString target = m_dir->filePath("out.json");
        m_answerer->onDialog([target](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(files);
            files->selectFile(target);
            dialog->accept();
        });
        child<QPushButton>("exportButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 1);
        QCOMPARE(m_answerer->boxes.at(0).icon, QMessageBox::Warning);
        QCOMPARE(m_answerer->boxes.at(0).title, QStringLiteral("错误"));
        QCOMPARE(m_answerer->boxes.at(0).text, QStringLiteral("导出失败"));
        QVERIFY(!QFile::exists(target));
    }

    void importDialog()
    {
        m_answerer->onDialog([](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(files);
            QCOMPARE(files->windowTitle(), QStringLiteral("导入收藏"));
            QCOMPARE(files->acceptMode(), QFileDialog::AcceptOpen);
            QCOMPARE(files->nameFilters(), QStringList{"JSON files (*.json)"});
            dialog->reject();
        });
        child<QPushButton>("importButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 0);
        QCOMPARE(m_answerer->rejectedDialogs, 0);
    }

    void categoryBox()
    {
        QCOMPARE(categoryTexts(), (QStringList{"全部分类", "cad", "cae", "cfd", "eda"}));
        QCOMPARE(categories()->itemData(0).toString(), QString());
        categories()->setCurrentIndex(categories()->findData("cae"));
        QCOMPARE(names(), (QStringList{"ANSYS Mechanical", "Abaqus"}));
        QCOMPARE(child<QLabel>("countLabel")->text(), QStringLiteral("收藏: 2 个项目"));
        categories()->setCurrentIndex(0);
        QCOMPARE(names().size(), 5);
    }

    void textFilter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("name or description, any case") << "CAD" << QStringList{"AutoCAD", "Fluent"};
        QTest::newRow("category is not searched") << "eda" << QStringList{};
        QTest::newRow("empty") << ""
                               << QStringList{"Altium", "AutoCAD", "Fluent", "ANSYS Mechanical",
                                              "Abaqus"};
    }

    void textFilter()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        child<QLineEdit>("searchEdit")->setText(text);
        QCOMPARE(names(), expected);
        QCOMPARE(child<QLabel>("countLabel")->text(),
                 QStringLiteral("收藏: %1 个项目").arg(expected.size()));
    }

    void clickShowsDetails_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("details");
        QTest::newRow("with description")
            << "AutoCAD"
            << "名称: AutoCAD\n分类: cad\n文件路径: data/autocad.json\n"
               "添加时间: 1分钟前\n描述: 2D and 3D drafting\n";
        QTest::newRow("with thumbnail") << "Abaqus"
                                        << "名称: Abaqus\n分类: cae\n文件路径: data/abaqus.json\n"
                                           "添加时间: DATE\n缩略图: thumbs/abaqus.png\n";
    }

    void clickShowsDetails()
    {
        QFETCH(QString, name);
        QFETCH(QString, details);
        details.replace("DATE", m_eightDaysAgo.toString("yyyy-MM-dd hh:mm"));
        QCOMPARE(child<QTextEdit>("detailsView")->toPlainText(),
                 QStringLiteral("选择一个收藏项目查看详细信息"));
        QSignalSpy selected(m_widget.get(), &FavoritesWidget::favoriteItemSelected);
        click(name);
        QCOMPARE(child<QTextEdit>("detailsView")->toPlainText(), details);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.at(0).at(0).toString(),
                 "data/" + item(name)->data(0, Qt::UserRole).toString() + ".json");

        action("显示详情")->trigger();
        QCOMPARE(m_answerer->boxes.size(), 1);
        QCOMPARE(m_answerer->boxes.at(0).title, QStringLiteral("详细信息"));
        QCOMPARE(m_answerer->boxes.at(0).text, details);
    }

    void openingEmitsThePath()
    {
        QSignalSpy activated(m_widget.get(), &FavoritesWidget::favoriteItemActivated);
        emit list()->itemDoubleClicked(item("Fluent"), 0);
        click("Altium");
        action("打开")->trigger();
        QCOMPARE(activated.count(), 2);
        QCOMPARE(activated.at(0).at(0).toString(), QStringLiteral("data/fluent.json"));
        QCOMPARE(activated.at(1).at(0).toString(), QStringLiteral("data/altium.json"));

        action("复制路径")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("data/altium.json"));
    }

    void contextMenuLayout()
    {
        const QList<QAction*> actions = child<QMenu>("contextMenu")->actions();
        QCOMPARE(actions.size(), 6);
        QCOMPARE(actions.at(0)->text(), QStringLiteral("打开"));
        QCOMPARE(actions.at(1)->text(), QStringLiteral("显示详情"));
        QVERIFY(actions.at(2)->isSeparator());
        QCOMPARE(actions.at(3)->text(), QStringLiteral("从收藏中移除"));
        QVERIFY(actions.at(4)->isSeparator());
        QCOMPARE(actions.at(5)->text(), QStringLiteral("复制路径"));
    }

    void removingTheLastOfACategory()
    {
        categories()->setCurrentIndex(categories()->findData("eda"));
        click("Altium");
        m_answerer->answer(QMessageBox::No);
        action("从收藏中移除")->trigger();
        QVERIFY(m_prefs->isFavorite("altium"));
        QCOMPARE(m_answerer->boxes.at(0).title, QStringLiteral("确认删除"));
        QCOMPARE(m_answerer->boxes.at(0).text,
                 QStringLiteral("确定要从收藏中移除 \"Altium\" 吗？"));

        m_answerer->answer(QMessageBox::Yes);
        action("从收藏中移除")->trigger();
        QVERIFY(!m_prefs->isFavorite("altium"));
        QCOMPARE(m_answerer->boxes.size(), 3);
        QCOMPARE(m_answerer->boxes.at(2).title, QStringLiteral("成功"));
        QCOMPARE(m_answerer->boxes.at(2).text, QStringLiteral("已从收藏中移除"));
        QCOMPARE(categoryTexts(), (QStringList{"全部分类", "cad", "cae", "cfd"}));
        QCOMPARE(categories()->currentIndex(), 0);
        QCOMPARE(names().size(), 4);
    }

    void contextMenuActsOnTheItemUnderTheCursor()
    {
        click("AutoCAD");
        QTreeWidgetItem* altium = item("Altium");
        emit list()->customContextMenuRequested(list()->visualItemRect(altium).center());
        child<QMenu>("contextMenu")->hide();
        QCOMPARE(list()->currentItem(), altium);
        QVERIFY(child<QTextEdit>("detailsView")->toPlainText().startsWith("名称: Altium\n"));

        m_answerer->answer(QMessageBox::Yes);
        action("从收藏中移除")->trigger();
        QCOMPARE(m_answerer->boxes.at(0).text,
                 QStringLiteral("确定要从收藏中移除 \"Altium\" 吗？"));
        QVERIFY(!m_prefs->isFavorite("altium"));
        QVERIFY(m_prefs->isFavorite("autocad"));
    }

    void removeActsOnTheCurrentItem()
    {
        click("AutoCAD");
        list()->setCurrentItem(item("Fluent"));
        m_answerer->answer(QMessageBox::Yes);
        action("从收藏中移除")->trigger();
        QCOMPARE(m_answerer->boxes.at(0).text,
                 QStringLiteral("确定要从收藏中移除 \"Fluent\" 吗？"));
        QVERIFY(!m_prefs->isFavorite("fluent"));
        QVERIFY(m_prefs->isFavorite("autocad"));
    }

    void clearingAll()
    {
        m_answerer->answer(QMessageBox::Yes);
        child<QPushButton>("clearButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 2);
        QCOMPARE(m_answerer->boxes.at(0).title, QStringLiteral("确认清空"));
        QCOMPARE(m_answerer->boxes.at(0).text,
                 QStringLiteral("确定要清空所有收藏吗？此操作不可恢复。"));
        QCOMPARE(m_answerer->boxes.at(1).text, QStringLiteral("已清空所有收藏"));
        QVERIFY(m_prefs->getFavorites().isEmpty());
        QCOMPARE(list()->topLevelItemCount(), 0);
        QCOMPARE(child<QLabel>("countLabel")->text(), QStringLiteral("收藏: 0 个项目"));

        // With nothing left, no question is asked.
        child<QPushButton>("clearButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 2);
    }

    void exportWritesThePreferencesFile()
    {
        QVERIFY(m_prefs->savePreferences());
        const QString target = m_dir->filePath("favorites_out.json");
        m_answerer->onDialog([target](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(files);
            QCOMPARE(files->windowTitle(), QStringLiteral("导出收藏"));
            files->selectFile(target);
            dialog->accept();
        });
        child<QPushButton>("exportButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 1);
        QCOMPARE(m_answerer->boxes.at(0).title, QStringLiteral("成功"));
        QCOMPARE(m_answerer->boxes.at(0).text, QStringLiteral("收藏数据已导出"));
        QCOMPARE(readBytes(target), readBytes(prefsPath()));

        // Cancelling the dialog does nothing.
        child<QPushButton>("exportButton")->click();
        QCOMPARE(m_answerer->boxes.size(), 1);
    }

    void importRefreshesThePanel()
    {
        const QString source = m_dir->filePath("incoming.json");
        QVERIFY(writeJson(
            source, {{"favorites", QJsonArray{favorite("teamcenter", "Teamcenter", "plm", 120)}}}));
        const auto chooseSource = [source](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(files);
            files->selectFile(source);
            dialog->accept();
        };
        m_answerer->onDialog(chooseSource);
        m_answerer->answer(QMessageBox::No);
        child<QPushButton>("importButton")->click();
        QCOMPARE(m_answerer->boxes.at(0).title, QStringLiteral("确认导入"));
        QCOMPARE(m_answerer->boxes.at(0).text,
                 QStringLiteral("导入将覆盖当前的收藏数据，确定继续吗？"));
        QCOMPARE(names().size(), 5);

        QSignalSpy imported(m_widget.get(), &FavoritesWidget::preferencesImported);
        m_answerer->onDialog(chooseSource);
        m_answerer->answer(QMessageBox::Yes);
        child<QPushButton>("importButton")->click();
        QCOMPARE(imported.count(), 1);
        QCOMPARE(m_answerer->boxes.last().title, QStringLiteral("成功"));
        QCOMPARE(m_answerer->boxes.last().text, QStringLiteral("收藏数据已导入"));
        QCOMPARE(names(), QStringList{"Teamcenter"});
        QCOMPARE(categoryTexts(), (QStringList{"全部分类", "plm"}));
        QCOMPARE(item("Teamcenter")->text(2), QStringLiteral("2分钟前"));
    }

    void refusedImportIsReported()
    {
        const QString source = m_dir->filePath("broken.json");
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[not preferences]");
        file.close();
        m_answerer->onDialog([source](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            files->selectFile(source);
            dialog->accept();
        });
        m_answerer->answer(QMessageBox::Yes);
        QSignalSpy imported(m_widget.get(), &FavoritesWidget::preferencesImported);
        child<QPushButton>("importButton")->click();
        QCOMPARE(imported.count(), 0);
        QCOMPARE(m_answerer->boxes.last().icon, QMessageBox::Warning);
        QCOMPARE(m_answerer->boxes.last().title, QStringLiteral("错误"));
        QCOMPARE(m_answerer->boxes.last().text, QStringLiteral("导入失败"));
        QCOMPARE(names().size(), 5);
    }

    void addCurrentToFavorites()
    {
        m_widget->addCurrentToFavorites("autocad", "AutoCAD", "cad", "data/autocad.json");
        QCOMPARE(m_answerer->boxes.size(), 1);
        QCOMPARE(m_answerer->boxes.at(0).title, QStringLiteral("提示"));
        QCOMPARE(m_answerer->boxes.at(0).text, QStringLiteral("该项目已在收藏列表中"));

        m_widget->addCurrentToFavorites("nx", "NX", "cam", "data/nx.json", "Siemens");
        QCOMPARE(m_answerer->boxes.size(), 2);
        QCOMPARE(m_answerer->boxes.at(1).title, QStringLiteral("成功"));
        QCOMPARE(m_answerer->boxes.at(1).text, QStringLiteral("已添加到收藏"));
        QCOMPARE(names().first(), QStringLiteral("NX"));
        QVERIFY(categoryTexts().contains("cam"));
    }

    void failedChangesAreReported_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::newRow("add") << "add"
                             << "添加收藏失败";
        QTest::newRow("remove") << "remove"
                                << "移除失败";
        QTest::newRow("clear") << "clear"
                               << "清空收藏失败";
        QTest::newRow("import") << "import"
                                << "导入失败";
    }

    void failedChangesAreReported()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        const QString source = m_dir->filePath("incoming.json");
        QVERIFY(writeJson(source, {{"favorites", QJsonArray{favorite("nx", "NX", "cam", 5)}}}));
        // The file cannot be written any more: a directory took its place.
        QVERIFY(QFile::remove(prefsPath()));
        QVERIFY(QDir().mkdir(prefsPath()));

        int questions = 0;
        if (change == "add") {
            m_widget->addCurrentToFavorites("nx", "NX", "cam", "data/nx.json");
        } else if (change == "remove") {
            click("AutoCAD");
            m_answerer->answer(QMessageBox::Yes);
            action("从收藏中移除")->trigger();
            questions = 1;
        } else if (change == "clear") {
            m_answerer->answer(QMessageBox::Yes);
            child<QPushButton>("clearButton")->click();
            questions = 1;
        } else {
            m_answerer->onDialog([source](QDialog* dialog) {
                qobject_cast<QFileDialog*>(dialog)->selectFile(source);
                dialog->accept();
            });
            m_answerer->answer(QMessageBox::Yes);
            child<QPushButton>("importButton")->click();
            questions = 1;
        }
        QCOMPARE(m_answerer->boxes.size(), questions + 1);
        QCOMPARE(m_answerer->boxes.last().icon, QMessageBox::Warning);
        QCOMPARE(m_answerer->boxes.last().title, QStringLiteral("错误"));
        QCOMPARE(m_answerer->boxes.last().text,
                 message + "\n无法保存用户偏好文件: " + QDir::toNativeSeparators(prefsPath()) +
                     "\n原因: " + qt_error_string(EISDIR));
        // What is shown is what the file held.
        QCOMPARE(names().size(), 5);
        QCOMPARE(m_prefs->getFavorites().size(), 5);
        QVERIFY(!m_prefs->isFavorite("nx"));
    }

    void categoryIcons_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("path");
        QTest::newRow("cad") << "cad"
                             << ":/icons/cad.png";
        QTest::newRow("cae") << "cae"
                             << ":/icons/cae.png";
        QTest::newRow("cfd") << "cfd"
                             << ":/icons/cfd.png";
        QTest::newRow("cam") << "cam"
                             << ":/icons/cam.png";
        QTest::newRow("eda") << "eda"
                             << ":/icons/eda.png";
        QTest::newRow("upper case") << "CAD"
                                    << ":/icons/default.png";
        QTest::newRow("other") << "plm"
                               << ":/icons/default.png";
    }

    void categoryIcons()
    {
        QFETCH(QString, category);
        QFETCH(QString, path);
        QCOMPARE(CategoryIcon::path(category), path);
        // The program ships no such images: no icon rather than a broken one.
        QVERIFY(CategoryIcon::icon(category).isNull());
    }
};

QTEST_MAIN(TestFavoritesWidget)
#include "tst_favoriteswidget.moc"
