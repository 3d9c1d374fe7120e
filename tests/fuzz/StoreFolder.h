#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The folder of one user file in the scratch HOME, for the store targets: the
// file is written from the input before the store loads it, and what the store
// moved aside is looked for afterwards.
class StoreFolder
{
public:
    StoreFolder(const char* target, const QString& filePath);

    // Empties the folder and writes `bytes` as the store's file.
    void reset(const QByteArray& bytes) const;
    // True when a file kept aside next to the store's file holds exactly `bytes`.
    bool keptAside(const QByteArray& bytes) const;

    // Times compare as the stores write them.
    static QString timeText(const QDateTime& time);

private:
    const char* m_target;
    QString m_filePath;
};
