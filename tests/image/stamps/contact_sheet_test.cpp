// A contact sheet of every border, image stamp and text stamp variant,
// each tile labelled, written into the build tree
// (artifacts/stamps_and_borders.png) for a person to look at. The test
// checks that every variant drew and that the sheet was written whole.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

#include "image/codecs/codec_registry.h"
#include "image/image_io.h"
#include "image/stamps/border.h"
#include "image/stamps/image_stamp.h"
#include "image/stamps/text_stamp_drawing.h"
#include "image/text/font_cache.h"
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
  std::string label;
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

// Light text on a translucent dark box, `change`d for the variant.
template <class Change>
TextStampStyle TextStyle(Change change) {
  TextStampStyle style;
  style.height = 15;
  style.colour = ColourValue({255, 255, 255});
  style.background_colour = ColourValue({30, 30, 120});
  style.background_opacity = 60;
  change(style);
  return style;
}

std::vector<Variant> TextVariants(FontCache& fonts) {
  std::vector<Variant> v;
  const auto text = [&fonts](std::string words, const TextStampStyle& style) {
    return [&fonts, words, style](RgbBuffer& image) {
      ASSERT_TRUE(DrawTextStamp(image, words, style, fonts).drawn) << words;
    };
  };
  const auto add = [&](std::string label, std::string words, auto change) {
    v.push_back({std::move(label), text(std::move(words), TextStyle(change))});
  };
  for (const int offset : {0, 5, -5}) {
    v.push_back({"text stamp in every cell, offsets " + std::to_string(offset), [=](RgbBuffer& image) {
                   for (int cell = 1; cell <= 9; ++cell) {
                     text("Zelle " + std::to_string(cell), TextStyle([&](TextStampStyle& s) {
                            s.height = 12, s.position = cell, s.offset_x = s.offset_y = offset;
                          }))(image);
                   }
                 }});
  }
  add("text at 9, offsets +10: beyond the corner", "hinaus", [](TextStampStyle& s) { s.position = 9; });
  for (int direction = 1; direction <= 3; ++direction) {
    add("text turned, direction " + std::to_string(direction), "Gedreht%\\Zeile 2", [direction](TextStampStyle& s) {
      s.position = 5, s.offset_x = s.offset_y = 0, s.direction = direction;
    });
  }
  for (int alignment = 1; alignment <= 3; ++alignment) {
    add("text alignment " + std::to_string(alignment), "Kurz%\\eine lange Zeile%\\mittel",
        [alignment](TextStampStyle& s) { s.position = 5, s.offset_x = s.offset_y = 0, s.alignment = alignment; });
  }
  add("text at 6, automatic alignment (right)", "Kurz%\\eine lange Zeile", [](TextStampStyle& s) {
    s.position = 6, s.offset_x = -10;
  });
  add("readable colour on the sky", "lesbare Farbe", [](TextStampStyle& s) { s.readable = true, s.background_colour = -1; });
  add("readable colour on the hills", "lesbare Farbe", [](TextStampStyle& s) {
    s.readable = true, s.background_colour = -1, s.position = 9, s.offset_x = s.offset_y = -10;
  });
  add("text opacity 40 %", "halb durchsichtig", [](TextStampStyle& s) { s.opacity = 40, s.height = 24; });
  add("box opacity 100 %", "voller Kasten", [](TextStampStyle& s) { s.background_opacity = 100; });
  add("frame 3, green", "mit Rahmen", [](TextStampStyle& s) { s.frame_colour = ColourValue({0, 255, 0}), s.frame_width = 3; });
  add("bold", "Fett 700", [](TextStampStyle& s) { s.weight = 700, s.height = 22; });
  add("italic", "Kursiv", [](TextStampStyle& s) { s.italic = true, s.height = 22; });
  add("underline", "Unterstrichen", [](TextStampStyle& s) { s.underline = true, s.height = 22; });
  add("strikeout", "Durchgestrichen", [](TextStampStyle& s) { s.strikeout = true, s.height = 22; });
  add("Times New Roman", "Serifen Qg", [](TextStampStyle& s) { s.font = "Times New Roman", s.height = 24; });
  add("Courier New", "Mono 0123", [](TextStampStyle& s) { s.font = "Courier New", s.height = 20; });
  add("missing face: the fallback", "Ersatzschrift", [](TextStampStyle& s) { s.font = "Keine Solche", s.height = 20; });
  add("Windows-1252 letters", "\xE4\xF6\xFC\xDF \x80 \xA9 \x84Zitat\x93", [](TextStampStyle& s) { s.height = 22; });
  add("height 60, centred", "Gross", [](TextStampStyle& s) { s.height = 60, s.position = 5, s.offset_x = s.offset_y = 0; });
  return v;
}

// The label under a tile, dark on the sheet's light grey.
RgbBuffer Label(const std::string& text, int width, FontCache& fonts) {
  RgbBuffer label = test::Flat(width, 16, {228, 228, 228});
  TextStampStyle style;
  style.height = 11;
  style.colour = 0;
  style.position = 5;
  style.offset_x = style.offset_y = 0;
  DrawTextStamp(label, text, style, fonts);
  return label;
}

TEST(ContactSheetTest, EveryVariantOnOneSheet) {
  constexpr int kColumns = 6, kCellWidth = 240, kTileHeight = 172, kCellHeight = kTileHeight + 18;
  FontCache fonts;
  std::vector<Variant> variants = Variants();
  for (Variant& variant : TextVariants(fonts)) variants.push_back(std::move(variant));
  const int rows = (static_cast<int>(variants.size()) + kColumns - 1) / kColumns;
  RgbBuffer sheet = test::Flat(kColumns * kCellWidth, rows * kCellHeight, {228, 228, 228});
  const auto paste = [&sheet](const RgbBuffer& part, int x, int y) {
    for (int r = 0; r < part.height(); ++r) std::copy_n(part.row(r), part.stride(), sheet.pixel(x, y + r));
  };
  for (std::size_t i = 0; i < variants.size(); ++i) {
    SCOPED_TRACE(variants[i].label);
    RgbBuffer tile = Landscape();
    variants[i].apply(tile);
    ASSERT_LE(tile.width(), kCellWidth);
    ASSERT_LE(tile.height(), kTileHeight);
    // Every variant leaves its mark.
    EXPECT_FALSE(test::Same(tile, Landscape()));
    const int column = static_cast<int>(i) % kColumns, row = static_cast<int>(i) / kColumns;
    paste(tile, column * kCellWidth + (kCellWidth - tile.width()) / 2,
          row * kCellHeight + (kTileHeight - tile.height()) / 2);
    paste(Label(variants[i].label, kCellWidth - 4, fonts), column * kCellWidth + 2, row * kCellHeight + kTileHeight);
  }
  const std::filesystem::path folder = VELMORA_ARTIFACT_DIR;
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "stamps_and_borders.png";
  WriteImage(file, kImageTypePng, sheet);
  const RgbBuffer back = ReadImage(file, kImageTypePng);
  EXPECT_TRUE(test::Same(back, sheet));
}

}  // namespace
}  // namespace velmora::image
