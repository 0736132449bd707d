// A file layer that passes everything to the real one but fails operation
// number n (0 = the first; creates, writes, closes and replaces counted alike
// in the order they come), so a test can walk through every point at which a
// save can fail; or every operation of one kind.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/file_layer.h"

class FailingFileLayer : public FileLayer {
 public:
  explicit FailingFileLayer(int failAt = -1, std::string failKind = "")
      : failAt_(failAt), failKind_(std::move(failKind)) {}

  std::vector<std::string> created;
  std::string failedAt;  // the operation made to fail, or ""

  Handle Create(const std::string& path) override {
    created.push_back(path);
    return Fails("create") ? nullptr : real_.Create(path);
  }
  bool Write(Handle file, const void* data, size_t size) override {
    if (!Fails("write")) return real_.Write(file, data, size);
    real_.Write(file, data, size / 2);  // a failing disk may take part of it
    return false;
  }
  bool Close(Handle file) override {
    const bool closed = real_.Close(file);  // closed either way; the flush's report fails
    return !Fails("close") && closed;
  }
  bool Replace(const std::string& source, const std::string& target) override {
    return !Fails("replace") && real_.Replace(source, target);
  }
  void Remove(const std::string& path) override { real_.Remove(path); }

 private:
  bool Fails(const char* operation) {
    const bool fail = count_++ == failAt_ || failKind_ == operation;
    if (fail) failedAt = operation;
    return fail;
  }
  int failAt_;
  int count_ = 0;  // the operations so far
  std::string failKind_;
  FileLayer& real_ = SystemFileLayer();
};
