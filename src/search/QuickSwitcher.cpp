#include "QuickSwitcher.h"

#include "views/ThemedStyleSheet.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

// The name on the left, its kind in grey on the right.
class SwitcherDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const QString kind = index.data(QuickSwitcherModel::KindRole).toString();
        item.text.clear();
        QStyle* style = item.widget ? item.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

        const QRect area = option.rect.adjusted(8, 0, -8, 0);
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        QFont kindFont = option.font;
        kindFont.setPointSizeF(kindFont.pointSizeF() * 0.9);
        const QFontMetrics kindMetrics(kindFont);
        // A few pixels more: the eliding rounds differently from the measuring.
        const int kindWidth = qMin(kindMetrics.horizontalAdvance(kind) + 6, area.width() / 2);
        painter->setFont(kindFont);
        painter->setPen(selected ? option.palette.color(QPalette::HighlightedText)
                                 : QColor(120, 120, 120));
        painter->drawText(QRect(area.right() - kindWidth, area.top(), kindWidth, area.height()),
                          Qt::AlignRight | Qt::AlignVCenter,
                          kindMetrics.elidedText(kind, Qt::ElideRight, kindWidth));
        painter->setFont(option.font);
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect nameArea(area.left(), area.top(), area.width() - kindWidth - 12, area.height());
        painter->drawText(nameArea, Qt::AlignLeft | Qt::AlignVCenter,
                          option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight,
                                                        nameArea.width()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(qMax(size.height(), option.fontMetrics.height() + 10));
        return size;
    }
};

} // namespace

QuickSwitcher::QuickSwitcher(QWidget* window) : QFrame(window), m_window(window)
{
    setObjectName(QStringLiteral("quickSwitcher"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    ThemedStyleSheet::apply(this, QStringLiteral("#quickSwitcher { background: white; border: "
                                                 "1px solid #999; border-radius: 6px; }"));

    m_model = new QuickSwitcherModel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("quickSwitcherEdit"));
    m_edit->setPlaceholderText(tr("输入名称，快速打开软件、公司、技术、文章..."));
    m_edit->installEventFilter(this);
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("quickSwitcherList"));
    m_list->setModel(m_model);
    m_list->setItemDelegate(new SwitcherDelegate(m_list));
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("quickSwitcherHint"));
    ThemedStyleSheet::apply(m_hint, QStringLiteral("QLabel { color: #777; }"));
    layout->addWidget(m_edit);
    layout->addWidget(m_list);
    layout->addWidget(m_hint);

    connect(m_edit, &QLineEdit::textEdited, this, &QuickSwitcher::onTextEdited);
    // The full-text hits come later and reset the model: stay on the row the user chose.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_currentPath = m_list->currentIndex().data(QuickSwitcherModel::PathRole).toString();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        int row = 0;
        for (int i = 0; i < m_model->rowCount(); ++i) {
            if (m_model->pathAt(i) == m_currentPath) {
                row = i;
                break;
            }
        }
        if (m_model->rowCount() > 0)
            m_list->setCurrentIndex(m_model->index(row));
        updateHint();
    });
    connect(m_list, &QListView::clicked, this,
            [this](const QModelIndex& index) { openRow(index.row()); });

    m_openAction = new QAction(tr("快速切换..."), this);
    m_openAction->setObjectName(QStringLiteral("quickSwitcherAction"));
    m_openAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_K), QKeySequence(Qt::CTRL | Qt::Key_P)});
    connect(m_openAction, &QAction::triggered, this, &QuickSwitcher::openSwitcher);

    if (window)
        window->installEventFilter(this);
    hide();
}

void QuickSwitcher::openSwitcher()
{
    emit aboutToOpen();
    place();
    if (isHidden())
        qApp->installEventFilter(this);
    show();
    raise();
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
    onTextEdited(m_edit->text());
}

void QuickSwitcher::closeSwitcher()
{
    if (isHidden())
        return;
    qApp->removeEventFilter(this);
    hide();
    if (m_window)
        m_window->setFocus(Qt::OtherFocusReason);
}

void QuickSwitcher::onTextEdited(const QString& text)
{
    m_model->setQuery(text);
    if (m_model->rowCount() > 0)
        m_list->setCurrentIndex(m_model->index(0));
    updateHint();
}

void QuickSwitcher::updateHint()
{
    if (m_model->query().isEmpty())
        m_hint->setText(tr("↑↓ 选择　Enter 打开　Esc 关闭"));
    else if (m_model->rowCount() == 0)
        m_hint->setText(tr("没有匹配的条目"));
    else
        m_hint->setText(tr("%1 个匹配　↑↓ 选择　Enter 打开　Esc 关闭").arg(m_model->rowCount()));
}

void QuickSwitcher::openRow(int row)
{
    const QString path = m_model->pathAt(row);
    if (path.isEmpty())
        return;
    closeSwitcher();
    emit pageRequested(path);
}

void QuickSwitcher::place()
{
    if (!m_window)
        return;
    const int width = qBound(360, m_window->width() / 2, 640);
    const int height = qBound(240, m_window->height() * 3 / 5, 520);
    resize(width, height);
    move((m_window->width() - width) / 2, qMin(90, m_window->height() / 8));
}

bool QuickSwitcher::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Resize && !isHidden()) {
        place();
    } else if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int rows = m_model->rowCount();
        const int current = m_list->currentIndex().row();
        const int page = qMax(1, m_list->viewport()->height() / qMax(1, m_list->sizeHintForRow(0)));
        int target = -1;
        switch (key->key()) {
        case Qt::Key_Escape:
            closeSwitcher();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            openRow(current);
            return true;
        case Qt::Key_Down:
            target = current + 1 < rows ? current + 1 : 0;
            break;
        case Qt::Key_Up:
            target = current > 0 ? current - 1 : rows - 1;
            break;
        case Qt::Key_PageDown:
            target = qMin(rows - 1, current + page);
            break;
        case Qt::Key_PageUp:
            target = qMax(0, current - page);
            break;
        default:
            return QFrame::eventFilter(watched, event);
        }
        if (rows > 0 && target >= 0)
            m_list->setCurrentIndex(m_model->index(target));
        return true;
    } else if (event->type() == QEvent::MouseButtonPress && !isHidden()) {
        // A click outside the popup closes it.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget != this && !isAncestorOf(widget) && widget->window() == window())
            closeSwitcher();
    }
    return QFrame::eventFilter(watched, event);
}
