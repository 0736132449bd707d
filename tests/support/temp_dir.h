// A fresh folder per test, removed afterwards, with small file helpers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // A path inside the folder, with the platform's separators.
  std::string Path(const std::string& name) const;
  const std::filesystem::path& Root() const { return root_; }
  // Names of the files in the folder, sorted.
  std::vector<std::string> List() const;

 private:
  std::filesystem::path root_;
};

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);
