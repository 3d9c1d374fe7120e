#pragma once

#include "EntrySummaryIndex.h"

#include <QString>
#include <QStringList>

#include <vector>

// Folder listings as QDir gives them (names ignoring case, no hidden entries,
// links followed for files, not descended into), read with one system call per
// entry instead of QDir's file-information objects and pattern matching. A start
// lists every folder of the knowledge base, so this cost grows with it.
class DirectoryListing
{
public:
    struct File
    {
        QString path;
        EntrySummaryIndex::FileStamp stamp;
    };

    // The files of dirPath whose names end in suffix (any case), with their stamps:
    // QDir(dirPath).entryInfoList({"*" + suffix}, QDir::Files) and stampOf each.
    static std::vector<File> files(const QString& dirPath, const QString& suffix);
    // QDir(dirPath).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot), as paths.
    static QStringList subfolders(const QString& dirPath);
    // Paths relative to root, '/'-separated, of the files ending in suffix in root
    // and below, in no particular order: QDirIterator(root, {"*" + suffix},
    // QDir::Files, QDirIterator::Subdirectories).
    static QStringList filesBelow(const QString& root, const QString& suffix);
};
