#include "NoteManager.h"

#include "data/AtomicFileWriter.h"
#include "data/CorruptFileKeeper.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

namespace {

const char* const kFilePrefix = "NoteManager: [用户路径修复]";
const char* const kDebugPrefix = "NoteManager: [DEBUG]";

QStringList defaultCategories()
{
    return {QStringLiteral("一般"), QStringLiteral("重要"), QStringLiteral("问题"),
            QStringLiteral("想法"), QStringLiteral("待办"), QStringLiteral("参考")};
}

QString documentsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void sortNewestFirst(QList<Note>& notes, QDateTime Note::*time)
{
    std::stable_sort(notes.begin(), notes.end(),
                     [time](const Note& a, const Note& b) { return a.*time > b.*time; });
}

} // namespace

NoteManager::NoteManager(QObject* parent)
    : QObject(parent), m_notesFileName(QStringLiteral("Quorvanta_notes.json"))
{
    qDebug().noquote() << "=== NoteManager 构造函数开始 ===";
    m_categories = defaultCategories();

    const QString documents = documentsPath();
    qDebug().noquote() << kDebugPrefix << "系统文档路径:" << documents;
    const QString notesPath = QDir(documents).filePath(QStringLiteral("Quorvanta"));
    qDebug().noquote() << kDebugPrefix << "应用笔记路径:" << notesPath;
    const bool created = QDir().mkpath(notesPath);
    qDebug().noquote() << kDebugPrefix << "目录创建结果:"
                       << (created ? QStringLiteral("成功") : QStringLiteral("失败"));
    setNotesPath(notesPath);

    const QString filePath = notesFilePath();
    qDebug().noquote() << kFilePrefix << "笔记文件路径:" << filePath;
    const QFileInfo info(filePath);
    if (info.exists()) {
        qDebug().noquote() << kFilePrefix << "笔记文件存在，大小:" << info.size() << "字节";
        qDebug().noquote().nospace()
            << kDebugPrefix << " 文件权限: 可读=" << info.permission(QFile::ReadOwner)
            << ", 可写=" << info.permission(QFile::WriteOwner);
    } else {
        qDebug().noquote() << kFilePrefix << "笔记文件不存在，将创建新文件";
    }

    qDebug().noquote() << kDebugPrefix << "开始加载笔记文件...";
    loadNotes();
    qDebug().noquote() << kDebugPrefix << "构造函数完成，内存中笔记数量:" << m_notes.size();
    qDebug().noquote() << "=== NoteManager 构造函数结束 ===";
}

NoteManager::~NoteManager()
{
    qDebug().noquote() << kFilePrefix << "析构函数，保存笔记...";
    saveNotes();
}

void NoteManager::setNotesPath(const QString& path)
{
    m_notesPath = path;
    QDir().mkpath(m_notesPath);
    qDebug().noquote() << kFilePrefix << "笔记路径设置为:" << m_notesPath;
    qDebug().noquote() << kFilePrefix << "设置笔记路径为:" << m_notesPath;
}

QString NoteManager::notesFilePath() const
{
    return QDir(m_notesPath).filePath(m_notesFileName);
}

bool NoteManager::addNote(const Note& note)
{
    Note copy = note;
    if (copy.id.isEmpty())
        copy.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    copy.createTime = QDateTime::currentDateTime();
    copy.modifyTime = copy.createTime;
    m_notes.insert(copy.id, copy);
    qDebug().noquote() << kFilePrefix << "添加笔记:" << copy.id << "标题:" << copy.title;

    if (!saveNotes()) {
        qWarning().noquote() << kFilePrefix << "保存笔记失败:" << copy.id;
        return false;
    }
    qDebug().noquote() << kFilePrefix << "成功保存笔记:" << copy.id;
    emit noteAdded(copy.id);
    return true;
}

bool NoteManager::updateNote(const Note& note)
{
    if (!m_notes.contains(note.id)) {
        qWarning().noquote() << kFilePrefix << "尝试更新不存在的笔记:" << note.id;
        return false;
    }
    Note copy = note;
    copy.modifyTime = QDateTime::currentDateTime();
    m_notes.insert(copy.id, copy);
    qDebug().noquote() << kFilePrefix << "更新笔记:" << copy.id;

    if (!saveNotes()) {
        qWarning().noquote() << kFilePrefix << "更新笔记保存失败:" << copy.id;
        return false;
    }
    qDebug().noquote() << kFilePrefix << "成功更新笔记:" << copy.id;
    emit noteUpdated(copy.id);
    return true;
}

bool NoteManager::deleteNote(const QString& noteId)
{
    if (!m_notes.contains(noteId)) {
        qWarning().noquote() << kFilePrefix << "尝试删除不存在的笔记:" << noteId;
        return false;
    }
    m_notes.remove(noteId);
    qDebug().noquote() << kFilePrefix << "删除笔记:" << noteId;

    if (!saveNotes()) {
        qWarning().noquote() << kFilePrefix << "删除笔记保存失败:" << noteId;
        return false;
    }
    qDebug().noquote() << kFilePrefix << "成功删除笔记:" << noteId;
    emit noteDeleted(noteId);
    return true;
}

Note NoteManager::getNote(const QString& noteId) const
{
    return m_notes.value(noteId);
}

QList<Note> NoteManager::getAllNotes() const
{
    qDebug().noquote() << "=== NoteManager::getAllNotes 被调用 ===";
    qDebug().noquote() << kDebugPrefix << "内存中笔记数量:" << m_notes.size();
    qDebug().noquote() << kDebugPrefix << "笔记ID列表:" << m_notes.keys();
    QList<Note> notes = m_notes.values();
    qDebug().noquote() << kDebugPrefix << "转换为列表后数量:" << notes.size();
    for (int i = 0; i < notes.size() && i < 5; ++i) {
        const Note& note = notes.at(i);
        qDebug().noquote().nospace() << kDebugPrefix << " 笔记" << i + 1 << ": ID=" << note.id
                                     << ", 标题=" << note.title << ", 分类=" << note.category;
    }
    sortNewestFirst(notes, &Note::modifyTime);
    qDebug().noquote() << kDebugPrefix << "排序后返回" << notes.size() << "个笔记";
    qDebug().noquote() << "=== NoteManager::getAllNotes 结束 ===";
    return notes;
}

QList<Note> NoteManager::getNotesForContent(const QString& contentId) const
{
    QList<Note> notes;
    for (const Note& note : m_notes) {
        if (note.contentId == contentId)
            notes.append(note);
    }
    sortNewestFirst(notes, &Note::createTime);
    return notes;
}

QList<Note> NoteManager::searchNotes(const QString& keyword) const
{
    const QString needle = keyword.toLower();
    QList<Note> notes;
    for (const Note& note : m_notes) {
        if (note.title.toLower().contains(needle) || note.content.toLower().contains(needle) ||
            note.highlightText.toLower().contains(needle))
            notes.append(note);
    }
    sortNewestFirst(notes, &Note::modifyTime);
    return notes;
}

QStringList NoteManager::getCategories() const
{
    return m_categories;
}

bool NoteManager::loadNotes()
{
    const QString path = notesFilePath();
    qDebug().noquote() << kFilePrefix << "加载笔记文件:" << path;

    QFile file(path);
    if (!file.exists()) {
        qDebug().noquote() << kFilePrefix << "笔记文件不存在，创建新文件:" << path;
        QJsonObject root;
        root.insert(QStringLiteral("notes"), QJsonArray());
        root.insert(QStringLiteral("categories"), QJsonArray::fromStringList(m_categories));
        root.insert(QStringLiteral("version"), QStringLiteral("1.2"));
        root.insert(QStringLiteral("created"), QDateTime::currentDateTime().toString(Qt::ISODate));
        root.insert(QStringLiteral("totalNotes"), 0);
        root.insert(QStringLiteral("userPathFix"), true);
        QString error;
        if (AtomicFileWriter::write(path, QJsonDocument(root).toJson(QJsonDocument::Indented),
                                    &error)) {
            qDebug().noquote() << kFilePrefix << "成功创建默认笔记文件";
        } else {
            qWarning().noquote() << kFilePrefix << "无法写入笔记文件:" << path;
            qWarning().noquote() << kFilePrefix << "错误:" << error;
        }
        return true;
    }

    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << kFilePrefix << "无法读取笔记文件:" << path;
        qWarning().noquote() << kFilePrefix << "错误:" << file.errorString();
        m_unreadableFileOnDisk = true;
        return false;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    qDebug().noquote() << kFilePrefix << "读取文件大小:" << bytes.size() << "字节";

    if (bytes.isEmpty()) {
        qWarning().noquote() << kFilePrefix << "笔记文件为空:" << path;
        return true;
    }

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        qWarning().noquote() << kFilePrefix << "解析笔记文件错误:" << parseError.errorString();
        qWarning().noquote() << kFilePrefix << "错误位置:" << parseError.offset;
        m_unreadableFileOnDisk = true;
        return false;
    }
    const QJsonObject root = document.object();
    // Valid JSON of another shape is not a notes file: loading it as empty would
    // let the next save wipe whatever it is.
    const bool badShape =
        !document.isObject() ||
        (root.contains(QLatin1String("notes")) && !root.value(QLatin1String("notes")).isArray()) ||
        (root.contains(QLatin1String("categories")) &&
         !root.value(QLatin1String("categories")).isArray());
    if (badShape) {
        qWarning().noquote() << kFilePrefix << "解析笔记文件错误:"
                             << "not a notes object";
        qWarning().noquote() << kFilePrefix << "错误位置:" << 0;
        m_unreadableFileOnDisk = true;
        return false;
    }

    if (root.contains(QLatin1String("categories"))) {
        m_categories.clear();
        const QJsonArray categories = root.value(QLatin1String("categories")).toArray();
        for (const QJsonValue& value : categories)
            m_categories.append(value.toString());
        qDebug().noquote() << kFilePrefix << "加载了" << m_categories.size() << "个分类";
    }

    if (root.contains(QLatin1String("notes"))) {
        m_notes.clear();
        int inserted = 0;
        const QJsonArray notes = root.value(QLatin1String("notes")).toArray();
        for (const QJsonValue& value : notes) {
            const Note note = Note::fromJson(value.toObject());
            if (note.id.isEmpty())
                continue;
            m_notes.insert(note.id, note);
            ++inserted;
        }
        qDebug().noquote() << kFilePrefix << "成功加载了" << inserted << "个笔记";
    }

    if (root.contains(QLatin1String("totalNotes"))) {
        qDebug().noquote() << kFilePrefix
                           << "预期笔记数量:" << root.value(QLatin1String("totalNotes")).toInt()
                           << "实际加载:" << m_notes.size();
    }

    emit notesLoaded();
    return true;
}

bool NoteManager::keepUnreadableFile()
{
    const QString path = notesFilePath();
    if (!QFileInfo(path).isFile()) {
        // Gone or not a plain file: nothing of the user's to move out of the way.
        m_unreadableFileOnDisk = false;
        return true;
    }
    QString error;
    const QString keptPath = CorruptFileKeeper::keepAside(path, &error);
    if (keptPath.isEmpty()) {
        qWarning().noquote() << kFilePrefix << "无法保留无法读取的笔记文件，未保存:" << path;
        qWarning().noquote() << kFilePrefix << "错误:" << error;
        return false;
    }
    qWarning().noquote() << kFilePrefix << "无法读取的笔记文件已另存为:" << keptPath;
    m_unreadableFileOnDisk = false;
    return true;
}

bool NoteManager::saveNotes()
{
    QJsonArray notes;
    for (const Note& note : std::as_const(m_notes))
        notes.append(note.toJson());

    QJsonObject root;
    root.insert(QStringLiteral("notes"), notes);
    root.insert(QStringLiteral("categories"), QJsonArray::fromStringList(m_categories));
    root.insert(QStringLiteral("version"), QStringLiteral("1.2"));
    root.insert(QStringLiteral("lastModified"), QDateTime::currentDateTime().toString(Qt::ISODate));
    root.insert(QStringLiteral("totalNotes"), static_cast<int>(m_notes.size()));
    root.insert(QStringLiteral("userPathFix"), true);
    root.insert(QStringLiteral("documentsPath"), documentsPath());
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);

    const QString path = notesFilePath();
    qDebug().noquote() << kFilePrefix << "保存到文件:" << path;

    if (m_unreadableFileOnDisk && !keepUnreadableFile())
        return false;

    QString error;
    if (!AtomicFileWriter::write(path, bytes, &error)) {
        qWarning().noquote() << kFilePrefix << "无法写入笔记文件:" << path;
        qWarning().noquote() << kFilePrefix << "错误:" << error;
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!AtomicFileWriter::write(path, bytes, &error)) {
            qWarning().noquote() << kFilePrefix << "重试后仍无法写入文件";
            return false;
        }
    }
    const qint64 written = bytes.size();
    if (written < 1) {
        qWarning().noquote() << kFilePrefix << "保存笔记失败，写入0字节";
        return false;
    }

    qDebug().noquote() << kFilePrefix << "成功保存" << m_notes.size() << "个笔记到:" << path;
    qDebug().noquote() << kFilePrefix << "文件大小:" << written << "字节";

    const QFileInfo info(path);
    if (info.exists() && info.size() == written)
        qDebug().noquote() << kFilePrefix << "文件保存验证成功";
    else
        qWarning().noquote() << kFilePrefix << "文件保存验证失败";
    return true;
}
