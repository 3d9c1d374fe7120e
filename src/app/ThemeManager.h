#pragma once

#include <QObject>
#include <QPalette>
#include <QString>

class QAction;
class QActionGroup;
class QSettings;

// The colour theme: the system's palette, or a light or a dark one chosen in
// 视图 → 主题. The choice is kept in the per-user settings and applied at start.
class ThemeManager : public QObject
{
    Q_OBJECT

public:
    enum class Theme
    {
        System,
        Light,
        Dark
    };
    Q_ENUM(Theme)

    explicit ThemeManager(QObject* parent = nullptr);

    Theme theme() const { return m_theme; }
    // Applies and remembers the theme; emits themeChanged when it differs.
    void setTheme(Theme theme);
    // The three checkable, exclusive menu actions, in menu order.
    QList<QAction*> actions() const;

    static Theme load(QSettings& settings);
    static void save(QSettings& settings, Theme theme);
    static QString settingsKey() { return QStringLiteral("ui/theme"); }
    // Sets the application palette (and, for a fixed theme, the Fusion style).
    static void applyToApplication(Theme theme);
    static QPalette darkPalette();

signals:
    void themeChanged(ThemeManager::Theme theme);

private:
    Theme m_theme = Theme::System;
    QActionGroup* m_group = nullptr;
};
