// The thin layer through which the editor writes its files. Saving goes to a
// temporary file beside the target and replaces the target only when every
// byte is written and the file is closed, so a failed save never destroys the
// previous file. Tests put a layer here that fails at a chosen step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What the file system says of a file: that it is there, its length and its
// last write (in 100-nanosecond ticks since 1970).
struct FileStamp {
  bool exists = false;
  long long size = 0;
  long long writeTime = 0;
  bool operator==(const FileStamp&) const = default;
};

class FileLayer {
 public:
  using Handle = void*;
  virtual ~FileLayer() = default;
  // Creates (truncating) a file for writing; nullptr on failure.
  virtual Handle Create(const std::string& path) = 0;
  virtual bool Write(Handle file, const void* data, size_t size) = 0;
  // Flushes and closes; false when any buffered data could not be written.
  virtual bool Close(Handle file) = 0;
  // Replaces `target` by `source` in one step (the target may exist).
  virtual bool Replace(const std::string& source, const std::string& target) = 0;
  virtual void Remove(const std::string& path) = 0;

  // Looking and reading; the real file system's unless a test layer says
  // otherwise.
  virtual FileStamp Stamp(const std::string& path);
  // Reads the whole file when it holds at most `limit` bytes.
  virtual bool ReadAll(const std::string& path, size_t limit, std::vector<uint8_t>& bytes);
  // The names of the files in the folder that end in `extension`.
  virtual std::vector<std::string> FilesIn(const std::string& folder, const std::string& extension);
  // Makes the folder and the folders above it that are missing.
  virtual bool MakeFolders(const std::string& folder);
};

// Paths in this program hold at most 255 characters: longer ones are
// refused where they come in, and no file is written under one.
constexpr size_t kMaxPathLength = 255;

// The real layer on the C runtime's files.
FileLayer& SystemFileLayer();

// The platform part of the real layer: replaces target by source in one
// step, keeping the target's permissions; the stamp of a file; the names in
// a folder; one folder made.
bool ReplaceFileAtomically(const std::string& source, const std::string& target);
FileStamp StampOfFile(const std::string& path);
std::vector<std::string> NamesInFolder(const std::string& folder);
bool MakeOneFolder(const std::string& folder);
// The path from the root, as a relative path names it from the current
// folder now (which the file dialogs may change); empty when unknown.
std::string FullPathOf(const std::string& path);

// Writes the chunks to a temporary file in the target's folder, then
// replaces the target. On failure the target is untouched and the temporary
// file removed; *reason (when given) says which step failed.
bool WriteFileSafely(FileLayer& files, const std::string& path,
                     const std::vector<std::vector<uint8_t>>& chunks, std::string* reason = nullptr);

enum class FileReadStatus { Ok, CannotOpen, ReadError };

// Reads at most `limit` bytes from the start of a file in binary mode;
// *length receives the file's full length (or -1 when unknown).
FileReadStatus ReadFilePrefix(const std::string& path, size_t limit, std::vector<uint8_t>& bytes,
                              long long* length);

// The path as the C runtime of this platform takes it (backslashes become
// slashes outside Windows).
std::string ToNativePath(const std::string& path);

// The folder part of a path, with its trailing separator, or "" (either
// separator counts, so Windows paths read the same on every platform).
std::string DirectoryOf(const std::string& path);
