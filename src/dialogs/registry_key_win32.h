// One open registry key at a time, for the file-type registration and the
// system colour read at start-up.
#pragma once

#include <windows.h>

#include <string>

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() { Close(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Opens or creates root\subkey (an empty subkey opens the root itself).
  void Create(HKEY root, const char* subkey);
  void Close();
  // Sets a string value; when no key is open, says so in a message box.
  void SetString(const char* name, const char* text);
  // Sets a string value without a word to the user; false when no key is
  // open or the value could not be written.
  bool TrySetString(const char* name, const char* text);
  // Reads a string value into buffer (capacity bytes, terminator included);
  // nullptr when there is none, or when it does not fit.
  const char* QueryString(const char* name, char* buffer, DWORD capacity);
  void DeleteSubKey(const char* subkey);
  // Deletes subkey with every key below it (a key that still has subkeys
  // cannot be deleted on its own); failures are ignored.
  void DeleteTree(const char* subkey);

  bool IsOpen() const { return status_ == ERROR_SUCCESS && handle_; }
  DWORD CreatedNew() const { return createdNew_; }

 private:
  HKEY handle_ = nullptr;
  DWORD createdNew_ = 0;
  LONG status_ = ERROR_INVALID_HANDLE;
};
