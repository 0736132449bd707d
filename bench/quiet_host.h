// A host for the benchmarks: every request of the core is taken and
// nothing is shown; a benchmark overrides what it watches.
#pragma once

#include <string>
#include <vector>

#include "view/host.h"

class QuietHost : public Host {
 public:
  void Invalidate(const ClientRect*) override {}
  void SetStatusText(const std::string&) override {}
  void SetTitle(const std::string&) override {}
  Answer Ask(const std::string&, const std::string&, MessageKind) override { return Answer::No; }
  void SetSelectorPosition(Selector, int) override {}
  void ApplyWindowZoom(int) override {}
  bool ChooseOpenPath(const std::string&, std::string&) override { return false; }
  bool ChooseSavePath(FileKind, const std::string&, std::string&) override { return false; }
  void RunDialog(DialogKind, int) override {}
  void RebuildRecentMenu(int, const std::vector<std::string>&) override {}
  void CaptureMouse() override {}
  void ReleaseMouse() override {}
  std::string StringResource(int) override { return {}; }
  void DestroyMainWindow() override {}
  bool PutClipboard(const std::vector<uint8_t>&, const std::string&) override { return false; }
  bool GetClipboard(std::vector<uint8_t>&, std::string&) override { return false; }
  bool PointerPosition(int&, int&) override { return false; }
};
