#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Warning and information boxes of the editors. They are window-modal but opened
// without a nested event loop, so the caller returns at once and nothing waits on them.
class EditorMessageBox
{
public:
    static QMessageBox* show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                             const QString& text);
};
