// The ending scene (scene 10): its timeline on the scroll position, its
// pictures and credits.  EndingScene itself is in shell/scenes.h.
#pragma once
#include <cstdint>

constexpr float EndingScrollRate = 18.0f;  // ScrollPos per second
// Windows on ScrollPos, inclusive at both ends.
constexpr float EndingMessageEnd = 300.0f;  // the closing message from 0
constexpr float EndingShipEnd = 500.0f;     // the ship and its shots from 0
constexpr float EndingPicture1Start = 501.0f;
constexpr float EndingPicture2Start = 801.0f;
constexpr float EndingPicture3Start = 1101.0f;
constexpr float EndingPictureLength = 299.0f;
constexpr float EndingCreditsStart = 1401.0f;
constexpr float EndingCreditsEnd = 1600.0f;
constexpr float EndingLength = 1600.0f;  // past this the scene goes to the title

constexpr int32_t EndingCreditCount = 7;
// The credit lines, drawn at x 280 from y 180, 20 pixels apart.
extern const char* const EndingCredits[EndingCreditCount];
// The credits' font and glyphs made ready (at start-up, not in the ending).
void PrepareEndingCredits();

// Height of the ending's game-over banner: 30 on entry, growing by 30 pixels
// per second while it is drawn.
extern float EndingBannerHeight;
