#include "BilingualText.h"

namespace {

QString member(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toString();
}

} // namespace

QString BilingualText::pick(const QJsonValue& value, InterfaceLanguage::Language language)
{
    if (value.isString())
        return value.toString();
    if (!value.isObject())
        return {};
    const QJsonObject object = value.toObject();
    const bool english = language == InterfaceLanguage::English;
    for (const char* key : {english ? "en" : "zh", "text", "summary", english ? "zh" : "en"}) {
        const QString text = member(object, key);
        if (!text.isEmpty())
            return text;
    }
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString text = it.value().toString();
        if (!text.isEmpty())
            return text;
    }
    return {};
}

QString BilingualText::either(const QJsonObject& object, InterfaceLanguage::Language language)
{
    const bool english = language == InterfaceLanguage::English;
    const QString own = member(object, english ? "en" : "zh");
    return own.isEmpty() ? member(object, english ? "zh" : "en") : own;
}

bool BilingualText::isBilingual(const QJsonObject& object)
{
    if (object.isEmpty())
        return false;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if ((it.key() != QLatin1String("zh") && it.key() != QLatin1String("en")) ||
            !it.value().isString())
            return false;
    }
    return true;
}
