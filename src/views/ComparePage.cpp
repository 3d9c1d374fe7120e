#include "ComparePage.h"

#include "ContentRenderer.h"
#include "InternalLink.h"
#include "LinkPolicy.h"
#include "data/AtomicFileWriter.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

ComparePage::ComparePage(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(tr("对比"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(tr("对比"), this);
    title->setStyleSheet(
        QStringLiteral("QLabel { font-size: 18px; font-weight: bold; padding: 10px; }"));
    layout->addWidget(title);

    m_hintLabel = new QLabel(this);
    m_hintLabel->setWordWrap(true);
    layout->addWidget(m_hintLabel);

    auto* buttons = new QHBoxLayout;
    m_exportButton = new QPushButton(tr("导出 CSV"), this);
    m_clearButton = new QPushButton(tr("清空"), this);
    buttons->addWidget(m_exportButton);
    buttons->addWidget(m_clearButton);
    buttons->addStretch();
    layout->addLayout(buttons);

    m_browser = new QTextBrowser(this);
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    layout->addWidget(m_browser);

    connect(m_exportButton, &QPushButton::clicked, this, &ComparePage::onExportCsv);
    connect(m_clearButton, &QPushButton::clicked, this, &ComparePage::clearEntries);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &ComparePage::onAnchorClicked);
    refresh();
}

CompareTable::AddResult ComparePage::addEntry(const QString& path, const QJsonObject& entry)
{
    const CompareTable::AddResult result = m_table.add(path, entry);
    emit statusMessage(CompareTable::addResultMessage(result, ContentRenderer::pageTitle(entry)));
    if (result == CompareTable::AddResult::Added)
        refresh();
    return result;
}

void ComparePage::removeEntry(const QString& path)
{
    if (m_table.remove(path))
        refresh();
}

void ComparePage::clearEntries()
{
    m_table.clear();
    refresh();
}

QString ComparePage::pageHtml() const
{
    PageContext context;
    context.setResolver(m_resolver);
    QString html = ContentRenderer::htmlHead();
    if (m_table.count() > 0)
        html += m_table.toHtml(context);
    return html + QStringLiteral("</body></html>");
}

void ComparePage::refresh()
{
    const int count = m_table.count();
    if (count < CompareTable::MinEntries)
        m_hintLabel->setText(
            tr("请选择 %1 到 %2 个软件条目：在导航树或页面链接上右键，选择“加入对比”。"
               "已选 %3 个。")
                .arg(CompareTable::MinEntries)
                .arg(CompareTable::MaxEntries)
                .arg(count));
    else
        m_hintLabel->setText(tr("已选 %1 个软件；黄色底色的行表示各产品取值不同。").arg(count));
    m_exportButton->setEnabled(count > 0);
    m_clearButton->setEnabled(count > 0);
    m_browser->setHtml(pageHtml());
    emit entriesChanged(count);
}

void ComparePage::onAnchorClicked(const QUrl& url)
{
    static const QString removePrefix = QStringLiteral("remove-");
    if (url.scheme().isEmpty() && url.fragment().startsWith(removePrefix)) {
        bool ok = false;
        const int index = url.fragment().mid(removePrefix.size()).toInt(&ok);
        if (ok && index >= 0 && index < m_table.count())
            removeEntry(m_table.paths().at(index));
        return;
    }
    if (LinkPolicy::classify(url) == LinkPolicy::Action::OpenEntry)
        emit entryLinkActivated(InternalLink::path(url));
    else
        emit statusMessage(LinkPolicy::refusedMessage(url));
}

bool ComparePage::exportCsvTo(const QString& path)
{
    QString error;
    if (!AtomicFileWriter::write(path, m_table.toCsv(), &error)) {
        showWarning(tr("导出失败"),
                    tr("无法写入 %1：%2").arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    emit statusMessage(tr("对比表已导出到 %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

void ComparePage::onExportCsv()
{
    if (m_table.count() == 0)
        return;
    const QString path = askSaveFileName(tr("软件对比.csv"));
    if (!path.isEmpty())
        exportCsvTo(path);
}

QString ComparePage::askSaveFileName(const QString& proposedName)
{
    return QFileDialog::getSaveFileName(this, tr("导出对比表"), QDir::home().filePath(proposedName),
                                        tr("CSV 文件 (*.csv)"));
}

void ComparePage::showWarning(const QString& title, const QString& text)
{
    QMessageBox::warning(this, title, text, QMessageBox::Ok);
}
