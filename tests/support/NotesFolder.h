#pragma once

// The notes folder of the test's own HOME, emptied before each test.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QString>

namespace NotesFolder {

// The harness gives every test executable a fresh HOME under the build tree;
// refuse to touch a real user's documents when run any other way.
inline bool isIsolated()
{
    return QDir::homePath().contains(QLatin1String("/test-home/"));
}

inline QString path()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(QStringLiteral("Quorvanta"));
}

inline QString filePath()
{
    return QDir(path()).filePath(QStringLiteral("Quorvanta_notes.json"));
}

inline void reset()
{
    QDir(path()).removeRecursively();
}

inline bool write(const QByteArray& bytes)
{
    QDir().mkpath(path());
    QFile file(filePath());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline bool write(const QJsonObject& root)
{
    return write(QJsonDocument(root).toJson());
}

inline QByteArray readBytes()
{
    QFile file(filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QJsonObject read()
{
    return QJsonDocument::fromJson(readBytes()).object();
}

inline QStringList entries()
{
    return QDir(path()).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace NotesFolder
