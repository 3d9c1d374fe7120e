#include "app/FeatureSwitches.h"

#ifndef QUORVANTA_NEWS_ENABLED
#define QUORVANTA_NEWS_ENABLED 0
#endif
#ifndef QUORVANTA_UPDATE_CHECK_ENABLED
#define QUORVANTA_UPDATE_CHECK_ENABLED 0
#endif

bool FeatureSwitches::newsEnabled()
{
    return QUORVANTA_NEWS_ENABLED != 0;
}

bool FeatureSwitches::updateCheckEnabled()
{
    return QUORVANTA_UPDATE_CHECK_ENABLED != 0;
}
