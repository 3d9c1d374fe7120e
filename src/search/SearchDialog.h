#pragma once

#include "search/MarkdownSearchResult.h"

#include <QDialog>
#include <QJsonArray>
#include <QList>
#include <QPointer>
#include <QString>

class DataManager;
class MarkdownSearcher;
class QCheckBox;
class QComboBox;
class QDateTime;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class SearchEngine;

// The non-modal advanced search window: JSON entries through its own search
// engine, Markdown documents through its own indexed searcher, a preview and
// a text export of the results.
class SearchDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SearchDialog(QWidget* parent = nullptr);

    void setDataManager(DataManager* dataManager);
    void setSearchPath(const QString& path);
    void showAndSearch(const QString& query);

    QJsonArray jsonResults() const { return m_jsonResults; }
    QList<MarkdownSearchResult> markdownResults() const { return m_markdownResults; }

    // The export file's text for the current results, stamped with the given time.
    QString exportText(const QDateTime& timestamp) const;
    // The preview of a Markdown file with every occurrence of the query marked.
    static QString markdownPreviewHtml(const QString& title, const QString& text,
                                       const QString& query);

public slots:
    void performSearch();
    void clearResults();
    void onSearchCompleted();
    void onSearchModeChanged();
    void onSearchScopeChanged();
    void onCategoriesChanged();

private slots:
    void onResultItemClicked(QTreeWidgetItem* item, int column);
    void onPreviewItemClicked(QTreeWidgetItem* item, int column);
    void onSearchProgress(int progress);
    void onBuildIndexClicked();
    void onExportResults();
    void onAdvancedOptionsToggled(bool visible);

protected:
    void keyPressEvent(QKeyEvent* event) override;

    // Message and file dialogs go through these so that tests can answer them.
    virtual void showInformation(const QString& title, const QString& text);
    virtual void showWarning(const QString& title, const QString& text);
    virtual QString askSaveFileName(const QString& caption, const QString& proposedName,
                                    const QString& filter);

private:
    void setupUi();
    void setupConnections();
    void displayJsonResults();
    void displayMarkdownResults();
    void updateStatus();
    void refillCategories();
    static void configureResultTree(QTreeWidget* tree, const QStringList& labels);
    // Rows are added unsorted, then sorted most relevant first.
    static void showByRelevance(QTreeWidget* tree);

    QLineEdit* m_searchEdit = nullptr;
    QPushButton* m_searchButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QPushButton* m_buildIndexButton = nullptr;
    QPushButton* m_exportButton = nullptr;
    QPushButton* m_advancedButton = nullptr;
    QComboBox* m_searchTypeCombo = nullptr;
    QComboBox* m_matchModeCombo = nullptr;
    QComboBox* m_scopeCombo = nullptr;
    QComboBox* m_categoryCombo = nullptr;
    QCheckBox* m_caseSensitiveCheck = nullptr;
    QSpinBox* m_maxResultsSpin = nullptr;
    QTabWidget* m_resultTabs = nullptr;
    QTreeWidget* m_jsonResultTree = nullptr;
    QTreeWidget* m_markdownResultTree = nullptr;
    QTextEdit* m_previewEdit = nullptr;
    QLabel* m_statusLabel = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QSplitter* m_splitter = nullptr;
    QGroupBox* m_advancedGroup = nullptr;
    SearchEngine* m_searchEngine = nullptr;
    MarkdownSearcher* m_markdownSearcher = nullptr;
    QPointer<DataManager> m_dataManager;
    QJsonArray m_jsonResults;
    QList<double> m_jsonScores;
    QList<MarkdownSearchResult> m_markdownResults;
};
