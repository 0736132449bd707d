#include "dialogs/file_type_registry_win32.h"

#include <windows.h>
#include <shlobj.h>

#include "dialogs/registry_key_win32.h"

namespace {

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT;
}

}  // namespace

ShellFileTypeRegistry::~ShellFileTypeRegistry() {
  if (changed_) SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

bool ShellFileTypeRegistry::SetDefaultValue(RegistryRoot root, const std::string& key,
                                            const std::string& value) {
  RegistryKey registryKey;
  registryKey.Create(RootKey(root), key.c_str());
  const bool written = registryKey.TrySetString("", value.c_str());
  changed_ = changed_ || written;
  return written;
}

void ShellFileTypeRegistry::DeleteBranch(RegistryRoot root, const std::string& key) {
  RegistryKey parent;
  parent.Create(RootKey(root), "");
  parent.DeleteTree(key.c_str());
  changed_ = true;
}

void ShellFileTypeRegistry::ReportWriteFailure() {
  MessageBoxA(nullptr, "Can't write value to registry", "Error", MB_OK | MB_ICONEXCLAMATION);
}
