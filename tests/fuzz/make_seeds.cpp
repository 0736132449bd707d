// Writes the seed corpus of every fuzz target, made with the program's own
// encoders: fuzz_seeds OUT_DIR writes OUT_DIR/<target>/<name>. Small on
// purpose: a few typical inputs per target, from which the fuzzer mutates.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "view/editor_settings.h"
#include "app/recent_files.h"
#include "app/settings_file.h"
#include "gfx/ge5.h"
#include "level/level_file.h"
#include "level/level_image.h"
#include "support/paletted_png.h"

namespace {

namespace fs = std::filesystem;

fs::path outDir;

void Write(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes) {
  fs::create_directories(outDir / target);
  std::ofstream out(outDir / target / name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void Write(const std::string& target, const std::string& name, const std::string& text) {
  Write(target, name, std::vector<uint8_t>(text.begin(), text.end()));
}

// A level with something of everything: walls, items, hidden items, the
// exit, a teleport pair, floors under walls, the player and two enemies.
Level BusyLevel(int variant) {
  Level level;
  level.SetGoal(variant % 4);
  level.SetPatternSet(3 + variant % 2);
  level.SetMusic(2);
  std::snprintf(level.GetTime(), kTimeBytes, "%d:%02d", 1 + variant, 15 * variant % 60);
  for (int i = 0; i < kCellCount; ++i) {
    const int column = i % kGridColumns, row = i / kGridColumns;
    if (row == 0 || row == kGridRows - 1 || column == 0 || column == kGridColumns - 1)
      level.SetCell(i, kCellSolidFirst + (i % 8));
    else if (column % 4 == 0)
      level.SetCell(i, kCellWall1);
    else if (column % 5 == 0)
      level.SetCell(i, kCellWall1Item + (row % 12) + 1);
    else
      level.SetCell(i, (i + variant) % 16);
    level.SetFloor(i, (i * 3 + variant) % 16);
  }
  level.SetCell(2 * kGridColumns + 2, kCellExitOnFloor + 1);
  level.SetCell(3 * kGridColumns + 3, kCellGem);
  level.SetCell(4 * kGridColumns + 6, kCellTeleportFirst);
  level.SetCell(8 * kGridColumns + 9, kCellTeleportFirst + 1);
  level.GetActor(0).Set(16, 32, 3, 0, 0, 4);
  level.GetActor(1).Set(48, 64, 7, 24, 6, 8);
  level.GetActor(2).Set(112, 96, 1, 48, 5, 2);
  return level;
}

void LevelSetSeeds() {
  LevelSet defaults;
  Write("level_set", "default.kxl", EncodeLevelSet(defaults));
  LevelSet busy;
  for (int k = 0; k < kLevelCount; ++k) busy[k] = BusyLevel(k);
  const std::vector<uint8_t> current = EncodeLevelSet(busy);
  Write("level_set", "busy.kxl", current);
  // The older form: the same levels without their 110 floor bytes.
  std::vector<uint8_t> old;
  for (int k = 0; k < kLevelCount; ++k) {
    const auto level = current.begin() + static_cast<long>(kLevelBytes * k);
    old.insert(old.end(), level, level + 231);
    old.insert(old.end(), level + 341, level + kLevelBytes);
  }
  Write("level_set", "old-form.kxl", old);
  Write("level_set", "short.kxl", std::vector<uint8_t>(current.begin(), current.begin() + 600));
}

void LevelImageSeeds() {
  std::vector<uint8_t> block(kLevelImageBytes, 0);
  ClearLevelImage(block.data());
  Write("level_image", "empty", block);
  PutLevelImage(block.data(), Level());
  Write("level_image", "default", block);
  PutLevelImage(block.data(), BusyLevel(3));
  Write("level_image", "busy", block);
}

void Ge5Seeds() {
  Ge5Picture picture;
  for (int i = 0; i < 16; ++i) picture.palette[i] = {MsxLevel(i % 8), MsxLevel(i / 2), MsxLevel(7 - i % 8)};
  picture.lines = kGe5Lines;
  picture.indices.resize(static_cast<size_t>(kGe5Width) * kGe5Lines);
  for (size_t i = 0; i < picture.indices.size(); ++i)
    picture.indices[i] = static_cast<uint8_t>((i / 16 + i / (16 * kGe5Width)) % 16);
  const std::vector<uint8_t> file = EncodeGe5(picture);
  // Two bytes of settings first: height (byte 0 times 2 plus bit 0 of byte
  // 1), then mask (bit 1) and smoothing across tiles (bit 2).
  auto seed = [&](const std::string& name, uint8_t half, uint8_t flags) {
    std::vector<uint8_t> bytes = {half, flags};
    bytes.insert(bytes.end(), file.begin(), file.end());
    Write("ge5", name, bytes);
  };
  seed("sprite-colour-double", 12, 4);
  seed("pattern-mask", 64, 2);
  Write("ge5", "short", std::vector<uint8_t>{106, 1, 0xFE, 0, 0, 0x9F, 0x76});
}

void ResourcesSeeds() {
  Write("resources_ini", "typical",
        "[Enemy Resources]\r\nghost.ge5,Ghost\r\nblob.ge5,Blob, the second\r\n"
        "[Level Resources]\r\ncave.ge5,Cave\r\nplain.ge5\r\n"
        "[Song Names]\r\nFirst song\r\nSecond song\r\n"
        "[AI Types]\r\nChaser\r\nWanderer\r\n");
  Write("resources_ini", "odd",
        "before.ge5,Before any header\n\n[level resources]\n[Song Names]\n   \n[Level Resources]\n"
        "x.ge5, leading blank\n[Enemy Resources]\nno comma here\n" + std::string(120, 'L') + "\n");
}

void SettingsSeeds() {
  EditorSettings settings;
  settings.zoom = 2;
  settings.questions = 1;
  RecentFileList recent;
  recent.Add("C:\\Levels\\set2.kxl");
  recent.Add("C:\\Levels\\set1.kxl");
  // The first byte says which remembered files load.
  Write("settings", "written", std::string(1, '\x05') + FormatSettings(settings, recent));
  Write("settings", "odd",
        std::string(1, '\xFF') + "[Kraxolan Editor Settings]\nZoom = true\nAutosave=TRUE\n"
        "Load = TRUE\nLoadFile = a.kxl\nLoadFile = \nLoadFile = b.kxl\nLoadFile = c\nLoadFile = d\n"
        "LoadFile = e\nCorrectShadow = TRUE\r\n\r\n");
}

void CommandLineSeeds() {
  Write("command_line", "quoted-both", "\"C:\\Games\\kraxed.exe\" \"C:\\My Levels\\a.kxl\"");
  Write("command_line", "quoted-program", "\"C:\\Games\\kraxed.exe\" C:\\Levels\\a.kxl");
  Write("command_line", "registered", "C:\\Games\\kraxed.exe \"C:\\My Levels\\a.kxl\"");
  Write("command_line", "bare", "kraxed.exe");
}

void ActiveBorderSeeds() {
  Write("active_border", "typical", "212 208 200");
  Write("active_border", "odd", "  7 x300 ");
}

void PngSeeds() {
  std::vector<Rgb> palette;
  for (int i = 0; i < 16; ++i)
    palette.push_back({static_cast<uint8_t>(i * 16), static_cast<uint8_t>(250 - i * 9),
                       static_cast<uint8_t>(i * 77 % 256)});
  std::vector<uint8_t> indices(256 * 24);
  for (size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<uint8_t>(i / 8 % 16);
  Write("png", "sprite-depth4.png", PalettedPng(256, 24, palette, indices, 4));
  std::vector<uint8_t> three(256 * 6);
  for (size_t i = 0; i < three.size(); ++i) three[i] = static_cast<uint8_t>(i / 32 % 3);
  Write("png", "three-colours.png",
        PalettedPng(256, 6, std::vector<Rgb>(palette.begin(), palette.begin() + 3), three, 8));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: fuzz_seeds OUT_DIR\n", stderr);
    return 2;
  }
  outDir = argv[1];
  LevelSetSeeds();
  LevelImageSeeds();
  Ge5Seeds();
  ResourcesSeeds();
  SettingsSeeds();
  CommandLineSeeds();
  ActiveBorderSeeds();
  PngSeeds();
  return 0;
}
