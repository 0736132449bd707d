// A host for tests: records every call the core makes and answers message
// boxes and file dialogs from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "view/hit_test.h"
#include "view/host.h"

class FakeHost : public Host {
 public:
  struct Message {
    std::string text, caption;
    MessageKind kind;
    bool operator==(const Message&) const = default;
  };
  struct DialogRun {
    DialogKind dialog;
    int param;
  };

  int fullInvalidations = 0, captures = 0, releases = 0;
  bool destroyed = false;
  std::vector<ClientRect> partialInvalidations;
  std::vector<std::string> statusTexts, titles, saveDialogDirs;
  std::vector<Message> messages;
  std::vector<std::pair<Selector, int>> selectorPositions;
  std::vector<int> zooms;
  std::vector<DialogRun> dialogs;
  std::vector<FileKind> saveDialogKinds;
  // Scripted answers, consumed in order; when empty: Ok for Error and Info,
  // No for questions, and cancelled file dialogs.
  std::deque<Answer> answers;
  std::deque<std::string> openPaths, savePaths;

  void Invalidate(const ClientRect* area) override {
    if (area)
      partialInvalidations.push_back(*area);
    else
      ++fullInvalidations;
  }
  void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
  void SetTitle(const std::string& text) override { titles.push_back(text); }
  Answer Ask(const std::string& text, const std::string& caption, MessageKind kind) override {
    messages.push_back({text, caption, kind});
    if (answers.empty()) return kind == MessageKind::Error || kind == MessageKind::Info ? Answer::Ok : Answer::No;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void SetSelectorPosition(Selector selector, int position) override {
    selectorPositions.emplace_back(selector, position);
  }
  void ApplyWindowZoom(int zoom) override { zooms.push_back(zoom); }
  bool ChooseOpenPath(const std::string&, std::string& path) override { return Take(openPaths, path); }
  bool ChooseSavePath(FileKind kind, const std::string& dir, std::string& path) override {
    saveDialogKinds.push_back(kind);
    saveDialogDirs.push_back(dir);
    return Take(savePaths, path);
  }
  void RunDialog(DialogKind dialog, int param) override { dialogs.push_back({dialog, param}); }
  void RebuildRecentMenu(int, const std::vector<std::string>&) override {}
  void CaptureMouse() override { ++captures; }
  void ReleaseMouse() override { ++releases; }
  // The string table is not this fake's to know: it answers with the id.
  std::string StringResource(int id) override { return "string " + std::to_string(id); }
  void DestroyMainWindow() override { destroyed = true; }
  // The clipboard as two strings; a closed clipboard refuses everything.
  bool PutClipboard(const std::vector<uint8_t>& area, const std::string& text) override {
    if (clipboardClosed) return false;
    clipboardArea = area;
    clipboardText = text;
    return true;
  }
  bool GetClipboard(std::vector<uint8_t>& area, std::string& text) override {
    area = clipboardArea;
    text = clipboardArea.empty() ? clipboardText : "";
    return !clipboardClosed;
  }
  bool PointerPosition(int& x, int& y) override {
    x = pointer.x;
    y = pointer.y;
    return pointerKnown;
  }
  std::vector<uint8_t> clipboardArea;
  std::string clipboardText;
  bool clipboardClosed = false;
  ClientPoint pointer;
  bool pointerKnown = false;

  std::string LastTitle() const { return titles.empty() ? "" : titles.back(); }
  std::string LastStatus() const { return statusTexts.empty() ? "" : statusTexts.back(); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const Message& m : messages) out.push_back(m.text);
    return out;
  }

 private:
  static bool Take(std::deque<std::string>& queue, std::string& path) {
    if (queue.empty()) return false;
    path = queue.front();
    queue.pop_front();
    return true;
  }
};
