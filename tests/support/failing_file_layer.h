// A file layer that passes everything to the real one but fails at one
// chosen step: the create, the n-th write, the close or the replace; or at
// the n-th operation of any kind, so a test can walk through every point at
// which a save can fail.
#pragma once

#include <string>
#include <vector>

#include "base/file_layer.h"

class FailingFileLayer : public FileLayer {
 public:
  enum class Step { None, Create, Write, Close, Replace };

  explicit FailingFileLayer(Step step = Step::None, int writeNumber = 0)
      : step_(step), writeNumber_(writeNumber) {}

  // Fails operation number n (0 = the first), counting creates, writes,
  // closes and replaces alike in the order they come.
  static FailingFileLayer AtOperation(int n) {
    FailingFileLayer layer;
    layer.operationNumber_ = n;
    return layer;
  }

  int writes = 0;
  std::vector<std::string> created;
  // "create", "write", "close", "replace" in the order they came.
  std::vector<std::string> operations;
  // The operation that was made to fail, or "" when none was.
  std::string failedAt;

  Handle Create(const std::string& path) override {
    created.push_back(path);
    if (Fails("create", step_ == Step::Create)) return nullptr;
    return real_.Create(path);
  }
  bool Write(Handle file, const void* data, size_t size) override {
    const bool chosenWrite = step_ == Step::Write && writes++ == writeNumber_;
    if (Fails("write", chosenWrite)) {
      // A failing disk may have taken part of the data before it gave up.
      real_.Write(file, data, size / 2);
      return false;
    }
    return real_.Write(file, data, size);
  }
  bool Close(Handle file) override {
    // The file is closed either way; only the report of the flush fails.
    const bool closed = real_.Close(file);
    return Fails("close", step_ == Step::Close) ? false : closed;
  }
  bool Replace(const std::string& source, const std::string& target) override {
    if (Fails("replace", step_ == Step::Replace)) return false;
    return real_.Replace(source, target);
  }
  void Remove(const std::string& path) override { real_.Remove(path); }

 private:
  bool Fails(const char* operation, bool chosenStep) {
    const bool fail =
        chosenStep || static_cast<int>(operations.size()) == operationNumber_;
    operations.push_back(operation);
    if (fail) failedAt = operation;
    return fail;
  }

  Step step_;
  int writeNumber_;
  int operationNumber_ = -1;
  FileLayer& real_ = SystemFileLayer();
};
