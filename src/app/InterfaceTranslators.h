#pragma once

#include "app/InterfaceLanguage.h"

#include <QString>

#include <memory>

class QTranslator;

// Installs the translations of one interface language into the application: the
// program's English texts (:/i18n/quorvanta_en.qm) for English; Qt's own Chinese
// texts (qtbase_zh_CN from Qt's translations folder) for Chinese, so that standard
// dialog buttons are Chinese too. What it installed is removed again when it is
// destroyed or installs another language.
class InterfaceTranslators
{
public:
    // `qtTranslationsPath`: where qtbase_zh_CN.qm is; Qt's translations folder unless given.
    explicit InterfaceTranslators(const QString& qtTranslationsPath = QString());
    ~InterfaceTranslators();
    InterfaceTranslators(const InterfaceTranslators&) = delete;
    InterfaceTranslators& operator=(const InterfaceTranslators&) = delete;

    // Makes `language` the active one. False when one of its files could not be
    // loaded (errorString() names it): those texts then stay as written in the source.
    bool install(InterfaceLanguage::Language language);
    void remove();
    QString errorString() const { return m_error; }

    static QString programTranslationFile();

private:
    bool installFile(std::unique_ptr<QTranslator>& slot, const QString& file);

    QString m_qtTranslationsPath;
    std::unique_ptr<QTranslator> m_program;
    std::unique_ptr<QTranslator> m_qt;
    QString m_error;
};
