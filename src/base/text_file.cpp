#include "base/text_file.h"

#include <cstdint>

#include "base/file_layer.h"

namespace {
// Settings and catalogue files are a few kilobytes; anything past this is
// not one of them and is not read.
constexpr size_t kMaxTextFile = 1 << 20;
}  // namespace

bool ReadTextFile(const std::string& path, std::string& text) {
  std::vector<uint8_t> bytes;
  if (ReadFilePrefix(path, kMaxTextFile, bytes, nullptr) != FileReadStatus::Ok) return false;
  text.assign(bytes.begin(), bytes.end());
  return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}
