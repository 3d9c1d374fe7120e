#include "LogWidget.h"

#include "data/AtomicFileWriter.h"
#include "editors/PushButtonStyle.h"
#include "views/PageStyle.h"
#include "views/ThemedStyleSheet.h"

#include <QDateTime>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include <cstdio>

namespace {

// Guards the current console pointer and serialises the message handler.
QMutex& handlerMutex()
{
    static QMutex mutex;
    return mutex;
}

LogWidget* s_currentLogWidget = nullptr;

// The message as rich text that shows, and saves, what was logged: markup characters are escaped
// and runs of blanks, which rich text would fold, are kept. A line break still shows as a blank,
// so that one message stays one line of the console.
QString messageAsHtml(const QString& message)
{
    const QString escaped = message.toHtmlEscaped();
    QString html;
    html.reserve(escaped.size());
    bool afterBlank = true; // the decoration before the message ends with a blank
    for (const QChar c : escaped) {
        if (c == QLatin1Char(' ')) {
            html += afterBlank ? QStringLiteral("&nbsp;") : QStringLiteral(" ");
            afterBlank = true;
        } else {
            html += c;
            afterBlank = false;
        }
    }
    return html;
}

void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtDebugMsg)
        return;

    QMutexLocker locker(&handlerMutex());
    // The process aborts as soon as this returns: a queued append would never be shown.
    if (type == QtFatalMsg && s_currentLogWidget) {
        const QByteArray bytes =
            (message + LogWidget::locationSuffix(context.file, context.line)).toLocal8Bit();
        std::fprintf(stderr, "%s\n", bytes.constData());
        std::fflush(stderr);
    }
    if (!s_currentLogWidget) {
        const QByteArray bytes = message.toLocal8Bit();
        std::fprintf(stderr, "%s\n", bytes.constData());
        std::fflush(stderr);
        return;
    }

    int level = LogWidget::Info;
    switch (type) {
    case QtWarningMsg:
        level = LogWidget::Warning;
        break;
    case QtCriticalMsg:
    case QtFatalMsg:
        level = LogWidget::Error;
        break;
    default:
        level = LogWidget::Info;
        break;
    }

    const QString line = message + LogWidget::locationSuffix(context.file, context.line);
    QPointer<LogWidget> widget = s_currentLogWidget;
    QMetaObject::invokeMethod(
        s_currentLogWidget,
        [widget, line, level] {
            if (widget)
                widget->appendLog(line, level);
        },
        Qt::QueuedConnection);
}

} // namespace

LogWidget::LogWidget(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(5);

    m_textEdit = new QTextEdit(this);
    m_textEdit->setReadOnly(true);
    m_textEdit->setAcceptRichText(true);
    m_textEdit->setFont(QFont(QStringLiteral("Consolas"), 9));
    layout->addWidget(m_textEdit);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_clearButton = new QPushButton(tr("清空日志"), this);
    m_saveButton = new QPushButton(tr("保存日志"), this);
    ThemedStyleSheet::apply(m_clearButton, PushButtonStyle::styleSheet());
    ThemedStyleSheet::apply(m_saveButton, PushButtonStyle::styleSheet());
    buttons->addWidget(m_clearButton);
    buttons->addWidget(m_saveButton);
    layout->addLayout(buttons);

    {
        QMutexLocker locker(&handlerMutex());
        s_currentLogWidget = this;
    }

    connect(m_clearButton, &QPushButton::clicked, this, &LogWidget::onClearClicked);
    connect(m_saveButton, &QPushButton::clicked, this, &LogWidget::onSaveClicked);

    appendLog(tr("日志系统已启动"), Info);
    appendLog(QStringLiteral("Quorvanta - 调试控制台"), Info);
}

LogWidget::~LogWidget()
{
    QMutexLocker locker(&handlerMutex());
    if (s_currentLogWidget == this)
        s_currentLogWidget = nullptr;
}

QString LogWidget::levelLabel(int level)
{
    switch (level) {
    case Info:
        return QStringLiteral("INFO");
    case Warning:
        return QStringLiteral("WARN");
    case Error:
        return QStringLiteral("ERROR");
    case Debug:
        return QStringLiteral("DEBUG");
    case Success:
        return QStringLiteral("OK");
    default:
        return QString();
    }
}

QString LogWidget::levelColor(int level)
{
    return PageStyle::adapt(lightLevelColor(level));
}

QString LogWidget::lightLevelColor(int level)
{
    switch (level) {
    case Warning:
        return QStringLiteral("#FF8C00");
    case Error:
        return QStringLiteral("#FF0000");
    case Debug:
        return QStringLiteral("#0000FF");
    case Success:
        return QStringLiteral("#00AA00");
    default:
        return QStringLiteral("#000000");
    }
}

QString LogWidget::formatLine(const QString& message, int level, const QTime& time)
{
    return QStringLiteral("<span style='color: gray'>[%1]</span> "
                          "<span style='color: %2; font-weight: bold'>[%3]</span> "
                          "<span style='color: %2'>%4</span>")
        .arg(time.toString(QStringLiteral("HH:mm:ss.zzz")), levelColor(level), levelLabel(level),
             messageAsHtml(message));
}

QString LogWidget::locationSuffix(const char* file, int line)
{
    if (!file || !*file || line < 1)
        return QString();
    QString name = QString::fromUtf8(file);
    const int slash = name.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0)
        name = name.mid(slash + 1);
    else
        name = name.mid(name.lastIndexOf(QLatin1Char('\\')) + 1);
    // One multi-argument call, so a "%2" inside the file name is not substituted again.
    return QStringLiteral(" [%1:%2]").arg(name, QString::number(line));
}

void LogWidget::appendLog(const QString& message, int level)
{
    if (!m_textEdit)
        return;
    m_textEdit->append(formatLine(message, level, QTime::currentTime()));
    if (QScrollBar* bar = m_textEdit->verticalScrollBar()) {
        bar->setValue(bar->maximum());
    } else {
        m_textEdit->moveCursor(QTextCursor::End);
        m_textEdit->ensureCursorVisible();
    }
}

void LogWidget::installMessageHandler()
{
    qInstallMessageHandler(messageHandler);
    appendLog(tr("已安装全局消息处理器"), Success);
}

QString LogWidget::plainText() const
{
    return m_textEdit ? m_textEdit->toPlainText() : QString();
}

void LogWidget::onClearClicked()
{
    m_textEdit->clear();
    appendLog(tr("日志已清空"), Info);
}

QString LogWidget::askSaveFileName()
{
    const QString proposed =
        QStringLiteral("log_%1.txt")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")));
    return QFileDialog::getSaveFileName(this, tr("保存日志文件"), proposed, tr("文本文件 (*.txt)"));
}

void LogWidget::onSaveClicked()
{
    const QString fileName = askSaveFileName();
    if (fileName.isEmpty())
        return;
    if (!AtomicFileWriter::write(fileName, m_textEdit->toPlainText().toUtf8())) {
        appendLog(tr("无法保存日志文件: %1").arg(fileName), Error);
        return;
    }
    appendLog(tr("日志已保存到: %1").arg(fileName), Success);
}
