#pragma once

#include <QByteArray>
#include <QString>

// The one way user files are written: into a temporary file beside the target,
// committed by rename, so a crash or a full disk never leaves a half-written file.
class AtomicFileWriter
{
public:
    static bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr);
};
