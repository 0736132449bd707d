// What our own resources.ini names, as the art builder needs it: the order
// of the pattern sets and enemy sets (levels refer to them by number), and
// how many songs and AI types there are. The editor reads the same file
// through its resource catalogue; this reading only serves to check that the
// artwork, the catalogue and the sample levels agree.
#pragma once

#include <string>
#include <vector>

#include "source_text.h"

struct ResourceEntry {
  std::string file;  // as written: "garden.ge5"
  std::string name;  // the text after the first comma
};

struct ResourceList {
  std::vector<ResourceEntry> patternSets;  // [Level Resources], index = patternSet - 3
  std::vector<ResourceEntry> enemySets;    // [Enemy Resources], sprite set = index + 1
  std::vector<std::string> songs;
  std::vector<std::string> aiTypes;
};

// Reads the catalogue text. Stricter than the editor, since the file is
// ours: every line ends in CR LF, entries have a comma and a name, lines stay
// within 99 characters and enemy names within 63.
bool ParseResourceList(const std::string& path, const std::string& text, ResourceList& list,
                       SourceError& error);

// The base name of a catalogue file ("garden" for "garden.ge5"), which is
// how the sample levels name their sets.
std::string ResourceBaseName(const ResourceEntry& entry);
