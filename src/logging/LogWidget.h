#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QTextEdit;

// The log console of the bottom dock. Once installMessageHandler has run, every
// non-debug message of the program (from any thread) is appended here.
class LogWidget : public QWidget
{
    Q_OBJECT

public:
    enum LogLevel
    {
        Info = 0,
        Warning = 1,
        Error = 2,
        Debug = 3,
        Success = 4
    };

    explicit LogWidget(QWidget* parent = nullptr);
    ~LogWidget() override;

    void appendLog(const QString& message, int level);
    void logInfo(const QString& message) { appendLog(message, Info); }
    void logWarning(const QString& message) { appendLog(message, Warning); }
    void logSuccess(const QString& message) { appendLog(message, Success); }

    void installMessageHandler();

    static QString levelLabel(int level);
    // The colour for the current theme.
    static QString levelColor(int level);
    static QString formatLine(const QString& message, int level, const QTime& time);
    // " [file.cpp:42]" for a message with a source location, empty otherwise.
    static QString locationSuffix(const char* file, int line);

    QString plainText() const;
    QTextEdit* textArea() const { return m_textEdit; }

protected:
    // The file the console is saved to; empty when the user cancels.
    virtual QString askSaveFileName();

private slots:
    void onClearClicked();
    void onSaveClicked();

private:
    static QString lightLevelColor(int level);
    QTextEdit* m_textEdit = nullptr;
    QPushButton* m_clearButton = nullptr;
    QPushButton* m_saveButton = nullptr;
};
