#include "base/file_layer.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

// Paths in this program are Windows paths; where the core runs natively (the
// tools and the tests) a backslash separates folders just the same.
std::string NativePath(const std::string& path) {
#ifdef _WIN32
  return path;
#else
  std::string native = path;
  for (char& c : native)
    if (c == '\\') c = '/';
  return native;
#endif
}

class StdioFileLayer final : public FileLayer {
 public:
  Handle Create(const std::string& path) override { return std::fopen(NativePath(path).c_str(), "wb"); }

  bool Write(Handle file, const void* data, size_t size) override {
    return std::fwrite(data, 1, size, static_cast<std::FILE*>(file)) == size;
  }

  bool Close(Handle file) override {
    std::FILE* f = static_cast<std::FILE*>(file);
    const bool flushed = std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    return flushed && closed;
  }

  bool Replace(const std::string& source, const std::string& target) override {
    return ReplaceFileAtomically(source, target);
  }

  void Remove(const std::string& path) override { std::remove(NativePath(path).c_str()); }
};

// "~kx12345.tmp"
constexpr size_t kTemporaryNameLength = 12;

bool Exists(const std::string& path) {
  std::FILE* f = std::fopen(NativePath(path).c_str(), "rb");
  if (f) std::fclose(f);
  return f != nullptr;
}

// A name beside the target that no file has yet (creating the temporary
// file truncates whatever has its name). Usually "~kx12345.tmp"; beside a
// target whose path comes near 255 characters it is no longer than the
// target's own name, so the temporary path fits wherever the target's does
// (Windows refuses paths past 259 characters).
std::string TemporaryName(const std::string& target) {
  static std::mt19937 random{std::random_device{}()};
  const std::string folder = DirectoryOf(target);
  const size_t ownName = target.size() - folder.size();
  const bool roomy = folder.size() + kTemporaryNameLength <= kMaxPathLength;
  const size_t length = roomy ? kTemporaryNameLength : std::clamp<size_t>(ownName, 1, kTemporaryNameLength);
  std::string path;
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::string name;
    if (roomy) {
      char text[kTemporaryNameLength + 1];
      std::snprintf(text, sizeof text, "~kx%05x.tmp", static_cast<unsigned>(random() & 0xFFFFF));
      name = text;
    } else {
      name = "~";
      while (name.size() < length) name += "0123456789abcdef"[random() % 16];
    }
    path = folder + name;
    if (!Exists(path)) break;
  }
  return path;
}

}  // namespace

FileStamp FileLayer::Stamp(const std::string& path) { return StampOfFile(path); }

bool FileLayer::ReadAll(const std::string& path, size_t limit, std::vector<uint8_t>& bytes) {
  long long length = 0;
  std::vector<uint8_t> read;
  if (ReadFilePrefix(path, limit + 1, read, &length) != FileReadStatus::Ok || read.size() > limit) return false;
  bytes = std::move(read);
  return true;
}

std::vector<std::string> FileLayer::FilesIn(const std::string& folder, const std::string& extension) {
  std::vector<std::string> names;
  for (const std::string& name : NamesInFolder(folder))
    if (name.size() > extension.size() && name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
      names.push_back(name);
  std::sort(names.begin(), names.end());
  return names;
}

bool FileLayer::MakeFolders(const std::string& folder) {
  // Each folder on the way down, from the first one below the root or drive.
  for (size_t at = folder.find_first_of("\\/", 1); at != std::string::npos; at = folder.find_first_of("\\/", at + 1))
    if (at > 0 && folder[at - 1] != ':') MakeOneFolder(folder.substr(0, at));
  return MakeOneFolder(folder);
}

FileLayer& SystemFileLayer() {
  static StdioFileLayer layer;
  return layer;
}

std::string ToNativePath(const std::string& path) { return NativePath(path); }

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool WriteFileSafely(FileLayer& files, const std::string& path,
                     const std::vector<std::vector<uint8_t>>& chunks, std::string* reason) {
  auto fail = [reason](const char* why) {
    if (reason) *reason = why;
    return false;
  };
  // Windows cannot replace a file under a longer path: nothing is begun.
  if (path.size() > kMaxPathLength) return fail("the path is longer than 255 characters");
  const std::string temporary = TemporaryName(path);
  FileLayer::Handle file = files.Create(temporary);
  if (!file) return fail("cannot create a file in that folder");
  for (const std::vector<uint8_t>& chunk : chunks) {
    if (!files.Write(file, chunk.data(), chunk.size())) {
      files.Close(file);
      files.Remove(temporary);
      return fail("cannot write the file");
    }
  }
  if (!files.Close(file)) {
    files.Remove(temporary);
    return fail("cannot write the file");
  }
  if (!files.Replace(temporary, path)) {
    files.Remove(temporary);
    return fail("cannot replace the file");
  }
  return true;
}

FileReadStatus ReadFilePrefix(const std::string& path, size_t limit, std::vector<uint8_t>& bytes,
                              long long* length) {
  if (length) *length = -1;
  std::FILE* f = std::fopen(NativePath(path).c_str(), "rb");
  if (!f) return FileReadStatus::CannotOpen;
  long long size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    size = std::ftell(f);
    if (std::fseek(f, 0, SEEK_SET) != 0) size = -1;
  }
  // Size the buffer from the file's length where it is known, so a generous
  // limit costs nothing for a small file; grow when the length was wrong.
  size_t capacity = size >= 0 && static_cast<unsigned long long>(size) < limit
                        ? static_cast<size_t>(size) + 1
                        : limit;
  bytes.assign(capacity, 0);
  size_t got = 0;
  while (got < limit) {
    if (got == bytes.size()) bytes.resize(std::min(limit, bytes.size() * 2 + 4096));
    const size_t n = std::fread(bytes.data() + got, 1, bytes.size() - got, f);
    if (n == 0) break;
    got += n;
  }
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  bytes.resize(got);
  if (failed) return FileReadStatus::ReadError;
  if (length) *length = size >= 0 ? size : static_cast<long long>(got);
  return FileReadStatus::Ok;
}
