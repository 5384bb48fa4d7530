// Linked into every executable of the sanitizer build (VANTRIS_SANITIZE), and
// only there: the sanitizers' settings are built in, so that the game, the
// runner, the tools, the tests and the fuzz targets run the same with or
// without any *SAN_OPTIONS in the environment (a variable given still wins
// over these).
//
// - A leak, like any other report, stops the program with abort(), so that a
//   script expecting a plain exit status of 1 cannot take a report for it.
// - What the system libraries keep in process-wide caches until exit is not
//   the program's leak: the list below names them.
// - The libraries that SDL and the graphics drivers load at run time stay
//   loaded until exit (dlclose does nothing).  Unloaded, their caches would
//   lose the pointers that hold them, and the leak check could name neither
//   the library nor a suppression for it.

extern "C" {

#define VANTRIS_SANITIZER_HOOK \
  __attribute__((used, visibility("default"), no_sanitize("address", "undefined")))

VANTRIS_SANITIZER_HOOK const char* __asan_default_options() {
  return "detect_leaks=1:abort_on_error=1";
}

VANTRIS_SANITIZER_HOOK const char* __ubsan_default_options() {
  return "print_stacktrace=1:halt_on_error=1";
}

// The suppressions used are not listed at exit: a clean run prints nothing.
VANTRIS_SANITIZER_HOOK const char* __lsan_default_options() { return "print_suppressions=0"; }

VANTRIS_SANITIZER_HOOK const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n"
         "leak:libfluidsynth\n"
         "leak:libSDL2\n"
         "leak:libglib\n"
         "leak:libdbus\n"
         "leak:libX11\n"
         "leak:libpulse\n"
         "leak:libasound\n";
}

VANTRIS_SANITIZER_HOOK int dlclose(void*) { return 0; }

}  // extern "C"
