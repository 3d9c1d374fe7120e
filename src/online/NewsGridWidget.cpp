#include "NewsGridWidget.h"

#include "online/BoundedReply.h"
#include "online/NetworkManager.h"
#include "views/LinkPolicy.h"
#include "views/ThemedStyleSheet.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QJsonValue>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString AllValue = QStringLiteral("__all__");
constexpr int CardWidth = 320;
constexpr int ColumnWidth = 332;
constexpr int CoverHeight = 140;
constexpr int DefaultCoverWidth = 296;

QStringList stringsOf(const QJsonValue& value)
{
    QStringList result;
    for (const QJsonValue& element : value.toArray())
        result << element.toString();
    return result;
}

bool containsIgnoringCase(const QStringList& values, const QString& wanted)
{
    for (const QString& value : values) {
        if (value.compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void fillCombo(QComboBox* combo, const QString& current, const QSet<QString>& values,
               const QString& allText)
{
    QStringList sorted(values.cbegin(), values.cend());
    // Case-insensitive order; the case-sensitive tie-break keeps it stable.
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });

    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItem(allText, AllValue);
    for (const QString& value : sorted)
        combo->addItem(value, value);
    int index = 0;
    // An empty remembered value means "全部", even when an empty value is listed.
    for (int i = 1; !current.isEmpty() && i < combo->count(); ++i) {
        if (combo->itemData(i).toString() == current) {
            index = i;
            break;
        }
    }
    combo->setCurrentIndex(index);
}

QString selectedValue(const QComboBox* combo)
{
    const QString value = combo->currentData().toString();
    return value == AllValue ? QString() : value;
}

} // namespace

NewsGridWidget::NewsGridWidget(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);

    auto* headerLayout = new QHBoxLayout;
    auto* titleLabel = new QLabel(tr("最新资讯"), this);
    QFont titleFont = titleLabel->font();
    titleFont.setWeight(QFont::Bold);
    titleLabel->setFont(titleFont);
    m_syncLabel = new QLabel(this);
    headerLayout->addWidget(titleLabel);
    headerLayout->addStretch();
    headerLayout->addWidget(m_syncLabel);
    layout->addLayout(headerLayout);

    auto* filterLayout = new QHBoxLayout;
    m_categoryCombo = new QComboBox(this);
    m_categoryCombo->setEditable(false);
    m_tagCombo = new QComboBox(this);
    m_tagCombo->setEditable(false);
    m_keywordEdit = new QLineEdit(this);
    m_keywordEdit->setPlaceholderText(tr("搜索标题或摘要..."));
    filterLayout->addWidget(new QLabel(tr("分类"), this));
    filterLayout->addWidget(m_categoryCombo);
    filterLayout->addWidget(new QLabel(tr("标签"), this));
    filterLayout->addWidget(m_tagCombo);
    filterLayout->addStretch();
    filterLayout->addWidget(new QLabel(tr("关键词"), this));
    filterLayout->addWidget(m_keywordEdit);
    layout->addLayout(filterLayout);

    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("newsStatusLabel"));
    ThemedStyleSheet::apply(m_statusLabel, QStringLiteral("color: #666;"));
    layout->addWidget(m_statusLabel);

    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setWidgetResizable(true);
    m_gridContainer = new QWidget;
    m_gridContainer->setObjectName(QStringLiteral("newsGridContainer"));
    m_gridLayout = new QGridLayout(m_gridContainer);
    m_gridLayout->setSpacing(12);
    m_gridLayout->setContentsMargins(0, 0, 0, 0);
    m_scrollArea->setWidget(m_gridContainer);
    layout->addWidget(m_scrollArea, 1);

    connect(m_categoryCombo, &QComboBox::currentTextChanged, this,
            &NewsGridWidget::onFilterChanged);
    connect(m_tagCombo, &QComboBox::currentTextChanged, this, &NewsGridWidget::onFilterChanged);
    connect(m_keywordEdit, &QLineEdit::textChanged, this, &NewsGridWidget::onSearchTextChanged);

    setStatusText(tr("正在等待数据..."), false);
}

NewsGridWidget::~NewsGridWidget()
{
    // Running downloads are children of the widget; stop them before the
    // members their handlers use are gone.
    qDeleteAll(findChildren<BoundedReply*>(QString(), Qt::FindDirectChildrenOnly));
}

void NewsGridWidget::setCoverLimits(qint64 maxBytes, int timeoutMs)
{
    if (maxBytes > 0)
        m_coverMaxBytes = maxBytes;
    if (timeoutMs > 0)
        m_coverTimeoutMs = timeoutMs;
}

void NewsGridWidget::setNewsItems(const QJsonArray& items, const QDateTime& syncedAt)
{
    m_allItems = items;
    m_itemsArrived = true;
    if (syncedAt.isValid())
        m_syncLabel->setText(
            tr("同步于 %1")
                .arg(syncedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))));
    else
        m_syncLabel->setText(tr("同步时间未知"));

    updateFilterOptions();
    rebuildGrid();

    if (items.isEmpty())
        setStatusText(tr("暂无资讯，请稍后重试。"), true);
    else if (!m_refreshing)
        setStatusText(tr("共 %1 条资讯").arg(items.size()), false);
}

void NewsGridWidget::setRefreshing(bool refreshing)
{
    m_refreshing = refreshing;
    if (refreshing)
        setStatusText(tr("正在刷新最新资讯..."), false);
}

void NewsGridWidget::setStatusText(const QString& text, bool isError)
{
    ThemedStyleSheet::apply(
        m_statusLabel, QStringLiteral("color: %1;")
                           .arg(isError ? QStringLiteral("#C2185B") : QStringLiteral("#666666")));
    m_statusLabel->setText(text);
}

QString NewsGridWidget::currentCategory() const
{
    return selectedValue(m_categoryCombo);
}

QString NewsGridWidget::currentTag() const
{
    return selectedValue(m_tagCombo);
}

int NewsGridWidget::columnCount() const
{
    const QWidget* viewport = m_scrollArea->viewport();
    const int width = viewport ? viewport->width() : this->width();
    return qMax(1, width / ColumnWidth);
}

QString NewsGridWidget::metaLine(const QJsonObject& item)
{
    QStringList parts;
    const QString source = item.value(QStringLiteral("source")).toString();
    if (!source.isEmpty())
        parts << source;
    const QString published = item.value(QStringLiteral("publishedAt")).toString().left(16);
    if (!published.isEmpty())
        parts << published;
    const QString tags = stringsOf(item.value(QStringLiteral("tags"))).join(QStringLiteral(", "));
    if (!tags.isEmpty())
        parts << tags;
    return parts.join(QStringLiteral(" · "));
}

void NewsGridWidget::onFilterChanged()
{
    rebuildGrid();
    emit filterChanged(currentCategory(), currentTag(), m_keyword);
}

void NewsGridWidget::onSearchTextChanged(const QString& text)
{
    m_keyword = text.trimmed();
    rebuildGrid();
}

void NewsGridWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    rebuildGrid();
}

void NewsGridWidget::updateFilterOptions()
{
    QSet<QString> categories;
    QSet<QString> tags;
    for (const QJsonValue& value : m_allItems) {
        const QJsonObject item = value.toObject();
        for (const QString& category : stringsOf(item.value(QStringLiteral("categories"))))
            categories.insert(category);
        for (const QString& tag : stringsOf(item.value(QStringLiteral("tags"))))
            tags.insert(tag);
    }
    fillCombo(m_categoryCombo, currentCategory(), categories, tr("全部"));
    fillCombo(m_tagCombo, currentTag(), tags, tr("全部"));
}

void NewsGridWidget::rebuildGrid()
{
    while (QLayoutItem* item = m_gridLayout->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }

    const QString category = currentCategory();
    const QString tag = currentTag();
    const int columns = columnCount();
    int row = 0;
    int column = 0;
    int shown = 0;
    for (const QJsonValue& value : m_allItems) {
        if (!value.isObject())
            continue;
        const QJsonObject item = value.toObject();
        if (!category.isEmpty() &&
            !containsIgnoringCase(stringsOf(item.value(QStringLiteral("categories"))), category))
            continue;
        if (!tag.isEmpty() &&
            !containsIgnoringCase(stringsOf(item.value(QStringLiteral("tags"))), tag))
            continue;
        if (!m_keyword.isEmpty() &&
            !item.value(QStringLiteral("title"))
                 .toString()
                 .contains(m_keyword, Qt::CaseInsensitive) &&
            !item.value(QStringLiteral("summary"))
                 .toString()
                 .contains(m_keyword, Qt::CaseInsensitive))
            continue;

        QFrame* card = createCard(item);
        card->setFixedWidth(CardWidth);
        m_gridLayout->addWidget(card, row, column);
        ++shown;
        if (++column >= columns) {
            column = 0;
            ++row;
        }
    }

    // Before the first items arrive there is nothing to filter: the status keeps waiting.
    if (shown > 0) {
        if (!m_refreshing)
            setStatusText(tr("显示 %1 条资讯").arg(shown), false);
    } else if (m_itemsArrived) {
        setStatusText(tr("没有符合筛选条件的资讯"), true);
    }
    m_gridContainer->update();
}

QFrame* NewsGridWidget::createCard(const QJsonObject& item)
{
    auto* card = new QFrame(m_gridContainer);
    card->setFrameShape(QFrame::StyledPanel);
    card->setObjectName(QStringLiteral("newsCard"));
    ThemedStyleSheet::apply(
        card, QStringLiteral("#newsCard { border: 1px solid #E0E0E0; border-radius: 6px; }"));
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);

    auto* cover = new QLabel(card);
    cover->setObjectName(QStringLiteral("newsCover"));
    cover->setFixedHeight(CoverHeight);
    cover->setAlignment(Qt::AlignCenter);
    ThemedStyleSheet::apply(
        cover, QStringLiteral("#newsCover { background-color: #F5F5F5; border-radius: 4px; }"));
    cover->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(cover);
    loadCover(item.value(QStringLiteral("coverImage")).toString(), cover);

    // Feed texts are data: a label would otherwise take markup in them for rich text.
    auto* title = new QLabel(item.value(QStringLiteral("title")).toString(), card);
    title->setTextFormat(Qt::PlainText);
    title->setWordWrap(true);
    QFont titleFont = title->font();
    titleFont.setWeight(QFont::Bold);
    title->setFont(titleFont);
    layout->addWidget(title);

    auto* summary = new QLabel(item.value(QStringLiteral("summary")).toString(), card);
    summary->setTextFormat(Qt::PlainText);
    summary->setWordWrap(true);
    ThemedStyleSheet::apply(summary, QStringLiteral("color: #555;"));
    layout->addWidget(summary);

    auto* meta = new QLabel(metaLine(item), card);
    meta->setTextFormat(Qt::PlainText);
    ThemedStyleSheet::apply(meta, QStringLiteral("color: #999;"));
    meta->setWordWrap(true);
    layout->addWidget(meta);

    layout->addStretch();

    const QString contentUrl = item.value(QStringLiteral("contentUrl")).toString();
    auto* button = new QPushButton(tr("查看详情"), card);
    button->setCursor(Qt::PointingHandCursor);
    // Only web and mail addresses leave the program (no file:, javascript: or handlers).
    const bool openable = LinkPolicy::isExternalAllowed(QUrl(contentUrl, QUrl::StrictMode));
    button->setEnabled(openable);
    connect(button, &QPushButton::clicked, card, [contentUrl, openable] {
        if (openable)
            QDesktopServices::openUrl(QUrl(contentUrl, QUrl::StrictMode));
    });
    layout->addWidget(button, 0, Qt::AlignRight);
    return card;
}

void NewsGridWidget::loadCover(const QString& url, QLabel* label)
{
    if (url.isEmpty()) {
        label->setText(tr("无封面"));
        return;
    }
    const auto cached = m_coverCache.constFind(url);
    if (cached != m_coverCache.constEnd()) {
        showCover(label, cached.value());
        return;
    }

    label->setPixmap(QPixmap());
    label->setText(tr("加载封面..."));
    QList<QPointer<QLabel>>& waiting = m_pendingCovers[url];
    waiting.append(label);
    if (waiting.size() > 1)
        return; // a download for this address is already running

    const QUrl address(url);
    if (!BoundedReply::isFetchable(address)) {
        // A file: or other local address would show a file of this computer.
        m_pendingCovers.remove(url);
        label->setText(tr("封面加载失败"));
        return;
    }

    QNetworkReply* reply =
        NetworkManager::instance().networkAccessManager()->get(QNetworkRequest(address));
    // A grid destroyed mid-download takes the download along.
    auto* download = new BoundedReply(reply, m_coverMaxBytes, m_coverTimeoutMs, this);
    connect(download, &BoundedReply::finished, this,
            [this, url, download] { onCoverDownloadFinished(url, download); });
}

void NewsGridWidget::onCoverDownloadFinished(const QString& url, BoundedReply* download)
{
    const QList<QPointer<QLabel>> waiting = m_pendingCovers.take(url);
    download->deleteLater();

    // Only the bytes decide, whatever the HTTP status; a cut-off download has none.
    QPixmap pixmap;
    if (download->outcome() == BoundedReply::Outcome::Completed &&
        pixmap.loadFromData(download->body())) {
        m_coverCache.insert(url, pixmap);
        for (const QPointer<QLabel>& label : waiting) {
            if (label)
                showCover(label, pixmap);
        }
        return;
    }
    for (const QPointer<QLabel>& label : waiting) {
        if (label)
            label->setText(tr("封面加载失败"));
    }
}

void NewsGridWidget::showCover(QLabel* label, const QPixmap& pixmap)
{
    // A label not laid out yet gets the size the card will give it.
    const QSize target = label->isVisible() && !label->size().isEmpty()
                             ? label->size()
                             : QSize(DefaultCoverWidth, CoverHeight);
    label->setText(QString());
    label->setPixmap(
        pixmap.scaled(target, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation));
}
