#include "PageContext.h"

#include "ContentRenderer.h"
#include "InternalLink.h"

#include <QDir>
#include <QFileInfo>

PageContext::PageContext() : m_dataDirectory(QDir::currentPath() + QStringLiteral("/data")) {}

EntryLinkResolver::Target PageContext::resolve(const QString& name, Kind preferred) const
{
    if (!m_resolver)
        return {};
    return m_resolver->resolve(name, preferred);
}

QString PageContext::linkHtml(const QString& path, const QString& text) const
{
    if (path.isEmpty() || path == m_selfPath)
        return ContentRenderer::escapeHtml(text);
    return QStringLiteral("<a href='%1'>%2</a>")
        .arg(InternalLink::href(path), ContentRenderer::escapeHtml(text));
}

QString PageContext::nameHtml(const QString& name, Kind preferred) const
{
    const EntryLinkResolver::Target target = resolve(name, preferred);
    if (!target.isValid())
        return ContentRenderer::escapeHtml(name);
    return linkHtml(target.path, name);
}

bool PageContext::allowsLocalFile(const QString& path) const
{
    if (path.isEmpty() || m_dataDirectory.isEmpty())
        return false;
    const QString root = QFileInfo(m_dataDirectory).canonicalFilePath();
    const QString file = QFileInfo(path).canonicalFilePath();
    if (root.isEmpty() || file.isEmpty())
        return false;
    return file.startsWith(root + QLatin1Char('/'));
}
