// The circle constants of the game's angles (radians; 0 right, pi/2 down on
// the screen).
#pragma once

constexpr double Pi = 3.14159265358979323846;
constexpr double TwoPi = 2.0 * Pi;
constexpr float PiF = static_cast<float>(Pi);
