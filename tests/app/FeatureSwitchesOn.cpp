// The switches as a build with QUORVANTA_ENABLE_NEWS and
// QUORVANTA_ENABLE_UPDATE_CHECK sets them; linked ahead of the library's copy.
#define QUORVANTA_NEWS_ENABLED 1
#define QUORVANTA_UPDATE_CHECK_ENABLED 1
#include "app/FeatureSwitches.cpp"
