// The SDL2 backend: a real window showing the 800 x 600 screen scaled with
// letterboxing, keyboard and mouse turned into window messages, message boxes
// in windows of their own (os/message_box.h draws them) and the joysticks.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "os/backend.h"
#include "os/message_box.h"
#include "os/sdl/sdl_display_gone.h"
#include "os/sdl/sdl_pointer_clip.h"
#include "os/sdl/sdl_quiet.h"
#include "os/sdl/sdl_window_icon.h"
#include "os/sdl/x11_bell.h"
#include "os/sdl/x11_errors.h"
#include "os/sdl/x11_full_screen.h"
#include "os/sdl/x11_other_copy.h"
#include "os/sdl/x11_screen_saver.h"
#include "os/stderr_divert.h"

namespace os {
namespace {

// The virtual-key code of an SDL key, 0 for keys the game has no code for.
int KeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return KeyA + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return Key0 + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return KeyF1 + (key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return KeyNumpad0 + 1 + (key - SDLK_KP_1);
  switch (key) {
    case SDLK_KP_0: return KeyNumpad0;
    case SDLK_BACKSPACE: return KeyBack;
    case SDLK_TAB: return KeyTab;
    case SDLK_RETURN: case SDLK_KP_ENTER: return KeyReturn;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return KeyShift;
    case SDLK_LCTRL: case SDLK_RCTRL: return KeyControl;
    case SDLK_LALT: case SDLK_RALT: return KeyAlt;
    case SDLK_PAUSE: return KeyPause;
    case SDLK_ESCAPE: return KeyEscape;
    case SDLK_SPACE: return KeySpace;
    case SDLK_PAGEUP: return KeyPageUp;
    case SDLK_PAGEDOWN: return KeyPageDown;
    case SDLK_END: return KeyEnd;
    case SDLK_HOME: return KeyHome;
    case SDLK_LEFT: return KeyLeft;
    case SDLK_UP: return KeyUp;
    case SDLK_RIGHT: return KeyRight;
    case SDLK_DOWN: return KeyDown;
    case SDLK_INSERT: return KeyInsert;
    case SDLK_DELETE: return KeyDelete;
    default: return 0;
  }
}

// The virtual-key code of a key event, whose state the key states take;
// 0 for keys the game has no code for.
int NoteKey(const SDL_KeyboardEvent& event) {
  const int key = KeyFromSdl(event.keysym.sym);
  if (key) SetKeyDown(key, event.type == SDL_KEYDOWN);
  return key;
}

// What the display libraries said while SDL looked for a display, about the
// display named: the first line that X wrote on stderr when DISPLAY is set,
// else Wayland's first message when WAYLAND_DISPLAY is.  (Wayland's words
// about its default display, looked for while only DISPLAY is set, would
// mislead.)
std::string DisplayWords(const Chatter& chatter, const sdl::LibraryWords& words) {
  const char* x11 = std::getenv("DISPLAY");
  if (x11 && *x11) return chatter.FirstLine();
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return wayland && *wayland ? words.wayland : std::string();
}

// SDL's video drivers that show nothing (tests without a display run on them).
bool ShowsNothing(const char* driver) {
  return std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
}

// Why SDL found no display worth showing a window on, for the one line the
// program ends with; `words`, what the display's library said.
std::string NoDisplayReason(const char* driver, const std::string& words) {
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(name) + "=" + value : std::string();
  };
  const std::string asked = set("SDL_VIDEODRIVER");
  const std::string x11 = set("DISPLAY");
  const std::string wayland = set("WAYLAND_DISPLAY");
  std::string why;
  if (!asked.empty()) {
    why = asked + " was asked for";
  } else if (x11.empty() && wayland.empty()) {
    why = "neither DISPLAY nor WAYLAND_DISPLAY is set";
  } else {
    why = "no display answers at " + (x11.empty() ? wayland : x11);
    if (!words.empty()) why += ": " + words;
  }
  return why + " (SDL has only its \"" + driver + "\" video driver, which shows nothing)";
}

class SdlBackend final : public BackendImpl {
 public:
  explicit SdlBackend(const StartOptions& options)
      : allow_no_display_(options.allow_no_display) {}
  ~SdlBackend() override {
    CloseWindow();
    for (SDL_Joystick*& joy : joysticks_) {
      if (joy) SDL_JoystickClose(joy);
      joy = nullptr;
    }
    WithoutLibraryChatter([] { SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK); });
  }

  // The display libraries' own words are kept off stderr: the one line said
  // when no display can be had holds what they said about it.
  bool Init() {
    // SIGTERM and SIGINT are the program's own (os/system.h): SDL sets no
    // handler of its own for them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    sdl::HushLibraries();
    sdl::TakeLibraryWords();
    // The screen saver is held off only while the window is in front
    // (HoldOffScreenSaver), not for the whole run as SDL would.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    int status = 0;
    const Chatter chatter =
        WithoutLibraryChatter([&] { status = SDL_InitSubSystem(SDL_INIT_VIDEO); });
    const std::string words = DisplayWords(chatter, sdl::TakeLibraryWords());
    if (status != 0) {
      SayLine("vantris: cannot open a display: %s%s%s", Printable(SDL_GetError()).c_str(),
              words.empty() ? "" : ": ", Printable(words).c_str());
      return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!allow_no_display_ && driver && ShowsNothing(driver)) {
      SayLine("vantris: cannot open a display: %s",
              Printable(NoDisplayReason(driver, words)).c_str());
      WithoutLibraryChatter([] { SDL_QuitSubSystem(SDL_INIT_VIDEO); });
      return false;
    }
    sdl::EndWhenTheDisplayGoes();
    sdl::EndOnUnexpectedXErrors();
    WithoutLibraryChatter([] { SDL_InitSubSystem(SDL_INIT_JOYSTICK); });  // optional
    RescanJoysticks();
    return true;
  }

  uint64_t NowMicros() override {
    using Clock = std::chrono::steady_clock;
    static const Clock::time_point start = Clock::now();
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count());
  }
  void SleepMicros(uint64_t us) override {
    std::this_thread::sleep_for(std::chrono::microseconds(us));
  }

  bool OpenWindow(const char* class_name, const char* caption, bool fullscreen, int width,
                  int height) override {
    // Full screen covers the desktop and scales the picture; a caption
    // window's client area is the screen, pixel for pixel.  It shows once
    // its renderer is made: SDL may make the window anew for the renderer,
    // and a window shown first would flash on the screen and be gone.
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    if (!fullscreen) PlaceCaptionWindow(width, height, &x, &y);
    WithoutLibraryChatter([&] { window_ = SDL_CreateWindow(caption, x, y, width, height, flags); });
    if (!window_) {
      SayLine("vantris: cannot create the window: %s", Printable(SDL_GetError()).c_str());
      return false;
    }
    WithoutLibraryChatter([&] {
      renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
      if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    });
    if (!renderer_) {
      SayLine("vantris: cannot draw into the window: %s", Printable(SDL_GetError()).c_str());
      CloseWindow();
      return false;
    }
    // The picture the present streams the frames into, made now: a window
    // that cannot show the game's frames is a failed start, not a black one.
    if (!MakeTexture(SDL_PIXELFORMAT_RGB565, width, height)) {
      SayLine("vantris: cannot make the window's picture: %s", Printable(SDL_GetError()).c_str());
      CloseWindow();
      return false;
    }
    // A second copy of the program finds the window by its class.
    sdl::MarkWindowClass(window_, class_name);
    SDL_ShowWindow(window_);
    sdl::NoteGameWindow(window_);
    // Where no window manager made the window full screen, it is made so
    // here; the renderer takes the window's new size from SDL's events.
    if (fullscreen && sdl::CoverDisplayWithoutWindowManager(window_)) SDL_PumpEvents();
    SDL_RenderSetLogicalSize(renderer_, width, height);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
    width_ = width;
    height_ = height;
    fullscreen_ = fullscreen;
    SDL_StopTextInput();
    return true;
  }

  // A caption window centred on the first display as SDL centres it, but
  // with its top-left corner kept on the display's usable area where the
  // display is smaller than the window: its title bar (a window manager
  // puts the frame's corner where the window is asked to be) and the
  // picture's top-left stay on the screen.  SDL's own centring where the
  // display's bounds are unknown.
  static void PlaceCaptionWindow(int width, int height, int* x, int* y) {
    SDL_Rect bounds{}, usable{};
    if (SDL_GetDisplayBounds(0, &bounds) != 0) return;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) usable = bounds;
    *x = std::max(bounds.x + (bounds.w - width) / 2, usable.x);
    *y = std::max(bounds.y + (bounds.h - height) / 2, usable.y);
  }

  void CloseWindow() override {
    sdl::NoteGameWindow(nullptr);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
  }

  void MinimiseWindow() override {
    if (window_) SDL_MinimizeWindow(window_);
  }
  void RaiseWindow() override {
    if (window_) SDL_RaiseWindow(window_);
  }
  uint64_t FindOtherWindow(const char* class_name, const char* caption, long pid,
                           std::string* why) override {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "x11") == 0) {
      return sdl::FindMarkedWindow(class_name, caption, pid, why);
    }
    if (driver && std::strcmp(driver, "wayland") == 0) {
      *why = "Wayland lets no program raise another's window";
    } else {
      *why = std::string("SDL's \"") + (driver ? driver : "") +
             "\" video driver shows no other program's window";
    }
    return 0;
  }
  bool BringOtherWindowForward(uint64_t window, std::string* why) override {
    return sdl::BringMarkedWindowForward(window, why);
  }
  void SetTopmost() override {
    if (window_) SDL_SetWindowAlwaysOnTop(window_, SDL_TRUE);
  }
  void WindowPosition(int* x, int* y) override {
    *x = *y = 0;
    if (window_) SDL_GetWindowPosition(window_, x, y);
  }

  void PumpEvents() override {
    SDL_Event event;
    while (SDL_PollEvent(&event)) Translate(event);
  }

  void WaitEvents(uint64_t max_micros) override {
    // Without a deadline the wait is cut into short ones, so that the pump
    // hooks (the music's end) keep running.
    constexpr uint64_t kLongestWait = 50000;
    // A sleep ends later than asked (the scheduler, timer slack): a deadline
    // is slept up to about as much before it as sleeps have overslept
    // lately, and the caller polls the rest, so that the frame it waits for
    // starts on time.
    const uint64_t early = max_micros < kLongestWait ? oversleep_ : 0;
    if (max_micros <= early) {
      PumpEvents();
      return;
    }
    const uint64_t wait = std::min(max_micros, kLongestWait) - early;
    const uint64_t start = NowMicros();
    SDL_Event event;
    // SDL waits in whole milliseconds; what is left below one is slept.
    if (wait >= 1000 && SDL_WaitEventTimeout(&event, static_cast<int>(wait / 1000))) {
      Translate(event);
    } else {
      const uint64_t spent = NowMicros() - start;
      if (spent < wait) SleepMicros(wait - spent);
      // What this sleep overslept, followed at once upwards, slowly down.
      constexpr uint64_t kMostEarly = 2000;
      const uint64_t slept = NowMicros() - start;
      const uint64_t over = std::min(slept > wait ? slept - wait : 0, kMostEarly);
      oversleep_ = over > oversleep_ ? over : oversleep_ - (oversleep_ - over) / 16;
    }
    PumpEvents();
  }

  void SetCursorShown(bool shown) override { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }
  void ApplyCursorClip(const Rect* rect) override {
    clipped_ = rect != nullptr;
    if (rect) clip_ = *rect;
    ConfinePointer();
  }
  void HoldOffScreenSaver(bool hold) override {
    if (hold) {
      SDL_DisableScreenSaver();
    } else {
      SDL_EnableScreenSaver();
      sdl::LetX11ScreenSaverRun(window_);
    }
  }
  void SetWindowIcon(const std::string& name) override { sdl::SetWindowIcon(window_, name); }
  void WarpCursor(int x, int y) override {
    if (!window_) return;
    int wx = 0, wy = 0;
    WindowPosition(&wx, &wy);
    // To the middle of the window pixels the game's pixel is scaled to, so
    // that the motion it makes names that pixel again.
    int px = x - wx, py = y - wy;
    if (renderer_) SDL_RenderLogicalToWindow(renderer_, px + 0.5f, py + 0.5f, &px, &py);
    SDL_WarpMouseInWindow(window_, px, py);
  }
  void SetTextInput(bool on) override {
    if (on) {
      SDL_StartTextInput();
    } else {
      SDL_StopTextInput();
    }
  }

  BoxResult ShowMessageBox(const std::string& text, const std::string& detail,
                           const std::string& title, uint32_t flags, int* answer,
                           std::string* why) override {
    // An end asked for before the box came up (the quit SDL sends when the
    // last window closes) ends it at once; a signal's is seen by the box's
    // loop.
    SDL_PumpEvents();
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0) {
      SDL_FlushEvent(SDL_QUIT);
      return BoxResult::Ended;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || ShowsNothing(driver)) {
      *why = std::string("SDL's \"") + (driver ? driver : "") + "\" video driver shows nothing";
      return BoxResult::NotShown;
    }
    const BoxFonts fonts = OpenBoxFonts(why);
    if (!fonts.text) return BoxResult::NotShown;
    SizedFont& font = *fonts.text;
    SizedFont& mark = *fonts.mark;
    const Rect screen = BoxScreen();
    BoxModel box = LayoutBox(text, detail, flags, font, BoxLimitsFor(screen));
    for (int key : {KeyReturn, KeySpace, KeyEscape}) {
      if (GetKeyState(key) & 0x80) box.held_keys.push_back(key);
    }
    RenderBox(box, font, mark);
    SDL_Window* shown = OpenBoxWindow(box, title, screen);
    if (!shown) {
      *why = SDL_GetError();
      return BoxResult::NotShown;
    }
    const BoxResult result = RunBox(shown, box, font, mark);
    CloseBoxWindow(shown);
    *answer = result == BoxResult::Ended ? box.close_answer : box.answer;
    return result;
  }

  bool RingBell() override { return sdl::RingX11Bell(window_); }

  void DesktopSize(int* width, int* height, int* bits) override {
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
      *width = mode.w;
      *height = mode.h;
      *bits = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
      if (*bits == 24) *bits = 32;
    } else {
      *width = 800;
      *height = 600;
      *bits = 32;
    }
  }

  bool ReadJoystick(int id, JoyReading* out) override {
    if (id < 0 || id > 1 || !joysticks_[id]) return false;
    SDL_JoystickUpdate();
    SDL_Joystick* joy = joysticks_[id];
    if (!SDL_JoystickGetAttached(joy)) return false;
    auto axis = [joy](int n) -> uint32_t {
      if (SDL_JoystickNumAxes(joy) <= n) return 32767;
      return static_cast<uint32_t>(SDL_JoystickGetAxis(joy, n) + 32768);
    };
    out->x = axis(0);
    out->y = axis(1);
    out->buttons = 0;
    const int buttons = std::min(SDL_JoystickNumButtons(joy), 32);
    for (int b = 0; b < buttons; ++b) {
      if (SDL_JoystickGetButton(joy, b)) out->buttons |= 1u << b;
    }
    return true;
  }

  void RescanJoysticks() override {
    for (SDL_Joystick*& joy : joysticks_) {
      if (joy) SDL_JoystickClose(joy);
      joy = nullptr;
    }
    const int count = std::min(SDL_NumJoysticks(), 2);
    for (int i = 0; i < count; ++i) joysticks_[i] = SDL_JoystickOpen(i);
  }

  void Present(const FrameView& frame, bool vsync) override {
    if (!renderer_ || !frame.pixels) return;
    if (vsync != vsync_) {
      vsync_ = vsync;
      SDL_RenderSetVSync(renderer_, vsync ? 1 : 0);
    }
    const Uint32 format = frame.rgb555 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
    if (!MakeTexture(format, frame.width, frame.height)) return;
    SDL_UpdateTexture(texture_, nullptr, frame.pixels, frame.pitch);
    ShowLastFrame();
    last_present_ = NowMicros();
  }

  // The streaming texture the frames go into, of that format and size; a new
  // one is black until a frame comes.
  bool MakeTexture(Uint32 format, int width, int height) {
    if (texture_ && texture_format_ == format && texture_w_ == width && texture_h_ == height)
      return true;
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    texture_format_ = format;
    texture_w_ = width;
    texture_h_ = height;
    void* pixels = nullptr;
    int pitch = 0;
    if (texture_ && SDL_LockTexture(texture_, nullptr, &pixels, &pitch) == 0) {
      std::memset(pixels, 0, static_cast<size_t>(pitch) * static_cast<size_t>(height));
      SDL_UnlockTexture(texture_);
    }
    return texture_ != nullptr;
  }

  // The last frame presented, again (the window was uncovered while no
  // frame runs).
  void ShowLastFrame() {
    if (!renderer_) return;
    SDL_RenderClear(renderer_);
    if (texture_) SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
  }

 private:
  // ---- message boxes ----

  // The usable area of the game window's display (the first display's
  // without a game window; its whole area where the usable one is unknown).
  Rect BoxScreen() {
    const int display = window_ ? std::max(0, SDL_GetWindowDisplayIndex(window_)) : 0;
    SDL_Rect area{};
    if (SDL_GetDisplayUsableBounds(display, &area) != 0 &&
        SDL_GetDisplayBounds(display, &area) != 0) {
      area = SDL_Rect{0, 0, 800, 600};
    }
    return Rect{area.x, area.y, area.x + area.w, area.y + area.h};
  }

  // A dialog window of the box's size over the middle of the game window
  // and on its display, transient for it and kept above it (full screen
  // too), with the focus.
  SDL_Window* OpenBoxWindow(const BoxModel& box, const std::string& title, const Rect& screen) {
    Rect owner;
    if (window_) {
      int gw = 0, gh = 0;
      SDL_GetWindowPosition(window_, &owner.left, &owner.top);
      SDL_GetWindowSize(window_, &gw, &gh);
      owner.right = owner.left + gw;
      owner.bottom = owner.top + gh;
    }
    const BoxPlace at = PlaceBox(box.width, box.height, window_ ? &owner : nullptr, screen);
    SDL_SetHint(SDL_HINT_X11_WINDOW_TYPE, "_NET_WM_WINDOW_TYPE_DIALOG");
    // Closing the box is not closing the program, even where it is the only
    // window.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_Window* shown = nullptr;
    WithoutLibraryChatter([&] {
      shown = SDL_CreateWindow(title.c_str(), at.x, at.y, box.width, box.height,
                               SDL_WINDOW_HIDDEN | SDL_WINDOW_ALWAYS_ON_TOP |
                                   SDL_WINDOW_SKIP_TASKBAR);
    });
    // The window's pixels come before anything else is set on it: through
    // the system's own framebuffer where there is one (no graphics context
    // for a box), else through a renderer, for which SDL may create the
    // window anew.
    bool painted = false;
    if (shown) {
      WithoutLibraryChatter([&] {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (!SDL_GetWindowSurface(shown)) SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
        painted = SDL_GetWindowSurface(shown) != nullptr;
      });
    }
    SDL_ResetHint(SDL_HINT_X11_WINDOW_TYPE);
    if (!painted) {
      if (shown) SDL_DestroyWindow(shown);
      ResetBoxHints();
      return nullptr;
    }
    if (window_) SDL_SetWindowModalFor(shown, window_);
    cursor_before_box_ = SDL_ShowCursor(SDL_QUERY);
    SDL_ShowCursor(SDL_ENABLE);
    SDL_ShowWindow(shown);
    SDL_RaiseWindow(shown);
    SDL_SetWindowInputFocus(shown);
    return shown;
  }

  static void ResetBoxHints() {
    SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
    SDL_ResetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE);
  }

  void CloseBoxWindow(SDL_Window* shown) {
    SDL_DestroyWindow(shown);
    SDL_ShowCursor(cursor_before_box_);
    ResetBoxHints();
    // The game window takes the keyboard back, as an owner does.
    if (window_) {
      SDL_RaiseWindow(window_);
      SDL_SetWindowInputFocus(window_);
    }
  }

  static void PaintBox(SDL_Window* shown, BoxModel& box) {
    SDL_Surface* target = SDL_GetWindowSurface(shown);
    if (!target) return;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        box.pixels.data(), box.width, box.height, 32, box.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!source) return;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0xF0, 0xF0, 0xF0));
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(shown);
  }

  // The box's own loop: its window's keys and pointer go to the box, a key
  // from any window of the program too (the game window takes no input while
  // a box is up); the keys' and buttons' states still follow the devices,
  // but no message reaches the game.  Ended when a signal or the game
  // window's close asks for the end.
  BoxResult RunBox(SDL_Window* shown, BoxModel& box, SizedFont& font, SizedFont& mark) {
    const Uint32 box_id = SDL_GetWindowID(shown);
    const Uint32 game_id = window_ ? SDL_GetWindowID(window_) : 0;
    bool paint = true;
    for (;;) {
      if (TakeDueEndSignal()) return BoxResult::Ended;
      if (paint) PaintBox(shown, box);
      paint = false;
      SDL_Event event;
      if (!SDL_WaitEventTimeout(&event, 100)) continue;
      BoxEvent happened = BoxEvent::None;
      switch (event.type) {
        case SDL_QUIT:
          return BoxResult::Ended;
        case SDL_WINDOWEVENT:
          if (event.window.windowID == box_id) {
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) return BoxResult::Shown;
            paint = event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                    event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED;
          } else if (event.window.windowID == game_id) {
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) return BoxResult::Ended;
            if (event.window.event == SDL_WINDOWEVENT_EXPOSED) ShowLastFrame();
            if (event.window.event == SDL_WINDOWEVENT_MOVED) Translate(event);
          }
          break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
          const int key = NoteKey(event.key);
          if (!key) break;
          const bool down = event.type == SDL_KEYDOWN;
          happened = down ? BoxKeyDown(box, key, (event.key.keysym.mod & KMOD_SHIFT) != 0,
                                       event.key.repeat != 0)
                          : BoxKeyUp(box, key);
          break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
          if (event.button.button == SDL_BUTTON_LEFT || event.button.button == SDL_BUTTON_RIGHT) {
            SetKeyDown(event.button.button == SDL_BUTTON_LEFT ? KeyLButton : KeyRButton,
                       event.type == SDL_MOUSEBUTTONDOWN);
          }
          if (event.button.windowID != box_id || event.button.button != SDL_BUTTON_LEFT) break;
          happened = event.type == SDL_MOUSEBUTTONDOWN
                         ? BoxPointerDown(box, event.button.x, event.button.y)
                         : BoxPointerUp(box, event.button.x, event.button.y);
          break;
        case SDL_MOUSEMOTION:
          if (event.motion.windowID == box_id) {
            happened = BoxPointerMove(box, event.motion.x, event.motion.y);
          }
          break;
        default:
          break;
      }
      if (happened == BoxEvent::Answered) return BoxResult::Shown;
      if (happened == BoxEvent::Redraw) {
        RenderBox(box, font, mark);
        paint = true;
      }
    }
  }

  void ConfinePointer() {
    sdl::ConfinePointer(window_, renderer_, fullscreen_, clipped_ ? &clip_ : nullptr);
  }

  void Translate(const SDL_Event& event) {
    const Window window = MainWindow();
    switch (event.type) {
      case SDL_QUIT:
        QueueMessage(Message{window, MsgClose, 0, 0});
        break;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
          focused_ = true;
          QueueMessage(Message{window, MsgActivateApp, 1, 0});
          NoteWindowInFront(true);
        } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
          focused_ = false;
          ReleaseAllKeys();
          QueueMessage(Message{window, MsgActivateApp, 0, 0});
          NoteWindowInFront(false);
        } else if (event.window.event == SDL_WINDOWEVENT_MINIMIZED) {
          NoteWindowInFront(false);
        } else if (event.window.event == SDL_WINDOWEVENT_MOVED) {
          QueueMessage(Message{window, MsgMove, 0,
                               MousePos(event.window.data1, event.window.data2)});
          ConfinePointer();
        } else if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
          ConfinePointer();
        } else if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
          QueueMessage(Message{window, MsgClose, 0, 0});
        } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
          // Uncovered (a window dragged across it, a window manager taking
          // it over) while no frame runs: nothing else would paint it.
          // Running frames paint it within one, and are left their pace.
          if (!focused_ || NowMicros() - last_present_ > kFramesStopped) ShowLastFrame();
        } else if (event.window.event == SDL_WINDOWEVENT_ENTER) {
          QueueSetCursor();  // the window gives the pointer its shape
        } else if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
          // The pointer is somewhere outside the window now; in the game's
          // pixels, as a motion gives them, beside the window's place.
          int x = 0, y = 0, wx = 0, wy = 0;
          SDL_GetGlobalMouseState(&x, &y);
          WindowPosition(&wx, &wy);
          float lx = static_cast<float>(x - wx), ly = static_cast<float>(y - wy);
          if (renderer_) SDL_RenderWindowToLogical(renderer_, x - wx, y - wy, &lx, &ly);
          NoteCursorPos(wx + static_cast<int>(std::floor(lx)),
                        wy + static_cast<int>(std::floor(ly)));
        }
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        const int key = NoteKey(event.key);
        if (!key) break;
        const bool down = event.type == SDL_KEYDOWN;
        // With Alt held (or for Alt itself) the key is a system key.
        const bool sys = key == KeyAlt || (event.key.keysym.mod & KMOD_ALT) != 0;
        uint32_t msg = down ? (sys ? MsgSysKeyDown : MsgKeyDown) : (sys ? MsgSysKeyUp : MsgKeyUp);
        int64_t lparam = 1;
        if (down && event.key.repeat) lparam |= int64_t{1} << 30;
        if (!down) lparam |= int64_t{3} << 30;
        QueueMessage(Message{window, msg, static_cast<uint64_t>(key), lparam});
        break;
      }
      case SDL_MOUSEMOTION: {
        const int x = std::clamp(event.motion.x, 0, width_ - 1);
        const int y = std::clamp(event.motion.y, 0, height_ - 1);
        int wx = 0, wy = 0;
        WindowPosition(&wx, &wy);
        QueuePointerMove(wx + x, wy + y, x, y);
        break;
      }
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        // Where no window manager gives the window the keyboard, its click
        // does; the click itself goes to the game too, as under one.
        if (down) sdl::TakeKeyboardWithoutWindowManager(window_, fullscreen_);
        const bool left = event.button.button == SDL_BUTTON_LEFT;
        const bool right = event.button.button == SDL_BUTTON_RIGHT;
        if (!left && !right) break;
        const int x = std::clamp(event.button.x, 0, width_ - 1);
        const int y = std::clamp(event.button.y, 0, height_ - 1);
        SetKeyDown(left ? KeyLButton : KeyRButton, down);
        // A second click in quick succession arrives as a double click in
        // place of its button-down, as the classic message order has it.
        const bool dbl = down && event.button.clicks == 2;
        uint32_t msg;
        if (left) {
          msg = !down ? MsgLButtonUp : dbl ? MsgLButtonDblClk : MsgLButtonDown;
        } else {
          msg = !down ? MsgRButtonUp : dbl ? MsgRButtonDblClk : MsgRButtonDown;
        }
        QueueMessage(Message{window, msg, 0, MousePos(x, y)});
        break;
      }
      default:
        break;
    }
  }

  // No frame presented for this long (six frames at 60 a second): no frame
  // runs (between scenes, loading); none runs either while the window has
  // not the keyboard (the game inactive).
  static constexpr uint64_t kFramesStopped = 100000;  // microseconds

  bool allow_no_display_ = false;
  uint64_t oversleep_ = 0;  // microseconds
  uint64_t last_present_ = 0;  // NowMicros() of the last frame presented
  bool focused_ = false;  // the window has the keyboard: the game is active
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  Uint32 texture_format_ = 0;
  int texture_w_ = 0, texture_h_ = 0;
  int width_ = 800, height_ = 600;
  bool fullscreen_ = false;  // the window covers its display
  bool clipped_ = false;  // the pointer is to be kept inside clip_
  Rect clip_;             // screen pixels
  bool vsync_ = false;
  int cursor_before_box_ = SDL_ENABLE;
  SDL_Joystick* joysticks_[2] = {nullptr, nullptr};
};

}  // namespace

std::unique_ptr<BackendImpl> MakeSdlBackend(const StartOptions& options) {
  auto backend = std::make_unique<SdlBackend>(options);
  if (!backend->Init()) return nullptr;
  return backend;
}

}  // namespace os
