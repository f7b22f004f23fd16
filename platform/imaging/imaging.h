#pragma once
// Pictures for the engines: GIF, JPEG, PNG and BMP decoded from memory (the images of a
// language's information page, pictures in VLX files) and BMP or PNG written out (the flag
// bitmap). Over stb_image and stb_image_write.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace flexel::imaging {

// 8-bit RGBA pixels, rows top to bottom, width * height * 4 bytes.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

// Pictures come from other people's files; a claimed size beyond this is refused before any
// pixel memory is taken.
inline constexpr std::uint64_t kMaxPixels = 1u << 26;

// The first frame of an animated GIF. Throws flexel::Error with the decoder's reason.
[[nodiscard]] Image DecodeImage(std::string_view bytes);

// BMP keeps no alpha (24 bits per pixel); PNG keeps it. Throw flexel::Error for an image whose
// pixel buffer does not fit its size.
[[nodiscard]] std::string EncodeBmp(const Image& image);
[[nodiscard]] std::string EncodePng(const Image& image);
// Writes the file whole (temporary file, then rename). Throws FileError naming path.
void WriteBmp(const std::string& path, const Image& image);
void WritePng(const std::string& path, const Image& image);

}  // namespace flexel::imaging
