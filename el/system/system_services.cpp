#include "el/system/system_services.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "el/draw/elDraw.h"
#include "el/input/keys.h"
#include "el/sound/elSound.h"
#include "el/system/app_state.h"
#include "os/surface.h"
#include "el/system/frame_timer.h"
#include "os/path.h"

// Every slot starts unset, so nothing reads as elapsed before Init.
uint32_t WaitDeadlines[WaitSlotCount] = {WaitUnset, WaitUnset, WaitUnset, WaitUnset,
                                         WaitUnset, WaitUnset, WaitUnset, WaitUnset,
                                         WaitUnset, WaitUnset, WaitUnset};
uint32_t ErrorFlag = 0;
uint32_t QuitRequested = 0;
uint32_t CursorClipped = 0;
uint32_t ImeEnabled = 0;
std::string ExePath;
std::string BasePath;

namespace elSystem {

void (*QuitStepHook)(const char* step) = nullptr;

namespace {

constexpr char kWaitRangeMessage[] = "ウェイトNoが範囲外です";

// A deadline ms from now.  It saturates instead of wrapping round to the past,
// and never lands on the value that marks an unset slot.
uint32_t DeadlineAfter(uint32_t ms) {
  const uint64_t deadline = uint64_t{os::TimeMs()} + ms;
  uint32_t result = static_cast<uint32_t>(std::min<uint64_t>(deadline, UINT32_MAX));
  if (result == WaitUnset) ++result;
  return result;
}

std::string FormatText(const char* format, va_list args) {
  if (!format) return {};
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, args);
  text.resize(static_cast<size_t>(length));
  return text;
}

// Makes the desktop's drawing visible so that a box shows in full screen.
void FlipToDesktop() {
  if (DirectDrawObject) DirectDrawObject->FlipToGdi();
}

// The message and question boxes.
int ShowUserBox(const std::string& text, const char* title, uint32_t flags) {
  FlipToDesktop();
  if (CursorVisible == 0) {
    os::ShowCursor(true);
    CursorVisible = 1;
  }
  MessageBoxOpen = 1;
  const int answer = os::MessageBox(MainWindow, text, title, flags);
  MessageBoxOpen = 0;
  return answer;
}

void QuitStep(const char* step) {
  if (QuitStepHook) QuitStepHook(step);
}

uint32_t SaturateU32(uint64_t value) {
  return static_cast<uint32_t>(std::min<uint64_t>(value, UINT32_MAX));
}

void WriteNumber(const char* name, int32_t n) {
  if (!name) return;
  const std::string path = GetExePath(1) + name;
  FILE* file = os::OpenFile(path, "w");
  if (!file) return;
  std::fprintf(file, "%d", n);
  std::fclose(file);
}

int32_t ReadNumber(const char* name) {
  if (!name) return 0;
  const std::string path = GetExePath(1) + name;
  FILE* file = os::OpenFile(path, "r");
  if (!file) return 0;
  int n = 0;
  if (std::fscanf(file, "%d", &n) != 1) n = 0;
  std::fclose(file);
  return n;
}

}  // namespace

uint32_t Init() {
  std::fill(std::begin(WaitDeadlines), std::end(WaitDeadlines), WaitUnset);
  EndTextInput();
  SetSysKeyMode(0);
  if (FullScreen == 1) ClipCursorToScreen();
  return 1;
}

// ---- wait slots -------------------------------------------------------------

uint32_t SetWait(int32_t slot, uint32_t ms) {
  if (slot < 1 || slot > 10) return ErrorBox("elSystem::SetWait", kWaitRangeMessage);
  WaitDeadlines[slot - 1] = DeadlineAfter(ms);
  return 1;
}

uint32_t InitWait(int32_t slot) {
  if (slot < 1 || slot > 10) return ErrorBox("elSystem::InitWait", kWaitRangeMessage);
  WaitDeadlines[slot - 1] = WaitUnset;
  return 1;
}

uint32_t IsWaitOver(int32_t slot) {
  if (slot < 1 || slot > WaitSlotCount) return 0;
  const uint32_t deadline = WaitDeadlines[slot - 1];
  if (deadline == WaitUnset) return 0;
  return os::TimeMs() >= deadline ? 1 : 0;
}

void BusyWait(uint32_t ms) {
  const uint32_t deadline = DeadlineAfter(ms);
  WaitDeadlines[WaitSlotCount - 1] = deadline;
  while (os::TimeMs() <= deadline) {
  }
  ResetFrameTime();
}

// ---- boxes --------------------------------------------------------------------

uint32_t ErrorBox(const char* function, const char* message, uint32_t /*code*/,
                  const std::string& detail) {
  std::string text = function ? function : "";
  text += " : ";
  text += message ? message : "";
  FlipToDesktop();
  elSound::Beep();
  os::MessageBox(MainWindow, text, "エラー発生",
                 os::BoxSystemModal | os::BoxIconExclamation, detail);
  ErrorFlag = 1;
  return 0;
}

uint32_t HasError() { return ErrorFlag; }

uint32_t QuitOnError() {
  if (ErrorFlag == 1) RequestQuit();
  return ErrorFlag;
}

uint32_t Message(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatText(format, args);
  va_end(args);
  text += "\r\n";
  ShowUserBox(text, "メッセージ", os::BoxSystemModal | os::BoxIconExclamation);
  return ResetFrameTime();
}

uint32_t AskYesNo(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatText(format, args);
  va_end(args);
  text += "\r\n";
  const int answer = ShowUserBox(text, "メッセージ", os::BoxYesNo | os::BoxIconQuestion);
  ResetFrameTime();
  return answer == os::AnswerYes ? 1 : 0;
}

// ---- shutdown and activation ----------------------------------------------------

uint32_t RequestQuit() {
  if (QuitRequested == 1) return 1;
  QuitRequested = 1;
  QuitStep("elSystem::Release");
  Release();
  QuitStep("elDraw::FreeFonts");
  elDraw::FreeFonts();
  QuitStep("elSound::Release");
  elSound::Release();
  QuitStep("elDraw::Shutdown");
  elDraw::Shutdown();
  if (InstanceMutex != 0) {
    QuitStep("InstanceMutex");
    os::ReleaseNamedLock(InstanceMutex);
    InstanceMutex = 0;
  }
  if (QuitState == 0) {
    QuitStep("MsgClose");
    os::PostMessage(MainWindow, os::MsgClose, 0, 0);
  }
  QuitState = 2;
  return 1;
}

void EnableIme(int32_t flag) {
  os::EnableTextInput(flag != 0);
  ImeEnabled = static_cast<uint32_t>(flag);
}

void Release() { UnclipCursor(); }

void SetActive(uint32_t flag) { AppActive = flag; }

void OnActivate(uint32_t /*flag*/) {}

// ---- cursor ---------------------------------------------------------------------

void ClipCursorRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const os::Rect rect{left, top, right, bottom};
  os::ClipCursor(&rect);
  CursorClipped = 1;
}

void ClipCursorToScreen() {
  if (FullScreen) {
    ClipCursorRect(0, 0, ScreenWidth, ScreenHeight);
  } else {
    ClipCursorRect(WindowX, WindowY, WindowX + ScreenWidth, WindowY + ScreenHeight);
  }
}

void UnclipCursor() {
  os::ClipCursor(nullptr);
  CursorClipped = 0;
}

uint32_t IsCursorClipped() { return CursorClipped; }

void SetMousePos(int32_t x, int32_t y) { os::SetCursorPos(x + WindowX, y + WindowY); }

// ---- folders and number files ------------------------------------------------------

const std::string& GetExePath(int32_t flag) {
  const std::string folder = os::ExeDir();
  if (flag == 1 && !BasePath.empty()) {
    // The name of the program's own folder, with its trailing '/'.
    std::string own = folder;
    while (!own.empty() && own.back() == '/') own.pop_back();
    const size_t slash = own.rfind('/');
    own = slash == std::string::npos ? own : own.substr(slash + 1);
    ExePath = BasePath + "/" + (own.empty() ? "" : own + "/");
  } else {
    ExePath = folder;
  }
  return ExePath;
}

std::string SystemSettingsDir() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) return config;
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.config";
  return "/etc";
}

void ReadWindowsDirFile(const char* name) {
  BasePath.clear();
  if (!name || !*name) return;
  std::string path = SystemSettingsDir();
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  FILE* file = os::OpenFile(path, "r");
  if (!file) return;
  // The first line; a path longer than any folder name is cut.
  constexpr size_t kMaxLine = 4096;
  std::string line;
  for (int c = std::fgetc(file); c != EOF && line.size() < kMaxLine; c = std::fgetc(file)) {
    line += static_cast<char>(c);
    if (c == '\n') break;
  }
  std::fclose(file);
  if (!line.empty() && line.back() == '\n') line.pop_back();
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (!line.empty() && (line.back() == '/' || line.back() == '\\')) line.pop_back();
  BasePath = line;
}

void WriteNumberFile(const char* name, int32_t n) { WriteNumber(name, n); }
int32_t ReadNumberFile(const char* name) { return ReadNumber(name); }
void WriteNumberFile2(const char* name, int32_t n) { WriteNumber(name, n); }
int32_t ReadNumberFile2(const char* name) { return ReadNumber(name); }

// ---- clock, disk, memory, version ----------------------------------------------------

const char* WeekdayText(int32_t weekday) {
  // Sunday to Saturday as Shift-JIS: 日 月 火 水 木 金 土.
  static constexpr char kWeekdays[7][3] = {
      "\x93\xFA", "\x8C\x8E", "\x89\xCE", "\x90\x85", "\x96\xD8", "\x8B\xE0", "\x93\x79"};
  return weekday >= 0 && weekday < 7 ? kWeekdays[weekday] : "";
}

void GetDateString(int32_t& year, int32_t& month, int32_t& day, std::string& weekday) {
  const os::LocalTime now = os::GetLocalTime();
  year = now.year;
  month = now.month;
  day = now.day;
  weekday = WeekdayText(now.weekday);
}

void GetTimeOfDay(int32_t& hour, int32_t& minute, int32_t& second) {
  const os::LocalTime now = os::GetLocalTime();
  hour = now.hour;
  minute = now.minute;
  second = now.second;
}

uint32_t GetDiskFree(char drive) {
  const bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
  if (!letter) return 0;
  return SaturateU32(os::DiskFreeBytes(os::ExeDir()));
}

uint32_t GetFreeMemory() { return SaturateU32(os::FreeMemoryBytes()); }

int32_t VersionNumber(const os::SystemVersion& version) {
  switch (version.platform) {
    case 0:
      return 310;
    case 1:
      if (version.major == 4) return version.minor == 0 ? 950 : 980;
      return version.major * 100 + version.minor;
    case 2:
      if (version.major == 5) return 2000;
      return version.major * 1000 + version.minor * 10;
    default:
      return -1;
  }
}

int32_t GetWindowsVersion() { return VersionNumber(os::GetSystemVersion()); }

// The depth of the display as it is now: the mode set for full screen, else
// the desktop's.
int32_t GetScreenBits() { return os::ScreenBitsNow(); }

uint32_t IsWindowed() { return FullScreen == 0 ? 1 : 0; }

uint32_t CheckScreenDepth(const char* name) {
  static constexpr const char* kColourCounts[] = {"16", "256", "65536", "1670万"};
  int k = 0;
  switch (ScreenBits) {
    case 8: k = 1; break;
    case 16: k = 2; break;
    case 24:
    case 32: k = 3; break;
    default: return 1;
  }
  if (FullScreen != 0 || GetScreenBits() >= ScreenBits) return 1;
  Message("　ウィンドウ状態で実行しようとしていますが、"
          "画面が%s色以下に設定されています。\n"
          "正しく動作させるには、%s色以上に設定するか、"
          "フルスクリーンで実行させて下さい。",
          kColourCounts[k - 1], kColourCounts[k]);
  const char* question = "";
  if (name && *name) {
    question = std::strcmp(name, "*") == 0 ? "フルスクリーンに切り換えますか？"
                                            : "フルスクリーンに設定し直しますか？";
  }
  if (*question && AskYesNo("%s", question) == 1) {
    if (std::strcmp(name, "*") != 0) WriteNumberFile(name, 1);
    FullScreen = 1;
    return 1;
  }
  RequestQuit();
  return 0;
}

const std::string& GetCommandLine() { return CommandLine; }

}  // namespace elSystem
