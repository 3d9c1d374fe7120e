#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Turns a list of knowledge-base files into the resource ID header, the
// resource script and the path-to-ID mapping header. Standard library only:
// it runs on the build host before the program itself is compiled.
class ResourceWeaver
{
public:
    explicit ResourceWeaver(std::ostream& console);

    // Full command line, program name first. Returns the process exit code.
    int run(const std::vector<std::string>& args);

    static std::string mappingPathFor(const std::string& headerPath);
    static std::string mappingKeyFor(const std::string& filePath);
    static std::string scriptPathFor(const std::string& filePath);

private:
    using Entry = std::pair<std::string, std::string>; // macro name, file path

    void collectInputs(const std::vector<std::string>& args, std::vector<std::string>& inputs);
    bool writeHeader(const std::string& path, const std::vector<Entry>& entries);
    bool writeScript(const std::string& path, const std::vector<Entry>& entries);
    bool writeMapping(const std::string& path, const std::vector<Entry>& entries);

    std::ostream& m_console;
};
