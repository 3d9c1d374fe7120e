#pragma once

#include <string>
#include <vector>

// Bytes of a file compiled into the program, by its 16-bit resource ID.
// Both return an empty result (and print one line to standard output) when the
// resource is missing or empty.
std::vector<char> getResource(int resourceId);
std::string getResourceAsString(int resourceId);
