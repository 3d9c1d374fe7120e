#include "CorruptFileKeeper.h"

#include "data/AtomicFileWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

const QLatin1String kMark(".corrupt-");

QString freeName(const QString& path, const QDateTime& now)
{
    const QString base = path + kMark + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = base;
    for (int n = 1; QFileInfo::exists(target); ++n)
        target = base + QLatin1Char('-') + QString::number(n);
    return target;
}

} // namespace

QString CorruptFileKeeper::keepAside(const QString& path, QString* error, const QDateTime& now)
{
    const QString target = freeName(path, now);
    QFile file(path);
    if (!file.rename(target)) {
        if (error)
            *error = file.errorString();
        return QString();
    }
    return target;
}

QString CorruptFileKeeper::keepCopy(const QString& path, const QByteArray& bytes, QString* error,
                                    const QDateTime& now)
{
    const QFileInfo info(path);
    const QString prefix = info.fileName() + kMark;
    const QFileInfoList copies = info.dir().entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& copy : copies) {
        if (!copy.fileName().startsWith(prefix) || copy.size() != bytes.size())
            continue;
        QFile file(copy.filePath());
        if (file.open(QIODevice::ReadOnly) && file.readAll() == bytes)
            return copy.filePath();
    }
    const QString target = freeName(path, now);
    if (!AtomicFileWriter::write(target, bytes, error))
        return QString();
    return target;
}

QString CorruptFileKeeper::describe(const QList<KeptUserFile>& files)
{
    if (files.isEmpty())
        return QString();
    QString text = QCoreApplication::translate("CorruptFileKeeper",
                                               "以下文件已损坏，只读取了其中完好的部分：");
    QStringList told;
    for (const KeptUserFile& file : files) {
        // A store that read the same damaged file twice has one thing to say.
        const QString key = file.path + QLatin1Char('\n') + file.keptPath;
        if (told.contains(key))
            continue;
        told.append(key);
        text += QStringLiteral("\n\n") + QDir::toNativeSeparators(QDir::cleanPath(file.path));
        if (!file.reason.isEmpty())
            text += QStringLiteral("\n") +
                    QCoreApplication::translate("CorruptFileKeeper", "原因: %1").arg(file.reason);
        if (file.keptPath.isEmpty())
            text += QStringLiteral("\n") +
                    QCoreApplication::translate("CorruptFileKeeper",
                                                "文件保持原样，下次保存前会先另存一份");
        else
            text += QStringLiteral("\n") +
                    QCoreApplication::translate("CorruptFileKeeper", "原文件的副本保存在: %1")
                        .arg(QDir::toNativeSeparators(QDir::cleanPath(file.keptPath)));
    }
    return text;
}
