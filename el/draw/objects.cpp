#include "el/draw/objects.h"

#include <cstring>
#include <span>

#include "el/draw/objects_internal.h"
#include "el/draw/screen.h"
#include "el/system/system_services.h"
#include "os/bmp.h"
#include "os/path.h"
#include "os/resources.h"
#include "os/surface_blit.h"

SpriteObject SpriteObjects[SpriteObjectCount];

uint32_t LoadKeyColor = 0;
uint32_t UseImageKey = 0;
std::string ImagePackPath;

namespace elDraw {

// ---- helpers shared with the pack loaders --------------------------------------

bool NameTooLong(const char* name) {
  return name == nullptr || strnlen(name, MaxObjectName + 1) > MaxObjectName;
}

int FindFreeSlot() {
  for (int slot = FirstFreeSprite; slot < SpriteObjectCount; ++slot)
    if (SpriteObjects[slot].Name[0] == '\0') return slot;
  return -1;
}

void SetSlotName(SpriteObject& o, const char* name) {
  if (name == o.Name) return;
  std::memset(o.Name, 0, sizeof(o.Name));
  std::memcpy(o.Name, name, strnlen(name, sizeof(o.Name) - 1));
}

void ApplyLoadKey(SpriteObject& o) {
  if (UseImageKey == 1) {
    SetSurfaceColorKey(o.Surface, ImageKeyColor);
    o.KeyColor = ImageKeyColor;
  } else {
    SetSurfaceColorKey(o.Surface, LoadKeyColor);
    o.KeyColor = LoadKeyColor;
  }
}

void PrepareLoadedPicture(SpriteObject& o) {
  if (o.Surface == nullptr) return;
  os::KeyedRunCache::Prepare(o.Surface);
  os::OpaqueExtents::Prepare(o.Surface);
}

bool CreateObjectInSlot(int slot, int32_t width, int32_t height, int32_t memory_mode) {
  SpriteObject& o = SpriteObjects[slot];
  SetSlotName(o, "*");
  o.Packed = 0;
  o.ReloadMode = 2;
  o.Width = static_cast<uint16_t>(width);
  o.Height = static_cast<uint16_t>(height);
  os::SurfaceDesc desc;
  desc.caps = ObjectCaps(memory_mode);
  desc.width = width;
  desc.height = height;
  if (!DirectDrawObject || !os::Succeeded(DirectDrawObject->CreateSurface(desc, &o.Surface))) {
    o.Surface = nullptr;
    elSystem::ErrorBox("elDraw::CreateObject", "スプライトを作成できません");
    return false;
  }
  ApplyLoadKey(o);
  return true;
}

std::string ProgramPath(const char* name) { return elSystem::GetExePath(0) + name; }

// ---- surface routines ---------------------------------------------------------------

uint32_t ObjectCaps(int32_t memory_mode) {
  return memory_mode == 2 ? uint32_t{os::SurfaceOffscreen}
                          : uint32_t{os::SurfaceOffscreen | os::SurfaceSystemMemory};
}

os::SurfaceResult CopyBitmap(os::Surface* surface, const os::Bitmap* bitmap, int32_t x, int32_t y,
                             int32_t w, int32_t h) {
  if (!surface || !bitmap) return os::SurfaceResult::Failed;
  surface->Restore();
  os::DeviceContext* dc = nullptr;
  os::SurfaceResult r = surface->GetDC(&dc);
  if (!os::Succeeded(r)) return r;
  const bool copied = os::BitmapToSurface(dc, *bitmap, x, y, w, h);
  surface->ReleaseDC(dc);
  return copied ? os::SurfaceResult::Ok : os::SurfaceResult::Failed;
}

namespace {

// A picture the program carries, registered as a "BITMAP" resource.
bool ResourceBitmap(const char* name, os::Bitmap* out) {
  std::span<const uint8_t> bytes;
  return name && os::FindResource("BITMAP", name, &bytes) &&
         os::DecodeBmp(bytes.data(), bytes.size(), out);
}

// A surface of the bitmap's size for the memory mode, with the bitmap on it.
os::Surface* SurfaceFromBitmap(os::Display* display, const os::Bitmap& bitmap,
                               int32_t memory_mode) {
  os::SurfaceDesc desc;
  desc.caps = ObjectCaps(memory_mode);
  desc.width = bitmap.width;
  desc.height = bitmap.height;
  os::Surface* surface = nullptr;
  if (!display || !os::Succeeded(display->CreateSurface(desc, &surface))) return nullptr;
  if (!os::Succeeded(CopyBitmap(surface, &bitmap, 0, 0, 0, 0))) {
    os::ReleaseSurface(surface);
    return nullptr;
  }
  return surface;
}

}  // namespace

os::Surface* LoadBitmapSurface(os::Display* display, const char* path, uint16_t* width,
                               uint16_t* height, int32_t memory_mode, std::string* why) {
  if (why) *why = "no display";
  if (!display || !path) return nullptr;
  // A resource named by the path, else the file.
  os::Bitmap bitmap;
  if (!ResourceBitmap(path, &bitmap) && !os::LoadBmpFile(path, &bitmap, why)) return nullptr;
  if (width) *width = static_cast<uint16_t>(bitmap.width);
  if (height) *height = static_cast<uint16_t>(bitmap.height);
  os::Surface* surface = SurfaceFromBitmap(display, bitmap, memory_mode);
  if (why) *why = surface ? "" : "no surface of its size can be made";
  return surface;
}

namespace {

// Steps 3 to 5 of a load into a slot whose name is already set.  On failure
// *why says, in English, which file it was and what is wrong with it.
bool LoadIntoSlot(SpriteObject& o, const char* name, int32_t memory_mode, std::string* why) {
  const std::string path = ProgramPath(name);
  o.Width = 0;
  o.Height = 0;
  std::string reason;
  o.Surface = LoadBitmapSurface(DirectDrawObject, path.c_str(), &o.Width, &o.Height,
                                memory_mode, &reason);
  if (!o.Surface) {
    // Last, a resource named by the bare name.
    os::Bitmap bitmap;
    if (!ResourceBitmap(name, &bitmap)) {
      *why = os::ResolvePath(path) + ": " + (reason.empty() ? "cannot be read" : reason);
      return false;
    }
    o.Width = static_cast<uint16_t>(bitmap.width);
    o.Height = static_cast<uint16_t>(bitmap.height);
    o.Surface = SurfaceFromBitmap(DirectDrawObject, bitmap, memory_mode);
    if (!o.Surface) {
      *why = std::string(name) + ": no surface of its size can be made";
      return false;
    }
  }
  ApplyLoadKey(o);
  PrepareLoadedPicture(o);
  return true;
}

// Names the slot after `name` and loads the picture into it; a failure is
// said in the error box of `fn`, with the reason.
bool LoadNamedIntoSlot(SpriteObject& o, const char* name, int32_t memory_mode, const char* fn) {
  SetSlotName(o, name);
  o.Packed = 0;
  o.ReloadMode = 2;
  std::string why;
  if (LoadIntoSlot(o, name, memory_mode, &why)) return true;
  elSystem::ErrorBox(fn, "BMPファイルを読み込めません", 0, why);
  return false;
}

// The slot a load of `name` takes: one that an earlier load of the same name
// failed to fill (it stays taken without a picture, and its handle was 0, so
// no one can give it back), else the lowest free one; -1 when none is left.
int SlotForLoad(const char* name) {
  for (int slot = FirstFreeSprite; slot < SpriteObjectCount; ++slot) {
    const SpriteObject& o = SpriteObjects[slot];
    if (!o.Surface && o.Packed == 0 && std::strncmp(o.Name, name, sizeof(o.Name)) == 0)
      return slot;
  }
  return FindFreeSlot();
}

}  // namespace

uint32_t GetKeyPixel(os::Surface* surface, uint32_t colorref) {
  uint32_t result = 0xFFFFFFFF;
  if (!surface) return result;
  uint32_t remembered = os::InvalidColor;
  os::DeviceContext* dc = nullptr;
  if (colorref != ImageKeyColor && os::Succeeded(surface->GetDC(&dc))) {
    remembered = os::GetPixel(dc, 0, 0);
    os::SetPixel(dc, 0, 0, colorref);
    surface->ReleaseDC(dc);
  }
  // Try again while the surface reports it is still drawing (bounded, so a
  // surface that never settles cannot hang the loader).
  os::PixelView view;
  os::SurfaceResult r = os::SurfaceResult::StillDrawing;
  for (int attempt = 0; attempt < 1000 && r == os::SurfaceResult::StillDrawing; ++attempt)
    r = surface->Lock(&view, false);
  if (os::Succeeded(r)) {
    // One pixel of the surface's own size.
    if (view.width > 0 && view.height > 0) result = view.Row(0)[0];
    surface->Unlock();
  }
  if (colorref != ImageKeyColor && remembered != os::InvalidColor &&
      os::Succeeded(surface->GetDC(&dc))) {
    os::SetPixel(dc, 0, 0, remembered);
    surface->ReleaseDC(dc);
  }
  return result;
}

os::SurfaceResult SetSurfaceColorKey(os::Surface* surface, uint32_t colorref) {
  if (!surface) return os::SurfaceResult::InvalidParams;
  return surface->SetColorKey(GetKeyPixel(surface, colorref));
}

// ---- the loaders --------------------------------------------------------------------

int32_t LoadObject(const char* name, int32_t memory_mode) {
  constexpr const char* kFn = "elDraw::LoadObject";
  if (NameTooLong(name)) {
    elSystem::ErrorBox(kFn, "ファイル名またはリソース名が長すぎます");
    return 0;
  }
  const int slot = SlotForLoad(name);
  if (slot < 0) {
    elSystem::ErrorBox(kFn, "オブジェクト数が多過ぎます");
    return 0;
  }
  // Looked for as a resource named by the full path, as the file, and as a
  // resource named by the bare name.  A failed load keeps its slot taken.
  return LoadNamedIntoSlot(SpriteObjects[slot], name, memory_mode, kFn) ? slot : 0;
}

int32_t CreateObject(int32_t width, int32_t height, int32_t memory_mode) {
  const int slot = FindFreeSlot();
  if (slot < 0) {
    elSystem::ErrorBox("elDraw::CreateObject", "オブジェクト数が多過ぎます");
    return 0;
  }
  return CreateObjectInSlot(slot, width, height, memory_mode) ? slot : 0;
}

void ReleaseObject(int32_t handle) {
  if (!ValidHandle(handle)) return;
  SpriteObject& o = SpriteObjects[handle];
  if (!o.Surface) return;
  os::ReleaseSurface(o.Surface);
  o.Surface = nullptr;
  std::memset(o.Name, 0, sizeof(o.Name));
  o.KeyColor = 0;
  o.Width = 0;
  o.Height = 0;
}

int32_t SwapObject(const char* name, int32_t handle, int32_t memory_mode) {
  constexpr const char* kFn = "elDraw::SwapObject";
  if (NameTooLong(name)) {
    elSystem::ErrorBox(kFn, "ファイル名またはリソース名が長すぎます");
    return 0;
  }
  if (!ValidHandle(handle)) return 0;
  SpriteObject& o = SpriteObjects[handle];
  // The name may be the slot's own (a reload): keep a copy before the slot changes.
  char own[sizeof(o.Name)] = {};
  std::strncpy(own, name, sizeof(own) - 1);
  if (o.Surface) {
    os::ReleaseSurface(o.Surface);
    o.Surface = nullptr;
  }
  return LoadNamedIntoSlot(o, own, memory_mode, kFn) ? 1 : 0;
}

void RestoreSurfaces() {
  if (PrimarySurface) PrimarySurface->Restore();
  auto restore = [](os::Surface* s) {
    if (s && s->IsLost() == os::SurfaceResult::SurfaceLost) s->Restore();
  };
  restore(BackBuffer);
  for (int slot = 0; slot < FirstFreeSprite; ++slot) restore(SpriteObjects[slot].Surface);
  for (int slot = FirstFreeSprite; slot < SpriteObjectCount; ++slot) {
    SpriteObject& o = SpriteObjects[slot];
    if (o.Name[0] == '\0' || !o.Surface) continue;
    if (o.Surface->IsLost() != os::SurfaceResult::SurfaceLost) continue;
    o.Surface->Restore();
    if (std::strcmp(o.Name, "*") == 0) continue;  // a blank object keeps its slot, not its content
    SetLoadColorKey(o.KeyColor);
    char name[sizeof(o.Name)];
    std::memcpy(name, o.Name, sizeof(name));
    name[sizeof(name) - 1] = '\0';
    if (o.Packed == 1)
      SwapPack(name, slot, o.ReloadMode);
    else
      SwapObject(name, slot, o.ReloadMode);
  }
}

// ---- colour keys ----------------------------------------------------------------------

void SetLoadColorKey(uint32_t colorref) {
  LoadKeyColor = colorref;
  UseImageKey = 0;
}

void UseImageColorKey() { UseImageKey = 1; }

void SetObjectColorKey(int32_t handle, uint32_t colorref) {
  if (!ValidHandle(handle)) return;
  SpriteObject& o = SpriteObjects[handle];
  o.KeyColor = colorref;
  SetSurfaceColorKey(o.Surface, colorref);
}

void ResetObjectColorKey(int32_t handle) {
  if (!ValidHandle(handle)) return;
  SpriteObject& o = SpriteObjects[handle];
  o.KeyColor = ImageKeyColor;
  SetSurfaceColorKey(o.Surface, ImageKeyColor);
}

void CopyColorKey(int32_t destination, int32_t source) {
  if (!ValidHandle(destination) || !ValidHandle(source)) return;
  os::Surface* from = SpriteObjects[source].Surface;
  os::Surface* to = SpriteObjects[destination].Surface;
  uint32_t key = 0;
  if (from && to && os::Succeeded(from->GetColorKey(&key))) to->SetColorKey(key);
}

}  // namespace elDraw
