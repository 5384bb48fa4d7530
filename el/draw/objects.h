// The 500-slot sprite object table, the picture loaders, colour keys and
// image packs.  A sprite handle is a slot index; slots 0 to 3 are the
// library's Buffer, Screen, Font and Font buffer objects, 4 to 499 are
// handed out, always the lowest free one.
#pragma once
#include <cstdint>
#include <string>

#include "os/surface.h"

struct SpriteObject {
  os::Surface* Surface = nullptr;  // the picture; none for a free slot
  char Name[32] = {};              // first byte 0: free; "*" a blank object
  uint32_t Packed = 0;             // 1 when loaded from an image pack
  int32_t ReloadMode = 2;          // memory mode of a reload after a loss
  uint32_t KeyColor = 0;           // COLORREF of the key; 0xFFFFFFFF = the top-left pixel
  uint16_t Width = 0;
  uint16_t Height = 0;
};

constexpr int SpriteObjectCount = 500;
constexpr int FirstFreeSprite = 4;
constexpr int MaxObjectName = 30;  // longest name a slot takes
constexpr uint32_t ImageKeyColor = 0xFFFFFFFF;

extern SpriteObject SpriteObjects[SpriteObjectCount];

// Load settings.
extern uint32_t LoadKeyColor;  // COLORREF whose screen value keys the next loads
extern uint32_t UseImageKey;   // 1: the next loads key on their own top-left pixel
extern std::string ImagePackPath;

namespace elDraw {

int32_t LoadObject(const char* name, int32_t memory_mode);
int32_t CreateObject(int32_t width, int32_t height, int32_t memory_mode);
void ReleaseObject(int32_t handle);
int32_t SwapObject(const char* name, int32_t handle, int32_t memory_mode);
// After a lost surface: restores every surface and reloads the pictures.
void RestoreSurfaces();

void SetPackFile(const char* name);
int32_t LoadPack(const char* name, int32_t memory_mode);
int32_t SwapPack(const char* name, int32_t handle, int32_t memory_mode);
int32_t Convert(const char* pack_name, const char* folder, int32_t delete_first);
void ConvertFile(const char* pack_name, const char* picture_name);

void SetLoadColorKey(uint32_t colorref);
void UseImageColorKey();
void SetObjectColorKey(int32_t handle, uint32_t colorref);
void ResetObjectColorKey(int32_t handle);
void CopyColorKey(int32_t destination, int32_t source);

// Surface routines of the loaders and the screen start-up.  A failed
// LoadBitmapSurface says the reason in English in *why.
os::Surface* LoadBitmapSurface(os::Display* display, const char* path, uint16_t* width,
                               uint16_t* height, int32_t memory_mode,
                               std::string* why = nullptr);
os::SurfaceResult CopyBitmap(os::Surface* surface, const os::Bitmap* bitmap, int32_t x,
                             int32_t y, int32_t w, int32_t h);
uint32_t GetKeyPixel(os::Surface* surface, uint32_t colorref);
os::SurfaceResult SetSurfaceColorKey(os::Surface* surface, uint32_t colorref);

// Caps of a sprite surface for a memory mode: 2 asks for a plain off-screen
// surface, any other value for system memory.
uint32_t ObjectCaps(int32_t memory_mode);
// True for a handle of the table (0..499).
inline bool ValidHandle(int32_t handle) { return handle >= 0 && handle < SpriteObjectCount; }

}  // namespace elDraw
