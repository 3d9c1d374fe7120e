#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

// Checks a knowledge-base directory against the rules the program and the
// content writers rely on: file encodings, JSON shapes, entry keys, the links
// between entries and the directories the configuration names. Problems name
// their file as "data/<relative path>", so the result does not depend on where
// the directory lives.
class KnowledgeBaseChecker
{
public:
    struct Problem
    {
        QString file;
        QString message;
    };

    // Written by --write at the root of the tree; never checked or counted itself.
    static const QString resultsFileName;
    // The user's preferences file (and its copies) that the program writes beside the data.
    static const QString userPreferencesFileName;

    explicit KnowledgeBaseChecker(const QString& dataDir);

    // A further file to leave out, such as the output of --write placed elsewhere in the tree.
    void setExcludedFile(const QString& path);

    // Runs every check; true when no problem was found.
    bool run();

    const QVector<Problem>& problems() const { return m_problems; }
    QStringList problemLines() const;
    QStringList summaryLines() const;

    QJsonObject summary() const;
    // The results document: sorted keys, two-space indentation, trailing newline.
    QByteArray resultsJson() const;

    static QByteArray formatJson(const QJsonValue& value);

private:
    class NameIndex;

    void reset();
    void collectFiles();
    void checkFile(const QString& relPath);
    void checkJsonShape(const QString& relPath, const QJsonDocument& document);
    void loadConfiguration();
    void checkSoftware();
    void checkSoftwareEntry(const QString& relPath, const QJsonObject& entry);
    void checkCompanies();
    void checkConsistency();
    void checkContentFiles();
    void checkTechnologies();
    void checkDisciplines();
    void checkDisciplineDirectory(const QString& dataPath, const QString& what);
    void checkUniqueIds(const QStringList& relPaths);
    void checkOwnership(const NameIndex& companies, const NameIndex& software);
    void checkRecommendations(const NameIndex& software);
    void checkSupportedBy(const NameIndex& software);
    void checkSources(const QString& relPath, const QJsonObject& entry);
    void checkIdAgainstName(const QString& relPath, const QJsonObject& entry);
    void checkSoftwareReference(const QString& relPath, const QString& context, const QString& what,
                                const QString& name, const NameIndex& software);
    void checkSoftwareList(const QString& relPath, const QString& context, const QString& label,
                           const QString& what, const QJsonValue& list, const NameIndex& software);

    void checkMetadata(const QString& relPath, const QJsonObject& entry);
    void checkDescription(const QString& relPath, const QJsonObject& entry);
    bool checkNonEmptyString(const QString& relPath, const QJsonObject& object, const QString& key,
                             const QString& label = QString());
    void checkHttpUrl(const QString& relPath, const QJsonValue& value, const QString& label,
                      bool allowEmpty);

    void addProblem(const QString& relPath, const QString& message);
    QStringList jsonFilesUnder(const QString& prefix) const;

    QString m_dataDir;
    QString m_excludedRelPath;

    QStringList m_files; // relative paths, sorted
    QSet<QString> m_fileSet;
    QMap<QString, QJsonDocument> m_json; // every file that parsed
    QStringList m_softwareFiles;
    QStringList m_companyFiles;

    QJsonObject m_softwareCategories;
    QJsonObject m_disciplineCategories;
    bool m_haveSoftwareCategories = false;
    bool m_haveDisciplineCategories = false;
    QJsonObject m_template;
    bool m_haveTemplate = false;

    QVector<Problem> m_problems;
};
