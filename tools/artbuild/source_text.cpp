#include "source_text.h"

#include "base/text_file.h"

std::string SourceError::Text() const {
  // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict, wrongly) about
  // a temporary built from ":" + std::to_string(line).
  std::string text = file;
  if (line > 0) text.append(":").append(std::to_string(line));
  return text.append(": ").append(message);
}

ReadTextFn FileSystemReader() {
  return [](const std::string& path, std::string& text) { return ReadTextFile(path, text); };
}

std::string TrimRight(const std::string& line) {
  size_t end = line.size();
  while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\t' || line[end - 1] == '\r')) --end;
  return line.substr(0, end);
}

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
    const size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r') ++at;
    if (at > start) words.push_back(line.substr(start, at - start));
  }
  return words;
}

bool ParseNumber(const std::string& word, int low, int high, int& value) {
  // Short words only, so the running value cannot overflow.
  if (word.empty() || word.size() > 6) return false;
  int parsed = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
    parsed = parsed * 10 + (c - '0');
  }
  if (parsed < low || parsed > high) return false;
  value = parsed;
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
