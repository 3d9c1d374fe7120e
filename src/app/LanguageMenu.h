#pragma once

#include "app/InterfaceLanguage.h"

#include <QObject>

class QAction;
class QActionGroup;
class QMenu;

// View → Language: 中文 and English, checkable and exclusive, each named in its own
// language. The item checked is the stored choice, else the language shown. A choice is
// stored in the per-user settings at once; the window's texts are built once, so the
// window says that it takes effect at the next start.
class LanguageMenu : public QObject
{
    Q_OBJECT

public:
    explicit LanguageMenu(QObject* parent = nullptr);

    // Adds the submenu to `parent` and returns it.
    QMenu* addTo(QMenu* parent);
    QAction* action(InterfaceLanguage::Language language) const;

signals:
    // After the choice is stored.
    void languageChosen(InterfaceLanguage::Language language);

private:
    void choose(InterfaceLanguage::Language language);

    QActionGroup* m_actions = nullptr;
    QAction* m_chinese = nullptr;
    QAction* m_english = nullptr;
};
