#include "ThemedStyleSheet.h"

#include "PageStyle.h"

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QWidget>

// One filter on the application for all themed widgets: a child widget whose own
// style sheet sets colours gets no palette events of its own, the application does.
class PaletteWatcher : public QObject
{
public:
    // Null once the application is gone (widgets may outlive it in tests).
    static PaletteWatcher* instance(bool create)
    {
        static QPointer<PaletteWatcher> watcher;
        if (!watcher && create && QCoreApplication::instance()) {
            watcher = new PaletteWatcher;
            // Parented to the application so it goes away with it.
            watcher->setParent(QCoreApplication::instance());
            QCoreApplication::instance()->installEventFilter(watcher);
        }
        return watcher;
    }

    QList<ThemedStyleSheet*> sheets;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == QCoreApplication::instance() &&
            event->type() == QEvent::ApplicationPaletteChange) {
            for (ThemedStyleSheet* sheet : std::as_const(sheets))
                sheet->update();
        }
        return QObject::eventFilter(watched, event);
    }
};

void ThemedStyleSheet::apply(QWidget* widget, const QString& lightStyleSheet)
{
    if (auto* existing =
            widget->findChild<ThemedStyleSheet*>(QString(), Qt::FindDirectChildrenOnly)) {
        existing->m_lightStyleSheet = lightStyleSheet;
        existing->update();
        return;
    }
    new ThemedStyleSheet(widget, lightStyleSheet);
}

ThemedStyleSheet::ThemedStyleSheet(QWidget* widget, const QString& lightStyleSheet)
    : QObject(widget), m_widget(widget), m_lightStyleSheet(lightStyleSheet)
{
    if (PaletteWatcher* watcher = PaletteWatcher::instance(true))
        watcher->sheets.append(this);
    update();
}

ThemedStyleSheet::~ThemedStyleSheet()
{
    if (PaletteWatcher* watcher = PaletteWatcher::instance(false))
        watcher->sheets.removeOne(this);
}

void ThemedStyleSheet::update()
{
    const QString sheet = PageStyle::adapt(m_lightStyleSheet);
    // Setting the same sheet again would restyle the widget for nothing.
    if (m_widget->styleSheet() != sheet)
        m_widget->setStyleSheet(sheet);
}
