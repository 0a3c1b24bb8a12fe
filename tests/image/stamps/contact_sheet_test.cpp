// A contact sheet of every border and image stamp variant, written into the
// build tree (artifacts/stamps_and_borders.png, with a legend beside it) for
// a person to look at. The test checks that it was written whole.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

#include "image/codecs/codec_registry.h"
#include "image/image_io.h"
#include "image/stamps/border.h"
#include "image/stamps/image_stamp.h"
#include "pixel_support.h"

namespace velmora::image {
namespace {

using test::Picture;

// A small landscape: sky, hills, a sun and some texture.
RgbBuffer Landscape(int width = 200, int height = 140) {
  RgbBuffer image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = image.pixel(x, y);
      const double hill = height * 0.6 + 12 * std::sin(x / 17.0);
      const double sun = std::hypot(x - width * 0.75, y - height * 0.25);
      if (sun < 14) {
        p[0] = 255, p[1] = 220, p[2] = 90;
      } else if (y < hill) {
        p[0] = static_cast<std::uint8_t>(90 + y / 2), p[1] = static_cast<std::uint8_t>(150 + y / 3), p[2] = 235;
      } else {
        const int grain = (x * 13 + y * 7) % 23;
        p[0] = static_cast<std::uint8_t>(50 + grain), p[1] = static_cast<std::uint8_t>(120 + grain * 2);
        p[2] = static_cast<std::uint8_t>(40 + grain);
      }
    }
  }
  return image;
}

// An orange disc with a soft edge on a transparent field.
std::shared_ptr<const StampPicture> SoftLogo() {
  RgbBuffer rgb(40, 40);
  std::vector<std::uint8_t> alpha(40 * 40);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      std::uint8_t* p = rgb.pixel(x, y);
      p[0] = 250, p[1] = 130, p[2] = 20;
      const double d = std::hypot(x - 19.5, y - 19.5);
      alpha[y * 40 + x] = static_cast<std::uint8_t>(std::clamp((19.0 - d) * 64.0, 0.0, 255.0));
    }
  }
  return Picture(std::move(rgb), std::move(alpha));
}

// A blue diamond on white, for the transparent colour.
std::shared_ptr<const StampPicture> KeyedLogo() {
  RgbBuffer rgb = test::Flat(36, 36, {255, 255, 255});
  for (int y = 0; y < 36; ++y) {
    for (int x = 0; x < 36; ++x) {
      if (std::abs(x - 18) + std::abs(y - 18) < 16) rgb.pixel(x, y)[0] = rgb.pixel(x, y)[1] = 40;
    }
  }
  return Picture(std::move(rgb));
}

// A wooden-looking tile for picture frames.
std::shared_ptr<const StampPicture> FrameTile() {
  RgbBuffer rgb(12, 12);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      std::uint8_t* p = rgb.pixel(x, y);
      const int ring = static_cast<int>(std::hypot(x - 3, y - 9)) % 4;
      p[0] = static_cast<std::uint8_t>(120 + ring * 20), p[1] = static_cast<std::uint8_t>(70 + ring * 12), p[2] = 30;
    }
  }
  return Picture(std::move(rgb));
}

CBorder Border(std::int32_t kind, std::int32_t width, std::int32_t colour, std::int32_t opacity = 100) {
  CBorder border;
  border.SetBorderType(kind);
  border.SetWidth(width);
  border.SetColor(colour);
  border.SetOpacity(opacity);
  return border;
}

CImageStamp Stamp(std::int32_t position, std::int32_t offset, std::int32_t opacity = 100) {
  CImageStamp stamp;
  stamp.SetPosition(position);
  stamp.SetOffsetX(offset);
  stamp.SetOffsetY(offset);
  stamp.SetOpacity(opacity);
  return stamp;
}

struct Variant {
  const char* label;
  std::function<void(RgbBuffer&)> apply;
};

std::vector<Variant> Variants() {
  constexpr std::int32_t kWhite = 16777215, kBlack = 0, kRed = 255, kDarkBlue = 0x603010;
  std::vector<Variant> v;
  const auto border = [](CBorder b, std::shared_ptr<const StampPicture> picture = nullptr) {
    return [b, picture](RgbBuffer& image) { PreparedBorder(b, picture).Apply(image); };
  };
  const auto stamp = [](CImageStamp s, std::shared_ptr<const StampPicture> picture) {
    return [s, picture](RgbBuffer& image) { PreparedImageStamp(s, picture).Apply(image); };
  };
  v.push_back({"inside bands, all sides, white 50 %", border(Border(0, 12, kWhite, 50))});
  CBorder offsets = Border(0, 8, kBlack, 60);
  offsets.SetPosition(CBorder::kTop | CBorder::kBottom);
  offsets.SetOffsetTop(10), offsets.SetOffsetBottom(10), offsets.SetOffsetLeft(20), offsets.SetOffsetRight(20);
  v.push_back({"inside bands, top and bottom, offsets, black 60 %", border(offsets)});
  CBorder oval = Border(0, 10, kWhite);
  oval.SetInsideType(1);
  v.push_back({"oval, white 100 %", border(oval)});
  CBorder dark_oval = Border(0, 20, kBlack, 50);
  dark_oval.SetInsideType(1);
  v.push_back({"oval, width 20, black 50 %", border(dark_oval)});
  v.push_back({"outside band, white", border(Border(1, 12, kWhite))});
  CBorder matching = Border(1, 12, kRed);
  matching.SetColorFromImage(true);
  v.push_back({"outside band, matching colour", border(matching)});
  CBorder two_sides = Border(1, 12, kDarkBlue);
  two_sides.SetPosition(CBorder::kLeft | CBorder::kTop);
  v.push_back({"outside band, left and top only", border(two_sides)});
  v.push_back({"picture frame, tiled", border(Border(2, 14, kBlack), FrameTile())});
  CBorder stretched_frame = Border(2, 14, kBlack);
  stretched_frame.SetImageArrangement(1);
  v.push_back({"picture frame, stretched", border(stretched_frame, FrameTile())});
  v.push_back({"image stamp in every cell, offsets 5", [=](RgbBuffer& image) {
                 for (int cell = 1; cell <= 9; ++cell) stamp(Stamp(cell, 5), SoftLogo())(image);
               }});
  v.push_back({"image stamp in every cell, offsets -5", [=](RgbBuffer& image) {
                 for (int cell = 1; cell <= 9; ++cell) stamp(Stamp(cell, -5), SoftLogo())(image);
               }});
  v.push_back({"image stamp with alpha, 100 %", stamp(Stamp(5, 0), SoftLogo())});
  v.push_back({"image stamp with alpha, 40 %", stamp(Stamp(5, 0, 40), SoftLogo())});
  CImageStamp keyed = Stamp(5, 0);
  keyed.SetUseTransparentColor(1);
  keyed.SetTransparenzFarbtoleranz(10);
  v.push_back({"image stamp, white left out", stamp(keyed, KeyedLogo())});
  keyed.SetUseTransparentColor(0);
  v.push_back({"image stamp, white kept", stamp(keyed, KeyedLogo())});
  CImageStamp stretched = Stamp(1, 0, 30);
  stretched.SetStrecken(1);
  v.push_back({"image stamp stretched, 30 %", stamp(stretched, SoftLogo())});
  v.push_back({"image stamp, then picture frame", [=](RgbBuffer& image) {
                 stamp(Stamp(9, 0), SoftLogo())(image);
                 border(Border(2, 14, kBlack), FrameTile())(image);
               }});
  v.push_back({"picture frame, then image stamp", [=](RgbBuffer& image) {
                 border(Border(2, 14, kBlack), FrameTile())(image);
                 stamp(Stamp(9, 0), SoftLogo())(image);
               }});
  return v;
}

TEST(ContactSheetTest, EveryVariantOnOneSheet) {
  constexpr int kColumns = 6, kCellWidth = 240, kCellHeight = 180;
  const std::vector<Variant> variants = Variants();
  const int rows = (static_cast<int>(variants.size()) + kColumns - 1) / kColumns;
  RgbBuffer sheet = test::Flat(kColumns * kCellWidth, rows * kCellHeight, {228, 228, 228});
  std::string legend;
  for (std::size_t i = 0; i < variants.size(); ++i) {
    RgbBuffer tile = Landscape();
    variants[i].apply(tile);
    ASSERT_LE(tile.width(), kCellWidth) << variants[i].label;
    ASSERT_LE(tile.height(), kCellHeight) << variants[i].label;
    const int column = static_cast<int>(i) % kColumns, row = static_cast<int>(i) / kColumns;
    const int x = column * kCellWidth + (kCellWidth - tile.width()) / 2;
    const int y = row * kCellHeight + (kCellHeight - tile.height()) / 2;
    for (int r = 0; r < tile.height(); ++r) std::copy_n(tile.row(r), tile.stride(), sheet.pixel(x, y + r));
    legend += "row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1) + ": " + variants[i].label + "\n";
  }
  const std::filesystem::path folder = VELMORA_ARTIFACT_DIR;
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "stamps_and_borders.png";
  WriteImage(file, kImageTypePng, sheet);
  std::ofstream(folder / "stamps_and_borders.txt") << legend;
  const RgbBuffer back = ReadImage(file, kImageTypePng);
  EXPECT_TRUE(test::Same(back, sheet));
}

}  // namespace
}  // namespace velmora::image
