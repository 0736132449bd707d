#include "level/level_area.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Facings: 1 up, 3 right, 5 down, 7 left.
constexpr int32_t kFaceUp = 1, kFaceRight = 3, kFaceDown = 5, kFaceLeft = 7;

int CellIndex(int column, int row) { return row * kGridColumns + column; }

bool IsSingle(int32_t cell) { return IsExit(cell) || IsTeleportEnd(cell); }

// Where a click may put the cell: the exit and the teleport ends only in the
// main grid; no value of 128 or more (an exit, a wall with an item, a
// teleport end) in an edge column.
bool MayLand(int32_t cell, int column, int row) {
  if (IsSingle(cell)) return IsMainGrid(column, row);
  return cell < kCellExitOnFloor || !IsEdgeColumn(column);
}

// The rectangle's part that lies on the grid.
CellRect Clipped(const CellRect& r) {
  const int left = std::max(r.left, 0), top = std::max(r.top, 0);
  const int right = std::min(r.left + r.width, kGridColumns);
  const int bottom = std::min(r.top + r.height, kGridRows);
  if (right <= left || bottom <= top) return {};
  return {left, top, right - left, bottom - top};
}

void Position(ActorRecord& actor, int column, int row) { actor.SetPosition(ActorXAt(column), ActorYAt(row)); }

const char* const kWhereNoClickPuts =
    "an exit, a teleport end or an actor would land on row 0 or in an edge column, or a hidden item in an edge column";

}  // namespace

CellRect CellRectBetween(int a, int b) {
  if (!IsIndex(a, kCellCount) || !IsIndex(b, kCellCount)) return {};
  return {std::min(ColumnOf(a), ColumnOf(b)), std::min(RowOf(a), RowOf(b)),
          std::abs(ColumnOf(a) - ColumnOf(b)) + 1, std::abs(RowOf(a) - RowOf(b)) + 1};
}

LevelArea CopyArea(const Level& level, const CellRect& rect) {
  const CellRect r = Clipped(rect);
  LevelArea area;
  area.width = r.width;
  area.height = r.height;
  for (int row = r.top; row < r.top + r.height; ++row)
    for (int column = r.left; column < r.left + r.width; ++column) {
      area.cells.push_back(level.GetCell(CellIndex(column, row)));
      area.floors.push_back(level.GetFloor(CellIndex(column, row)));
    }
  for (int i = 0; i < kActorCount; ++i) {
    const ActorRecord& actor = level.GetActor(i);
    const int cell = ActorCell(actor);
    if (cell < 0 || !r.Contains(ColumnOf(cell), RowOf(cell))) continue;
    area.actors.push_back({i, ColumnOf(cell) - r.left, RowOf(cell) - r.top, actor.direction(),
                           actor.typeCode(), actor.aiType(), actor.speed()});
  }
  return area;
}

void ClearArea(Level& level, const CellRect& rect) {
  const CellRect r = Clipped(rect);
  for (int row = r.top; row < r.top + r.height; ++row)
    for (int column = r.left; column < r.left + r.width; ++column) {
      level.SetCell(CellIndex(column, row), 0);
      level.SetFloor(CellIndex(column, row), 0);
    }
  for (int i = 0; i < kActorCount; ++i) {
    const int cell = ActorCell(level.GetActor(i));
    if (cell >= 0 && r.Contains(ColumnOf(cell), RowOf(cell))) level.SetActorPosition(i, 0, 0);
  }
}

PlaceResult PlaceArea(Level& level, const LevelArea& area, int column, int row) {
  PlaceResult result;
  if (area.Empty() || area.cells.size() != static_cast<size_t>(area.width * area.height) ||
      area.floors.size() != area.cells.size())
    return {false, "the area is empty", 0};
  const CellRect target = Clipped({column, row, area.width, area.height});
  const auto onGrid = [&](int c, int r) { return target.Contains(column + c, row + r); };
  for (int r = 0; r < area.height; ++r)
    for (int c = 0; c < area.width; ++c)
      if (onGrid(c, r) && !MayLand(area.cells[r * area.width + c], column + c, row + r))
        return {false, kWhereNoClickPuts, 0};
  for (const AreaActor& actor : area.actors)
    if (onGrid(actor.column, actor.row) && !IsMainGrid(column + actor.column, row + actor.row))
      return {false, kWhereNoClickPuts, 0};

  // The level keeps one exit and one of each teleport end: those the area
  // brings replace the level's own, wherever they stood.
  for (int r = 0; r < area.height; ++r)
    for (int c = 0; c < area.width; ++c) {
      const int32_t value = area.cells[r * area.width + c];
      if (!onGrid(c, r) || !IsSingle(value)) continue;
      for (int i = 0; i < kCellCount; ++i) {
        const int32_t old = level.GetCell(i);
        if (IsExit(value) && IsExit(old)) level.SetCell(i, old & 127);
        if (IsTeleportEnd(value) && old == value) level.SetCell(i, 0);
      }
    }
  for (int r = 0; r < area.height; ++r)
    for (int c = 0; c < area.width; ++c) {
      if (!onGrid(c, r)) continue;
      level.SetCell(CellIndex(column + c, row + r), area.cells[r * area.width + c]);
      level.SetFloor(CellIndex(column + c, row + r), area.floors[r * area.width + c]);
    }

  int nextEnemy = 1;
  for (const AreaActor& actor : area.actors) {
    if (!onGrid(actor.column, actor.row)) continue;
    int record = 0;
    if (actor.record != 0) {
      while (nextEnemy <= kEnemyCount && level.GetActor(nextEnemy).IsPlaced()) ++nextEnemy;
      if (nextEnemy > kEnemyCount) {
        ++result.enemiesLeftOut;
        continue;
      }
      record = nextEnemy++;
    }
    ActorRecord& placed = level.GetActor(record);
    placed.Set(0, 0, actor.direction, actor.typeCode, actor.aiType, actor.speed);
    Position(placed, column + actor.column, row + actor.row);
  }
  result.placed = true;
  return result;
}

std::string FlipArea(Level& level, const CellRect& rect, FlipAxis axis) {
  const CellRect r = Clipped(rect);
  if (r.width == 0) return "";
  const bool horizontal = axis == FlipAxis::Horizontal;
  const auto mirrorColumn = [&](int c) { return horizontal ? 2 * r.left + r.width - 1 - c : c; };
  const auto mirrorRow = [&](int w) { return horizontal ? w : 2 * r.top + r.height - 1 - w; };
  const auto moves = [&](int c, int w) { return mirrorColumn(c) != c || mirrorRow(w) != w; };

  for (int w = r.top; w < r.top + r.height; ++w)
    for (int c = r.left; c < r.left + r.width; ++c)
      if (moves(c, w) && !MayLand(level.GetCell(CellIndex(c, w)), mirrorColumn(c), mirrorRow(w)))
        return kWhereNoClickPuts;
  for (int i = 0; i < kActorCount; ++i) {
    const int cell = ActorCell(level.GetActor(i));
    if (cell < 0 || !r.Contains(ColumnOf(cell), RowOf(cell))) continue;
    if (moves(ColumnOf(cell), RowOf(cell)) &&
        !IsMainGrid(mirrorColumn(ColumnOf(cell)), mirrorRow(RowOf(cell))))
      return kWhereNoClickPuts;
  }

  const LevelArea before = CopyArea(level, r);
  for (int w = 0; w < r.height; ++w)
    for (int c = 0; c < r.width; ++c) {
      const int to = CellIndex(mirrorColumn(r.left + c), mirrorRow(r.top + w));
      level.SetCell(to, before.cells[w * r.width + c]);
      level.SetFloor(to, before.floors[w * r.width + c]);
    }
  for (const AreaActor& actor : before.actors) {
    ActorRecord& moved = level.GetActor(actor.record);
    Position(moved, mirrorColumn(r.left + actor.column), mirrorRow(r.top + actor.row));
    const int32_t d = moved.direction();
    if (horizontal && (d == kFaceLeft || d == kFaceRight)) moved.SetDirection(kFaceLeft + kFaceRight - d);
    if (!horizontal && (d == kFaceUp || d == kFaceDown)) moved.SetDirection(kFaceUp + kFaceDown - d);
  }
  // A vertical flip moves walls: the shadows under them follow, one row
  // below the rectangle included.
  const int lastRow = std::min(r.top + r.height, kGridRows - 1);
  for (int w = r.top; w <= lastRow; ++w)
    for (int c = r.left; c < r.left + r.width; ++c) level.CorrectShadowOf(CellIndex(c, w));
  return "";
}

namespace {

void PutWord(std::vector<uint8_t>& out, int32_t value) {
  const uint32_t u = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(u >> shift));
}

// Reads the words of the form in order; once past the end, every word is
// a failure.
class WordReader {
 public:
  explicit WordReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  bool Next(int32_t& value) {
    if (bytes_.size() - at_ < 4) return false;
    uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = u << 8 | bytes_[at_ + static_cast<size_t>(i)];
    at_ += 4;
    value = static_cast<int32_t>(u);
    return true;
  }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t at_ = 0;
};

}  // namespace

std::vector<uint8_t> EncodeArea(const LevelArea& area) {
  std::vector<uint8_t> out;
  PutWord(out, area.width);
  PutWord(out, area.height);
  for (int32_t v : area.cells) PutWord(out, v);
  for (int32_t v : area.floors) PutWord(out, v);
  PutWord(out, static_cast<int32_t>(area.actors.size()));
  for (const AreaActor& a : area.actors)
    for (int32_t v : {a.record, a.column, a.row, a.direction, a.typeCode, a.aiType, a.speed}) PutWord(out, v);
  return out;
}

bool DecodeArea(const std::vector<uint8_t>& bytes, LevelArea& area) {
  WordReader in(bytes);
  LevelArea read;
  int32_t count = 0;
  if (!in.Next(read.width) || !in.Next(read.height) || !InRange(read.width, 1, kGridColumns) ||
      !InRange(read.height, 1, kGridRows))
    return false;
  // Only what a level file can keep: cells and actors' fields are bytes,
  // floors half bytes.
  read.cells.resize(static_cast<size_t>(read.width * read.height));
  read.floors.resize(read.cells.size());
  for (int32_t& v : read.cells)
    if (!in.Next(v) || !InRange(v, 0, 255)) return false;
  for (int32_t& v : read.floors)
    if (!in.Next(v) || !InRange(v, 0, 15)) return false;
  if (!in.Next(count) || !InRange(count, 0, kActorCount)) return false;
  for (int i = 0; i < count; ++i) {
    AreaActor a;
    for (int32_t* v : {&a.record, &a.column, &a.row, &a.direction, &a.typeCode, &a.aiType, &a.speed})
      if (!in.Next(*v) || !InRange(*v, 0, 255)) return false;
    if (!InRange(a.record, 0, kEnemyCount) || !IsIndex(a.column, read.width) || !IsIndex(a.row, read.height))
      return false;
    read.actors.push_back(a);
  }
  if (!in.AtEnd()) return false;
  area = std::move(read);
  return true;
}
