#include "view/area_tool.h"

#include <algorithm>
#include <string>
#include <vector>

#include "doc/edits.h"
#include "level/level_json.h"
#include "view/canvas_tool.h"
#include "view/editor.h"
#include "view/hit_test.h"
#include "view/host.h"
#include "view/title.h"

namespace {

constexpr int kFirstMainCell = kGridColumns + 1;  // row 1, column 1

CellRect Selected(const Editor& editor) {
  const Session::AreaSelection& a = editor.session.areaSelection;
  return CellRectBetween(a.first, a.last);
}

void Changed(Editor& editor, Host& host) {
  UpdateTitle(editor, host);
  Repaint(editor, host, kRepaintAll);
}

std::string LeftOutText(int enemies) {
  return std::to_string(enemies) + (enemies == 1 ? " enemy" : " enemies") +
         " left out: the level has no free enemy record";
}

}  // namespace

std::string AreaSizeText(const CellRect& r) {
  return "Area " + std::to_string(r.width) + " x " + std::to_string(r.height);
}

bool HasSelection(const Editor& editor) { return editor.session.areaSelection.shown; }

CellRect SelectedOrWholeGrid(const Editor& editor) {
  return HasSelection(editor) ? Selected(editor) : kWholeGrid;
}

void ToggleSelectMode(Editor& editor, Host& host) {
  Session& s = editor.session;
  if (s.selectMode) {
    DropArea(editor, host);
    s.selectMode = false;
    host.SetStatusText("");
    return;
  }
  s.selectMode = true;
  host.SetStatusText(kSelectModeText);
}

void SelectWholeGrid(Editor& editor, Host& host) {
  Session& s = editor.session;
  s.selectMode = true;
  s.areaSelection = {true, false, 0, kCellCount - 1};
  host.SetStatusText(AreaSizeText(kWholeGrid));
  Repaint(editor, host, kRepaintCanvas);
}

bool CancelFloating(Editor& editor, Host& host) {
  Session& s = editor.session;
  if (!s.floating.active) return false;
  s.floating = {};
  host.SetStatusText("");
  Repaint(editor, host, kRepaintCanvas);
  return true;
}

void CancelArea(Editor& editor, Host& host) {
  Session& s = editor.session;
  if (CancelFloating(editor, host) || (!s.selectMode && !s.areaSelection.shown)) return;
  DropArea(editor, host);
  s.selectMode = false;
  host.SetStatusText("");
}

void DropArea(Editor& editor, Host& host) {
  CancelFloating(editor, host);
  ForgetSelection(editor, host);
}

void ForgetSelection(Editor& editor, Host& host) {
  Session& s = editor.session;
  if (!s.areaSelection.shown) return;
  FinishSelecting(editor, host);
  s.areaSelection = {};
  Repaint(editor, host, kRepaintCanvas);
}

void BeginSelecting(Editor& editor, Host& host, int cell) {
  EndStroke(editor, host);
  editor.session.areaSelection = {true, true, cell, cell};
  host.CaptureMouse();
  host.SetStatusText(AreaSizeText(Selected(editor)));
  Repaint(editor, host, kRepaintCanvas);
}

void SelectTo(Editor& editor, Host& host, int cell) {
  Session::AreaSelection& a = editor.session.areaSelection;
  if (!a.dragging || cell < 0 || cell == a.last) return;
  a.last = cell;
  host.SetStatusText(AreaSizeText(Selected(editor)));
  Repaint(editor, host, kRepaintCanvas);
}

void FinishSelecting(Editor& editor, Host& host) {
  Session::AreaSelection& a = editor.session.areaSelection;
  if (!a.dragging) return;
  a.dragging = false;  // before the release, which reports the capture lost
  host.ReleaseMouse();
}

namespace {

// The selection onto the clipboard, said in the status bar ("Area 3 x 2
// copied"); false when the clipboard could not be had.
bool PutSelection(Editor& editor, Host& host, const char* done) {
  const LevelArea area = CopyArea(editor.CurrentLevel(), Selected(editor));
  if (!host.PutClipboard(EncodeArea(area), AreaJson(area))) {
    host.SetStatusText(std::string("The clipboard cannot be used now; nothing was ") + done);
    return false;
  }
  host.SetStatusText(AreaSizeText(Selected(editor)) + " " + done);
  return true;
}

}  // namespace

void CopySelection(Editor& editor, Host& host) { PutSelection(editor, host, "copied"); }

void CopyLevelAsText(Editor& editor, Host& host) {
  host.PutClipboard({}, LevelJson(editor.CurrentLevel(), editor.session.currentLevel));
}

void ClearSelection(Editor& editor, Host& host) {
  if (Edits::ClearArea(editor.document, editor.session.currentLevel, Selected(editor)))
    Changed(editor, host);
}

void CutSelection(Editor& editor, Host& host) {
  // Nothing is cleared that could not be kept on the clipboard.
  if (HasSelection(editor) && PutSelection(editor, host, "cut")) ClearSelection(editor, host);
}

bool BeginPasteArea(Editor& editor, Host& host) {
  std::vector<uint8_t> bytes;
  std::string text;
  // Without the clipboard nothing is known of an area on it: no level is
  // pasted in its place.
  if (!host.GetClipboard(bytes, text)) {
    host.SetStatusText("The clipboard cannot be used now; nothing was pasted");
    return true;
  }
  LevelArea area;
  if (!bytes.empty()) {
    if (!DecodeArea(bytes, area)) {
      host.SetStatusText("Paste: the area on the clipboard is damaged");
      return true;
    }
  } else if (SaysItIsAnArea(text)) {
    JsonImportError error;
    if (!ImportAreaJson(text, area, error)) {
      host.SetStatusText("Paste: " + error.place + ": " + error.reason);
      return true;
    }
  } else {
    return false;
  }
  EndStroke(editor, host);
  int x = 0, y = 0;
  int cell = kFirstMainCell;
  if (host.PointerPosition(x, y)) {
    const int nearest = NearestCell(editor.session.regionList, editor.settings.zoom, x, y);
    if (nearest >= 0) cell = nearest;
  }
  editor.session.floating = {true, std::move(area), cell};
  host.SetStatusText(kFloatingText);
  Repaint(editor, host, kRepaintCanvas);
  return true;
}

void FloatTo(Editor& editor, Host& host, int cell) {
  Session::Floating& f = editor.session.floating;
  host.SetStatusText(kFloatingText);
  if (!f.active || cell < 0 || cell == f.cell) return;
  f.cell = cell;
  Repaint(editor, host, kRepaintCanvas);
}

void PlaceFloating(Editor& editor, Host& host, int cell) {
  Session& s = editor.session;
  if (!s.floating.active || !IsIndex(cell, kCellCount)) return;
  s.floating.cell = cell;
  const AreaOutcome outcome =
      Edits::PlaceArea(editor.document, s.currentLevel, s.floating.area, ColumnOf(cell), RowOf(cell));
  if (!outcome.refusal.empty()) {
    host.SetStatusText("Not pasted here: " + outcome.refusal);
    return;
  }
  s.floating = {};
  host.SetStatusText(outcome.enemiesLeftOut > 0 ? LeftOutText(outcome.enemiesLeftOut) : "");
  Changed(editor, host);
}

void FlipSelection(Editor& editor, Host& host, FlipAxis axis) {
  EndStroke(editor, host);
  const AreaOutcome outcome =
      Edits::FlipArea(editor.document, editor.session.currentLevel, SelectedOrWholeGrid(editor), axis);
  if (!outcome.refusal.empty()) {
    host.SetStatusText("Not flipped: " + outcome.refusal);
    return;
  }
  if (outcome.changed) Changed(editor, host);
}

bool FlipWouldAct(const Editor& editor, FlipAxis axis) {
  Level trial = editor.CurrentLevel();
  return !FlipArea(trial, SelectedOrWholeGrid(editor), axis).empty() || !(trial == editor.CurrentLevel());
}

Level FloatingPreview(const Editor& editor) {
  const Session::Floating& f = editor.session.floating;
  Level preview = editor.CurrentLevel();
  if (PlaceArea(preview, f.area, ColumnOf(f.cell), RowOf(f.cell)).placed) return preview;
  for (int row = RowOf(f.cell); row <= RowOf(FloatingLastCell(editor)); ++row)
    for (int column = ColumnOf(f.cell); column <= ColumnOf(FloatingLastCell(editor)); ++column)
      preview.SetCell(row * kGridColumns + column,
                      f.area.cells[(row - RowOf(f.cell)) * f.area.width + column - ColumnOf(f.cell)]);
  return preview;
}

int FloatingLastCell(const Editor& editor) {
  const Session::Floating& f = editor.session.floating;
  const int right = std::min(ColumnOf(f.cell) + f.area.width, kGridColumns) - 1;
  const int bottom = std::min(RowOf(f.cell) + f.area.height, kGridRows) - 1;
  return bottom * kGridColumns + right;
}
