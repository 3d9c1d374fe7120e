#pragma once

#include <QCoreApplication>
#include <QString>

// The Chinese label a page shows for a key of the knowledge base's records.
// A key without a label (a product name used as a key, say) is shown as it is.
class FieldLabels
{
    Q_DECLARE_TR_FUNCTIONS(FieldLabels)

public:
    static QString label(const QString& key);
    static bool hasLabel(const QString& key);
};
