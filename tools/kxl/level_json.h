// The text form of a level set: JSON meant for people and for diffs, with
// every byte of the 3770-byte file in it, so importing an export gives the
// same file again. The layout is described in the README.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ResourceCatalogue;

// The JSON of a 3770-byte level-set file (the bytes as they are); the names
// of pattern sets, songs and enemy sprite sets come from the catalogue when
// one is given.
std::string ExportLevelSetJson(const std::vector<uint8_t>& file, const ResourceCatalogue* catalogue);

struct JsonImportError {
  std::string place;   // "line 3, column 5" or a JSON path such as "/levels/2/cells/4"
  std::string reason;
};

// The 3770 bytes of the level set the JSON describes; false with the place
// and the reason when it is not a level set in this form.
bool ImportLevelSetJson(const std::string& text, std::vector<uint8_t>& file, JsonImportError& error);
