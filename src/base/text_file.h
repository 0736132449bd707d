#pragma once

#include <string>
#include <vector>

// Reads a whole text file (binary, so CR LF and LF read alike everywhere);
// false when it cannot be opened or read.
bool ReadTextFile(const std::string& path, std::string& text);

// Splits text into lines at LF, dropping a CR before it; lines of any length.
std::vector<std::string> SplitLines(const std::string& text);
