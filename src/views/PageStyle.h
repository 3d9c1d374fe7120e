#pragma once

#include <QString>

class QPalette;

// The colours of the program's own pages and style sheets are written for a light
// background. On a dark palette each of them is swapped for a dark counterpart, so
// text stays readable whichever theme is in use.
class PageStyle
{
public:
    enum class Scheme
    {
        Light,
        Dark
    };

    // Dark when the application's palette has a dark window; light without a GUI.
    static Scheme currentScheme();
    static Scheme schemeOf(const QPalette& palette);

    // css with every known light colour replaced for the scheme; unchanged for Light.
    static QString adapt(const QString& css, Scheme scheme);
    static QString adapt(const QString& css) { return adapt(css, currentScheme()); }
};
