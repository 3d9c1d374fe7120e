#pragma once

#include <QByteArray>
#include <QString>

class QSettings;

// What the window brings back at the next start: its geometry, the docks and tool
// bar, the splitter, the view mode, the content view's zoom and the last page.
struct SessionState
{
    static constexpr int Version = 1;

    QByteArray geometry;
    QByteArray windowState;
    QByteArray splitterState;
    int viewMode = 0;
    int zoomPercent = 100;
    // The path the window opens the page by; empty for none.
    QString lastPage;

    // Values out of range (an edited or damaged file) fall back to the defaults.
    static SessionState load(QSettings& settings);
    void save(QSettings& settings) const;

    bool operator==(const SessionState& other) const;
};
