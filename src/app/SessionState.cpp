#include "SessionState.h"

#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("session");
constexpr int kLastViewMode = 5;
constexpr int kMinimumZoom = 50;
constexpr int kMaximumZoom = 300;

int boundedInt(const QSettings& settings, const QString& key, int minimum, int maximum,
               int fallback)
{
    bool ok = false;
    const int value = settings.value(key).toInt(&ok);
    return ok && value >= minimum && value <= maximum ? value : fallback;
}

} // namespace

SessionState SessionState::load(QSettings& settings)
{
    SessionState state;
    settings.beginGroup(kGroup);
    // A session written by another layout of the window is not restored at all.
    if (settings.value(QStringLiteral("version")).toInt() == Version) {
        state.geometry = settings.value(QStringLiteral("geometry")).toByteArray();
        state.windowState = settings.value(QStringLiteral("windowState")).toByteArray();
        state.splitterState = settings.value(QStringLiteral("splitter")).toByteArray();
        state.viewMode = boundedInt(settings, QStringLiteral("viewMode"), 0, kLastViewMode, 0);
        state.zoomPercent =
            boundedInt(settings, QStringLiteral("zoom"), kMinimumZoom, kMaximumZoom, 100);
        state.lastPage = settings.value(QStringLiteral("lastPage")).toString();
    }
    settings.endGroup();
    return state;
}

void SessionState::save(QSettings& settings) const
{
    settings.beginGroup(kGroup);
    settings.setValue(QStringLiteral("version"), Version);
    settings.setValue(QStringLiteral("geometry"), geometry);
    settings.setValue(QStringLiteral("windowState"), windowState);
    settings.setValue(QStringLiteral("splitter"), splitterState);
    settings.setValue(QStringLiteral("viewMode"), viewMode);
    settings.setValue(QStringLiteral("zoom"), zoomPercent);
    settings.setValue(QStringLiteral("lastPage"), lastPage);
    settings.endGroup();
    settings.sync();
}

bool SessionState::operator==(const SessionState& other) const
{
    return geometry == other.geometry && windowState == other.windowState &&
           splitterState == other.splitterState && viewMode == other.viewMode &&
           zoomPercent == other.zoomPercent && lastPage == other.lastPage;
}
