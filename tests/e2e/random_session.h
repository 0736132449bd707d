// A long random session with the real editor: valid user actions chosen by
// a seeded generator (clicks, drags and right clicks anywhere in the
// window, keys, every menu command and accelerator, the selectors, the
// dialogs driven through their controls), every message box and file
// dialog answered at random as it appears, the set saved and checked with
// the core every few hundred actions. A watchdog ends the editor by its
// handle when the whole run takes too long.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "gfx/resource_catalogue.h"
#include "level/level.h"

struct SessionOptions {
  uint32_t seed = 20240607;
  int actions = 1000;
  int saveEvery = 200;    // a checked save after this many actions
  int limitSeconds = 0;   // the whole run; 0: worked out from the actions
  bool verbose = false;   // every step printed as it runs
  // From KRAXED_SOAK_SEED, KRAXED_SOAK_ACTIONS, KRAXED_SOAK_SAVE_EVERY,
  // KRAXED_SOAK_LIMIT (seconds) and KRAXED_SOAK_VERBOSE (1: print every
  // step); what is not set keeps its default.
  static SessionOptions FromEnvironment();
  int Limit() const { return limitSeconds > 0 ? limitSeconds : 120 + actions / 2; }
};

struct SessionReport {
  int actions = 0;
  int savesChecked = 0;    // files written by the editor and read back by the core
  int messageBoxes = 0;
  int fileDialogs = 0;
  int dialogs = 0;
  double seconds = 0;
  bool exitedCleanly = false;
  std::map<std::string, int> kinds;  // how often each kind of action ran
  std::vector<std::string> failures;
};

// Ends the editor by its handle when the time is up; the session sees it
// at its next step.
class Watchdog {
 public:
  Watchdog(DWORD processId, DWORD limitMs);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;
  bool Fired() const { return fired_ != 0; }

 private:
  static DWORD WINAPI Run(void* self);
  HANDLE process_ = nullptr;
  HANDLE stop_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD limitMs_;
  volatile LONG fired_ = 0;
};

class RandomSession {
 public:
  RandomSession(const SessionOptions& options, const ProgramDir& folder, EditorProcess& editor);
  // Runs every action, the checked saves and the final Exit.
  SessionReport Run();

 private:
  struct Action {
    const char* name;
    int weight;
    std::function<void()> run;
  };

  // Choices.
  int Rand(int n);
  bool Chance(int percent) { return Rand(100) < percent; }
  // An index by the weights, or the one the opening round asks for.
  int Pick(const int* weights, int count);
  int Zoom() const;
  RECT Client() const;  // the client area above the status bar
  POINT CanvasPoint();
  POINT PanelPoint();
  POINT AnyPoint();
  POINT PointIn(int area);  // 0 canvas, 1 panel, 2 anywhere

  // The actions.
  void DragOnCanvas();
  void DoubleClickAt(POINT p);
  void ScrollSelector();
  void ClickSelectorArrow();
  void MenuCommand();
  void Accelerator();
  // The command by the menu (no keys) or by its accelerator keys.
  void RunCommandId(int id, const std::vector<WORD>& keys, const char* keyName);
  void RecentFile();
  void CloseAndCancel();
  void BackupTick();

  // Delivery and waiting: each returns when the editor has handled it and
  // everything it opened has been answered.
  void AfterSent();
  void SendCommand(int id);
  void SendAndSettle(UINT message, WPARAM wParam, LPARAM lParam);
  void KeysAndSettle(const std::vector<WORD>& keys);
  bool Settle(const std::function<bool()>& finished, const std::function<void()>& nudge,
              DWORD limitMs = 60000);
  HWND OpenWindow() const;
  void MarkerMove(int variant) const;

  // Answering what the editor opens.
  void Handle(HWND window);
  void AnswerMessageBox(const DialogWindow& box);
  void AnswerSaveDialog(const DialogWindow& dialog);
  void AnswerOpenDialog(const DialogWindow& dialog);
  void DriveEditingDialog(const DialogWindow& dialog, int steps,
                          const std::function<void(int what)>& step);
  void DriveLevelSettings(const DialogWindow& dialog);
  void DriveEnemySettings(const DialogWindow& dialog);
  void DriveSwapLevels(const DialogWindow& dialog);
  void DriveEditorSettings(const DialogWindow& dialog);
  void CloseEditingDialog(const DialogWindow& dialog);

  // Checks.
  void CheckedSave();
  bool CheckFile(const std::string& path, const std::string& why);
  void CompareLevelView(const LevelSet& levels, int level, const std::string& what);
  void Remember(const std::string& path);
  void FinalExit();
  void CheckFolder();
  std::string CurrentFile() const;  // from the title, as a path
  bool Modified() const;            // the title's mark

  void Fail(const std::string& what);
  bool Stopped() const;
  void Note(const std::string& what);

  SessionOptions options_;
  const ProgramDir& folder_;
  EditorProcess& editor_;
  std::mt19937 random_;
  std::unique_ptr<Watchdog> watchdog_;
  SessionReport report_;
  std::deque<std::string> recent_;  // the last steps, for a failure's story
  std::vector<Action> actions_;
  int totalWeight_ = 0;
  int forcedChoice_ = -1;
  long sent_ = 0;
  ResourceCatalogue catalogue_;  // for the pictures the canvas is compared with

  // What the session knows of the editor.
  bool questions_ = true;
  bool correctShadow_ = false;
  bool autosave_ = false;
  bool closing_ = false;       // the final Exit: its question is answered Yes or No
  bool cancelClose_ = false;   // an Exit in the middle: its question is answered Cancel
  bool closeQuestionSeen_ = false;
  bool expectLoadError_ = false;
  int recentCount_ = 0;
  std::set<std::string> recentPaths_;
  std::vector<std::string> files_;  // level sets of the folder the Open dialog may choose
  std::string broken_;
  std::string checkpointPath_;  // the Save as dialog takes this path when set
  int saveNumber_ = 0;
  int markerVariant_ = 0;
  DWORD lastWindowAt_ = 0;  // when the last window of the editor was answered
};
