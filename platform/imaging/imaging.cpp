#include "platform/imaging/imaging.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <climits>
#include <memory>

#include "platform/core/error.h"
#include "platform/storage/whole_file.h"

namespace flexel::imaging {

namespace {

struct PixelsFree {
  void operator()(stbi_uc* pixels) const noexcept { stbi_image_free(pixels); }
};

std::string FailureReason() {
  // The decoder leaves some failures (data ending early) without a reason.
  const char* reason = stbi_failure_reason();
  return reason != nullptr && *reason != '\0' ? reason : "corrupt or truncated data";
}

void CheckImage(const Image& image) {
  const auto expected = static_cast<std::uint64_t>(image.width > 0 ? image.width : 0) *
                        static_cast<std::uint64_t>(image.height > 0 ? image.height : 0) * 4;
  if (image.width <= 0 || image.height <= 0 ||
      static_cast<std::uint64_t>(image.width) * static_cast<std::uint64_t>(image.height) >
          kMaxPixels ||
      image.pixels.size() != expected) {
    throw Error("Invalid image (" + std::to_string(image.width) + " x " +
                std::to_string(image.height) + " pixels, " + std::to_string(image.pixels.size()) +
                " bytes)");
  }
}

extern "C" void AppendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                             static_cast<std::size_t>(size));
}

}  // namespace

Image DecodeImage(std::string_view bytes) {
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
    throw Error("Cannot decode image: larger than " + std::to_string(INT_MAX) + " bytes");
  }
  const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
  const int length = static_cast<int>(bytes.size());
  int width = 0;
  int height = 0;
  int channels = 0;
  if (stbi_info_from_memory(data, length, &width, &height, &channels) == 0) {
    throw Error("Cannot decode image: " + FailureReason());
  }
  if (width <= 0 || height <= 0 ||
      static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPixels) {
    throw Error("Cannot decode image: " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels is too large");
  }
  std::unique_ptr<stbi_uc, PixelsFree> pixels(
      stbi_load_from_memory(data, length, &width, &height, &channels, 4));
  if (!pixels) {
    throw Error("Cannot decode image: " + FailureReason());
  }
  Image image;
  image.width = width;
  image.height = height;
  const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
  image.pixels.assign(pixels.get(), pixels.get() + size);
  return image;
}

std::string EncodeBmp(const Image& image) {
  CheckImage(image);
  // 24 bits per pixel: what every reader of bitmaps understands.
  std::vector<std::uint8_t> rgb;
  rgb.reserve(image.pixels.size() / 4 * 3);
  for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
    rgb.insert(rgb.end(), image.pixels.begin() + static_cast<std::ptrdiff_t>(i),
               image.pixels.begin() + static_cast<std::ptrdiff_t>(i + 3));
  }
  std::string bytes;
  if (stbi_write_bmp_to_func(AppendBytes, &bytes, image.width, image.height, 3, rgb.data()) == 0) {
    throw Error("Cannot encode image as BMP");
  }
  return bytes;
}

std::string EncodePng(const Image& image) {
  CheckImage(image);
  std::string bytes;
  if (stbi_write_png_to_func(AppendBytes, &bytes, image.width, image.height, 4, image.pixels.data(),
                             image.width * 4) == 0) {
    throw Error("Cannot encode image as PNG");
  }
  return bytes;
}

void WriteBmp(const std::string& path, const Image& image) {
  storage::WriteFileWhole(path, EncodeBmp(image));
}

void WritePng(const std::string& path, const Image& image) {
  storage::WriteFileWhole(path, EncodePng(image));
}

}  // namespace flexel::imaging
