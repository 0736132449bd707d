// Registering the .kxl file type with the shell, so that opening a level set
// there starts the editor with it. The keys are written under
// HKEY_CLASSES_ROOT and, because that needs rights an ordinary user may not
// have, once more per user under HKEY_CURRENT_USER\Software\Classes, which
// the shell reads first.
#pragma once

#include <string>
#include <vector>

struct EditorSettings;

enum class RegistryRoot { ClassesRoot, CurrentUser };

struct RegistryValue {
  RegistryRoot root;
  std::string key;
  std::string value;  // the key's default value, a string
  bool operator==(const RegistryValue&) const = default;
};

struct RegistryBranch {
  RegistryRoot root;
  std::string key;
  bool operator==(const RegistryBranch&) const = default;
};

// The registry as registration sees it. The shell implements it on the real
// registry; tests on a map.
class FileTypeRegistry {
 public:
  virtual ~FileTypeRegistry() = default;
  // Creates root\key when needed and sets its default value; false when
  // either could not be done.
  virtual bool SetDefaultValue(RegistryRoot root, const std::string& key,
                               const std::string& value) = 0;
  // Removes root\key with every key below it; a missing key is no failure.
  virtual void DeleteBranch(RegistryRoot root, const std::string& key) = 0;
  // Tells the user that a value could not be written.
  virtual void ReportWriteFailure() = 0;
};

// The open command: the program directory (ending in a backslash), then
// kraxed.exe, a blank and %1 in double quotes. The program's file name is
// fixed, whatever name it was started under.
std::string OpenCommand(const std::string& programDirectory);

// Every value registration writes, in the order written: the three keys
// under HKEY_CLASSES_ROOT, then the same three per user.
std::vector<RegistryValue> RegistrationValues(const std::string& programDirectory);
// The two branches unregistration removes under each root.
std::vector<RegistryBranch> RegistrationBranches();

// Both act only when the setting `registered` differs from what they would
// make it, so confirming an unchanged choice touches no key. A value that
// neither root took is reported once; registration goes on with the next
// and `registered` becomes 1 all the same.
void RegisterFileType(EditorSettings& settings, const std::string& programDirectory,
                      FileTypeRegistry& registry);
void UnregisterFileType(EditorSettings& settings, FileTypeRegistry& registry);
