#include "MainWindow.h"

#include "app/ApplicationIcon.h"
#include "app/FeatureSwitches.h"
#include "app/LanguageMenu.h"
#include "app/SessionState.h"
#include "app/ThemeManager.h"
#include "app/ViewModeSelector.h"
#include "data/ArticleCatalog.h"
#include "data/ArticleDocument.h"
#include "data/DataManager.h"
#include "data/DataRelativePath.h"
#include "data/EmbeddedDataAdapter.h"
#include "data/FileLoader.h"
#include "editors/FormEditor.h"
#include "editors/GraphWidget.h"
#include "editors/MarkdownConverter.h"
#include "editors/MarkdownEditor.h"
#include "editors/TableEditor.h"
#include "logging/LogWidget.h"
#include "notes/NoteEditor.h"
#include "notes/NoteManager.h"
#include "online/NetworkConfiguration.h"
#include "online/NewsGridWidget.h"
#include "online/NewsSyncService.h"
#include "online/UpdateStatusText.h"
#include "prefs/FavoritesWidget.h"
#include "prefs/HistoryWidget.h"
#include "prefs/UserPreferences.h"
#include "search/QuickSearch.h"
#include "search/QuickSwitcher.h"
#include "search/SearchDialog.h"
#include "search/SearchEngine.h"
#include "views/BilingualText.h"
#include "views/ComparePage.h"
#include "views/ContentRenderer.h"
#include "views/ContentView.h"
#include "views/ContentZoom.h"
#include "views/CustomTextBrowser.h"
#include "views/FindBar.h"
#include "views/HomePageRenderer.h"
#include "views/InternalLink.h"
#include "views/MouseNavigationFilter.h"
#include "views/NavigationHistory.h"
#include "views/NavigationPath.h"
#include "views/NavigationTree.h"
#include "views/ThemedStyleSheet.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidgetItem>
#include <QUrl>

namespace {

const char kResourceArticlesUrl[] = "http://www.velmarik.example.com/articles";
const char kFeedbackAddress[] = "feedback@velmarik.example.com";

QString modeStatusName(int mode)
{
    switch (mode) {
    case 0:
        return QObject::tr("查看模式");
    case 1:
        return QObject::tr("表单编辑");
    case 2:
        return QObject::tr("Markdown编辑");
    case 3:
        return QObject::tr("表格编辑");
    case 4:
        return QObject::tr("图谱视图");
    case 5:
        return QObject::tr("笔记编辑");
    default:
        return QString();
    }
}

QJsonObject builtInSoftwareDescription(const QString& key)
{
    static const QHash<QString, QPair<QString, QString>> texts{
        {QStringLiteral("cad"),
         {QStringLiteral("计算机辅助设计(CAD)软件，用于产品设计和工程制图。"),
          QStringLiteral("Computer-aided design (CAD) software for product design and "
                         "engineering drawings.")}},
        {QStringLiteral("cae"),
         {QStringLiteral("计算机辅助工程(CAE)软件，用于工程仿真和分析。"),
          QStringLiteral("Computer-aided engineering (CAE) software for engineering simulation "
                         "and analysis.")}},
        {QStringLiteral("cam"),
         {QStringLiteral("计算机辅助制造(CAM)软件，用于数控加工和制造。"),
          QStringLiteral("Computer-aided manufacturing (CAM) software for CNC machining and "
                         "manufacturing.")}},
        {QStringLiteral("cfd"),
         {QStringLiteral("计算流体动力学(CFD)软件，用于流体仿真和分析。"),
          QStringLiteral("Computational fluid dynamics (CFD) software for flow simulation and "
                         "analysis.")}},
        {QStringLiteral("eda"),
         {QStringLiteral("电子设计自动化(EDA)软件，用于电子电路设计。"),
          QStringLiteral("Electronic design automation (EDA) software for electronic circuit "
                         "design.")}},
        {QStringLiteral("plm"),
         {QStringLiteral("产品生命周期管理(PLM)软件，管理产品全生命周期。"),
          QStringLiteral("Product lifecycle management (PLM) software that manages a product's "
                         "whole life cycle.")}}};
    const auto it = texts.constFind(key);
    if (it == texts.cend())
        return {};
    return QJsonObject{{QStringLiteral("zh"), it->first}, {QStringLiteral("en"), it->second}};
}

QJsonObject builtInDisciplineDescription(const QString& id)
{
    static const QHash<QString, QPair<QString, QString>> texts{
        {QStringLiteral("structural"),
         {QStringLiteral(
              "研究工程结构在各种载荷作用下的应力、应变、变形和破坏规律。包括静力学分析、"
              "动力学分析、屈曲分析、疲劳分析和断裂力学等。"),
          QStringLiteral("Study of stress, strain, deformation and failure of engineering "
                         "structures under various loads.")}},
        {QStringLiteral("thermal"),
         {QStringLiteral(
              "研究热量传递规律和温度场分布的学科。包括热传导、对流换热、辐射换热和相变传热等。"),
          QStringLiteral(
              "Study of heat transfer mechanisms and temperature field distributions.")}},
        {QStringLiteral("fluid"),
         {QStringLiteral(
              "研究流体运动规律和流体与固体相互作用的学科。包括层流、湍流、可压缩流和多相流等。"),
          QStringLiteral("Study of fluid motion and fluid-structure interactions.")}},
        {QStringLiteral("electromagnetic"),
         {QStringLiteral(
              "研究电场、磁场及其相互作用的学科。包括静电场、静磁场、涡流和电磁波传播等。"),
          QStringLiteral("Study of electric and magnetic fields and their interactions.")}},
        {QStringLiteral("multiphysics"),
         {QStringLiteral(
              "研究多个物理场耦合作用的学科。包括流固耦合、热力耦合、电磁热耦合等多场耦合分析。"),
          QStringLiteral("Study of coupled multi-physics phenomena and interactions.")}}};
    const auto it = texts.constFind(id);
    if (it == texts.cend())
        return {};
    return QJsonObject{{QStringLiteral("zh"), it->first}, {QStringLiteral("en"), it->second}};
}

// After the first paint: the window comes first.
constexpr int kWarmUpDelayMs = 300;

} // namespace

MainWindow::MainWindow(QWidget* parent) : MainWindow(QString(), parent) {}

MainWindow::MainWindow(const QString& dataPath, QWidget* parent)
    : QMainWindow(parent), m_fileLoader(std::make_unique<FileLoader>()),
      m_dataManager(std::make_unique<DataManager>()),
      m_searchEngine(std::make_unique<SearchEngine>()),
      m_quickSearch(std::make_unique<QuickSearch>(m_searchEngine.get())),
      m_noteManager(std::make_unique<NoteManager>()), m_newsEnabled(FeatureSwitches::newsEnabled()),
      m_updateCheckEnabled(FeatureSwitches::updateCheckEnabled())
{
    m_userPreferences = new UserPreferences(this);
    if (m_updateCheckEnabled)
        m_updateService = std::make_unique<UpdateService>();
    if (m_newsEnabled)
        m_newsSyncService = std::make_unique<NewsSyncService>();
    if (!dataPath.isEmpty())
        m_dataManager->setDataPath(dataPath);
    construct();
}

void MainWindow::construct()
{
    setupCentralLayout();
    setupNavigation();
    setupFindBar();
    setupMenus();
    setupToolBar();
    setupStatusBar();

    if (m_logWidget)
        QTimer::singleShot(100, this, &MainWindow::showStartupBanner);

    m_dataManager->initialize();
    m_initializedDataPath = m_dataManager->dataPath();
    m_navigationTree->setDataManager(m_dataManager.get());

    applyWindowSizeFromConfig();
    m_statusBar->showMessage(tr("数据加载完成"), 3000);

    m_currentVersion = QCoreApplication::applicationVersion();
    if (m_currentVersion.isEmpty())
        m_currentVersion = QStringLiteral("1.2.0");

    if (m_updateCheckEnabled && m_updateService) {
        connect(m_updateService.get(), &UpdateService::updateCheckSucceeded, this,
                &MainWindow::onUpdateCheckSucceeded);
        connect(m_updateService.get(), &UpdateService::updateCheckFailed, this,
                &MainWindow::onUpdateCheckFailed);
    }
    if (m_newsSyncService) {
        connect(m_newsSyncService.get(), &NewsSyncService::newsCacheLoaded, this,
                &MainWindow::onNewsCacheLoaded);
        connect(m_newsSyncService.get(), &NewsSyncService::newsUpdated, this,
                &MainWindow::onNewsUpdated);
        connect(m_newsSyncService.get(), &NewsSyncService::newsUpdateFailed, this,
                &MainWindow::onNewsUpdateFailed);
        connect(m_newsSyncService.get(), &NewsSyncService::refreshStateChanged, this,
                [this](bool inProgress) {
                    if (m_refreshNewsAction)
                        m_refreshNewsAction->setEnabled(!inProgress);
                    if (m_newsGridWidget)
                        m_newsGridWidget->setRefreshing(inProgress);
                });
    }

    connect(m_dataManager.get(), &DataManager::dataChanged, this, &MainWindow::onDataChanged);

    onShowHomePage();
}

MainWindow::~MainWindow()
{
    delete m_userPreferences;
    m_userPreferences = nullptr;
    m_newsSyncService.reset();
    m_updateService.reset();
    m_noteManager.reset();
    m_quickSearch.reset();
    m_searchEngine.reset();
    // Widgets may still point at the data manager until Qt deletes them.
    if (m_navigationTree)
        m_navigationTree->setDataManager(nullptr);
    if (m_searchDialog)
        m_searchDialog->setDataManager(nullptr);
    m_dataManager.reset();
    m_fileLoader.reset();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_userFilesChecked)
        return;
    m_userFilesChecked = true;
    // Once the window is up: start-up log lines alone reach no one.
    QMetaObject::invokeMethod(this, &MainWindow::reportDamagedUserFiles, Qt::QueuedConnection);
    // The entries the first search needs, read while the user looks at the window.
    QTimer::singleShot(kWarmUpDelayMs, m_dataManager.get(), &DataManager::warmUp);
}

void MainWindow::reportDamagedUserFiles()
{
    QList<KeptUserFile> files;
    if (m_noteManager)
        files += m_noteManager->keptFiles();
    if (m_userPreferences)
        files += m_userPreferences->keptFiles();
    const QString text = CorruptFileKeeper::describe(files);
    if (!text.isEmpty())
        showWarning(tr("警告"), text);
}

void MainWindow::setupCentralLayout()
{
    setWindowTitle(QStringLiteral("Quorvanta"));
    const QIcon icon = ApplicationIcon::icon();
    setWindowIcon(icon);
    QApplication::setWindowIcon(icon);
    resize(1400, 900);

    m_mainSplitter = new QSplitter(Qt::Horizontal, this);
    m_navigationTree = new NavigationTree(this);
    m_navigationTree->setMinimumWidth(350);
    m_navigationTree->setNewsEnabled(m_newsEnabled);
    connect(m_navigationTree, &NavigationTree::itemSelected, this,
            &MainWindow::onNavigationItemSelected);
    connect(m_navigationTree, &NavigationTree::categorySelected, this,
            &MainWindow::onNavigationCategorySelected);
    connect(m_navigationTree, &NavigationTree::aiPromptRequested, this,
            &MainWindow::onAiPromptRequested);
    connect(m_navigationTree, &NavigationTree::compareRequested, this, &MainWindow::addToCompare);

    m_editorStack = new QStackedWidget(this);
    m_contentView = new ContentView(this);
    connect(m_contentView, &ContentView::aiPromptRequested, this,
            &MainWindow::onContentPromptRequested);
    m_contentView->setDataManager(m_dataManager.get());
    connect(m_contentView, &ContentView::compareRequested, this, &MainWindow::addToCompare);
    auto showStatus = [this](const QString& text) {
        if (m_statusBar)
            m_statusBar->showMessage(text, 4000);
    };
    connect(m_contentView, &ContentView::statusMessage, this, showStatus);
    // A window of its own: the table wants the width, and the view stack keeps its pages.
    m_comparePage = new ComparePage(this);
    m_comparePage->setWindowFlag(Qt::Window);
    m_comparePage->resize(1100, 700);
    m_comparePage->setLinkResolver(m_contentView->linkResolver());
    connect(m_comparePage, &ComparePage::entryLinkActivated, this, [this](const QString& path) {
        openPage(path);
        raise();
        activateWindow();
    });
    connect(m_comparePage, &ComparePage::statusMessage, this, showStatus);
    m_formEditor = new FormEditor(this);
    m_markdownEditor = new MarkdownEditor(this);
    m_tableEditor = new TableEditor(this);
    m_graphWidget = new GraphWidget(this);
    m_noteEditor = new NoteEditor(this);
    if (m_newsEnabled) {
        m_newsGridWidget = new NewsGridWidget(this);
        connect(m_newsGridWidget, &NewsGridWidget::filterChanged, this,
                [this](const QString& category, const QString& tag, const QString&) {
                    if (m_newsSyncService)
                        m_newsSyncService->refresh(category, tag);
                });
    }
    m_noteEditor->setNoteManager(m_noteManager.get());

    m_editorStack->addWidget(m_contentView);
    m_editorStack->addWidget(m_formEditor);
    m_editorStack->addWidget(m_markdownEditor);
    m_editorStack->addWidget(m_tableEditor);
    m_editorStack->addWidget(m_graphWidget);
    m_editorStack->addWidget(m_noteEditor);
    if (m_newsGridWidget)
        m_editorStack->addWidget(m_newsGridWidget);

    m_mainSplitter->addWidget(m_navigationTree);
    m_mainSplitter->addWidget(m_editorStack);
    m_mainSplitter->setStretchFactor(0, 2);
    m_mainSplitter->setStretchFactor(1, 3);
    setCentralWidget(m_mainSplitter);

    m_logWidget = new LogWidget(this);
    m_logDock = new QDockWidget(tr("日志输出"), this);
    m_logDock->setObjectName(QStringLiteral("logDock"));
    m_logDock->setWidget(m_logWidget);
    m_logDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    addDockWidget(Qt::BottomDockWidgetArea, m_logDock);
    m_logDock->setMinimumHeight(150);
    m_logDock->setMaximumHeight(400);

    setupDocks();
}

void MainWindow::setupDocks()
{
    if (m_userPreferences && !m_dataPath.isEmpty())
        m_userPreferences->initializeForUser(m_dataPath);

    m_favoritesWidget = new FavoritesWidget(this);
    m_favoritesWidget->setUserPreferences(m_userPreferences);
    m_favoritesDock = new QDockWidget(tr("收藏"), this);
    m_favoritesDock->setObjectName(QStringLiteral("favoritesDock"));
    m_favoritesDock->setWidget(m_favoritesWidget);
    m_favoritesDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    addDockWidget(Qt::RightDockWidgetArea, m_favoritesDock);

    m_historyWidget = new HistoryWidget(this);
    m_historyWidget->setUserPreferences(m_userPreferences);
    m_historyDock = new QDockWidget(tr("历史记录"), this);
    m_historyDock->setObjectName(QStringLiteral("historyDock"));
    m_historyDock->setWidget(m_historyWidget);
    m_historyDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    addDockWidget(Qt::RightDockWidgetArea, m_historyDock);

    for (QDockWidget* dock : {m_favoritesDock, m_historyDock}) {
        dock->setMinimumWidth(300);
        dock->hide();
    }

    connect(m_favoritesWidget, &FavoritesWidget::favoriteItemActivated, this,
            &MainWindow::onFavoriteItemActivated);
    connect(m_historyWidget, &HistoryWidget::historyItemActivated, this,
            &MainWindow::onHistoryItemActivated);
    // An import replaces the history too, and the store reloads without a signal.
    connect(m_favoritesWidget, &FavoritesWidget::preferencesImported, m_historyWidget,
            &HistoryWidget::refreshHistory);
}

void MainWindow::setupMenus()
{
    m_themeManager = new ThemeManager(this);
    connect(m_themeManager, &ThemeManager::themeChanged, this, &MainWindow::onThemeChanged);
    QMenu* fileMenu = menuBar()->addMenu(tr("文件(&F)"));
    QAction* quit = fileMenu->addAction(tr("退出(&X)"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu* editMenu = menuBar()->addMenu(tr("编辑(&E)"));
    QAction* find = editMenu->addAction(tr("搜索(&F)"));
    // Ctrl+F finds in the page; the quick search keeps a key of its own.
    find->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
    connect(find, &QAction::triggered, this, &MainWindow::onQuickSearch);
    QAction* advanced = editMenu->addAction(tr("高级搜索(&A)"));
    advanced->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+F")));
    connect(advanced, &QAction::triggered, this, &MainWindow::onAdvancedSearch);
    editMenu->addAction(m_findBar->findAction());
    editMenu->addAction(m_findBar->findNextAction());
    editMenu->addAction(m_findBar->findPreviousAction());
    editMenu->addSeparator();
    QAction* addFavorite = editMenu->addAction(tr("添加到收藏(&F)"));
    addFavorite->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
    connect(addFavorite, &QAction::triggered, this, &MainWindow::onAddToFavorites);
    QAction* showFavorites = editMenu->addAction(tr("显示收藏夹(&V)"));
    showFavorites->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+D")));
    connect(showFavorites, &QAction::triggered, this, &MainWindow::onShowFavorites);
    QAction* showHistory = editMenu->addAction(tr("显示历史记录(&H)"));
    showHistory->setShortcut(QKeySequence(QStringLiteral("Ctrl+H")));
    connect(showHistory, &QAction::triggered, this, &MainWindow::onShowHistory);

    QMenu* viewMenu = menuBar()->addMenu(tr("视图(&V)"));
    const QStringList modes{tr("查看模式"), tr("表单编辑"), tr("Markdown编辑"), tr("表格编辑"),
                            tr("图谱视图")};
    m_viewModes = new ViewModeSelector(this);
    m_viewModes->addMenuActions(viewMenu, modes);
    connect(m_viewModes, &ViewModeSelector::modeRequested, this, &MainWindow::onEditModeChanged);
    viewMenu->addSeparator();
    QAction* showLog = viewMenu->addAction(tr("显示日志窗口"));
    showLog->setObjectName(QStringLiteral("showLogAction"));
    showLog->setCheckable(true);
    showLog->setChecked(m_logDock && !m_logDock->isHidden());
    if (m_logDock) {
        // Bound to the dock, not to the window: ~QWidget hides the dock after ~MainWindow.
        QDockWidget* dock = m_logDock;
        connect(showLog, &QAction::toggled, dock, [dock](bool checked) {
            dock->setVisible(checked);
            if (checked)
                dock->raise();
        });
        connect(dock, &QDockWidget::visibilityChanged, showLog, &QAction::setChecked);
    }
    viewMenu->addSeparator();
    viewMenu->addAction(m_contentZoom->zoomInAction());
    viewMenu->addAction(m_contentZoom->zoomOutAction());
    viewMenu->addAction(m_contentZoom->resetAction());

    QMenu* goMenu = menuBar()->addMenu(tr("转到(&G)"));
    goMenu->addAction(m_backAction);
    goMenu->addAction(m_forwardAction);
    goMenu->addAction(m_homeAction);
    goMenu->addSeparator();
    goMenu->addAction(m_quickSwitcher->openAction());

    viewMenu->addSeparator();
    QMenu* themeMenu = viewMenu->addMenu(tr("主题(&T)"));
    themeMenu->addActions(m_themeManager->actions());
    auto* languageMenu = new LanguageMenu(this);
    languageMenu->addTo(viewMenu);
    connect(languageMenu, &LanguageMenu::languageChosen, this, &MainWindow::onLanguageChosen);
    viewMenu->addSeparator();
    QAction* compare = viewMenu->addAction(tr("对比(&C)"));
    compare->setObjectName(QStringLiteral("showCompareAction"));
    compare->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    connect(compare, &QAction::triggered, this, &MainWindow::showComparePage);

    QMenu* helpMenu = menuBar()->addMenu(tr("帮助(&H)"));
    QAction* articles = helpMenu->addAction(tr("资源文章(&R)"));
    connect(articles, &QAction::triggered, this, &MainWindow::openResourceArticles);
    helpMenu->addSeparator();
    QAction* about = helpMenu->addAction(tr("关于(&A)"));
    connect(about, &QAction::triggered, this, &MainWindow::onAbout);
}

void MainWindow::setupToolBar()
{
    m_mainToolBar = addToolBar(tr("主工具栏"));
    m_mainToolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_mainToolBar->addAction(m_backAction);
    m_mainToolBar->addAction(m_forwardAction);
    m_mainToolBar->addAction(m_homeAction);
    m_mainToolBar->addSeparator();
    m_mainToolBar->addWidget(new QLabel(tr("搜索: "), this));

    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("quickSearchEdit"));
    m_searchEdit->setPlaceholderText(tr("输入关键词搜索..."));
    m_searchEdit->setMaximumWidth(300);
    connect(m_searchEdit, &QLineEdit::textChanged, this, &MainWindow::onSearchTextChanged);
    connect(m_quickSearch.get(), &QuickSearch::resultsReady, this,
            &MainWindow::onQuickSearchResults);
    // Once every entry is read, the first keystroke should not wait for their texts.
    connect(m_dataManager.get(), &DataManager::warmUpFinished, m_quickSearch.get(),
            [this] { m_quickSearch->prepareAhead(m_dataManager.get()); });
    connect(m_searchEdit, &QLineEdit::returnPressed, this, &MainWindow::onQuickSearch);
    m_mainToolBar->addWidget(m_searchEdit);

    QAction* advanced = m_mainToolBar->addAction(QIcon(), tr("高级搜索"));
    connect(advanced, &QAction::triggered, this, &MainWindow::onAdvancedSearch);

    if (m_newsEnabled) {
        m_mainToolBar->addSeparator();
        m_refreshNewsAction = m_mainToolBar->addAction(QIcon(), tr("刷新资讯"));
        m_refreshNewsAction->setShortcut(QKeySequence(Qt::Key_F5));
        connect(m_refreshNewsAction, &QAction::triggered, this, &MainWindow::onRefreshNews);
        m_refreshNewsAction->setEnabled(m_newsSyncService != nullptr);
        m_mainToolBar->addSeparator();
    }

    QAction* favorite = m_mainToolBar->addAction(QIcon(), tr("一键收藏"));
    connect(favorite, &QAction::triggered, this, &MainWindow::onAddToFavorites);
    QAction* favorites = m_mainToolBar->addAction(QIcon(), tr("收藏夹"));
    connect(favorites, &QAction::triggered, this, &MainWindow::onShowFavorites);
    QAction* history = m_mainToolBar->addAction(QIcon(), tr("历史记录"));
    connect(history, &QAction::triggered, this, &MainWindow::onShowHistory);

    m_mainToolBar->addSeparator();
    QAction* articles = m_mainToolBar->addAction(QIcon(), tr("资源文章"));
    connect(articles, &QAction::triggered, this, &MainWindow::openResourceArticles);

    m_mainToolBar->addSeparator();
    m_mainToolBar->addWidget(new QLabel(tr("编辑模式: "), this));
    QComboBox* modeCombo = m_viewModes->createComboBox(
        {tr("查看"), tr("表单"), QStringLiteral("Markdown"), tr("表格"), tr("图谱"), tr("笔记")},
        this);
    modeCombo->setObjectName(QStringLiteral("editModeCombo"));
    m_mainToolBar->addWidget(modeCombo);
}

void MainWindow::setupStatusBar()
{
    m_statusBar = statusBar();
    m_statusBar->showMessage(tr("就绪"));
    if (!m_updateStatusLabel) {
        m_updateStatusLabel =
            new QLabel(UpdateStatusText::initialLabelText(QCoreApplication::applicationVersion(),
                                                          m_updateCheckEnabled),
                       this);
        m_updateStatusLabel->setObjectName(QStringLiteral("updateStatusLabel"));
        m_updateStatusLabel->setContentsMargins(12, 0, 12, 0);
    }
    m_statusBar->addPermanentWidget(m_updateStatusLabel, 0);
}

void MainWindow::setupNavigation()
{
    m_navigationHistory = new NavigationHistory(this);
    m_backAction = new QAction(QIcon(), tr("后退"), this);
    m_backAction->setObjectName(QStringLiteral("backAction"));
    m_backAction->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Left), QKeySequence(Qt::Key_Back)});
    m_backAction->setToolTip(tr("后退 (Alt+Left)"));
    m_forwardAction = new QAction(QIcon(), tr("前进"), this);
    m_forwardAction->setObjectName(QStringLiteral("forwardAction"));
    m_forwardAction->setShortcuts(
        {QKeySequence(Qt::ALT | Qt::Key_Right), QKeySequence(Qt::Key_Forward)});
    m_forwardAction->setToolTip(tr("前进 (Alt+Right)"));
    m_homeAction = new QAction(QIcon(), tr("首页"), this);
    m_homeAction->setObjectName(QStringLiteral("homeAction"));
    m_homeAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    m_homeAction->setToolTip(tr("首页 (Alt+Home)"));
    connect(m_homeAction, &QAction::triggered, this, &MainWindow::onShowHomePage);
    connect(m_backAction, &QAction::triggered, this, &MainWindow::onNavigateBack);
    connect(m_forwardAction, &QAction::triggered, this, &MainWindow::onNavigateForward);

    const auto follow = [this] {
        m_backAction->setEnabled(m_navigationHistory->canGoBack());
        m_forwardAction->setEnabled(m_navigationHistory->canGoForward());
        m_navigationTree->showPath(m_navigationHistory->current());
    };
    connect(m_navigationHistory, &NavigationHistory::changed, this, follow);
    m_backAction->setEnabled(false);
    m_forwardAction->setEnabled(false);

    m_mouseNavigation = new MouseNavigationFilter(this);
    m_mouseNavigation->watch(this);
    m_mouseNavigation->watch(m_contentView->textBrowser()->viewport());
    m_mouseNavigation->watch(m_navigationTree->viewport());
    connect(m_mouseNavigation, &MouseNavigationFilter::backRequested, this,
            &MainWindow::onNavigateBack);
    connect(m_mouseNavigation, &MouseNavigationFilter::forwardRequested, this,
            &MainWindow::onNavigateForward);

    m_quickSwitcher = new QuickSwitcher(this);
    connect(m_quickSwitcher, &QuickSwitcher::aboutToOpen, this, [this] {
        if (!m_quickSwitcher->model()->isBuilt())
            m_quickSwitcher->model()->rebuild(m_dataManager.get(), m_searchEngine.get(),
                                              m_dataPath);
    });
    connect(m_quickSwitcher, &QuickSwitcher::pageRequested, this, &MainWindow::openPage);
    connect(m_dataManager.get(), &DataManager::dataChanged, m_quickSwitcher->model(),
            &QuickSwitcherModel::invalidate);

    connect(m_contentView, &ContentView::internalLinkActivated, this, &MainWindow::openPage);
    if (m_userPreferences) {
        connect(m_userPreferences, &UserPreferences::favoritesChanged, this,
                &MainWindow::refreshHomePage);
        connect(m_userPreferences, &UserPreferences::historyChanged, this,
                &MainWindow::refreshHomePage);
    }
}

void MainWindow::setupFindBar()
{
    m_findBar = new FindBar(m_contentView->textBrowser());
    m_contentZoom = new ContentZoom(m_contentView->textBrowser(), this);
    connect(m_contentZoom, &ContentZoom::zoomChanged, this,
            [this](int percent) { m_statusBar->showMessage(tr("缩放: %1%").arg(percent), 2000); });
}

void MainWindow::onNavigateBack()
{
    const QString path = m_navigationHistory->back();
    if (!path.isEmpty())
        openPage(path);
}

void MainWindow::onNavigateForward()
{
    const QString path = m_navigationHistory->forward();
    if (!path.isEmpty())
        openPage(path);
}

void MainWindow::onShowHomePage()
{
    m_navigationHistory->visit(InternalLink::homePath());
    // The home page is no entry: nothing is current, so nothing is saved as a favourite.
    m_currentFilePath.clear();
    m_currentData = QJsonObject();
    if (m_currentEditMode != 0)
        onEditModeChanged(0);
    m_editorStack->setCurrentWidget(m_contentView);
    // Before setDataPath() the articles are those of the directory the lists come from.
    m_homePageDataPath = m_dataPath.isEmpty() ? m_dataManager->dataPath() : m_dataPath;
    m_contentView->displayHtml(HomePageRenderer::title(),
                               HomePageRenderer::render(m_dataManager.get(), m_userPreferences,
                                                        ArticleCatalog::list(m_homePageDataPath)));
}

bool MainWindow::isHomePageShown() const
{
    return m_navigationHistory->current() == InternalLink::homePath() &&
           m_currentFilePath.isEmpty() && m_editorStack->currentWidget() == m_contentView;
}

void MainWindow::refreshHomePage()
{
    if (isHomePageShown())
        onShowHomePage();
}

void MainWindow::openPage(const QString& path)
{
    if (path == InternalLink::homePath())
        onShowHomePage();
    else if (path.endsWith(QLatin1String(".md"), Qt::CaseInsensitive))
        openArticle(path);
    else
        openStoredPath(path);
}

void MainWindow::openArticle(const QString& path)
{
    const QJsonObject article = ArticleDocument::load(path);
    if (article.value(QLatin1String("content")).toString().isEmpty()) {
        m_statusBar->showMessage(tr("无法打开文章: %1").arg(path), 3000);
        return;
    }
    m_navigationHistory->visit(path);
    m_currentFilePath = path;
    m_currentData = article;
    loadDataToEditors(m_currentData);
    recordHistory();
}

void MainWindow::applyWindowSizeFromConfig()
{
    QFile file(m_dataPath + QStringLiteral("config/ui_config.json"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject config = QJsonDocument::fromJson(file.readAll()).object();
    if (!config.contains(QLatin1String("windowSize")))
        return;
    const QJsonObject size = config.value(QLatin1String("windowSize")).toObject();
    resize(size.value(QLatin1String("width")).toInt(1400),
           size.value(QLatin1String("height")).toInt(900));
}

void MainWindow::showStartupBanner()
{
    if (!m_logWidget)
        return;
    m_logWidget->installMessageHandler();
    m_logWidget->logSuccess(tr("Quorvanta启动成功"));
    m_logWidget->logInfo(tr("系统版本: %1").arg(applicationVersion()));
}

QString MainWindow::applicationVersion() const
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("1.2.0") : version;
}

void MainWindow::setDataPath(const QString& path)
{
    m_dataPath = path;
    if (!m_dataPath.endsWith(QLatin1Char('/')))
        m_dataPath += QLatin1Char('/');

    m_dataManager->setDataPath(m_dataPath);
    if (m_quickSwitcher)
        m_quickSwitcher->model()->invalidate();
    if (m_contentView)
        m_contentView->setDataDirectory(m_dataPath);
    // The constructor initialised the data manager with the working directory's
    // "data/"; without a reload the real directory's lists would stay empty.
    if (m_dataPath != m_initializedDataPath) {
        m_dataManager->clearListCache();
        m_dataManager->initialize();
        m_initializedDataPath = m_dataPath;
        if (m_navigationTree)
            m_navigationTree->setDataManager(m_dataManager.get());
    }
    if (m_userPreferences) {
        m_userPreferences->initializeForUser(m_dataPath);
        // The first data directory may have brought an older version's lists.
        if (m_favoritesWidget)
            m_favoritesWidget->refreshFavorites();
        if (m_historyWidget)
            m_historyWidget->refreshHistory();
    }

    loadNetworkConfiguration();
    if (m_newsEnabled)
        initializeNewsService();
    if (m_updateCheckEnabled && m_updateService) {
        if (m_currentVersion.isEmpty())
            m_currentVersion = QCoreApplication::applicationVersion();
        m_updateService->checkForUpdates(m_currentVersion);
    }
    // Another directory, other counts and articles; the same one was rendered already.
    if (m_dataPath != m_homePageDataPath)
        refreshHomePage();
}

void MainWindow::onLanguageChosen(InterfaceLanguage::Language language)
{
    // Every widget took its texts when it was built; rebuilding them all here would
    // lose what the editors hold. The next start shows the chosen language.
    if (language == InterfaceLanguage::active())
        return;
    showInformation(tr("语言"), tr("界面语言将在下次启动 Quorvanta 时切换。"));
}

void MainWindow::restoreSession()
{
    QSettings settings;
    const SessionState state = SessionState::load(settings);
    m_keepsSession = true;
    if (!state.geometry.isEmpty())
        restoreGeometry(state.geometry);
    if (!state.windowState.isEmpty())
        restoreState(state.windowState);
    if (!state.splitterState.isEmpty())
        m_mainSplitter->restoreState(state.splitterState);
    m_contentZoom->setPercent(state.zoomPercent);
    // The view mode belongs to the page it showed; without a page the home page stays.
    if (!canReopen(state.lastPage))
        return;
    if (state.viewMode != m_currentEditMode)
        onEditModeChanged(state.viewMode);
    openPage(state.lastPage);
}

void MainWindow::saveSession() const
{
    SessionState state;
    state.geometry = saveGeometry();
    state.windowState = saveState();
    state.splitterState = m_mainSplitter->saveState();
    state.viewMode = m_currentEditMode;
    state.zoomPercent = m_contentZoom->percent();
    state.lastPage = m_navigationHistory->current();
    QSettings settings;
    state.save(settings);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_keepsSession)
        saveSession();
    QMainWindow::closeEvent(event);
}

bool MainWindow::canReopen(const QString& path) const
{
    if (path.isEmpty() || path == InternalLink::homePath())
        return false;
    if (NavigationPath::isCategoryPath(path))
        return true;
    if (path.endsWith(QLatin1String(".md"), Qt::CaseInsensitive))
        return !ArticleCatalog::readText(path).isEmpty();
    if (!NavigationPath::isEntryPath(path))
        return false;
    return QFileInfo::exists(path) || EmbeddedDataAdapter::instance().hasEmbeddedResource(path);
}

void MainWindow::onEditModeChanged(int index)
{
    qDebug().noquote() << "MainWindow: 切换编辑模式到:" << index;
    m_currentEditMode = index;
    m_editorStack->setCurrentIndex(index);
    if (m_viewModes)
        m_viewModes->setMode(index);
    if (index == 5 && m_currentData.isEmpty()) {
        qDebug().noquote() << "MainWindow: 切换到笔记模式，刷新笔记列表";
        if (m_noteEditor && m_noteManager)
            m_noteEditor->loadNotesForContent(QString());
    } else if (!m_currentData.isEmpty()) {
        loadDataToEditors(m_currentData);
    }
    m_statusBar->showMessage(tr("切换到%1").arg(modeStatusName(index)), 2000);
}

void MainWindow::loadDataToEditors(const QJsonObject& data)
{
    if (m_editorStack->currentIndex() != m_currentEditMode)
        m_editorStack->setCurrentIndex(m_currentEditMode);

    switch (m_currentEditMode) {
    case 0:
        // Overviews are shown without becoming the current entry: no path of their own.
        m_contentView->displayData(data, data == m_currentData ? m_currentFilePath : QString());
        break;
    case 1:
        m_formEditor->setData(data);
        break;
    case 2:
        m_markdownEditor->setData(data);
        break;
    case 3:
        m_tableEditor->setData(data);
        break;
    case 4:
        m_graphWidget->setData(data);
        break;
    case 5: {
        if (!m_noteEditor)
            break;
        if (data.contains(QLatin1String("content")))
            m_noteEditor->setContent(data.value(QLatin1String("content")).toString());
        else
            m_noteEditor->setContent(
                QString::fromUtf8(QJsonDocument(data).toJson(QJsonDocument::Indented)));
        // Tied to the entry's place in the knowledge base, not to this install's folder.
        const QString contentId = m_currentFilePath.isEmpty()
                                      ? data.value(QLatin1String("name")).toString()
                                      : DataRelativePath::portable(m_currentFilePath, m_dataPath);
        m_noteEditor->loadNotesForContent(contentId);
        break;
    }
    default:
        break;
    }
}

void MainWindow::loadEntry(const QJsonObject& data)
{
    m_currentData = data;
    loadDataToEditors(m_currentData);
    recordHistory();
}

void MainWindow::onNavigationItemSelected(const QString& filePath)
{
    m_navigationHistory->visit(filePath);
    m_currentFilePath = filePath;
    if (ArticleDocument::isArticlePath(filePath)) {
        loadEntry(ArticleDocument::load(filePath));
        return;
    }
    if (!NavigationPath::isImagePath(filePath)) {
        loadEntry(m_dataManager->loadJsonFile(filePath));
        return;
    }

    for (const QJsonValue& value : m_dataManager->getPicturesList()) {
        const QJsonObject picture = value.toObject();
        if (picture.value(QLatin1String("_filePath")).toString() == filePath) {
            loadEntry(picture);
            qDebug().noquote() << "Loaded image data for:" << filePath;
            return;
        }
    }
    qDebug().noquote() << "Image data not found for:" << filePath;
    const QFileInfo info(filePath);
    QJsonObject image;
    image.insert(QStringLiteral("name"), info.baseName());
    image.insert(QStringLiteral("fileName"), info.fileName());
    image.insert(QStringLiteral("_filePath"), filePath);
    image.insert(QStringLiteral("type"), QStringLiteral("image"));
    image.insert(QStringLiteral("extension"), info.suffix().toLower());
    image.insert(QStringLiteral("description"),
                 QJsonObject{{QStringLiteral("zh"), tr("图片文件: %1").arg(info.fileName())}});
    loadEntry(image);
}

void MainWindow::onNavigationItemClicked(QTreeWidgetItem* item, int column)
{
    Q_UNUSED(column);
    if (!item)
        return;
    const QString path = item->data(0, Qt::UserRole).toString();
    if (path.isEmpty())
        return;
    m_currentFilePath = path;
    loadEntry(m_dataManager->loadJsonFile(path));
}

void MainWindow::onFavoriteItemActivated(const QString& filePath)
{
    openStoredPath(filePath);
}

void MainWindow::onHistoryItemActivated(const QString& filePath)
{
    openStoredPath(filePath);
}

void MainWindow::openStoredPath(const QString& path)
{
    if (path.isEmpty())
        return;
    // A favourited overview page is stored under its category path, which is no file.
    // An entry path may come from another install or an earlier data directory.
    if (NavigationPath::isCategoryPath(path))
        onNavigationCategorySelected(path);
    else
        onNavigationItemSelected(DataRelativePath::resolve(path, m_dataPath));
}

void MainWindow::addToCompare(const QString& path)
{
    if (path.isEmpty() || !m_comparePage)
        return;
    m_comparePage->addEntry(path, m_dataManager->loadJsonFile(path));
}

void MainWindow::showComparePage()
{
    if (!m_comparePage)
        return;
    m_comparePage->show();
    m_comparePage->raise();
    m_comparePage->activateWindow();
}

void MainWindow::onDataChanged(const QString& filePath)
{
    if (!filePath.isEmpty() && filePath == m_currentFilePath)
        loadEntry(m_dataManager->loadJsonFile(filePath));
    m_statusBar->showMessage(tr("文件已更新: %1").arg(filePath), 3000);
}

void MainWindow::onThemeChanged()
{
    // The page's colours were chosen when it was rendered.
    if (m_currentEditMode != 0)
        return;
    if (isHomePageShown())
        refreshHomePage();
    else if (!m_currentData.isEmpty())
        loadDataToEditors(m_currentData);
}

void MainWindow::refreshContent()
{
    if (NavigationPath::isCategoryPath(m_currentFilePath))
        onNavigationCategorySelected(m_currentFilePath);
    else if (!m_currentFilePath.isEmpty())
        loadEntry(m_dataManager->loadJsonFile(m_currentFilePath));
}

void MainWindow::recordHistory()
{
    if (!m_userPreferences || m_currentData.isEmpty() || m_currentFilePath.isEmpty())
        return;
    const QString name = currentItemName();
    if (name.isEmpty())
        return;
    m_userPreferences->addToHistory(currentItemId(), name, currentItemCategory(), m_currentFilePath,
                                    QString());
}

QString MainWindow::currentItemCategory() const
{
    if (m_currentData.isEmpty())
        return QStringLiteral("unknown");
    const QString category = m_currentData.value(QLatin1String("category")).toString();
    if (!category.isEmpty())
        return category;
    if (m_currentData.value(QLatin1String("type")).toString() == QLatin1String("image"))
        return QStringLiteral("pictures");

    const QString& path = m_currentFilePath;
    if (path.contains(QLatin1String("/software/"))) {
        for (const char* key : {"cad", "cae", "cfd", "cam", "eda"}) {
            if (path.contains(QStringLiteral("/%1/").arg(QLatin1String(key))))
                return QLatin1String(key);
        }
        return QStringLiteral("software");
    }
    for (const char* key : {"companies", "technologies", "disciplines", "pictures"}) {
        if (path.contains(QStringLiteral("/%1/").arg(QLatin1String(key))))
            return QLatin1String(key);
    }
    return QStringLiteral("unknown");
}

QString MainWindow::currentItemId() const
{
    if (m_currentData.isEmpty())
        return m_currentFilePath;
    const QString id = m_currentData.value(QLatin1String("id")).toString();
    if (!id.isEmpty())
        return id;
    QString composed = QStringLiteral("%1_%2").arg(
        currentItemCategory(), m_currentData.value(QLatin1String("name")).toString());
    composed.replace(QLatin1Char(' '), QLatin1Char('_'));
    return composed;
}

QString MainWindow::currentItemName() const
{
    const QString name = m_currentData.value(QLatin1String("name")).toString();
    if (!name.isEmpty())
        return name;
    if (m_currentData.value(QLatin1String("type")).toString() == QLatin1String("image"))
        return m_currentData.value(QLatin1String("fileName")).toString();
    return QFileInfo(m_currentFilePath).baseName();
}

void MainWindow::onAddToFavorites()
{
    if (!m_userPreferences || m_currentData.isEmpty()) {
        showInformation(tr("提示"), tr("请先选择要收藏的项目"));
        return;
    }
    const QString id = currentItemId();
    const QString name = currentItemName();
    const QString category = currentItemCategory();
    const QString description = m_currentData.value(QLatin1String("description"))
                                    .toObject()
                                    .value(QLatin1String("zh"))
                                    .toString();
    if (name.isEmpty()) {
        showWarning(tr("错误"), tr("无法获取项目信息"));
        return;
    }
    if (m_userPreferences->isFavorite(id)) {
        showInformation(tr("提示"), tr("该项目已在收藏列表中"));
        return;
    }
    if (m_userPreferences->addFavorite(id, name, category, m_currentFilePath, description)) {
        showInformation(tr("成功"), tr("已将 \"%1\" 添加到收藏").arg(name));
        m_statusBar->showMessage(tr("已添加到收藏: %1").arg(name), 3000);
    } else {
        showWarning(tr("错误"), m_userPreferences->describeFailure(tr("添加收藏失败")));
    }
}

void MainWindow::onShowFavorites()
{
    if (!m_favoritesDock)
        return;
    m_favoritesDock->show();
    m_favoritesDock->raise();
    m_favoritesWidget->refreshFavorites();
}

void MainWindow::onShowHistory()
{
    if (!m_historyDock)
        return;
    m_historyDock->show();
    m_historyDock->raise();
    m_historyWidget->refreshHistory();
}

void MainWindow::onSearchTextChanged(const QString& text)
{
    if (text.trimmed().isEmpty()) {
        // Blanks match everything: treat them as no query and drop the last result.
        m_quickSearch->cancel();
        m_navigationTree->clearSelection();
        m_navigationTree->highlightSearchResults(QJsonArray());
        m_statusBar->clearMessage();
        return;
    }
    // Answered before this returns unless the query is long enough to freeze the window.
    m_quickSearch->search(text, m_dataManager.get());
}

void MainWindow::onQuickSearchResults(const QJsonArray& results)
{
    m_navigationTree->highlightSearchResults(results);
    m_statusBar->showMessage(tr("找到 %n 个结果", nullptr, int(results.size())));
}

void MainWindow::onQuickSearch()
{
    if (!m_searchEdit->text().trimmed().isEmpty())
        onAdvancedSearch();
}

void MainWindow::onAdvancedSearch()
{
    if (!m_searchDialog) {
        m_searchDialog = new SearchDialog(this);
        m_searchDialog->setDataManager(m_dataManager.get());
        m_searchDialog->setSearchPath(m_dataPath);
    }
    m_searchDialog->showAndSearch(m_searchEdit->text().trimmed());
}

void MainWindow::onAiPromptRequested(const QString& prompt)
{
    if (m_logWidget)
        m_logWidget->logInfo(tr("AI提示词：\n%1").arg(prompt));
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(prompt);
    m_statusBar->showMessage(tr("已生成AI提示词，已复制到剪贴板"), 4000);
}

void MainWindow::onContentPromptRequested(const QString& prompt)
{
    onAiPromptRequested(prompt);
}

QJsonObject MainWindow::descriptionObject(const QJsonValue& value)
{
    if (value.isObject())
        return value.toObject();
    if (value.isString())
        return QJsonObject{{QStringLiteral("zh"), value.toString()}};
    return {};
}

void MainWindow::copyTopicKeys(const QJsonObject& source, QJsonObject& target)
{
    for (const char* key :
         {"topics", "analysisFocus", "keyMethods", "recommendedSoftware", "useCases"}) {
        const QString name = QLatin1String(key);
        if (source.contains(name))
            target.insert(name, source.value(name));
    }
}

void MainWindow::onNavigationCategorySelected(const QString& category)
{
    qDebug().noquote() << "onNavigationCategorySelected called with category:" << category;
    const QString overviewType = QStringLiteral("category_overview");

    if (category == QLatin1String("news")) {
        if (m_newsEnabled) {
            if (m_newsGridWidget && m_editorStack) {
                m_editorStack->setCurrentWidget(m_newsGridWidget);
                showLocalNewsFallback();
                if (m_dataManager)
                    m_newsGridWidget->setNewsItems(m_dataManager->getNewsItems(),
                                                   m_dataManager->getNewsTimestamp());
            }
            if (m_dataManager)
                m_statusBar->showMessage(tr("已切换到最新资讯"), 3000);
        } else {
            m_statusBar->showMessage(tr("在线资讯功能暂未启用"), 3000);
        }
        return;
    }

    if (category.startsWith(QLatin1String("software/"))) {
        const QString key = category.mid(9);
        qDebug().noquote() << "Software category selected:" << key;
        const int count = static_cast<int>(m_dataManager->getSoftwareList(key).size());
        QJsonObject overview;
        overview.insert(QStringLiteral("name"), tr("软件分类 - %1").arg(key.toUpper()));
        overview.insert(QStringLiteral("type"), overviewType);
        overview.insert(QStringLiteral("category"), category);
        overview.insert(QStringLiteral("itemCount"), count);
        overview.insert(QStringLiteral("description"), builtInSoftwareDescription(key));
        showCategoryOverview(category, overview);
        m_statusBar->showMessage(
            tr("已选择分类: %1 (包含 %2 个软件)").arg(key.toUpper()).arg(count), 3000);
        return;
    }

    if (category.startsWith(QLatin1String("technologies/"))) {
        const QString key = category.mid(13);
        qDebug().noquote() << "Loading technology type:" << key;
        QJsonObject overview;
        overview.insert(QStringLiteral("type"), overviewType);
        overview.insert(QStringLiteral("category"), category);
        const QJsonObject config = m_dataManager->getCategories()
                                       .value(QLatin1String("technologyCategories"))
                                       .toObject()
                                       .value(key)
                                       .toObject();
        if (!config.isEmpty()) {
            const QString name = config.value(QLatin1String("name")).toString();
            overview.insert(QStringLiteral("name"),
                            name.isEmpty() ? tr("核心技术 - %1").arg(key) : name);
            if (config.contains(QLatin1String("description")))
                overview.insert(QStringLiteral("description"),
                                config.value(QLatin1String("description")));
            for (const char* topic :
                 {"highlights", "focusAreas", "keyPlayers", "useCases", "references", "types"}) {
                const QString name = QLatin1String(topic);
                if (config.contains(name))
                    overview.insert(name, config.value(name));
            }
        } else {
            overview.insert(QStringLiteral("name"), tr("核心技术 - %1").arg(key.toUpper()));
        }
        const QJsonArray list = m_dataManager->getTechnologiesList(key);
        qDebug().noquote() << "Found" << list.size() << "technology items";
        QJsonArray items;
        for (const QJsonValue& value : list) {
            if (value.isObject())
                items.append(value);
        }
        overview.insert(QStringLiteral("items"), items);
        overview.insert(QStringLiteral("itemCount"), static_cast<int>(items.size()));
        showCategoryOverview(category, overview);
        const QString name = overview.value(QLatin1String("name")).toString();
        m_statusBar->showMessage(tr("已加载类别: %1").arg(name.isEmpty() ? key : name), 3000);
        return;
    }

    if (category.startsWith(QLatin1String("disciplines/"))) {
        showDisciplineOverview(category);
        return;
    }

    if (category == QLatin1String("companies")) {
        qDebug().noquote() << "Companies category selected";
        const QJsonArray companies = m_dataManager->getCompaniesList();
        QJsonObject overview;
        overview.insert(QStringLiteral("name"), tr("公司企业"));
        overview.insert(QStringLiteral("type"), overviewType);
        overview.insert(QStringLiteral("category"), category);
        overview.insert(QStringLiteral("itemCount"), static_cast<int>(companies.size()));
        overview.insert(QStringLiteral("items"), companies);
        overview.insert(
            QStringLiteral("description"),
            QJsonObject{{QStringLiteral("zh"),
                         QStringLiteral("全球主要工业软件公司和解决方案提供商。包括CAD、CAE、CAM、"
                                        "PLM、EDA等领域的领导企业。")},
                        {QStringLiteral("en"),
                         QStringLiteral("Major industrial software companies and solution "
                                        "providers worldwide.")}});
        showCategoryOverview(category, overview);
        m_statusBar->showMessage(tr("已选择分类: 公司企业 (包含 %1 家公司)").arg(companies.size()),
                                 3000);
        return;
    }

    if (category == QLatin1String("pictures")) {
        qDebug().noquote() << "Pictures category selected";
        const QJsonArray pictures = m_dataManager->getPicturesList();
        QJsonObject overview;
        overview.insert(QStringLiteral("name"), tr("图片资源"));
        overview.insert(QStringLiteral("type"), overviewType);
        overview.insert(QStringLiteral("category"), category);
        overview.insert(QStringLiteral("itemCount"), static_cast<int>(pictures.size()));
        overview.insert(QStringLiteral("items"), pictures);
        overview.insert(
            QStringLiteral("description"),
            QJsonObject{
                {QStringLiteral("zh"),
                 QStringLiteral("工业软件相关的知识图谱、架构图、流程图等图片资源。涵盖CAD、CAE、"
                                "CAM、CFD、EDA等各领域的技术图谱。")},
                {QStringLiteral("en"),
                 QStringLiteral("Knowledge graphs, architecture diagrams, flowcharts and other "
                                "image resources related to industrial software.")}});
        showCategoryOverview(category, overview);
        m_statusBar->showMessage(tr("已选择分类: 图片资源 (包含 %1 张图片)").arg(pictures.size()),
                                 3000);
        return;
    }
}

void MainWindow::showCategoryOverview(const QString& category, const QJsonObject& overview)
{
    // The page shown is the current entry, so that favourites and mode switches act on it.
    // Overviews are no entries and stay out of the browsing history; back and forward
    // reach them all the same.
    m_navigationHistory->visit(category);
    m_currentFilePath = category;
    m_currentData = overview;
    loadDataToEditors(m_currentData);
}

void MainWindow::showDisciplineOverview(const QString& category)
{
    const QString rel = category.mid(12);
    if (rel.isEmpty()) {
        m_statusBar->showMessage(tr("请选择具体学科领域"), 3000);
        return;
    }
    qDebug().noquote() << "Discipline category selected:" << rel;
    const QStringList parts = rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty()) {
        m_statusBar->showMessage(tr("未找到对应学科配置"), 3000);
        return;
    }
    const QString parentId = parts.at(0);
    const QString subId = parts.size() > 1 ? parts.at(1) : QString();

    QJsonObject overview;
    overview.insert(QStringLiteral("type"), QStringLiteral("category_overview"));
    overview.insert(QStringLiteral("category"), category);
    overview.insert(QStringLiteral("parentDisciplineId"), parentId);
    if (!subId.isEmpty())
        overview.insert(QStringLiteral("subDisciplineId"), subId);

    QJsonObject parent;
    QJsonObject sub;
    bool subFound = false;
    const QJsonObject categories = m_dataManager->getCategories();
    if (categories.contains(QLatin1String("disciplineCategories"))) {
        parent = categories.value(QLatin1String("disciplineCategories"))
                     .toObject()
                     .value(parentId)
                     .toObject();
        overview.insert(QStringLiteral("parentDisciplineName"),
                        parent.value(QLatin1String("name")));
        if (!subId.isEmpty()) {
            for (const QJsonValue& value :
                 parent.value(QLatin1String("subDisciplines")).toArray()) {
                const QJsonObject candidate = value.toObject();
                if (candidate.value(QLatin1String("id")).toString() == subId) {
                    sub = candidate;
                    subFound = true;
                    break;
                }
            }
        }
    }

    copyTopicKeys(parent, overview);
    if (subFound)
        copyTopicKeys(sub, overview);
    // A discipline's page leads on to its sub-disciplines, as the tree does.
    if (subId.isEmpty()) {
        QJsonArray subPages;
        for (const QJsonValue& value : parent.value(QLatin1String("subDisciplines")).toArray()) {
            const QJsonObject candidate = value.toObject();
            const QString id = candidate.value(QLatin1String("id")).toString();
            if (id.isEmpty())
                continue;
            const QString subName = candidate.value(QLatin1String("name")).toString();
            subPages.append(QJsonObject{
                {QStringLiteral("name"), subName.isEmpty() ? id : subName},
                {QStringLiteral("path"), QStringLiteral("disciplines/%1/%2").arg(parentId, id)}});
        }
        if (!subPages.isEmpty())
            overview.insert(QStringLiteral("subDisciplinePages"), subPages);
    }

    QString name = sub.value(QLatin1String("name")).toString();
    if (name.isEmpty())
        name = parent.value(QLatin1String("name")).toString();
    if (name.isEmpty())
        name = tr("学科领域 - %1").arg(rel);
    overview.insert(QStringLiteral("name"), name);

    QJsonObject description = descriptionObject(sub.value(QLatin1String("description")));
    if (description.isEmpty())
        description = descriptionObject(parent.value(QLatin1String("description")));
    if (description.isEmpty())
        description = builtInDisciplineDescription(parentId);
    if (description.isEmpty())
        description = QJsonObject{{QStringLiteral("zh"), tr("学科领域：%1").arg(rel)}};
    overview.insert(QStringLiteral("description"), description);

    QString dataPath = subFound ? sub.value(QLatin1String("dataPath")).toString() : QString();
    if (dataPath.isEmpty())
        dataPath = rel;
    if (dataPath.isEmpty())
        dataPath = parentId;
    overview.insert(QStringLiteral("dataPath"), dataPath);

    const QString folder = QStringLiteral("disciplines/") + dataPath;
    bool folderExists = false;
    const QStringList jsonFiles =
        m_dataManager->folderFiles(folder, QStringLiteral(".json"), &folderExists);
    if (!folderExists) {
        overview.insert(QStringLiteral("itemCount"), 0);
    } else {
        QJsonArray items;
        for (const QString& path : jsonFiles) {
            const QFileInfo info(path);
            QJsonObject item = m_dataManager->loadJsonFile(path);
            if (item.isEmpty())
                continue;
            item.insert(QStringLiteral("_filePath"), path);
            if (item.value(QLatin1String("name")).toString().isEmpty()) {
                const QString title = item.value(QLatin1String("title")).toString();
                item.insert(QStringLiteral("name"),
                            title.isEmpty() ? info.completeBaseName() : title);
            }
            if (!item.contains(QLatin1String("summary"))) {
                const QJsonValue desc = item.value(QLatin1String("description"));
                QString summary;
                if (desc.isString()) {
                    summary = desc.toString();
                } else if (desc.isObject()) {
                    summary = BilingualText::either(desc.toObject(), InterfaceLanguage::active());
                }
                if (summary.isEmpty())
                    summary = item.value(QLatin1String("title")).toString();
                if (!summary.isEmpty())
                    item.insert(QStringLiteral("summary"), summary);
            }
            items.append(item);
        }
        for (const QString& path : m_dataManager->folderFiles(folder, QStringLiteral(".md"))) {
            const QFileInfo info(path);
            const QString base = info.baseName();
            items.append(
                QJsonObject{{QStringLiteral("name"), base},
                            {QStringLiteral("type"), QStringLiteral("markdown")},
                            {QStringLiteral("fileName"), info.fileName()},
                            {QStringLiteral("_filePath"), path},
                            {QStringLiteral("summary"), tr("Markdown 笔记：%1").arg(base)}});
        }
        overview.insert(QStringLiteral("items"), items);
        overview.insert(QStringLiteral("itemCount"), static_cast<int>(items.size()));
    }

    showCategoryOverview(category, overview);
    m_statusBar->showMessage(tr("已选择学科领域: %1").arg(name), 3000);
}

void MainWindow::loadNetworkConfiguration()
{
    m_networkConfig = NetworkConfiguration::load(m_dataPath, m_networkConfig);
    if (m_updateCheckEnabled && m_updateService)
        NetworkConfiguration::applyUpdateSettings(m_networkConfig, *m_updateService);
}

void MainWindow::initializeNewsService()
{
    if (!m_newsEnabled || !m_newsSyncService)
        return;
    if (!NetworkConfiguration::applyNewsSettings(m_networkConfig, *m_newsSyncService)) {
        if (m_refreshNewsAction)
            m_refreshNewsAction->setEnabled(false);
        return;
    }
    m_newsSyncService->setCachePath(NetworkConfiguration::newsCacheFilePath(m_dataPath));
    m_newsSyncService->start();
    // start() may already have begun a refresh; keep the action off until it ends.
    if (m_refreshNewsAction)
        m_refreshNewsAction->setEnabled(!m_newsSyncService->isInProgress());
}

void MainWindow::onUpdateCheckSucceeded(const UpdateService::UpdateInfo& info)
{
    if (!m_updateCheckEnabled)
        return;
    const UpdateStatusText::Presentation presentation = UpdateStatusText::forResult(info);
    if (m_updateStatusLabel) {
        m_updateStatusLabel->setText(presentation.labelText);
        ThemedStyleSheet::apply(m_updateStatusLabel, presentation.styleSheet);
        m_updateStatusLabel->setToolTip(presentation.toolTip);
    }
    if (m_logWidget)
        m_logWidget->logInfo(presentation.logMessage);
}

void MainWindow::onUpdateCheckFailed(const QString& errorMessage)
{
    if (!m_updateCheckEnabled)
        return;
    if (m_updateStatusLabel)
        m_updateStatusLabel->setToolTip(errorMessage);
    if (m_logWidget)
        m_logWidget->logWarning(UpdateStatusText::failureLogMessage(errorMessage));
    else
        qWarning().noquote() << "Update check failed:" << errorMessage;
}

void MainWindow::applyNewsItems(const QJsonArray& items, const QDateTime& timestamp,
                                bool fromNetwork)
{
    if (!m_newsEnabled)
        return;
    if (m_dataManager)
        m_dataManager->setNewsItems(items, timestamp);
    if (m_newsGridWidget)
        m_newsGridWidget->setNewsItems(items, timestamp);
    const QString text = fromNetwork ? tr("资讯更新完成（%1 条）") : tr("已加载缓存资讯（%1 条）");
    m_statusBar->showMessage(text.arg(items.size()), 4000);
}

void MainWindow::onNewsCacheLoaded(const QJsonArray& items, const QDateTime& timestamp)
{
    if (!m_newsEnabled)
        return;
    applyNewsItems(items, timestamp, false);
    if (m_logWidget)
        m_logWidget->logInfo(tr("已加载本地缓存资讯，共 %1 条").arg(items.size()));
}

void MainWindow::onNewsUpdated(const QJsonArray& items, const QDateTime& timestamp)
{
    if (!m_newsEnabled)
        return;
    applyNewsItems(items, timestamp, true);
    if (m_logWidget)
        m_logWidget->logSuccess(tr("最新资讯已同步，共 %1 条").arg(items.size()));
}

void MainWindow::onNewsUpdateFailed(const QString& errorMessage)
{
    if (!m_newsEnabled)
        return;
    if (m_newsGridWidget)
        m_newsGridWidget->setStatusText(tr("刷新资讯失败：%1").arg(errorMessage), true);
    if (m_logWidget)
        m_logWidget->logWarning(tr("刷新资讯失败: %1").arg(errorMessage));
    else
        qWarning().noquote() << "News update failed:" << errorMessage;
}

void MainWindow::onRefreshNews()
{
    if (!m_newsEnabled || !m_newsSyncService)
        return;
    const QString category = m_newsGridWidget ? m_newsGridWidget->currentCategory() : QString();
    const QString tag = m_newsGridWidget ? m_newsGridWidget->currentTag() : QString();
    m_newsSyncService->refresh(category, tag);
}

void MainWindow::showLocalNewsFallback()
{
    if (!m_newsEnabled || !m_dataManager)
        return;
    if (!m_dataManager->getNewsItems().isEmpty())
        return;
    const QJsonArray items = m_dataManager->loadLocalNewsFallback();
    if (items.isEmpty())
        return;
    m_dataManager->setNewsItems(items, QDateTime::currentDateTime());
    if (m_newsGridWidget)
        m_newsGridWidget->setStatusText(tr("显示本地示例资讯（离线数据）"), false);
    if (m_logWidget)
        m_logWidget->logInfo(tr("加载本地示例资讯 %1 条").arg(items.size()));
}

void MainWindow::onAbout()
{
    const QString text = tr("Quorvanta v%1\n\n用于管理和展示工业软件相关知识的专业工具\n"
                            "支持CAD/CAE/CFD/EDA等领域的软件信息管理\n\n反馈邮件: %2")
                             .arg(applicationVersion(), QLatin1String(kFeedbackAddress));
    showAboutBox(tr("关于"), text);
}

void MainWindow::openResourceArticles()
{
    const QUrl url(QString::fromLatin1(kResourceArticlesUrl));
    qDebug().noquote() << "Attempting to open URL:" << url.toString();
    if (openExternalUrl(url))
        qDebug().noquote() << "Successfully opened URL with QDesktopServices";
}

bool MainWindow::openExternalUrl(const QUrl& url)
{
    if (QDesktopServices::openUrl(url))
        return true;
    qWarning().noquote() << "QDesktopServices failed, trying alternative methods";
#ifdef Q_OS_WIN
    QProcess::startDetached(QStringLiteral("cmd.exe"),
                            {QStringLiteral("/c"), QStringLiteral("start"), url.toString()});
#else
    QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString()});
#endif
    return false;
}

void MainWindow::showInformation(const QString& title, const QString& text)
{
    QMessageBox::information(this, title, text, QMessageBox::Ok);
}

void MainWindow::showWarning(const QString& title, const QString& text)
{
    QMessageBox::warning(this, title, text, QMessageBox::Ok);
}

void MainWindow::showAboutBox(const QString& title, const QString& text)
{
    QMessageBox::about(this, title, text);
}
