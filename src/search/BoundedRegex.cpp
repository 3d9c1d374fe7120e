#include "BoundedRegex.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

// The same library and compile options as QRegularExpression (UTF, optionally
// caseless), so results equal QRegularExpression's; only the limits are added.
struct BoundedRegex::Compiled
{
    pcre2_code* code = nullptr;
    pcre2_match_data* matchData = nullptr;
    pcre2_match_context* context = nullptr;
    pcre2_jit_stack* jitStack = nullptr;

    ~Compiled()
    {
        if (jitStack)
            pcre2_jit_stack_free(jitStack);
        pcre2_match_context_free(context);
        pcre2_match_data_free(matchData);
        pcre2_code_free(code);
    }
};

namespace {

PCRE2_SPTR subjectOf(const QString& text)
{
    return reinterpret_cast<PCRE2_SPTR>(text.utf16());
}

} // namespace

BoundedRegex::BoundedRegex(const QString& pattern, bool caseSensitive)
{
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    const uint32_t options = PCRE2_UTF | (caseSensitive ? 0u : PCRE2_CASELESS);
    pcre2_code* code = pcre2_compile(subjectOf(pattern), PCRE2_SIZE(pattern.size()), options,
                                     &errorCode, &errorOffset, nullptr);
    if (!code) {
        PCRE2_UCHAR buffer[256];
        const int length =
            pcre2_get_error_message(errorCode, buffer, sizeof buffer / sizeof *buffer);
        m_error = length > 0 ? QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer), length)
                             : QStringLiteral("error %1").arg(errorCode);
        m_errorOffset = qsizetype(errorOffset);
        return;
    }

    m_compiled = std::make_unique<Compiled>();
    m_compiled->code = code;
    // Without JIT the interpreter gives the same results, only slower.
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
    m_compiled->matchData = pcre2_match_data_create_from_pattern(code, nullptr);
    m_compiled->context = pcre2_match_context_create(nullptr);
    // The stack sizes QRegularExpression gives the JIT, so deep patterns fail alike.
    m_compiled->jitStack = pcre2_jit_stack_create(32 * 1024, 512 * 1024, nullptr);
    if (m_compiled->jitStack)
        pcre2_jit_stack_assign(m_compiled->context, nullptr, m_compiled->jitStack);
    setMatchLimit(kDefaultMatchLimit);
}

BoundedRegex::~BoundedRegex() = default;

bool BoundedRegex::isValid() const
{
    return m_compiled != nullptr;
}

QString BoundedRegex::errorMessage() const
{
    if (isValid())
        return {};
    return tr("正则表达式无效: %1 (位置 %2)").arg(m_error).arg(m_errorOffset);
}

void BoundedRegex::setMatchLimit(quint32 limit)
{
    if (m_compiled)
        pcre2_set_match_limit(m_compiled->context, limit);
}

void BoundedRegex::setTimeBudget(int milliseconds)
{
    m_budgetMs = milliseconds;
    m_deadline.setRemainingTime(milliseconds);
}

int BoundedRegex::matchAt(const QString& subject, qsizetype offset, quint32 options)
{
    if (stopped())
        return -1;
    if (!m_compiled)
        return 0;
    if (m_deadline.hasExpired()) {
        m_stop = Stop::TimeBudget;
        return -1;
    }
    const int rc =
        pcre2_match(m_compiled->code, subjectOf(subject), PCRE2_SIZE(subject.size()),
                    PCRE2_SIZE(offset), options, m_compiled->matchData, m_compiled->context);
    if (rc >= 0)
        return 1;
    switch (rc) {
    case PCRE2_ERROR_MATCHLIMIT:
    case PCRE2_ERROR_DEPTHLIMIT:
    case PCRE2_ERROR_HEAPLIMIT:
    case PCRE2_ERROR_JIT_STACKLIMIT:
        m_stop = Stop::TooComplex;
        return -1;
    default:
        // No match, or a subject that is not valid UTF-16: QRegularExpression
        // reports no match for both.
        return 0;
    }
}

bool BoundedRegex::matches(const QString& subject)
{
    return matchAt(subject, 0, 0) > 0;
}

bool BoundedRegex::matchesNonEmpty(const QString& subject)
{
    return matchAt(subject, 0, PCRE2_NOTEMPTY) > 0;
}

bool BoundedRegex::matchesWhole(const QString& subject)
{
    return matchAt(subject, 0, PCRE2_ANCHORED | PCRE2_ENDANCHORED | PCRE2_NOTEMPTY) > 0;
}

int BoundedRegex::countMatches(const QString& subject)
{
    int count = 0;
    qsizetype offset = 0;
    quint32 options = 0;
    while (offset <= subject.size()) {
        const int found = matchAt(subject, offset, options);
        if (found < 0)
            return count;
        if (found == 0) {
            if (options == 0)
                break;
            // No non-empty match where the empty one was: step one character on.
            options = 0;
            offset += (offset + 1 < subject.size() && subject.at(offset).isHighSurrogate() &&
                       subject.at(offset + 1).isLowSurrogate())
                          ? 2
                          : 1;
            continue;
        }
        const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(m_compiled->matchData);
        const auto start = qsizetype(vector[0]);
        const auto end = qsizetype(vector[1]);
        if (end > start)
            ++count;
        offset = qMax(end, offset);
        // After an empty match look for a non-empty one at the same place first.
        options = end == start ? (PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED) : 0;
    }
    return count;
}

QString BoundedRegex::stopMessage() const
{
    switch (m_stop) {
    case Stop::TooComplex:
        return tr("搜索已中止: 正则表达式过于复杂 (回溯次数超出上限), 请简化表达式");
    case Stop::TimeBudget:
        return tr("搜索已中止: 正则表达式搜索超过 %1 秒, 请简化表达式")
            .arg(QString::number(m_budgetMs / 1000.0));
    case Stop::None:
        break;
    }
    return {};
}
