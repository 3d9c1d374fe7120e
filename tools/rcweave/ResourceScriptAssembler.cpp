#include "ResourceScriptAssembler.h"

#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace {

const std::string kMacroPrefix = "IDR_RESOURCE_";
const std::string kRcData = " RCDATA \"";

std::string assemblerString(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

} // namespace

std::string ResourceScriptAssembler::unescapeScriptPath(const std::string& scriptPath)
{
    std::string path;
    for (std::size_t i = 0; i < scriptPath.size(); ++i) {
        char c = scriptPath[i];
        if (c == '\\') {
            if (i + 1 < scriptPath.size() && scriptPath[i + 1] == '\\')
                ++i;
            c = '/';
        } else if (c == '"' && i + 1 < scriptPath.size() && scriptPath[i + 1] == '"') {
            ++i;
        }
        path += c;
    }
    return path;
}

bool ResourceScriptAssembler::convert(const std::string& scriptPath, const std::string& baseDir,
                                      const std::string& outputPath, std::string& error)
{
    std::ifstream script(scriptPath, std::ios::binary);
    if (!script) {
        error = "cannot read " + scriptPath;
        return false;
    }

    std::vector<std::pair<unsigned long, std::string>> resources;
    std::string line;
    while (std::getline(script, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, kMacroPrefix.size(), kMacroPrefix) != 0)
            continue;
        const std::size_t rc = line.find(kRcData);
        if (rc == std::string::npos || line.back() != '"')
            continue;
        const std::string idText = line.substr(kMacroPrefix.size(), rc - kMacroPrefix.size());
        const std::string quoted =
            line.substr(rc + kRcData.size(), line.size() - rc - kRcData.size() - 1);
        std::string path = unescapeScriptPath(quoted);
        if (path.empty() || path[0] != '/')
            path = baseDir + "/" + path;
        resources.emplace_back(std::stoul(idText), path);
    }

    std::ostringstream out;
    out << "/* Generated from " << scriptPath << " - do not edit */\n";
    out << "    .section .rodata\n";
    out << "    .globl quorvanta_resource_blob\n";
    out << "    .balign 16\n";
    out << "quorvanta_resource_blob:\n";
    for (std::size_t i = 0; i < resources.size(); ++i) {
        out << ".Lres" << i << ":\n";
        out << "    .incbin " << assemblerString(resources[i].second) << "\n";
        out << ".Lres" << i << "_end:\n";
    }
    out << "    .balign 8\n";
    out << "    .globl quorvanta_resource_table\n";
    out << "quorvanta_resource_table:\n";
    for (std::size_t i = 0; i < resources.size(); ++i) {
        out << "    .long " << resources[i].first << ", .Lres" << i
            << " - quorvanta_resource_blob, .Lres" << i << "_end - .Lres" << i << "\n";
    }
    out << "    .globl quorvanta_resource_count\n";
    out << "    .balign 4\n";
    out << "quorvanta_resource_count:\n";
    out << "    .long " << resources.size() << "\n";
    out << "    .section .note.GNU-stack,\"\",@progbits\n";

    std::ofstream file(outputPath, std::ios::binary | std::ios::trunc);
    file << out.str();
    file.close();
    if (!file) {
        error = "cannot write " + outputPath;
        return false;
    }
    return true;
}
