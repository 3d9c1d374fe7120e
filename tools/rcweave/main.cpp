#include "ResourceWeaver.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
// windows.h first: shellapi.h relies on the types it declares.
#include <windows.h>

#include <shellapi.h>

// The narrow argv of Windows is in the ANSI code page; take the UTF-16 command
// line instead so Chinese file names reach the generated files as UTF-8.
static std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return std::vector<std::string>(argv, argv + argc); // unchanged, as on other systems
    for (int i = 0; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 0 ? size - 1 : 0, '\0');
        if (size > 1)
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
        args.push_back(arg);
    }
    LocalFree(wide);
    return args;
}
#else
static std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}
#endif

int main(int argc, char** argv)
{
    ResourceWeaver weaver(std::cout);
    return weaver.run(commandLineArguments(argc, argv));
}
