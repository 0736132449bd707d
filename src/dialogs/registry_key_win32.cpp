#include "dialogs/registry_key_win32.h"

#include "base/report_error_win32.h"

void RegistryKey::Create(HKEY root, const char* subkey) {
  Close();
  HKEY key = nullptr;
  status_ = RegCreateKeyExA(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, &createdNew_);
  handle_ = status_ == ERROR_SUCCESS ? key : nullptr;
}

void RegistryKey::Close() {
  if (handle_) RegCloseKey(handle_);
  handle_ = nullptr;
  status_ = ERROR_INVALID_HANDLE;
}

void RegistryKey::SetString(const char* name, const char* text) {
  if (!IsOpen()) {
    MessageBoxA(nullptr, "Can't write value to registry", "Error", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  RegSetValueExA(handle_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(lstrlenA(text) + 1));
}

bool RegistryKey::TrySetString(const char* name, const char* text) {
  if (!IsOpen()) return false;
  return RegSetValueExA(handle_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(lstrlenA(text) + 1)) == ERROR_SUCCESS;
}

const char* RegistryKey::QueryString(const char* name, char* buffer, DWORD capacity) {
  if (!IsOpen()) {
    MessageBoxA(nullptr, "Can't read value from registry", "Error", MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
  }
  if (createdNew_ == REG_CREATED_NEW_KEY) {
    const BYTE empty = 0;
    RegSetValueExA(handle_, name, 0, REG_SZ, &empty, 1);
  }
  DWORD type = 0, size = 0;
  LONG result = RegQueryValueExA(handle_, name, nullptr, &type, nullptr, &size);
  if (result != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(result));
    ReportLastError("Error retrieving data length");
    return nullptr;
  }
  // A value longer than the caller's buffer is refused, never written past it.
  if (size == 0 || size > capacity) return nullptr;
  result = RegQueryValueExA(handle_, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  if (result != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(result));
    ReportLastError("Error retrieving registry data");
    return nullptr;
  }
  buffer[size < capacity ? size : capacity - 1] = '\0';
  return buffer;
}

void RegistryKey::DeleteSubKey(const char* subkey) {
  if (handle_) RegDeleteKeyA(handle_, subkey);
}

void RegistryKey::DeleteTree(const char* subkey) {
  if (handle_) RegDeleteTreeA(handle_, subkey);
}
