#include "base/report_error_win32.h"

#include <windows.h>

#include <string>

void ReportLastError(const char* message) {
  const DWORD error = GetLastError();
  char description[256] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                 MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), description, 255, nullptr);
  std::string text = message;
  text += "\n\nError " + std::to_string(error);
  if (description[0]) text += std::string(": ") + description;
  MessageBoxA(nullptr, text.c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
}
