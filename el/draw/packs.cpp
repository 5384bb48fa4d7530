// Image packs: a plain run of entries (u16 width, u16 height, the name with
// its NUL, then width x height X1R5G5B5 pixels, rows from the top), written
// by Convert/ConvertFile and read by LoadPack/SwapPack.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "el/draw/objects.h"
#include "el/draw/objects_internal.h"
#include "el/draw/screen.h"
#include "el/system/system_services.h"
#include "os/path.h"
#include "os/sjis.h"

namespace elDraw {
namespace {

constexpr size_t kMaxEntryName = 127;  // bytes before the NUL

struct PackEntry {
  int width = 0, height = 0;
};

enum class Search { NoFile, NotFound, Found };

// Opens the pack and looks for the entry named `upper`.  When found the file
// is left open at the entry's pixels; otherwise it is closed and *why says
// what went wrong.  A name that runs past 127 bytes or past the end of the
// file, or pixels that would run past it, end the search without a match:
// nothing is made for a size the file cannot hold.
Search FindEntry(const std::string& upper, FILE** file, PackEntry* entry, std::string* why) {
  *file = nullptr;
  std::string reason;
  FILE* f = ImagePackPath.empty() ? nullptr : os::OpenFile(ImagePackPath, "rb", &reason);
  if (!f) {
    *why = ImagePackPath.empty() ? std::string("no image pack is set")
                                 : ImagePackPath + ": " + reason;
    return Search::NoFile;
  }
  *why = ImagePackPath + ": no entry " + upper;
  long file_size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) file_size = std::ftell(f);
  if (file_size < 0 || std::fseek(f, 0, SEEK_SET) != 0) {
    std::fclose(f);
    *why = ImagePackPath + ": cannot be read";
    return Search::NotFound;
  }
  for (;;) {
    uint8_t head[4];
    if (std::fread(head, 1, 4, f) != 4) break;
    const int width = head[0] | (head[1] << 8);
    const int height = head[2] | (head[3] << 8);
    char name[kMaxEntryName + 1];
    size_t length = 0;
    bool ended = false;
    for (;;) {
      int c = std::fgetc(f);
      if (c == EOF) break;
      if (c == 0) {
        ended = true;
        break;
      }
      if (length == kMaxEntryName) break;
      name[length++] = static_cast<char>(c);
    }
    if (!ended) break;
    name[length] = '\0';
    const long here = std::ftell(f);
    const int64_t pixel_bytes = int64_t{width} * int64_t{height} * 2;
    const bool fits = here >= 0 && int64_t{here} + pixel_bytes <= int64_t{file_size};
    if (upper == name) {
      if (!fits) {
        *why = ImagePackPath + ": the entry " + upper + " declares " + std::to_string(width) +
               " x " + std::to_string(height) + " pixels, more than the file holds";
        break;
      }
      entry->width = width;
      entry->height = height;
      *file = f;
      return Search::Found;
    }
    if (!fits || std::fseek(f, static_cast<long>(pixel_bytes), SEEK_CUR) != 0) break;
  }
  std::fclose(f);
  return Search::NotFound;
}

// The checks and the search shared by LoadPack and SwapPack; reports under
// `fn`.  Returns the open file (at the entry's pixels) or nullptr.
FILE* OpenEntry(const char* fn, const char* name, std::string* upper, PackEntry* entry) {
  if (NameTooLong(name)) {
    elSystem::ErrorBox(fn, "ファイル名またはリソース名が長すぎます");
    return nullptr;
  }
  *upper = name;
  os::SjisUpperCase(*upper);
  FILE* f = nullptr;
  std::string why;
  switch (FindEntry(*upper, &f, entry, &why)) {
    case Search::NoFile:
      elSystem::ErrorBox(fn, "パックファイル名が指定されていません", 0, why);
      return nullptr;
    case Search::NotFound:
      elSystem::ErrorBox(fn, "BMPファイルを読み込めません", 0, why);
      return nullptr;
    case Search::Found:
      break;
  }
  return f;
}

enum class Fill { Ok, LockFailed, ShortRead };

// Reads the entry's pixels into the surface, converting X1R5G5B5 to the
// screen's format.
Fill ReadPixels(FILE* f, os::Surface* surface, const PackEntry& e) {
  os::PixelView view;
  if (!surface || !os::Succeeded(surface->Lock(&view, true))) return Fill::LockFailed;
  std::vector<uint8_t> row(static_cast<size_t>(e.width) * 2);
  Fill result = Fill::Ok;
  for (int y = 0; y < e.height && result == Fill::Ok; ++y) {
    if (std::fread(row.data(), 1, row.size(), f) != row.size()) {
      result = Fill::ShortRead;
      break;
    }
    uint16_t* out = view.Row(y);
    for (int x = 0; x < e.width; ++x) {
      const uint32_t v = row[x * 2] | (row[x * 2 + 1] << 8);
      const uint32_t red = (v >> 10) & 31, green = (v >> 5) & 31, blue = v & 31;
      out[x] = static_cast<uint16_t>((red << RedPlace) | (green << GreenPlace) | (blue << BluePlace));
    }
  }
  surface->Unlock();
  return result;
}

// Steps after the target exists: a temporary object takes the pixels, is
// copied onto the target and released; the target gets its key and name.
// Every failure releases what it took and closes the file.
int32_t FinishPack(const char* fn, FILE* f, int32_t target, const PackEntry& e,
                   const std::string& upper) {
  const int32_t temp = CreateObject(e.width, e.height, 2);
  if (temp == 0) {
    std::fclose(f);
    ReleaseObject(target);
    return 0;
  }
  const Fill filled = ReadPixels(f, SpriteObjects[temp].Surface, e);
  std::fclose(f);
  if (filled != Fill::Ok) {
    if (filled == Fill::ShortRead)
      elSystem::ErrorBox(fn, "BMPファイルを読み込めません", 0,
                         ImagePackPath + ": the entry " + upper + " ends early");
    ReleaseObject(temp);
    ReleaseObject(target);
    return 0;
  }
  os::SurfaceResult r = os::SurfaceResult::Failed;
  for (int attempt = 0; attempt < 10; ++attempt) {
    r = os::Copy(SpriteObjects[target].Surface, 0, 0, SpriteObjects[temp].Surface, nullptr);
    if (os::Succeeded(r)) break;
    if (r == os::SurfaceResult::SurfaceLost) RestoreSurfaces();
  }
  ReleaseObject(temp);
  if (!os::Succeeded(r)) {
    elSystem::ErrorBox(fn, "サーフェース間で展開できません");
    ReleaseObject(target);
    return 0;
  }
  SpriteObject& o = SpriteObjects[target];
  ApplyLoadKey(o);
  PrepareLoadedPicture(o);
  SetSlotName(o, upper.c_str());
  o.Packed = 1;
  o.ReloadMode = 2;
  o.Width = static_cast<uint16_t>(e.width);
  o.Height = static_cast<uint16_t>(e.height);
  return target;
}

}  // namespace

void SetPackFile(const char* name) { ImagePackPath = ProgramPath(name ? name : ""); }

int32_t LoadPack(const char* name, int32_t memory_mode) {
  constexpr const char* kFn = "elDraw::LoadPack";
  std::string upper;
  PackEntry e;
  FILE* f = OpenEntry(kFn, name, &upper, &e);
  if (!f) return 0;
  const int32_t target = CreateObject(e.width, e.height, memory_mode);
  if (target == 0) {
    std::fclose(f);
    return 0;
  }
  return FinishPack(kFn, f, target, e, upper);
}

int32_t SwapPack(const char* name, int32_t handle, int32_t memory_mode) {
  constexpr const char* kFn = "elDraw::SwapPack";
  if (!ValidHandle(handle) || !name) return 0;
  // The name may be the slot's own (a reload): keep a copy before the slot empties.
  const std::string request = name;
  std::string upper;
  PackEntry e;
  FILE* f = OpenEntry(kFn, request.c_str(), &upper, &e);
  if (!f) return 0;
  SpriteObject& o = SpriteObjects[handle];
  if (o.Surface) os::ReleaseSurface(o.Surface);
  o = SpriteObject();
  if (!CreateObjectInSlot(handle, e.width, e.height, memory_mode)) {
    std::fclose(f);
    return 0;
  }
  return FinishPack(kFn, f, handle, e, upper);
}

int32_t Convert(const char* pack_name, const char* folder, int32_t delete_first) {
  if (elSystem::GetScreenBits() <= 16) {
    elSystem::ErrorBox("elDraw::Convert", "画面をフルカラーにして下さい");
    return 0;
  }
  const std::string pack = pack_name ? pack_name : "";
  const std::string dir = folder ? folder : "";
  if (delete_first != 0) std::remove(os::ResolvePath(ProgramPath(pack.c_str())).c_str());
  const std::vector<std::string> files =
      os::ListFolder(dir.empty() ? ProgramPath("") : ProgramPath(dir.c_str()), "*.BMP");
  for (const std::string& file : files) {
    std::string picture = dir.empty() ? file : dir + "\\" + file;
    os::SjisUpperCase(picture);
    ConvertFile(pack.c_str(), picture.c_str());
  }
  return 1;
}

void ConvertFile(const char* pack_name, const char* picture_name) {
  if (!pack_name || !picture_name) return;
  const int32_t handle = LoadObject(picture_name, 1);
  if (handle == 0) return;
  SpriteObject& o = SpriteObjects[handle];
  os::DeviceContext* dc = nullptr;
  if (!os::Succeeded(o.Surface->GetDC(&dc))) {
    ReleaseObject(handle);
    return;
  }
  FILE* f = os::OpenFile(ProgramPath(pack_name), "ab");
  if (f) {
    const char* base = picture_name;
    for (const char* p = picture_name; *p; ++p)
      if (*p == '\\' || *p == '/') base = p + 1;
    std::vector<uint8_t> out;
    out.reserve(4 + std::strlen(base) + 1 + size_t{o.Width} * o.Height * 2);
    auto put16 = [&out](uint32_t v) {
      out.push_back(static_cast<uint8_t>(v & 0xFF));
      out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    };
    put16(o.Width);
    put16(o.Height);
    out.insert(out.end(), base, base + std::strlen(base) + 1);
    for (int y = 0; y < o.Height; ++y)
      for (int x = 0; x < o.Width; ++x) {
        const uint32_t c = os::GetPixel(dc, x, y);
        uint32_t red = c & 0xFF, green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF;
        if ((c & 0xFFFFFF) != 0) {
          red >>= 3;
          green >>= 3;
          blue >>= 3;
          if (red == 0 && green == 0 && blue == 0) blue = 1;  // dark never turns transparent
        }
        put16((red << 10) | (green << 5) | blue);
      }
    std::fwrite(out.data(), 1, out.size(), f);
    std::fclose(f);
  }
  o.Surface->ReleaseDC(dc);
  ReleaseObject(handle);
}

}  // namespace elDraw
