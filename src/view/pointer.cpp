#include "view/pointer.h"

#include <string>

#include "view/area_tool.h"
#include "view/canvas_tool.h"
#include "view/editor.h"
#include "view/hit_test.h"
#include "view/host.h"
#include "view/inspector.h"
#include "view/layout.h"
#include "view/panel.h"
#include "view/title.h"

namespace {

RegionHit HitAt(const Editor& editor, uint32_t position) {
  const ClientPoint p = UnpackPosition(position);
  return HitRegion(editor.session.regionList, editor.settings.zoom, p.x, p.y);
}

std::string LevelText(int32_t level) { return "Level " + std::to_string(level + 1); }

// Shift and Ctrl on the canvas with a pattern to fill with: true when the
// click started a rectangle or filled an area.
bool Fill(Editor& editor, Host& host, uint32_t keys, const RegionHit& hit, bool right) {
  if (!IsCanvasRegion(hit.id) || !Edits::Fills(editor.session)) return false;
  if (keys & kKeyShift)
    BeginRectangle(editor, host, CellAt(hit), right);
  else if (keys & kKeyControl)
    FloodAt(editor, host, CellAt(hit), right);
  else
    return false;
  return true;
}

// Select mode and a floating paste take the left button on the canvas, which
// never paints then: true when the click was theirs.
bool AreaClick(Editor& editor, Host& host, const RegionHit& hit) {
  if (!IsCanvasRegion(hit.id)) return false;
  Session& s = editor.session;
  if (s.floating.active) {
    PlaceFloating(editor, host, CellAt(hit));
    s.pressTaken = true;
    host.CaptureMouse();
  } else if (s.selectMode)
    BeginSelecting(editor, host, CellAt(hit));
  else
    return false;
  return true;
}

// The pointer over the canvas in select mode or with an area floating: the
// frame follows it; nothing is painted, whatever the buttons.
bool AreaHover(Editor& editor, Host& host, const RegionHit& hit) {
  Session& s = editor.session;
  if (!IsCanvasRegion(hit.id) || (!s.floating.active && !s.selectMode)) return false;
  if (s.floating.active) {
    FloatTo(editor, host, CellAt(hit));
    return true;
  }
  ShowCellInspector(editor, host, CellAt(hit));
  host.SetStatusText(HasSelection(editor) ? AreaSizeText(SelectedOrWholeGrid(editor)) : kSelectModeText);
  return true;
}

}  // namespace

int OnLeftButtonDown(Editor& editor, Host& host, uint32_t keys, uint32_t position) {
  if (editor.session.canvasReady == 0) return 0;
  const RegionHit hit = HitAt(editor, position);
  if (AreaClick(editor, host, hit)) return 1;
  if (Fill(editor, host, keys, hit, false)) return 1;
  BeginStroke(editor, host);
  if (IsCanvasRegion(hit.id)) {
    StrokeAt(editor, host, CellAt(hit));
  } else if (hit.id != 0) {
    const ClientPoint p = UnpackPosition(position);
    OnPanelClick(editor, host, hit.id, p.x, p.y);
  }
  return 1;
}

namespace {

// The release (or the capture lost) after a press that placed an area.
void ReleaseTakenPress(Editor& editor, Host& host) {
  if (!editor.session.pressTaken) return;
  editor.session.pressTaken = false;  // before the release, which reports the capture lost
  host.ReleaseMouse();
}

}  // namespace

int OnLeftButtonUp(Editor& editor, Host& host) {
  ReleaseTakenPress(editor, host);
  FinishSelecting(editor, host);
  const Session::Rectangle& r = editor.session.rectangle;
  if (!r.active) EndStroke(editor, host);
  else if (!r.right) FinishRectangle(editor, host);
  return 0;
}

int OnCaptureLost(Editor& editor, Host& host) {
  ReleaseTakenPress(editor, host);
  FinishSelecting(editor, host);
  EndStroke(editor, host);
  return 0;
}

int OnRightButtonDown(Editor& editor, Host& host, uint32_t keys, uint32_t position) {
  EndStroke(editor, host);
  // A right click drops a floating paste; in select mode it does nothing.
  if (CancelFloating(editor, host) || editor.session.selectMode) return 1;
  const RegionHit hit = HitAt(editor, position);
  if (Fill(editor, host, keys, hit, true)) return 1;
  if (hit.id == kRegionGrid) RightClickAt(editor, host, CellAt(hit));
  return 1;
}

int OnRightButtonUp(Editor& editor, Host& host) {
  if (editor.session.rectangle.active && editor.session.rectangle.right) FinishRectangle(editor, host);
  return 0;
}

int OnCanvasMouseMove(Editor& editor, Host& host, uint32_t keys, uint32_t position) {
  if (editor.session.canvasReady == 0) return 0;
  Session& s = editor.session;
  const ClientPoint p = UnpackPosition(position);
  if (s.rectangle.active) {
    DragRectangleTo(editor, host, NearestCell(s.regionList, editor.settings.zoom, p.x, p.y));
    return 0;
  }
  if (s.areaSelection.dragging) {
    SelectTo(editor, host, NearestCell(s.regionList, editor.settings.zoom, p.x, p.y));
    return 0;
  }
  if (s.pressTaken) return 0;
  for (int32_t& tile : s.inspectorTiles) tile = -1;
  if (AreaHover(editor, host, HitAt(editor, position))) return 0;
  // Only the left button alone drags; with Shift, Ctrl or another button
  // held the pointer just shows what is under it. A drag that came in
  // without a press of its own is a stroke all the same.
  const bool drag = keys == kKeyLeftButton;
  if (!drag) EndStroke(editor, host);
  else if (!s.stroke) BeginStroke(editor, host);
  const RegionHit hit = HitAt(editor, position);
  if (IsCanvasRegion(hit.id)) {
    const int cell = CellAt(hit);
    if (hit.id == kRegionGrid) ShowCellInspector(editor, host, cell);
    host.SetStatusText(LevelText(s.currentLevel));
    if (drag) {
      StrokeAt(editor, host, cell);
      return 1;
    }
    if (hit.id != kRegionGrid) ShowCellInspector(editor, host, cell);
    return 0;
  }
  std::string text;
  if (!PanelHoverText(hit, host, text)) {
    host.SetStatusText("");
    return 0;
  }
  host.SetStatusText(text);
  if (!drag || !PanelDragSelects(hit.id)) return 0;
  return OnPanelClick(editor, host, hit.id, p.x, p.y);
}

int OnCanvasDoubleClick(Editor& editor, Host& host, uint32_t position) {
  const RegionHit hit = HitAt(editor, position);
  // In select mode the second press of a quick pair starts a selection, as
  // any press does.
  if (editor.session.selectMode && AreaClick(editor, host, hit)) return 1;
  if (hit.id >= kRegionEnemy1 && hit.id <= kRegionEnemy5) {
    EndStroke(editor, host);
    OpenDialog(editor, host, DialogKind::EnemySettings, hit.id - kRegionEnemy1 + 1);
  }
  return 1;
}
