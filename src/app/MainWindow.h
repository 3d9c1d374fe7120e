#pragma once

#include <QMainWindow>
#include <QString>

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void setDataPath(const QString& path);
    QString dataPath() const { return m_dataPath; }

private:
    QString m_dataPath = QStringLiteral("data/");
};
