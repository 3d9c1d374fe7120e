#pragma once

#include <QString>

// The one flat push-button look shared by the form and table editors and the log console.
class PushButtonStyle
{
public:
    static QString styleSheet();
};
