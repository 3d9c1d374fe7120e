#pragma once

#include "data/EntryLinkResolver.h"

#include <QString>

// What a page is rendered against: the resolver that turns names into links,
// the path of the entry itself (never linked to), the data directory that
// local files named by the entry must lie in, and the width pictures fit to.
class PageContext
{
public:
    using Kind = EntryLinkResolver::Kind;

    // No links; local files only below the working directory's "data".
    PageContext();

    void setResolver(const EntryLinkResolver* resolver) { m_resolver = resolver; }
    const EntryLinkResolver* resolver() const { return m_resolver; }
    void setSelfPath(const QString& path) { m_selfPath = path; }
    QString selfPath() const { return m_selfPath; }
    void setDataDirectory(const QString& path) { m_dataDirectory = path; }
    QString dataDirectory() const { return m_dataDirectory; }
    // 0: no view (pictures at their own size, no toggle link); above 0: pictures
    // wider than this fit it; below 0: full size in a view, linked to the toggle.
    void setPictureWidth(int width) { m_pictureWidth = width; }
    int pictureWidth() const { return m_pictureWidth; }

    EntryLinkResolver::Target resolve(const QString& name, Kind preferred) const;
    // The name escaped, as an internal link when it names another entry.
    QString nameHtml(const QString& name, Kind preferred = Kind::Any) const;
    // An internal link to path showing text (escaped); plain text for the page itself.
    QString linkHtml(const QString& path, const QString& text) const;
    // True when path, with every link and "..", lies inside the data directory.
    bool allowsLocalFile(const QString& path) const;

private:
    const EntryLinkResolver* m_resolver = nullptr;
    QString m_selfPath;
    QString m_dataDirectory;
    int m_pictureWidth = 0;
};
