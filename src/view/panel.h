// The side panel: what hovering over it tells, and what a click on it selects.
#pragma once

#include <cstdint>
#include <string>

class Host;
struct Editor;
struct RegionHit;

// The status text for the pointer over a panel region; false when the
// region is not part of the panel.
bool PanelHoverText(const RegionHit& hit, Host& host, std::string& text);
// Whether a drag with the left button keeps selecting over this region.
bool PanelDragSelects(int32_t id);

// A left click on a side-panel region at client (x, y): sets the selection.
// Returns 1.
int OnPanelClick(Editor& editor, Host& host, int32_t id, int x, int y);
