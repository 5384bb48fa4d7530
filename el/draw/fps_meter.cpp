#include "el/draw/fps_meter.h"

#include <cstdio>

#include "el/draw/text.h"
#include "el/system/frame_timer.h"
#include "os/system.h"

int32_t FpsCount = 0;
float FpsValue = 0.0f;
float FpsMax = 0.0f;
float FpsMin = 999.9f;
char FpsText[64] = {};

namespace elDraw {

void DrawFps() {
  const uint32_t now = os::TimeMs();
  // Wrap-safe "now has reached the sample time".
  if (static_cast<int32_t>(now - FpsSampleTime) >= 0) {
    FpsValue = static_cast<float>(FpsCount) / 2.0f;
    if (FpsValue > FpsMax) FpsMax = FpsValue;
    if (FpsValue > 0.0f && FpsValue < FpsMin) FpsMin = FpsValue;
    FpsSampleTime = now + 2000;
    FpsCount = 0;
  }
  if (FpsCount < 999) ++FpsCount;
  std::snprintf(FpsText, sizeof FpsText, "%3.1f fps ( max %3.1f / min %3.1f )",
                static_cast<double>(FpsValue), static_cast<double>(FpsMax),
                static_cast<double>(FpsMin));
  SelectFont(FaceGothic, 12, 0, 0, 0, 0);
  SetTextColor(0xFFFFFF, 0x800000, 0);
  TextOut(0, 0, FpsText);
  DeleteFont();
}

}  // namespace elDraw
