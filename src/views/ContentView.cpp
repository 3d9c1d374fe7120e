#include "ContentView.h"

#include "ContentRenderer.h"
#include "CustomTextBrowser.h"
#include "InternalLink.h"
#include "LinkPolicy.h"
#include "ThemedStyleSheet.h"
#include "data/DataManager.h"
#include "data/EntryLinkResolver.h"

#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Room the browser's padding, frame and document margin take from the viewport.
constexpr int kPictureMargin = 48;

} // namespace

ContentView::ContentView(QWidget* parent)
    : QWidget(parent), m_dataDirectory(QDir::currentPath() + QStringLiteral("/data"))
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
    // Until the first show: a long first page is then laid out once, at the width the
    // bar leaves, instead of again when the bar appears. See showEvent.
    m_textBrowser->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    ThemedStyleSheet::apply(this, QStringLiteral("\n"
                                                 "        QTextBrowser {\n"
                                                 "            background-color: white;\n"
                                                 "            border: 1px solid #ddd;\n"
                                                 "            padding: 10px;\n"
                                                 "        }\n"
                                                 "    "));

    m_linkResolver = new EntryLinkResolver(this);
    m_textBrowser->setCompareFilter([this](const QString& path) {
        m_linkResolver->ensureBuilt();
        return m_linkResolver->targetForPath(path).kind == EntryLinkResolver::Kind::Software;
    });

    m_refitTimer = new QTimer(this);
    m_refitTimer->setSingleShot(true);
    m_refitTimer->setInterval(150);
    connect(m_refitTimer, &QTimer::timeout, this, [this] {
        if (pictureFitWidth() != m_renderedFitWidth)
            render();
    });

    connect(m_textBrowser, &CustomTextBrowser::promptRequested, this,
            &ContentView::aiPromptRequested);
    connect(m_textBrowser, &CustomTextBrowser::compareRequested, this,
            &ContentView::compareRequested);
    connect(m_textBrowser, &QTextBrowser::anchorClicked, this, &ContentView::onAnchorClicked);
}

ContentView::~ContentView() = default;

void ContentView::setDataManager(DataManager* dataManager)
{
    m_linkResolver->setDataManager(dataManager);
}

void ContentView::setDataDirectory(const QString& path)
{
    m_dataDirectory = path;
    while (m_dataDirectory.size() > 1 && m_dataDirectory.endsWith(QLatin1Char('/')))
        m_dataDirectory.chop(1);
}

void ContentView::displayData(const QJsonObject& data, const QString& path)
{
    m_currentData = data;
    m_currentPath = data.value(QLatin1String("_filePath")).toString();
    if (m_currentPath.isEmpty())
        m_currentPath = path;
    // Every picture opens fitted to the view.
    m_pictureFullSize = false;
    m_titleLabel->setText(ContentRenderer::pageTitle(data));
    render();
    m_textBrowser->verticalScrollBar()->setValue(0);
}

void ContentView::displayHtml(const QString& title, const QString& html)
{
    m_currentData = QJsonObject();
    m_currentPath.clear();
    m_pictureFullSize = false;
    m_renderedFitWidth = 0;
    m_titleLabel->setText(title);
    m_textBrowser->setHtml(html);
    m_textBrowser->verticalScrollBar()->setValue(0);
}

int ContentView::pictureFitWidth() const
{
    if (ContentRenderer::pageKind(m_currentData) != ContentRenderer::PageKind::Picture)
        return 0;
    if (m_pictureFullSize)
        return -1;
    return qMax(64, m_textBrowser->viewport()->width() - kPictureMargin);
}

void ContentView::render()
{
    m_linkResolver->ensureBuilt();
    PageContext context;
    context.setResolver(m_linkResolver);
    context.setSelfPath(m_currentPath);
    context.setDataDirectory(m_dataDirectory);
    m_renderedFitWidth = pictureFitWidth();
    context.setPictureWidth(m_renderedFitWidth);
    m_textBrowser->setHtml(ContentRenderer::buildHtml(m_currentData, context));
}

void ContentView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_renderedFitWidth > 0)
        m_refitTimer->start();
}

void ContentView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shownBefore)
        return;
    m_shownBefore = true;
    // After the first paint; a short page then loses the bar as usual.
    QTimer::singleShot(
        0, this, [this] { m_textBrowser->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded); });
}

void ContentView::onAnchorClicked(const QUrl& url)
{
    if (url.scheme().isEmpty() && url.path().isEmpty() &&
        url.fragment() == ContentRenderer::pictureToggleFragment()) {
        m_pictureFullSize = !m_pictureFullSize;
        const int scroll = m_textBrowser->verticalScrollBar()->value();
        render();
        m_textBrowser->verticalScrollBar()->setValue(scroll);
        emit statusMessage(m_pictureFullSize ? tr("图片以原始尺寸显示（单击图片恢复适应宽度）")
                                             : tr("图片已适应窗口宽度（单击图片查看原始尺寸）"));
        return;
    }
    switch (LinkPolicy::classify(url)) {
    case LinkPolicy::Action::OpenEntry:
        emit internalLinkActivated(InternalLink::path(url));
        break;
    case LinkPolicy::Action::OpenExternal:
        openExternalUrl(url);
        break;
    case LinkPolicy::Action::ScrollTo:
        m_textBrowser->scrollToAnchor(url.fragment());
        break;
    case LinkPolicy::Action::Refuse:
        qWarning().noquote() << "Refused link:" << url.toString().left(200);
        emit statusMessage(LinkPolicy::refusedMessage(url));
        break;
    }
}

void ContentView::openExternalUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}
