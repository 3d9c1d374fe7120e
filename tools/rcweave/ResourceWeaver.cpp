#include "ResourceWeaver.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr int kFirstId = 1000;
const std::string kMarker = "Velmarik_industry";

std::string macroName(int id)
{
    return "IDR_RESOURCE_" + std::to_string(id);
}

void replaceAll(std::string& text, char from, char to)
{
    std::replace(text.begin(), text.end(), from, to);
}

bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7f;
}

// A file name is data: a quote in it must not end the generated string.
std::string cppStringBody(const std::string& text)
{
    static const char digits[] = "01234567";
    std::string body;
    body.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            body += '\\';
            body += c;
        } else if (isControl(byte)) {
            // Three octal digits, so a following digit cannot extend the escape.
            body += '\\';
            body += digits[(byte >> 6) & 7];
            body += digits[(byte >> 3) & 7];
            body += digits[byte & 7];
        } else {
            body += c;
        }
    }
    return body;
}

} // namespace

ResourceWeaver::ResourceWeaver(std::ostream& console) : m_console(console) {}

int ResourceWeaver::run(const std::vector<std::string>& args)
{
    if (args.size() < 3) {
        m_console << "Usage: rcweave <header_file> <rc_file> [file1] [file2] ...\n";
        m_console << "Example: rcweave EmbeddedResources.h EmbeddedResources.rc data/file1.json "
                     "data/file2.txt\n";
        return 1;
    }

    const std::string headerPath = args[1];
    const std::string scriptPath = args[2];

    std::vector<std::string> inputs;
    collectInputs(args, inputs);
    if (inputs.empty()) {
        m_console << "Error: No input files specified\n";
        return 1;
    }

    m_console << "Simple Resource Generator\n";
    m_console << "Header file: " << headerPath << "\n";
    m_console << "RC file: " << scriptPath << "\n";
    m_console << "Input files: " << inputs.size() << "\n";

    // std::string compares as unsigned bytes, which is the order the IDs follow.
    std::sort(inputs.begin(), inputs.end());

    // Resource scripts cannot hold line breaks or other control characters in a string.
    for (const std::string& input : inputs) {
        if (std::any_of(input.begin(), input.end(),
                        [](char c) { return isControl(static_cast<unsigned char>(c)); })) {
            m_console << "Error: Control character in file name: " << cppStringBody(input) << "\n";
            m_console << "Resource generation failed!\n";
            return 1;
        }
    }

    std::vector<Entry> entries;
    entries.reserve(inputs.size());
    int id = kFirstId;
    for (const std::string& input : inputs) {
        entries.emplace_back(macroName(id), input);
        m_console << "Adding resource: " << entries.back().first << " -> " << input << "\n";
        ++id;
    }

    bool ok = writeHeader(headerPath, entries) && writeScript(scriptPath, entries);
    if (ok) {
        if (!writeMapping(mappingPathFor(headerPath), entries))
            m_console << "Warning: Failed to create mapping file\n";
        m_console << "Generated resources for " << entries.size() << " files\n";
    }

    if (ok) {
        m_console << "Resource generation completed successfully!\n";
        return 0;
    }
    m_console << "Resource generation failed!\n";
    return 1;
}

void ResourceWeaver::collectInputs(const std::vector<std::string>& args,
                                   std::vector<std::string>& inputs)
{
    for (std::size_t i = 3; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty() || arg[0] != '@') {
            inputs.push_back(arg);
            continue;
        }
        const std::string listPath = arg.substr(1);
        std::ifstream list(listPath);
        if (!list) {
            m_console << "Failed to open file list: " << listPath << "\n";
            continue;
        }
        std::string line;
        while (std::getline(list, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty())
                inputs.push_back(line);
        }
    }
}

std::string ResourceWeaver::mappingPathFor(const std::string& headerPath)
{
    const std::size_t dot = headerPath.rfind('.');
    const std::string stem = dot == std::string::npos ? headerPath : headerPath.substr(0, dot);
    return stem + "_Mapping.h";
}

std::string ResourceWeaver::mappingKeyFor(const std::string& filePath)
{
    std::string key;
    const std::size_t dataPos = filePath.find("data/");
    if (filePath.size() > 4 && dataPos != std::string::npos) {
        key = filePath.substr(dataPos);
    } else {
        const std::size_t sep = filePath.find_last_of("/\\");
        key = sep == std::string::npos ? filePath : filePath.substr(sep + 1);
    }
    replaceAll(key, '\\', '/');
    return key;
}

std::string ResourceWeaver::scriptPathFor(const std::string& filePath)
{
    std::string path = filePath;
    if (path.size() >= kMarker.size()) {
        const std::size_t pos = path.find(kMarker);
        if (pos != std::string::npos) {
            std::string rest = path.substr(pos + kMarker.size());
            if (!rest.empty() && (rest[0] == '/' || rest[0] == '\\'))
                rest.erase(0, 1);
            // The resource compiler runs in a build directory one level below the project.
            path = "..\\" + rest;
        }
    }
    replaceAll(path, '/', '\\');

    std::string escaped;
    escaped.reserve(path.size() * 2);
    for (char c : path) {
        escaped += c;
        // Resource-script strings double both the backslash and the quote.
        if (c == '\\' || c == '"')
            escaped += c;
    }
    return escaped;
}

bool ResourceWeaver::writeHeader(const std::string& path, const std::vector<Entry>& entries)
{
    std::ofstream out(path);
    if (!out) {
        m_console << "Failed to create header file: " << path << "\n";
        return false;
    }
    out << "#ifndef EMBEDDED_RESOURCES_H\n";
    out << "#define EMBEDDED_RESOURCES_H\n\n";
    out << "// Auto-generated resource definitions\n\n";
    int id = kFirstId;
    for (const Entry& entry : entries)
        out << "#define " << entry.first << " " << id++ << "\n";
    out << "\n#endif // EMBEDDED_RESOURCES_H\n";
    out.close();
    if (!out) {
        m_console << "Failed to create header file: " << path << "\n";
        return false;
    }
    m_console << "Header file created: " << path << "\n";
    return true;
}

bool ResourceWeaver::writeScript(const std::string& path, const std::vector<Entry>& entries)
{
    std::ofstream out(path);
    if (!out) {
        m_console << "Failed to create RC file: " << path << "\n";
        return false;
    }
    out << "#include \"EmbeddedResources.h\"\n";
    out << "#pragma code_page(65001)\n";
    out << "\n// Auto-generated resource file\n\n";
    for (const Entry& entry : entries)
        out << entry.first << " RCDATA \"" << scriptPathFor(entry.second) << "\"\n";
    out.close();
    if (!out) {
        m_console << "Failed to create RC file: " << path << "\n";
        return false;
    }
    m_console << "RC file created: " << path << "\n";
    return true;
}

bool ResourceWeaver::writeMapping(const std::string& path, const std::vector<Entry>& entries)
{
    std::ofstream out(path);
    if (!out) {
        m_console << "Failed to create mapping file: " << path << "\n";
        return false;
    }
    out << "#ifndef EMBEDDED_RESOURCES_MAPPING_H\n";
    out << "#define EMBEDDED_RESOURCES_MAPPING_H\n\n";
    out << "// Auto-generated resource mapping - DO NOT EDIT MANUALLY\n";
    out << "// This file maps file paths to resource IDs\n\n";
    out << "#include \"EmbeddedResources.h\"\n";
    out << "#include <map>\n";
    out << "#include <string>\n\n";
    out << "namespace EmbeddedResourceMapping {\n\n";
    out << "inline std::map<std::string, int> getResourceMap() {\n";
    out << "    std::map<std::string, int> resourceMap;\n\n";
    for (const Entry& entry : entries)
        out << "    resourceMap[\"" << cppStringBody(mappingKeyFor(entry.second))
            << "\"] = " << entry.first << ";\n";
    out << "\n    return resourceMap;\n";
    out << "}\n\n";
    out << "} // namespace EmbeddedResourceMapping\n\n";
    out << "#endif // EMBEDDED_RESOURCES_MAPPING_H\n";
    out.close();
    if (!out) {
        m_console << "Failed to create mapping file: " << path << "\n";
        return false;
    }
    m_console << "Mapping file created: " << path << "\n";
    return true;
}
