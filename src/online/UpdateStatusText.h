#pragma once

#include "online/UpdateService.h"

#include <QCoreApplication>
#include <QString>

// The texts the status-bar version label and the log show for update checks.
class UpdateStatusText
{
    Q_DECLARE_TR_FUNCTIONS(UpdateStatusText)

public:
    struct Presentation
    {
        QString labelText;
        QString styleSheet;
        QString toolTip;
        QString logMessage;
    };

    // The label before any check: the version, or a waiting text when the
    // update check is built in.
    static QString initialLabelText(const QString& applicationVersion, bool updateCheckEnabled);
    static Presentation forResult(const UpdateService::UpdateInfo& info);
    static QString failureLogMessage(const QString& errorMessage);
};
