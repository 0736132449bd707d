#include "dialogs/file_type_registration.h"

#include "view/editor_settings.h"

namespace {

constexpr const char* kExtensionKey = ".kxl";
constexpr const char* kTypeKey = "kxl_auto_file";
constexpr const char* kTypeName = "Kraxolan level set";
constexpr const char* kCommandKey = "kxl_auto_file\\shell\\open\\command";
constexpr const char* kProgramFile = "kraxed.exe";
constexpr const char* kUserClasses = "Software\\Classes\\";

std::string KeyUnder(RegistryRoot root, const std::string& key) {
  return root == RegistryRoot::CurrentUser ? kUserClasses + key : key;
}

}  // namespace

std::string OpenCommand(const std::string& programDirectory) {
  return programDirectory + kProgramFile + " \"%1\"";
}

std::vector<RegistryValue> RegistrationValues(const std::string& programDirectory) {
  const std::pair<std::string, std::string> rows[] = {
      {kExtensionKey, kTypeKey},
      {kTypeKey, kTypeName},
      {kCommandKey, OpenCommand(programDirectory)},
  };
  std::vector<RegistryValue> values;
  for (RegistryRoot root : {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser})
    for (const auto& [key, value] : rows) values.push_back({root, KeyUnder(root, key), value});
  return values;
}

std::vector<RegistryBranch> RegistrationBranches() {
  std::vector<RegistryBranch> branches;
  for (RegistryRoot root : {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser})
    for (const char* key : {kExtensionKey, kTypeKey})
      branches.push_back({root, KeyUnder(root, key)});
  return branches;
}

void RegisterFileType(EditorSettings& settings, const std::string& programDirectory,
                      FileTypeRegistry& registry) {
  if (settings.registered == 1) return;
  settings.registered = 1;
  const std::vector<RegistryValue> values = RegistrationValues(programDirectory);
  // Each row is written under both roots; one that took it is enough.
  const size_t rows = values.size() / 2;
  std::vector<bool> written(rows, false);
  for (size_t i = 0; i < values.size(); ++i)
    if (registry.SetDefaultValue(values[i].root, values[i].key, values[i].value))
      written[i % rows] = true;
  for (bool ok : written)
    if (!ok) registry.ReportWriteFailure();
}

void UnregisterFileType(EditorSettings& settings, FileTypeRegistry& registry) {
  if (settings.registered == 0) return;
  settings.registered = 0;
  for (const RegistryBranch& branch : RegistrationBranches())
    registry.DeleteBranch(branch.root, branch.key);
}
