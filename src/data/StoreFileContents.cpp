#include "StoreFileContents.h"

#include <QCryptographicHash>
#include <QFile>

StoreFileContents StoreFileContents::read(const QString& path)
{
    StoreFileContents contents;
    QFile file(path);
    if (!file.exists())
        return contents;
    if (!file.open(QIODevice::ReadOnly)) {
        contents.status = Unreadable;
        contents.error = file.errorString();
        return contents;
    }
    contents.status = Read;
    contents.bytes = file.readAll();
    return contents;
}

QByteArray StoreFileContents::fingerprintOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

QByteArray StoreFileContents::fingerprint() const
{
    switch (status) {
    case Missing:
        return QByteArrayLiteral("missing");
    case Unreadable:
        return QByteArrayLiteral("unreadable");
    case Read:
        break;
    }
    return fingerprintOf(bytes);
}
