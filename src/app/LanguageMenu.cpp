#include "LanguageMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSettings>

LanguageMenu::LanguageMenu(QObject* parent) : QObject(parent), m_actions(new QActionGroup(this))
{
    m_actions->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
}

QMenu* LanguageMenu::addTo(QMenu* parent)
{
    QMenu* menu = parent->addMenu(tr("语言(&L)"));
    menu->setObjectName(QStringLiteral("languageMenu"));
    // Never translated: a reader looks for the name of their own language.
    m_chinese = menu->addAction(QStringLiteral("中文"));
    m_english = menu->addAction(QStringLiteral("English"));
    QSettings settings;
    const InterfaceLanguage::Language checked =
        InterfaceLanguage::storedChoice(settings).value_or(InterfaceLanguage::active());
    for (const auto language : {InterfaceLanguage::Chinese, InterfaceLanguage::English}) {
        QAction* item = action(language);
        item->setCheckable(true);
        item->setChecked(language == checked);
        m_actions->addAction(item);
        connect(item, &QAction::triggered, this, [this, language] { choose(language); });
    }
    return menu;
}

QAction* LanguageMenu::action(InterfaceLanguage::Language language) const
{
    return language == InterfaceLanguage::English ? m_english : m_chinese;
}

void LanguageMenu::choose(InterfaceLanguage::Language language)
{
    QSettings settings;
    InterfaceLanguage::storeChoice(settings, language);
    emit languageChosen(language);
}
