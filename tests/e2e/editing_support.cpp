#include "e2e/editing_support.h"

#include <cstdlib>
#include <sstream>
#include <vector>

#include "level/level_file.h"
#include "png_io.h"

namespace {

constexpr int kStrip = 16;  // the top strip does not scale

POINT At(int x, int y) { return POINT{x, y}; }

// Client y of an unzoomed panel top t (the documented "tz + 16").
int PanelY(int z, int top) { return top * z + kStrip; }

}  // namespace

POINT CellPoint(int z, int row, int column) {
  const int y = z + kStrip + 16 * z * row + 8 * z;
  if (column == 0) return At(z + 4 * z, y);
  if (column == 16) return At(249 * z + 4 * z, y);
  return At(9 * z + 16 * z * (column - 1) + 8 * z, y);
}

POINT GridOffsetPoint(int z, int dx, int dy) { return At(9 * z + dx * z, z + kStrip + dy * z); }

POINT WalkableTile(int z, int pattern) { return At((259 + 16 * pattern + 8) * z, PanelY(z, 1 + 8)); }
POINT ItemTile(int z, int index) { return At((259 + 16 * index + 8) * z, PanelY(z, 19 + 8)); }
POINT ExitTile(int z) { return At((259 + 8) * z, PanelY(z, 37 + 8)); }
POINT GemTile(int z) { return At((291 + 8) * z, PanelY(z, 37 + 8)); }
POINT DestroyableTile(int z) { return At((323 + 8) * z, PanelY(z, 37 + 8)); }
POINT WallTile(int z, int kind) { return At((355 + 16 * kind + 8) * z, PanelY(z, 37 + 8)); }
POINT SolidTile(int z, int row, int column) {
  return At((259 + 16 * column + 8) * z, PanelY(z, 55 + 16 * row + 8));
}
POINT PlayerImage(int z, int image) { return At((259 + 16 * image + 8) * z, PanelY(z, 138 + 12)); }
POINT EnemyImage(int z, int enemy) { return At((353 + 30 * (enemy - 1) + 8) * z, PanelY(z, 138 + 12)); }
POINT TeleportTile(int z, int end) { return At((259 + 16 * end + 8) * z, PanelY(z, 187 + 8)); }

POINT PatternTile(int z, int value) {
  if (value >= 0 && value <= 15) return WalkableTile(z, value);
  if (value >= 18 && value <= 29) return ItemTile(z, value - 18);
  if (value == kCellExit) return ExitTile(z);
  if (value == kCellGem) return GemTile(z);
  if (value == kCellDestroyable) return DestroyableTile(z);
  if (value == kCellWall1) return WallTile(z, 0);
  if (value == kCellWall2) return WallTile(z, 1);
  if (value >= 64 && value <= 127) return SolidTile(z, (value - 64) / 16, value % 16);
  ADD_FAILURE() << "no palette tile holds pattern " << value;
  return At(0, 0);
}

SelectionBox PatternBox(int z, int value) {
  const POINT centre = PatternTile(z, value);
  return {centre.x - 8 * z, centre.y - 8 * z, 16 * z, 16 * z};
}
SelectionBox PlayerBox(int z, int image) { return {(259 + 16 * image) * z, PanelY(z, 138), 16 * z, 24 * z}; }
SelectionBox EnemyBox(int z, int enemy) { return {(323 + 30 * enemy) * z, PanelY(z, 138), 16 * z, 24 * z}; }
SelectionBox TeleportBox(int z, int end) { return {(259 + 16 * end) * z, PanelY(z, 187), 16 * z, 16 * z}; }

EditingSession::EditingSession(const EditorOptions& options) {
  zoom_ = options.doubleSize ? 2 : 1;
  if (options.doubleSize || options.correctShadow)
    PutText(folder_.File("kraxed.ini"),
            std::string("[Kraxolan Editor Settings]\r\nZoom = ") + (options.doubleSize ? "TRUE" : "FALSE") +
                "\r\nAutosave = FALSE\r\nQuestions = TRUE\r\nLoad = FALSE\r\nRegister = FALSE\r\n"
                "CorrectShadow = " + (options.correctShadow ? "TRUE" : "FALSE") + "\r\n\r\n");
  std::string arguments;
  if (options.sampleSet) {
    const std::string sample = folder_.File("sample.kxl");
    if (!ReadLevelSetFile(sample, initial_).ok) ADD_FAILURE() << "cannot read " << sample;
    arguments = "\"" + sample + "\"";
  }
  editor_ = std::make_unique<EditorProcess>(folder_, arguments);
  ready_ = editor_->WaitForWindow();
}

void EditingSession::SelectPattern(int value) {
  const POINT p = PatternTile(zoom_, value);
  editor_->LeftClick(p.x, p.y);
}

void EditingSession::ClickCell(int row, int column) {
  const POINT p = CellPoint(zoom_, row, column);
  editor_->LeftClick(p.x, p.y);
}

void EditingSession::RightClickCell(int row, int column) {
  const POINT p = CellPoint(zoom_, row, column);
  editor_->RightClick(p.x, p.y);
}

bool EditingSession::SaveAs(const std::string& name) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  SaveSnapshot(*editor_, std::string(test ? test->name() : "editor") + "-" + name);
  const std::string path = folder_.File(name);
  editor_->Command(40005);  // Save as
  if (!editor_->ChooseFile(path)) return false;
  const DWORD start = GetTickCount();
  while (!FileExists(path) && GetTickCount() - start < 5000) Sleep(50);
  editor_->WaitIdle();
  return FileExists(path);
}

bool WaitForPostedMessages(const EditorProcess& editor, DWORD timeoutMs) {
  // The marker: the number base of the level selector, which has no buddy
  // window to show numbers in, so the base changes nothing on screen. Posted
  // behind the other messages, it is handled after all of them.
  HWND marker = editor.Selector(0);
  if (!marker) return false;
  constexpr WPARAM kMarkedBase = 16, kUsualBase = 10;
  PostMessageA(marker, UDM_SETBASE, kMarkedBase, 0);
  const DWORD start = GetTickCount();
  bool seen = false;
  do {
    DWORD_PTR base = 0;
    SendMessageTimeoutA(marker, UDM_GETBASE, 0, 0, SMTO_NORMAL, 1000, &base);
    seen = base == kMarkedBase;
    if (!seen) Sleep(10);
  } while (!seen && GetTickCount() - start < timeoutMs);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(marker, UDM_SETBASE, kUsualBase, 0, SMTO_NORMAL, 1000, &ignored);
  return seen && editor.WaitIdle();
}

HeldThread::HeldThread(const EditorProcess& editor) {
  const DWORD id = GetWindowThreadProcessId(editor.Window(), nullptr);
  thread_ = id ? OpenThread(THREAD_SUSPEND_RESUME, FALSE, id) : nullptr;
  held_ = thread_ && SuspendThread(thread_) != static_cast<DWORD>(-1);
}

HeldThread::~HeldThread() {
  if (held_) ResumeThread(thread_);
  if (thread_) CloseHandle(thread_);
}

void SaveSnapshot(const EditorProcess& editor, const std::string& name) {
  const char* folder = std::getenv("KXE2E_SHOTS");
  if (!folder || !*folder) return;
  editor.WaitIdle();
  if (!WritePng(std::string(folder) + "\\" + name + ".png", editor.CaptureClient()))
    ADD_FAILURE() << "cannot write a snapshot into " << folder;
}

namespace {

void DescribeLevel(std::ostringstream& out, int n, const Level& got, const Level& want) {
  int reported = 0;
  auto note = [&](const std::string& what) {
    if (++reported <= 12) out << "\n  level " << n + 1 << ": " << what;
  };
  for (int i = 0; i < kCellCount; ++i) {
    if (got.cells[i] != want.cells[i])
      note("cell " + std::to_string(i) + " is " + std::to_string(got.cells[i]) + ", want " +
           std::to_string(want.cells[i]));
    if (got.floors[i] != want.floors[i])
      note("floor " + std::to_string(i) + " is " + std::to_string(got.floors[i]) + ", want " +
           std::to_string(want.floors[i]));
  }
  for (int a = 0; a < kActorCount; ++a) {
    const ActorRecord& g = got.actors[a];
    const ActorRecord& w = want.actors[a];
    if (!(g == w))
      note("actor " + std::to_string(a) + " is (" + std::to_string(g.x) + "," + std::to_string(g.y) +
           " dir " + std::to_string(g.direction) + " type " + std::to_string(g.typeCode) + " ai " +
           std::to_string(g.aiType) + " speed " + std::to_string(g.speed) + "), want (" +
           std::to_string(w.x) + "," + std::to_string(w.y) + " dir " + std::to_string(w.direction) +
           " type " + std::to_string(w.typeCode) + " ai " + std::to_string(w.aiType) + " speed " +
           std::to_string(w.speed) + ")");
  }
  if (got.goal != want.goal || got.patternSet != want.patternSet || got.music != want.music)
    note("settings differ");
  if (reported > 12) out << "\n  level " << n + 1 << ": ... " << reported - 12 << " more";
}

}  // namespace

::testing::AssertionResult SavedSetIs(const std::string& path, const LevelSet& expected) {
  const std::vector<unsigned char> bytes = FileBytes(path);
  const std::vector<uint8_t> want = EncodeLevelSet(expected);
  if (bytes.size() != want.size())
    return ::testing::AssertionFailure()
           << path << " holds " << bytes.size() << " bytes, want " << want.size();
  if (std::equal(bytes.begin(), bytes.end(), want.begin())) return ::testing::AssertionSuccess();
  LevelSet got;
  std::ostringstream out;
  out << path << " differs from the expected set:";
  if (!DecodeLevelSet(bytes.data(), bytes.size(), got)) return ::testing::AssertionFailure() << out.str();
  for (int n = 0; n < kLevelCount; ++n)
    if (!(got[n] == expected[n])) DescribeLevel(out, n, got[n], expected[n]);
  return ::testing::AssertionFailure() << out.str();
}
