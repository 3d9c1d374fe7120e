#include "CustomTextBrowser.h"

#include "InternalLink.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextCursor>

#include <memory>

CustomTextBrowser::CustomTextBrowser(QWidget* parent) : QTextBrowser(parent) {}

QString CustomTextBrowser::selectionPrompt(const QString& selectedText)
{
    return tr("请基于以下原文进行详细解释和扩写，不要照抄，补充必要背景、定义、应用场景与关键点，"
              "保持事实准确，建议 200-300 字：\n%1")
        .arg(selectedText);
}

void CustomTextBrowser::setCompareFilter(std::function<bool(const QString&)> filter)
{
    m_compareFilter = std::move(filter);
}

QMenu* CustomTextBrowser::createPromptContextMenu(const QPoint& position)
{
    return createContextMenuFor(position, QString());
}

QMenu* CustomTextBrowser::createContextMenuFor(const QPoint& position, const QString& anchor)
{
    QMenu* menu = createStandardContextMenu(position);
    const QString linkedPath = InternalLink::path(QUrl(anchor));
    if (!linkedPath.isEmpty() && m_compareFilter && m_compareFilter(linkedPath)) {
        menu->addSeparator();
        QAction* compare = menu->addAction(tr("加入对比"));
        connect(compare, &QAction::triggered, this,
                [this, linkedPath] { emit compareRequested(linkedPath); });
    }
    // The cursor marks line and paragraph breaks with U+2028/U+2029; the prompt
    // goes to the clipboard, where a plain line feed is what readers expect.
    QString selected = textCursor().selectedText().trimmed();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    selected.replace(QChar::LineSeparator, QLatin1Char('\n'));
    if (!selected.isEmpty()) {
        menu->addSeparator();
        QAction* action = menu->addAction(tr("生成AI提示词"));
        connect(action, &QAction::triggered, this,
                [this, selected] { emit promptRequested(selectionPrompt(selected)); });
    }
    return menu;
}

void CustomTextBrowser::contextMenuEvent(QContextMenuEvent* event)
{
    // The standard menu wants document coordinates; the event has viewport ones.
    const QPoint documentPosition =
        event->pos() + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const std::unique_ptr<QMenu> menu(
        createContextMenuFor(documentPosition, anchorAt(event->pos())));
    menu->exec(event->globalPos());
}
