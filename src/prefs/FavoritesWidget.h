#pragma once

#include "prefs/FavoriteItem.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class QAction;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPoint;
class QPushButton;
class QSplitter;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;
class UserPreferences;

// The favourites panel: the user's favourites with category and text filters.
class FavoritesWidget : public QWidget
{
    Q_OBJECT

public:
    explicit FavoritesWidget(QWidget* parent = nullptr);

    void setUserPreferences(UserPreferences* preferences);
    void refreshFavorites();

public slots:
    void addCurrentToFavorites(const QString& id, const QString& name, const QString& category,
                               const QString& filePath, const QString& description);
    void addCurrentToFavorites(const QString& id, const QString& name, const QString& category,
                               const QString& filePath);

signals:
    void favoriteItemSelected(const QString& filePath);
    void favoriteItemActivated(const QString& filePath);
    // The whole preferences file was replaced, history included.
    void preferencesImported();

private slots:
    void onFavoritesChanged();
    void onCategoryFilterChanged();
    void onSearchTextChanged();
    void onFavoriteItemClicked(QTreeWidgetItem* item);
    void onFavoriteItemDoubleClicked(QTreeWidgetItem* item);
    void onRemoveFromFavorites();
    void onClearAllFavorites();
    void onExportFavorites();
    void onImportFavorites();
    void onShowFavoriteDetails();
    void onContextMenuRequested(const QPoint& pos);

private:
    void selectItem(QTreeWidgetItem* item);
    void updateCategoryFilter();
    void loadFavorites();
    void updateFavoritesList();
    QString detailsText(const FavoriteItem& item) const;
    QString currentItemPath() const;

    QPointer<UserPreferences> m_userPreferences;
    QVBoxLayout* m_mainLayout = nullptr;
    QHBoxLayout* m_topBar = nullptr;
    QSplitter* m_splitter = nullptr;
    QComboBox* m_categoryBox = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QPushButton* m_clearButton = nullptr;
    QPushButton* m_exportButton = nullptr;
    QPushButton* m_importButton = nullptr;
    QLabel* m_countLabel = nullptr;
    QTreeWidget* m_list = nullptr;
    QGroupBox* m_detailsGroup = nullptr;
    QTextEdit* m_detailsView = nullptr;
    QMenu* m_contextMenu = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_detailsAction = nullptr;
    QAction* m_removeAction = nullptr;
    QAction* m_copyPathAction = nullptr;
    QString m_selectedId;
    QList<FavoriteItem> m_favorites;
};
