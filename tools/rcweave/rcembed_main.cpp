#include "ResourceScriptAssembler.h"

#include <iostream>

// rcembed <resource_script> <base_dir> <output.S>
int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "Usage: rcembed <resource_script> <base_dir> <output.S>\n";
        return 1;
    }
    std::string error;
    if (!ResourceScriptAssembler::convert(argv[1], argv[2], argv[3], error)) {
        std::cerr << "rcembed: " << error << "\n";
        return 1;
    }
    return 0;
}
