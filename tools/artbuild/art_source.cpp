#include "art_source.h"

#include <utility>

#include "base/text_file.h"

namespace {

// Nested includes deeper than this are taken for a loop.
constexpr int kMaxIncludeDepth = 8;
// Marks a pixel of a tile drawn `over` another: the other tile shows through.
constexpr char kSeeThrough = '_';

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
};

class ArtParser {
 public:
  ArtParser(const ReadTextFn& read, ArtSheet& sheet, SourceError& error)
      : read_(read), sheet_(sheet), error_(error) {
    for (int i = 0; i < 16; ++i) shade_[i] = static_cast<uint8_t>(i);
  }

  bool ParseTopFile(const std::string& path) {
    sheet_ = ArtSheet{};
    if (!ParseFile(path, 0)) return false;
    if (!haveSheet_) return Fail(path, 0, "no 'sheet' line: the file does not say what it draws");
    return true;
  }

 private:
  bool Fail(const std::string& file, int line, std::string message) {
    error_.file = file;
    error_.line = line;
    error_.message = std::move(message);
    return false;
  }

  bool ParseFile(const std::string& path, int depth) {
    std::string text;
    if (!read_(path, text)) return Fail(path, 0, "cannot read the file");
    file_ = path;
    lines_ = SplitLines(text);
    for (next_ = 0; next_ < lines_.size();) {
      const int lineNo = static_cast<int>(next_) + 1;
      const std::string line = TrimRight(lines_[next_++]);
      const std::vector<std::string> words = SplitWords(line);
      if (words.empty() || words[0][0] == '#') continue;
      if (!Directive(words, lineNo, depth)) return false;
    }
    return true;
  }

  bool Directive(const std::vector<std::string>& words, int line, int depth) {
    const std::string& what = words[0];
    if (what == "sheet") return SheetLine(words, line, depth);
    if (!haveSheet_) return Fail(file_, line, "'" + what + "' before the 'sheet' line");
    if (what == "colour") return ColourLine(words, line);
    if (what == "shade") return ShadeLine(words, line);
    if (what == "shadowrows") return ShadowRowsLine(words, line);
    if (what == "include") return IncludeLine(words, line, depth);
    if (what == "tile" || what == "frame") return PictureLine(words, line);
    return Fail(file_, line, "unknown directive '" + what + "'");
  }

  bool SheetLine(const std::vector<std::string>& words, int line, int depth) {
    if (depth > 0 || haveSheet_) return Fail(file_, line, "'sheet' may only open the main file, once");
    if (words.size() != 3 || (words[1] != "pattern" && words[1] != "sprite"))
      return Fail(file_, line, "expected 'sheet pattern NAME' or 'sheet sprite NAME'");
    for (char c : words[2])
      if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-'))
        return Fail(file_, line, "sheet names use a-z, 0-9, '_' and '-' only (they name files)");
    if (words[2].size() > 8)
      return Fail(file_, line, "sheet names have at most 8 characters (they name GE5 files)");
    sheet_.kind = words[1] == "pattern" ? SheetKind::Pattern : SheetKind::Sprite;
    sheet_.name = words[2];
    sheet_.indices.assign(static_cast<size_t>(kArtSheetWidth) * sheet_.Lines(), 0);
    sheet_.drawn.assign(sheet_.kind == SheetKind::Pattern ? kPatternTiles : kSpriteFrames, false);
    haveSheet_ = true;
    return true;
  }

  bool ColourLine(const std::vector<std::string>& words, int line) {
    int index = 0;
    std::array<int, 3> rgb{};
    if (words.size() != 6 || !ParseNumber(words[1], 0, 15, index) || words[2].size() != 1 ||
        !ParseNumber(words[3], 0, 7, rgb[0]) || !ParseNumber(words[4], 0, 7, rgb[1]) ||
        !ParseNumber(words[5], 0, 7, rgb[2]))
      return Fail(file_, line, "expected 'colour INDEX CHAR R G B' with INDEX 0..15 and R G B 0..7");
    const char symbol = words[2][0];
    if (symbol == kSeeThrough)
      return Fail(file_, line, "'_' is kept for see-through pixels and cannot be a colour");
    if (sheet_.colours[index].defined)
      return Fail(file_, line, "colour " + std::to_string(index) + " is defined twice");
    if (Lookup(symbol) >= 0)
      return Fail(file_, line, std::string("character '") + symbol + "' already names a colour");
    sheet_.colours[index] = ArtColour{true, symbol, rgb[0], rgb[1], rgb[2]};
    return true;
  }

  bool ShadeLine(const std::vector<std::string>& words, int line) {
    if (words.size() != 3 || words[1].size() != words[2].size())
      return Fail(file_, line, "expected 'shade FROM TO' with two words of equal length");
    for (size_t i = 0; i < words[1].size(); ++i) {
      const int from = Lookup(words[1][i]);
      const int to = Lookup(words[2][i]);
      if (from < 0 || to < 0)
        return Fail(file_, line, std::string("shade names an undefined colour '") +
                                     (from < 0 ? words[1][i] : words[2][i]) + "'");
      shade_[from] = static_cast<uint8_t>(to);
    }
    return true;
  }

  bool ShadowRowsLine(const std::vector<std::string>& words, int line) {
    if (words.size() != 2 || !ParseNumber(words[1], 1, 15, shadowRows_))
      return Fail(file_, line, "expected 'shadowrows N' with N 1..15");
    return true;
  }

  bool IncludeLine(const std::vector<std::string>& words, int line, int depth) {
    if (words.size() != 2) return Fail(file_, line, "expected 'include FILE'");
    if (depth + 1 >= kMaxIncludeDepth)
      return Fail(file_, line, "includes nested too deeply (an include loop?)");
    // The included file has its own lines and position; ours resume after it.
    const std::string savedFile = file_;
    std::vector<std::string> savedLines = std::move(lines_);
    const size_t savedNext = next_;
    const bool ok = ParseFile(FolderOf(savedFile) + words[1], depth + 1);
    file_ = savedFile;
    lines_ = std::move(savedLines);
    next_ = savedNext;
    return ok;
  }

  // "tile N [WxH] [over B]" with a grid, or "tile N [WxH] = OP M [ARGS]";
  // "frame N" likewise, one frame at a time.
  bool PictureLine(const std::vector<std::string>& words, int line) {
    const bool isTile = words[0] == "tile";
    if (isTile != (sheet_.kind == SheetKind::Pattern))
      return Fail(file_, line, isTile ? "a sprite sheet has frames, not tiles"
                                      : "a pattern sheet has tiles, not frames");
    const int count = isTile ? kPatternTiles : kSpriteFrames;
    int number = 0;
    if (words.size() < 2 || !ParseNumber(words[1], 0, count - 1, number))
      return Fail(file_, line, words[0] + " number must be 0.." + std::to_string(count - 1));
    size_t at = 2;
    int across = 1, down = 1;
    if (at < words.size() && words[at] != "=" && words[at] != "over") {
      if (!isTile || !ParseBlockSize(words[at], across, down))
        return Fail(file_, line, "expected a block size such as '2x2' after the tile number");
      ++at;
    }
    const Rect rect = CellRect(number, across, down);
    if (number % 16 + across > 16 || number / 16 + down > (isTile ? 8 : 1))
      return Fail(file_, line, "the block runs off the sheet");
    if (!ClaimCells(number, across, down, words[0], line)) return false;
    if (at < words.size() && words[at] == "=") return Derived(words, at + 1, rect, line);
    int base = -1;
    if (at < words.size() && words[at] == "over") {
      if (at + 2 != words.size() || !ParseNumber(words[at + 1], 0, count - 1, base))
        return Fail(file_, line, "expected 'over TILE' at the end of the line");
      if (!sheet_.drawn[base]) return Fail(file_, line, "tile " + words[at + 1] + " is not drawn yet");
      at += 2;
    }
    if (at != words.size()) return Fail(file_, line, "unexpected '" + words[at] + "'");
    return Grid(rect, base, words[0] + " " + words[1], line);
  }

  static bool ParseBlockSize(const std::string& word, int& across, int& down) {
    const size_t x = word.find('x');
    return x != std::string::npos && ParseNumber(word.substr(0, x), 1, 16, across) &&
           ParseNumber(word.substr(x + 1), 1, 8, down);
  }

  Rect CellRect(int number, int across, int down) const {
    const int high = sheet_.kind == SheetKind::Pattern ? kArtTile : kSpriteSheetLines;
    return Rect{number % 16 * kArtTile, number / 16 * kArtTile, across * kArtTile, down * high};
  }

  bool ClaimCells(int number, int across, int down, const std::string& what, int line) {
    for (int row = 0; row < down; ++row)
      for (int col = 0; col < across; ++col) {
        const int cell = number + row * 16 + col;
        if (sheet_.drawn[cell])
          return Fail(file_, line, what + " " + std::to_string(cell) + " is drawn twice");
        sheet_.drawn[cell] = true;
      }
    return true;
  }

  // The rows that follow a header, each exactly one pixel per character.
  bool Grid(const Rect& rect, int base, const std::string& what, int headerLine) {
    const Rect baseRect = base >= 0 ? CellRect(base, 1, 1) : Rect{};
    const int cellHeight = sheet_.kind == SheetKind::Pattern ? kArtTile : kSpriteSheetLines;
    for (int row = 0; row < rect.height; ++row) {
      if (next_ >= lines_.size())
        return Fail(file_, headerLine, what + " ends after " + std::to_string(row) + " of " +
                                           std::to_string(rect.height) + " rows");
      const int lineNo = static_cast<int>(next_) + 1;
      const std::string text = TrimRight(lines_[next_++]);
      if (static_cast<int>(text.size()) != rect.width)
        return Fail(file_, lineNo, "row " + std::to_string(row + 1) + " of " + what + " has " +
                                       std::to_string(text.size()) + " pixels, expected " +
                                       std::to_string(rect.width));
      for (int col = 0; col < rect.width; ++col) {
        const char c = text[col];
        int index = Lookup(c);
        if (c == kSeeThrough && base >= 0)
          index = sheet_.At(baseRect.x + col % kArtTile, baseRect.y + row % cellHeight);
        else if (index < 0)
          return Fail(file_, lineNo, std::string("unknown colour '") + c + "' in column " +
                                         std::to_string(col + 1) +
                                         (c == kSeeThrough ? " ('_' needs 'over TILE')" : ""));
        Set(rect.x + col, rect.y + row, static_cast<uint8_t>(index));
      }
    }
    return true;
  }

  bool Derived(const std::vector<std::string>& words, size_t at, const Rect& rect, int line) {
    if (at + 2 > words.size()) return Fail(file_, line, "expected '= OPERATION SOURCE'");
    const std::string& op = words[at];
    const bool isTile = sheet_.kind == SheetKind::Pattern;
    int source = 0;
    if (!ParseNumber(words[at + 1], 0, static_cast<int>(sheet_.drawn.size()) - 1, source))
      return Fail(file_, line, "'" + words[at + 1] + "' is not a " + words[0] + " number");
    const int high = isTile ? kArtTile : kSpriteSheetLines;
    const Rect from = CellRect(source, rect.width / kArtTile, rect.height / high);
    if (source % 16 * kArtTile + from.width > kArtSheetWidth || from.y + from.height > sheet_.Lines())
      return Fail(file_, line, "the source block runs off the sheet");
    for (int y = from.y; y < from.y + from.height; y += high)
      for (int x = from.x; x < from.x + from.width; x += kArtTile) {
        const int cell = y / kArtTile * 16 + x / kArtTile;
        // A source inside the block being drawn was only just claimed.
        const bool inside = x >= rect.x && x < rect.x + rect.width && y >= rect.y &&
                            y < rect.y + rect.height;
        if (!sheet_.drawn[cell] || inside)
          return Fail(file_, line, words[0] + " " + std::to_string(cell) + " is not drawn yet");
      }
    std::array<uint8_t, 16> map{};
    for (int i = 0; i < 16; ++i) map[i] = static_cast<uint8_t>(i);
    const size_t expected = op == "recolour" ? at + 4 : at + 2;
    if (words.size() != expected)
      return Fail(file_, line, op == "recolour" ? "expected '= recolour SOURCE FROM TO'"
                                                : "unexpected words after the source");
    if (op == "recolour" && !RecolourMap(words[at + 2], words[at + 3], map, line)) return false;
    if (op == "shadow" && !isTile) return Fail(file_, line, "only tiles take shadows");
    if (op != "copy" && op != "flipx" && op != "flipy" && op != "shadow" && op != "recolour")
      return Fail(file_, line, "unknown operation '" + op + "' (copy, flipx, flipy, shadow, recolour)");
    if (op == "flipy" && !isTile) return Fail(file_, line, "frames are not flipped upside down");
    std::vector<uint8_t> copy(static_cast<size_t>(rect.width) * rect.height);
    for (int y = 0; y < rect.height; ++y)
      for (int x = 0; x < rect.width; ++x) {
        const int sx = op == "flipx" ? rect.width - 1 - x : x;
        const int sy = op == "flipy" ? rect.height - 1 - y : y;
        uint8_t index = map[sheet_.At(from.x + sx, from.y + sy)];
        if (op == "shadow" && InShadow(x % kArtTile, y % kArtTile)) index = shade_[index];
        copy[static_cast<size_t>(y) * rect.width + x] = index;
      }
    for (int y = 0; y < rect.height; ++y)
      for (int x = 0; x < rect.width; ++x)
        Set(rect.x + x, rect.y + y, copy[static_cast<size_t>(y) * rect.width + x]);
    return true;
  }

  bool RecolourMap(const std::string& from, const std::string& to, std::array<uint8_t, 16>& map,
                   int line) {
    if (from.size() != to.size()) return Fail(file_, line, "recolour FROM and TO differ in length");
    for (size_t i = 0; i < from.size(); ++i) {
      const int a = Lookup(from[i]);
      const int b = Lookup(to[i]);
      if (a < 0 || b < 0)
        return Fail(file_, line, std::string("recolour names an undefined colour '") +
                                     (a < 0 ? from[i] : to[i]) + "'");
      map[a] = static_cast<uint8_t>(b);
    }
    return true;
  }

  // The band under the wall above: full rows, then one dithered row so the
  // edge of the shadow is soft.
  bool InShadow(int x, int y) const {
    return y < shadowRows_ || (y == shadowRows_ && (x + y) % 2 == 0);
  }

  int Lookup(char symbol) const {
    for (int i = 0; i < 16; ++i)
      if (sheet_.colours[i].defined && sheet_.colours[i].symbol == symbol) return i;
    return -1;
  }

  void Set(int x, int y, uint8_t index) {
    sheet_.indices[static_cast<size_t>(y) * kArtSheetWidth + x] = index;
  }

  const ReadTextFn& read_;
  ArtSheet& sheet_;
  SourceError& error_;
  bool haveSheet_ = false;
  std::array<uint8_t, 16> shade_{};
  int shadowRows_ = kDefaultShadowRows;
  std::string file_;
  std::vector<std::string> lines_;
  size_t next_ = 0;
};

}  // namespace

Ge5Picture ArtSheet::Picture() const {
  Ge5Picture picture;
  for (int i = 0; i < 16; ++i)
    picture.palette[i] = Rgb{MsxLevel(colours[i].r), MsxLevel(colours[i].g), MsxLevel(colours[i].b)};
  picture.indices = indices;
  picture.lines = Lines();
  return picture;
}

Image ArtSheet::ToImage() const {
  const Ge5Picture picture = Picture();
  Image image(kArtSheetWidth, Lines());
  for (int y = 0; y < Lines(); ++y)
    for (int x = 0; x < kArtSheetWidth; ++x) {
      const uint8_t index = At(x, y);
      image.At(x, y) = kind == SheetKind::Sprite && index == 0 ? Rgb{} : picture.palette[index];
    }
  return image;
}

bool ParseArtSheet(const std::string& path, const ReadTextFn& read, ArtSheet& sheet,
                   SourceError& error) {
  ArtParser parser(read, sheet, error);
  return parser.ParseTopFile(path);
}

Image ScaleImage(const Image& image, int scale) {
  Image scaled(image.Width() * scale, image.Height() * scale);
  for (int y = 0; y < scaled.Height(); ++y)
    for (int x = 0; x < scaled.Width(); ++x) scaled.At(x, y) = image.At(x / scale, y / scale);
  return scaled;
}
