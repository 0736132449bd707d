// A host for tests: records every call the core makes and answers message
// boxes and file dialogs from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "view/host.h"

class FakeHost : public Host {
 public:
  struct Message {
    std::string text, caption;
    MessageKind kind;
  };
  struct DialogRun {
    DialogKind dialog;
    int param;
  };

  // Recorded calls.
  int fullInvalidations = 0;
  std::vector<ClientRect> partialInvalidations;
  std::vector<std::string> statusTexts;
  std::vector<std::string> titles;
  std::vector<Message> messages;
  std::vector<std::pair<Selector, int>> selectorPositions;
  std::vector<int> zooms;
  std::vector<DialogRun> dialogs;
  std::vector<std::string> openDialogDirs, saveDialogDirs;
  int menuRebuilds = 0;
  int lastMenuOldCount = -1;
  std::vector<std::string> menuFiles;
  std::vector<FileKind> saveDialogKinds;
  int captures = 0, releases = 0;
  bool destroyed = false;

  // Scripted answers, consumed in order; when empty: Ok for Info/Error,
  // No for questions, and cancelled file dialogs.
  std::deque<Answer> answers;
  std::deque<std::string> openPaths, savePaths;

  void Invalidate(const ClientRect* area) override {
    if (area) partialInvalidations.push_back(*area); else ++fullInvalidations;
  }
  void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
  void SetTitle(const std::string& text) override { titles.push_back(text); }
  Answer Ask(const std::string& text, const std::string& caption, MessageKind kind) override {
    messages.push_back({text, caption, kind});
    if (!answers.empty()) {
      const Answer a = answers.front();
      answers.pop_front();
      return a;
    }
    return kind == MessageKind::Error || kind == MessageKind::Info ? Answer::Ok : Answer::No;
  }
  void SetSelectorPosition(Selector selector, int position) override {
    selectorPositions.emplace_back(selector, position);
  }
  void ApplyWindowZoom(int zoom) override { zooms.push_back(zoom); }
  bool ChooseOpenPath(const std::string& dir, std::string& path) override {
    openDialogDirs.push_back(dir);
    return Take(openPaths, path);
  }
  bool ChooseSavePath(FileKind kind, const std::string& dir, std::string& path) override {
    saveDialogKinds.push_back(kind);
    saveDialogDirs.push_back(dir);
    return Take(savePaths, path);
  }
  void RunDialog(DialogKind dialog, int param) override { dialogs.push_back({dialog, param}); }
  void RebuildRecentMenu(int oldCount, const std::vector<std::string>& files) override {
    ++menuRebuilds;
    lastMenuOldCount = oldCount;
    menuFiles = files;
  }
  void CaptureMouse() override { ++captures; }
  void ReleaseMouse() override { ++releases; }
  // The string table's texts are not this fake's to know: it answers with
  // the id, so a test sees which entry was asked for.
  std::string StringResource(int id) override { return "string " + std::to_string(id); }
  void DestroyMainWindow() override { destroyed = true; }

  std::string LastTitle() const { return titles.empty() ? "" : titles.back(); }
  std::string LastStatus() const { return statusTexts.empty() ? "" : statusTexts.back(); }

 private:
  static bool Take(std::deque<std::string>& queue, std::string& path) {
    if (queue.empty()) return false;
    path = queue.front();
    queue.pop_front();
    return true;
  }
};
