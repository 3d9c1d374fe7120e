#include "FindBar.h"

#include "ThemedStyleSheet.h"
#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QTextEdit>
#include <QToolButton>

FindBar::FindBar(QTextEdit* target) : QFrame(target->parentWidget()), m_target(target)
{
    setObjectName(QStringLiteral("findBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    ThemedStyleSheet::apply(this, QStringLiteral("#findBar { background: #fafafa; border: "
                                                 "1px solid #bbb; border-radius: 4px; }"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("findEdit"));
    m_edit->setPlaceholderText(tr("在页面中查找"));
    m_edit->setMinimumWidth(200);
    m_edit->installEventFilter(this);
    m_countLabel = new QLabel(this);
    m_countLabel->setObjectName(QStringLiteral("findCount"));
    m_countLabel->setMinimumWidth(48);
    m_countLabel->setAlignment(Qt::AlignCenter);
    m_previousButton = new QToolButton(this);
    m_previousButton->setText(QStringLiteral("▲"));
    m_previousButton->setToolTip(tr("上一个 (Shift+F3)"));
    m_nextButton = new QToolButton(this);
    m_nextButton->setText(QStringLiteral("▼"));
    m_nextButton->setToolTip(tr("下一个 (F3)"));
    m_closeButton = new QToolButton(this);
    m_closeButton->setText(QStringLiteral("✕"));
    m_closeButton->setToolTip(tr("关闭 (Esc)"));
    for (QWidget* widget : std::initializer_list<QWidget*>{m_edit, m_countLabel, m_previousButton,
                                                           m_nextButton, m_closeButton})
        layout->addWidget(widget);

    connect(m_edit, &QLineEdit::textEdited, this, &FindBar::onTextEdited);
    connect(m_previousButton, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(m_nextButton, &QToolButton::clicked, this, &FindBar::findNext);
    connect(m_closeButton, &QToolButton::clicked, this, &FindBar::closeBar);

    m_findAction = new QAction(tr("页内查找(&I)"), this);
    m_findAction->setObjectName(QStringLiteral("findInPageAction"));
    m_findAction->setShortcut(QKeySequence::Find);
    connect(m_findAction, &QAction::triggered, this, &FindBar::openBar);
    m_findNextAction = new QAction(tr("查找下一个"), this);
    m_findNextAction->setObjectName(QStringLiteral("findNextAction"));
    m_findNextAction->setShortcut(QKeySequence(Qt::Key_F3));
    connect(m_findNextAction, &QAction::triggered, this, &FindBar::findNext);
    m_findPreviousAction = new QAction(tr("查找上一个"), this);
    m_findPreviousAction->setObjectName(QStringLiteral("findPreviousAction"));
    m_findPreviousAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    connect(m_findPreviousAction, &QAction::triggered, this, &FindBar::findPrevious);

    // Esc closes the bar from its own field and from the view alike.
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), parentWidget(), nullptr, nullptr,
                             Qt::WidgetWithChildrenShortcut);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, &FindBar::closeBar);

    m_finder.setDocument(target->document());
    connect(target, &QTextEdit::textChanged, this, &FindBar::onTargetChanged);
    target->installEventFilter(this);
    hide();
}

QColor FindBar::hitColor()
{
    return QColor(255, 235, 59);
}

QColor FindBar::currentHitColor()
{
    return QColor(255, 152, 0);
}

void FindBar::openBar()
{
    if (!m_target || !m_target->isVisible())
        return;
    place();
    show();
    raise();
    m_escape->setEnabled(true);
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
    m_finder.setDocument(m_target->document());
    m_finder.setQuery(m_edit->text());
    showCurrent();
}

void FindBar::closeBar()
{
    hide();
    m_escape->setEnabled(false);
    if (!m_target)
        return;
    m_target->setExtraSelections({});
    m_target->setFocus(Qt::OtherFocusReason);
}

void FindBar::findNext()
{
    if (isHidden()) {
        openBar();
        return;
    }
    m_finder.next();
    showCurrent();
}

void FindBar::findPrevious()
{
    if (isHidden()) {
        openBar();
        return;
    }
    m_finder.previous();
    showCurrent();
}

void FindBar::onTextEdited(const QString& text)
{
    m_finder.setQuery(text);
    showCurrent();
}

void FindBar::onTargetChanged()
{
    if (isHidden() || !m_target)
        return;
    // A new page replaces the document's contents, or the document itself.
    if (m_finder.document() != m_target->document())
        m_finder.setDocument(m_target->document());
    else
        m_finder.refresh();
    showCurrent();
}

void FindBar::showCurrent()
{
    m_countLabel->setText(m_finder.countText());
    const bool nothingFound = !m_finder.query().isEmpty() && m_finder.count() == 0;
    ThemedStyleSheet::apply(
        m_edit, nothingFound ? QStringLiteral("QLineEdit { background: #ffdddd; }") : QString());
    if (!m_target)
        return;
    QList<QTextEdit::ExtraSelection> selections;
    const QList<QTextCursor> hits = m_finder.hits();
    for (int i = 0; i < hits.size(); ++i) {
        QTextEdit::ExtraSelection selection;
        selection.cursor = hits.at(i);
        // Dark text on the bright marks, whatever the theme's text colour.
        selection.format.setForeground(QColor(Qt::black));
        selection.format.setBackground(i == m_finder.currentIndex() ? currentHitColor()
                                                                    : hitColor());
        selections.append(selection);
    }
    m_target->setExtraSelections(selections);
    const QTextCursor current = m_finder.currentHit();
    if (current.isNull())
        return;
    QTextCursor caret(current);
    caret.setPosition(current.selectionStart());
    m_target->setTextCursor(caret);
    m_target->ensureCursorVisible();
}

void FindBar::place()
{
    if (!m_target)
        return;
    adjustSize();
    const QRect area = m_target->geometry();
    const int scrollBar =
        m_target->verticalScrollBar()->isVisible() ? m_target->verticalScrollBar()->width() : 0;
    move(qMax(area.left(), area.right() - width() - scrollBar - 8), area.top() + 4);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    // The type first: the view's ~QWidget sends events too, and a QPointer<QTextEdit> compared
    // then would cast an object that is no QTextEdit any more.
    const bool moved = event->type() == QEvent::Resize || event->type() == QEvent::Move;
    if (moved && watched == m_target) {
        if (!isHidden())
            place();
    } else if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                findPrevious();
            else
                findNext();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
