// Helpers shared by the object loaders and the pack loaders.
#pragma once
#include <cstdint>
#include <string>

#include "el/draw/objects.h"

namespace elDraw {

bool NameTooLong(const char* name);  // nullptr or more than MaxObjectName bytes
int FindFreeSlot();                  // lowest free slot from 4, or -1
void SetSlotName(SpriteObject& o, const char* name);
// The colour key of a freshly filled slot from the load settings.
void ApplyLoadKey(SpriteObject& o);
// What the draws of a picture just loaded derive from its pixels (the keyed
// copy's runs, the rows' opaque extents), made now rather than by the first
// frames that draw it.
void PrepareLoadedPicture(SpriteObject& o);
// A blank object ("*") in this slot; reports and returns false when its
// surface cannot be made (the slot stays taken).
bool CreateObjectInSlot(int slot, int32_t width, int32_t height, int32_t memory_mode);
std::string ProgramPath(const char* name);  // the program's folder + name

}  // namespace elDraw
