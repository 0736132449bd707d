// Unsaved work kept on disk while the editor runs, so that a crash of the
// program, of Wine or of the machine loses nothing: after every change the
// ten levels go to this editor's recovery file in a folder of the user's,
// and the file goes away as soon as nothing is left to recover. At start-up
// the files of editors that no longer run are offered back.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/file_layer.h"
#include "level/level.h"

class Document;
class Host;
struct EditorState;

constexpr const char* kRecoveryExtension = ".kxr";

// What a recovery file holds: the set's file name, whether the set was ever
// on disk under it, and the ten levels in the 3770-byte form.
struct RecoveredSet {
  std::string fileName;
  bool everSaved = false;
  LevelSet levels;
};

// "kraxed recovery 1", the name and the flag, each on a line of its own,
// then the 3770 bytes.
std::vector<uint8_t> EncodeRecovery(const RecoveredSet& set);
// False for anything else: a damaged or cut-off file is never offered.
bool DecodeRecovery(const std::vector<uint8_t>& bytes, RecoveredSet& set);

class RecoveryKeeper {
 public:
  // `path`: this editor's recovery file; empty keeps nothing.
  RecoveryKeeper(FileLayer& files, std::string path) : files_(files), path_(std::move(path)) {}

  // After every message: while the set is modified and no step is open,
  // writes the levels when they changed since the last write; once the set
  // is unmodified (saved, undone to its saved state, replaced), removes the
  // file. The first failure to write is said once in the status bar. True
  // when the file holds the work as it is (or nothing is left to keep).
  bool Follow(const Document& document, bool everSaved, Host& host);
  // A normal exit: nothing is left to recover.
  void Discard();
  const std::string& Path() const { return path_; }

 private:
  FileLayer& files_;
  std::string path_;
  bool written_ = false;
  uint64_t writtenChanges_ = 0;
  bool warned_ = false;
};

// A recovery file left by an editor that no longer runs.
struct RecoveryOffer {
  std::string path;
  FileStamp stamp;
  RecoveredSet set;
};

// The newest recovery file in the folder whose editor no longer runs (never
// `own`, never one whose owner `running` says still runs); false when there
// is none. Damaged files of editors gone are removed on the way.
bool FindRecovery(FileLayer& files, const std::string& folder, const std::string& own,
                  const std::function<bool(const std::string& path)>& running, RecoveryOffer& offer);

// The local date and time of a stamp, "2026-12-08 06:30".
std::string StampTimeText(long long writeTime);

// Asks about the offer ("Unsaved changes to ... were found. Recover them?"),
// whatever the question setting says: Yes opens the levels under their name,
// modified, with a fresh history, and keeps them in this editor's own file;
// then, whatever the answer, the offered file goes.
void OfferRecovery(EditorState& state, Host& host, RecoveryKeeper& keeper, const RecoveryOffer& offer);
