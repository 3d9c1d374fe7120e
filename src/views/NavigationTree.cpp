#include "NavigationTree.h"

#include "EntryTreeItem.h"
#include "NavigationPath.h"
#include "data/DataManager.h"
#include "data/EntryFileDeleter.h"
#include "views/BilingualText.h"

#include <QBrush>
#include <QColor>
#include <QContextMenuEvent>
#include <QDebug>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QSet>
#include <QTreeWidgetItemIterator>

#include <memory>

namespace {

const QString kTechnologiesPrefix = QStringLiteral("technologies/");
const QString kDisciplinesPrefix = QStringLiteral("disciplines/");

// The tool tip in the interface language; the Chinese interface reads "zh" alone.
QString descriptionText(const QJsonValue& description)
{
    const QJsonObject object = description.toObject();
    if (InterfaceLanguage::active() == InterfaceLanguage::English)
        return BilingualText::either(object, InterfaceLanguage::English);
    return object.value(QLatin1String("zh")).toString();
}

} // namespace

NavigationTree::NavigationTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderLabel(tr("知识库导航"));
    setContextMenuPolicy(Qt::CustomContextMenu);
    // Every row is one line of text; the view then finds a row's position without
    // adding up the heights of all rows above it.
    setUniformRowHeights(true);

    connect(this, &QTreeWidget::itemClicked, this, &NavigationTree::onItemClicked);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &NavigationTree::onItemDoubleClicked);
    connect(this, &QTreeWidget::itemExpanded, this, &NavigationTree::onItemExpanded);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, position,
                                viewport()->mapToGlobal(position));
        contextMenuEvent(&event);
    });
}

void NavigationTree::setDataManager(DataManager* dataManager)
{
    m_dataManager = dataManager;
    clearTree();
    loadCategories();
}

DataManager* NavigationTree::dataManager() const
{
    return m_dataManager;
}

QString NavigationTree::itemPath(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

QString NavigationTree::entryLabel(const QJsonObject& entry)
{
    QString label = entry.value(QLatin1String("name")).toString();
    for (const char* key : {"title", "id", "fileName"}) {
        if (!label.isEmpty())
            break;
        label = entry.value(QLatin1String(key)).toString();
    }
    if (label.isEmpty() && entry.contains(QLatin1String("_filePath")))
        label = QFileInfo(entry.value(QLatin1String("_filePath")).toString()).completeBaseName();
    if (entry.contains(QLatin1String("currentVersion"))) {
        // A version written as a JSON number (2024) is still shown as its text.
        const QJsonValue version = entry.value(QLatin1String("currentVersion"));
        const QString text =
            version.isDouble() ? QString::number(version.toDouble(), 'g', 15) : version.toString();
        // An entry without a version must not read "Name ()".
        if (!text.trimmed().isEmpty())
            label += QStringLiteral(" (") + text + QLatin1Char(')');
    }
    return label;
}

bool NavigationTree::isFilePath(const QString& path)
{
    if (path.isEmpty())
        return false;
    return path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".md"), Qt::CaseInsensitive) ||
           NavigationPath::isImagePath(path, Qt::CaseInsensitive);
}

QString NavigationTree::aiPromptText(const QString& subject)
{
    return tr("请详细解释以下内容，不要编造未提供的信息，直接给出完整说明（建议 200-300 字）。"
              "如需列举关键点，请给出 3 条：\n%1")
        .arg(subject);
}

void NavigationTree::clearTree()
{
    // Drop every pointer into the old items together with the items themselves.
    m_itemMap.clear();
    m_highlightedItems.clear();
    clear();
}

QTreeWidgetItem* NavigationTree::addSection(const QString& label, const QString& path)
{
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, label);
    item->setData(0, Qt::UserRole, path);
    return item;
}

QTreeWidgetItem* NavigationTree::addChild(QTreeWidgetItem* parent, const QString& label,
                                          const QString& path)
{
    auto* item = new QTreeWidgetItem(parent);
    item->setText(0, label);
    item->setData(0, Qt::UserRole, path);
    return item;
}

void NavigationTree::loadCategories()
{
    if (!m_dataManager) {
        qDebug().noquote() << "NavigationTree::loadCategories - m_dataManager is null!";
        return;
    }

    const QJsonObject config = m_dataManager->getCategories();
    qDebug().noquote() << "NavigationTree::loadCategories - Config keys:" << config.keys();
    qDebug().noquote() << "NavigationTree::loadCategories - Config empty:" << config.isEmpty();
    qDebug().noquote() << "NavigationTree::loadCategories - Has softwareCategories:"
                       << config.contains(QLatin1String("softwareCategories"));
    qDebug().noquote() << "NavigationTree::loadCategories - Has technologyCategories:"
                       << config.contains(QLatin1String("technologyCategories"));
    qDebug().noquote() << "NavigationTree::loadCategories - Has disciplineCategories:"
                       << config.contains(QLatin1String("disciplineCategories"));
    if (config.isEmpty())
        qDebug().noquote()
            << "WARNING: Categories config is EMPTY! Check FileLoader loading process.";

    if (m_newsEnabled)
        addSection(tr("最新资讯"), QStringLiteral("news"));

    if (config.contains(QLatin1String("softwareCategories"))) {
        QTreeWidgetItem* software = addSection(tr("工业软件"), QStringLiteral("software"));
        const QJsonObject categories = config.value(QLatin1String("softwareCategories")).toObject();
        // The six categories always appear in this order, whatever the file says.
        for (const char* key : {"CAD", "CAE", "CFD", "CAM", "EDA", "PLM"}) {
            const QString categoryKey = QLatin1String(key);
            if (!categories.contains(categoryKey))
                continue;
            const QJsonObject category = categories.value(categoryKey).toObject();
            const QString lowerKey = categoryKey.toLower();
            QTreeWidgetItem* item =
                addChild(software, category.value(QLatin1String("name")).toString(),
                         QStringLiteral("software/") + lowerKey);
            if (category.contains(QLatin1String("description")))
                item->setToolTip(0, category.value(QLatin1String("description")).toString());
            addEntryItems(item, m_dataManager->getSoftwareSummaries(lowerKey), true);
        }
        software->setExpanded(true);
    }

    QTreeWidgetItem* companies = addSection(tr("公司企业"), QStringLiteral("companies"));
    addEntryItems(companies, m_dataManager->getCompaniesSummaries(), true);

    if (config.contains(QLatin1String("technologyCategories"))) {
        QTreeWidgetItem* technologies = addSection(tr("核心技术"), QStringLiteral("technologies"));
        const QJsonObject categories =
            config.value(QLatin1String("technologyCategories")).toObject();
        for (auto it = categories.begin(); it != categories.end(); ++it) {
            QTreeWidgetItem* item = addChild(
                technologies, it.value().toObject().value(QLatin1String("name")).toString(),
                kTechnologiesPrefix + it.key());
            loadTechnologyItems(item);
        }
    }

    if (config.contains(QLatin1String("disciplineCategories"))) {
        QTreeWidgetItem* disciplines = addSection(tr("学科领域"), QStringLiteral("disciplines"));
        const QJsonObject categories =
            config.value(QLatin1String("disciplineCategories")).toObject();
        for (auto it = categories.begin(); it != categories.end(); ++it) {
            const QJsonObject discipline = it.value().toObject();
            QTreeWidgetItem* item =
                addChild(disciplines, discipline.value(QLatin1String("name")).toString(),
                         kDisciplinesPrefix + it.key());
            const QString tooltip = descriptionText(discipline.value(QLatin1String("description")));
            if (!tooltip.isEmpty())
                item->setToolTip(0, tooltip);

            const QJsonValue subDisciplines = discipline.value(QLatin1String("subDisciplines"));
            if (subDisciplines.isArray()) {
                for (const QJsonValue& value : subDisciplines.toArray()) {
                    if (!value.isObject())
                        continue;
                    const QJsonObject sub = value.toObject();
                    const QString id = sub.value(QLatin1String("id")).toString();
                    if (id.isEmpty())
                        continue;
                    QTreeWidgetItem* subItem =
                        addChild(item, sub.value(QLatin1String("name")).toString(),
                                 QStringLiteral("disciplines/%1/%2").arg(it.key(), id));
                    const QString subTooltip =
                        descriptionText(sub.value(QLatin1String("description")));
                    if (!subTooltip.isEmpty())
                        subItem->setToolTip(0, subTooltip);
                    // Entries are read when the item is first expanded.
                    subItem->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
                }
            }
            if (item->childCount() == 0)
                item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        }
    }

    QTreeWidgetItem* pictures = addSection(tr("图片资源"), QStringLiteral("pictures"));
    loadPictureItems(pictures);
    pictures->setExpanded(true);
}

QString NavigationTree::entryToolTip(const QTreeWidgetItem* item)
{
    const auto* tree = qobject_cast<const NavigationTree*>(item->treeWidget());
    const QString path = itemPath(item);
    if (!tree || !tree->m_dataManager || path.isEmpty())
        return {};
    return descriptionText(
        tree->m_dataManager->loadJsonFile(path).value(QLatin1String("description")));
}

void NavigationTree::addEntryItems(QTreeWidgetItem* parent, const QJsonArray& entries,
                                   bool summaries)
{
    // Filled before they join the tree and added in one call: an item set up inside
    // the tree tells the view of every text it gets.
    QList<QTreeWidgetItem*> items;
    items.reserve(entries.size());
    for (const QJsonValue& value : entries) {
        if (!value.isObject())
            continue;
        const QJsonObject entry = value.toObject();
        QTreeWidgetItem* item = summaries
                                    ? new EntryTreeItem(nullptr, &NavigationTree::entryToolTip)
                                    : new QTreeWidgetItem();
        items.append(item);
        item->setText(0, entryLabel(entry));
        if (entry.contains(QLatin1String("_filePath"))) {
            const QString path = entry.value(QLatin1String("_filePath")).toString();
            item->setData(0, Qt::UserRole, path);
            m_itemMap.insert(path, item);
        }
        if (summaries)
            continue;
        const QString tooltip = descriptionText(entry.value(QLatin1String("description")));
        if (!tooltip.isEmpty())
            item->setToolTip(0, tooltip);
    }
    parent->addChildren(items);
}

void NavigationTree::loadTechnologyItems(QTreeWidgetItem* item)
{
    if (!m_dataManager)
        return;
    QString key = itemPath(item);
    if (key.startsWith(kTechnologiesPrefix))
        key.remove(0, kTechnologiesPrefix.size());
    addEntryItems(item, m_dataManager->getTechnologiesSummaries(key), true);
}

void NavigationTree::loadPictureItems(QTreeWidgetItem* item)
{
    if (!m_dataManager) {
        qDebug().noquote() << "NavigationTree::loadPictureItems - m_dataManager is null";
        return;
    }
    const QJsonArray pictures = m_dataManager->getPicturesList();
    qDebug().noquote() << "NavigationTree::loadPictureItems - Got" << pictures.size()
                       << "picture items";
    addEntryItems(item, pictures);
}

void NavigationTree::loadDisciplineItems(QTreeWidgetItem* item)
{
    if (!m_dataManager)
        return;
    const QString subPath = itemPath(item).mid(kDisciplinesPrefix.size());
    addEntryItems(item, m_dataManager->getDisciplinesSummaries(subPath), true);
}

void NavigationTree::onItemClicked(QTreeWidgetItem* item, int column)
{
    Q_UNUSED(column);
    const QString path = itemPath(item);
    qDebug().noquote() << "NavigationTree::onItemClicked - item data:" << path;
    if (path.endsWith(QLatin1String(".json"))) {
        qDebug().noquote() << "Emitting itemSelected:" << path;
        emit itemSelected(path);
    } else if (NavigationPath::isImagePath(path)) {
        qDebug().noquote() << "Emitting itemSelected (image):" << path;
        emit itemSelected(path);
    } else if (!path.isEmpty()) {
        qDebug().noquote() << "Emitting categorySelected:" << path;
        emit categorySelected(path);
    }
}

void NavigationTree::onItemDoubleClicked(QTreeWidgetItem* item, int column)
{
    Q_UNUSED(column);
    qDebug().noquote() << "NavigationTree::onItemDoubleClicked - item data:" << itemPath(item);
}

void NavigationTree::onItemExpanded(QTreeWidgetItem* item)
{
    if (!item || item->childCount() > 0)
        return;
    const QString path = itemPath(item);
    if (path.startsWith(kTechnologiesPrefix))
        loadTechnologyItems(item);
    else if (path.startsWith(kDisciplinesPrefix))
        loadDisciplineItems(item);
    else if (path == QLatin1String("pictures"))
        loadPictureItems(item);
    if (item->childCount() == 0)
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void NavigationTree::keyPressEvent(QKeyEvent* event)
{
    QTreeWidgetItem* before = currentItem();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && before && state() != EditingState) {
        onItemClicked(before, 0);
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
    // Moving with the keys opens the new item as a click would. Mouse presses change the
    // current item too, but they end in itemClicked, so only key moves are handled here.
    QTreeWidgetItem* after = currentItem();
    if (after && after != before)
        onItemClicked(after, 0);
}

void NavigationTree::onRefresh()
{
    if (!m_dataManager)
        return;
    // The lists are cached; without this a file added since the last build stays hidden.
    m_dataManager->clearListCache();
    clearTree();
    loadCategories();
}

QMenu* NavigationTree::createContextMenu(QTreeWidgetItem* item)
{
    auto* menu = new QMenu(this);
    connect(menu->addAction(tr("刷新")), &QAction::triggered, this, &NavigationTree::onRefresh);
    if (!item)
        return menu;

    // The actions below act on the current item: make it the one under the cursor.
    setCurrentItem(item);

    menu->addSeparator();
    connect(menu->addAction(tr("添加新项")), &QAction::triggered, this, &NavigationTree::onAddNew);

    const QString path = itemPath(item);
    if (!isFilePath(path))
        return menu;
    if (path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        connect(menu->addAction(tr("删除")), &QAction::triggered, this, &NavigationTree::onDelete);
    if (path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive) &&
        path.contains(QLatin1String("software/")))
        connect(menu->addAction(tr("加入对比")), &QAction::triggered, this,
                [this, path] { emit compareRequested(path); });

    const QString label = item->text(0);
    const QString subject = label.trimmed().isEmpty() ? path : label;
    menu->addSeparator();
    connect(menu->addAction(tr("生成AI提示词")), &QAction::triggered, this,
            [this, subject] { emit aiPromptRequested(aiPromptText(subject)); });
    return menu;
}

void NavigationTree::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu(createContextMenu(itemAt(event->pos())));
    menu->exec(event->globalPos());
}

void NavigationTree::onAddNew()
{
    QTreeWidgetItem* item = currentItem();
    if (!item)
        return;
    QString path = itemPath(item);
    if ((path.isEmpty() || path.endsWith(QLatin1String(".json"))) && item->parent())
        path = itemPath(item->parent());
    showInformation(tr("添加新项"), tr("将在分类 '%1' 下添加新项").arg(path));
}

void NavigationTree::onDelete()
{
    QTreeWidgetItem* item = currentItem();
    const QString path = itemPath(item);
    if (path.isEmpty() || !path.endsWith(QLatin1String(".json")))
        return;
    const QString label = item->text(0);
    if (!confirmDelete(label))
        return;

    // Paths of embedded entries ("data/...") name a place in the knowledge base, not a file
    // below the working directory.
    const QString dataPath = m_dataManager ? m_dataManager->dataPath() : QString();
    const EntryFileDeleter::Result result = EntryFileDeleter::remove(path, dataPath);
    switch (result.outcome) {
    case EntryFileDeleter::Outcome::EmbeddedOnly:
        showWarning(tr("无法删除"), tr("'%1' 是程序内置的条目，没有可删除的文件。").arg(label));
        return;
    case EntryFileDeleter::Outcome::NotFound:
    case EntryFileDeleter::Outcome::Failed: {
        const QString reason =
            result.outcome == EntryFileDeleter::Outcome::NotFound ? tr("文件不存在") : result.error;
        qWarning().noquote() << "NavigationTree::onDelete - Failed to remove" << result.diskPath
                             << reason;
        showWarning(tr("删除失败"), tr("无法删除文件: %1\n%2").arg(result.diskPath, reason));
        return;
    }
    case EntryFileDeleter::Outcome::Deleted:
        // The cached lists still hold the entry; searches and overviews must not see it.
        if (m_dataManager)
            m_dataManager->clearListCache();
        forgetItem(item);
        delete item;
        showInformation(tr("删除成功"), tr("文件已删除"));
        return;
    case EntryFileDeleter::Outcome::DeletedEmbeddedRemains:
        // The program's own copy takes the file's place; show the tree as it now is.
        onRefresh();
        showInformation(tr("删除成功"),
                        tr("文件已删除: %1\n程序内置的同一条目仍会显示。").arg(result.diskPath));
        return;
    }
}

void NavigationTree::forgetItem(QTreeWidgetItem* item)
{
    m_highlightedItems.removeAll(item);
    for (auto it = m_itemMap.begin(); it != m_itemMap.end();) {
        if (it.value() == item)
            it = m_itemMap.erase(it);
        else
            ++it;
    }
}

bool NavigationTree::showPath(const QString& path)
{
    QTreeWidgetItem* item = path.isEmpty() ? nullptr : m_itemMap.value(path);
    if (!item && !path.isEmpty()) {
        for (QTreeWidgetItemIterator it(this); *it; ++it) {
            if (itemPath(*it) == path) {
                item = *it;
                break;
            }
        }
    }
    if (!item) {
        setCurrentItem(nullptr);
        clearSelection();
        return false;
    }
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    setCurrentItem(item);
    scrollToItem(item);
    return true;
}

void NavigationTree::highlightSearchResults(const QJsonArray& results)
{
    // One layout pass after all changes instead of one row lookup per changed item.
    scheduleDelayedItemsLayout();

    const QString filePathKey = QStringLiteral("_filePath");
    QList<QTreeWidgetItem*> hits;
    for (const QJsonValue& value : results) {
        if (!value.isObject())
            continue;
        const QJsonObject result = value.toObject();
        const auto path = result.constFind(filePathKey);
        if (path == result.constEnd())
            continue;
        if (QTreeWidgetItem* item = m_itemMap.value(path.value().toString()))
            hits.append(item);
    }

    // Each background change through the item's data would tell the view about its
    // row on its own, which was most of a search's time with thousands of hits; the
    // entry rows carry the highlight beside their data and the viewport is repainted once.
    const QBrush highlight(QColor(255, 255, 200, 255));
    auto setBackground = [](QTreeWidgetItem* item, const QBrush& brush) {
        if (auto* entryItem = dynamic_cast<EntryTreeItem*>(item))
            entryItem->setHighlight(brush);
        else
            item->setBackground(0, brush);
    };
    for (QTreeWidgetItem* item : std::as_const(m_highlightedItems))
        setBackground(item, QBrush());
    for (QTreeWidgetItem* item : std::as_const(hits))
        setBackground(item, highlight);
    if (!m_highlightedItems.isEmpty() || !hits.isEmpty())
        viewport()->update();
    m_highlightedItems = hits;

    QSet<QTreeWidgetItem*> expanded;
    for (QTreeWidgetItem* item : std::as_const(hits)) {
        for (QTreeWidgetItem* ancestor = item->parent(); ancestor; ancestor = ancestor->parent()) {
            // Hits share their few ancestors; each is expanded once per search.
            if (expanded.contains(ancestor))
                break;
            expanded.insert(ancestor);
            ancestor->setExpanded(true);
        }
    }
}

bool NavigationTree::confirmDelete(const QString& label)
{
    return QMessageBox::question(this, tr("确认删除"), tr("确定要删除 '%1' 吗？").arg(label),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void NavigationTree::showInformation(const QString& title, const QString& text)
{
    QMessageBox::information(this, title, text);
}

void NavigationTree::showWarning(const QString& title, const QString& text)
{
    QMessageBox::warning(this, title, text);
}
