#pragma once

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// Turns entry objects into the HTML pages of the content view. Everything is
// static and widget-free so the pages can be checked without a window.
class ContentRenderer
{
    Q_DECLARE_TR_FUNCTIONS(ContentRenderer)

public:
    enum class PageKind
    {
        CategoryOverview,
        Software,
        Picture,
        KernelTechnology,
        Company,
        Generic
    };

    // Largest local image inlined as Base64; bigger files are referenced instead.
    static constexpr qint64 MaxInlineImageBytes = 0x200000;

    static PageKind pageKind(const QJsonObject& entry);
    static QString pageTitle(const QJsonObject& entry);

    // The whole page: head with style sheet, body by page kind, metadata footer.
    static QString buildHtml(const QJsonObject& entry);
    static QString htmlHead();
    static QString metadataFooter(const QJsonObject& entry);

    static QString escapeHtml(const QString& text);
    static QString localizedText(const QJsonValue& value);
    static QString renderList(const QJsonArray& array, const QString& prefix = QString());
    static QString formatValue(const QJsonValue& value);
    static QString renderSectionBlock(const QString& heading, const QJsonValue& value);
    static QString renderBasicInfo(const QJsonObject& entry);
    static QString renderFeatures(const QJsonObject& features);

    static QString renderGenericPage(const QJsonObject& entry);
    static QString renderSoftwarePage(const QJsonObject& entry);
    static QString renderCompanyPage(const QJsonObject& entry);
    static QString renderKernelTechnologyPage(const QJsonObject& entry);
    static QString renderCategoryOverview(const QJsonObject& entry);
    static QString renderUseCases(const QJsonArray& useCases);
    static QString renderRelatedItems(const QJsonArray& items);
    static QString renderPicturePage(const QJsonObject& entry);

    static QString readImageAsBase64(const QString& filePath);
    static QString formatFileSize(qint64 bytes);
    static QString stockLinkLabel(const QString& key);
    static QString hardwareRequirementLabel(const QString& key);

private:
    static QString renderTechnicalSpecs(const QJsonObject& techSpecs);
    static QString renderIndustryApplications(const QJsonArray& applications);
    static QString renderCompetitiveAnalysis(const QJsonObject& analysis);
    static QString renderResources(const QJsonObject& resources);
    static QString renderAcquisitionInfo(const QJsonObject& info);
    static QString resolveLocalImage(const QString& filePath);
};
