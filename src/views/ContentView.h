#pragma once

#include <QJsonObject>
#include <QUrl>
#include <QWidget>

class CustomTextBrowser;
class DataManager;
class EntryLinkResolver;
class QLabel;
class QTimer;
class QVBoxLayout;

// Page 0 of the main window: the current entry rendered as one HTML page
// under a bold title. Names of other entries are internal links; following one
// is left to the window (internalLinkActivated), so it opens like a tree selection.
class ContentView : public QWidget
{
    Q_OBJECT

public:
    explicit ContentView(QWidget* parent = nullptr);
    ~ContentView() override;

    // The pages' links follow this data manager's lists.
    void setDataManager(DataManager* dataManager);
    // Local files an entry names are read only below this directory.
    void setDataDirectory(const QString& path);

    // path: where the entry was loaded from (its own page is never linked).
    void displayData(const QJsonObject& data, const QString& path = QString());
    // A page that is no entry (the home page, an article): the title and the finished HTML.
    void displayHtml(const QString& title, const QString& html);

    QJsonObject currentData() const { return m_currentData; }
    CustomTextBrowser* textBrowser() const { return m_textBrowser; }
    QLabel* titleLabel() const { return m_titleLabel; }
    EntryLinkResolver* linkResolver() const { return m_linkResolver; }
    bool isPictureFullSize() const { return m_pictureFullSize; }

signals:
    void aiPromptRequested(const QString& prompt);
    // A link to a page of the program (InternalLink) was clicked: open it as if
    // chosen in the tree.
    void internalLinkActivated(const QString& path);
    // "加入对比" on a link to a software entry.
    void compareRequested(const QString& path);
    void statusMessage(const QString& text);

public slots:
    void onAnchorClicked(const QUrl& url);

protected:
    // Hands an http(s) or mailto address to the desktop; tests override it.
    virtual void openExternalUrl(const QUrl& url);
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void render();
    int pictureFitWidth() const;

    CustomTextBrowser* m_textBrowser = nullptr;
    QLabel* m_titleLabel = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QJsonObject m_currentData;
    QString m_currentPath;
    QString m_dataDirectory;
    EntryLinkResolver* m_linkResolver = nullptr;
    QTimer* m_refitTimer = nullptr;
    bool m_pictureFullSize = false;
    bool m_shownBefore = false;
    int m_renderedFitWidth = 0;
};
