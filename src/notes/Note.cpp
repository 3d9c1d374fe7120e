#include "Note.h"

namespace {

QString timeText(const QDateTime& time)
{
    return time.isValid() ? time.toString(Qt::ISODate) : QString();
}

} // namespace

QJsonObject Note::toJson() const
{
    QJsonObject object;
    object.insert(QStringLiteral("id"), id);
    object.insert(QStringLiteral("contentId"), contentId);
    object.insert(QStringLiteral("title"), title);
    object.insert(QStringLiteral("content"), content);
    object.insert(QStringLiteral("position"), position);
    object.insert(QStringLiteral("highlightText"), highlightText);
    object.insert(QStringLiteral("highlightColor"), highlightColor);
    object.insert(QStringLiteral("category"), category);
    object.insert(QStringLiteral("createTime"), timeText(createTime));
    object.insert(QStringLiteral("modifyTime"), timeText(modifyTime));
    object.insert(QStringLiteral("startPos"), startPos);
    object.insert(QStringLiteral("endPos"), endPos);
    return object;
}

Note Note::fromJson(const QJsonObject& object)
{
    Note note;
    const auto readString = [&object](const char* key, QString& field) {
        const QString name = QLatin1String(key);
        if (object.contains(name))
            field = object.value(name).toString();
    };
    const auto readTime = [&object](const char* key, QDateTime& field) {
        const QString name = QLatin1String(key);
        if (object.contains(name))
            field = QDateTime::fromString(object.value(name).toString(), Qt::ISODate);
    };
    const auto readInt = [&object](const char* key, qint32& field) {
        const QString name = QLatin1String(key);
        if (object.contains(name))
            field = object.value(name).toInt(0);
    };
    readString("id", note.id);
    readString("contentId", note.contentId);
    readString("title", note.title);
    readString("content", note.content);
    readString("position", note.position);
    readString("highlightText", note.highlightText);
    readString("highlightColor", note.highlightColor);
    readString("category", note.category);
    readTime("createTime", note.createTime);
    readTime("modifyTime", note.modifyTime);
    readInt("startPos", note.startPos);
    readInt("endPos", note.endPos);
    return note;
}
