// The program's entry point: start-up, the message loop, the main window
// procedure and shutdown. Everything here only moves messages to the core.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

#include "../../res/resource.h"
#include "app/active_border.h"
#include "app/command_line.h"
#include "app/commands.h"
#include "app/editor_state.h"
#include "app/level_set_io.h"
#include "app/recovery.h"
#include "app/recovery_win32.h"
#include "app/settings_file.h"
#include "app/win32_host_win32.h"
#include "base/report_error_win32.h"
#include "dialogs/registry_key_win32.h"
#include "gfx/gdi_painter_win32.h"
#include "gfx/resource_catalogue.h"
#include "gfx/tile_sheet_win32.h"
#include "level/shared_level_win32.h"
#include "view/keyboard.h"
#include "view/layout.h"
#include "view/paint_area.h"
#include "view/pointer.h"
#include "view/selectors.h"
#include "view/title.h"

namespace {

constexpr const char* kClassName = "Kraxolan Editor";
constexpr UINT_PTR kBackupTimer = 1234;
// The open file is looked at on disk once the window is active again, and
// only while nothing is under way: no question or dialog up, no step open.
constexpr UINT kCheckDiskMessage = WM_APP + 1;
constexpr UINT_PTR kCheckDiskTimer = 1235;
constexpr UINT kCheckDiskRetry = 300;  // ms
constexpr UINT kBackupPeriod = 900000;  // 15 minutes
constexpr UINT kSplashClose = 666;
constexpr int kSplashWidth = 234;
constexpr int kSplashHeight = 30;

// The one instance of everything the program keeps for its whole run.
struct Application {
  EditorState state;
  ShellWindows windows;
  SheetTable sheets;
  SharedLevelBlock transfer;
  Win32Host host{windows, state, sheets};
  HACCEL accelerators = nullptr;
  RecoveryPlace recoveryPlace;
  std::optional<RecoveryKeeper> recovery;  // from the moment the window is shown
  bool running = false;  // start-up is complete
  bool checkingDisk = false;  // the question about a changed file is up
  bool erased = false;   // the window system erased a part of the window since the last paint
};

Application* app = nullptr;

LRESULT OnPaint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (app->running) {
    GdiPainter painter(dc, app->sheets);
    const RECT& r = ps.rcPaint;
    PaintMainWindowArea(app->state, painter, {r.left, r.top, r.right, r.bottom}, app->erased);
    app->erased = false;
  }
  EndPaint(window, &ps);
  return 0;
}

LRESULT OnDropFiles(HDROP drop) {
  std::vector<std::string> paths;
  // The whole path, however long, so that a long one is refused as such.
  const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
  if (length > 0) {
    std::string path(length + 1, '\0');
    DragQueryFileA(drop, 0, path.data(), length + 1);
    path.resize(length);
    paths.push_back(path);
  }
  OpenDroppedFile(app->state, app->host, paths);
  DragFinish(drop);
  return 0;
}

LRESULT OnSelectorScroll(WPARAM wParam, LPARAM lParam) {
  const HWND from = reinterpret_cast<HWND>(lParam);
  const int position = static_cast<short>(HIWORD(wParam));
  // The graphics and the teleport selector share an id: tell them by handle.
  if (from == app->windows.levelSelector)
    return OnSelectorScroll(app->state, app->host, Selector::Level, position);
  if (from == app->windows.graphicsSelector)
    return OnSelectorScroll(app->state, app->host, Selector::Graphics, position);
  if (from == app->windows.teleportSelector)
    return OnSelectorScroll(app->state, app->host, Selector::Teleport, position);
  return 0;
}

// The window was activated: the open file may have been changed meanwhile.
// The check waits until a question, a dialog, a stroke or a dialog's step
// is over (a modal window disables the main window while it is up).
LRESULT OnCheckDisk(HWND window) {
  const EditorState& state = app->state;
  if (!IsWindowEnabled(window) || state.document.StepOpen() || state.session.stroke || app->checkingDisk) {
    SetTimer(window, kCheckDiskTimer, kCheckDiskRetry, nullptr);
    return 0;
  }
  KillTimer(window, kCheckDiskTimer);
  app->checkingDisk = true;
  CheckFileOnDisk(app->state, app->host);
  app->checkingDisk = false;
  return 0;
}

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Every message may have changed the document: the recovery file follows.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Dispatch(window, message, wParam, lParam);
  if (app && app->running) {
    if (app->recovery) app->recovery->Follow(app->state.document, app->state.hasFile, app->host);
    if (!app->state.notices.empty()) ShowNotices(app->state, app->host);
  }
  return result;
}

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!app || !app->running) {
    // During start-up only the layout messages matter; the rest waits.
    if (message == WM_PAINT) return OnPaint(window);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  EditorState& state = app->state;
  Host& host = app->host;
  const uint32_t keys = static_cast<uint32_t>(wParam);
  const uint32_t position = static_cast<uint32_t>(lParam);
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_MOVE:
    case WM_SIZE:
    case WM_SETFOCUS:
      Repaint(state, host, kRepaintAll);
      app->windows.statusBar.Resize(wParam, lParam);
      return 0;
    case WM_PAINT:
      return OnPaint(window);
    case WM_ERASEBKGND:
      // The editor's own repaints never erase; an erase comes from outside
      // (the window uncovered, restored) and wipes palette and canvas alike.
      app->erased = true;
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_CLOSE:
      ConfirmClose(state, host);
      return 0;
    case WM_ACTIVATEAPP:
      if (wParam) PostMessageA(window, kCheckDiskMessage, 0, 0);
      return 0;
    case kCheckDiskMessage:
      return OnCheckDisk(window);
    case WM_KEYUP:
      return OnKeyUp(state, host, keys, position);
    case WM_TIMER:
      if (wParam == kCheckDiskTimer) return OnCheckDisk(window);
      OnBackupTimer(state, host);
      return 0;
    case WM_HSCROLL:
      return OnSelectorScroll(wParam, lParam);
    case WM_MOUSEMOVE:
      return OnCanvasMouseMove(state, host, keys, position);
    case WM_LBUTTONDOWN:
      return OnLeftButtonDown(state, host, keys, position);
    case WM_LBUTTONUP:
      return OnLeftButtonUp(state, host);
    case WM_CAPTURECHANGED:
      return OnCaptureLost(state, host);
    case WM_LBUTTONDBLCLK:
      return OnCanvasDoubleClick(state, host, position);
    case WM_RBUTTONDOWN:
      return OnRightButtonDown(state, host, keys, position);
    case WM_RBUTTONUP:
      return OnRightButtonUp(state, host);
    case WM_DROPFILES:
      return OnDropFiles(reinterpret_cast<HDROP>(wParam));
    case WM_COMMAND:
      RunCommand(state, host, app->transfer, LOWORD(wParam));
      return 0;
    case WM_INITMENUPOPUP:
      for (const CommandState& command : CommandStates(state)) {
        const HMENU menu = reinterpret_cast<HMENU>(wParam);
        const UINT id = static_cast<UINT>(command.id);
        EnableMenuItem(menu, id, MF_BYCOMMAND | (command.enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu, id, MF_BYCOMMAND | (command.checked ? MF_CHECKED : MF_UNCHECKED));
      }
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

INT_PTR CALLBACK SplashProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == kSplashClose) {
    DestroyWindow(dialog);
    return TRUE;
  }
  return FALSE;
}

ATOM InitClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KRAXED));
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_SCROLLBAR + 1));
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
  wc.lpszClassName = kClassName;
  return RegisterClassExA(&wc);
}

uint32_t ReadActiveBorderColour() {
  RegistryKey key;
  key.Create(HKEY_CURRENT_USER, "Control Panel\\Colors\\");
  char value[128] = "";
  const char* text = key.QueryString("ActiveBorder", value, sizeof value);
  return text && text[0] ? ParseActiveBorder(text) : kDefaultActiveBorderColour;
}

void ReportUnreadable(const std::string& path) {
  MessageBoxA(nullptr, ("Couldn't read " + path).c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
}

HWND CreateSelector(HWND parent, HINSTANCE instance, int id, SelectorPlace place, int upper,
                    int position) {
  return CreateUpDownControl(WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_HORZ, place.x, place.y,
                             kSelectorWidth, kSelectorHeight, parent, id, instance, nullptr, upper,
                             0, position);
}

// The user's own folders, for what the program's folder or the current
// folder cannot take.
std::string UserFolder(int which) {
  char path[MAX_PATH] = "";
  if (SHGetFolderPathA(nullptr, which, nullptr, 0, path) != S_OK) return "";
  return std::string(path) + "\\kraxed\\";
}

// Once the window is shown: this editor's recovery file from now on, and
// the work of an editor that ended without saving it offered back.
void KeepRecovery(Application& application) {
  FileLayer& files = *application.state.files;
  if (!application.recoveryPlace.Open(files)) {
    application.state.notices.push_back("Unsaved work cannot be kept for recovery: no folder for it can be written");
    return;
  }
  application.recovery.emplace(files, application.recoveryPlace.OwnFile());
  RecoveryOffer offer;
  if (FindRecovery(files, application.recoveryPlace.Folder(), application.recoveryPlace.OwnFile(),
                   RecoveryPlace::OwnerRunning, offer))
    OfferRecovery(application.state, application.host, *application.recovery, offer);
}

// Start-up failures end the program with a non-zero exit code.
int Fail(const char* message) {
  ReportLastError(message);
  return 1;
}

int Run(HINSTANCE instance, int showCommand) {
  Application application;
  app = &application;
  EditorState& state = application.state;
  ShellWindows& windows = application.windows;

  const CommandLine commandLine = ParseCommandLine(GetCommandLineA());
  state.programDirectory = commandLine.programDirectory;
  state.document.SetFileName(commandLine.fileName);
  if (!InitClass(instance)) return Fail("InitClass() returned NULL");
  const std::string roaming = UserFolder(CSIDL_APPDATA), local = UserFolder(CSIDL_LOCAL_APPDATA);
  if (!roaming.empty()) state.userSettingsFile = roaming + kSettingsFileName;
  if (!local.empty()) state.userBackupFile = local + kBackupFileName;
  ReadSettings(state, application.host);
  state.activeBorderColour = ReadActiveBorderColour();
  state.windowColour = GetSysColor(COLOR_SCROLLBAR);  // the class's brush

  windows.mainWindow = CreateWindowExA(
      0, kClassName, kProgramTitle, WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
      MainWindowWidth(state.settings.zoom), MainWindowHeight(state.settings.zoom), nullptr, nullptr,
      instance, nullptr);
  if (!windows.mainWindow) {
    MessageBoxA(nullptr, "Couldn't create window", "Error", MB_OK | MB_ICONEXCLAMATION);
    return 1;
  }
  windows.instance = instance;
  DragAcceptFiles(windows.mainWindow, TRUE);

  HWND splash = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_SPLASH), windows.mainWindow,
                                   SplashProc, 0);
  if (!splash) return Fail("Error creating splashscreen");
  HDC screen = GetDC(windows.mainWindow);
  if (!screen) return Fail("Can't get DC");
  const int width = GetDeviceCaps(screen, HORZRES);
  const int height = GetDeviceCaps(screen, VERTRES);
  if (!MoveWindow(splash, (width - kSplashWidth) / 2, (height - 32) / 2, kSplashWidth,
                  kSplashHeight, FALSE))
    return Fail("Can't move window");
  ShowWindow(splash, SW_SHOW);
  if (!UpdateWindow(splash)) return Fail("Can't update window");

  if (!application.transfer.CreateTempLevel()) return Fail("Error in CreateTempLevel()");
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  if (!InitCommonControlsEx(&controls)) return Fail("Error initialising common controls");
  if (!windows.statusBar.Create(windows.mainWindow, IDC_STATUSBAR))
    return Fail("Error creating statusbar");

  LoadResourceCatalogue(state.catalogue, state.programDirectory, ReportUnreadable);
  application.sheets.Build(state.catalogue, screen);
  ReleaseDC(windows.mainWindow, screen);
  state.session.regionList.Clear();
  LayoutRegions(state.session.regionList, state.settings.zoom);

  const int z = state.settings.zoom;
  windows.levelSelector = CreateSelector(windows.mainWindow, instance, IDC_LEVEL_SELECTOR,
                                         LevelSelectorPlace(z), kLevelCount - 1, 0);
  if (!windows.levelSelector) return Fail("Error initialising level selector");
  // With no pattern set at all the range is 0..0 and the selector does nothing.
  const int patternSets = static_cast<int>(state.catalogue.patternSets.size());
  windows.graphicsSelector = CreateSelector(windows.mainWindow, instance, IDC_GFX_SELECTOR,
                                            GraphicsSelectorPlace(z),
                                            patternSets > 0 ? patternSets - 1 : 0, 0);
  if (!windows.graphicsSelector) return Fail("Error initialising gfx selector");
  windows.teleportSelector = CreateSelector(windows.mainWindow, instance, IDC_GFX_SELECTOR,
                                            TeleportSelectorPlace(z), 7, 0);
  if (!windows.teleportSelector) return Fail("Error initialising teleport selector");
  application.accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));

  OpenFirstLevelSet(state, application.host);
  SetTimer(windows.mainWindow, kBackupTimer, kBackupPeriod, nullptr);
  application.running = true;
  ResetEditorState(state, application.host);
  application.host.FitWindow();
  SendMessageA(splash, kSplashClose, 0, 0);
  ShowWindow(windows.mainWindow, showCommand);
  UpdateWindow(windows.mainWindow);
  application.host.RebuildRecentMenu(0, state.recent.Files());
  KeepRecovery(application);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    if (TranslateAcceleratorA(windows.mainWindow, application.accelerators, &message)) continue;
    DispatchMessageA(&message);
  }

  application.running = false;
  KillTimer(windows.mainWindow, kBackupTimer);
  if (application.recovery) application.recovery->Discard();
  WriteSettings(state);
  application.sheets.Clear();
  state.catalogue = ResourceCatalogue();
  application.transfer.DestroyTempLevel();
  app = nullptr;
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  return Run(instance, showCommand);
}
