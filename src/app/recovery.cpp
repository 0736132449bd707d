#include "app/recovery.h"

#include <ctime>

#include "app/commands.h"
#include "app/level_set_io.h"
#include "app/editor_state.h"
#include "doc/document.h"
#include "level/level_file.h"
#include "view/host.h"

namespace {

constexpr const char* kMagic = "kraxed recovery 1\n";
// The header's name line is a path of the program: at most 255 characters.
constexpr size_t kMaxHeader = 300;

}  // namespace

std::vector<uint8_t> EncodeRecovery(const RecoveredSet& set) {
  const std::string header = kMagic + set.fileName + "\n" + (set.everSaved ? "1" : "0") + "\n";
  std::vector<uint8_t> bytes(header.begin(), header.end());
  const std::vector<uint8_t> levels = EncodeLevelSet(set.levels);
  bytes.insert(bytes.end(), levels.begin(), levels.end());
  return bytes;
}

bool DecodeRecovery(const std::vector<uint8_t>& bytes, RecoveredSet& set) {
  if (bytes.size() <= kLevelSetBytes) return false;
  const std::string header(bytes.begin(), bytes.end() - static_cast<long>(kLevelSetBytes));
  const std::string magic = kMagic;
  if (header.size() > kMaxHeader || header.compare(0, magic.size(), magic) != 0) return false;
  const size_t nameEnd = header.find('\n', magic.size());
  if (nameEnd == std::string::npos || header.size() != nameEnd + 3 || header.back() != '\n') return false;
  const char saved = header[nameEnd + 1];
  if (saved != '0' && saved != '1') return false;
  RecoveredSet read;
  read.fileName = header.substr(magic.size(), nameEnd - magic.size());
  read.everSaved = saved == '1';
  if (read.fileName.empty() ||
      !DecodeLevelSet(bytes.data() + header.size(), kLevelSetBytes, read.levels))
    return false;
  set = std::move(read);
  return true;
}

bool RecoveryKeeper::Follow(const Document& document, bool everSaved, Host& host) {
  if (path_.empty()) return false;
  if (document.StepOpen()) return written_;
  if (!document.Modified()) {
    if (written_) files_.Remove(path_);
    written_ = false;
    return true;
  }
  if (written_ && writtenChanges_ == document.Changes()) return true;
  const RecoveredSet set{document.FileName(), everSaved, document.Levels()};
  if (!WriteFileSafely(files_, path_, {EncodeRecovery(set)})) {
    if (!warned_) host.SetStatusText("Unsaved work cannot be kept for recovery: " + path_ + " cannot be written");
    warned_ = true;
    return false;
  }
  written_ = true;
  writtenChanges_ = document.Changes();
  return true;
}

void RecoveryKeeper::Discard() {
  if (written_) files_.Remove(path_);
  written_ = false;
}

bool FindRecovery(FileLayer& files, const std::string& folder, const std::string& own,
                  const std::function<bool(const std::string& path)>& running, RecoveryOffer& offer) {
  bool found = false;
  for (const std::string& name : files.FilesIn(folder, kRecoveryExtension)) {
    const std::string path = folder + name;
    if (path == own || running(path)) continue;
    std::vector<uint8_t> bytes;
    RecoveredSet set;
    const FileStamp stamp = files.Stamp(path);
    const long long limit = static_cast<long long>(kMaxHeader + kLevelSetBytes);
    // One that cannot be read now (another program holds it) waits for the
    // next start; one that holds no recovery goes.
    if (stamp.size <= limit && !files.ReadAll(path, static_cast<size_t>(limit), bytes)) continue;
    if (!DecodeRecovery(bytes, set)) {
      files.Remove(path);
      continue;
    }
    if (found && stamp.writeTime <= offer.stamp.writeTime) continue;
    offer = {path, stamp, std::move(set)};
    found = true;
  }
  return found;
}

std::string StampTimeText(long long writeTime) {
  const std::time_t seconds = static_cast<std::time_t>(writeTime / 10000000);
  const std::tm* local = std::localtime(&seconds);
  char text[32] = "";
  if (!local || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", local) == 0) return "an earlier session";
  return text;
}

void OfferRecovery(EditorState& state, Host& host, RecoveryKeeper& keeper, const RecoveryOffer& offer) {
  const std::string question = "Unsaved changes to " + offer.set.fileName + " from " +
                               StampTimeText(offer.stamp.writeTime) + " were found. Recover them?";
  if (host.Ask(question, "Kraxolan Editor", MessageKind::YesNo) == Answer::Yes) {
    // A set that was never on disk stays untitled; one that was is its
    // file's again, as that file is now.
    const std::string name = offer.set.everSaved ? offer.set.fileName : kUntitledName;
    state.document.ReplaceUnsaved(offer.set.levels, name);
    ForgetFileOnDisk(state);
    if (offer.set.everSaved) {
      state.fileOnDisk = state.files->Stamp(name);
      state.fileOnDiskPath = FullPathOf(name);
      state.hasFile = true;
    }
    ResetEditorState(state, host);
    // The offered file goes only once this editor keeps the work itself.
    if (!keeper.Follow(state.document, state.hasFile, host)) return;
  }
  state.files->Remove(offer.path);
}
