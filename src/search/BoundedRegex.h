#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>

#include <memory>

// A user's regular expression that cannot freeze the window: every match runs
// under a backtracking limit and a whole search under a time budget. Once
// either runs out the expression stays stopped and matches nothing more, so a
// search loop ends at once and can tell the user why.
class BoundedRegex
{
    Q_DECLARE_TR_FUNCTIONS(BoundedRegex)

public:
    enum class Stop
    {
        None,
        TooComplex,
        TimeBudget
    };

    // PCRE2's JIT counts backtracking units coarsely: ordinary expressions need
    // a handful on the knowledge base's longest texts, a cubic one about 20,000,
    // and the quartic "[\s\S]*[\s\S]*[\s\S]*[\s\S]*Q" runs past this within
    // milliseconds instead of for a minute. One match under it takes at most a few
    // tens of milliseconds; the time budget catches many such matches in a row.
    static constexpr quint32 kDefaultMatchLimit = 50000;
    static constexpr int kDefaultTimeBudgetMs = 2000;

    BoundedRegex(const QString& pattern, bool caseSensitive);
    ~BoundedRegex();
    BoundedRegex(const BoundedRegex&) = delete;
    BoundedRegex& operator=(const BoundedRegex&) = delete;

    bool isValid() const;
    // "正则表达式无效: ..." for an expression that does not compile.
    QString errorMessage() const;

    void setMatchLimit(quint32 limit);
    // Starts the clock: matches after the budget has run out stop the expression.
    void setTimeBudget(int milliseconds);

    // Unanchored, as QRegularExpression::match().hasMatch().
    bool matches(const QString& subject);
    // Somewhere a match of at least one character.
    bool matchesNonEmpty(const QString& subject);
    // A non-empty match from the subject's first to its last character.
    bool matchesWhole(const QString& subject);
    // Non-overlapping, non-empty matches, scanned as a global match does.
    int countMatches(const QString& subject);

    bool stopped() const { return m_stop != Stop::None; }
    Stop stopReason() const { return m_stop; }
    // Why the search ended early; empty while not stopped.
    QString stopMessage() const;

private:
    struct Compiled;
    // A match from offset with extra PCRE2 options: 1 match, 0 none, -1 stopped.
    int matchAt(const QString& subject, qsizetype offset, quint32 options);

    std::unique_ptr<Compiled> m_compiled;
    QString m_error;
    qsizetype m_errorOffset = -1;
    QDeadlineTimer m_deadline = QDeadlineTimer(QDeadlineTimer::Forever);
    int m_budgetMs = -1;
    Stop m_stop = Stop::None;
};
