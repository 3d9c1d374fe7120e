#pragma once

// The two feature switches of the main window. Their values are fixed when the
// program is built (CMake options QUORVANTA_ENABLE_NEWS and
// QUORVANTA_ENABLE_UPDATE_CHECK, both off in the shipped build).
class FeatureSwitches
{
public:
    static bool newsEnabled();
    static bool updateCheckEnabled();
};
