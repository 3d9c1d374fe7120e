#include "MainWindow.h"

#include <QIcon>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(tr("Quorvanta - 工业软件知识库"));
    QIcon icon(QStringLiteral(":/resources/icons/app_icon.ico"));
    icon.addFile(QStringLiteral(":/resources/icons/app_icon_vibrant.png"));
    setWindowIcon(icon);
}

MainWindow::~MainWindow() = default;

void MainWindow::setDataPath(const QString& path)
{
    m_dataPath = path;
    if (!m_dataPath.endsWith(QLatin1Char('/')))
        m_dataPath += QLatin1Char('/');
}
