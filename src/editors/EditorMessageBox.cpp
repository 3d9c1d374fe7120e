#include "EditorMessageBox.h"

QMessageBox* EditorMessageBox::show(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                    const QString& text)
{
    auto* box = new QMessageBox(icon, title, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
    return box;
}
