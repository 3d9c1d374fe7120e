#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QMap>
#include <QMutex>
#include <QString>
#include <QStringList>

// Process-wide view of the knowledge-base files compiled into the program,
// addressed by their "data/..." paths.
class EmbeddedDataAdapter
{
public:
    static EmbeddedDataAdapter& instance();

    void initialize();
    void setupPathMapping();

    QString normalizePath(const QString& path) const;
    bool hasEmbeddedResource(const QString& path) const;
    QStringList getAvailableResources() const;

    QJsonObject loadEmbeddedJson(const QString& path) const;
    QString loadEmbeddedText(const QString& path) const;
    QByteArray loadEmbeddedImage(const QString& path) const;

    EmbeddedDataAdapter(const EmbeddedDataAdapter&) = delete;
    EmbeddedDataAdapter& operator=(const EmbeddedDataAdapter&) = delete;

private:
    EmbeddedDataAdapter() = default;

    // -1 when the path is not embedded; foundByFileName tells how it was found. Only a path
    // without a "data/" part falls back to the first key with the same file name.
    int resolveId(const QString& path, bool* foundByFileName = nullptr) const;
    QByteArray readResource(int id) const;

    QMap<QString, int> m_pathMap;  // in key order, for the listings
    QHash<QString, int> m_pathIds; // the same, for look-ups
    // The compiled-in files never change: each is parsed once. Callers get
    // implicitly shared copies.
    mutable QHash<int, QJsonObject> m_parsedJson;
    mutable QMutex m_parsedJsonMutex;
};
