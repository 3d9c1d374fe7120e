#include "ThemeManager.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>

namespace {

// What the platform gave the program before any theme was applied.
struct SystemLook
{
    QPalette palette;
    QString styleName;
};

const SystemLook& systemLook()
{
    static const SystemLook look{QApplication::palette(),
                                 QApplication::style() ? QApplication::style()->name() : QString()};
    return look;
}

const char* themeName(ThemeManager::Theme theme)
{
    switch (theme) {
    case ThemeManager::Theme::Light:
        return "light";
    case ThemeManager::Theme::Dark:
        return "dark";
    case ThemeManager::Theme::System:
        break;
    }
    return "system";
}

} // namespace

ThemeManager::ThemeManager(QObject* parent) : QObject(parent)
{
    QSettings settings;
    m_theme = load(settings);

    m_group = new QActionGroup(this);
    m_group->setExclusive(true);
    const QList<QPair<Theme, QString>> choices{
        {Theme::System, tr("跟随系统")}, {Theme::Light, tr("浅色")}, {Theme::Dark, tr("深色")}};
    for (const auto& [theme, text] : choices) {
        QAction* action = m_group->addAction(text);
        action->setCheckable(true);
        action->setChecked(theme == m_theme);
        action->setObjectName(QStringLiteral("theme_%1").arg(QLatin1String(themeName(theme))));
        connect(action, &QAction::triggered, this, [this, theme = theme] { setTheme(theme); });
    }
}

QList<QAction*> ThemeManager::actions() const
{
    return m_group->actions();
}

void ThemeManager::setTheme(Theme theme)
{
    const QList<QAction*> list = actions();
    list.at(int(theme))->setChecked(true);
    if (theme == m_theme)
        return;
    m_theme = theme;
    QSettings settings;
    save(settings, theme);
    applyToApplication(theme);
    emit themeChanged(theme);
}

ThemeManager::Theme ThemeManager::load(QSettings& settings)
{
    const QString name = settings.value(settingsKey()).toString();
    for (Theme theme : {Theme::Light, Theme::Dark}) {
        if (name == QLatin1String(themeName(theme)))
            return theme;
    }
    return Theme::System;
}

void ThemeManager::save(QSettings& settings, Theme theme)
{
    settings.setValue(settingsKey(), QString::fromLatin1(themeName(theme)));
}

void ThemeManager::applyToApplication(Theme theme)
{
    const SystemLook& look = systemLook();
    // Until a fixed theme was applied the platform's own look is in place, untouched.
    static bool changed = false;
    if (theme == Theme::System) {
        if (!changed)
            return;
        if (!look.styleName.isEmpty() &&
            QApplication::style()->name().compare(look.styleName, Qt::CaseInsensitive) != 0)
            QApplication::setStyle(look.styleName);
        QApplication::setPalette(look.palette);
        return;
    }
    changed = true;
    // Native styles may ignore a palette; Fusion draws every widget from it.
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(theme == Theme::Dark ? darkPalette()
                                                  : QApplication::style()->standardPalette());
}

QPalette ThemeManager::darkPalette()
{
    QPalette palette;
    const QColor text(0xe0, 0xe0, 0xe0);
    const QColor disabled(0x7a, 0x7a, 0x7a);
    palette.setColor(QPalette::Window, QColor(0x2d, 0x2d, 0x2d));
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    palette.setColor(QPalette::AlternateBase, QColor(0x2a, 0x2a, 0x2a));
    palette.setColor(QPalette::ToolTipBase, QColor(0x2d, 0x2d, 0x2d));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, QColor(0x8a, 0x8a, 0x8a));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, QColor(0xff, 0x6e, 0x6e));
    palette.setColor(QPalette::Light, QColor(0x4a, 0x4a, 0x4a));
    palette.setColor(QPalette::Midlight, QColor(0x3e, 0x3e, 0x3e));
    palette.setColor(QPalette::Mid, QColor(0x2a, 0x2a, 0x2a));
    palette.setColor(QPalette::Dark, QColor(0x1a, 0x1a, 0x1a));
    palette.setColor(QPalette::Shadow, QColor(0x0a, 0x0a, 0x0a));
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0x6f, 0xb5));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x64, 0xb5, 0xf6));
    palette.setColor(QPalette::LinkVisited, QColor(0xb3, 0x9d, 0xdb));
    for (QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText})
        palette.setColor(QPalette::Disabled, role, disabled);
    return palette;
}
