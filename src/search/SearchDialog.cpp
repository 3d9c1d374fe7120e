#include "SearchDialog.h"

#include "data/AtomicFileWriter.h"
#include "data/DataManager.h"
#include "search/BoundedRegex.h"
#include "search/MarkdownSearcher.h"
#include "search/SearchEngine.h"
#include "views/PageStyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kEntryJsonRole = Qt::UserRole + 1;
constexpr int kSummaryRole = Qt::UserRole + 1;

const QString kTypeAll = QStringLiteral("all");
const QString kTypeJson = QStringLiteral("json");
const QString kTypeMarkdown = QStringLiteral("markdown");

constexpr int kRelevanceColumn = 4;

// A hit in the preview: Qt's rich text draws no <mark>, but a span's background.
QString hitOpen()
{
    return PageStyle::adapt(QStringLiteral("<span style=\"background-color: #ffe066;\">"));
}
const QString kHitClose = QStringLiteral("</span>");

// A result row that sorts numerically on the relevance column; rows of equal
// relevance keep the order the search gave them.
class ResultItem : public QTreeWidgetItem
{
public:
    ResultItem(double relevance, int rank) : m_relevance(relevance), m_rank(rank) {}

    bool operator<(const QTreeWidgetItem& other) const override
    {
        const auto* row = dynamic_cast<const ResultItem*>(&other);
        const int column = treeWidget() ? treeWidget()->sortColumn() : kRelevanceColumn;
        if (column != kRelevanceColumn || !row)
            return QTreeWidgetItem::operator<(other);
        if (m_relevance != row->m_relevance)
            return m_relevance < row->m_relevance;
        return m_rank > row->m_rank;
    }

private:
    double m_relevance;
    int m_rank;
};

QString descriptionText(const QJsonObject& entry)
{
    if (!entry.contains(QLatin1String("description")))
        return {};
    const QJsonObject description = entry.value(QLatin1String("description")).toObject();
    const QString zh = description.value(QLatin1String("zh")).toString();
    return zh.isEmpty() ? description.value(QLatin1String("en")).toString() : zh;
}

} // namespace

SearchDialog::SearchDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("高级搜索"));
    setMinimumSize(900, 700);
    resize(1200, 800);

    m_searchEngine = new SearchEngine(this);
    m_markdownSearcher = new MarkdownSearcher(this);

    setupUi();
    setupConnections();
}

void SearchDialog::setupUi()
{
    auto* mainLayout = new QVBoxLayout(this);

    auto* searchRow = new QHBoxLayout;
    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("searchEdit"));
    m_searchEdit->setPlaceholderText(tr("请输入搜索关键词..."));
    m_searchButton = new QPushButton(tr("搜索"), this);
    m_searchButton->setObjectName(QStringLiteral("searchButton"));
    m_searchButton->setDefault(true);
    m_clearButton = new QPushButton(tr("清空"), this);
    m_clearButton->setObjectName(QStringLiteral("clearButton"));
    m_buildIndexButton = new QPushButton(tr("构建索引"), this);
    m_buildIndexButton->setObjectName(QStringLiteral("buildIndexButton"));
    m_advancedButton = new QPushButton(tr("高级选项"), this);
    m_advancedButton->setObjectName(QStringLiteral("advancedButton"));
    m_advancedButton->setCheckable(true);
    searchRow->addWidget(new QLabel(tr("搜索:"), this));
    searchRow->addWidget(m_searchEdit, 1);
    searchRow->addWidget(m_searchButton);
    searchRow->addWidget(m_clearButton);
    searchRow->addWidget(m_buildIndexButton);
    searchRow->addWidget(m_advancedButton);
    mainLayout->addLayout(searchRow);

    m_advancedGroup = new QGroupBox(tr("高级选项"), this);
    m_advancedGroup->setObjectName(QStringLiteral("advancedGroup"));
    auto* optionsRow = new QHBoxLayout(m_advancedGroup);

    m_searchTypeCombo = new QComboBox(m_advancedGroup);
    m_searchTypeCombo->setObjectName(QStringLiteral("searchTypeCombo"));
    m_searchTypeCombo->addItem(tr("全部"), kTypeAll);
    m_searchTypeCombo->addItem(tr("JSON数据"), kTypeJson);
    m_searchTypeCombo->addItem(tr("Markdown文档"), kTypeMarkdown);

    m_matchModeCombo = new QComboBox(m_advancedGroup);
    m_matchModeCombo->setObjectName(QStringLiteral("matchModeCombo"));
    m_matchModeCombo->addItem(tr("模糊匹配"), int(SearchEngine::FuzzyMatch));
    m_matchModeCombo->addItem(tr("精确匹配"), int(SearchEngine::ExactMatch));
    m_matchModeCombo->addItem(tr("正则表达式"), int(SearchEngine::RegexMatch));
    m_matchModeCombo->addItem(tr("语义匹配"), int(SearchEngine::SemanticMatch));

    m_scopeCombo = new QComboBox(m_advancedGroup);
    m_scopeCombo->setObjectName(QStringLiteral("scopeCombo"));
    m_scopeCombo->addItem(tr("全文搜索"), int(MarkdownSearcher::FullText));
    m_scopeCombo->addItem(tr("仅标题"), int(MarkdownSearcher::TitleOnly));
    m_scopeCombo->addItem(tr("仅内容"), int(MarkdownSearcher::ContentOnly));
    m_scopeCombo->addItem(tr("仅标题标签"), int(MarkdownSearcher::HeadingsOnly));

    m_categoryCombo = new QComboBox(m_advancedGroup);
    m_categoryCombo->setObjectName(QStringLiteral("categoryCombo"));
    m_categoryCombo->addItem(tr("全部分类"), QString(QLatin1String("")));

    m_caseSensitiveCheck = new QCheckBox(tr("区分大小写"), m_advancedGroup);
    m_caseSensitiveCheck->setObjectName(QStringLiteral("caseSensitiveCheck"));
    m_maxResultsSpin = new QSpinBox(m_advancedGroup);
    m_maxResultsSpin->setObjectName(QStringLiteral("maxResultsSpin"));
    m_maxResultsSpin->setRange(10, 1000);
    m_maxResultsSpin->setValue(50);

    optionsRow->addWidget(new QLabel(tr("搜索类型:"), m_advancedGroup));
    optionsRow->addWidget(m_searchTypeCombo);
    optionsRow->addWidget(new QLabel(tr("匹配模式:"), m_advancedGroup));
    optionsRow->addWidget(m_matchModeCombo);
    optionsRow->addWidget(new QLabel(tr("搜索范围:"), m_advancedGroup));
    optionsRow->addWidget(m_scopeCombo);
    optionsRow->addWidget(new QLabel(tr("分类:"), m_advancedGroup));
    optionsRow->addWidget(m_categoryCombo);
    optionsRow->addWidget(m_caseSensitiveCheck);
    optionsRow->addWidget(new QLabel(tr("最大结果数:"), m_advancedGroup));
    optionsRow->addWidget(m_maxResultsSpin);
    optionsRow->addStretch();
    m_advancedGroup->setVisible(false);
    mainLayout->addWidget(m_advancedGroup);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_resultTabs = new QTabWidget(m_splitter);
    m_resultTabs->setObjectName(QStringLiteral("resultTabs"));
    m_jsonResultTree = new QTreeWidget(m_resultTabs);
    m_jsonResultTree->setObjectName(QStringLiteral("jsonResultTree"));
    configureResultTree(m_jsonResultTree,
                        {tr("名称"), tr("类型"), tr("分类"), tr("描述"), tr("相关度")});
    m_markdownResultTree = new QTreeWidget(m_resultTabs);
    m_markdownResultTree->setObjectName(QStringLiteral("markdownResultTree"));
    configureResultTree(m_markdownResultTree,
                        {tr("标题"), tr("文件名"), tr("分类"), tr("摘要"), tr("相关度")});
    m_resultTabs->addTab(m_jsonResultTree, tr("JSON数据"));
    m_resultTabs->addTab(m_markdownResultTree, tr("Markdown文档"));

    m_previewEdit = new QTextEdit(m_splitter);
    m_previewEdit->setObjectName(QStringLiteral("previewEdit"));
    m_previewEdit->setReadOnly(true);
    m_previewEdit->setMinimumWidth(350);
    m_splitter->addWidget(m_resultTabs);
    m_splitter->addWidget(m_previewEdit);
    m_splitter->setSizes({600, 350});
    mainLayout->addWidget(m_splitter, 1);

    auto* statusRow = new QHBoxLayout;
    m_statusLabel = new QLabel(tr("准备就绪"), this);
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    m_progressBar->setVisible(false);
    m_exportButton = new QPushButton(tr("导出结果"), this);
    m_exportButton->setObjectName(QStringLiteral("exportButton"));
    m_exportButton->setEnabled(false);
    statusRow->addWidget(m_statusLabel, 1);
    statusRow->addWidget(m_progressBar);
    statusRow->addWidget(m_exportButton);
    mainLayout->addLayout(statusRow);
}

void SearchDialog::configureResultTree(QTreeWidget* tree, const QStringList& labels)
{
    tree->setHeaderLabels(labels);
    tree->setRootIsDecorated(false);
    tree->setAlternatingRowColors(true);
    showByRelevance(tree);
    QHeaderView* header = tree->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(3, QHeaderView::Stretch);
    header->setSectionResizeMode(4, QHeaderView::ResizeToContents);
}

void SearchDialog::showByRelevance(QTreeWidget* tree)
{
    tree->setSortingEnabled(true);
    tree->sortByColumn(kRelevanceColumn, Qt::DescendingOrder);
}

void SearchDialog::setupConnections()
{
    connect(m_searchButton, &QPushButton::clicked, this, &SearchDialog::performSearch);
    connect(m_searchEdit, &QLineEdit::returnPressed, this, &SearchDialog::performSearch);
    connect(m_clearButton, &QPushButton::clicked, this, &SearchDialog::clearResults);
    connect(m_buildIndexButton, &QPushButton::clicked, this, &SearchDialog::onBuildIndexClicked);
    connect(m_exportButton, &QPushButton::clicked, this, &SearchDialog::onExportResults);
    connect(m_advancedButton, &QPushButton::toggled, this, &SearchDialog::onAdvancedOptionsToggled);
    connect(m_jsonResultTree, &QTreeWidget::itemClicked, this, &SearchDialog::onResultItemClicked);
    connect(m_markdownResultTree, &QTreeWidget::itemClicked, this,
            &SearchDialog::onPreviewItemClicked);
    connect(m_searchTypeCombo, &QComboBox::currentIndexChanged, this,
            &SearchDialog::onSearchModeChanged);
    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this,
            &SearchDialog::onCategoriesChanged);

    connect(m_markdownSearcher, &MarkdownSearcher::searchStarted, this,
            [this](const QString& query) {
                m_statusLabel->setText(tr("正在搜索: %1").arg(query));
                m_progressBar->setVisible(true);
                m_progressBar->setValue(0);
            });
    connect(m_markdownSearcher, &MarkdownSearcher::searchProgress, this,
            &SearchDialog::onSearchProgress);
    connect(m_markdownSearcher, &MarkdownSearcher::searchCompleted, this,
            [this](const QList<MarkdownSearchResult>& results) {
                m_markdownResults = results;
                displayMarkdownResults();
                m_progressBar->setVisible(false);
                updateStatus();
            });
    connect(m_markdownSearcher, &MarkdownSearcher::indexBuildStarted, this, [this]() {
        m_statusLabel->setText(tr("正在构建索引..."));
        m_progressBar->setVisible(true);
        m_buildIndexButton->setEnabled(false);
    });
    connect(m_markdownSearcher, &MarkdownSearcher::indexBuildProgress, this,
            &SearchDialog::onSearchProgress);
    connect(m_markdownSearcher, &MarkdownSearcher::indexBuildCompleted, this, [this]() {
        m_statusLabel->setText(tr("索引构建完成"));
        m_progressBar->setVisible(false);
        m_buildIndexButton->setEnabled(true);
        refillCategories();
    });
    // A missing directory must not leave the dialog stuck in "building".
    connect(m_markdownSearcher, &MarkdownSearcher::indexBuildFailed, this,
            [this](const QString& path) {
                m_statusLabel->setText(tr("无法构建索引: 目录不存在: %1").arg(path));
                m_progressBar->setVisible(false);
                m_buildIndexButton->setEnabled(true);
                refillCategories();
            });
}

void SearchDialog::setDataManager(DataManager* dataManager)
{
    m_dataManager = dataManager;
}

void SearchDialog::setSearchPath(const QString& path)
{
    m_markdownSearcher->setSearchPath(path);
    if (!path.isEmpty() && QFileInfo(path).isDir())
        m_markdownSearcher->buildIndex();
}

void SearchDialog::showAndSearch(const QString& query)
{
    if (!query.isEmpty())
        m_searchEdit->setText(query);
    show();
    raise();
    activateWindow();
    if (!query.isEmpty())
        performSearch();
}

void SearchDialog::performSearch()
{
    const QString query = m_searchEdit->text().trimmed();
    if (query.isEmpty()) {
        showInformation(tr("提示"), tr("请输入搜索关键词"));
        return;
    }

    clearResults();

    const QString type = m_searchTypeCombo->currentData().toString();
    m_markdownSearcher->setCaseSensitive(m_caseSensitiveCheck->isChecked());
    m_markdownSearcher->setMaxResults(m_maxResultsSpin->value());

    const int mode = m_matchModeCombo->currentData().toInt();
    const QString category = m_categoryCombo->currentData().toString();
    if (mode == SearchEngine::RegexMatch) {
        const BoundedRegex expression(query, m_caseSensitiveCheck->isChecked());
        if (!expression.isValid()) {
            m_statusLabel->setText(expression.errorMessage());
            return;
        }
    }

    QStringList stopMessages;
    if ((type == kTypeAll || type == kTypeJson) && m_searchEngine && m_dataManager) {
        const SearchEngine::RankedResults ranked =
            m_searchEngine->rankedSearch(query, m_dataManager, mode, category);
        m_jsonResults = ranked.entries;
        m_jsonScores = ranked.scores;
        if (!ranked.error.isEmpty())
            stopMessages << ranked.error;
        displayJsonResults();
    }

    if (type == kTypeAll || type == kTypeMarkdown) {
        if (!m_markdownSearcher->isIndexReady()) {
            showInformation(tr("提示"), tr("请先构建Markdown文档索引"));
        } else {
            const int scope = m_scopeCombo->currentData().toInt();
            if (category.isEmpty()) {
                // Results arrive through the searcher's searchCompleted.
                m_markdownSearcher->search(query, scope, mode);
            } else {
                m_markdownResults =
                    m_markdownSearcher->searchInCategory(query, category, scope, mode);
                displayMarkdownResults();
            }
            const QString error = m_markdownSearcher->lastError();
            if (!error.isEmpty() && !stopMessages.contains(error))
                stopMessages << error;
        }
    }

    onSearchCompleted();
    if (!stopMessages.isEmpty())
        m_statusLabel->setText(stopMessages.join(QLatin1Char(' ')));
}

void SearchDialog::displayJsonResults()
{
    m_jsonResultTree->clear();
    m_jsonResultTree->setSortingEnabled(false);
    int count = 0;
    for (qsizetype i = 0; i < m_jsonResults.size(); ++i) {
        const QJsonValue value = m_jsonResults.at(i);
        if (!value.isObject())
            continue;
        const QJsonObject entry = value.toObject();
        const double score = m_jsonScores.value(i);
        auto* item = new ResultItem(score, count);
        item->setText(0, entry.value(QLatin1String("name")).toString());
        item->setText(1, entry.contains(QLatin1String("type"))
                             ? entry.value(QLatin1String("type")).toString()
                             : QStringLiteral("unknown"));
        item->setText(2, entry.value(QLatin1String("category")).toString());
        item->setText(3, descriptionText(entry));
        item->setText(4, QString::number(score, 'f', 1));
        item->setData(0, kEntryJsonRole,
                      QString::fromUtf8(QJsonDocument(entry).toJson(QJsonDocument::Indented)));
        m_jsonResultTree->addTopLevelItem(item);
        ++count;
    }
    showByRelevance(m_jsonResultTree);
    m_resultTabs->setTabText(0, tr("JSON数据 (%1)").arg(count));
}

void SearchDialog::displayMarkdownResults()
{
    m_markdownResultTree->clear();
    m_markdownResultTree->setSortingEnabled(false);
    int rank = 0;
    for (const MarkdownSearchResult& result : std::as_const(m_markdownResults)) {
        auto* item = new ResultItem(result.relevance, rank++);
        item->setText(0, result.title);
        item->setText(1, result.fileName);
        item->setText(2, result.category);
        item->setText(3, result.snippet);
        item->setText(4, QString::number(result.relevance, 'f', 1));
        item->setData(0, Qt::UserRole, result.filePath);
        QString summary = tr("标题: %1\n文件: %2\n分类: %3\n路径: %4\n相关度: %5\n\n摘要:\n%6")
                              .arg(result.title, result.fileName, result.category, result.filePath,
                                   QString::number(result.relevance, 'f', 2), result.snippet);
        if (!result.matchedLines.isEmpty())
            summary += tr("\n\n匹配行:\n") + result.matchedLines.join(QLatin1Char('\n'));
        item->setData(0, kSummaryRole, summary);
        m_markdownResultTree->addTopLevelItem(item);
    }
    showByRelevance(m_markdownResultTree);
    m_resultTabs->setTabText(1, tr("Markdown文档 (%1)").arg(m_markdownResults.size()));
}

void SearchDialog::updateStatus()
{
    const qsizetype jsonCount = m_jsonResults.size();
    const qsizetype markdownCount = m_markdownResults.size();
    QString text = tr("找到 %n 个结果", nullptr, int(jsonCount + markdownCount));
    if (jsonCount > 0 && markdownCount > 0)
        text += tr(" (JSON: %1, Markdown: %2)").arg(jsonCount).arg(markdownCount);
    m_statusLabel->setText(text);
}

void SearchDialog::clearResults()
{
    m_jsonResultTree->clear();
    m_markdownResultTree->clear();
    m_previewEdit->clear();
    m_jsonResults = QJsonArray();
    m_jsonScores.clear();
    m_markdownResults.clear();
    m_exportButton->setEnabled(false);
}

void SearchDialog::onSearchCompleted()
{
    updateStatus();
    m_exportButton->setEnabled(true);
}

void SearchDialog::onSearchModeChanged()
{
    const QString type = m_searchTypeCombo->currentData().toString();
    m_scopeCombo->setEnabled(type == kTypeMarkdown || type == kTypeAll);
}

void SearchDialog::onSearchScopeChanged()
{
    // Takes effect at the next search.
}

void SearchDialog::onCategoriesChanged()
{
    // Takes effect at the next search.
}

void SearchDialog::onResultItemClicked(QTreeWidgetItem* item, int /*column*/)
{
    if (!item)
        return;
    m_previewEdit->setPlainText(item->data(0, kEntryJsonRole).toString());
}

void SearchDialog::onPreviewItemClicked(QTreeWidgetItem* item, int /*column*/)
{
    if (!item)
        return;
    const QString path = item->data(0, Qt::UserRole).toString();
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    const QString text = QString::fromUtf8(file.readAll());
    m_previewEdit->setHtml(
        markdownPreviewHtml(item->text(0), text, m_searchEdit->text().trimmed()));
}

QString SearchDialog::markdownPreviewHtml(const QString& title, const QString& text,
                                          const QString& query)
{
    // Hits are found in the plain text, then every piece is escaped: a file's
    // "<https://...>" stays visible and a query holding &, < or > is still found.
    QString body;
    qsizetype from = 0;
    if (!query.isEmpty()) {
        for (qsizetype at = text.indexOf(query, 0, Qt::CaseInsensitive); at >= 0;
             at = text.indexOf(query, from, Qt::CaseInsensitive)) {
            body += text.mid(from, at - from).toHtmlEscaped();
            body += hitOpen() + text.mid(at, query.size()).toHtmlEscaped() + kHitClose;
            from = at + query.size();
        }
    }
    body += text.mid(from).toHtmlEscaped();
    body.replace(QLatin1String("\n"), QLatin1String("<br>"));
    return QStringLiteral("<h3>%1</h3><hr>%2").arg(title.toHtmlEscaped(), body);
}

void SearchDialog::onSearchProgress(int progress)
{
    m_progressBar->setValue(progress);
}

void SearchDialog::keyPressEvent(QKeyEvent* event)
{
    // The query field already searched on its returnPressed; the dialog would
    // otherwise press the default button as well and search a second time.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier && m_searchEdit->hasFocus()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SearchDialog::onBuildIndexClicked()
{
    const bool noPath = m_markdownSearcher->searchPath().isEmpty();
    m_markdownSearcher->buildIndex();
    // Without a path the searcher only logs; say why nothing happens.
    if (noPath)
        m_statusLabel->setText(tr("无法构建索引: 未设置文档目录"));
}

void SearchDialog::refillCategories()
{
    const QVariant current = m_categoryCombo->currentData();
    m_categoryCombo->clear();
    m_categoryCombo->addItem(tr("全部分类"), QString(QLatin1String("")));
    const QStringList categories = m_markdownSearcher->getCategories();
    for (const QString& category : categories)
        m_categoryCombo->addItem(category, category);
    const int index = m_categoryCombo->findData(current);
    if (index >= 0)
        m_categoryCombo->setCurrentIndex(index);
}

QString SearchDialog::exportText(const QDateTime& timestamp) const
{
    QString text;
    text += tr("搜索结果导出 - %1\n").arg(timestamp.toString(Qt::TextDate));
    text += tr("搜索关键词: %1\n").arg(m_searchEdit->text());
    text += QString(51, QLatin1Char('=')) + QStringLiteral("\n\n");

    if (!m_jsonResults.isEmpty()) {
        text += tr("JSON数据结果:\n");
        for (const QJsonValue& value : m_jsonResults) {
            const QJsonObject entry = value.toObject();
            text += tr("名称: %1\n").arg(entry.value(QLatin1String("name")).toString());
            // The category is what the export lists as the type.
            text += tr("类型: %1\n").arg(entry.value(QLatin1String("category")).toString());
            if (entry.contains(QLatin1String("description"))) {
                text += tr("描述: %1\n")
                            .arg(entry.value(QLatin1String("description"))
                                     .toObject()
                                     .value(QLatin1String("zh"))
                                     .toString());
            }
            text += QLatin1Char('\n');
        }
        text += QLatin1Char('\n');
    }

    if (!m_markdownResults.isEmpty()) {
        text += tr("Markdown文档结果:\n");
        for (const MarkdownSearchResult& result : m_markdownResults) {
            text += tr("标题: %1\n").arg(result.title);
            text += tr("文件: %1\n").arg(result.fileName);
            text += tr("分类: %1\n").arg(result.category);
            text += tr("路径: %1\n").arg(result.filePath);
            text += tr("摘要: %1\n").arg(result.snippet);
            text += tr("相关度: %1\n").arg(QString::number(result.relevance, 'f', 2));
            text += QLatin1Char('\n');
        }
    }
    return text;
}

void SearchDialog::onExportResults()
{
    const QString proposed =
        QStringLiteral("search_results_%1.txt")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_hhmmss")));
    const QString path =
        askSaveFileName(tr("导出搜索结果"), proposed, tr("文本文件 (*.txt);;CSV文件 (*.csv)"));
    if (path.isEmpty())
        return;

    QString text = exportText(QDateTime::currentDateTime());
#ifdef Q_OS_WIN
    // Text files on Windows end their lines with CR LF.
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
#endif
    QString error;
    if (!AtomicFileWriter::write(path, text.toUtf8(), &error)) {
        qWarning().noquote() << "SearchDialog::onExportResults - Cannot write" << path << error;
        showWarning(tr("导出失败"), tr("无法创建导出文件"));
        return;
    }
    showInformation(tr("导出完成"), tr("搜索结果已导出到: %1").arg(path));
}

void SearchDialog::onAdvancedOptionsToggled(bool visible)
{
    m_advancedGroup->setVisible(visible);
    m_advancedButton->setText(visible ? tr("收起选项") : tr("高级选项"));
}

void SearchDialog::showInformation(const QString& title, const QString& text)
{
    QMessageBox::information(this, title, text);
}

void SearchDialog::showWarning(const QString& title, const QString& text)
{
    QMessageBox::warning(this, title, text);
}

QString SearchDialog::askSaveFileName(const QString& caption, const QString& proposedName,
                                      const QString& filter)
{
    return QFileDialog::getSaveFileName(this, caption, proposedName, filter);
}
