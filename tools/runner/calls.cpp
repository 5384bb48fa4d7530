#include "calls.h"

#include "input.h"

namespace runner {

// The largest slot a line may name; a role's own table is smaller still.
constexpr long kMaxSlot = 999999;

bool ParseCalls(std::string_view text, long last_frame, std::vector<RoleCall>* calls,
                std::string* error) {
  const LineRules rules{"\"FROM TO NAME [SLOT]\""};
  return ForEachLine(
      text, rules,
      [calls, last_frame](LineWords& words) {
        RoleCall call;
        if (!words.Frame(&call.from) || !words.Frame(&call.to, call.from) ||
            !words.Word("the role's name", &call.name))
          return false;
        call.has_slot = words.More();
        if (call.has_slot && !words.Number("a slot", 0, kMaxSlot, &call.slot)) return false;
        if (!words.End() || !words.NotPast(call.from, last_frame)) return false;
        call.line = words.LineNumber();
        calls->push_back(call);
        return true;
      },
      error);
}

}  // namespace runner
