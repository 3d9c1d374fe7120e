#include "StoreFolder.h"

#include "FuzzEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

StoreFolder::StoreFolder(const char* target, const QString& filePath)
    : m_target(target), m_filePath(filePath)
{
    // Never anywhere near a real user's files.
    if (!QFileInfo(filePath).absoluteFilePath().startsWith(FuzzEnvironment::scratchPath() +
                                                           QLatin1Char('/')))
        FuzzEnvironment::fail(target,
                              QStringLiteral("store file outside the scratch HOME: ") + filePath);
}

void StoreFolder::reset(const QByteArray& bytes) const
{
    QDir folder = QFileInfo(m_filePath).absoluteDir();
    folder.removeRecursively();
    QDir().mkpath(folder.path());
    QFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        FuzzEnvironment::fail(m_target, QStringLiteral("cannot write ") + m_filePath);
}

bool StoreFolder::keptAside(const QByteArray& bytes) const
{
    const QFileInfo info(m_filePath);
    const QFileInfoList files =
        info.absoluteDir().entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& file : files) {
        if (file.fileName() == info.fileName())
            continue;
        QFile kept(file.absoluteFilePath());
        if (kept.open(QIODevice::ReadOnly) && kept.readAll() == bytes)
            return true;
    }
    return false;
}

QString StoreFolder::timeText(const QDateTime& time)
{
    return time.isValid() ? time.toString(Qt::ISODate) : QStringLiteral("(invalid)");
}
