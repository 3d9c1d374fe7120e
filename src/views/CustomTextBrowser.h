#pragma once

#include <QString>
#include <QTextBrowser>

#include <functional>

class QMenu;

// Text browser whose context menu can turn the selected text into an AI prompt
// and put the entry a link points to on the compare page.
class CustomTextBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit CustomTextBrowser(QWidget* parent = nullptr);

    static QString selectionPrompt(const QString& selectedText);

    // The standard menu plus the prompt action when text is selected; position
    // is in document coordinates; the caller owns the menu.
    QMenu* createPromptContextMenu(const QPoint& position);
    // The same menu, with "加入对比" when anchor is an internal link the filter accepts.
    QMenu* createContextMenuFor(const QPoint& position, const QString& anchor);

    // Decides which linked entries may be compared (software entries, say).
    void setCompareFilter(std::function<bool(const QString& path)> filter);

signals:
    void promptRequested(const QString& text);
    void compareRequested(const QString& path);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::function<bool(const QString&)> m_compareFilter;
};
