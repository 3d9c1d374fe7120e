#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Gives a widget a style sheet written with light colours and keeps it matching the
// application palette: on a dark palette the colours are swapped (PageStyle), and
// again each time the application palette changes.
class ThemedStyleSheet : public QObject
{
    Q_OBJECT

public:
    static void apply(QWidget* widget, const QString& lightStyleSheet);
    ~ThemedStyleSheet() override;

private:
    ThemedStyleSheet(QWidget* widget, const QString& lightStyleSheet);
    void update();
    friend class PaletteWatcher;

    QWidget* m_widget;
    QString m_lightStyleSheet;
};
