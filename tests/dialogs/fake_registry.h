// The registry as a map of keys to default values, for registration tests.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "dialogs/file_type_registration.h"

class FakeRegistry : public FileTypeRegistry {
 public:
  using Key = std::pair<RegistryRoot, std::string>;

  std::map<Key, std::string> values;  // a key without value holds ""
  std::set<RegistryRoot> refusing;     // roots where writing fails
  int writes = 0;
  int deletions = 0;
  int reports = 0;
  std::function<void()> onWrite;  // called before each write

  bool SetDefaultValue(RegistryRoot root, const std::string& key,
                       const std::string& value) override {
    if (onWrite) onWrite();
    ++writes;
    if (refusing.count(root)) return false;
    values[{root, key}] = value;
    return true;
  }
  void DeleteBranch(RegistryRoot root, const std::string& key) override {
    ++deletions;
    for (auto it = values.begin(); it != values.end();) {
      const bool below = it->first.second.rfind(key + "\\", 0) == 0;
      if (it->first.first == root && (it->first.second == key || below))
        it = values.erase(it);
      else
        ++it;
    }
  }
  void ReportWriteFailure() override { ++reports; }

  const std::string* Value(RegistryRoot root, const std::string& key) const {
    auto it = values.find({root, key});
    return it == values.end() ? nullptr : &it->second;
  }
};
