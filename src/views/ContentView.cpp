#include "ContentView.h"

#include "ContentRenderer.h"
#include "CustomTextBrowser.h"
#include "InternalLink.h"

#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

ContentView::ContentView(QWidget* parent) : QWidget(parent)
{
    m_layout = new QVBoxLayout(this);

    m_titleLabel = new QLabel(this);
    // Entry names are data, not markup.
    m_titleLabel->setTextFormat(Qt::PlainText);
    m_titleLabel->setStyleSheet(
        QStringLiteral("QLabel { font-size: 18px; font-weight: bold; padding: 10px; }"));
    m_layout->addWidget(m_titleLabel);

    m_textBrowser = new CustomTextBrowser(this);
    // Links never navigate the browser itself; onAnchorClicked decides.
    m_textBrowser->setOpenExternalLinks(false);
    m_textBrowser->setOpenLinks(false);
    const QString workingDir = QDir::currentPath();
    m_textBrowser->setSearchPaths({workingDir, workingDir + QStringLiteral("/data"),
                                   workingDir + QStringLiteral("/data/pictures")});
    m_layout->addWidget(m_textBrowser);

    setStyleSheet(QStringLiteral("\n"
                                 "        QTextBrowser {\n"
                                 "            background-color: white;\n"
                                 "            border: 1px solid #ddd;\n"
                                 "            padding: 10px;\n"
                                 "        }\n"
                                 "    "));

    connect(m_textBrowser, &CustomTextBrowser::promptRequested, this,
            &ContentView::aiPromptRequested);
    connect(m_textBrowser, &QTextBrowser::anchorClicked, this, &ContentView::onAnchorClicked);
}

void ContentView::displayData(const QJsonObject& data)
{
    m_currentData = data;
    m_titleLabel->setText(ContentRenderer::pageTitle(data));
    m_textBrowser->setHtml(ContentRenderer::buildHtml(data));
    m_textBrowser->verticalScrollBar()->setValue(0);
}

void ContentView::displayHtml(const QString& title, const QString& html)
{
    m_currentData = QJsonObject();
    m_titleLabel->setText(title);
    m_textBrowser->setHtml(html);
    m_textBrowser->verticalScrollBar()->setValue(0);
}

void ContentView::onAnchorClicked(const QUrl& url)
{
    if (InternalLink::isInternal(url)) {
        const QString path = InternalLink::path(url);
        if (!path.isEmpty())
            emit internalLinkActivated(path);
        return;
    }
    QDesktopServices::openUrl(url);
}
