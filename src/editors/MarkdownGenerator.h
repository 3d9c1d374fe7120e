#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>

// Writes the Markdown summary of a knowledge-base entry that the Markdown editor starts from.
class MarkdownGenerator
{
    Q_DECLARE_TR_FUNCTIONS(MarkdownGenerator)

public:
    static QString fromEntry(const QJsonObject& entry);
};
