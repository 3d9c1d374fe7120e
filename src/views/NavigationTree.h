#pragma once

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTreeWidget>

#include "data/DataManager.h"
class QMenu;

// Left pane of the main window: fixed sections filled from the categories
// configuration and the data manager's entry lists. Every item carries its
// path under Qt::UserRole.
class NavigationTree : public QTreeWidget
{
    Q_OBJECT

public:
    explicit NavigationTree(QWidget* parent = nullptr);

    void setDataManager(DataManager* dataManager);
    DataManager* dataManager() const;
    void setNewsEnabled(bool enabled) { m_newsEnabled = enabled; }
    bool isNewsEnabled() const { return m_newsEnabled; }

    void highlightSearchResults(const QJsonArray& results);
    QList<QTreeWidgetItem*> highlightedItems() const { return m_highlightedItems; }
    // The entry item created for a _filePath, or null.
    QTreeWidgetItem* itemForPath(const QString& filePath) const
    {
        return m_itemMap.value(filePath);
    }
    // Makes the item of a path (entry or category node) the current one and scrolls to
    // it, without opening it again; with no such item nothing is current. False then.
    bool showPath(const QString& path);

    // The context menu for an item (null: empty area); the caller owns it.
    QMenu* createContextMenu(QTreeWidgetItem* item);

    static QString itemPath(const QTreeWidgetItem* item);
    static QString entryLabel(const QJsonObject& entry);
    static bool isFilePath(const QString& path);
    static QString aiPromptText(const QString& subject);

signals:
    void itemSelected(const QString& filePath);
    void categorySelected(const QString& category);
    void aiPromptRequested(const QString& promptText);
    // "加入对比" on a software entry.
    void compareRequested(const QString& filePath);

public slots:
    void onItemClicked(QTreeWidgetItem* item, int column);
    void onItemDoubleClicked(QTreeWidgetItem* item, int column);
    void onItemExpanded(QTreeWidgetItem* item);
    void onRefresh();
    void onAddNew();
    void onDelete();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Return opens the current item; a key that moves the current item opens the new one.
    void keyPressEvent(QKeyEvent* event) override;

    // Message boxes, overridable so that nothing modal blocks a test.
    virtual bool confirmDelete(const QString& label);
    virtual void showInformation(const QString& title, const QString& text);
    virtual void showWarning(const QString& title, const QString& text);

private:
    void loadCategories();
    void clearTree();
    QTreeWidgetItem* addSection(const QString& label, const QString& path);
    QTreeWidgetItem* addChild(QTreeWidgetItem* parent, const QString& label, const QString& path);
    // summaries: entries cut to their labels, whose tool tips are read when first shown.
    void addEntryItems(QTreeWidgetItem* parent, const QJsonArray& entries, bool summaries = false);
    static QString entryToolTip(const QTreeWidgetItem* item);
    void loadTechnologyItems(QTreeWidgetItem* item);
    void loadPictureItems(QTreeWidgetItem* item);
    void loadDisciplineItems(QTreeWidgetItem* item);
    void forgetItem(QTreeWidgetItem* item);

    QPointer<DataManager> m_dataManager;
    QHash<QString, QTreeWidgetItem*> m_itemMap;
    QList<QTreeWidgetItem*> m_highlightedItems;
    bool m_newsEnabled = true;
};
