#pragma once

#include "app/MainWindow.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

// A window whose message boxes and external links are recorded instead of shown.
class RecordingMainWindow : public MainWindow
{
public:
    using MainWindow::MainWindow;

    QStringList messages; // "title|text"
    QList<QUrl> openedUrls;

protected:
    void showInformation(const QString& title, const QString& text) override
    {
        messages << title + QLatin1Char('|') + text;
    }
    void showWarning(const QString& title, const QString& text) override
    {
        messages << title + QLatin1Char('|') + text;
    }
    void showAboutBox(const QString& title, const QString& text) override
    {
        messages << title + QLatin1Char('|') + text;
    }
    bool openExternalUrl(const QUrl& url) override
    {
        openedUrls << url;
        return true;
    }
};

// A private copy of the real knowledge base, so a test can change entries (or
// leave an older version's preferences file) without touching the source tree.
class KnowledgeBaseCopy
{
public:
    KnowledgeBaseCopy()
    {
        const QString source = QStringLiteral(QUORVANTA_SOURCE_DATA_DIR);
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString relative = QDir(source).relativeFilePath(file);
            // A developer's own run leaves preferences in the source tree; not ours.
            if (relative.startsWith(QLatin1String("user_preferences.json")))
                continue;
            const QString target = dataDir() + relative;
            QDir().mkpath(QFileInfo(target).absolutePath());
            QFile::copy(file, target);
        }
    }

    bool isValid() const { return m_dir.isValid(); }
    // Ends with "/", like the window's data path.
    QString dataDir() const { return m_dir.path() + QStringLiteral("/data/"); }

    bool write(const QString& relative, const QByteArray& bytes) const
    {
        const QString path = dataDir() + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(bytes) == bytes.size();
    }

private:
    QTemporaryDir m_dir;
};
