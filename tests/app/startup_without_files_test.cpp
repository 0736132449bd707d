// The core's part of start-up and shutdown when the program folder lacks
// its files or cannot read them: kraxed.ini, resources.ini and the graphics
// missing, replaced by folders, or without read permission. The editor
// starts all the same, with the default settings and a catalogue holding
// only the player's (empty) set, paints, and writes its settings on exit
// where it can.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/commands.h"
#include "app/editor_state.h"
#include "app/level_set_io.h"
#include "app/settings_file.h"
#include "gfx/ge5.h"
#include "gfx/sheet_lookup.h"
#include "support/fake_host.h"
#include "support/recording_painter.h"
#include "support/temp_dir.h"
#include "view/layout.h"
#include "view/paint.h"

namespace {

namespace fs = std::filesystem;

const EditorSettings kDefaults{1, 0, 1, 0, 0, 0};

struct Started {
  EditorState state;
  FakeHost host;
  std::vector<std::string> unreadable;  // pictures reported
  RecordingPainter painter;
};

// Start-up as WinMain runs it, without the windows: settings, catalogue,
// layout, the first level set, the reset, the first paint.
void Start(Started& run, const std::string& programDirectory) {
  EditorState& state = run.state;
  state.programDirectory = programDirectory;
  state.currentFileName = kNoFileMarker;
  ReadSettings(state, run.host);
  LoadResourceCatalogue(state.catalogue, state.programDirectory,
                        [&run](const std::string& path) { run.unreadable.push_back(path); });
  LayoutRegions(state.regionList, state.settings.zoom);
  if (state.currentFileName == kNoFileMarker) state.currentFileName = kUntitledName;
  ResetEditorState(state, run.host);
  EXPECT_EQ(PaintMainWindow(state, run.painter), 1);
}

// What every such start gives: defaults, the player's set alone (its four
// pictures reported), an untitled set, and a paint that drew nothing from a
// sheet that is not there.
void ExpectBareStart(const Started& run, const std::string& programDirectory) {
  EXPECT_EQ(run.state.settings, kDefaults);
  EXPECT_EQ(run.state.recent.recentFileCount, 0);
  EXPECT_TRUE(run.host.messages.empty());
  ASSERT_EQ(run.state.catalogue.spriteSets.size(), 1u);
  EXPECT_TRUE(run.state.catalogue.spriteSets[0].colour.Empty());
  EXPECT_TRUE(run.state.catalogue.patternSets.empty());
  EXPECT_TRUE(run.state.catalogue.songs.empty());
  EXPECT_TRUE(run.state.catalogue.aiTypes.empty());
  EXPECT_EQ(run.unreadable,
            std::vector<std::string>(4, programDirectory + "enemygfx\\player.ge5"));
  EXPECT_EQ(run.state.currentFileName, kUntitledName);
  EXPECT_EQ(run.host.LastTitle(), "Kraxolan Editor - [Untitled.kxl]");
  EXPECT_FALSE(run.painter.calls.empty());
  for (const PaintCall& call : run.painter.Of(PaintCall::Kind::Blit))
    EXPECT_NE(FindSheet(run.state.catalogue, call.sheet), nullptr);
}

std::string ProgramDirectory(const TempDir& dir) { return (dir.Root() / "").make_preferred().string(); }

bool Readable(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  char byte;
  return in.is_open() && static_cast<bool>(in.read(&byte, 1));
}

}  // namespace

TEST(StartupWithoutFiles, NothingInTheProgramFolder) {
  TempDir dir;
  Started run;
  Start(run, ProgramDirectory(dir));
  ExpectBareStart(run, ProgramDirectory(dir));
  EXPECT_TRUE(dir.List().empty());  // the settings wait for the exit
  WriteSettings(run.state);
  EXPECT_EQ(ReadText(dir.Path(kSettingsFileName)), FormatSettings(kDefaults, RecentFileList()));
}

TEST(StartupWithoutFiles, FoldersInPlaceOfTheFiles) {
  TempDir dir;
  fs::create_directories(dir.Root() / "enemygfx" / "player.ge5");
  fs::create_directories(dir.Root() / "resources.ini");
  fs::create_directories(dir.Root() / kSettingsFileName);
  Started run;
  Start(run, ProgramDirectory(dir));
  ExpectBareStart(run, ProgramDirectory(dir));
  // The settings cannot be written over a folder: nothing said, nothing left.
  WriteSettings(run.state);
  EXPECT_TRUE(fs::is_directory(dir.Root() / kSettingsFileName));
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"enemygfx", "kraxed.ini", "resources.ini"}));
}

TEST(StartupWithoutFiles, FilesWithoutReadPermission) {
  TempDir dir;
  fs::create_directories(dir.Root() / "enemygfx");
  const fs::path ini = dir.Root() / kSettingsFileName;
  const fs::path resources = dir.Root() / "resources.ini";
  const fs::path player = dir.Root() / "enemygfx" / "player.ge5";
  WriteText(ini.string(), "Zoom = TRUE\r\nAutosave = TRUE\r\n");
  WriteText(resources.string(), "[Song Names]\r\nFirst\r\n");
  Ge5Picture picture;
  picture.lines = 24;
  WriteBytes(player.string(), EncodeGe5(picture));
  struct Restore {
    std::vector<fs::path> files;
    ~Restore() {
      std::error_code ignored;
      for (const fs::path& file : files)
        fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ignored);
    }
  } restore{{ini, resources, player}};
  for (const fs::path& file : {ini, resources, player})
    fs::permissions(file, fs::perms::all, fs::perm_options::remove);
  if (Readable(ini) || Readable(resources) || Readable(player))
    GTEST_SKIP() << "this user reads files without read permission (root, or a platform "
                    "without read permissions)";
  Started run;
  Start(run, ProgramDirectory(dir));
  ExpectBareStart(run, ProgramDirectory(dir));
}

TEST(StartupWithoutFiles, PicturesTheCatalogueNamesAreMissing) {
  TempDir dir;
  fs::create_directories(dir.Root() / "levelgfx" / "folder.ge5");
  WriteText(dir.Path("resources.ini"),
            "[Level Resources]\r\nmissing.ge5,Lost\r\nfolder.ge5,Folder\r\n"
            "[Enemy Resources]\r\nghost.ge5,Ghost\r\n[Song Names]\r\nSong\r\n");
  Started run;
  Start(run, ProgramDirectory(dir));
  const std::string program = ProgramDirectory(dir);
  std::vector<std::string> expected(4, program + "enemygfx\\player.ge5");
  expected.insert(expected.end(), 2, program + "levelgfx\\missing.ge5");
  expected.insert(expected.end(), 2, program + "levelgfx\\folder.ge5");
  expected.insert(expected.end(), 4, program + "enemygfx\\ghost.ge5");
  EXPECT_EQ(run.unreadable, expected);
  // The entries are there, named, with empty pictures; the paint copes.
  ASSERT_EQ(run.state.catalogue.patternSets.size(), 2u);
  EXPECT_EQ(run.state.catalogue.patternSets[1].name, "Folder");
  EXPECT_TRUE(run.state.catalogue.patternSets[0].normal.Empty());
  ASSERT_EQ(run.state.catalogue.spriteSets.size(), 2u);
  EXPECT_EQ(run.state.catalogue.spriteSets[1].name, "Ghost");
  EXPECT_EQ(run.state.catalogue.songs, std::vector<std::string>{"Song"});
  EXPECT_EQ(run.state.settings, kDefaults);
  EXPECT_FALSE(run.painter.calls.empty());
  for (const PaintCall& call : run.painter.Of(PaintCall::Kind::Blit))
    EXPECT_NE(FindSheet(run.state.catalogue, call.sheet), nullptr);
}
