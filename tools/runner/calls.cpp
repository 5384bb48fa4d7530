#include "calls.h"

#include <cstdlib>
#include <sstream>

namespace runner {
namespace {

bool ParseLong(const std::string& s, long* out) {
  if (s.empty()) return false;
  char* end = nullptr;
  const long v = std::strtol(s.c_str(), &end, 10);
  if (end == nullptr || *end != '\0') return false;
  *out = v;
  return true;
}

}  // namespace

bool ParseCalls(const std::string& text, std::vector<RoleCall>* calls, std::string* error) {
  std::istringstream in(text);
  std::string line;
  int line_number = 0;
  while (std::getline(in, line)) {
    ++line_number;
    line = line.substr(0, line.find('#'));
    std::istringstream fields(line);
    std::string from, to, slot, extra;
    RoleCall call;
    if (!(fields >> from)) continue;  // empty or comment line
    bool ok = (fields >> to >> call.name) && ParseLong(from, &call.from) &&
              ParseLong(to, &call.to) && call.from >= 0 && call.to >= call.from;
    if (ok && (fields >> slot)) ok = call.has_slot = ParseLong(slot, &call.slot);
    if (ok && (fields >> extra)) ok = false;
    if (!ok) {
      *error = "line " + std::to_string(line_number) + ": expected \"FROM TO NAME [SLOT]\"";
      return false;
    }
    calls->push_back(call);
  }
  return true;
}

}  // namespace runner
