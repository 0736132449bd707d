#include "view/keyboard.h"

#include <iterator>

#include "view/area_tool.h"
#include "view/canvas_tool.h"
#include "view/editor.h"
#include "view/host.h"
#include "view/title.h"

namespace {

// Palette rows that step by one and wrap at their ends: walkable patterns,
// items, and the four rows of solid patterns.
struct PaletteRow {
  int32_t first, last;
};
constexpr PaletteRow kSteppedRows[] = {{0, 15}, {18, 29}, {64, 79}, {80, 95}, {96, 111}, {112, 127}};

// The third row has gaps (exit, gem, destroyable item, the two walls): a ring of its own.
constexpr int32_t kSpecialRing[] = {kCellExit, kCellGem, kCellDestroyable, kCellWall1, kCellWall2};

// Up and down between the rows, as the tiles line up in the palette.
struct VerticalMove {
  int32_t lowest, highest;
  int32_t to;
  bool relative;  // true: the result is S + to
};

constexpr VerticalMove kDownMoves[] = {
    {0, 11, 18, true},    {12, 15, 29, false},  {18, 19, 17, false}, {20, 21, 31, false},
    {22, 23, 52, false},  {24, 24, 32, false},  {25, 29, 42, false}, {17, 17, 64, false},
    {31, 31, 66, false},  {52, 52, 68, false},  {32, 32, 70, false}, {42, 42, 71, false},
    {64, 111, 16, true},
};

constexpr VerticalMove kUpMoves[] = {
    {18, 29, -18, true},  {17, 17, 18, false},  {31, 31, 20, false}, {52, 52, 22, false},
    {32, 32, 24, false},  {42, 42, 25, false},  {64, 65, 17, false}, {66, 67, 31, false},
    {68, 69, 52, false},  {70, 70, 32, false},  {71, 79, 42, false}, {80, 127, -16, true},
};

// The player's four images and the five enemies form one ring.
struct ActorEntry {
  int32_t category, value;
};
constexpr ActorEntry kActorRing[] = {
    {kSelectPlayer, 0}, {kSelectPlayer, 1}, {kSelectPlayer, 2}, {kSelectPlayer, 3},
    {kSelectEnemy, 1},  {kSelectEnemy, 2},  {kSelectEnemy, 3},  {kSelectEnemy, 4},
    {kSelectEnemy, 5},
};

int Wrap(int i, int n) { return (i % n + n) % n; }

int32_t StepPattern(int32_t s, int step) {
  for (const PaletteRow& row : kSteppedRows)
    if (s >= row.first && s <= row.last)
      return row.first + Wrap(s - row.first + step, row.last - row.first + 1);
  const int n = static_cast<int>(std::size(kSpecialRing));
  for (int i = 0; i < n; ++i)
    if (kSpecialRing[i] == s) return kSpecialRing[Wrap(i + step, n)];
  return s;
}

void StepActor(Session& state, int step) {
  const int n = static_cast<int>(std::size(kActorRing));
  for (int i = 0; i < n; ++i) {
    const ActorEntry& e = kActorRing[i];
    if (e.category != state.selectionCategory || e.value != state.selectionValue) continue;
    const ActorEntry& next = kActorRing[Wrap(i + step, n)];
    state.selectionCategory = next.category;
    state.selectionValue = next.value;
    return;
  }
}

// Left (step -1) or Right (step +1).
void MoveAcross(Session& state, int step) {
  switch (state.selectionCategory) {
    case kSelectPattern: state.selectionValue = StepPattern(state.selectionValue, step); break;
    case kSelectPlayer:
    case kSelectEnemy: StepActor(state, step); break;
    case kSelectTeleport:  // start and end, no wrap
      if (state.selectionValue == 0 && step > 0)
        state.selectionValue = 1;
      else if (state.selectionValue == 1 && step < 0)
        state.selectionValue = 0;
      break;
    default: break;
  }
}

template <size_t N>
void MoveVertically(Session& state, const VerticalMove (&moves)[N]) {
  if (state.selectionCategory != kSelectPattern) return;
  const int32_t s = state.selectionValue;
  for (const VerticalMove& m : moves) {
    if (s < m.lowest || s > m.highest) continue;
    state.selectionValue = m.relative ? s + m.to : m.to;
    return;
  }
}

int DeleteSelectedEnemy(Editor& editor, Host& host) {
  const Session& s = editor.session;
  if (s.selectionCategory != kSelectEnemy || !InRange(s.selectionValue, 1, kEnemyCount)) return 1;
  if (!editor.CurrentLevel().GetActor(s.selectionValue).IsPlaced()) return 1;
  EndStroke(editor, host);  // a step of its own, not part of a drag
  Edits::RemoveEnemy(editor.document, s.currentLevel, s.selectionValue);
  Repaint(editor, host, kRepaintAll);
  UpdateTitle(editor, host);
  return 1;
}

}  // namespace

int OnKeyUp(Editor& editor, Host& host, uint32_t key, uint32_t /*lParam*/) {
  Session& s = editor.session;
  switch (key) {
    case kKeyRight: MoveAcross(s, +1); break;
    case kKeyLeft: MoveAcross(s, -1); break;
    case kKeyDown: MoveVertically(s, kDownMoves); break;
    case kKeyUp: MoveVertically(s, kUpMoves); break;
    case kKeyDelete:
      // A selected area is cleared; only without one does Delete take the
      // selected enemy off the level.
      if (!HasSelection(editor)) return DeleteSelectedEnemy(editor, host);
      EndStroke(editor, host);
      ClearSelection(editor, host);
      return 1;
    case kKeyEscape:
      if (s.rectangle.active) EndStroke(editor, host);
      else CancelArea(editor, host);
      return 0;
    default: return 0;
  }
  // The paint frames the selected palette entry, moved or not.
  Repaint(editor, host, kRepaintPanel);
  return 0;
}
