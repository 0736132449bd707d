// A file layer that passes everything to the real one but fails at one
// chosen step: the create, the n-th write, the close or the replace.
#pragma once

#include <string>
#include <vector>

#include "level/file_layer.h"

class FailingFileLayer : public FileLayer {
 public:
  enum class Step { None, Create, Write, Close, Replace };

  explicit FailingFileLayer(Step step = Step::None, int writeNumber = 0)
      : step_(step), writeNumber_(writeNumber) {}

  int writes = 0;
  std::vector<std::string> created;

  Handle Create(const std::string& path) override {
    created.push_back(path);
    return step_ == Step::Create ? nullptr : real_.Create(path);
  }
  bool Write(Handle file, const void* data, size_t size) override {
    if (step_ == Step::Write && writes++ == writeNumber_) {
      // A failing disk may have taken part of the data before it gave up.
      real_.Write(file, data, size / 2);
      return false;
    }
    return real_.Write(file, data, size);
  }
  bool Close(Handle file) override {
    const bool closed = real_.Close(file);
    return step_ == Step::Close ? false : closed;
  }
  bool Replace(const std::string& source, const std::string& target) override {
    return step_ == Step::Replace ? false : real_.Replace(source, target);
  }
  void Remove(const std::string& path) override { real_.Remove(path); }

 private:
  Step step_;
  int writeNumber_;
  FileLayer& real_ = SystemFileLayer();
};
