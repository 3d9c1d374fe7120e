#include "SearchText.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

int SearchText::countOverlapping(const QString& text, const QString& needle)
{
    if (needle.isEmpty())
        return 0;
    int count = 0;
    qsizetype from = text.indexOf(needle);
    while (from >= 0) {
        ++count;
        from = text.indexOf(needle, from + 1);
    }
    return count;
}

QString SearchText::categoryOfPath(const QString& filePath)
{
    const QString dirPath = QFileInfo(filePath).absolutePath();
    QString category = QDir(dirPath).dirName();
    if (dirPath.contains(QLatin1String("/data/"))) {
        const QStringList parts = dirPath.split(QLatin1Char('/'));
        const qsizetype index = parts.lastIndexOf(QStringLiteral("data"));
        if (index >= 0 && index < parts.size() - 1)
            category = parts.at(index + 1);
    }
    return category;
}
