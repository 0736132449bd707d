#include "resource_list.h"

namespace {

constexpr size_t kMaxLine = 99;
constexpr size_t kMaxEnemyName = 63;

enum class Section { Enemy, Level, Song, Ai };

bool Fail(SourceError& error, const std::string& path, int line, std::string message) {
  error.file = path;
  error.line = line;
  error.message = std::move(message);
  return false;
}

}  // namespace

bool ParseResourceList(const std::string& path, const std::string& text, ResourceList& list,
                       SourceError& error) {
  list = ResourceList{};
  Section section = Section::Enemy;
  size_t start = 0;
  int lineNo = 0;
  while (start < text.size()) {
    ++lineNo;
    const size_t lf = text.find('\n', start);
    if (lf == std::string::npos || lf == start || text[lf - 1] != '\r')
      return Fail(error, path, lineNo, "lines end in CR LF in this file (the game reads it so)");
    const std::string line = text.substr(start, lf - 1 - start);
    start = lf + 1;
    if (line.size() > kMaxLine)
      return Fail(error, path, lineNo, "longer than 99 characters");
    if (line.empty()) continue;
    if (line == "[Enemy Resources]") { section = Section::Enemy; continue; }
    if (line == "[Level Resources]") { section = Section::Level; continue; }
    if (line == "[Song Names]") { section = Section::Song; continue; }
    if (line == "[AI Types]") { section = Section::Ai; continue; }
    if (section == Section::Song || section == Section::Ai) {
      (section == Section::Song ? list.songs : list.aiTypes).push_back(line);
      continue;
    }
    const size_t comma = line.find(',');
    if (comma == std::string::npos || comma == 0 || comma + 1 == line.size())
      return Fail(error, path, lineNo, "expected 'file.ge5,Name'");
    ResourceEntry entry{line.substr(0, comma), line.substr(comma + 1)};
    if (section == Section::Enemy && entry.name.size() > kMaxEnemyName)
      return Fail(error, path, lineNo, "enemy names have at most 63 characters");
    (section == Section::Enemy ? list.enemySets : list.patternSets).push_back(entry);
  }
  return true;
}

std::string ResourceBaseName(const ResourceEntry& entry) {
  const size_t dot = entry.file.rfind('.');
  return dot == std::string::npos ? entry.file : entry.file.substr(0, dot);
}
