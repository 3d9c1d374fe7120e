// Quorvanta bench: times the quick search, the tree highlight, start-up, the
// data manager's load and the Markdown search on synthetic knowledge bases of
// N times the shipped entries, and prints one Markdown table of medians.
//
//   quorvanta_bench [--sizes 1,10,100] [--runs 5] [--long-query-sizes 1,10,100]
//                   [--startup-only]
//   quorvanta_bench --generate N DIR   (writes the N× knowledge base to DIR, for profiling)
//
// The start-up rows run this executable again as a child (--startup-app or
// --startup-bare) so that every start is a fresh process.

#include "SyntheticKnowledgeBase.h"

#include "app/ApplicationIcon.h"
#include "app/MainWindow.h"
#include "app/StartupDiagnostics.h"
#include "data/DataManager.h"
#include "data/EmbeddedDataAdapter.h"
#include "search/MarkdownSearcher.h"
#include "search/SearchEngine.h"
#include "views/NavigationTree.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMainWindow>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <sys/resource.h>
#include <type_traits>

namespace {

const QStringList kQueries{QStringLiteral("a"),      QStringLiteral("an"),
                           QStringLiteral("ans"),    QStringLiteral("ansys"),
                           QStringLiteral("有限元"), QStringLiteral("cad")};
const QString kMarkdownTerm = QStringLiteral("分析");
constexpr int kMarkdownDocuments = 1000;
constexpr int kLongQueryLength = 10000;

double median(QList<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

// On a machine shared with other work the wall clock mostly measures the
// others; by default every figure is the CPU time this program spent
// (QUORVANTA_BENCH_CLOCK=wall for elapsed time).
bool wallClock()
{
    static const bool wall = qgetenv("QUORVANTA_BENCH_CLOCK") == "wall";
    return wall;
}

// Milliseconds of the calling thread's CPU time, or of the wall clock.
double nowMs()
{
    timespec now{};
    clock_gettime(wallClock() ? CLOCK_MONOTONIC : CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The whole process's CPU time since it started, or the wall clock since then.
double processMs(const QElapsedTimer& sinceStart)
{
    if (wallClock())
        return sinceStart.nsecsElapsed() / 1e6;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

class Stopwatch
{
public:
    Stopwatch() { restart(); }
    void restart() { m_start = nowMs(); }
    double ms() const { return nowMs() - m_start; }
    qint64 elapsed() const { return qint64(ms()); }

private:
    double m_start = 0;
};

double msSince(const Stopwatch& timer)
{
    return timer.ms();
}

qint64 peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2);
}

void discardMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

void drainEvents()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Reports, once, the first time the widget has been painted and the event loop
// came back: the moment a user sees it.
class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget* widget, std::function<void()> done) : m_done(std::move(done))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, m_done);
        }
        return false;
    }

private:
    std::function<void()> m_done;
    bool m_seen = false;
};

int countItems(QTreeWidget* tree)
{
    int count = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        ++count;
    return count;
}

// --- child processes ---------------------------------------------------------

// The window as src/app/main.cpp creates it. Builds from before the window took
// its data path (and read the knowledge base twice, debug lines and all) are
// measured the way they started.
template <typename Window> std::unique_ptr<Window> createWindow(const QString& dataDir)
{
    std::unique_ptr<Window> window;
    if constexpr (std::is_constructible_v<Window, const QString&>)
        window = std::make_unique<Window>(dataDir);
    else
        window = std::make_unique<Window>();
    window->setDataPath(dataDir);
    return window;
}

bool waitForResult(QStatusBar* status, double* longestBlock);

// As src/app/main.cpp starts the program, up to the first paint of the tree.
int startupApp(int argc, char* argv[], const QElapsedTimer& clock, const QString& dataDir)
{
#ifdef QUORVANTA_QUIET_DEBUG
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
#endif
    QApplication app(argc, argv);
    StartupDiagnostics::logDebugBanner();
    StartupDiagnostics::logSystemInformation();
    StartupDiagnostics::logNoteFileInformation();
    QApplication::setApplicationName(QStringLiteral("Quorvanta"));
    QApplication::setApplicationVersion(QStringLiteral("1.2.0"));
    QApplication::setOrganizationName(QStringLiteral("Velmarik"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvanta"));
    QApplication::setWindowIcon(ApplicationIcon::icon());
    EmbeddedDataAdapter::instance().initialize();

    const std::unique_ptr<MainWindow> window = createWindow<MainWindow>(dataDir);
    window->show();
    auto* tree = window->findChild<NavigationTree*>();
    // QUORVANTA_BENCH_AFTER_WARMUP=1: also the time and peak once every entry was read,
    // then the first keystroke; =during: a keystroke while the entries are still read.
    const QByteArray warmUpMode = qgetenv("QUORVANTA_BENCH_AFTER_WARMUP");
    const bool afterWarmUp = !warmUpMode.isEmpty();
    QTimer poll;
    FirstPaint watcher(tree->viewport(), [&] {
        const double ms = processMs(clock);
        std::printf("STARTUP %.3f %d %lld\n", ms, countItems(tree), peakResidentKiB());
        std::fflush(stdout);
        if (!afterWarmUp) {
            QCoreApplication::quit();
            return;
        }
        if (warmUpMode == "during") {
            QObject::connect(&poll, &QTimer::timeout, [&] {
                if (!tree->dataManager()->isWarmingUp())
                    return;
                poll.stop();
                auto* edit = window->findChild<QLineEdit*>(QStringLiteral("quickSearchEdit"));
                Stopwatch timer;
                edit->setText(QStringLiteral("a"));
                double block = msSince(timer);
                if (waitForResult(window->statusBar(), &block)) {
                    tree->viewport()->repaint();
                    std::printf("DURING %.3f %.3f %d\n", msSince(timer), block,
                                int(tree->dataManager()->isWarmingUp()));
                    std::fflush(stdout);
                }
                QCoreApplication::quit();
            });
            poll.start(10);
            return;
        }
        const qint64 paintedAt = clock.elapsed();
        QObject::connect(&poll, &QTimer::timeout, [&, paintedAt] {
            auto* manager = window->findChild<NavigationTree*>()->dataManager();
            // The warm-up begins a moment after the first show.
            if (manager->isWarmingUp() || clock.elapsed() < paintedAt + 1000)
                return;
            poll.stop();
            // What follows the reading (the search's texts) is done once the process
            // stops using the processor.
            const auto cpuUs = [] {
                rusage u{};
                getrusage(RUSAGE_SELF, &u);
                return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000000LL + u.ru_utime.tv_usec +
                       u.ru_stime.tv_usec;
            };
            for (int i = 0; i < 600; ++i) {
                const long long before = cpuUs();
                QTest::qWait(250);
                if (cpuUs() - before < 5000)
                    break;
            }
            std::printf("WARM %.3f %lld\n", processMs(clock), peakResidentKiB());
            std::fflush(stdout);
            // The user's first keystroke, as the tool bar gets it.
            auto* edit = window->findChild<QLineEdit*>(QStringLiteral("quickSearchEdit"));
            Stopwatch timer;
            edit->setText(QStringLiteral("a"));
            double block = msSince(timer);
            if (waitForResult(window->statusBar(), &block)) {
                window->findChild<NavigationTree*>()->viewport()->repaint();
                std::printf("FIRST %.3f %.3f\n", msSince(timer), block);
                std::fflush(stdout);
            }
            QCoreApplication::quit();
        });
        poll.start(50);
    });
    return app.exec();
}

// The least a window with that many tree items costs.
int startupBare(int argc, char* argv[], const QElapsedTimer& clock, int items)
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* tree = new QTreeWidget(&window);
    tree->setHeaderLabel(QStringLiteral("Items"));
    const int sections = 8;
    QList<QTreeWidgetItem*> parents;
    for (int i = 0; i < sections && i < items; ++i) {
        auto* section = new QTreeWidgetItem(tree);
        section->setText(0, QStringLiteral("Section %1").arg(i));
        section->setExpanded(true);
        parents << section;
    }
    for (int i = parents.size(); i < items; ++i) {
        auto* item = new QTreeWidgetItem(parents.at(i % parents.size()));
        item->setText(0, QStringLiteral("Entry %1").arg(i));
    }
    window.setCentralWidget(tree);
    window.resize(1400, 900);
    window.show();
    FirstPaint watcher(tree->viewport(), [&] {
        std::printf("STARTUP %.3f %d %lld\n", processMs(clock), countItems(tree),
                    peakResidentKiB());
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return app.exec();
}

struct StartupSample
{
    double ms = -1;
    int items = 0;
    qint64 peakKiB = 0;
    qint64 warmPeakKiB = 0;      // with afterWarmUp: the peak once every entry was read
    double firstKeystroke = -1;  // with afterWarmUp: then "a" typed, to its result shown
    double firstBlock = -1;      // and the longest the window did not react meanwhile
    double duringKeystroke = -1; // "a" typed while the entries are still read
    double duringBlock = -1;
};

// warmUpMode: what QUORVANTA_BENCH_AFTER_WARMUP tells the child (nothing: up to the paint).
StartupSample runChild(const QStringList& arguments, const QString& workingDirectory,
                       const QString& warmUpMode = QString())
{
    const bool afterWarmUp = warmUpMode == QLatin1String("1");
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.setStandardErrorFile(QProcess::nullDevice());
    if (!warmUpMode.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUORVANTA_BENCH_AFTER_WARMUP"), warmUpMode);
        process.setProcessEnvironment(environment);
    }
    process.start(QCoreApplication::applicationFilePath(), arguments);
    if (!process.waitForFinished(600000))
        return {};
    StartupSample sample;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(' ');
        if (fields.size() >= 4 && fields.at(0) == "STARTUP")
            sample = {fields.at(1).toDouble(), fields.at(2).toInt(), fields.at(3).toLongLong(),
                      sample.warmPeakKiB};
        else if (fields.size() >= 3 && fields.at(0) == "WARM")
            sample.warmPeakKiB = fields.at(2).toLongLong();
        else if (fields.size() >= 4 && fields.at(0) == "DURING") {
            sample.duringKeystroke = fields.at(1).toDouble();
            sample.duringBlock = fields.at(2).toDouble();
        } else if (fields.size() >= 3 && fields.at(0) == "FIRST") {
            sample.firstKeystroke = fields.at(1).toDouble();
            sample.firstBlock = fields.at(2).toDouble();
        }
    }
    if (afterWarmUp && sample.warmPeakKiB == 0)
        return {};
    return sample;
}

// --- measurements in this process ------------------------------------------

struct SizeResult
{
    int entries = 0;
    double engineWorst = -1;
    QString engineWorstQuery;
    double engineFirst = -1;
    double endToEndWorst = -1;
    QString endToEndWorstQuery;
    double appStart = -1;
    double bareStart = -1;
    int items = 0;
    double initialize = -1;
    int files = 0;
    double longBlock = -1;
    double longResult = -1;
    qint64 extraKiB = -1;
    qint64 warmExtraKiB = -1;
    double firstKeystroke = -1;
    double firstBlock = -1;
    double duringKeystroke = -1;
    double duringBlock = -1;
    qint64 dataBytes = 0;
};

void measureEngine(const QString& dir, int runs, SizeResult& result)
{
    DataManager manager;
    manager.setDataPath(dir);
    manager.initialize();
    SearchEngine engine;
    Stopwatch timer;
    engine.search(kQueries.first(), &manager, SearchEngine::FuzzyMatch);
    result.engineFirst = msSince(timer);
    for (const QString& query : kQueries)
        engine.search(query, &manager, SearchEngine::FuzzyMatch);
    for (const QString& query : kQueries) {
        QList<double> samples;
        for (int run = 0; run < runs; ++run) {
            timer.restart();
            engine.search(query, &manager, SearchEngine::FuzzyMatch);
            samples << msSince(timer);
        }
        const double value = median(samples);
        if (value > result.engineWorst) {
            result.engineWorst = value;
            result.engineWorstQuery = query;
        }
    }
}

void measureInitialize(const QString& dir, int runs, SizeResult& result)
{
    QList<double> samples;
    for (int run = 0; run < runs; ++run) {
        DataManager manager;
        manager.setDataPath(dir);
        Stopwatch timer;
        manager.initialize();
        samples << msSince(timer);
    }
    result.initialize = median(samples);
}

// Waits until the status bar shows the count of the search just started.
bool waitForResult(QStatusBar* status, double* longestBlock)
{
    QElapsedTimer limit;
    limit.start();
    while (!status->currentMessage().startsWith(QStringLiteral("找到"))) {
        if (limit.elapsed() > 600000)
            return false;
        Stopwatch slice;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (longestBlock)
            *longestBlock = std::max(*longestBlock, msSince(slice));
    }
    return true;
}

QString longQuery(DataManager& manager)
{
    QString text;
    for (const char* category : {"cad", "cae", "cfd", "cam", "eda"}) {
        for (const QJsonValue& value : manager.getSoftwareList(QLatin1String(category))) {
            const QJsonObject description =
                value.toObject().value(QLatin1String("description")).toObject();
            text += description.value(QLatin1String("en")).toString() + QLatin1Char(' ') +
                    description.value(QLatin1String("zh")).toString() + QLatin1Char(' ');
            if (text.size() >= kLongQueryLength)
                return text.left(kLongQueryLength);
        }
    }
    while (text.size() < kLongQueryLength)
        text += text;
    return text.left(kLongQueryLength);
}

void measureWindow(const QString& dir, int runs, bool longQueryToo, SizeResult& result)
{
    const std::unique_ptr<MainWindow> window = createWindow<MainWindow>(dir);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return;
    QTest::qWait(200);
    auto* edit = window->findChild<QLineEdit*>(QStringLiteral("quickSearchEdit"));
    auto* tree = window->findChild<NavigationTree*>();
    QStatusBar* status = window->statusBar();

    std::map<QString, QList<double>> samples;
    for (int run = 0; run <= runs; ++run) {
        edit->clear();
        drainEvents();
        for (const QString& query : kQueries) {
            Stopwatch timer;
            edit->setText(query);
            if (!waitForResult(status, nullptr))
                return;
            tree->viewport()->repaint();
            const double ms = msSince(timer);
            if (run > 0) // the first round fills caches
                samples[query] << ms;
            drainEvents();
        }
    }
    for (const auto& [query, values] : samples) {
        const double value = median(values);
        if (value > result.endToEndWorst) {
            result.endToEndWorst = value;
            result.endToEndWorstQuery = query;
        }
    }

    if (!longQueryToo)
        return;
    const QString query = longQuery(*tree->dataManager());
    QList<double> blocks;
    QList<double> results;
    for (int run = 0; run < std::max(1, runs / 2); ++run) {
        edit->clear();
        drainEvents();
        Stopwatch timer;
        edit->setText(query); // as a paste: one change of the whole text
        double block = msSince(timer);
        if (!waitForResult(status, &block))
            return;
        tree->viewport()->repaint();
        results << msSince(timer);
        blocks << block;
        drainEvents();
    }
    result.longBlock = median(blocks);
    result.longResult = median(results);
}

// Started, as usual, from the folder that holds the data directory.
void measureStartup(const QString& dir, const QString& emptyDir, int runs, SizeResult& result)
{
    const QString from = QFileInfo(dir).absolutePath();
    QList<double> app;
    QList<double> bare;
    QList<double> emptyPeak;
    QList<double> fullPeak;
    for (int run = 0; run < runs; ++run) {
        const StartupSample sample = runChild({QStringLiteral("--startup-app"), dir}, from);
        if (sample.ms < 0)
            return;
        app << sample.ms;
        fullPeak << sample.peakKiB;
        result.items = sample.items;
        const StartupSample baseline = runChild(
            {QStringLiteral("--startup-bare"), QString::number(std::max(1, sample.items))}, from);
        bare << baseline.ms;
        emptyPeak << runChild({QStringLiteral("--startup-app"), emptyDir},
                              QFileInfo(emptyDir).absolutePath())
                         .peakKiB;
    }
    result.appStart = median(app);
    result.bareStart = median(bare);
    result.extraKiB = static_cast<qint64>(median(fullPeak) - median(emptyPeak));

    // Once the warm-up has read every entry: the memory the knowledge base costs in use.
    const StartupSample warm =
        runChild({QStringLiteral("--startup-app"), dir}, from, QStringLiteral("1"));
    const StartupSample warmEmpty =
        runChild({QStringLiteral("--startup-app"), emptyDir}, QFileInfo(emptyDir).absolutePath(),
                 QStringLiteral("1"));
    if (warm.warmPeakKiB > 0 && warmEmpty.warmPeakKiB > 0)
        result.warmExtraKiB = warm.warmPeakKiB - warmEmpty.warmPeakKiB;
    result.firstKeystroke = warm.firstKeystroke;
    result.firstBlock = warm.firstBlock;
    const StartupSample during =
        runChild({QStringLiteral("--startup-app"), dir}, from, QStringLiteral("during"));
    result.duringKeystroke = during.duringKeystroke;
    result.duringBlock = during.duringBlock;
}

struct MarkdownResult
{
    double index = -1;
    double exact = -1;
    double fuzzy = -1;
};

MarkdownResult measureMarkdown(const QString& sourceData, int runs)
{
    MarkdownResult result;
    QTemporaryDir dir;
    if (SyntheticKnowledgeBase::createMarkdown(sourceData, kMarkdownDocuments, dir.path()) < 0)
        return result;
    MarkdownSearcher searcher;
    searcher.setSearchPath(dir.filePath(QStringLiteral("data")));
    Stopwatch timer;
    searcher.buildIndex();
    result.index = msSince(timer);
    for (int mode : {int(SearchEngine::ExactMatch), int(SearchEngine::FuzzyMatch)}) {
        QList<double> samples;
        searcher.search(kMarkdownTerm, MarkdownSearcher::FullText, mode);
        for (int run = 0; run < runs; ++run) {
            timer.restart();
            searcher.search(kMarkdownTerm, MarkdownSearcher::FullText, mode);
            samples << msSince(timer);
        }
        (mode == SearchEngine::ExactMatch ? result.exact : result.fuzzy) = median(samples);
    }
    return result;
}

QString ms(double value)
{
    if (value < 0)
        return QStringLiteral("—");
    return value < 10 ? QString::number(value, 'f', 1) : QString::number(qRound(value));
}

QList<int> parseSizes(const QString& text)
{
    QList<int> sizes;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        sizes << part.toInt();
    return sizes;
}

// "MiB used / MiB of JSON = ratio", or a dash when either was not measured.
QString memoryCell(qint64 kib, qint64 dataBytes)
{
    if (kib < 0 || dataBytes <= 0)
        return QStringLiteral("—");
    return QStringLiteral("%1 / %2 = %3×")
        .arg(kib / 1024.0, 0, 'f', 0)
        .arg(dataBytes / 1048576.0, 0, 'f', 0)
        .arg(kib * 1024.0 / dataBytes, 0, 'f', 2);
}

int drive(int argc, char* argv[])
{
    QList<int> sizes{1, 10, 100};
    QList<int> longSizes = sizes;
    int runs = 5;
    bool startupOnly = false;
    for (int i = 1; i < argc; ++i) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        const QString value = i + 1 < argc ? QString::fromLocal8Bit(argv[i + 1]) : QString();
        if (option == QLatin1String("--startup-only"))
            startupOnly = true;
        else if (option == QLatin1String("--sizes") && ++i)
            sizes = parseSizes(value);
        else if (option == QLatin1String("--long-query-sizes") && ++i)
            longSizes = parseSizes(value);
        else if (option == QLatin1String("--runs") && ++i)
            runs = std::max(1, value.toInt());
    }

    QApplication app(argc, argv);
    qInstallMessageHandler(discardMessages);
    QApplication::setApplicationName(QStringLiteral("Quorvanta"));
    QApplication::setApplicationVersion(QStringLiteral("1.2.0"));
    EmbeddedDataAdapter::instance().initialize();
    const QString sourceData = QStringLiteral(QUORVANTA_SOURCE_DATA_DIR);
    const QString loadBefore = loadAverage();
    std::fprintf(stderr, "load average %s; %d runs per figure; %s\n", qPrintable(loadBefore), runs,
                 wallClock() ? "wall clock" : "CPU time");

    QTemporaryDir emptyRoot;
    const QString emptyDir = emptyRoot.filePath(QStringLiteral("data"));
    QDir().mkpath(emptyDir);
    std::map<int, SizeResult> results;
    for (int size : sizes) {
        QTemporaryDir root;
        const QString dir = root.filePath(QStringLiteral("data"));
        SizeResult& result = results[size];
        std::fprintf(stderr, "%dx: generating...\n", size);
        result.files = SyntheticKnowledgeBase::create(sourceData, size, dir);
        result.dataBytes = SyntheticKnowledgeBase::jsonBytes(dir);
        {
            DataManager counter;
            counter.setDataPath(dir);
            for (const char* category : {"cad", "cae", "cfd", "cam", "eda", "plm"})
                result.entries += counter.getSoftwareList(QLatin1String(category)).size();
            result.entries += counter.getCompaniesList().size();
            for (const char* type : {"kernels", "solvers", "mesh", "hpc"})
                result.entries += counter.getTechnologiesList(QLatin1String(type)).size();
        }
        std::fprintf(stderr, "%dx: %d entry files, %d searched entries; engine...\n", size,
                     result.files, result.entries);
        if (!startupOnly) {
            measureEngine(dir, runs, result);
            std::fprintf(stderr, "%dx: initialize...\n", size);
            measureInitialize(dir, runs, result);
            std::fprintf(stderr, "%dx: window...\n", size);
            measureWindow(dir, runs, longSizes.contains(size), result);
        }
        std::fprintf(stderr, "%dx: start-up...\n", size);
        measureStartup(dir, emptyDir, runs, result);
    }
    std::fprintf(stderr, "markdown...\n");
    const MarkdownResult markdown =
        startupOnly ? MarkdownResult() : measureMarkdown(sourceData, runs);

    auto row = [&](const QString& what, const std::function<QString(const SizeResult&)>& cell,
                   const QString& target) {
        QString line = QStringLiteral("| ") + what;
        for (int size : sizes)
            line += QStringLiteral(" | ") + cell(results[size]);
        line += QStringLiteral(" | ") + target + QStringLiteral(" |");
        std::printf("%s\n", qPrintable(line));
    };
    QString header = QStringLiteral("| What");
    QString rule = QStringLiteral("|---");
    for (int size : sizes) {
        header += QStringLiteral(" | %1×").arg(size);
        rule += QStringLiteral("|---");
    }
    std::printf("%s | Target |\n%s|---|\n", qPrintable(header), qPrintable(rule));
    row(
        QStringLiteral("Entries searched (entry files)"),
        [](const SizeResult& r) { return QStringLiteral("%1 (%2)").arg(r.entries).arg(r.files); },
        QString());
    row(
        QStringLiteral("Quick search, engine alone, worst of the six queries (ms)"),
        [](const SizeResult& r) {
            return ms(r.engineWorst) + QStringLiteral(" \"%1\"").arg(r.engineWorstQuery);
        },
        QStringLiteral("≤ 2 / 8 / 60"));
    row(
        QStringLiteral("Quick search, first after a load (ms)"),
        [](const SizeResult& r) { return ms(r.engineFirst); }, QString());
    row(
        QStringLiteral("Tool-bar search end to end, worst keystroke (ms)"),
        [](const SizeResult& r) {
            return ms(r.endToEndWorst) + QStringLiteral(" \"%1\"").arg(r.endToEndWorstQuery);
        },
        QStringLiteral("≤ 5 / 16 / 100"));
    row(
        QStringLiteral("Tool-bar search, first keystroke once the entries are read: result / "
                       "longest block (ms)"),
        [](const SizeResult& r) {
            return ms(r.firstKeystroke) + QStringLiteral(" / ") + ms(r.firstBlock);
        },
        QStringLiteral("≤ 5 / 16 / 100"));
    row(
        QStringLiteral("Tool-bar search, a keystroke while the entries are still read: result / "
                       "longest block (ms)"),
        [](const SizeResult& r) {
            return ms(r.duringKeystroke) + QStringLiteral(" / ") + ms(r.duringBlock);
        },
        QString());
    row(
        QStringLiteral("Start-up to a painted window (ms), ratio to a bare window"),
        [](const SizeResult& r) {
            if (r.appStart < 0 || r.bareStart <= 0)
                return QStringLiteral("—");
            return QStringLiteral("%1 / %2 = %3×")
                .arg(ms(r.appStart), ms(r.bareStart))
                .arg(r.appStart / r.bareStart, 0, 'f', 1);
        },
        QStringLiteral("≤ 2×"));
    row(
        QStringLiteral("`DataManager::initialize` (ms; µs per entry file)"),
        [](const SizeResult& r) {
            return QStringLiteral("%1 (%2)")
                .arg(ms(r.initialize))
                .arg(r.files > 0 ? qRound(r.initialize * 1000 / r.files) : 0);
        },
        QStringLiteral("linear in files"));
    row(
        QStringLiteral("Markdown search, %1 documents, \"%2\", exact / fuzzy (ms)")
            .arg(kMarkdownDocuments)
            .arg(kMarkdownTerm),
        [&](const SizeResult&) {
            return ms(markdown.exact) + QStringLiteral(" / ") + ms(markdown.fuzzy);
        },
        QStringLiteral("≤ 30"));
    row(
        QStringLiteral("Pasted %1-character query: longest UI block / result shown (ms)")
            .arg(kLongQueryLength),
        [](const SizeResult& r) {
            return r.longBlock < 0 ? QStringLiteral("not run")
                                   : ms(r.longBlock) + QStringLiteral(" / ") + ms(r.longResult);
        },
        QStringLiteral("≤ 100, never frozen"));
    row(
        QStringLiteral("Peak memory above an empty data folder (MiB), ratio to the JSON read"),
        [](const SizeResult& r) { return memoryCell(r.extraKiB, r.dataBytes); },
        QStringLiteral("≤ 1.5×"));
    row(
        QStringLiteral("Peak memory once every entry was read and the search prepared (MiB), "
                       "ratio to the JSON read"),
        [](const SizeResult& r) { return memoryCell(r.warmExtraKiB, r.dataBytes); },
        QStringLiteral("≤ 1.5×"));
    std::printf("\nMedians of %d runs, in ms of %s. Markdown index of %d documents built in %s "
                "ms. Load average before: %s, after: %s.\n",
                runs, wallClock() ? "wall-clock time" : "CPU time", kMarkdownDocuments,
                qPrintable(ms(markdown.index)), qPrintable(loadBefore), qPrintable(loadAverage()));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer clock;
    clock.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    const QString mode = argc > 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("--startup-app"))
        return startupApp(1, argv, clock, QString::fromLocal8Bit(argv[2]));
    if (mode == QLatin1String("--startup-bare"))
        return startupBare(1, argv, clock, QString::fromLocal8Bit(argv[2]).toInt());
    // For profiling by hand: the synthetic knowledge base of a size, kept in a folder.
    if (mode == QLatin1String("--generate") && argc > 3) {
        QCoreApplication app(argc, argv);
        const int files = SyntheticKnowledgeBase::create(QStringLiteral(QUORVANTA_SOURCE_DATA_DIR),
                                                         QString::fromLocal8Bit(argv[2]).toInt(),
                                                         QString::fromLocal8Bit(argv[3]));
        std::printf("%d entry files\n", files);
        return files < 0 ? 1 : 0;
    }

    // Preferences, notes and caches of the measured windows stay in a scratch home.
    QTemporaryDir home;
    for (const char* name :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        qputenv(name, QDir(home.path()).filePath(QString::fromLatin1(name)).toLocal8Bit());
    qputenv("HOME", home.path().toLocal8Bit());
    return drive(argc, argv);
}
