#pragma once

#include "CompareTable.h"

#include <QJsonObject>
#include <QUrl>
#include <QWidget>

class EntryLinkResolver;
class QLabel;
class QPushButton;
class QTextBrowser;

// The "对比" page: the compare table of the chosen software entries, with
// CSV export. Product names link to their entries (entryLinkActivated).
class ComparePage : public QWidget
{
    Q_OBJECT

public:
    explicit ComparePage(QWidget* parent = nullptr);

    void setLinkResolver(const EntryLinkResolver* resolver) { m_resolver = resolver; }
    CompareTable::AddResult addEntry(const QString& path, const QJsonObject& entry);
    void removeEntry(const QString& path);
    void clearEntries();
    const CompareTable& table() const { return m_table; }

    QTextBrowser* browser() const { return m_browser; }
    QString pageHtml() const;

    // Writes the table to path as CSV; false (and a warning) when it could not.
    bool exportCsvTo(const QString& path);

signals:
    void entryLinkActivated(const QString& path);
    void statusMessage(const QString& text);
    void entriesChanged(int count);

public slots:
    void onExportCsv();

protected:
    // Dialogs go through these so that tests can answer them.
    virtual QString askSaveFileName(const QString& proposedName);
    virtual void showWarning(const QString& title, const QString& text);

private:
    void refresh();
    void onAnchorClicked(const QUrl& url);

    CompareTable m_table;
    const EntryLinkResolver* m_resolver = nullptr;
    QLabel* m_hintLabel = nullptr;
    QTextBrowser* m_browser = nullptr;
    QPushButton* m_exportButton = nullptr;
    QPushButton* m_clearButton = nullptr;
};
