#pragma once

#include "search/SearchDialog.h"

#include <QStringList>

// Answers the dialog's message boxes and save dialog instead of a user, and
// records what they would have shown.
class TestableSearchDialog : public SearchDialog
{
public:
    using SearchDialog::SearchDialog;

    QStringList informations;
    QStringList warnings;
    QStringList saveRequests;
    QString savePath;

protected:
    void showInformation(const QString& title, const QString& text) override
    {
        informations << title + QLatin1Char('|') + text;
    }
    void showWarning(const QString& title, const QString& text) override
    {
        warnings << title + QLatin1Char('|') + text;
    }
    QString askSaveFileName(const QString& caption, const QString& proposedName,
                            const QString& filter) override
    {
        saveRequests << caption + QLatin1Char('|') + proposedName + QLatin1Char('|') + filter;
        return savePath;
    }
};
