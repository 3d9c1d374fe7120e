#pragma once

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QMainWindow>
#include <QString>

#include <memory>

class ComparePage;
class ContentView;
class ContentZoom;
class ThemeManager;
class DataManager;
class FavoritesWidget;
class FindBar;
class FileLoader;
class FormEditor;
class GraphWidget;
class HistoryWidget;
class LogWidget;
class MarkdownEditor;
class MouseNavigationFilter;
class NavigationHistory;
class NavigationTree;
class NewsGridWidget;
class NewsSyncService;
class NoteEditor;
class NoteManager;
class QuickSearch;
class QAction;
class QDockWidget;
class QLabel;
class QLineEdit;
class QShowEvent;
class QSplitter;
class QStackedWidget;
class QStatusBar;
class QToolBar;
class QTreeWidgetItem;
class QuickSwitcher;
class SearchDialog;
class SearchEngine;
class TableEditor;
class UserPreferences;
class ViewModeSelector;

#include "app/InterfaceLanguage.h"
#include "online/UpdateService.h"

// The one top-level window: owns every component, keeps the current entry and
// view mode, and turns the user's choices into pages.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    // Loads the knowledge base of dataPath from the start; a setDataPath with the
    // same path afterwards then sets up the rest without loading it again.
    explicit MainWindow(const QString& dataPath, QWidget* parent = nullptr);
    ~MainWindow() override;

    void setDataPath(const QString& path);

    // Brings back the last session (QSettings, per user) and keeps the session from
    // now on: it is saved when the window closes. Start-up calls it after setDataPath.
    void restoreSession();
    void saveSession() const;

    // Read-only views of the window state, for the tests and the status of the UI.
    QString dataPath() const { return m_dataPath; }
    QString currentFilePath() const { return m_currentFilePath; }
    QJsonObject currentData() const { return m_currentData; }
    int currentEditMode() const { return m_currentEditMode; }
    QJsonObject networkConfig() const { return m_networkConfig; }
    bool isNewsEnabled() const { return m_newsEnabled; }
    bool isUpdateCheckEnabled() const { return m_updateCheckEnabled; }
    ContentView* contentView() const { return m_contentView; }
    ComparePage* comparePage() const { return m_comparePage; }

    QString currentItemId() const;
    QString currentItemName() const;
    QString currentItemCategory() const;

    // "descriptionObject": an object unchanged, a string as {"zh": s}, else {}.
    static QJsonObject descriptionObject(const QJsonValue& value);
    static void copyTopicKeys(const QJsonObject& source, QJsonObject& target);

public slots:
    void onNavigationItemClicked(QTreeWidgetItem* item, int column);
    void onNavigationItemSelected(const QString& filePath);
    void onNavigationCategorySelected(const QString& category);
    void onSearchTextChanged(const QString& text);
    void onQuickSearchResults(const QJsonArray& results);
    void onDataChanged(const QString& filePath);
    void onEditModeChanged(int index);
    void onAbout();
    void refreshContent();
    void onAdvancedSearch();
    void onQuickSearch();
    void onAddToFavorites();
    void onShowFavorites();
    void onShowHistory();
    void onFavoriteItemActivated(const QString& filePath);
    void onHistoryItemActivated(const QString& filePath);
    void onUpdateCheckSucceeded(const UpdateService::UpdateInfo& info);
    void onUpdateCheckFailed(const QString& errorMessage);
    void onNewsCacheLoaded(const QJsonArray& items, const QDateTime& timestamp);
    void onNewsUpdated(const QJsonArray& items, const QDateTime& timestamp);
    void onNewsUpdateFailed(const QString& errorMessage);
    void onRefreshNews();
    void onAiPromptRequested(const QString& prompt);
    void onContentPromptRequested(const QString& prompt);
    void onNavigateBack();
    void onNavigateForward();
    void onShowHomePage();
    void onLanguageChosen(InterfaceLanguage::Language language);
    void onThemeChanged();
    // Puts a software entry on the compare page; showComparePage switches to it.
    void addToCompare(const QString& path);
    void showComparePage();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Message boxes, overridable so that tests answer them without a modal loop.
    virtual void showInformation(const QString& title, const QString& text);
    virtual void showWarning(const QString& title, const QString& text);
    virtual void showAboutBox(const QString& title, const QString& text);
    // Opens an address in the desktop's browser; false when nothing could.
    virtual bool openExternalUrl(const QUrl& url);
    void showEvent(QShowEvent* event) override;

private:
    // One warning naming the damaged notes or preferences files and their copies.
    void reportDamagedUserFiles();
    void construct();
    void setupCentralLayout();
    void setupDocks();
    void setupMenus();
    void setupToolBar();
    void setupStatusBar();
    void applyWindowSizeFromConfig();
    void showStartupBanner();
    void loadDataToEditors(const QJsonObject& data);
    void loadEntry(const QJsonObject& data);
    void recordHistory();
    void showDisciplineOverview(const QString& category);
    void showCategoryOverview(const QString& category, const QJsonObject& overview);
    // Opens a favourite's or history entry's path: an entry file or a category page.
    void openStoredPath(const QString& path);
    // Opens any page the navigation history holds.
    void openPage(const QString& path);
    void setupNavigation();
    void setupFindBar();
    void openArticle(const QString& path);
    // Renders the home page again when it is the page shown (the lists on it changed).
    void refreshHomePage();
    bool isHomePageShown() const;
    // A page of a saved session that can still be opened.
    bool canReopen(const QString& path) const;
    void loadNetworkConfiguration();
    void initializeNewsService();
    void applyNewsItems(const QJsonArray& items, const QDateTime& timestamp, bool fromNetwork);
    void showLocalNewsFallback();
    void openResourceArticles();
    QString applicationVersion() const;

    std::unique_ptr<FileLoader> m_fileLoader;
    std::unique_ptr<DataManager> m_dataManager;
    std::unique_ptr<SearchEngine> m_searchEngine;
    std::unique_ptr<QuickSearch> m_quickSearch;
    std::unique_ptr<NoteManager> m_noteManager;
    std::unique_ptr<UpdateService> m_updateService;
    std::unique_ptr<NewsSyncService> m_newsSyncService;
    QSplitter* m_mainSplitter = nullptr;
    NavigationTree* m_navigationTree = nullptr;
    ContentView* m_contentView = nullptr;
    ComparePage* m_comparePage = nullptr;
    FormEditor* m_formEditor = nullptr;
    MarkdownEditor* m_markdownEditor = nullptr;
    TableEditor* m_tableEditor = nullptr;
    GraphWidget* m_graphWidget = nullptr;
    NoteEditor* m_noteEditor = nullptr;
    NewsGridWidget* m_newsGridWidget = nullptr;
    QStackedWidget* m_editorStack = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QToolBar* m_mainToolBar = nullptr;
    QStatusBar* m_statusBar = nullptr;
    SearchDialog* m_searchDialog = nullptr;
    QLabel* m_updateStatusLabel = nullptr;
    QAction* m_refreshNewsAction = nullptr;
    bool m_newsEnabled = false;
    bool m_updateCheckEnabled = false;
    bool m_userFilesChecked = false;
    QDockWidget* m_logDock = nullptr;
    LogWidget* m_logWidget = nullptr;
    UserPreferences* m_userPreferences = nullptr;
    QDockWidget* m_favoritesDock = nullptr;
    FavoritesWidget* m_favoritesWidget = nullptr;
    QDockWidget* m_historyDock = nullptr;
    HistoryWidget* m_historyWidget = nullptr;
    QString m_currentFilePath;
    QJsonObject m_currentData;
    int m_currentEditMode = 0;
    QString m_dataPath;
    QJsonObject m_networkConfig;
    QString m_currentVersion;
    // The View menu's mode items and the tool bar's mode combo, kept in step.
    ViewModeSelector* m_viewModes = nullptr;
    // The data path DataManager::initialize last ran with.
    QString m_initializedDataPath;
    QString m_homePageDataPath; // the directory whose articles the home page last showed
    NavigationHistory* m_navigationHistory = nullptr;
    MouseNavigationFilter* m_mouseNavigation = nullptr;
    QAction* m_backAction = nullptr;
    QAction* m_forwardAction = nullptr;
    QAction* m_homeAction = nullptr;
    FindBar* m_findBar = nullptr;
    ContentZoom* m_contentZoom = nullptr;
    ThemeManager* m_themeManager = nullptr;
    QuickSwitcher* m_quickSwitcher = nullptr;
    bool m_keepsSession = false;
};
