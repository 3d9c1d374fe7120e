#include "EmbeddedResourceReader.h"

#include <cstdint>
#include <iostream>

#ifdef _WIN32
#include <windows.h>

std::vector<char> getResource(int resourceId)
{
    const WORD id = static_cast<WORD>(resourceId);
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!info) {
        std::cout << "Resource not found: " << id << std::endl;
        return {};
    }
    HGLOBAL handle = LoadResource(module, info);
    if (!handle) {
        std::cout << "Failed to load resource: " << id << std::endl;
        return {};
    }
    const void* data = LockResource(handle);
    if (!data) {
        std::cout << "Failed to lock resource: " << id << std::endl;
        return {};
    }
    const DWORD size = SizeofResource(module, info);
    if (size == 0) {
        std::cout << "Resource size is 0: " << id << std::endl;
        return {};
    }
    const char* bytes = static_cast<const char*>(data);
    return std::vector<char>(bytes, bytes + size);
}

#else

// Emitted by the generated assembler file (see cmake/EmbeddedResources.cmake).
extern "C" {
struct QuorvantaResourceEntry
{
    std::uint32_t id;
    std::uint32_t offset;
    std::uint32_t size;
};
extern const char quorvanta_resource_blob[];
extern const QuorvantaResourceEntry quorvanta_resource_table[];
extern const std::uint32_t quorvanta_resource_count;
}

std::vector<char> getResource(int resourceId)
{
    const std::uint16_t id = static_cast<std::uint16_t>(resourceId);
    for (std::uint32_t i = 0; i < quorvanta_resource_count; ++i) {
        const QuorvantaResourceEntry& entry = quorvanta_resource_table[i];
        if (entry.id != id)
            continue;
        if (entry.size == 0) {
            std::cout << "Resource size is 0: " << id << std::endl;
            return {};
        }
        const char* bytes = quorvanta_resource_blob + entry.offset;
        return std::vector<char>(bytes, bytes + entry.size);
    }
    std::cout << "Resource not found: " << id << std::endl;
    return {};
}

#endif

std::string getResourceAsString(int resourceId)
{
    const std::vector<char> bytes = getResource(resourceId);
    return std::string(bytes.begin(), bytes.end());
}
