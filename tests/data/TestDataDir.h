#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// A scratch knowledge-base directory for tests; paths are relative to its root.
class TestDataDir
{
public:
    bool isValid() const { return m_dir.isValid(); }
    // The data path as the program holds it: absolute, ending with "/".
    QString dataPath() const { return m_dir.path() + QLatin1Char('/'); }
    QString filePath(const QString& relative) const { return m_dir.filePath(relative); }

    bool write(const QString& relative, const QByteArray& bytes) const
    {
        const QString path = filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        return file.write(bytes) == bytes.size();
    }

    bool mkdir(const QString& relative) const { return QDir().mkpath(filePath(relative)); }

private:
    QTemporaryDir m_dir;
};
