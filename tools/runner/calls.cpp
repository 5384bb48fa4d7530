#include "calls.h"

#include "script.h"

namespace runner {

bool ParseCalls(const std::string& text, std::vector<RoleCall>* calls, std::string* error) {
  return ForEachLine(
      text, "\"FROM TO NAME [SLOT]\"",
      [calls](std::istringstream& fields) {
        std::string from, to, slot, extra;
        RoleCall call;
        bool ok = (fields >> from >> to >> call.name) && ParseNumber(from, &call.from) &&
                  ParseNumber(to, &call.to) && call.from >= 0 && call.to >= call.from;
        if (ok && (fields >> slot)) {
          call.has_slot = true;
          ok = ParseNumber(slot, &call.slot);
        }
        if (ok && (fields >> extra)) ok = false;
        if (ok) calls->push_back(call);
        return ok;
      },
      error);
}

}  // namespace runner
