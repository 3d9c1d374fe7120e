#pragma once

// The operations one copy of the store driver performs, shared by the driver and
// the tests that check that nothing of two concurrent copies was lost.

#include <QList>
#include <QMap>
#include <QString>

namespace StoreDriverPlan {

struct Step
{
    enum Kind
    {
        Add,
        Update,
        Remove,
        Visit
    };
    Kind kind;
    QString id;
    QString text;
};

inline QString id(const QString& tag, int i)
{
    return tag + QLatin1Char('-') + QString::number(i);
}

// Notes: every step adds one; every 4th also updates the one before, every
// 10th also deletes the one five back.
inline QList<Step> noteSteps(const QString& tag, int count)
{
    QList<Step> steps;
    for (int i = 0; i < count; ++i) {
        steps.append({Step::Add, id(tag, i), QStringLiteral("note %1").arg(id(tag, i))});
        if (i % 4 == 3)
            steps.append(
                {Step::Update, id(tag, i - 1), QStringLiteral("updated %1").arg(id(tag, i - 1))});
        if (i % 10 == 9)
            steps.append({Step::Remove, id(tag, i - 5), QString()});
    }
    return steps;
}

// Preferences: every step adds a favourite and visits the shared entry and the
// copy's own entry; every 10th also removes the favourite five back.
inline QList<Step> preferenceSteps(const QString& tag, int count)
{
    QList<Step> steps;
    for (int i = 0; i < count; ++i) {
        steps.append({Step::Add, id(tag, i), QStringLiteral("favourite %1").arg(id(tag, i))});
        steps.append({Step::Visit, QStringLiteral("shared"), QStringLiteral("Shared")});
        steps.append({Step::Visit, tag + QStringLiteral("-own"), tag});
        if (i % 10 == 9)
            steps.append({Step::Remove, id(tag, i - 5), QString()});
    }
    return steps;
}

// id → title (notes) or name (favourites) that the steps leave behind.
inline QMap<QString, QString> expectedItems(const QList<Step>& steps)
{
    QMap<QString, QString> items;
    for (const Step& step : steps) {
        switch (step.kind) {
        case Step::Add:
        case Step::Update:
            items.insert(step.id, step.text);
            break;
        case Step::Remove:
            items.remove(step.id);
            break;
        case Step::Visit:
            break;
        }
    }
    return items;
}

} // namespace StoreDriverPlan
