#pragma once

// The three dumps written at start-up, before the log console exists, so that a
// user's report always shows the build, the locations and the notes file state.
class StartupDiagnostics
{
public:
    static void logDebugBanner();
    static void logSystemInformation();
    static void logNoteFileInformation();
};
