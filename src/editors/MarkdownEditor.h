#pragma once

#include <QJsonObject>
#include <QString>
#include <QWidget>

class QSplitter;
class QTextEdit;
class QTimer;

// An entry as editable Markdown beside a live HTML preview that follows the text
// half a second after the last keystroke.
class MarkdownEditor : public QWidget
{
    Q_OBJECT

public:
    explicit MarkdownEditor(QWidget* parent = nullptr);
    ~MarkdownEditor() override;

    void setData(const QJsonObject& data);
    QString markdownToHtml(const QString& markdown) const;

    QString markdownText() const;
    QTextEdit* sourceEdit() const { return m_editor; }
    QTextEdit* previewEdit() const { return m_preview; }

    static constexpr int kPreviewDelayMs = 500;

signals:
    void textChanged();
    void dataChanged();

private slots:
    void onTextChanged();
    void updatePreview();

private:
    QSplitter* m_splitter = nullptr;
    QTextEdit* m_editor = nullptr;
    QTextEdit* m_preview = nullptr;
    QJsonObject m_data;
    QTimer* m_previewTimer = nullptr;
};
