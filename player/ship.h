// The player's ship: the keys read once a frame through their edge states,
// the velocity, the bank frames, the move inside its box and the draw.
#pragma once
#include <cstdint>

#include "el/input/keys.h"

// The edge states of the ship's seven keys, kept between frames.  Only the
// held state (3) acts, so a key acts from its second frame on.
extern EdgeState ShipKeyLeft, ShipKeyRight, ShipKeyUp, ShipKeyDown;
extern EdgeState ShipKeyC, ShipKeyV, ShipKeyB;

// The box that the ship's top-left corner is kept in.
constexpr float ShipMinX = 180.0f, ShipMaxX = 560.0f;
constexpr float ShipMinY = 220.0f, ShipMaxY = 540.0f;

// Keys to velocity, bank direction, background drift, salvo and lasers.
// Called only by PlayerMove.
void ReadPlayerKeys();
// Once per frame after the present: bank step, keys, move, clamp.
void PlayerMove();
// Once per frame before the present: the ship's draw and the mouse control.
void PlayerUpdate();

// The ship's fly-in (no caller in play): one record per ship type.
struct ShipIntroRecord {
  int32_t counter;
  uint32_t done;
  float x;
  float y;
};
extern ShipIntroRecord ShipIntroRecords[2];
void ShipIntroFlyIn();
// New game: both fly-in records parked at (-500, 2550), the rest 0.
void ResetShipIntro();
