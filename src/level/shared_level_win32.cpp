#include "level/shared_level_win32.h"

#include <vector>

#include "level/level_image.h"

int SharedLevelBlock::CreateTempLevel() {
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                static_cast<DWORD>(kLevelImageBytes), "KraxoLevel");
  if (!mapping_) return 0;
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  view_ = static_cast<BYTE*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, kLevelImageBytes));
  if (!view_) {
    // Without a view every later Copy and Paste would fail.
    CloseHandle(mapping_);
    mapping_ = nullptr;
    return 0;
  }
  // Another running editor made the block: keep its level for pasting here.
  if (!existed) ClearLevelImage(view_);
  return 1;
}

void SharedLevelBlock::DestroyTempLevel() {
  if (view_) UnmapViewOfFile(view_);
  if (mapping_) CloseHandle(mapping_);
  view_ = nullptr;
  mapping_ = nullptr;
}

void SharedLevelBlock::PutTempLevel(const Level& level) {
  if (view_) PutLevelImage(view_, level);
}

int SharedLevelBlock::HasTempLevel() { return view_ ? LevelImageFlag(view_) : 0; }

Level SharedLevelBlock::GetTempLevel() {
  if (!view_) return Level();
  // Take a private copy first: another process may write the block meanwhile.
  std::vector<uint8_t> copy(view_, view_ + kLevelImageBytes);
  return GetLevelImage(copy.data());
}
