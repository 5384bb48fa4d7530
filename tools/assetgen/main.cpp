// vantris_assetgen OUTPUT_DIR
//   Writes every picture, sound and music file the game loads under OUTPUT_DIR.
// vantris_assetgen --contact-sheet FILE.BMP
//   Writes one BMP showing every picture, for looking the art over.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "tools/assetgen/generate.h"

int main(int argc, char** argv) {
  try {
    if (argc == 3 && std::string(argv[1]) == "--contact-sheet") {
      const auto assets = assetgen::BuildAssets();
      const auto bytes = assetgen::EncodeBmp(assetgen::ContactSheet(assets, 2400));
      std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      if (!out) {
        std::fprintf(stderr, "vantris_assetgen: cannot write %s\n", argv[2]);
        return 1;
      }
      return 0;
    }
    if (argc != 2 || argv[1][0] == '-') {
      std::fprintf(stderr, "usage: vantris_assetgen OUTPUT_DIR\n       vantris_assetgen --contact-sheet FILE.BMP\n");
      return 2;
    }
    std::string error;
    if (!assetgen::WriteAssets(assetgen::BuildAssets(), argv[1], &error)) {
      std::fprintf(stderr, "vantris_assetgen: %s\n", error.c_str());
      return 1;
    }
    return 0;
  } catch (const std::exception& ex) {
    std::fprintf(stderr, "vantris_assetgen: %s\n", ex.what());
    return 1;
  }
}
