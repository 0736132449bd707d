#include "dialogs/file_type_registration.h"

#include <gtest/gtest.h>

#include <iterator>

#include "app/editor_settings.h"
#include "dialogs/fake_registry.h"

namespace {

constexpr RegistryRoot kRoot = RegistryRoot::ClassesRoot;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
const std::string kDir = "C:\\Games\\Ed\\";

}  // namespace

TEST(FileTypeRegistration, Data) {
  EXPECT_EQ(OpenCommand(kDir), "C:\\Games\\Ed\\kraxed.exe \"%1\"");
  const std::vector<RegistryValue> expected = {
      {kRoot, ".kxl", "kxl_auto_file"},
      {kRoot, "kxl_auto_file", "Kraxolan level set"},
      {kRoot, "kxl_auto_file\\shell\\open\\command", "C:\\Games\\Ed\\kraxed.exe \"%1\""},
      {kUser, "Software\\Classes\\.kxl", "kxl_auto_file"},
      {kUser, "Software\\Classes\\kxl_auto_file", "Kraxolan level set"},
      {kUser, "Software\\Classes\\kxl_auto_file\\shell\\open\\command",
       "C:\\Games\\Ed\\kraxed.exe \"%1\""},
  };
  EXPECT_EQ(RegistrationValues(kDir), expected);
  const std::vector<RegistryBranch> branches = {
      {kRoot, ".kxl"},
      {kRoot, "kxl_auto_file"},
      {kUser, "Software\\Classes\\.kxl"},
      {kUser, "Software\\Classes\\kxl_auto_file"},
  };
  EXPECT_EQ(RegistrationBranches(), branches);
}

TEST(FileTypeRegistration, RegisterOnlyWhenNotRegistered) {
  FakeRegistry registry;
  EditorSettings settings;
  RegisterFileType(settings, kDir, registry);
  EXPECT_EQ(settings.registered, 1);
  EXPECT_EQ(registry.values.size(), 6u);
  for (const RegistryValue& v : RegistrationValues(kDir)) {
    ASSERT_NE(registry.Value(v.root, v.key), nullptr) << v.key;
    EXPECT_EQ(*registry.Value(v.root, v.key), v.value);
  }
  for (const auto& [key, value] : registry.values)
    EXPECT_EQ(key.second.find("CLASSESS"), std::string::npos) << key.second;
  EXPECT_EQ(registry.reports, 0);

  // Already registered: no key is touched.
  RegisterFileType(settings, "D:\\Other\\", registry);
  EXPECT_EQ(registry.writes, 6);
  EXPECT_EQ(*registry.Value(kRoot, "kxl_auto_file\\shell\\open\\command"), OpenCommand(kDir));
}

TEST(FileTypeRegistration, WriteFailures) {
  // Without rights under HKEY_CLASSES_ROOT the per-user copy is enough.
  FakeRegistry userOnly;
  userOnly.refusing = {kRoot};
  EditorSettings settings;
  RegisterFileType(settings, kDir, userOnly);
  EXPECT_EQ(userOnly.reports, 0);
  EXPECT_EQ(userOnly.values.size(), 3u);
  EXPECT_EQ(*userOnly.Value(kUser, "Software\\Classes\\.kxl"), "kxl_auto_file");

  // Nothing written anywhere: one report per value, and the setting says
  // registered all the same.
  FakeRegistry none;
  none.refusing = {kRoot, kUser};
  EditorSettings other;
  RegisterFileType(other, kDir, none);
  EXPECT_EQ(none.writes, 6);
  EXPECT_EQ(none.reports, 3);
  EXPECT_EQ(other.registered, 1);
}

TEST(FileTypeRegistration, UnregisterRemovesWholeBranches) {
  FakeRegistry registry;
  EditorSettings settings;
  // Keys of other programs, some with names that begin ours.
  const FakeRegistry::Key others[] = {{kRoot, ".kxlx"},
                                      {kRoot, "kxl_auto_file2"},
                                      {kRoot, "txtfile\\shell\\open\\command"},
                                      {kUser, "Software\\Classes\\.kxl2"},
                                      {kUser, "Software\\Other\\.kxl"}};
  for (const auto& key : others) registry.values[key] = "other";

  // Not registered: nothing is deleted.
  UnregisterFileType(settings, registry);
  EXPECT_EQ(registry.deletions, 0);

  RegisterFileType(settings, kDir, registry);
  registry.values[{kRoot, ".kxl\\ShellNew"}] = "";
  UnregisterFileType(settings, registry);
  EXPECT_EQ(settings.registered, 0);
  EXPECT_EQ(registry.deletions, 4);
  EXPECT_EQ(registry.values.size(), std::size(others));
  for (const auto& key : others) EXPECT_EQ(registry.values.count(key), 1u) << key.second;

  UnregisterFileType(settings, registry);
  EXPECT_EQ(registry.deletions, 4);
}
