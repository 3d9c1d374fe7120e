#pragma once

#include <QString>
#include <QStringList>

// Knowledge bases for measuring: the shipped data directory copied, each entry
// file repeated under new file names, ids and names until the entry count is
// the requested multiple of the shipped one.
class SyntheticKnowledgeBase
{
public:
    // Writes the copy below target (created as needed); returns the number of
    // entry files written, or -1 when the source cannot be read.
    static int create(const QString& sourceDataDir, int factor, const QString& target);
    // count Markdown documents below target/<folder of the original>: the shipped
    // documents again and again under new names.
    static int createMarkdown(const QString& sourceDataDir, int count, const QString& target);
    // Total size in bytes of the JSON files below dir.
    static qint64 jsonBytes(const QString& dir);
    // Folders whose JSON files are entries (and so get copies).
    static QStringList entryFolders();
};
