#pragma once

#include <QIcon>

// The program's icon: the .ico with the vibrant PNG registered for each size.
class ApplicationIcon
{
public:
    // Built once per process: the start-up and the main window both ask for it.
    static QIcon icon();
};
