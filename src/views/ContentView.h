#pragma once

#include <QJsonObject>
#include <QUrl>
#include <QWidget>

class CustomTextBrowser;
class QLabel;
class QVBoxLayout;

// Page 0 of the main window: the current entry rendered as one HTML page
// under a bold title.
class ContentView : public QWidget
{
    Q_OBJECT

public:
    explicit ContentView(QWidget* parent = nullptr);

    void displayData(const QJsonObject& data);
    // A page that is no entry (the home page, an article): the title and the finished HTML.
    void displayHtml(const QString& title, const QString& html);

    QJsonObject currentData() const { return m_currentData; }
    CustomTextBrowser* textBrowser() const { return m_textBrowser; }
    QLabel* titleLabel() const { return m_titleLabel; }

signals:
    void aiPromptRequested(const QString& prompt);
    // A link to a page of the program (InternalLink) was clicked.
    void internalLinkActivated(const QString& path);

public slots:
    void onAnchorClicked(const QUrl& url);

private:
    CustomTextBrowser* m_textBrowser = nullptr;
    QLabel* m_titleLabel = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QJsonObject m_currentData;
};
