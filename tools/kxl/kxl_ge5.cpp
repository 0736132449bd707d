// kxl ge5: GE5 pictures to PNG and back.
#include <charconv>
#include <cstdio>

#include "ge5_png.h"
#include "gfx/ge5.h"
#include "kxl_commands.h"
#include "base/file_layer.h"
#include "gfx/png_io.h"

namespace {

int Usage() {
  std::fputs(
      "usage: kxl ge5 to-png IN.ge5 OUT.png [--double] [--mask] [--height N] [--across-tiles]\n"
      "       kxl ge5 from-png IN.png OUT.ge5\n"
      "  to-png decodes the top N lines (1 to 212, all 212 when not given) as the\n"
      "  editor does: --double at twice the size, smoothed inside 16 x 16 tiles\n"
      "  unless --across-tiles; --mask white where colour 0 is, black elsewhere.\n"
      "  from-png takes a paletted PNG 256 pixels wide, up to 212 lines high, with\n"
      "  at most 16 palette entries; colours are rounded to the MSX levels.\n",
      stderr);
  return 2;
}

struct ToPngOptions {
  std::string in, out;
  bool doubled = false;
  bool mask = false;
  bool acrossTiles = false;
  int height = kGe5Lines;
};

bool ParseHeight(const std::string& text, int& height) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, height);
  return error == std::errc() && stop == end && height >= 1 && height <= kGe5Lines;
}

bool ParseToPng(const std::vector<std::string>& args, ToPngOptions& options) {
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--double") {
      options.doubled = true;
    } else if (arg == "--mask") {
      options.mask = true;
    } else if (arg == "--across-tiles") {
      options.acrossTiles = true;
    } else if (arg == "--height") {
      if (++i == args.size() || !ParseHeight(args[i], options.height)) {
        std::fputs("kxl ge5: --height takes a number of lines from 1 to 212\n", stderr);
        return false;
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "kxl ge5: unknown option %s\n", arg.c_str());
      return false;
    } else {
      files.push_back(arg);
    }
  }
  if (options.acrossTiles && !options.doubled) {
    std::fputs("kxl ge5: --across-tiles only applies with --double\n", stderr);
    return false;
  }
  if (files.size() != 2) return false;
  options.in = files[0];
  options.out = files[1];
  return true;
}

int ToPng(const std::vector<std::string>& args) {
  ToPngOptions options;
  if (!ParseToPng(args, options)) return Usage();
  std::string reason;
  const Image image =
      options.doubled
          ? LoadGe5Double(options.in, options.mask, options.height, options.acrossTiles, &reason)
          : LoadGe5(options.in, options.mask, options.height, &reason);
  if (image.Empty()) return FileError(options.in, reason);
  if (!WritePng(options.out, image)) return FileError(options.out, "cannot be written");
  return 0;
}

int FromPng(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage();
  Ge5Picture picture;
  std::string reason;
  if (!ReadGe5PictureFromPng(args[0], picture, &reason)) return FileError(args[0], reason);
  if (!WriteFileSafely(SystemFileLayer(), args[1], {EncodeGe5(picture)}, &reason))
    return FileError(args[1], reason);
  return 0;
}

}  // namespace

int RunGe5(const std::vector<std::string>& args) {
  if (args.empty()) return Usage();
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "to-png") return ToPng(rest);
  if (args[0] == "from-png") return FromPng(rest);
  return Usage();
}
