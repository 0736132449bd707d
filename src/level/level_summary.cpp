#include "level/level_summary.h"

#include <string>

namespace {

bool IsItem(int32_t v) { return v >= 18 && v <= 29; }

// The item a wall hides, or -1 for any other cell.
int32_t HiddenItem(int32_t v) {
  if (v >= kCellWall1Item && v < kCellWall2Item) return v - 128;
  if (v >= kCellWall2Item && v < kCellTeleportFirst) return v - 144;
  return -1;
}

std::string YesNo(bool value) { return value ? "yes" : "no"; }

std::string TimeText(const Level& level) {
  std::string text;
  for (char c : level.time) {
    if (c == '\0') break;
    text += c >= 32 && c < 127 ? c : '?';
  }
  return text;
}

}  // namespace

std::string DescribeLevel(const Level& level) {
  int gems = 0, hiddenGems = 0, items = 0, hiddenItems = 0;
  bool start[8] = {}, end[8] = {};
  for (int32_t v : level.cells) {
    if (v == kCellGem) ++gems;
    if (IsItem(v)) ++items;
    const int32_t hidden = HiddenItem(v);
    if (hidden == kCellGem) ++hiddenGems;
    if (IsItem(hidden)) ++hiddenItems;
    if (v >= kCellTeleportFirst && v < kCellTeleportFirst + 16) {
      const int pair = (v - kCellTeleportFirst) / 2;
      ((v - kCellTeleportFirst) % 2 == 0 ? start : end)[pair] = true;
    }
  }
  std::string complete, oneEnd;
  for (int n = 0; n < 8; ++n) {
    if (start[n] && end[n]) complete += " " + std::to_string(n + 1);
    if (start[n] != end[n])
      oneEnd += " " + std::to_string(n + 1) + (start[n] ? "(start)" : "(end)");
  }
  const char* goal = GoalName(level.goal);
  return std::string("goal ") + (goal ? goal : "?" + std::to_string(level.goal)) +
         ", pattern set " + std::to_string(level.patternSet) +
         ", song " + std::to_string(level.music) + ", time " + TimeText(level) +
         ", enemy types " + std::to_string(level.enemyTypes[0]) + " " +
         std::to_string(level.enemyTypes[1]) + " " + std::to_string(level.enemyTypes[2]) +
         ", exit " + YesNo(level.FindExit() >= 0) + ", player " +
         YesNo(level.actors[0].IsPlaced()) + ", teleports complete" +
         (complete.empty() ? " none" : complete) + ", one end only" +
         (oneEnd.empty() ? " none" : oneEnd) + ", gems " + std::to_string(gems) +
         " (+" + std::to_string(hiddenGems) + " hidden), items " + std::to_string(items) +
         ", hidden items " + std::to_string(hiddenItems);
}
