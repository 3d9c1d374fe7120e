#include "MarkdownGenerator.h"

#include <QJsonArray>
#include <QJsonValue>

namespace {

bool isDesignSoftware(const QString& category)
{
    return category == QLatin1String("CAD") || category == QLatin1String("CAE") ||
           category == QLatin1String("CFD");
}

QString bulletList(const QJsonArray& items)
{
    QString text;
    for (const QJsonValue& item : items)
        text += QStringLiteral("- %1\n").arg(item.toString());
    return text;
}

} // namespace

QString MarkdownGenerator::fromEntry(const QJsonObject& entry)
{
    QString markdown;

    const QString name = entry.value(QStringLiteral("name")).toString();
    if (!name.isEmpty())
        markdown += QStringLiteral("# %1\n\n").arg(name);

    if (entry.contains(QStringLiteral("description"))) {
        const QString overview = entry.value(QStringLiteral("description"))
                                     .toObject()
                                     .value(QStringLiteral("zh"))
                                     .toString();
        if (!overview.isEmpty())
            markdown += tr("## 概述\n\n%1\n\n").arg(overview);
    }

    // Only design software has technical data and features laid out the way these sections expect.
    if (isDesignSoftware(entry.value(QStringLiteral("category")).toString())) {
        if (entry.contains(QStringLiteral("technicalSpecs"))) {
            markdown += tr("## 技术规格\n\n");
            const QJsonObject techSpecs = entry.value(QStringLiteral("technicalSpecs")).toObject();
            if (techSpecs.contains(QStringLiteral("kernel"))) {
                markdown += tr("### 几何内核\n");
                markdown += bulletList(techSpecs.value(QStringLiteral("kernel")).toArray());
                markdown += QLatin1Char('\n');
            }
        }
        if (entry.contains(QStringLiteral("features"))) {
            markdown += tr("## 功能特性\n\n");
            const QJsonObject features = entry.value(QStringLiteral("features")).toObject();
            if (features.contains(QStringLiteral("core"))) {
                markdown += tr("### 核心功能\n");
                markdown += bulletList(features.value(QStringLiteral("core")).toArray());
                markdown += QLatin1Char('\n');
            }
        }
    }

    markdown += tr("\n## 相关链接\n\n");

    if (entry.contains(QStringLiteral("resources"))) {
        const QJsonObject resources = entry.value(QStringLiteral("resources")).toObject();
        if (resources.contains(QStringLiteral("official")))
            markdown += tr("- [官方网站](%1)\n")
                            .arg(resources.value(QStringLiteral("official")).toString());
        if (resources.contains(QStringLiteral("documentation")))
            markdown += tr("- [文档](%1)\n")
                            .arg(resources.value(QStringLiteral("documentation")).toString());
    }

    return markdown;
}
