#pragma once

#include <QString>
#include <QTextBrowser>

class QMenu;

// Text browser whose context menu can turn the selected text into an AI prompt.
class CustomTextBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit CustomTextBrowser(QWidget* parent = nullptr);

    static QString selectionPrompt(const QString& selectedText);

    // The standard menu plus the prompt action when text is selected; position
    // is in document coordinates; the caller owns the menu.
    QMenu* createPromptContextMenu(const QPoint& position);

signals:
    void promptRequested(const QString& text);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};
