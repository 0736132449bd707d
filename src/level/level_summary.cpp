#include "level/level_summary.h"

#include <sstream>
#include <string>

namespace {

bool IsItem(int32_t v) { return v >= kCellFirstItem && v <= kCellLastItem; }

std::string YesNo(bool value) { return value ? "yes" : "no"; }

std::string TimeText(const Level& level) {
  std::string text = level.TimeText();
  for (char& c : text)
    if (c < 32 || c >= 127) c = '?';
  return text;
}

}  // namespace

std::string DescribeLevel(const Level& level) {
  int gems = 0, hiddenGems = 0, items = 0, hiddenItems = 0;
  bool start[kTeleportPairs] = {}, end[kTeleportPairs] = {};
  for (int32_t v : level.Cells()) {
    if (v == kCellGem) ++gems;
    if (IsItem(v)) ++items;
    const int32_t hidden = HiddenItem(v);
    if (hidden == kCellGem) ++hiddenGems;
    if (IsItem(hidden)) ++hiddenItems;
    if (IsTeleportEnd(v)) {
      const int pair = (v - kCellTeleportFirst) / 2;
      ((v - kCellTeleportFirst) % 2 == 0 ? start : end)[pair] = true;
    }
  }
  // Streamed rather than joined with +: GCC 12 at -O3 warns falsely
  // (-Wrestrict) about std::string concatenation here.
  std::ostringstream completeText, oneEndText;
  for (int n = 0; n < kTeleportPairs; ++n) {
    if (start[n] && end[n]) completeText << ' ' << n + 1;
    if (start[n] != end[n]) oneEndText << ' ' << n + 1 << (start[n] ? "(start)" : "(end)");
  }
  const std::string complete = completeText.str(), oneEnd = oneEndText.str();
  std::ostringstream out;
  const char* goal = GoalName(level.GetGoal());
  out << "goal ";
  if (goal) out << goal; else out << '?' << level.GetGoal();
  out << ", pattern set " << level.GetPatternSet() << ", song " << level.GetMusic() << ", time "
      << TimeText(level) << ", enemy types " << level.GetEnemyType(0) << ' '
      << level.GetEnemyType(1) << ' ' << level.GetEnemyType(2) << ", exit "
      << YesNo(level.FindExit() >= 0) << ", player " << YesNo(level.GetActor(0).IsPlaced())
      << ", teleports complete" << (complete.empty() ? " none" : complete) << ", one end only"
      << (oneEnd.empty() ? " none" : oneEnd) << ", gems " << gems << " (+" << hiddenGems
      << " hidden), items " << items << ", hidden items " << hiddenItems;
  return out.str();
}
