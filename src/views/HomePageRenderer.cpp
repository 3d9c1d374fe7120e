#include "HomePageRenderer.h"

#include "data/DataManager.h"
#include "prefs/UserPreferences.h"
#include "views/ContentRenderer.h"
#include "views/InternalLink.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QString escaped(const QString& text)
{
    return ContentRenderer::escapeHtml(text);
}

// The tree's order first, then the further configured categories (BIM, MBSE, ERP).
QStringList softwareKeys(const QJsonObject& software)
{
    QStringList keys;
    for (const char* key : {"CAD", "CAE", "CFD", "CAM", "EDA", "PLM"}) {
        if (software.contains(QLatin1String(key)))
            keys << QLatin1String(key);
    }
    for (auto it = software.constBegin(); it != software.constEnd(); ++it) {
        if (!keys.contains(it.key()))
            keys << it.key();
    }
    return keys;
}

QString row(const QString& label, const QString& value)
{
    return QStringLiteral("<tr><td>%1</td><td>%2</td></tr>").arg(label, value);
}

} // namespace

QString HomePageRenderer::title()
{
    return tr("首页");
}

QString HomePageRenderer::link(const QString& path, const QString& text)
{
    return QStringLiteral("<a href='%1'>%2</a>")
        .arg(escaped(InternalLink::href(path)), escaped(text));
}

QString HomePageRenderer::render(DataManager* dataManager, const UserPreferences* preferences,
                                 const QList<Article>& articles)
{
    QString html = ContentRenderer::htmlHead();
    html += QStringLiteral("<h2>%1</h2>").arg(tr("Quorvanta 工业软件知识库"));
    html += QStringLiteral("<p>%1</p>")
                .arg(tr("Ctrl+K 快速切换 · Ctrl+F 页内查找 · Alt+← / Alt+→ 后退 / 前进 · "
                        "Alt+Home 回到首页"));
    html += renderOverview(dataManager, static_cast<int>(articles.size()));
    html += renderRecent(preferences);
    html += renderFavorites(preferences);
    html += renderArticles(dataManager, articles);
    html += QStringLiteral("</body></html>");
    return html;
}

QString HomePageRenderer::renderOverview(DataManager* dataManager, int articleCount)
{
    QString html = QStringLiteral("<h3>%1</h3>").arg(tr("知识库概览"));
    if (!dataManager)
        return html;
    const QJsonObject categories = dataManager->getCategories();

    html +=
        QStringLiteral("<table><tr><th>%1</th><th>%2</th></tr>").arg(tr("工业软件"), tr("数量"));
    const QJsonObject software = categories.value(QLatin1String("softwareCategories")).toObject();
    int softwareTotal = 0;
    for (const QString& key : softwareKeys(software)) {
        const int count = static_cast<int>(dataManager->getSoftwareSummaries(key.toLower()).size());
        softwareTotal += count;
        const QString name = software.value(key).toObject().value(QLatin1String("name")).toString();
        const QString label = name.isEmpty() ? key : QStringLiteral("%1 %2").arg(key, name);
        html +=
            row(link(QStringLiteral("software/") + key.toLower(), label), QString::number(count));
    }
    html += row(QStringLiteral("<strong>%1</strong>").arg(tr("合计")),
                QStringLiteral("<strong>%1</strong>").arg(softwareTotal));
    html += QStringLiteral("</table>");

    html +=
        QStringLiteral("<table><tr><th>%1</th><th>%2</th></tr>").arg(tr("其他内容"), tr("数量"));
    html += row(link(QStringLiteral("companies"), tr("公司企业")),
                QString::number(dataManager->getCompaniesSummaries().size()));
    const QJsonObject technologies =
        categories.value(QLatin1String("technologyCategories")).toObject();
    for (auto it = technologies.constBegin(); it != technologies.constEnd(); ++it) {
        const QString name = it.value().toObject().value(QLatin1String("name")).toString();
        html += row(link(QStringLiteral("technologies/") + it.key(),
                         tr("核心技术 · %1").arg(name.isEmpty() ? it.key() : name)),
                    QString::number(dataManager->getTechnologiesSummaries(it.key()).size()));
    }
    const QJsonObject disciplines =
        categories.value(QLatin1String("disciplineCategories")).toObject();
    for (auto it = disciplines.constBegin(); it != disciplines.constEnd(); ++it) {
        const QString name = it.value().toObject().value(QLatin1String("name")).toString();
        html += row(link(QStringLiteral("disciplines/") + it.key(),
                         tr("学科领域 · %1").arg(name.isEmpty() ? it.key() : name)),
                    QString::number(dataManager->getDisciplinesSummaries(it.key()).size()));
    }
    html += row(link(QStringLiteral("pictures"), tr("图片资源")),
                QString::number(dataManager->getPicturesList().size()));
    html += row(tr("文章"), QString::number(articleCount));
    html += QStringLiteral("</table>");
    return html;
}

QString HomePageRenderer::renderRecent(const UserPreferences* preferences)
{
    QString html = QStringLiteral("<h3>%1</h3>").arg(tr("最近浏览"));
    const QList<HistoryItem> recent =
        preferences ? preferences->getRecentHistory(RecentLimit) : QList<HistoryItem>();
    if (recent.isEmpty())
        return html + QStringLiteral("<p>%1</p>").arg(tr("暂无浏览记录"));
    html += QStringLiteral("<ul>");
    for (const HistoryItem& item : recent) {
        if (item.filePath.isEmpty())
            continue;
        html += QStringLiteral("<li>%1 <span class='tag'>%2</span> <small>%3</small></li>")
                    .arg(link(item.filePath, item.name.isEmpty() ? item.filePath : item.name),
                         escaped(item.category),
                         escaped(item.accessTime.toString(QStringLiteral("yyyy-MM-dd HH:mm"))));
    }
    return html + QStringLiteral("</ul>");
}

QString HomePageRenderer::renderFavorites(const UserPreferences* preferences)
{
    QString html = QStringLiteral("<h3>%1</h3>").arg(tr("收藏"));
    const QList<FavoriteItem> favorites =
        preferences ? preferences->getFavorites() : QList<FavoriteItem>();
    if (favorites.isEmpty())
        return html + QStringLiteral("<p>%1</p>").arg(tr("暂无收藏（Ctrl+D 收藏当前页面）"));
    html += QStringLiteral("<ul>");
    for (const FavoriteItem& item : favorites) {
        if (item.filePath.isEmpty())
            continue;
        html += QStringLiteral("<li>%1 <span class='tag'>%2</span></li>")
                    .arg(link(item.filePath, item.name.isEmpty() ? item.filePath : item.name),
                         escaped(item.category));
    }
    return html + QStringLiteral("</ul>");
}

QString HomePageRenderer::renderArticles(DataManager* dataManager, const QList<Article>& articles)
{
    QString html = QStringLiteral("<h3>%1</h3>").arg(tr("文章"));
    if (articles.isEmpty())
        return html + QStringLiteral("<p>%1</p>").arg(tr("暂无文章"));
    const QJsonObject categories = dataManager ? dataManager->getCategories() : QJsonObject();
    html += QStringLiteral("<table><tr><th>%1</th><th>%2</th></tr>").arg(tr("标题"), tr("分类"));
    for (const Article& article : articles)
        html += row(link(article.path, article.title),
                    escaped(ArticleCatalog::folderLabel(categories, article.folder)));
    return html + QStringLiteral("</table>");
}
