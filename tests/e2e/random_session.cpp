#include "e2e/random_session.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "../../res/resource.h"
#include "app/commands.h"
#include "app/recent_files.h"
#include "gfx/resource_catalogue.h"
#include "gfx/software_painter.h"
#include "level/level_file.h"
#include "view/level_picture.h"

namespace {

constexpr DWORD kActionLimitMs = 60000;  // one action, with everything it opened
constexpr size_t kStoryLength = 30;

// The menu commands a random action picks from, with their weights. Exit
// has its own action: only its question may be answered in the middle.
struct Weighted {
  int id;
  int weight;
};
constexpr Weighted kMenuCommands[] = {
    {kCmdSave, 6},          {kCmdSaveAs, 6},         {kCmdNew, 4},
    {kCmdOpen, 6},          {kCmdClearLevel, 8},          {kCmdCorrectShadows, 10},
    {kCmdCopy, 10},         {kCmdPaste, 10},         {kCmdSelectLevel1, 20},
    {kCmdHelp, 3},          {kCmdAbout, 3},          {kCmdLevelSettings, 8},
    {kCmdEnemySettings, 8}, {kCmdEditorSettings, 6}, {kCmdSwapLevels, 6},
    {kCmdUndo, 10},         {kCmdRedo, 6},
};

// The accelerators: keys, the command they give, their name for the story,
// and weight.
struct Accel {
  WORD modifier, key;
  int id;
  const char* name;
  int weight;
};
constexpr Accel kAccelerators[] = {
    {VK_CONTROL, '1', kCmdSelectLevel1, "Ctrl+digit", 20},  // Ctrl+1..Ctrl+9 and Ctrl+0
    {VK_CONTROL, 'C', kCmdCopy, "Ctrl+C", 6},
    {VK_CONTROL, 'V', kCmdPaste, "Ctrl+V", 6},
    {VK_CONTROL, 'H', kCmdCorrectShadows, "Ctrl+H", 6},
    {VK_CONTROL, 'L', kCmdLevelSettings, "Ctrl+L", 4},
    {VK_CONTROL, 'E', kCmdEnemySettings, "Ctrl+E", 4},
    {VK_CONTROL, 'W', kCmdSwapLevels, "Ctrl+W", 4},
    {VK_CONTROL, 'N', kCmdNew, "Ctrl+N", 3},
    {VK_CONTROL, 'O', kCmdOpen, "Ctrl+O", 3},
    {VK_CONTROL, 'S', kCmdSave, "Ctrl+S", 4},
    {VK_CONTROL, VK_DELETE, kCmdClearLevel, "Ctrl+Del", 5},
    {0, VK_F1, kCmdHelp, "F1", 2},
    {0, VK_F12, kCmdSaveAs, "F12", 3},
    {VK_CONTROL, 'Z', kCmdUndo, "Ctrl+Z", 6},
    {VK_CONTROL, 'Y', kCmdRedo, "Ctrl+Y", 4},
};

uint32_t EnvironmentNumber(const char* name, uint32_t fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 10);
  return end && *end == '\0' ? static_cast<uint32_t>(value) : fallback;
}

HWND StatusBarOf(HWND main) { return FindWindowExA(main, nullptr, "msctls_statusbar32", nullptr); }

long answered = 0;  // replies to the messages sent with a callback

void CALLBACK OnAnswered(HWND, UINT, ULONG_PTR data, LRESULT) {
  ++*reinterpret_cast<long*>(data);
}

// Lets this thread take the replies of the messages it sent with a callback.
void PumpOwnMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// The last write of a file, to tell a fresh save from an old file.
struct FileStamp {
  bool exists = false;
  FILETIME written = {};
  bool operator==(const FileStamp& other) const {
    return exists == other.exists && CompareFileTime(&written, &other.written) == 0;
  }
};

FileStamp StampOf(const std::string& path) {
  FileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    stamp.exists = true;
    stamp.written = data.ftLastWriteTime;
  }
  return stamp;
}

}  // namespace

// ---------------------------------------------------------------------------

SessionOptions SessionOptions::FromEnvironment() {
  SessionOptions options;
  options.seed = EnvironmentNumber("KRAXED_SOAK_SEED", options.seed);
  options.actions = static_cast<int>(EnvironmentNumber("KRAXED_SOAK_ACTIONS", 1000));
  options.saveEvery =
      std::max(1, static_cast<int>(EnvironmentNumber("KRAXED_SOAK_SAVE_EVERY", 200)));
  options.limitSeconds = static_cast<int>(EnvironmentNumber("KRAXED_SOAK_LIMIT", 0));
  options.verbose = EnvironmentNumber("KRAXED_SOAK_VERBOSE", 0) != 0;
  return options;
}

Watchdog::Watchdog(DWORD processId, DWORD limitMs) : limitMs_(limitMs) {
  process_ = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, &Watchdog::Run, this, 0, nullptr);
}

Watchdog::~Watchdog() {
  SetEvent(stop_);
  if (thread_) {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }
  CloseHandle(stop_);
  if (process_) CloseHandle(process_);
}

DWORD WINAPI Watchdog::Run(void* self) {
  Watchdog* dog = static_cast<Watchdog*>(self);
  if (WaitForSingleObject(dog->stop_, dog->limitMs_) != WAIT_TIMEOUT) return 0;
  InterlockedExchange(&dog->fired_, 1);
  std::fprintf(stderr, "watchdog: the session ran past its limit of %lu s; ending the editor\n",
               dog->limitMs_ / 1000);
  std::fflush(stderr);
  if (dog->process_) TerminateProcess(dog->process_, 98);
  // The session notices at its next step; a session stuck for good ends here.
  if (WaitForSingleObject(dog->stop_, 120000) == WAIT_TIMEOUT) {
    std::fprintf(stderr, "watchdog: the session itself does not come back; ending the test\n");
    std::fflush(stderr);
    ExitProcess(3);
  }
  return 0;
}

// ---------------------------------------------------------------------------

RandomSession::RandomSession(const SessionOptions& options, const ProgramDir& folder,
                             EditorProcess& editor)
    : options_(options), folder_(folder), editor_(editor), random_(options.seed) {
  // A move or click at a point of an area: 0 canvas, 1 panel, 2 anywhere,
  // 3 any of them.
  const auto at = [this](int area, std::function<void(POINT)> press) {
    return [this, area, press] {
      press(PointIn(area == 3 ? Rand(3) : area));
      AfterSent();
    };
  };
  const auto move = [this](POINT p) { editor_.MouseMove(p.x, p.y); };
  const auto left = [this](POINT p) { editor_.LeftClick(p.x, p.y); };
  const auto right = [this](POINT p) { editor_.RightClick(p.x, p.y); };
  const auto key = [this](std::vector<UINT> keys) {
    return [this, keys] {
      editor_.KeyUp(keys[static_cast<size_t>(Rand(static_cast<int>(keys.size())))]);
      AfterSent();
    };
  };
  actions_ = {
      {"hover", 60, at(3, move)},
      {"click canvas", 170, at(0, left)},
      {"click panel", 130, at(1, left)},
      {"click anywhere", 40, at(2, left)},
      {"right click", 70, [this, at, right] { at(Chance(75) ? 0 : 2, right)(); }},
      {"drag on canvas", 70, [this] { DragOnCanvas(); }},
      {"drag anywhere", 30, [this] {
         std::vector<POINT> points;
         for (int i = 1 + Rand(6); i >= 0; --i) points.push_back(PointIn(Rand(3)));
         editor_.Drag(points);
         AfterSent();
       }},
      {"double click enemy", 10, [this] {  // on one of the five enemy images
         const int z = Zoom(), enemy = Rand(5);
         DoubleClickAt({(353 + 30 * enemy + Rand(16)) * z, 138 * z + 16 + Rand(24 * z)});
       }},
      {"double click anywhere", 8, [this] { DoubleClickAt(PointIn(Rand(3))); }},
      {"arrow key", 90, key({VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})},
      {"delete key", 20, key({VK_DELETE})},
      {"real arrow keys", 12, [this] {
         const WORD keys[] = {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_DELETE};
         KeysAndSettle({keys[Rand(5)]});
       }},
      {"selector", 45, [this] { ScrollSelector(); }},
      {"selector arrow", 30, [this] { ClickSelectorArrow(); }},
      {"menu command", 110, [this] { MenuCommand(); }},
      {"accelerator", 55, [this] { Accelerator(); }},
      {"recent file", 6, [this] { RecentFile(); }},
      {"close and cancel", 4, [this] { CloseAndCancel(); }},
      {"back-up tick", 3, [this] { BackupTick(); }},
  };
  for (const Action& action : actions_) totalWeight_ += action.weight;
  files_.push_back(folder_.File("sample.kxl"));
  broken_ = folder_.File("broken.kxl");
  PutFile(broken_, std::vector<unsigned char>(1000, 7));  // no level set is 1000 bytes long
  catalogue_ = CatalogueOf(folder_);
}

int RandomSession::Rand(int n) { return n <= 1 ? 0 : static_cast<int>(random_() % static_cast<uint32_t>(n)); }

int RandomSession::Zoom() const {
  const RECT r = editor_.WindowRect();
  return r.right - r.left > 700 ? 2 : 1;
}

RECT RandomSession::Client() const {
  RECT client = {};
  GetClientRect(editor_.Window(), &client);
  if (HWND status = StatusBarOf(editor_.Window())) {
    RECT bar = {};
    GetWindowRect(status, &bar);
    POINT top = {bar.left, bar.top};
    ScreenToClient(editor_.Window(), &top);
    if (top.y > 0 && top.y < client.bottom) client.bottom = top.y;
  }
  return client;
}

POINT RandomSession::CanvasPoint() {
  const int z = Zoom();
  return {z + Rand(256 * z), z + 16 + Rand(208 * z)};
}

POINT RandomSession::PanelPoint() {
  const int z = Zoom();
  return {259 * z + Rand(257 * z), z + 16 + Rand(209 * z)};
}

POINT RandomSession::AnyPoint() {
  const RECT client = Client();
  return {Rand(client.right), Rand(client.bottom)};
}

POINT RandomSession::PointIn(int area) {
  POINT p = area == 0 ? CanvasPoint() : area == 1 ? PanelPoint() : AnyPoint();
  const RECT client = Client();
  p.x = std::clamp<LONG>(p.x, 0, std::max<LONG>(0, client.right - 1));
  p.y = std::clamp<LONG>(p.y, 0, std::max<LONG>(0, client.bottom - 1));
  return p;
}

// ---------------------------------------------------------------------------
// Running

SessionReport RandomSession::Run() {
  const DWORD start = GetTickCount();
  std::printf("random session: seed %u, %d actions, a checked save every %d actions, "
              "time limit %d s (replay: KRAXED_SOAK_SEED=%u KRAXED_SOAK_ACTIONS=%d)\n",
              options_.seed, options_.actions, options_.saveEvery, options_.Limit(), options_.seed,
              options_.actions);
  std::fflush(stdout);
  watchdog_ = std::make_unique<Watchdog>(editor_.ProcessId(), options_.Limit() * 1000u);

  // Every kind of action and every command and accelerator runs early, in
  // a shuffled order; after that the weights choose.
  std::vector<std::pair<int, int>> forced;
  for (size_t i = 0; i < actions_.size(); ++i) forced.push_back({static_cast<int>(i), -1});
  const auto indexOf = [this](const std::string& name) {
    for (size_t i = 0; i < actions_.size(); ++i)
      if (actions_[i].name == name) return static_cast<int>(i);
    return 0;
  };
  for (size_t i = 0; i < std::size(kMenuCommands); ++i)
    forced.push_back({indexOf("menu command"), static_cast<int>(i)});
  for (size_t i = 0; i < std::size(kAccelerators); ++i)
    forced.push_back({indexOf("accelerator"), static_cast<int>(i)});
  std::shuffle(forced.begin(), forced.end(), random_);

  for (int n = 1; n <= options_.actions && !Stopped(); ++n) {
    report_.actions = n;
    int index = 0;
    forcedChoice_ = -1;
    if (n % 2 == 0 && !forced.empty()) {
      index = forced.back().first;
      forcedChoice_ = forced.back().second;
      forced.pop_back();
    } else {
      int pick = Rand(totalWeight_);
      while (pick >= actions_[index].weight) pick -= actions_[index++].weight;
    }
    const Action& action = actions_[index];
    Note(action.name);
    const DWORD began = GetTickCount();
    action.run();
    ++report_.kinds[action.name];
    if (options_.verbose) Note("  took " + std::to_string(GetTickCount() - began) + " ms");
    if (!Stopped() && GetTickCount() - began > kActionLimitMs)
      Fail(std::string("the action took ") + std::to_string((GetTickCount() - began) / 1000) + " s");
    if (!Stopped() && n % options_.saveEvery == 0) CheckedSave();
    if (n % 500 == 0) {
      std::printf("random session: %d actions, %d saves checked, %lu s\n", n, report_.savesChecked,
                  (GetTickCount() - start) / 1000);
      std::fflush(stdout);
    }
  }
  if (!Stopped()) CheckedSave();
  if (!Stopped()) FinalExit();
  if (watchdog_->Fired()) Fail("the watchdog ended the editor: the session passed its time limit");
  if (!report_.exitedCleanly && !editor_.Running())
    Fail("the editor ended on its own, exit code " + std::to_string(editor_.ExitCode()));
  if (report_.exitedCleanly) CheckFolder();
  watchdog_.reset();
  report_.seconds = (GetTickCount() - start) / 1000.0;
  return report_;
}

bool RandomSession::Stopped() const {
  return !report_.failures.empty() || (watchdog_ && watchdog_->Fired()) || !editor_.Running();
}

void RandomSession::Note(const std::string& what) {
  recent_.push_back("#" + std::to_string(report_.actions) + " " + what);
  if (options_.verbose) {
    std::printf("%lu %s\n", GetTickCount() % 100000, recent_.back().c_str());
    std::fflush(stdout);
  }
  if (recent_.size() > kStoryLength) recent_.pop_front();
}

void RandomSession::Fail(const std::string& what) {
  // What went wrong after the watchdog ended the editor only follows from it.
  const bool timeUp = watchdog_ && watchdog_->Fired() && report_.failures.empty();
  const std::string message =
      "action " + std::to_string(report_.actions) + ": " +
      (timeUp ? "the watchdog ended the editor: the session passed its limit of " +
                    std::to_string(options_.Limit()) + " s (then: " + what + ")"
              : what);
  report_.failures.push_back(message);
  if (report_.failures.size() > 1) return;
  std::string story;
  for (const std::string& step : recent_) story += "  " + step + "\n";
  ADD_FAILURE() << message << "\nthe last steps:\n"
                << story << "replay: KRAXED_SOAK_SEED=" << options_.seed
                << " KRAXED_SOAK_ACTIONS=" << options_.actions;
}

// ---------------------------------------------------------------------------
// Delivery

HWND RandomSession::OpenWindow() const {
  HWND found = nullptr;
  for (HWND w : editor_.OtherWindows()) {
    if (ClassOf(w) != "#32770") continue;
    if (IsWindowEnabled(w)) return w;  // a box over a disabled dialog is the one to answer
    if (!found) found = w;
  }
  return found;
}

bool RandomSession::Settle(const std::function<bool()>& finished,
                           const std::function<void()>& nudge, DWORD limitMs) {
  const DWORD start = GetTickCount();
  DWORD lastNudge = start;
  while (!Stopped()) {
    PumpOwnMessages();
    if (HWND window = OpenWindow()) {
      Handle(window);
      lastNudge = GetTickCount();
      continue;
    }
    if (finished()) {
      if (!editor_.WaitIdle(10000)) {
        if (editor_.Running()) Fail("the editor does not answer (hung?)");
        return false;
      }
      if (OpenWindow()) continue;
      if (!IsWindowEnabled(editor_.Window())) {
        Fail("the main window stays disabled with no dialog open");
        return false;
      }
      return true;
    }
    if (nudge && GetTickCount() - lastNudge >= 300) {
      nudge();
      lastNudge = GetTickCount();
    }
    if (GetTickCount() - start > limitMs) {
      Fail("the editor did not finish within " + std::to_string(limitMs / 1000) + " s");
      return false;
    }
    Sleep(5);
  }
  return false;
}

void RandomSession::AfterSent() {
  Settle([] { return true; }, nullptr);
}

void RandomSession::SendAndSettle(UINT message, WPARAM wParam, LPARAM lParam) {
  const long target = ++sent_;
  if (!SendMessageCallbackA(editor_.Window(), message, wParam, lParam, OnAnswered,
                            reinterpret_cast<ULONG_PTR>(&answered))) {
    Fail("a message could not be sent to the editor");
    return;
  }
  Settle([target] { return answered >= target; }, nullptr, kActionLimitMs);
}

void RandomSession::SendCommand(int id) { SendAndSettle(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// A real mouse move onto the gem of the palette: the status bar then reads
// "Gem". Input is taken in order, so once it does, every key sent before
// the move has been handled.
void RandomSession::MarkerMove(int variant) const {
  const int z = Zoom();
  const RECT client = editor_.ClientRectOnScreen();
  const int x = client.left + 295 * z + 4 * (variant % 3);
  const int y = client.top + 45 * z + 16;
  MoveRealPointer(x, y);
}

void RandomSession::KeysAndSettle(const std::vector<WORD>& keys) {
  // Keys go only to a window that has had the focus for a while, and the
  // main window has it again once a window of the editor is answered.
  const DWORD since = GetTickCount() - lastWindowAt_;
  if (since < kFocusSettleMs) Sleep(kFocusSettleMs - since);
  const HWND main = editor_.Window();
  if (!BringToFrontForKeys(main)) {
    Fail("the main window does not come to the front for keys");
    return;
  }
  editor_.WaitIdle();
  const std::string marker = "soak sync " + std::to_string(++markerVariant_);
  HWND status = StatusBarOf(main);
  SendTo(status, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(marker.c_str()));
  SendKeys(keys);
  MarkerMove(markerVariant_);
  Settle([this] { return editor_.StatusText() == "Gem"; },
         [this] {
           // A move that came while the canvas waited for its paint was
           // dropped: paint, then move again.
           editor_.WaitIdle();
           MarkerMove(++markerVariant_);
         },
         kActionLimitMs);
}

// ---------------------------------------------------------------------------
// Mouse and keys

void RandomSession::DragOnCanvas() {
  const RECT client = Client();
  std::vector<POINT> points{PointIn(Chance(80) ? 0 : 1)};
  const int z = Zoom();
  for (int i = Rand(9); i >= 0; --i) {
    POINT next = points.back();
    next.x = std::clamp<LONG>(next.x + Rand(49 * z) - 24 * z, 0, client.right - 1);
    next.y = std::clamp<LONG>(next.y + Rand(49 * z) - 24 * z, 0, client.bottom - 1);
    points.push_back(next);
  }
  editor_.Drag(points);
  AfterSent();
}

void RandomSession::DoubleClickAt(POINT p) {
  const LPARAM at = Point(p.x, p.y);
  SendTo(editor_.Window(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendTo(editor_.Window(), WM_LBUTTONUP, 0, at);
  // On an enemy image the double click opens the enemy dialog.
  SendAndSettle(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  if (!Stopped()) SendAndSettle(WM_LBUTTONUP, 0, at);
}

void RandomSession::ScrollSelector() {
  const int index = Rand(3);
  HWND selector = editor_.Selector(index);
  if (!selector) {
    Fail("selector " + std::to_string(index) + " is missing");
    return;
  }
  const LRESULT range = SendTo(selector, UDM_GETRANGE);
  const int upper = static_cast<short>(LOWORD(range)), lower = static_cast<short>(HIWORD(range));
  const int low = std::min(lower, upper), high = std::max(lower, upper);
  editor_.ScrollSelector(index, low + Rand(high - low + 1));
  AfterSent();
}

void RandomSession::ClickSelectorArrow() {
  HWND selector = editor_.Selector(Rand(3));
  if (!selector) {
    Fail("a selector is missing");
    return;
  }
  RECT r = {};
  GetClientRect(selector, &r);
  const int x = Chance(50) ? r.right * 3 / 4 : r.right / 4, y = r.bottom / 2;
  SendTo(selector, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
  SendTo(selector, WM_LBUTTONUP, 0, Point(x, y));
  editor_.WaitIdle();
  AfterSent();
}

// ---------------------------------------------------------------------------
// Commands

int RandomSession::Pick(const int* weights, int count) {
  if (forcedChoice_ >= 0 && forcedChoice_ < count) return forcedChoice_;
  int total = 0;
  for (int i = 0; i < count; ++i) total += weights[i];
  int pick = Rand(total);
  int index = 0;
  while (pick >= weights[index]) pick -= weights[index++];
  return index;
}

std::string RandomSession::CurrentFile() const {
  const std::string title = editor_.Title();
  const std::string prefix = "Kraxolan Editor - [";
  if (title.rfind(prefix, 0) != 0 || title.empty() || title.back() != ']') return {};
  std::string name = title.substr(prefix.size(), title.size() - prefix.size() - 1);
  if (name.size() >= 2 && name.compare(name.size() - 2, 2, " *") == 0)
    name.resize(name.size() - 2);
  // A bare name lives in the current folder, which is the test's folder
  // (the file dialogs only ever see paths in it).
  if (name.find('\\') == std::string::npos) name = folder_.File(name);
  return name;
}

bool RandomSession::Modified() const {
  const std::string title = editor_.Title();
  return title.size() >= 3 && title.compare(title.size() - 3, 3, " *]") == 0;
}

void RandomSession::RunCommandId(int id, const std::vector<WORD>& keys, const char* keyName) {
  // Save writes the open file under its own name: that file must be fresh
  // and readable afterwards.
  const std::string file = id == kCmdSave ? CurrentFile() : std::string();
  const FileStamp before = StampOf(file);
  Note(keys.empty() ? "command " + std::to_string(id)
                    : std::string(keyName) + " for command " + std::to_string(id));
  if (keys.empty())
    SendCommand(id);
  else
    KeysAndSettle(keys);
  if (id == kCmdSave && !Stopped()) {
    if (StampOf(file) == before)
      Fail("Save did not write " + file);
    else
      CheckFile(file, "written by Save");
  }
}

void RandomSession::MenuCommand() {
  int weights[std::size(kMenuCommands)];
  for (size_t i = 0; i < std::size(kMenuCommands); ++i) weights[i] = kMenuCommands[i].weight;
  int id = kMenuCommands[Pick(weights, static_cast<int>(std::size(kMenuCommands)))].id;
  if (id == kCmdSelectLevel1) id += Rand(10);
  RunCommandId(id, {}, "");
}

void RandomSession::Accelerator() {
  int weights[std::size(kAccelerators)];
  for (size_t i = 0; i < std::size(kAccelerators); ++i) weights[i] = kAccelerators[i].weight;
  const Accel& accel = kAccelerators[Pick(weights, static_cast<int>(std::size(kAccelerators)))];
  WORD key = accel.key;
  int id = accel.id;
  if (id == kCmdSelectLevel1) {
    const int level = Rand(10);  // Ctrl+1..Ctrl+9, Ctrl+0 for the tenth
    key = static_cast<WORD>(level == 9 ? '0' : '1' + level);
    id += level;
  }
  std::vector<WORD> keys;
  if (accel.modifier) keys.push_back(accel.modifier);
  keys.push_back(key);
  RunCommandId(id, keys, accel.name);
}

void RandomSession::RecentFile() {
  if (recentCount_ == 0) {
    MenuCommand();
    return;
  }
  SendCommand(kRecentFileCommand + Rand(recentCount_));
}

// Exit (or the close box) with unsaved work, the question answered Cancel:
// the editor must ask, and must stay.
void RandomSession::CloseAndCancel() {
  if (!Modified() || !questions_) {
    MenuCommand();
    return;
  }
  cancelClose_ = true;
  closeQuestionSeen_ = false;
  if (Chance(50))
    SendCommand(kCmdExit);
  else
    SendAndSettle(WM_SYSCOMMAND, SC_CLOSE, 0);
  cancelClose_ = false;
  if (Stopped()) return;
  if (!closeQuestionSeen_) Fail("closing with unsaved work asked nothing");
  if (!Modified()) Fail("a cancelled close lost the modified mark");
}

// The back-up timer's tick, as fifteen minutes would bring it: with the
// back-up on, backup.kxl is written into the current folder and loads; with
// it off nothing is written.
void RandomSession::BackupTick() {
  const std::string backup = folder_.File("backup.kxl");
  const FileStamp before = StampOf(backup);
  SendAndSettle(WM_TIMER, 1234, 0);
  if (Stopped()) return;
  const bool written = !(StampOf(backup) == before);
  if (autosave_ && !written) Fail("the back-up tick wrote no backup.kxl");
  if (!autosave_ && written) Fail("the back-up tick wrote backup.kxl with the back-up off");
  if (written) CheckFile(backup, "the back-up");
}

// ---------------------------------------------------------------------------
// Answering what opens

void RandomSession::Handle(HWND window) {
  DialogWindow dialog;
  dialog.window = window;
  dialog.caption = TextOf(window);
  if (HWND message = GetDlgItem(window, 0xFFFF)) dialog.text = TextOf(message);
  Note("  answers \"" + dialog.caption + "\"" + (dialog.text.empty() ? "" : ": " + dialog.text));
  const std::string& c = dialog.caption;
  if (c == "Kraxolan Editor" || c == "Clear level" || c == "Help" || c == "Error")
    AnswerMessageBox(dialog);
  else if (c == "Save leveldata")
    AnswerSaveDialog(dialog);
  else if (c == "Load leveldata")
    AnswerOpenDialog(dialog);
  else if (c == "Level settings")
    DriveLevelSettings(dialog);
  else if (c == "Edit Enemy")
    DriveEnemySettings(dialog);
  else if (c == "Swap levels")
    DriveSwapLevels(dialog);
  else if (c == "Editor settings")
    DriveEditorSettings(dialog);
  else if (c == "About")
    CloseEditingDialog(dialog);
  else {
    Fail("an unexpected window \"" + c + "\": " + dialog.text);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  lastWindowAt_ = GetTickCount();
}

void RandomSession::AnswerMessageBox(const DialogWindow& box) {
  ++report_.messageBoxes;
  const std::string& c = box.caption;
  const std::string& t = box.text;
  std::vector<int> buttons;
  for (int id : {IDYES, IDNO, IDCANCEL, IDOK})
    if (GetDlgItem(box.window, id)) buttons.push_back(id);
  if (buttons.empty()) {
    Fail("a message box without buttons: " + c);
    return;
  }
  int answer = buttons[Rand(static_cast<int>(buttons.size()))];
  if (c == "Kraxolan Editor" && t == "Save Changes?") {
    closeQuestionSeen_ = true;
    if (!questions_) Fail("asked \"Save Changes?\" with questions turned off");
    if (cancelClose_)
      answer = IDCANCEL;
    else if (closing_)
      answer = Chance(50) ? IDYES : IDNO;
    else
      Fail("asked \"Save Changes?\" while nothing closes the window");
  } else if (c == "Kraxolan Editor") {
    if (t != "Save changes?") Fail("an unexpected question: " + t);
    if (!questions_) Fail("asked \"" + t + "\" with questions turned off");
  } else if (c == "Clear level") {
    if (t != "Do you really want to clear this level?") Fail("an unexpected question: " + t);
    if (!questions_) Fail("asked to clear the level with questions turned off");
  } else if (c == "Help") {
    if (t != "Just read kraxed_manual.pdf or kraxed_tutorial.pdf!") Fail("unexpected help: " + t);
  } else if (c == "Error") {
    if (!(expectLoadError_ && t == "Couldn't load file!")) Fail("an error message: " + t);
    expectLoadError_ = false;
  }
  if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end()) {
    Fail("the message box \"" + t + "\" lacks the answer wanted");
    answer = buttons.front();
  }
  Note(std::string("  answer ") + (answer == IDYES ? "Yes" : answer == IDNO ? "No"
                                    : answer == IDCANCEL ? "Cancel" : "OK"));
  editor_.Press(box, answer);
  if (IsOpen(box)) Fail("the message box \"" + t + "\" stays open after its answer");
}

void RandomSession::AnswerSaveDialog(const DialogWindow& dialog) {
  ++report_.fileDialogs;
  const bool checkpoint = !checkpointPath_.empty();
  if (!checkpoint && Chance(25)) {
    Note("  cancelled");
    editor_.Press(dialog, IDCANCEL);
    if (IsOpen(dialog)) Fail("the save dialog stays open after Cancel");
    return;
  }
  const std::string path =
      checkpoint ? checkpointPath_ : folder_.File("soak_" + std::to_string(1 + Rand(6)) + ".kxl");
  const FileStamp before = StampOf(path);
  Note("  save as " + path);
  if (!editor_.ChooseFile(path)) {
    Fail("the save dialog did not take " + path);
    return;
  }
  // The editor writes the file when the dialog has returned.
  if (!WaitUntil([&] { return !(StampOf(path) == before) || Stopped(); }, 15000)) {
    Fail("Save as did not write " + path);
    return;
  }
  if (std::find(files_.begin(), files_.end(), path) == files_.end()) files_.push_back(path);
  Remember(path);
  if (!checkpoint) CheckFile(path, "written by Save as");
}

void RandomSession::AnswerOpenDialog(const DialogWindow& dialog) {
  ++report_.fileDialogs;
  if (Chance(20)) {
    Note("  cancelled");
    editor_.Press(dialog, IDCANCEL);
    if (IsOpen(dialog)) Fail("the open dialog stays open after Cancel");
    return;
  }
  const std::string path =
      Chance(10) ? broken_ : files_[static_cast<size_t>(Rand(static_cast<int>(files_.size())))];
  expectLoadError_ = path == broken_;
  Note("  open " + path);
  if (!editor_.ChooseFile(path)) {
    Fail("the open dialog did not take " + path);
    return;
  }
  if (expectLoadError_) return;
  // The set opened is shown at once, level 1 first.
  if (!WaitUntil([&] { return editor_.Title() == TitleFor(path, false) || Stopped(); }, 10000)) {
    Fail("after opening " + path + " the title reads " + editor_.Title());
    return;
  }
  Remember(path);
  LevelSet levels;
  if (ReadLevelSetFile(path, levels).ok) CompareLevelView(levels, 0, "opened " + path);
}

void RandomSession::Remember(const std::string& path) {
  recentPaths_.insert(path);
  recentCount_ = std::min<int>(4, static_cast<int>(recentPaths_.size()));
}

// A few random steps in an editing dialog, which only its close box closes.
void RandomSession::DriveEditingDialog(const DialogWindow& dialog, int steps,
                                       const std::function<void(int what)>& step) {
  ++report_.dialogs;
  for (int n = 1 + Rand(steps); n > 0 && !Stopped(); --n) {
    step(Rand(10));
    if (!IsOpen(dialog)) {
      Fail("\"" + dialog.caption + "\" closed by itself");
      return;
    }
  }
  CloseEditingDialog(dialog);
}

void RandomSession::DriveLevelSettings(const DialogWindow& dialog) {
  const int combos[] = {IDC_LEVEL_NUMBER, IDC_LEVEL_GOAL, IDC_LEVEL_MUSIC, IDC_LEVEL_TYPE1,
                        IDC_LEVEL_TYPE2, IDC_LEVEL_TYPE3};
  const int codes[] = {TB_LINEUP, TB_LINEDOWN, TB_PAGEUP, TB_PAGEDOWN, TB_TOP, TB_BOTTOM, TB_ENDTRACK};
  DriveEditingDialog(dialog, 6, [&](int what) {
    if (what < 5) {
      const int id = combos[Rand(6)];
      const int count = ComboCount(dialog, id);
      if (count > 0) PickComboEntry(dialog, id, Rand(count));
    } else if (what < 7) {
      TrackBarNotify(dialog, IDC_LEVEL_TIME, codes[Rand(7)]);
    } else if (what < 9) {
      const int low = static_cast<int>(SendTo(Control(dialog, IDC_LEVEL_TIME), TBM_GETRANGEMIN));
      const int high = static_cast<int>(SendTo(Control(dialog, IDC_LEVEL_TIME), TBM_GETRANGEMAX));
      TrackBarDragTo(dialog, IDC_LEVEL_TIME, low + Rand(std::max(1, high - low + 1)));
    } else {
      // Enter and Esc must not close it; the page keys move the time.
      const WORD keys[] = {VK_ESCAPE, VK_RETURN, VK_NEXT, VK_PRIOR, VK_HOME, VK_END};
      FocusControl(dialog, IDC_LEVEL_TIME);
      PressKeysIn(dialog, {keys[Rand(6)]});
    }
  });
}

void RandomSession::DriveEnemySettings(const DialogWindow& dialog) {
  const int combos[] = {IDC_ENEMY_NUMBER, IDC_ENEMY_SPEED, IDC_ENEMY_DIRECTION, IDC_ENEMY_AI};
  DriveEditingDialog(dialog, 6, [&](int what) {
    if (what < 6) {
      const int id = combos[Rand(4)];
      const int count = ComboCount(dialog, id);
      if (count > 0) PickComboEntry(dialog, id, Rand(count));
    } else if (what < 9) {
      ClickUpDownArrow(dialog, IDC_ENEMY_TYPE, Chance(50));
    } else {
      PressKeysIn(dialog, {Chance(50) ? static_cast<WORD>(VK_ESCAPE) : static_cast<WORD>(VK_RETURN)});
    }
  });
}

void RandomSession::DriveSwapLevels(const DialogWindow& dialog) {
  DriveEditingDialog(dialog, 5, [&](int what) {
    if (what < 6)
      PickComboEntry(dialog, Chance(50) ? IDC_SWAP_FIRST : IDC_SWAP_SECOND, Rand(10));
    else if (what < 9)
      SendTo(Control(dialog, IDC_SWAP), BM_CLICK);
    else
      PressKeysIn(dialog, {VK_RETURN});  // the default button swaps
  });
}

void RandomSession::DriveEditorSettings(const DialogWindow& dialog) {
  ++report_.dialogs;
  const int boxes[] = {IDC_SETTINGS_QUESTIONS, IDC_SETTINGS_LOAD, IDC_SETTINGS_DOUBLE_SIZE,
                       IDC_SETTINGS_AUTOSAVE, IDC_SETTINGS_CORRECT_SHADOW};
  for (int id : boxes)
    if (Chance(id == IDC_SETTINGS_DOUBLE_SIZE ? 60 : 35)) SendTo(Control(dialog, id), BM_CLICK);
  // The file type is never registered from a test: no registry writes.
  if (Checked(dialog, IDC_SETTINGS_REGISTER)) {
    Fail("the Register box is checked");
    SendTo(Control(dialog, IDC_SETTINGS_REGISTER), BM_SETCHECK, BST_UNCHECKED);
  }
  const bool questions = Checked(dialog, IDC_SETTINGS_QUESTIONS);
  const bool shadows = Checked(dialog, IDC_SETTINGS_CORRECT_SHADOW);
  const bool autosave = Checked(dialog, IDC_SETTINGS_AUTOSAVE);
  const int zoom = Checked(dialog, IDC_SETTINGS_DOUBLE_SIZE) ? 2 : 1;
  const int way = Rand(10);
  if (way < 6) {
    Note("  OK");
    const int zoomBefore = Zoom();
    editor_.Press(dialog, IDOK);
    if (IsOpen(dialog)) {
      Fail("OK did not close the editor settings");
      return;
    }
    questions_ = questions;
    correctShadow_ = shadows;
    autosave_ = autosave;
    if (zoom != zoomBefore) ++report_.kinds["(zoom switched)"];
    if (!WaitUntil([&] { return Zoom() == zoom; }, 10000)) Fail("the zoom did not follow its box");
    return;
  }
  Note(way < 8 ? "  Cancel" : way < 9 ? "  Esc" : "  close box");
  if (way < 8)
    editor_.Press(dialog, IDCANCEL);
  else if (way < 9)
    PressKeysIn(dialog, {VK_ESCAPE});
  else
    CloseByCloseBox(dialog);
  if (!WaitUntil([&] { return !IsOpen(dialog); }, 10000)) Fail("the editor settings stay open");
}

void RandomSession::CloseEditingDialog(const DialogWindow& dialog) {
  if (dialog.caption == "About") ++report_.dialogs;
  if (!CloseByCloseBox(dialog)) Fail("the close box did not close \"" + dialog.caption + "\"");
}

// ---------------------------------------------------------------------------
// Checks

bool RandomSession::CheckFile(const std::string& path, const std::string& why) {
  LevelSet levels;
  const LevelSetReadResult read = ReadLevelSetFile(path, levels);
  if (!read.ok) {
    Fail(path + " (" + why + ") does not load: " + read.reason);
    return false;
  }
  if (FileBytes(path).size() != 3770) {
    Fail(path + " (" + why + ") is not 3770 bytes long");
    return false;
  }
  ++report_.savesChecked;
  return true;
}

// Save as into the folder; then the title names the file, the file loads,
// and the canvas shows its first level as the core paints it.
void RandomSession::CheckedSave() {
  Settle([] { return true; }, nullptr);
  if (Stopped()) return;
  const std::string path = folder_.File("check_" + std::to_string(++saveNumber_ % 8) + ".kxl");
  checkpointPath_ = path;
  Note("checked save to " + path);
  SendCommand(kCmdSaveAs);
  checkpointPath_.clear();
  if (Stopped()) return;
  if (!WaitUntil([&] { return editor_.Title() == TitleFor(path, false); }, 10000)) {
    Fail("after Save as the title reads " + editor_.Title());
    return;
  }
  if (!CheckFile(path, "the checked save")) return;
  Remember(path);

  // Every level of the file, chosen in the editor, shows what was saved.
  // The editor still holds the levels as it saved them, and a file keeps
  // them exactly but for one thing: an exit placed in an edge column stays
  // a raw 17 in the editor and in the file, while reading the file makes
  // every 17 the exit on pattern 0 (128).
  LevelSet levels;
  if (!ReadLevelSetFile(path, levels).ok) return;
  const std::vector<unsigned char> bytes = FileBytes(path);
  for (size_t level = 0; level < kLevelCount && bytes.size() == kLevelSetBytes; ++level)
    for (int cell = 0; cell < kCellCount; ++cell)
      if (bytes[kLevelBytes * level + 10 + cell] == kCellExit) levels[level].SetCell(cell, kCellExit);
  for (int level = 0; level < kLevelCount && !Stopped(); ++level) {
    if (level > 0) SendCommand(kCmdSelectLevel1 + level);
    CompareLevelView(levels, level, "level " + std::to_string(level + 1) + " of " + path);
  }
}

// The window shows the level as the core paints it after opening or
// saving (teleport pair 1, pattern 0 chosen): the canvas, and in the side
// panel the palette with its selection frame and the player and enemy
// images (not the captions, whose font is the system's). The selectors
// stand on the level and its pattern set.
void RandomSession::CompareLevelView(const LevelSet& levels, int level, const std::string& what) {
  Editor state;
  state.catalogue = catalogue_;
  state.document.Replace(levels, "");
  state.settings.correctShadow = correctShadow_ ? 1 : 0;
  LevelPictureOptions options;
  options.zoom = Zoom();
  options.wholeWindow = true;
  // What the window's class erases its background with, in the editor as here.
  options.windowBackground = RgbFromColorRef(GetSysColor(COLOR_SCROLLBAR));
  const Image expected = RenderLevelPicture(state, level, options);
  const int z = options.zoom;
  struct Box {
    int x, y, w, h;  // normal size, y below the top strip
    const char* part;
  };
  static constexpr Box kBoxes[] = {
      {-8, 1, 256, 208, "the canvas"},  // from grid column 0's half, i.e. x = z
      {259, 1, 256, 16, "the walkable patterns"},
      {259, 19, 192, 16, "the items"},
      {259, 37, 16, 16, "the exit"},
      {291, 37, 16, 16, "the gem"},
      {323, 37, 16, 16, "the destroyable item"},
      {355, 37, 32, 16, "the walls"},
      {259, 55, 256, 64, "the solid patterns"},
      {259, 187, 32, 16, "the teleport tiles"},
      {259, 138, 64, 24, "the player's images"},
      {353, 138, 136, 24, "the enemies' images"},
  };
  const auto firstWrong = [&](const Image& shown) -> const Box* {
    for (const Box& box : kBoxes) {
      const int x = box.x < 0 ? z : box.x * z, y = box.y * z + 16;
      if (!(CropImage(shown, x, y, box.w * z, box.h * z) ==
            CropImage(expected, x, y, box.w * z, box.h * z)))
        return &box;
    }
    return nullptr;
  };
  const Image shown =
      editor_.CaptureClientWhen([&](const Image& client) { return !firstWrong(client); });
  if (const Box* wrong = firstWrong(shown)) {
    const int x = wrong->x < 0 ? z : wrong->x * z, y = wrong->y * z + 16;
    int differing = 0;
    for (int dy = 0; dy < wrong->h * z; ++dy)
      for (int dx = 0; dx < wrong->w * z; ++dx) differing += !(shown.At(x + dx, y + dy) == expected.At(x + dx, y + dy));
    Fail(std::string(wrong->part) + " do not show " + what + " (" + std::to_string(differing) +
         " pixels differ)");
    return;
  }
  const auto position = [this](int index) {
    return static_cast<short>(LOWORD(SendTo(editor_.Selector(index), UDM_GETPOS)));
  };
  if (position(0) != level) Fail("the level selector does not stand on " + what);
  if (position(1) != PatternSetIndexOf(levels[level].GetPatternSet()))
    Fail("the graphics selector does not stand on the pattern set of " + what);
}

void RandomSession::FinalExit() {
  Settle([] { return true; }, nullptr);
  if (Stopped()) return;
  const std::string file = CurrentFile();
  const bool modified = Modified();
  const FileStamp before = StampOf(file);
  closing_ = true;
  closeQuestionSeen_ = false;
  Note("Exit");
  SendMessageCallbackA(editor_.Window(), WM_COMMAND, MAKEWPARAM(kCmdExit, 0), 0, OnAnswered,
                       reinterpret_cast<ULONG_PTR>(&answered));
  const DWORD start = GetTickCount();
  while (editor_.Running() && GetTickCount() - start < 30000 && report_.failures.empty()) {
    PumpOwnMessages();
    if (HWND window = OpenWindow()) Handle(window);
    Sleep(10);
  }
  if (!editor_.WaitForExit(10000)) {
    Fail("Exit did not end the editor");
    return;
  }
  if (editor_.ExitCode() != 0) Fail("the editor ended with exit code " + std::to_string(editor_.ExitCode()));
  if (modified && questions_ && !closeQuestionSeen_) Fail("Exit with unsaved work asked nothing");
  if (!(StampOf(file) == before)) CheckFile(file, "saved on Exit");
  report_.exitedCleanly = report_.failures.empty();
}

// What the editor wrote on its own: the back-up and a Save of an untitled
// set; and its settings, never registering the file type.
void RandomSession::CheckFolder() {
  for (const char* name : {"backup.kxl", "Untitled.kxl"})
    if (FileExists(folder_.File(name))) CheckFile(folder_.File(name), name);
  const std::string ini = FileText(folder_.File("kraxed.ini"));
  if (ini.find("Register = FALSE\r\n") == std::string::npos)
    Fail("kraxed.ini does not keep Register = FALSE: " + ini);
}
