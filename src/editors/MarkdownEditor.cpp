#include "MarkdownEditor.h"

#include "editors/MarkdownConverter.h"
#include "editors/MarkdownGenerator.h"

#include <QFont>
#include <QHBoxLayout>
#include <QSplitter>
#include <QTextEdit>
#include <QTimer>

MarkdownEditor::MarkdownEditor(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    m_splitter = new QSplitter(Qt::Horizontal, this);

    m_editor = new QTextEdit(this);
    m_editor->setAcceptRichText(false);
    m_editor->setPlainText(tr("# 开始编写...\n\n"));
    m_editor->setFont(QFont(QStringLiteral("Consolas"), 10));

    m_preview = new QTextEdit(this);
    m_preview->setReadOnly(true);

    m_splitter->addWidget(m_editor);
    m_splitter->addWidget(m_preview);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);
    layout->addWidget(m_splitter);

    m_previewTimer = new QTimer(this);
    m_previewTimer->setSingleShot(true);
    m_previewTimer->setInterval(kPreviewDelayMs);
    connect(m_previewTimer, &QTimer::timeout, this, &MarkdownEditor::updatePreview);

    connect(m_editor, &QTextEdit::textChanged, this, &MarkdownEditor::onTextChanged);
    m_preview->setHtml(markdownToHtml(m_editor->toPlainText()));
}

MarkdownEditor::~MarkdownEditor() = default;

void MarkdownEditor::setData(const QJsonObject& data)
{
    m_data = data;
    m_editor->setPlainText(MarkdownGenerator::fromEntry(data));
    // Show the new entry at once; the timer started by the text change only repeats this.
    m_preview->setHtml(markdownToHtml(m_editor->toPlainText()));
}

QString MarkdownEditor::markdownToHtml(const QString& markdown) const
{
    return MarkdownConverter::toHtml(markdown);
}

QString MarkdownEditor::markdownText() const
{
    return m_editor->toPlainText();
}

void MarkdownEditor::onTextChanged()
{
    m_previewTimer->start();
    emit textChanged();
    emit dataChanged();
}

void MarkdownEditor::updatePreview()
{
    m_preview->setHtml(markdownToHtml(m_editor->toPlainText()));
}
