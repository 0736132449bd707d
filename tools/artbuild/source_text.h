// Small helpers shared by the readers of the text sources of the artwork and
// of the sample levels: errors that name a file and a line, words, numbers.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct SourceError {
  std::string file;
  int line = 0;  // 1-based; 0 when the fault belongs to the whole file
  std::string message;

  // "file:line: message", the form editors and terminals jump to.
  std::string Text() const;
};

// How a reader gets the text of a file it is told to read (the real files in
// the tool, strings in tests); false when the file cannot be read.
using ReadTextFn = std::function<bool(const std::string& path, std::string& text)>;

// Reads through the file system.
ReadTextFn FileSystemReader();

// The line without trailing blanks, tabs and CR.
std::string TrimRight(const std::string& line);

// The words of a line, split at blanks and tabs.
std::vector<std::string> SplitWords(const std::string& line);

// A whole word as a decimal number within [low, high]; false otherwise.
bool ParseNumber(const std::string& word, int low, int high, int& value);

// The folder part of a path with its trailing slash, or "".
std::string FolderOf(const std::string& path);
