// rcweave in-process on a scratch directory. The input's first line is a file
// name given on the command line, the other lines are a list file (@list). File
// names are data: every generated mapping entry must be one valid C++ string
// literal that decodes to the file's mapping key, and every resource-script
// string must stay one string.

#include "FuzzEnvironment.h"

#include "ResourceWeaver.h"

#include <QDir>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kTarget = "rcweave";

std::string readText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line))
        lines.push_back(line);
    return lines;
}

QString show(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool isOctal(char c)
{
    return c >= '0' && c <= '7';
}

// The text of the C++ string literal opening at text[at] ('"'); `end` is set past
// its closing quote. False when the literal is not one the compiler reads as meant.
bool decodeCppLiteral(const std::string& text, std::size_t at, std::string* value, std::size_t* end)
{
    if (at >= text.size() || text[at] != '"')
        return false;
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"') {
            *end = i + 1;
            return true;
        }
        if (c < 0x20 || c == 0x7f)
            return false; // raw control characters do not belong in a literal
        if (c != '\\') {
            *value += text[i];
            continue;
        }
        if (i + 1 >= text.size())
            return false;
        const char next = text[i + 1];
        if (next == '"' || next == '\\') {
            *value += next;
            ++i;
        } else if (i + 3 < text.size() && isOctal(next) && isOctal(text[i + 2]) &&
                   isOctal(text[i + 3])) {
            *value += static_cast<char>((next - '0') * 64 + (text[i + 2] - '0') * 8 +
                                        (text[i + 3] - '0'));
            i += 3;
        } else {
            return false;
        }
    }
    return false;
}

void checkMapping(const std::string& path, const std::vector<std::string>& names)
{
    std::vector<std::string> entries;
    for (const std::string& line : linesOf(readText(path))) {
        if (line.rfind("    resourceMap[", 0) == 0)
            entries.push_back(line);
    }
    FUZZ_CHECK(
        kTarget, entries.size() == names.size(),
        QStringLiteral("%1 mapping entries for %2 files").arg(entries.size()).arg(names.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& line = entries[i];
        const std::size_t open = std::string("    resourceMap[").size();
        std::string key;
        std::size_t end = 0;
        FUZZ_CHECK(kTarget, decodeCppLiteral(line, open, &key, &end),
                   QStringLiteral("not one C++ string: ") + show(line));
        const std::string rest = "] = IDR_RESOURCE_" + std::to_string(1000 + i) + ";";
        FUZZ_CHECK(kTarget, line.compare(end, std::string::npos, rest) == 0,
                   QStringLiteral("mapping line goes on after its string: ") + show(line));
        FUZZ_CHECK(kTarget, key == ResourceWeaver::mappingKeyFor(names[i]),
                   QStringLiteral("mapping key %1 for %2").arg(show(key), show(names[i])));
    }
}

// Resource-script strings double their quotes: a lone one would end the string.
void checkScript(const std::string& path, std::size_t count)
{
    std::size_t entries = 0;
    for (const std::string& line : linesOf(readText(path))) {
        const std::string head = "IDR_RESOURCE_" + std::to_string(1000 + entries) + " RCDATA \"";
        if (line.rfind(head, 0) != 0)
            continue;
        ++entries;
        FUZZ_CHECK(kTarget, line.size() > head.size() && line.back() == '"',
                   QStringLiteral("script string not closed: ") + show(line));
        const std::string body = line.substr(head.size(), line.size() - head.size() - 1);
        for (std::size_t i = 0; i < body.size(); ++i) {
            if (body[i] != '"')
                continue;
            FUZZ_CHECK(kTarget, i + 1 < body.size() && body[i + 1] == '"',
                       QStringLiteral("lone quote in script string: ") + show(line));
            ++i;
        }
    }
    FUZZ_CHECK(kTarget, entries == count,
               QStringLiteral("%1 script entries for %2 files").arg(entries).arg(count));
}

bool hasControl(const std::string& name)
{
    return std::any_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzEnvironment::setUp();
    static const std::string dir =
        QDir(FuzzEnvironment::scratchPath()).filePath(QStringLiteral("rcweave")).toStdString();
    static const bool made = QDir().mkpath(QString::fromStdString(dir));
    FUZZ_CHECK(kTarget, made, QStringLiteral("no scratch directory"));

    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = input.find('\n');
    std::string argument = input.substr(0, lineEnd);
    const std::string list =
        lineEnd == std::string::npos ? std::string() : input.substr(lineEnd + 1);
    // "@..." names a list file to open: not a file name.
    if (!argument.empty() && argument[0] == '@')
        argument.clear();

    const std::string listPath = dir + "/files.txt";
    {
        std::ofstream out(listPath, std::ios::binary | std::ios::trunc);
        out << list;
    }
    const std::string header = dir + "/EmbeddedResources.h";
    const std::string script = dir + "/EmbeddedResources.rc";
    const std::string mapping = ResourceWeaver::mappingPathFor(header);
    std::remove(mapping.c_str());

    std::vector<std::string> args{"rcweave", header, script};
    std::vector<std::string> names;
    if (!argument.empty()) {
        args.push_back(argument);
        names.push_back(argument);
    }
    args.push_back("@" + listPath);
    for (std::string line : linesOf(list)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            names.push_back(line);
    }
    std::sort(names.begin(), names.end());

    std::ostringstream console;
    const int exitCode = ResourceWeaver(console).run(args);

    const bool refused = names.empty() || std::any_of(names.begin(), names.end(), hasControl);
    FUZZ_CHECK(kTarget, exitCode == (refused ? 1 : 0),
               QStringLiteral("exit code %1 for %2 names").arg(exitCode).arg(names.size()));
    if (refused)
        return 0;
    checkMapping(mapping, names);
    checkScript(script, names.size());
    return 0;
}
