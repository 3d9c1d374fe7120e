#include "NoteManager.h"

#include "data/AtomicFileWriter.h"
#include "data/CorruptFileKeeper.h"
#include "data/DataRelativePath.h"
#include "data/StoreFileContents.h"
#include "data/StoreFileLock.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>
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

// The keys of the file this store writes itself; any other key is kept as found.
const QSet<QString>& ownFileKeys()
{
    static const QSet<QString> keys{
        QStringLiteral("notes"),       QStringLiteral("categories"),   QStringLiteral("version"),
        QStringLiteral("created"),     QStringLiteral("lastModified"), QStringLiteral("totalNotes"),
        QStringLiteral("userPathFix"), QStringLiteral("documentsPath")};
    return keys;
}

const QSet<QString>& ownNoteKeys()
{
    static const QSet<QString> keys{QStringLiteral("id"),
                                    QStringLiteral("contentId"),
                                    QStringLiteral("title"),
                                    QStringLiteral("content"),
                                    QStringLiteral("position"),
                                    QStringLiteral("highlightText"),
                                    QStringLiteral("highlightColor"),
                                    QStringLiteral("category"),
                                    QStringLiteral("createTime"),
                                    QStringLiteral("modifyTime"),
                                    QStringLiteral("startPos"),
                                    QStringLiteral("endPos")};
    return keys;
}

QString fileError(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("NoteManager", "无法写入笔记文件: %1\n原因: %2")
        .arg(QDir::toNativeSeparators(QDir::cleanPath(path)), reason);
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
    // Every change was written when it was made (or undone when it could not be):
    // writing again here would only put back what another copy has changed since.
    qDebug().noquote() << kFilePrefix << "析构函数，所有更改均已保存";
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

    const Outcome outcome = commitChange([this, &copy] {
        m_notes.insert(copy.id, copy);
        m_extraNoteKeys.remove(copy.id);
        qDebug().noquote() << kFilePrefix << "添加笔记:" << copy.id << "标题:" << copy.title;
        return true;
    });
    if (outcome != Outcome::Saved) {
        qWarning().noquote() << kFilePrefix << "保存笔记失败:" << copy.id;
        return false;
    }
    qDebug().noquote() << kFilePrefix << "成功保存笔记:" << copy.id;
    emit noteAdded(copy.id);
    return true;
}

bool NoteManager::updateNote(const Note& note)
{
    Note copy = note;
    copy.modifyTime = QDateTime::currentDateTime();
    const Outcome outcome = commitChange([this, &copy] {
        if (!m_notes.contains(copy.id)) {
            qWarning().noquote() << kFilePrefix << "尝试更新不存在的笔记:" << copy.id;
            return false;
        }
        m_notes.insert(copy.id, copy);
        qDebug().noquote() << kFilePrefix << "更新笔记:" << copy.id;
        return true;
    });
    if (outcome == Outcome::NotApplied)
        return false;
    if (outcome == Outcome::Failed) {
        qWarning().noquote() << kFilePrefix << "更新笔记保存失败:" << copy.id;
        return false;
    }
    qDebug().noquote() << kFilePrefix << "成功更新笔记:" << copy.id;
    emit noteUpdated(copy.id);
    return true;
}

bool NoteManager::deleteNote(const QString& noteId)
{
    const Outcome outcome = commitChange([this, &noteId] {
        if (!m_notes.contains(noteId)) {
            qWarning().noquote() << kFilePrefix << "尝试删除不存在的笔记:" << noteId;
            return false;
        }
        m_notes.remove(noteId);
        m_extraNoteKeys.remove(noteId);
        qDebug().noquote() << kFilePrefix << "删除笔记:" << noteId;
        return true;
    });
    if (outcome == Outcome::NotApplied)
        return false;
    if (outcome == Outcome::Failed) {
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

bool NoteManager::belongsTo(const Note& note, const QString& contentId)
{
    // An entry is found by its place in the knowledge base, whichever form names it.
    return note.contentId == contentId || DataRelativePath::sameEntry(note.contentId, contentId);
}

QList<Note> NoteManager::getNotesForContent(const QString& contentId) const
{
    QList<Note> notes;
    for (const Note& note : m_notes) {
        if (belongsTo(note, contentId))
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

    bool loaded = false;
    bool result = true;
    {
        // Creating the file or keeping a damaged one aside must not race another copy.
        const StoreFileLock lock(path);
        const StoreFileContents disk = StoreFileContents::read(path);
        if (disk.status == StoreFileContents::Missing) {
            qDebug().noquote() << kFilePrefix << "笔记文件不存在，创建新文件:" << path;
            QJsonObject root;
            root.insert(QStringLiteral("notes"), QJsonArray());
            root.insert(QStringLiteral("categories"), QJsonArray::fromStringList(m_categories));
            root.insert(QStringLiteral("version"), QStringLiteral("1.2"));
            root.insert(QStringLiteral("created"),
                        QDateTime::currentDateTime().toString(Qt::ISODate));
            root.insert(QStringLiteral("totalNotes"), 0);
            root.insert(QStringLiteral("userPathFix"), true);
            const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
            QString error;
            if (!lock.isLocked()) {
                qWarning().noquote() << kFilePrefix << "无法写入笔记文件:" << path;
                qWarning().noquote() << kFilePrefix << "错误:" << lock.errorString();
                m_diskFingerprint = disk.fingerprint();
            } else if (AtomicFileWriter::write(path, bytes, &error)) {
                qDebug().noquote() << kFilePrefix << "成功创建默认笔记文件";
                m_diskFingerprint = StoreFileContents::fingerprintOf(bytes);
            } else {
                qWarning().noquote() << kFilePrefix << "无法写入笔记文件:" << path;
                qWarning().noquote() << kFilePrefix << "错误:" << error;
                m_diskFingerprint = disk.fingerprint();
            }
            return true;
        }

        m_diskFingerprint = disk.fingerprint();
        if (disk.status == StoreFileContents::Unreadable) {
            qWarning().noquote() << kFilePrefix << "无法读取笔记文件:" << path;
            qWarning().noquote() << kFilePrefix << "错误:" << disk.error;
            m_unreadableFileOnDisk = true;
            m_keptFiles.append({path, QString(), disk.error});
            return false;
        }
        m_unreadableFileOnDisk = false;
        if (lock.isLocked())
            AtomicFileWriter::removeLeftovers(path, 0);

        qDebug().noquote() << kFilePrefix << "读取文件大小:" << disk.bytes.size() << "字节";
        if (disk.bytes.isEmpty()) {
            qWarning().noquote() << kFilePrefix << "笔记文件为空:" << path;
            return true;
        }
        result = adoptFileContents(disk.bytes, true);
        loaded = result;
    }
    if (loaded)
        emit notesLoaded();
    return result;
}

bool NoteManager::adoptFileContents(const QByteArray& bytes, bool atLoad)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        const QString reason = parseError.error != QJsonParseError::NoError
                                   ? parseError.errorString()
                                   : QStringLiteral("not a notes object");
        const int offset = parseError.error != QJsonParseError::NoError ? parseError.offset : 0;
        qWarning().noquote() << kFilePrefix << "解析笔记文件错误:" << reason;
        qWarning().noquote() << kFilePrefix << "错误位置:" << offset;
        keepDamagedCopy(bytes, tr("%1（位置 %2）").arg(reason).arg(offset));
        return false;
    }

    // Whatever is well-formed is taken; a malformed member leaves what memory
    // holds in its place and the file is kept aside as found.
    const QJsonObject root = document.object();
    QStringList problems;

    const QJsonValue categoriesValue = root.value(QLatin1String("categories"));
    if (root.contains(QLatin1String("categories")) && !categoriesValue.isArray()) {
        problems << tr("“categories” 不是数组");
    } else if (root.contains(QLatin1String("categories"))) {
        QStringList categories;
        bool allText = true;
        const QJsonArray array = categoriesValue.toArray();
        for (const QJsonValue& value : array) {
            if (value.isString())
                categories.append(value.toString());
            else
                allText = false;
        }
        if (!allText)
            problems << tr("“categories” 中有不是文字的分类");
        m_categories = categories;
        qDebug().noquote() << kFilePrefix << "加载了" << m_categories.size() << "个分类";
    }

    const QJsonValue notesValue = root.value(QLatin1String("notes"));
    if (root.contains(QLatin1String("notes")) && !notesValue.isArray()) {
        problems << tr("“notes” 不是数组");
    } else if (root.contains(QLatin1String("notes"))) {
        QMap<QString, Note> notes;
        QHash<QString, QJsonObject> extraNoteKeys;
        QJsonArray unusable;
        QStringList duplicates;
        int inserted = 0;
        int moved = 0;
        const QJsonArray array = notesValue.toArray();
        for (const QJsonValue& value : array) {
            const QJsonObject object = value.toObject();
            const QJsonValue id = object.value(QLatin1String("id"));
            // Entries no note can stand for (no usable id, not an object) are
            // written back as they are instead of vanishing at the next save.
            if (!value.isObject() || !id.isString() || id.toString().isEmpty()) {
                unusable.append(value);
                continue;
            }
            Note note = Note::fromJson(object);
            // Older versions tied a note to the absolute path of the entry's file:
            // the entry's place in the knowledge base is what stays the same.
            if (DataRelativePath::isAbsolute(note.contentId)) {
                const QString key = DataRelativePath::key(note.contentId);
                if (!key.isEmpty()) {
                    note.contentId = key;
                    ++moved;
                }
            }
            if (notes.contains(note.id) && !duplicates.contains(note.id))
                duplicates.append(note.id);
            notes.insert(note.id, note);
            QJsonObject extra;
            for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
                if (!ownNoteKeys().contains(it.key()))
                    extra.insert(it.key(), it.value());
            }
            if (extra.isEmpty())
                extraNoteKeys.remove(note.id);
            else
                extraNoteKeys.insert(note.id, extra);
            ++inserted;
        }
        for (const QString& id : std::as_const(duplicates))
            problems << tr("笔记 id “%1” 出现了不止一次，只保留了最后一条").arg(id);
        m_notes = notes;
        m_extraNoteKeys = extraNoteKeys;
        m_unusableEntries = unusable;
        qDebug().noquote() << kFilePrefix << "成功加载了" << inserted << "个笔记";
        if (moved > 0)
            qDebug().noquote() << kFilePrefix << "按数据相对路径关联了" << moved
                               << "个旧笔记，下次保存时写入";
        if (!unusable.isEmpty())
            qWarning().noquote() << kFilePrefix
                                 << "无法识别的笔记条目将原样保留:" << unusable.size();
    }

    QJsonObject extraKeys;
    for (auto it = root.constBegin(); it != root.constEnd(); ++it) {
        if (!ownFileKeys().contains(it.key()))
            extraKeys.insert(it.key(), it.value());
    }
    m_extraKeys = extraKeys;

    if (atLoad && root.contains(QLatin1String("totalNotes"))) {
        qDebug().noquote() << kFilePrefix
                           << "预期笔记数量:" << root.value(QLatin1String("totalNotes")).toInt()
                           << "实际加载:" << m_notes.size();
    }

    if (!problems.isEmpty()) {
        const QString reason = problems.join(QStringLiteral("；"));
        qWarning().noquote() << kFilePrefix << "笔记文件部分损坏:" << reason;
        keepDamagedCopy(bytes, reason);
    }
    return true;
}

void NoteManager::keepDamagedCopy(const QByteArray& bytes, const QString& reason)
{
    const QString path = notesFilePath();
    QString error;
    const QString keptPath = CorruptFileKeeper::keepCopy(path, bytes, &error);
    if (keptPath.isEmpty()) {
        // Not kept: the file itself is moved aside before the next write.
        qWarning().noquote() << kFilePrefix << "无法保留无法读取的笔记文件:" << path;
        qWarning().noquote() << kFilePrefix << "错误:" << error;
        m_unreadableFileOnDisk = true;
        m_keptFiles.append({path, QString(), reason});
        return;
    }
    qWarning().noquote() << kFilePrefix << "无法读取的笔记文件已另存为:" << keptPath;
    m_keptFiles.append({path, keptPath, reason});
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
        m_lastError = fileError(path, error);
        return false;
    }
    qWarning().noquote() << kFilePrefix << "无法读取的笔记文件已另存为:" << keptPath;
    m_unreadableFileOnDisk = false;
    return true;
}

bool NoteManager::syncWithDisk()
{
    const QString path = notesFilePath();
    const StoreFileContents disk = StoreFileContents::read(path);
    const QByteArray fingerprint = disk.fingerprint();
    if (fingerprint == m_diskFingerprint)
        return false;
    m_diskFingerprint = fingerprint;
    qDebug().noquote() << kFilePrefix << "笔记文件已被更改，重新读取:" << path;

    switch (disk.status) {
    case StoreFileContents::Missing:
        // Removed (or kept aside) elsewhere: start from an empty store, as a first start does.
        m_unreadableFileOnDisk = false;
        m_notes.clear();
        m_extraNoteKeys.clear();
        m_unusableEntries = QJsonArray();
        m_extraKeys = QJsonObject();
        m_categories = defaultCategories();
        return true;
    case StoreFileContents::Unreadable:
        qWarning().noquote() << kFilePrefix << "无法读取笔记文件:" << path;
        qWarning().noquote() << kFilePrefix << "错误:" << disk.error;
        m_unreadableFileOnDisk = true;
        return false;
    case StoreFileContents::Read:
        break;
    }
    m_unreadableFileOnDisk = false;
    if (disk.bytes.isEmpty())
        return false;
    return adoptFileContents(disk.bytes, false);
}

NoteManager::Outcome NoteManager::commitChange(const std::function<bool()>& apply)
{
    m_lastError.clear();
    const QString path = notesFilePath();
    Outcome outcome = Outcome::Saved;
    bool reloaded = false;
    {
        const StoreFileLock lock(path);
        if (!lock.isLocked()) {
            qWarning().noquote() << kFilePrefix << "无法写入笔记文件:" << path;
            qWarning().noquote() << kFilePrefix << "错误:" << lock.errorString();
            m_lastError = fileError(path, lock.errorString());
            return Outcome::Failed;
        }
        reloaded = syncWithDisk();
        const QMap<QString, Note> notes = m_notes;
        const QHash<QString, QJsonObject> extraNoteKeys = m_extraNoteKeys;
        if (!apply()) {
            outcome = Outcome::NotApplied;
        } else if (!writeFile()) {
            // Memory stays what the file says.
            m_notes = notes;
            m_extraNoteKeys = extraNoteKeys;
            outcome = Outcome::Failed;
        }
    }
    if (reloaded)
        emit notesLoaded();
    return outcome;
}

QByteArray NoteManager::fileBytes() const
{
    QJsonArray notes;
    for (auto it = m_notes.constBegin(); it != m_notes.constEnd(); ++it) {
        QJsonObject object = m_extraNoteKeys.value(it.key());
        const QJsonObject own = it.value().toJson();
        for (auto key = own.constBegin(); key != own.constEnd(); ++key)
            object.insert(key.key(), key.value());
        notes.append(object);
    }
    for (const QJsonValue& value : m_unusableEntries)
        notes.append(value);

    QJsonObject root = m_extraKeys;
    root.insert(QStringLiteral("notes"), notes);
    root.insert(QStringLiteral("categories"), QJsonArray::fromStringList(m_categories));
    root.insert(QStringLiteral("version"), QStringLiteral("1.2"));
    root.insert(QStringLiteral("lastModified"), QDateTime::currentDateTime().toString(Qt::ISODate));
    root.insert(QStringLiteral("totalNotes"), static_cast<int>(m_notes.size()));
    root.insert(QStringLiteral("userPathFix"), true);
    root.insert(QStringLiteral("documentsPath"), documentsPath());
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool NoteManager::saveNotes()
{
    return commitChange([] { return true; }) == Outcome::Saved;
}

bool NoteManager::writeFile()
{
    const QByteArray bytes = fileBytes();
    const QString path = notesFilePath();
    qDebug().noquote() << kFilePrefix << "保存到文件:" << path;

    if (m_unreadableFileOnDisk && !keepUnreadableFile())
        return false;
    // Under the lock no other write of this file runs: whatever temporary file
    // is there was left by a copy that died.
    AtomicFileWriter::removeLeftovers(path, 0);

    QString error;
    if (!AtomicFileWriter::write(path, bytes, &error)) {
        qWarning().noquote() << kFilePrefix << "无法写入笔记文件:" << path;
        qWarning().noquote() << kFilePrefix << "错误:" << error;
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!AtomicFileWriter::write(path, bytes, &error)) {
            qWarning().noquote() << kFilePrefix << "重试后仍无法写入文件";
            m_lastError = fileError(path, error);
            return false;
        }
    }
    m_diskFingerprint = StoreFileContents::fingerprintOf(bytes);
    const qint64 written = bytes.size();

    qDebug().noquote() << kFilePrefix << "成功保存" << m_notes.size() << "个笔记到:" << path;
    qDebug().noquote() << kFilePrefix << "文件大小:" << written << "字节";

    const QFileInfo info(path);
    if (info.exists() && info.size() == written)
        qDebug().noquote() << kFilePrefix << "文件保存验证成功";
    else
        qWarning().noquote() << kFilePrefix << "文件保存验证失败";
    return true;
}
