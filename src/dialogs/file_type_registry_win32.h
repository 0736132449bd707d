// File-type registration on the real registry, through RegistryKey.
#pragma once

#include "dialogs/file_type_registration.h"

class ShellFileTypeRegistry : public FileTypeRegistry {
 public:
  ShellFileTypeRegistry() = default;
  // Tells the shell its file associations changed, when they did.
  ~ShellFileTypeRegistry() override;
  ShellFileTypeRegistry(const ShellFileTypeRegistry&) = delete;
  ShellFileTypeRegistry& operator=(const ShellFileTypeRegistry&) = delete;

  bool SetDefaultValue(RegistryRoot root, const std::string& key,
                       const std::string& value) override;
  void DeleteBranch(RegistryRoot root, const std::string& key) override;
  void ReportWriteFailure() override;

 private:
  bool changed_ = false;
};
