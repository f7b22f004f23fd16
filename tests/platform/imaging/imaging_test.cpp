#include "platform/imaging/imaging.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/core/error.h"

namespace flexel::imaging {
namespace {

std::string ReadFixture(const std::string& name) {
  std::ifstream in(std::string(FLEXEL_TEST_DATA) + "/imaging/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

using Rgba = std::array<std::uint8_t, 4>;

Rgba PixelAt(const Image& image, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 4;
  return {image.pixels[at], image.pixels[at + 1], image.pixels[at + 2], image.pixels[at + 3]};
}

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

struct DecodeCase {
  const char* name;
  const char* file;
  Rgba bottomRight;
};

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

// Each fixture is red, green / blue, (white): rows top to bottom, RGBA whatever the format.
TEST_P(DecodeTest, DecodesTopDownRgba) {
  const DecodeCase& c = GetParam();
  const Image image = DecodeImage(ReadFixture(c.file));
  ASSERT_EQ(image.width, 2);
  ASSERT_EQ(image.height, 2);
  ASSERT_EQ(image.pixels.size(), 16u);
  EXPECT_EQ(PixelAt(image, 0, 0), kRed);
  EXPECT_EQ(PixelAt(image, 1, 0), kGreen);
  EXPECT_EQ(PixelAt(image, 0, 1), kBlue);
  EXPECT_EQ(PixelAt(image, 1, 1), c.bottomRight);
}

INSTANTIATE_TEST_SUITE_P(Imaging, DecodeTest,
                         ::testing::Values(DecodeCase{"Png", "pixels_2x2.png",
                                                      Rgba{255, 255, 255, 128}},
                                           DecodeCase{"Bmp", "pixels_2x2.bmp", kWhite},
                                           DecodeCase{"Gif", "pixels_2x2.gif", kWhite}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Imaging, DecodesJpeg) {
  const Image image = DecodeImage(ReadFixture("halves_16x8.jpg"));
  ASSERT_EQ(image.width, 16);
  ASSERT_EQ(image.height, 8);
  // Lossy: the colours are near, not exact.
  const Rgba left = PixelAt(image, 2, 4);
  const Rgba right = PixelAt(image, 13, 4);
  EXPECT_GT(left[0], 230);
  EXPECT_LT(left[2], 25);
  EXPECT_LT(right[0], 25);
  EXPECT_GT(right[2], 230);
  EXPECT_EQ(left[3], 255);
}

TEST(Imaging, DecodeErrors) {
  struct Row {
    const char* name;
    std::string bytes;
    std::string message;
  };
  const Row rows[] = {
      {"Empty", "", "Cannot decode image: unknown image type"},
      {"NotAPicture", "just some text", "Cannot decode image: unknown image type"},
      {"HugeClaim", ReadFixture("huge_claim.png"),
       "Cannot decode image: 10000 x 10000 pixels is too large"},
      {"Truncated", ReadFixture("truncated.png"), "Cannot decode image: corrupt or truncated data"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    try {
      (void)DecodeImage(row.bytes);
      ADD_FAILURE() << "decoded";
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()), row.message);
    }
  }
}

Image SampleImage() {
  Image image;
  image.width = 3;
  image.height = 2;
  for (std::uint8_t i = 0; i < 6; ++i) {
    image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(40 * i), 7,
                                             static_cast<std::uint8_t>(250 - i), 100});
  }
  return image;
}

TEST(Imaging, PngRoundTripKeepsAlpha) {
  const Image image = SampleImage();
  const Image back = DecodeImage(EncodePng(image));
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.height, 2);
  EXPECT_EQ(back.pixels, image.pixels);
}

TEST(Imaging, BmpRoundTripDropsAlpha) {
  Image image = SampleImage();
  const std::string bmp = EncodeBmp(image);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(bmp[28], 24);  // bits per pixel
  const Image back = DecodeImage(bmp);
  for (std::size_t i = 3; i < image.pixels.size(); i += 4) {
    image.pixels[i] = 255;
  }
  EXPECT_EQ(back.pixels, image.pixels);
}

TEST(Imaging, EncodeRefusesInconsistentImage) {
  Image image = SampleImage();
  image.pixels.resize(5);
  try {
    (void)EncodePng(image);
    ADD_FAILURE() << "encoded";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), "Invalid image (3 x 2 pixels, 5 bytes)");
  }
  Image empty;
  EXPECT_THROW((void)EncodeBmp(empty), Error);
}

class ImagingFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/flexel-imaging-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_dir = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  std::filesystem::path m_dir;
};

TEST_F(ImagingFiles, WritesWholeFiles) {
  const Image image = SampleImage();
  const std::string bmpPath = (m_dir / "flag.bmp").string();
  const std::string pngPath = (m_dir / "picture.png").string();
  WriteBmp(bmpPath, image);
  WritePng(pngPath, image);
  std::ifstream bmp(bmpPath, std::ios::binary);
  std::ostringstream bmpBytes;
  bmpBytes << bmp.rdbuf();
  EXPECT_EQ(bmpBytes.str(), EncodeBmp(image));
  std::ifstream png(pngPath, std::ios::binary);
  std::ostringstream pngBytes;
  pngBytes << png.rdbuf();
  EXPECT_EQ(DecodeImage(pngBytes.str()).pixels, image.pixels);
  // Nothing but the two pictures: no temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir),
                          std::filesystem::directory_iterator()),
            2);
}

TEST_F(ImagingFiles, UnwritableFolderIsAFileError) {
  const std::string path = (m_dir / "missing" / "flag.bmp").string();
  EXPECT_THROW(WriteBmp(path, SampleImage()), FileError);
}

}  // namespace
}  // namespace flexel::imaging
