#include "data/AtomicFileWriter.h"
#include "kbcheck/KnowledgeBaseChecker.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace {

constexpr int exitProblems = 1;
constexpr int exitUsage = 2;

int usage(QTextStream& err)
{
    err << "Usage: kbcheck <data_dir> [--write <output.json>]\n";
    return exitUsage;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kbcheck"));

    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    const QCommandLineOption writeOption(QStringLiteral("write"),
                                         QStringLiteral("Write the results document to this file."),
                                         QStringLiteral("output.json"));
    parser.addOption(writeOption);
    // Exit codes are ours: process() would exit with 1, which means "problems found".
    if (!parser.parse(QCoreApplication::arguments())) {
        err << "kbcheck: " << parser.errorText() << '\n';
        return usage(err);
    }
    if (parser.positionalArguments().size() != 1)
        return usage(err);

    const QString dataDir = parser.positionalArguments().constFirst();
    if (!QFileInfo(dataDir).isDir()) {
        err << "kbcheck: not a directory: " << dataDir << '\n';
        return exitUsage;
    }

    KnowledgeBaseChecker checker(dataDir);
    const QString outputPath = parser.value(writeOption);
    if (!outputPath.isEmpty())
        checker.setExcludedFile(outputPath);
    const bool clean = checker.run();

    for (const QString& line : checker.problemLines())
        out << line << '\n';
    for (const QString& line : checker.summaryLines())
        out << line << '\n';
    out.flush();

    if (!outputPath.isEmpty()) {
        QString error;
        if (!AtomicFileWriter::write(outputPath, checker.resultsJson(), &error)) {
            err << "kbcheck: cannot write " << outputPath << ": " << error << '\n';
            return exitUsage;
        }
        out << "Results written to " << outputPath << '\n';
    }
    return clean ? 0 : exitProblems;
}
