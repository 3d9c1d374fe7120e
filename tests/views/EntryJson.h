#pragma once

#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

// Entries for the page tests: inline JSON, a file, a path in the shipped knowledge base.
inline QJsonObject parse(const char* json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

inline QJsonObject readEntry(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

inline QString dataPath(const QString& relative)
{
    return QStringLiteral(QUORVANTA_SOURCE_DATA_DIR) + QLatin1Char('/') + relative;
}
