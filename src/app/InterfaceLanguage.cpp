#include "InterfaceLanguage.h"

#include <QLocale>
#include <QSettings>

namespace {

const QString kKey = QStringLiteral("interface/language");

InterfaceLanguage::Language g_active = InterfaceLanguage::Chinese;

} // namespace

InterfaceLanguage::Language InterfaceLanguage::forLocale(const QLocale& locale)
{
    return locale.language() == QLocale::Chinese ? Chinese : English;
}

std::optional<InterfaceLanguage::Language> InterfaceLanguage::storedChoice(QSettings& settings)
{
    return fromCode(settings.value(kKey).toString());
}

void InterfaceLanguage::storeChoice(QSettings& settings, Language language)
{
    settings.setValue(kKey, code(language));
    settings.sync();
}

InterfaceLanguage::Language InterfaceLanguage::resolve(QSettings& settings, const QLocale& system)
{
    return storedChoice(settings).value_or(forLocale(system));
}

QString InterfaceLanguage::code(Language language)
{
    return language == English ? QStringLiteral("en") : QStringLiteral("zh_CN");
}

std::optional<InterfaceLanguage::Language> InterfaceLanguage::fromCode(const QString& code)
{
    if (code == QLatin1String("zh_CN"))
        return Chinese;
    if (code == QLatin1String("en"))
        return English;
    return std::nullopt;
}

InterfaceLanguage::Language InterfaceLanguage::active()
{
    return g_active;
}

void InterfaceLanguage::setActive(Language language)
{
    g_active = language;
}
