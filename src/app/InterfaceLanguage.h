#pragma once

#include <QString>

#include <optional>

class QLocale;
class QSettings;

// The language of the user interface. The user's choice from View → Language is kept
// in the per-user settings; without one the system's locale decides: Chinese for any
// zh locale, English for every other. Chinese is the language of the source texts.
class InterfaceLanguage
{
public:
    enum Language
    {
        Chinese,
        English
    };

    static Language forLocale(const QLocale& locale);
    // The stored choice; none when the user never chose or the value is unknown.
    static std::optional<Language> storedChoice(QSettings& settings);
    static void storeChoice(QSettings& settings, Language language);
    // The stored choice, else the language of `system`.
    static Language resolve(QSettings& settings, const QLocale& system);

    // "zh_CN" or "en", as stored.
    static QString code(Language language);
    static std::optional<Language> fromCode(const QString& code);

    // The language the program's texts are shown in: the one last installed by
    // InterfaceTranslators, Chinese before any.
    static Language active();
    static void setActive(Language language);
};
