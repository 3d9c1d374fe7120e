#pragma once

#include "PageContext.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// Turns entry objects into the HTML pages of the content view. Everything is
// static and widget-free so the pages can be checked without a window. Every
// text taken from an entry is escaped; the only links are the ones built here:
// internal links through the page context's resolver, and http(s)/mailto
// addresses.
class ContentRenderer
{
    Q_DECLARE_TR_FUNCTIONS(ContentRenderer)

public:
    using Kind = EntryLinkResolver::Kind;

    enum class PageKind
    {
        CategoryOverview,
        Software,
        Picture,
        KernelTechnology,
        Company,
        Generic,
        Article
    };

    // Largest local image inlined as Base64; bigger files are referenced instead.
    static constexpr qint64 MaxInlineImageBytes = 0x200000;
    // The fragment a picture links to; the view toggles fitted and full size on it.
    static QString pictureToggleFragment();

    static PageKind pageKind(const QJsonObject& entry);
    static QString pageTitle(const QJsonObject& entry);
    static bool isSoftwareCategory(const QString& category);

    // The whole page: head with style sheet, body by page kind, metadata footer.
    static QString buildHtml(const QJsonObject& entry, const PageContext& context = PageContext());
    static QString htmlHead();
    static QString metadataFooter(const QJsonObject& entry);

    static QString escapeHtml(const QString& text);
    static QString localizedText(const QJsonValue& value);
    static QString renderList(const QJsonArray& array, const QString& prefix = QString(),
                              const PageContext& context = PageContext(),
                              Kind preferred = Kind::Any);
    static QString formatValue(const QJsonValue& value, const PageContext& context = PageContext(),
                               Kind preferred = Kind::Any);
    static QString renderSectionBlock(const QString& heading, const QJsonValue& value,
                                      const PageContext& context = PageContext(),
                                      Kind preferred = Kind::Any);
    static QString renderBasicInfo(const QJsonObject& entry,
                                   const PageContext& context = PageContext());
    static QString renderFeatures(const QJsonObject& features);
    // An http(s) or mailto address as a link, anything else as plain text.
    static QString externalLink(const QString& url, const QString& text,
                                const QString& attributes = QString());
    // "资料来源": each source's title linked to its address, with the date it was checked.
    static QString renderSources(const QJsonValue& sources);
    // The kind of entry the names under a key most likely are.
    static Kind preferredKindForKey(const QString& key);

    static QString renderGenericPage(const QJsonObject& entry,
                                     const PageContext& context = PageContext());
    static QString renderSoftwarePage(const QJsonObject& entry,
                                      const PageContext& context = PageContext());
    static QString renderCompanyPage(const QJsonObject& entry,
                                     const PageContext& context = PageContext());
    static QString renderKernelTechnologyPage(const QJsonObject& entry,
                                              const PageContext& context = PageContext());
    static QString renderCategoryOverview(const QJsonObject& entry,
                                          const PageContext& context = PageContext());
    static QString renderUseCases(const QJsonArray& useCases);
    static QString renderRelatedItems(const QJsonArray& items,
                                      const PageContext& context = PageContext());
    static QString renderPicturePage(const QJsonObject& entry,
                                     const PageContext& context = PageContext());
    // A Markdown article ("type": "article", its text under "content").
    static QString renderArticlePage(const QJsonObject& entry, const PageContext& context);

    static QString readImageAsBase64(const QString& filePath);
    static QString formatFileSize(qint64 bytes);
    static QString stockLinkLabel(const QString& key);
    static QString hardwareRequirementLabel(const QString& key);
    // "completed", "announced" and the like in Chinese; other texts unchanged.
    static QString dealStatusLabel(const QString& status);

private:
    static QString renderTechnicalSpecs(const QJsonObject& techSpecs, const PageContext& context);
    static QString renderIndustryApplications(const QJsonArray& applications);
    static QString renderCompetitiveAnalysis(const QJsonObject& analysis,
                                             const PageContext& context);
    static QString renderResources(const QJsonObject& resources);
    static QString renderAcquisitionInfo(const QJsonObject& info, const PageContext& context);
    static QString renderOwnership(const QJsonObject& entry, const PageContext& context);
    static QString renderCompanySoftware(const QJsonObject& entry, const PageContext& context);
    static QString resolveLocalImage(const QString& filePath, const PageContext& context);
};
