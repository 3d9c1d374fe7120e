#include "InterfaceTranslators.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

InterfaceTranslators::InterfaceTranslators(const QString& qtTranslationsPath)
    : m_qtTranslationsPath(qtTranslationsPath.isEmpty()
                               ? QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                               : qtTranslationsPath)
{
}

InterfaceTranslators::~InterfaceTranslators()
{
    remove();
}

QString InterfaceTranslators::programTranslationFile()
{
    return QStringLiteral(":/i18n/quorvanta_en.qm");
}

bool InterfaceTranslators::install(InterfaceLanguage::Language language)
{
    remove();
    m_error.clear();
    InterfaceLanguage::setActive(language);
    if (language == InterfaceLanguage::English)
        return installFile(m_program, programTranslationFile());
    return installFile(m_qt,
                       QDir(m_qtTranslationsPath).filePath(QStringLiteral("qtbase_zh_CN.qm")));
}

bool InterfaceTranslators::installFile(std::unique_ptr<QTranslator>& slot, const QString& file)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file)) {
        m_error = QStringLiteral("cannot load %1").arg(QDir::toNativeSeparators(file));
        qWarning().noquote() << "InterfaceTranslators:" << m_error;
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    slot = std::move(translator);
    return true;
}

void InterfaceTranslators::remove()
{
    for (std::unique_ptr<QTranslator>* slot : {&m_program, &m_qt}) {
        if (*slot)
            QCoreApplication::removeTranslator(slot->get());
        slot->reset();
    }
    // Without translators the texts are the source's.
    InterfaceLanguage::setActive(InterfaceLanguage::Chinese);
}
