#pragma once

#include <string>

// Reads a generated resource script and writes a GNU assembler file that holds
// every listed file byte for byte (.incbin) plus an ID table. This stands in
// for the Windows resource compiler on platforms that have none.
class ResourceScriptAssembler
{
public:
    // baseDir: directory the script's relative file paths are resolved against.
    static bool convert(const std::string& scriptPath, const std::string& baseDir,
                        const std::string& outputPath, std::string& error);

    // "data\\\\pictures\\\\a b.png" as written in the script -> "data/pictures/a b.png"
    static std::string unescapeScriptPath(const std::string& scriptPath);
};
