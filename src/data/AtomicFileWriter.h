#pragma once

#include <QByteArray>
#include <QString>

// The one way user files are written: into a temporary file beside the target,
// flushed to disk and committed by rename, so a crash or a full disk never
// leaves a half-written file.
class AtomicFileWriter
{
public:
    // Temporary files older than this are taken for leftovers of a write that
    // was killed, and removed by the next write of the same file.
    static constexpr qint64 defaultLeftoverAgeSeconds = 3600;

    // On failure `error` holds the operating system's reason.
    static bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr);

    // Removes temporary files that interrupted writes of `path` left behind and
    // that are at least `minimumAgeSeconds` old; returns how many were removed.
    // Callers that hold the file's lock pass 0: no other write can be running.
    static int removeLeftovers(const QString& path,
                               qint64 minimumAgeSeconds = defaultLeftoverAgeSeconds);

    // Whether `fileName` (no folder) is a temporary file of a write of `targetFileName`.
    static bool isTemporaryOf(const QString& fileName, const QString& targetFileName);
};
