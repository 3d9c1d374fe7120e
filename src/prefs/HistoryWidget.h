#pragma once

#include "prefs/HistoryItem.h"
#include "prefs/SearchHistoryItem.h"

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
class QTabWidget;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;
class UserPreferences;

// The history panel: browsing history and search history on two tabs.
class HistoryWidget : public QWidget
{
    Q_OBJECT

public:
    explicit HistoryWidget(QWidget* parent = nullptr);

    void setUserPreferences(UserPreferences* preferences);
    void refreshHistory();

signals:
    void historyItemSelected(const QString& filePath);
    void historyItemActivated(const QString& filePath);
    void searchQuerySelected(const QString& query);

private slots:
    void onHistoryChanged();
    void onViewModeChanged();
    void onSearchTextChanged(const QString& text);
    void onHistoryItemClicked(QTreeWidgetItem* item);
    void onHistoryItemDoubleClicked(QTreeWidgetItem* item);
    void onSearchHistoryItemClicked(QTreeWidgetItem* item);
    void onRemoveFromHistory();
    void onClearAllHistory();
    void onContextMenuRequested(const QPoint& pos);

private:
    void selectBrowseItem(QTreeWidgetItem* item);
    void loadHistory();
    void loadSearchHistory();
    void updateHistoryList();
    void updateSearchHistoryList();
    QString historyDetails(const HistoryItem& item) const;
    QString searchDetails(const SearchHistoryItem& item) const;
    QString currentBrowsePath() const;

    QPointer<UserPreferences> m_userPreferences;
    QVBoxLayout* m_mainLayout = nullptr;
    QHBoxLayout* m_topBar = nullptr;
    QSplitter* m_splitter = nullptr;
    QComboBox* m_viewModeBox = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QPushButton* m_clearButton = nullptr;
    QLabel* m_countLabel = nullptr;
    QTabWidget* m_tabWidget = nullptr;
    QWidget* m_browseTab = nullptr;
    QTreeWidget* m_historyList = nullptr;
    QWidget* m_searchTab = nullptr;
    QTreeWidget* m_searchList = nullptr;
    QGroupBox* m_detailsGroup = nullptr;
    QTextEdit* m_detailsView = nullptr;
    QMenu* m_contextMenu = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_addToFavoritesAction = nullptr;
    QAction* m_removeAction = nullptr;
    QAction* m_copyPathAction = nullptr;
    QString m_selectedId;
    QString m_selectedQuery;
    QList<HistoryItem> m_history;
    QList<SearchHistoryItem> m_searchHistory;
};
