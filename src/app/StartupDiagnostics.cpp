#include "StartupDiagnostics.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStandardPaths>

void StartupDiagnostics::logDebugBanner()
{
    qDebug() << "";
    qDebug().noquote() << "██████╗ ███████╗██████╗ ██╗   ██╗ ██████╗ ";
    qDebug().noquote() << "██╔══██╗██╔════╝██╔══██╗██║   ██║██╔════╝ ";
    qDebug().noquote() << "██║  ██║█████╗  ██████╔╝██║   ██║██║  ███╗";
    qDebug().noquote() << "██║  ██║██╔══╝  ██╔══██╗██║   ██║██║   ██║";
    qDebug().noquote() << "██████╔╝███████╗██████╔╝╚██████╔╝╚██████╔╝";
    qDebug().noquote() << "╚═════╝ ╚══════╝╚═════╝  ╚═════╝  ╚═════╝ ";
    qDebug() << "";
    qDebug().noquote() << "Quorvanta - 调试模式";
    qDebug().noquote() << "版本: 1.2 (用户路径修复版)";
    qDebug().noquote() << "启动时间:" << QDateTime::currentDateTime().toString();
    qDebug() << "";
}

void StartupDiagnostics::logSystemInformation()
{
    const QString rule = QStringLiteral("================================");
    qDebug().noquote() << rule;
    qDebug().noquote() << "        系统调试信息";
    qDebug().noquote() << rule;
    qDebug().noquote() << "编译时间:" << __DATE__ << __TIME__;
    qDebug().noquote() << "当前时间:" << QDateTime::currentDateTime().toString();
    qDebug().noquote() << "工作目录:" << QDir::currentPath();
    qDebug().noquote() << "文档目录:"
                       << QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    qDebug().noquote() << "应用数据目录:"
                       << QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    qDebug().noquote() << "临时目录:"
                       << QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    qDebug().noquote() << rule;
}

void StartupDiagnostics::logNoteFileInformation()
{
    const QString rule = QStringLiteral("================================");
    qDebug().noquote() << rule;
    qDebug().noquote() << "        笔记系统调试信息";
    qDebug().noquote() << rule;

    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString notesDir = QDir(documents).filePath(QStringLiteral("Quorvanta"));
    const QString notesFile = QDir(notesDir).filePath(QStringLiteral("Quorvanta_notes.json"));
    qDebug().noquote() << "笔记目录:" << notesDir;
    qDebug().noquote() << "笔记文件:" << notesFile;
    qDebug() << "目录存在:" << QDir(notesDir).exists();
    qDebug() << "文件存在:" << QFile::exists(notesFile);

    if (!QFile::exists(notesFile))
        return;

    const QFileInfo info(notesFile);
    qDebug().noquote() << "文件大小:" << info.size() << "字节";
    qDebug().noquote() << "修改时间:" << info.lastModified().toString();
    qDebug() << "可读:" << info.isReadable();
    qDebug() << "可写:" << info.isWritable();

    QFile file(notesFile);
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug().noquote() << "无法打开文件读取:" << notesFile;
        return;
    }
    const QByteArray data = file.readAll();
    file.close();
    qDebug().noquote() << "读取数据大小:" << data.size() << "字节";
    qDebug().noquote() << "前100字符:" << QString::fromUtf8(data.left(100));

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError) {
        qDebug().noquote() << "JSON解析失败:" << error.errorString();
        qDebug().noquote() << "错误位置:" << error.offset;
        return;
    }

    const QJsonObject root = document.object();
    qDebug().noquote() << "JSON解析成功";
    qDebug().noquote() << "JSON键:" << root.keys();
    if (root.contains(QLatin1String("notes"))) {
        const QJsonArray notes = root.value(QLatin1String("notes")).toArray();
        qDebug().noquote() << "笔记数量:" << notes.size();
        for (int i = 0; i < qMin(3, static_cast<int>(notes.size())); ++i) {
            const QJsonObject note = notes.at(i).toObject();
            qDebug().noquote() << "  笔记" << i + 1
                               << ": ID=" << note.value(QLatin1String("id")).toString()
                               << ", 标题=" << note.value(QLatin1String("title")).toString();
        }
    }
    if (root.contains(QLatin1String("categories")))
        qDebug().noquote() << "分类数量:"
                           << root.value(QLatin1String("categories")).toArray().size();
    qDebug().noquote() << "版本:" << root.value(QLatin1String("version")).toString();
    qDebug() << "用户路径修复:" << root.value(QLatin1String("userPathFix")).toBool();
    qDebug() << "总笔记数:" << root.value(QLatin1String("totalNotes")).toInt();
}
