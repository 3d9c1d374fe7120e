#include "HistoryWidget.h"

#include "prefs/CategoryIcon.h"
#include "prefs/RelativeTime.h"
#include "prefs/UserPreferences.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kListLimit = 100;
constexpr int kLookupLimit = 50;

QIcon iconIfPresent(const QString& path)
{
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QTreeWidget* makeList(QWidget* parent, const QStringList& headers, const QList<int>& widths)
{
    auto* list = new QTreeWidget(parent);
    list->setHeaderLabels(headers);
    for (int column = 0; column < widths.size(); ++column)
        list->setColumnWidth(column, widths.at(column));
    list->setRootIsDecorated(false);
    list->setAlternatingRowColors(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setStretchLastSection(true);
    return list;
}

} // namespace

HistoryWidget::HistoryWidget(QWidget* parent) : QWidget(parent)
{
    m_mainLayout = new QVBoxLayout(this);
    m_mainLayout->setContentsMargins(6, 6, 6, 6);
    m_mainLayout->setSpacing(6);

    m_topBar = new QHBoxLayout;
    m_viewModeBox = new QComboBox(this);
    m_viewModeBox->setObjectName(QStringLiteral("viewModeBox"));
    m_viewModeBox->setMinimumWidth(100);
    m_viewModeBox->addItem(tr("最近访问"), QStringLiteral("recent"));
    m_viewModeBox->addItem(tr("访问次数"), QStringLiteral("frequent"));
    m_viewModeBox->addItem(tr("按分类"), QStringLiteral("category"));
    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("searchEdit"));
    m_searchEdit->setPlaceholderText(tr("搜索历史记录..."));
    m_searchEdit->setClearButtonEnabled(true);
    m_countLabel = new QLabel(tr("历史记录: %1 个项目").arg(0), this);
    m_countLabel->setObjectName(QStringLiteral("countLabel"));
    m_clearButton = new QPushButton(tr("清空历史"), this);
    m_clearButton->setObjectName(QStringLiteral("clearButton"));
    m_clearButton->setMaximumWidth(80);
    m_topBar->addWidget(new QLabel(tr("排序:"), this));
    m_topBar->addWidget(m_viewModeBox);
    m_topBar->addWidget(new QLabel(tr("搜索:"), this));
    m_topBar->addWidget(m_searchEdit);
    m_topBar->addStretch();
    m_topBar->addWidget(m_countLabel);
    m_topBar->addWidget(m_clearButton);
    m_mainLayout->addLayout(m_topBar);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_tabWidget = new QTabWidget(m_splitter);
    m_tabWidget->setObjectName(QStringLiteral("tabWidget"));

    m_browseTab = new QWidget(m_tabWidget);
    auto* browseLayout = new QVBoxLayout(m_browseTab);
    m_historyList = makeList(m_browseTab, {tr("名称"), tr("分类"), tr("访问时间"), tr("访问次数")},
                             {200, 100, 150, 80});
    m_historyList->setObjectName(QStringLiteral("historyList"));
    m_historyList->setContextMenuPolicy(Qt::CustomContextMenu);
    browseLayout->addWidget(m_historyList);
    m_tabWidget->addTab(m_browseTab, tr("浏览历史"));

    m_searchTab = new QWidget(m_tabWidget);
    auto* searchLayout = new QVBoxLayout(m_searchTab);
    m_searchList =
        makeList(m_searchTab, {tr("搜索查询"), tr("搜索时间"), tr("结果数量"), tr("分类")},
                 {200, 150, 80, 100});
    m_searchList->setObjectName(QStringLiteral("searchList"));
    searchLayout->addWidget(m_searchList);
    m_tabWidget->addTab(m_searchTab, tr("搜索历史"));

    m_detailsGroup = new QGroupBox(tr("详细信息"), m_splitter);
    auto* detailsLayout = new QVBoxLayout(m_detailsGroup);
    m_detailsView = new QTextEdit(m_detailsGroup);
    m_detailsView->setObjectName(QStringLiteral("detailsView"));
    m_detailsView->setReadOnly(true);
    m_detailsView->setMaximumHeight(200);
    m_detailsView->setPlainText(tr("选择一个历史记录查看详细信息"));
    detailsLayout->addWidget(m_detailsView);

    m_splitter->addWidget(m_tabWidget);
    m_splitter->addWidget(m_detailsGroup);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 1);
    m_mainLayout->addWidget(m_splitter);

    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("contextMenu"));
    m_openAction =
        m_contextMenu->addAction(iconIfPresent(QStringLiteral(":/icons/open.png")), tr("打开"));
    m_addToFavoritesAction = m_contextMenu->addAction(
        iconIfPresent(QStringLiteral(":/icons/favorite.png")), tr("添加到收藏"));
    m_contextMenu->addSeparator();
    m_removeAction = m_contextMenu->addAction(iconIfPresent(QStringLiteral(":/icons/remove.png")),
                                              tr("从历史中移除"));
    m_contextMenu->addSeparator();
    m_copyPathAction =
        m_contextMenu->addAction(iconIfPresent(QStringLiteral(":/icons/copy.png")), tr("复制路径"));
    connect(m_openAction, &QAction::triggered, this, [this] {
        if (m_historyList->currentItem())
            emit historyItemActivated(currentBrowsePath());
    });
    connect(m_addToFavoritesAction, &QAction::triggered, this,
            [this] { QMessageBox::information(this, tr("提示"), tr("添加到收藏功能待实现")); });
    connect(m_removeAction, &QAction::triggered, this, &HistoryWidget::onRemoveFromHistory);
    connect(m_copyPathAction, &QAction::triggered, this, [this] {
        if (m_historyList->currentItem() && QGuiApplication::clipboard())
            QGuiApplication::clipboard()->setText(currentBrowsePath());
    });

    connect(m_viewModeBox, &QComboBox::currentIndexChanged, this,
            &HistoryWidget::onViewModeChanged);
    connect(m_searchEdit, &QLineEdit::textChanged, this, &HistoryWidget::onSearchTextChanged);
    connect(m_historyList, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { onHistoryItemClicked(item); });
    connect(m_historyList, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { onHistoryItemDoubleClicked(item); });
    connect(m_historyList, &QTreeWidget::customContextMenuRequested, this,
            &HistoryWidget::onContextMenuRequested);
    connect(m_searchList, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { onSearchHistoryItemClicked(item); });
    connect(m_clearButton, &QPushButton::clicked, this, &HistoryWidget::onClearAllHistory);
}

void HistoryWidget::setUserPreferences(UserPreferences* preferences)
{
    if (m_userPreferences) {
        disconnect(m_userPreferences, &UserPreferences::historyChanged, this,
                   &HistoryWidget::onHistoryChanged);
    }
    m_userPreferences = preferences;
    if (m_userPreferences) {
        connect(m_userPreferences, &UserPreferences::historyChanged, this,
                &HistoryWidget::onHistoryChanged);
        loadHistory();
        loadSearchHistory();
    }
}

void HistoryWidget::refreshHistory()
{
    if (!m_userPreferences)
        return;
    loadHistory();
    loadSearchHistory();
}

void HistoryWidget::loadHistory()
{
    if (!m_userPreferences)
        return;
    if (m_viewModeBox->currentData().toString() == QLatin1String("frequent"))
        m_history = m_userPreferences->getFrequentHistory(kListLimit);
    else
        m_history = m_userPreferences->getRecentHistory(kListLimit);
    updateHistoryList();
}

void HistoryWidget::loadSearchHistory()
{
    if (!m_userPreferences)
        return;
    m_searchHistory = m_userPreferences->getRecentSearches(kListLimit);
    updateSearchHistoryList();
}

void HistoryWidget::updateHistoryList()
{
    m_historyList->clear();
    const QString keyword = m_searchEdit->text().toLower();
    int shown = 0;
    for (const HistoryItem& entry : std::as_const(m_history)) {
        if (!keyword.isEmpty() && !entry.name.toLower().contains(keyword) &&
            !entry.category.toLower().contains(keyword))
            continue;
        auto* item = new QTreeWidgetItem(m_historyList);
        item->setText(0, entry.name);
        item->setText(1, entry.category);
        item->setText(2, RelativeTime::format(entry.accessTime));
        item->setText(3, QString::number(entry.accessCount));
        item->setData(0, kIdRole, entry.id);
        item->setData(0, kPathRole, entry.filePath);
        item->setIcon(0, CategoryIcon::icon(entry.category));
        ++shown;
    }
    m_countLabel->setText(tr("历史记录: %1 个项目").arg(shown));
}

void HistoryWidget::updateSearchHistoryList()
{
    m_searchList->clear();
    const QString keyword = m_searchEdit->text().toLower();
    const QIcon searchIcon = iconIfPresent(QStringLiteral(":/icons/search.png"));
    for (const SearchHistoryItem& entry : std::as_const(m_searchHistory)) {
        if (!keyword.isEmpty() && !entry.query.toLower().contains(keyword) &&
            !entry.category.toLower().contains(keyword))
            continue;
        auto* item = new QTreeWidgetItem(m_searchList);
        item->setText(0, entry.query);
        item->setText(1, RelativeTime::format(entry.searchTime));
        item->setText(2, QString::number(entry.resultCount));
        item->setText(3, entry.category);
        item->setIcon(0, searchIcon);
    }
}

QString HistoryWidget::historyDetails(const HistoryItem& item) const
{
    QString text;
    text += tr("名称: %1\n").arg(item.name);
    text += tr("分类: %1\n").arg(item.category);
    text += tr("文件路径: %1\n").arg(item.filePath);
    text += tr("最后访问: %1\n").arg(RelativeTime::format(item.accessTime));
    text += tr("访问次数: %1 次\n").arg(item.accessCount);
    if (!item.searchQuery.isEmpty())
        text += tr("搜索查询: %1\n").arg(item.searchQuery);
    return text;
}

QString HistoryWidget::searchDetails(const SearchHistoryItem& item) const
{
    QString text;
    text += tr("搜索查询: %1\n").arg(item.query);
    text += tr("搜索时间: %1\n").arg(RelativeTime::format(item.searchTime));
    text += tr("结果数量: %1 个\n").arg(item.resultCount);
    if (!item.category.isEmpty())
        text += tr("搜索分类: %1\n").arg(item.category);
    if (!item.filters.isEmpty())
        text += tr("使用筛选: %1\n").arg(item.filters.join(QStringLiteral(", ")));
    return text;
}

QString HistoryWidget::currentBrowsePath() const
{
    const QTreeWidgetItem* item = m_historyList->currentItem();
    return item ? item->data(0, kPathRole).toString() : QString();
}

void HistoryWidget::onHistoryChanged()
{
    loadHistory();
    loadSearchHistory();
}

void HistoryWidget::onViewModeChanged()
{
    loadHistory();
}

void HistoryWidget::onSearchTextChanged(const QString& text)
{
    Q_UNUSED(text);
    updateHistoryList();
    updateSearchHistoryList();
}

void HistoryWidget::onHistoryItemClicked(QTreeWidgetItem* item)
{
    if (!item || !m_userPreferences)
        return;
    selectBrowseItem(item);
    emit historyItemSelected(item->data(0, kPathRole).toString());
}

void HistoryWidget::selectBrowseItem(QTreeWidgetItem* item)
{
    m_selectedId = item->data(0, kIdRole).toString();
    const QList<HistoryItem> recent = m_userPreferences->getRecentHistory(kLookupLimit);
    for (const HistoryItem& entry : recent) {
        if (entry.id == m_selectedId) {
            m_detailsView->setPlainText(historyDetails(entry));
            break;
        }
    }
}

void HistoryWidget::onHistoryItemDoubleClicked(QTreeWidgetItem* item)
{
    if (item)
        emit historyItemActivated(item->data(0, kPathRole).toString());
}

void HistoryWidget::onSearchHistoryItemClicked(QTreeWidgetItem* item)
{
    if (!item || !m_userPreferences)
        return;
    m_selectedQuery = item->text(0);
    const QList<SearchHistoryItem> recent = m_userPreferences->getRecentSearches(kLookupLimit);
    for (const SearchHistoryItem& entry : recent) {
        if (entry.query == m_selectedQuery) {
            m_detailsView->setPlainText(searchDetails(entry));
            break;
        }
    }
    emit searchQuerySelected(m_selectedQuery);
}

void HistoryWidget::onContextMenuRequested(const QPoint& pos)
{
    QTreeWidgetItem* item = m_historyList->itemAt(pos);
    if (!item)
        return;
    // A right click does not count as a click: without this the menu would act on
    // the entry clicked before (removing another than the one it names).
    m_historyList->setCurrentItem(item);
    if (m_userPreferences)
        selectBrowseItem(item);
    m_contextMenu->popup(m_historyList->viewport()->mapToGlobal(pos));
}

void HistoryWidget::onRemoveFromHistory()
{
    const QTreeWidgetItem* item = m_historyList->currentItem();
    if (m_selectedId.isEmpty() || !m_userPreferences || !item)
        return;
    // Remove the entry the question names, even when the current item moved away
    // from the one last clicked.
    m_selectedId = item->data(0, kIdRole).toString();
    const auto answer = QMessageBox::question(
        this, tr("确认删除"), tr("确定要从历史记录中移除 \"%1\" 吗？").arg(item->text(0)),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (!m_userPreferences->removeFromHistory(m_selectedId)) {
        QMessageBox::warning(this, tr("错误"), m_userPreferences->describeFailure(tr("移除失败")));
        return;
    }
    m_selectedId.clear();
    QMessageBox::information(this, tr("成功"), tr("已从历史记录中移除"));
}

void HistoryWidget::onClearAllHistory()
{
    if (!m_userPreferences)
        return;
    const bool searchTab = m_tabWidget->currentWidget() == m_searchTab;
    // Within a sentence, where another language may need other words than the tab's.
    const QString subject =
        searchTab ? tr("搜索历史", "within a sentence") : tr("浏览历史", "within a sentence");
    const auto answer = QMessageBox::question(
        this, tr("确认清空"), tr("确定要清空所有%1吗？此操作不可恢复。").arg(subject),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    const bool cleared =
        searchTab ? m_userPreferences->clearSearchHistory() : m_userPreferences->clearHistory();
    if (!cleared) {
        QMessageBox::warning(this, tr("错误"),
                             m_userPreferences->describeFailure(tr("清空%1失败").arg(subject)));
        return;
    }
    QMessageBox::information(this, tr("成功"), tr("已清空所有%1").arg(subject));
}
