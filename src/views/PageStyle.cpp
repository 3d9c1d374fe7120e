#include "PageStyle.h"

#include <QGuiApplication>
#include <QHash>
#include <QPalette>
#include <QRegularExpression>

namespace {

// Light colour (lower case) -> the one used on a dark background. Backgrounds get
// darker, greys and text lighter, accents a lighter tone of the same hue.
const QHash<QString, QString>& darkColours()
{
    static const QHash<QString, QString> colours{
        {QStringLiteral("white"), QStringLiteral("#1e1e1e")},
        {QStringLiteral("#fff"), QStringLiteral("#1e1e1e")},
        {QStringLiteral("#ffffff"), QStringLiteral("#1e1e1e")},
        {QStringLiteral("#fafafa"), QStringLiteral("#2b2b2b")},
        {QStringLiteral("#f9f9f9"), QStringLiteral("#262626")},
        {QStringLiteral("#f5f5f5"), QStringLiteral("#2a2a2a")},
        {QStringLiteral("#f4f4f4"), QStringLiteral("#2d2d2d")},
        {QStringLiteral("#f2f2f2"), QStringLiteral("#333333")},
        {QStringLiteral("#f0f0f0"), QStringLiteral("#3a3a3a")},
        {QStringLiteral("#e0e0e0"), QStringLiteral("#454545")},
        {QStringLiteral("#ddd"), QStringLiteral("#555555")},
        {QStringLiteral("#ccc"), QStringLiteral("#666666")},
        {QStringLiteral("#bbb"), QStringLiteral("#777777")},
        {QStringLiteral("#999"), QStringLiteral("#9e9e9e")},
        {QStringLiteral("#777"), QStringLiteral("#b0b0b0")},
        {QStringLiteral("#666"), QStringLiteral("#b8b8b8")},
        {QStringLiteral("#666666"), QStringLiteral("#b8b8b8")},
        {QStringLiteral("#555"), QStringLiteral("#c8c8c8")},
        {QStringLiteral("#000"), QStringLiteral("#e0e0e0")},
        {QStringLiteral("#000000"), QStringLiteral("#e0e0e0")},
        {QStringLiteral("#2196f3"), QStringLiteral("#64b5f6")},
        {QStringLiteral("#0000ff"), QStringLiteral("#82b1ff")},
        {QStringLiteral("#00aa00"), QStringLiteral("#66d17a")},
        {QStringLiteral("#ff0000"), QStringLiteral("#ff6e6e")},
        {QStringLiteral("#ff8c00"), QStringLiteral("#ffab40")},
        {QStringLiteral("#c2185b"), QStringLiteral("#f48fb1")},
        {QStringLiteral("#d84315"), QStringLiteral("#ff8a65")},
        {QStringLiteral("#4caf50"), QStringLiteral("#81c784")},
        {QStringLiteral("#fff3cd"), QStringLiteral("#5a4b14")},
        {QStringLiteral("#ffe066"), QStringLiteral("#7a6400")},
        {QStringLiteral("#ffdddd"), QStringLiteral("#6b2b2b")},
    };
    return colours;
}

} // namespace

PageStyle::Scheme PageStyle::schemeOf(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() < 128 ? Scheme::Dark : Scheme::Light;
}

PageStyle::Scheme PageStyle::currentScheme()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Scheme::Light;
    return schemeOf(QGuiApplication::palette());
}

QString PageStyle::adapt(const QString& css, Scheme scheme)
{
    if (scheme == Scheme::Light)
        return css;
    static const QRegularExpression colour(
        QStringLiteral("#(?:[0-9a-fA-F]{6}|[0-9a-fA-F]{3})(?![0-9a-fA-F])|\\bwhite\\b"),
        QRegularExpression::CaseInsensitiveOption);
    const QHash<QString, QString>& dark = darkColours();
    QString result;
    result.reserve(css.size());
    qsizetype from = 0;
    for (auto it = colour.globalMatch(css); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(css).mid(from, match.capturedStart() - from);
        result += dark.value(match.captured().toLower(), match.captured());
        from = match.capturedEnd();
    }
    result += QStringView(css).mid(from);
    return result;
}
