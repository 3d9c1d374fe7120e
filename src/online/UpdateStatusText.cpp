#include "UpdateStatusText.h"

QString UpdateStatusText::initialLabelText(const QString& applicationVersion,
                                           bool updateCheckEnabled)
{
    if (updateCheckEnabled)
        return tr("尚未检查更新");
    if (applicationVersion.isEmpty())
        return tr("版本信息");
    return tr("版本 %1").arg(applicationVersion);
}

UpdateStatusText::Presentation UpdateStatusText::forResult(const UpdateService::UpdateInfo& info)
{
    Presentation presentation;
    if (!info.updateAvailable) {
        presentation.labelText = tr("已是最新版本 (%1)").arg(info.currentVersion);
        presentation.logMessage = tr("当前版本 %1 已是最新").arg(info.currentVersion);
        return presentation;
    }
    presentation.labelText = tr("发现新版本 %1").arg(info.latestVersion);
    presentation.styleSheet = QStringLiteral("color: #D84315;");
    presentation.toolTip =
        tr("当前版本: %1\n最新版本: %2").arg(info.currentVersion, info.latestVersion);
    if (!info.releaseNotes.isEmpty())
        presentation.toolTip += tr("\n更新内容: %1").arg(info.releaseNotes);
    if (!info.downloadUrl.isEmpty())
        presentation.toolTip += tr("\n下载: %1").arg(info.downloadUrl);
    presentation.logMessage =
        tr("发现新版本 %1，可访问下载地址: %2").arg(info.latestVersion, info.downloadUrl);
    return presentation;
}

QString UpdateStatusText::failureLogMessage(const QString& errorMessage)
{
    return tr("检查更新失败: %1").arg(errorMessage);
}
