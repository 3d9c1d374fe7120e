#pragma once

#include <QByteArray>
#include <QString>

// What a user store file holds at one moment, with a fingerprint that tells a
// store whether another copy of the program changed the file since it looked.
struct StoreFileContents
{
    enum Status
    {
        Missing,
        Unreadable,
        Read
    };

    Status status = Missing;
    QByteArray bytes;
    QString error; // why an existing file could not be read

    static StoreFileContents read(const QString& path);
    static QByteArray fingerprintOf(const QByteArray& bytes);
    QByteArray fingerprint() const;
};
