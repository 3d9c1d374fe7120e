#pragma once

#include <QIcon>

// The program's icon: the .ico with the vibrant PNG registered for each size.
class ApplicationIcon
{
public:
    // Built once per process: each registration of the PNG decodes it, and the
    // start-up and the main window both ask for the icon.
    static QIcon icon();
};
