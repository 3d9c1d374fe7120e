#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

// A small knowledge base that passes every check, written into a temporary
// directory; tests break one rule at a time on top of it.
class KnowledgeBaseFixture
{
public:
    KnowledgeBaseFixture()
    {
        write("config/categories.json", json(categories()));
        write("config/ui_config.json", "{\n  \"theme\": \"default\"\n}\n");
        write("templates/software_template.json", json(softwareTemplate()));
        write("software/cad/alpha_cad.json", json(alphaCad()));
        write("software/cae/beta_sim.json", json(betaSim()));
        write("companies/acme.json", json(acme()));
        write("technologies/kernels/k1.json", json(kernel()));
        write("technologies/article.json", json(article()));
        write("technologies/article.md", "# 文章\n\n正文。\n");
        write("disciplines/structural/overview.json",
              json({{"id", "overview"}, {"type", "reference"}, {"name", "结构力学概述"}}));
        write("disciplines/structural/linear_static/check.json",
              json({{"id", "check"}, {"type", "workflow"}, {"title", "静力校核"}}));
        write("disciplines/thermal/data.json",
              json({{"id", "data"}, {"type", "dataset"}, {"name", "物性数据"}}));
        write("disciplines/thermal/notes.md", "笔记\n");
        write("pictures/CAD 子知识图谱.png", png(64));
        write("news/local_news.json",
              "[\n  {\n    \"id\": \"n1\",\n    \"title\": \"示例\"\n  }\n]\n");
        write("events/events.json", json({{"schemaVersion", "1.0"},
                                          {"generatedAt", "2026-12-07T00:00:00"},
                                          {"events", QJsonArray{QJsonObject{{"id", "e1"}}}},
                                          {"metadata", QJsonObject{}}}));
        write("user_notes.json", "{\n  \"notes\": []\n}\n");
        // Left over from an earlier run: never checked, never counted.
        write("validation_results.json", "not even JSON");
    }

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& relPath) const { return m_dir.filePath(relPath); }

    void write(const QString& relPath, const QByteArray& bytes) const
    {
        const QString target = m_dir.filePath(relPath);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile file(target);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    void remove(const QString& relPath) const
    {
        const QString target = m_dir.filePath(relPath);
        if (QFileInfo(target).isDir())
            QDir(target).removeRecursively();
        else
            QFile::remove(target);
    }

    static QByteArray json(const QJsonObject& object) { return QJsonDocument(object).toJson(); }

    static QByteArray png(int size)
    {
        QByteArray bytes("\x89PNG\r\n\x1a\n", 8);
        return bytes + QByteArray(size - bytes.size(), '\0');
    }

    // Sets (or, with an undefined value, removes) the member at a dotted path.
    static QJsonObject edited(QJsonObject object, const QString& path, const QJsonValue& value)
    {
        const int dot = path.indexOf(QLatin1Char('.'));
        if (dot < 0) {
            if (value.isUndefined())
                object.remove(path);
            else
                object.insert(path, value);
            return object;
        }
        const QString key = path.left(dot);
        object.insert(key, edited(object.value(key).toObject(), path.mid(dot + 1), value));
        return object;
    }

    static QJsonObject metadata()
    {
        return {{"lastUpdated", "2026-12-07"},
                {"dataVersion", "1.0"},
                {"author", "Quorvanta 知识库编辑组"},
                {"tags", QJsonArray{"CAD"}},
                {"reviewStatus", "draft"}};
    }

    static QJsonArray sources()
    {
        return {QJsonObject{{"url", "https://acme.example/news/2026"},
                            {"title", "Acme news"},
                            {"checked", "2026-12-07"}}};
    }

    static QJsonObject description()
    {
        return {{"zh", "中文描述。"}, {"en", "English description."}};
    }

    static QJsonObject categories()
    {
        const QJsonObject linearStatic{{"id", "linear_static"},
                                       {"name", "线性静力学"},
                                       {"dataPath", "structural/linear_static"}};
        return {
            {"softwareCategories", QJsonObject{{"CAD", QJsonObject{{"name", "计算机辅助设计"}}},
                                               {"CAE", QJsonObject{{"name", "计算机辅助工程"}}}}},
            {"disciplineCategories",
             QJsonObject{{"structural", QJsonObject{{"name", "结构力学"},
                                                    {"subDisciplines", QJsonArray{linearStatic}}}},
                         {"thermal", QJsonObject{{"name", "传热学"}}}}},
            {"technologyCategories", QJsonObject{}},
            {"licenseTypes", QJsonObject{}}};
    }

    static QJsonObject softwareTemplate()
    {
        return {{"id", ""},
                {"name", ""},
                {"category", ""},
                {"vendor", ""},
                {"currentVersion", ""},
                {"description", QJsonObject{{"zh", ""}, {"en", ""}}},
                {"features", QJsonObject{{"core", QJsonArray{}}}},
                {"industryApplications", QJsonArray{}},
                {"competitiveAnalysis", QJsonObject{{"competitors", QJsonArray{}}}},
                {"resources", QJsonObject{{"official", ""}, {"documentation", ""}}},
                {"metadata", QJsonObject{{"lastUpdated", ""}, {"tags", QJsonArray{}}}}};
    }

    static QJsonObject alphaCad()
    {
        return {{"id", "alpha_cad"},
                {"name", "Alpha CAD"},
                {"category", "CAD"},
                {"vendor", "Acme"},
                {"currentVersion", "2025"},
                {"description", description()},
                {"features", QJsonObject{{"core", QJsonArray{"建模"}}}},
                {"industryApplications", QJsonArray{}},
                {"competitiveAnalysis",
                 QJsonObject{{"competitors",
                              QJsonArray{QJsonObject{{"name", "Beta Sim"}, {"vendor", "Beta"}}}}}},
                {"resources", QJsonObject{{"official", "https://acme.example/alpha"},
                                          {"documentation", ""},
                                          {"community", "not checked"}}},
                {"sources", sources()},
                {"metadata", metadata()}};
    }

    static QJsonObject betaSim()
    {
        return {{"id", "beta_sim"},
                {"name", "Beta Sim"},
                {"category", "CAE/CAD"},
                {"vendor", "Beta 开源项目"},
                {"currentVersion", ""},
                {"description", description()},
                {"features", QJsonObject{}},
                {"industryApplications", QJsonArray{}},
                {"competitiveAnalysis",
                 QJsonObject{{"competitors",
                              QJsonArray{QJsonObject{{"name", "Alpha CAD"}, {"vendor", "Acme"}}}}}},
                {"resources", QJsonObject{{"official", "http://beta.example/"},
                                          {"documentation", "https://beta.example/docs?x=1"}}},
                {"sources", sources()},
                {"metadata", edited(metadata(), "accuracy", "未找到公开的版本号。")}};
    }

    static QJsonObject acme()
    {
        return {{"id", "acme"},
                {"name", "Acme"},
                {"description", description()},
                {"products", QJsonArray{"Alpha CAD", "Gamma Tool"}},
                {"stockInfo",
                 QJsonObject{
                     {"exchange", "NASDAQ"},
                     {"stockLinks", QJsonObject{{"yahoo", "https://finance.yahoo.com/quote/ACME"},
                                                {"nasdaq", "https://www.nasdaq.com/acme"}}}}},
                {"sources", sources()},
                {"metadata", metadata()}};
    }

    static QJsonObject kernel()
    {
        return {{"id", "k1"},
                {"name", "K1"},
                {"type", "Geometric Modeling Kernel"},
                {"technicalDetails", QJsonObject{{"representation", "B-rep"}}},
                {"features", QJsonObject{{"core", QJsonArray{"布尔运算"}}}},
                {"applications", QJsonArray{"CAD"}},
                {"comparison", QJsonObject{{"strengths", QJsonArray{"稳健"}}}},
                {"sources", sources()}};
    }

    static QJsonObject article()
    {
        return {{"id", "article"},
                {"name", "文章"},
                {"contentType", "markdown"},
                {"contentFile", "article.md"},
                {"sources", sources()}};
    }

private:
    QTemporaryDir m_dir;
};
