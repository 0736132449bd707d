// Reading resources.ini and decoding the pictures it names.
#include <string_view>

#include "gfx/ge5.h"
#include "gfx/resource_catalogue.h"
#include "base/text_file.h"

namespace {

using Report = std::function<void(const std::string& path)>;

enum class Section { Enemies, Levels, Songs, AiTypes };

struct Header {
  std::string_view text;
  Section section;
};

// Whole lines, exact letter case: "[level resources]" is an entry.
constexpr Header kHeaders[] = {
    {"[Enemy Resources]", Section::Enemies},
    {"[Level Resources]", Section::Levels},
    {"[Song Names]", Section::Songs},
    {"[AI Types]", Section::AiTypes},
};

constexpr int kSpriteHeight = 24;
constexpr int kPatternHeight = 128;
constexpr std::string_view kNoName = "No name";

// The text of a line as the catalogue takes it: at most 99 characters, and
// nothing from a zero byte on (the names end up in C strings of the window
// system, and a path cut short at a zero byte would name another file).
std::string EntryText(const std::string& line) {
  std::string text = line.substr(0, line.find('\0'));
  if (text.size() > kMaxIniLine) text.resize(kMaxIniLine);
  return text;
}

// The bytes of a GE5 file when they can be decoded, or nullptr after
// telling reportUnreadable once for each of the `pictures` made from it.
std::shared_ptr<const std::vector<uint8_t>> ReadPictureFile(const std::string& path, int pictures,
                                                            const Report& report) {
  auto bytes = std::make_shared<std::vector<uint8_t>>();
  if (ReadGe5File(path, *bytes)) return bytes;
  for (int i = 0; i < pictures && report; ++i) report(path);
  return nullptr;
}

SpriteSet LoadSpriteSet(const std::string& path, const Report& report) {
  SpriteSet set;
  if (const auto file = ReadPictureFile(path, 4, report)) {
    set.colour = {file, {false, false, kSpriteHeight, false}};
    set.mask = {file, {false, true, kSpriteHeight, false}};
    set.colourDouble = {file, {true, false, kSpriteHeight, true}};
    set.maskDouble = {file, {true, true, kSpriteHeight, true}};
  }
  return set;
}

PatternSet LoadPatternSet(const std::string& path, const Report& report) {
  PatternSet set;
  if (const auto file = ReadPictureFile(path, 2, report)) {
    set.normal = {file, {false, false, kPatternHeight, false}};
    set.doubled = {file, {true, false, kPatternHeight, false}};
  }
  return set;
}

class CatalogueReader {
 public:
  CatalogueReader(ResourceCatalogue& catalogue, const std::string& programDirectory,
                  const Report& report)
      : catalogue_(catalogue), directory_(programDirectory), report_(report) {}

  void Line(const std::string& line) {
    const std::string text = EntryText(line);
    if (text.empty()) return;
    for (const Header& header : kHeaders)
      if (text == header.text) {
        section_ = header.section;
        return;
      }
    switch (section_) {
      case Section::Enemies: return Enemy(text);
      case Section::Levels: return Level(text);
      case Section::Songs: return Name(catalogue_.songs, kMaxSongs, text);
      case Section::AiTypes: return Name(catalogue_.aiTypes, kMaxAiTypes, text);
    }
  }

 private:
  void Enemy(const std::string& text) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) return;  // no name, no sprite set
    if (catalogue_.spriteSets.size() >= static_cast<size_t>(kMaxSpriteSets)) return;
    SpriteSet set = LoadSpriteSet(directory_ + "enemygfx\\" + text.substr(0, comma), report_);
    set.name = text.substr(comma + 1, kMaxSpriteSetName);
    catalogue_.spriteSets.push_back(std::move(set));
  }

  void Level(const std::string& text) {
    if (catalogue_.patternSets.size() >= static_cast<size_t>(kMaxPatternSets)) return;
    const size_t comma = text.find(',');
    PatternSet set = LoadPatternSet(directory_ + "levelgfx\\" + text.substr(0, comma), report_);
    set.name = comma == std::string::npos ? std::string(kNoName) : text.substr(comma + 1);
    catalogue_.patternSets.push_back(std::move(set));
  }

  static void Name(std::vector<std::string>& table, int capacity, const std::string& text) {
    if (table.size() < static_cast<size_t>(capacity)) table.push_back(text);
  }

  ResourceCatalogue& catalogue_;
  const std::string& directory_;
  const Report& report_;
  Section section_ = Section::Enemies;  // until the first header
};

void StartCatalogue(ResourceCatalogue& catalogue, const std::string& programDirectory, const Report& report) {
  catalogue = ResourceCatalogue{};
  // The player's set comes first and exists even without resources.ini:
  // sprite-set numbers in level files count it as entry 0.
  catalogue.spriteSets.push_back(LoadSpriteSet(programDirectory + "enemygfx\\player.ge5", report));
}

}  // namespace

void LoadResourceCatalogueFromText(ResourceCatalogue& catalogue, const std::string& iniText,
                                   const std::string& programDirectory, const Report& reportUnreadable) {
  StartCatalogue(catalogue, programDirectory, reportUnreadable);
  CatalogueReader reader(catalogue, programDirectory, reportUnreadable);
  for (const std::string& line : SplitLines(iniText)) reader.Line(line);
}

void LoadResourceCatalogue(ResourceCatalogue& catalogue, const std::string& programDirectory,
                           const Report& reportUnreadable) {
  std::string text;
  if (!ReadTextFile(programDirectory + "resources.ini", text)) text.clear();
  LoadResourceCatalogueFromText(catalogue, text, programDirectory, reportUnreadable);
}
