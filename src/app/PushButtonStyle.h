#pragma once

#include <QString>

// The one push-button look shared by the editors' and the log console's buttons.
class PushButtonStyle
{
public:
    static QString styleSheet();
};
