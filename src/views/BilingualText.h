#pragma once

#include "app/InterfaceLanguage.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// Knowledge-base texts that come in both languages, {"zh": …, "en": …}: the text of
// the interface language, else the other one, so that an entry without English shows
// its Chinese. A plain string is the same text in either language.
class BilingualText
{
public:
    // The whole chain: the language's own key, "text", "summary", the other language's
    // key, then any string member; a plain string as it is.
    static QString pick(const QJsonValue& value, InterfaceLanguage::Language language);
    static QString pick(const QJsonValue& value)
    {
        return pick(value, InterfaceLanguage::active());
    }
    // Only "zh" and "en": the language's own, else the other.
    static QString either(const QJsonObject& object, InterfaceLanguage::Language language);
    // An object of texts in "zh" and "en" alone (at least one of them, nothing else).
    static bool isBilingual(const QJsonObject& object);
};
