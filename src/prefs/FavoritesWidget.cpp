#include "FavoritesWidget.h"

#include "prefs/CategoryIcon.h"
#include "prefs/RelativeTime.h"
#include "prefs/UserPreferences.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
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
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;

QIcon iconIfPresent(const QString& path)
{
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

} // namespace

FavoritesWidget::FavoritesWidget(QWidget* parent) : QWidget(parent)
{
    m_mainLayout = new QVBoxLayout(this);
    m_mainLayout->setContentsMargins(6, 6, 6, 6);
    m_mainLayout->setSpacing(6);

    m_topBar = new QHBoxLayout;
    m_categoryBox = new QComboBox(this);
    m_categoryBox->setObjectName(QStringLiteral("categoryFilter"));
    m_categoryBox->setMinimumWidth(120);
    m_categoryBox->addItem(tr("全部分类"), QString());
    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("searchEdit"));
    m_searchEdit->setPlaceholderText(tr("搜索收藏的项目..."));
    m_searchEdit->setClearButtonEnabled(true);
    m_countLabel = new QLabel(tr("收藏: %1 个项目").arg(0), this);
    m_countLabel->setObjectName(QStringLiteral("countLabel"));
    m_exportButton = new QPushButton(tr("导出"), this);
    m_exportButton->setObjectName(QStringLiteral("exportButton"));
    m_exportButton->setMaximumWidth(60);
    m_importButton = new QPushButton(tr("导入"), this);
    m_importButton->setObjectName(QStringLiteral("importButton"));
    m_importButton->setMaximumWidth(60);
    m_clearButton = new QPushButton(tr("清空收藏"), this);
    m_clearButton->setObjectName(QStringLiteral("clearButton"));
    m_clearButton->setMaximumWidth(80);
    m_topBar->addWidget(new QLabel(tr("分类:"), this));
    m_topBar->addWidget(m_categoryBox);
    m_topBar->addWidget(new QLabel(tr("搜索:"), this));
    m_topBar->addWidget(m_searchEdit);
    m_topBar->addStretch();
    m_topBar->addWidget(m_countLabel);
    m_topBar->addWidget(m_exportButton);
    m_topBar->addWidget(m_importButton);
    m_topBar->addWidget(m_clearButton);
    m_mainLayout->addLayout(m_topBar);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_list = new QTreeWidget(m_splitter);
    m_list->setObjectName(QStringLiteral("favoritesList"));
    m_list->setHeaderLabels({tr("名称"), tr("分类"), tr("添加时间"), tr("描述")});
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->header()->setStretchLastSection(true);
    m_list->setColumnWidth(0, 200);
    m_list->setColumnWidth(1, 100);
    m_list->setColumnWidth(2, 150);

    m_detailsGroup = new QGroupBox(tr("详细信息"), m_splitter);
    auto* detailsLayout = new QVBoxLayout(m_detailsGroup);
    m_detailsView = new QTextEdit(m_detailsGroup);
    m_detailsView->setObjectName(QStringLiteral("detailsView"));
    m_detailsView->setReadOnly(true);
    m_detailsView->setMaximumHeight(200);
    m_detailsView->setPlainText(tr("选择一个收藏项目查看详细信息"));
    detailsLayout->addWidget(m_detailsView);

    m_splitter->addWidget(m_list);
    m_splitter->addWidget(m_detailsGroup);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 1);
    m_mainLayout->addWidget(m_splitter);

    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("contextMenu"));
    m_openAction =
        m_contextMenu->addAction(iconIfPresent(QStringLiteral(":/icons/open.png")), tr("打开"));
    m_detailsAction =
        m_contextMenu->addAction(iconIfPresent(QStringLiteral(":/icons/info.png")), tr("显示详情"));
    m_contextMenu->addSeparator();
    m_removeAction = m_contextMenu->addAction(iconIfPresent(QStringLiteral(":/icons/remove.png")),
                                              tr("从收藏中移除"));
    m_contextMenu->addSeparator();
    m_copyPathAction =
        m_contextMenu->addAction(iconIfPresent(QStringLiteral(":/icons/copy.png")), tr("复制路径"));
    connect(m_openAction, &QAction::triggered, this, [this] {
        if (m_list->currentItem())
            emit favoriteItemActivated(currentItemPath());
    });
    connect(m_detailsAction, &QAction::triggered, this, &FavoritesWidget::onShowFavoriteDetails);
    connect(m_removeAction, &QAction::triggered, this, &FavoritesWidget::onRemoveFromFavorites);
    connect(m_copyPathAction, &QAction::triggered, this, [this] {
        if (m_list->currentItem() && QGuiApplication::clipboard())
            QGuiApplication::clipboard()->setText(currentItemPath());
    });

    connect(m_categoryBox, &QComboBox::currentIndexChanged, this,
            &FavoritesWidget::onCategoryFilterChanged);
    connect(m_searchEdit, &QLineEdit::textChanged, this, &FavoritesWidget::onSearchTextChanged);
    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { onFavoriteItemClicked(item); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { onFavoriteItemDoubleClicked(item); });
    connect(m_list, &QTreeWidget::customContextMenuRequested, this,
            &FavoritesWidget::onContextMenuRequested);
    connect(m_clearButton, &QPushButton::clicked, this, &FavoritesWidget::onClearAllFavorites);
    connect(m_exportButton, &QPushButton::clicked, this, &FavoritesWidget::onExportFavorites);
    connect(m_importButton, &QPushButton::clicked, this, &FavoritesWidget::onImportFavorites);
}

void FavoritesWidget::setUserPreferences(UserPreferences* preferences)
{
    if (m_userPreferences) {
        disconnect(m_userPreferences, &UserPreferences::favoritesChanged, this,
                   &FavoritesWidget::onFavoritesChanged);
    }
    m_userPreferences = preferences;
    if (m_userPreferences) {
        connect(m_userPreferences, &UserPreferences::favoritesChanged, this,
                &FavoritesWidget::onFavoritesChanged);
    }
    updateCategoryFilter();
    if (m_userPreferences)
        loadFavorites();
}

void FavoritesWidget::refreshFavorites()
{
    if (m_userPreferences)
        loadFavorites();
}

void FavoritesWidget::addCurrentToFavorites(const QString& id, const QString& name,
                                            const QString& category, const QString& filePath,
                                            const QString& description)
{
    if (!m_userPreferences)
        return;
    if (m_userPreferences->isFavorite(id)) {
        QMessageBox::information(this, tr("提示"), tr("该项目已在收藏列表中"));
        return;
    }
    if (m_userPreferences->addFavorite(id, name, category, filePath, description))
        QMessageBox::information(this, tr("成功"), tr("已添加到收藏"));
    else if (m_userPreferences->lastError().isEmpty()) // added by another copy meanwhile
        QMessageBox::information(this, tr("提示"), tr("该项目已在收藏列表中"));
    else
        QMessageBox::warning(this, tr("错误"),
                             m_userPreferences->describeFailure(tr("添加收藏失败")));
}

void FavoritesWidget::addCurrentToFavorites(const QString& id, const QString& name,
                                            const QString& category, const QString& filePath)
{
    addCurrentToFavorites(id, name, category, filePath, QString());
}

void FavoritesWidget::updateCategoryFilter()
{
    // Rebuilding must not reload the list once per inserted item; callers load after.
    const QSignalBlocker blocker(m_categoryBox);
    const QString remembered = m_categoryBox->currentData().toString();
    m_categoryBox->clear();
    m_categoryBox->addItem(tr("全部分类"), QString());

    QStringList categories;
    if (m_userPreferences) {
        const QList<FavoriteItem> favorites = m_userPreferences->getFavorites();
        for (const FavoriteItem& item : favorites) {
            if (!categories.contains(item.category))
                categories.append(item.category);
        }
    }
    std::sort(categories.begin(), categories.end());
    for (const QString& category : std::as_const(categories))
        m_categoryBox->addItem(category, category);

    const int index = m_categoryBox->findData(remembered);
    if (index >= 0)
        m_categoryBox->setCurrentIndex(index);
}

void FavoritesWidget::loadFavorites()
{
    if (!m_userPreferences)
        return;
    m_favorites =
        m_userPreferences->getFavoritesByCategory(m_categoryBox->currentData().toString());
    updateFavoritesList();
}

void FavoritesWidget::updateFavoritesList()
{
    m_list->clear();
    const QString keyword = m_searchEdit->text().toLower();

    QList<FavoriteItem> shown;
    for (const FavoriteItem& item : std::as_const(m_favorites)) {
        if (keyword.isEmpty() || item.name.toLower().contains(keyword) ||
            item.description.toLower().contains(keyword))
            shown.append(item);
    }
    std::stable_sort(shown.begin(), shown.end(), [](const FavoriteItem& a, const FavoriteItem& b) {
        return a.addTime > b.addTime;
    });

    for (const FavoriteItem& favorite : std::as_const(shown)) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, favorite.name);
        item->setText(1, favorite.category);
        item->setText(2, RelativeTime::format(favorite.addTime));
        item->setText(3, favorite.description);
        item->setData(0, kIdRole, favorite.id);
        item->setData(0, kPathRole, favorite.filePath);
        item->setIcon(0, CategoryIcon::icon(favorite.category));
    }
    m_countLabel->setText(tr("收藏: %1 个项目").arg(shown.size()));
}

QString FavoritesWidget::detailsText(const FavoriteItem& item) const
{
    QString text;
    text += tr("名称: %1\n").arg(item.name);
    text += tr("分类: %1\n").arg(item.category);
    text += tr("文件路径: %1\n").arg(item.filePath);
    text += tr("添加时间: %1\n").arg(RelativeTime::format(item.addTime));
    if (!item.description.isEmpty())
        text += tr("描述: %1\n").arg(item.description);
    if (!item.thumbnail.isEmpty())
        text += tr("缩略图: %1\n").arg(item.thumbnail);
    return text;
}

QString FavoritesWidget::currentItemPath() const
{
    const QTreeWidgetItem* item = m_list->currentItem();
    return item ? item->data(0, kPathRole).toString() : QString();
}

void FavoritesWidget::onFavoritesChanged()
{
    updateCategoryFilter();
    loadFavorites();
}

void FavoritesWidget::onCategoryFilterChanged()
{
    loadFavorites();
}

void FavoritesWidget::onSearchTextChanged()
{
    updateFavoritesList();
}

void FavoritesWidget::onFavoriteItemClicked(QTreeWidgetItem* item)
{
    if (!item || !m_userPreferences)
        return;
    selectItem(item);
    emit favoriteItemSelected(item->data(0, kPathRole).toString());
}

void FavoritesWidget::selectItem(QTreeWidgetItem* item)
{
    m_selectedId = item->data(0, kIdRole).toString();
    const QList<FavoriteItem> favorites = m_userPreferences->getFavorites();
    for (const FavoriteItem& favorite : favorites) {
        if (favorite.id == m_selectedId) {
            m_detailsView->setPlainText(detailsText(favorite));
            break;
        }
    }
}

void FavoritesWidget::onFavoriteItemDoubleClicked(QTreeWidgetItem* item)
{
    if (item)
        emit favoriteItemActivated(item->data(0, kPathRole).toString());
}

void FavoritesWidget::onContextMenuRequested(const QPoint& pos)
{
    QTreeWidgetItem* item = m_list->itemAt(pos);
    if (!item)
        return;
    // A right click does not count as a click: without this the menu would act on
    // the favourite clicked before (removing another than the one it names).
    m_list->setCurrentItem(item);
    if (m_userPreferences)
        selectItem(item);
    m_contextMenu->popup(m_list->viewport()->mapToGlobal(pos));
}

void FavoritesWidget::onRemoveFromFavorites()
{
    const QTreeWidgetItem* item = m_list->currentItem();
    if (m_selectedId.isEmpty() || !m_userPreferences || !item)
        return;
    // Remove the favourite the question names, even when the current item moved
    // away from the one last clicked.
    m_selectedId = item->data(0, kIdRole).toString();
    const auto answer = QMessageBox::question(
        this, tr("确认删除"), tr("确定要从收藏中移除 \"%1\" 吗？").arg(item->text(0)),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (m_userPreferences->removeFavorite(m_selectedId)) {
        m_selectedId.clear();
        QMessageBox::information(this, tr("成功"), tr("已从收藏中移除"));
    } else {
        QMessageBox::warning(this, tr("错误"), m_userPreferences->describeFailure(tr("移除失败")));
    }
}

void FavoritesWidget::onClearAllFavorites()
{
    if (!m_userPreferences || m_userPreferences->getFavorites().isEmpty())
        return;
    const auto answer =
        QMessageBox::question(this, tr("确认清空"), tr("确定要清空所有收藏吗？此操作不可恢复。"),
                              QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (!m_userPreferences->clearFavorites()) {
        QMessageBox::warning(this, tr("错误"),
                             m_userPreferences->describeFailure(tr("清空收藏失败")));
        return;
    }
    m_selectedId.clear();
    QMessageBox::information(this, tr("成功"), tr("已清空所有收藏"));
}

void FavoritesWidget::onExportFavorites()
{
    if (!m_userPreferences)
        return;
    const QString fileName = QFileDialog::getSaveFileName(
        this, tr("导出收藏"), QStringLiteral("favorites_backup.json"), tr("JSON files (*.json)"));
    if (fileName.isEmpty())
        return;
    if (m_userPreferences->exportPreferences(fileName))
        QMessageBox::information(this, tr("成功"), tr("收藏数据已导出"));
    else
        QMessageBox::warning(this, tr("错误"), tr("导出失败"));
}

void FavoritesWidget::onImportFavorites()
{
    if (!m_userPreferences)
        return;
    const QString fileName =
        QFileDialog::getOpenFileName(this, tr("导入收藏"), QString(), tr("JSON files (*.json)"));
    if (fileName.isEmpty())
        return;
    const auto answer =
        QMessageBox::question(this, tr("确认导入"), tr("导入将覆盖当前的收藏数据，确定继续吗？"),
                              QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (m_userPreferences->importPreferences(fileName)) {
        // The store reloads silently; show what was imported.
        m_selectedId.clear();
        updateCategoryFilter();
        loadFavorites();
        emit preferencesImported();
        QMessageBox::information(this, tr("成功"), tr("收藏数据已导入"));
    } else {
        QMessageBox::warning(this, tr("错误"), m_userPreferences->describeFailure(tr("导入失败")));
    }
}

void FavoritesWidget::onShowFavoriteDetails()
{
    if (!m_list->currentItem())
        return;
    QMessageBox::information(this, tr("详细信息"), m_detailsView->toPlainText());
}
