#include "os/sdl/sdl_quiet.h"

#include <SDL.h>
#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace os::sdl {
namespace {

// The messages come from SDL's threads too.
std::mutex g_words_mutex;
LibraryWords g_words;

// Keeps the first message of one library, "error: " and the closing ".\n"
// dropped.
void Keep(std::string* kept, const char* format, va_list args) {
  char text[256];
  std::vsnprintf(text, sizeof text, format, args);
  std::string message = text;
  if (message.starts_with("error: ")) message.erase(0, 7);
  while (!message.empty() && (message.back() == '\n' || message.back() == '.')) message.pop_back();
  std::lock_guard<std::mutex> lock(g_words_mutex);
  if (kept->empty()) *kept = message;
}

// ALSA's snd_lib_error_handler_t.
void KeepAlsaError(const char*, int, const char*, int, const char* format, ...) {
  va_list args;
  va_start(args, format);
  Keep(&g_words.alsa, format, args);
  va_end(args);
}

// Wayland's wl_log_func_t.
void KeepWaylandLog(const char* format, va_list args) { Keep(&g_words.wayland, format, args); }

void DropSdlLog(void*, int, SDL_LogPriority, const char*) {}

using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using AlsaSetter = int (*)(AlsaErrorHandler);
using WaylandLogHandler = void (*)(const char*, va_list);
using WaylandSetter = void (*)(WaylandLogHandler);

// Hands `hook` to the setter of a library that SDL uses.  The library is
// loaded here first and stays loaded, so that SDL, linked to it or loading it
// itself, gets this same copy with the hook in place.
template <typename Setter, typename Hook>
void SetHook(const char* library, const char* setter, Hook hook) {
  void* handle = ::dlopen(library, RTLD_LAZY | RTLD_LOCAL);
  if (!handle) return;
  if (void* set = ::dlsym(handle, setter)) reinterpret_cast<Setter>(set)(hook);
}

}  // namespace

void HushLibraries() {
  static std::once_flag once;
  std::call_once(once, [] {
    SDL_LogSetOutputFunction(&DropSdlLog, nullptr);
    SetHook<AlsaSetter>("libasound.so.2", "snd_lib_error_set_handler",
                        AlsaErrorHandler{&KeepAlsaError});
    SetHook<WaylandSetter>("libwayland-client.so.0", "wl_log_set_handler_client",
                           WaylandLogHandler{&KeepWaylandLog});
  });
}

LibraryWords TakeLibraryWords() {
  std::lock_guard<std::mutex> lock(g_words_mutex);
  LibraryWords words = g_words;
  g_words = LibraryWords{};
  return words;
}

}  // namespace os::sdl
