#pragma once

#include <QJsonObject>
#include <QString>

class NewsSyncService;
class UpdateService;

// Reads config/network_config.json and hands its settings to the online
// services. These are steps of the main window's start-up, so the log lines
// carry the window's method names.
class NetworkConfiguration
{
public:
    // The configuration to keep after reading <dataPath>config/network_config.json:
    // the file's object, an empty object when the file cannot be opened, or
    // current unchanged when the file is not a JSON object.
    static QJsonObject load(const QString& dataPath, const QJsonObject& current);

    // "updates": endpoint, timeoutMs and userAgent, each only when usable.
    static void applyUpdateSettings(const QJsonObject& configuration, UpdateService& service);

    // "news": endpoint, pageSize, timeoutMs, userAgent, cacheTtlSec and headers.
    // False (and nothing applied) when the configuration has no "news".
    static bool applyNewsSettings(const QJsonObject& configuration, NewsSyncService& service);

    // <per-user folder>/news_cache.json, the folder created; empty (no cache)
    // when the system names no per-user folder.
    static QString newsCacheFilePath(const QString& dataPath);
};
