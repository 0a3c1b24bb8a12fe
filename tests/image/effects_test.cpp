#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "image/clone_list/bild_effekt.h"
#include "image/effects/apply_image_effect.h"
#include "image/effects/noise.h"

namespace velmora::image {
namespace {

// A picture with gradients in every channel and some hard edges, so that each
// effect has something to change.
RgbBuffer TestPicture(int w, int h) {
  RgbBuffer image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = image.pixel(x, y);
      p[0] = static_cast<std::uint8_t>(x * 255 / std::max(w - 1, 1));
      p[1] = static_cast<std::uint8_t>(y * 255 / std::max(h - 1, 1));
      p[2] = static_cast<std::uint8_t>(((x / 7 + y / 5) % 2) * 200 + 20);
    }
  }
  return image;
}

RgbBuffer Flat(int w, int h, Rgb c) {
  RgbBuffer image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = image.pixel(x, y);
      p[0] = c.r;
      p[1] = c.g;
      p[2] = c.b;
    }
  }
  return image;
}

CBildEffekt Effect(std::int32_t code, std::initializer_list<std::int32_t> longs = {},
                   std::initializer_list<double> doubles = {}) {
  CBildEffekt effect;
  effect.SetEffectCode(code);
  int i = 1;
  for (auto v : longs) effect.SetLongArray(i++, v);
  i = 1;
  for (auto v : doubles) effect.SetDoubleArray(i++, v);
  return effect;
}

bool Same(const RgbBuffer& a, const RgbBuffer& b) {
  return a.width() == b.width() && a.height() == b.height() && std::equal(a.data(), a.data() + a.size(), b.data());
}

Rgb At(const RgbBuffer& image, int x, int y) {
  const std::uint8_t* p = image.pixel(x, y);
  return {p[0], p[1], p[2]};
}

TEST(ImageEffects, InvertTwiceGivesTheOriginal) {
  const RgbBuffer original = TestPicture(64, 48);
  RgbBuffer image = original.Clone();
  ApplyImageEffect(image, Effect(effect_code::kInvert));
  EXPECT_EQ(At(image, 0, 0).r, 255 - At(original, 0, 0).r);
  ApplyImageEffect(image, Effect(effect_code::kInvert));
  EXPECT_TRUE(Same(image, original));
}

TEST(ImageEffects, GreyscaleHasEqualChannelsAndKeepsGrey) {
  RgbBuffer image = TestPicture(64, 48);
  image.pixel(3, 3)[0] = image.pixel(3, 3)[1] = image.pixel(3, 3)[2] = 77;
  ApplyImageEffect(image, Effect(effect_code::kGrayscale));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = At(image, x, y);
      ASSERT_TRUE(c.r == c.g && c.g == c.b) << x << "," << y;
    }
  }
  EXPECT_EQ(At(image, 3, 3).r, 77);
  RgbBuffer white = Flat(3, 3, {255, 255, 255});
  ApplyImageEffect(white, Effect(effect_code::kGrayscale));
  EXPECT_EQ(At(white, 1, 1), (Rgb{255, 255, 255}));
}

TEST(ImageEffects, QuarterTurnsSwapTheSizeAndComposeToTheIdentity) {
  const RgbBuffer original = TestPicture(7, 3);
  RgbBuffer image = original.Clone();
  const EffectResult turned = ApplyImageEffect(image, Effect(effect_code::kRotate, {0}));
  EXPECT_TRUE(turned.quarter_turned);
  EXPECT_EQ(image.width(), 3);
  EXPECT_EQ(image.height(), 7);
  EXPECT_EQ(At(image, 2, 0), At(original, 0, 0));  // clockwise: top left goes top right
  ApplyImageEffect(image, Effect(effect_code::kRotate, {2}));
  EXPECT_TRUE(Same(image, original));

  const EffectResult half = ApplyImageEffect(image, Effect(effect_code::kRotate, {1}));
  EXPECT_FALSE(half.quarter_turned);
  EXPECT_EQ(image.width(), 7);
  EXPECT_EQ(At(image, 6, 2), At(original, 0, 0));
  ApplyImageEffect(image, Effect(effect_code::kRotate, {1}));
  EXPECT_TRUE(Same(image, original));

  for (int i = 0; i < 4; ++i) ApplyImageEffect(image, Effect(effect_code::kRotate, {2}));
  EXPECT_TRUE(Same(image, original));
  for (int code : {3, 9, -1}) {
    EXPECT_FALSE(ApplyImageEffect(image, Effect(effect_code::kRotate, {code})).quarter_turned);
    EXPECT_TRUE(Same(image, original));
  }
}

TEST(ImageEffects, FlipsMirrorAndUndoThemselves) {
  const RgbBuffer original = TestPicture(5, 4);
  RgbBuffer image = original.Clone();
  ApplyImageEffect(image, Effect(effect_code::kFlip, {1}));
  EXPECT_EQ(At(image, 4, 1), At(original, 0, 1));
  EXPECT_EQ(At(image, 2, 1), At(original, 2, 1));
  ApplyImageEffect(image, Effect(effect_code::kFlip, {2}));
  EXPECT_EQ(At(image, 4, 3), At(original, 0, 0));
  ApplyImageEffect(image, Effect(effect_code::kFlip, {1}));
  ApplyImageEffect(image, Effect(effect_code::kFlip, {2}));
  EXPECT_TRUE(Same(image, original));
  ApplyImageEffect(image, Effect(effect_code::kFlip, {0}));
  ApplyImageEffect(image, Effect(effect_code::kFlip, {3}));
  EXPECT_TRUE(Same(image, original));
}

TEST(ImageEffects, MosaicTilesAreFlat) {
  RgbBuffer image = TestPicture(100, 80);
  ApplyImageEffect(image, Effect(effect_code::kMosaic, {10, 20}));
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 100; ++x) ASSERT_EQ(At(image, x, y), At(image, x / 10 * 10, y / 20 * 20)) << x << "," << y;
  }
  EXPECT_NE(At(image, 0, 0), At(image, 90, 60));
}

TEST(ImageEffects, MosaicTileWiderThanThePictureGivesOneColumn) {
  RgbBuffer image = TestPicture(30, 40);
  ApplyImageEffect(image, Effect(effect_code::kMosaic, {50, 10}));
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 30; ++x) ASSERT_EQ(At(image, x, y), At(image, 0, y / 10 * 10));
  }
  EXPECT_NE(At(image, 0, 0), At(image, 0, 30));
}

TEST(ImageEffects, PosterizeLeavesFewLevels) {
  RgbBuffer image = TestPicture(256, 256);
  ApplyImageEffect(image, Effect(effect_code::kPosterize));
  std::set<int> levels;
  for (std::size_t i = 0; i < image.size(); ++i) levels.insert(image.data()[i]);
  EXPECT_LE(levels.size(), 4u);
  EXPECT_GE(levels.size(), 3u);
}

TEST(ImageEffects, NeutralSettingsChangeNothing) {
  const RgbBuffer original = TestPicture(40, 30);
  const CBildEffekt neutral[] = {
      Effect(effect_code::kBrightnessContrast, {}, {0.0, 0.0}),
      Effect(effect_code::kGamma, {}, {1.0}),
      Effect(effect_code::kGamma, {}, {0.0}),  // no gamma at all: ignored
      Effect(effect_code::kGamma, {}, {-2.0}),
      Effect(effect_code::kSaturation, {}, {1.0}),
      Effect(effect_code::kBlur, {50, 7}, {0.0}),
      Effect(effect_code::kSharpen, {50, 0}),  // no channel selected
      Effect(effect_code::kUnsharpMask, {50, 7}, {0.0}),
      Effect(effect_code::kMosaic, {1, 1}),
      Effect(effect_code::kMosaic, {0, -4}),  // clamped to 1 x 1 tiles
      Effect(effect_code::kCrackle, {2, 0}),
  };
  for (const auto& effect : neutral) {
    RgbBuffer image = original.Clone();
    ApplyImageEffect(image, effect);
    EXPECT_TRUE(Same(image, original)) << "code " << effect.EffectCode() << " L1 " << effect.LongArray(1);
  }
}

TEST(ImageEffects, FreeAndUnknownCodesLeaveThePictureUntouched) {
  const RgbBuffer original = TestPicture(20, 10);
  for (int code : {6, 7, 8, 9, 10, 26, 1000, -1}) {
    RgbBuffer image = original.Clone();
    ApplyImageEffect(image, Effect(code));
    EXPECT_TRUE(Same(image, original)) << code;
  }
}

TEST(ImageEffects, BrightnessAndGammaMoveTheRightWay) {
  const RgbBuffer original = Flat(4, 4, {100, 100, 100});
  RgbBuffer brighter = original.Clone();
  ApplyImageEffect(brighter, Effect(effect_code::kBrightnessContrast, {}, {0.5, 0.0}));
  EXPECT_GT(At(brighter, 0, 0).r, 100);
  RgbBuffer gamma = original.Clone();
  ApplyImageEffect(gamma, Effect(effect_code::kGamma, {}, {2.2}));
  EXPECT_GT(At(gamma, 0, 0).r, 100);
  RgbBuffer flat = original.Clone();
  ApplyImageEffect(flat, Effect(effect_code::kBrightnessContrast, {}, {0.0, -1.0}));
  EXPECT_EQ(At(flat, 0, 0).r, 128);  // no contrast at all: everything mid grey
  RgbBuffer grey = Flat(2, 2, {200, 50, 50});
  ApplyImageEffect(grey, Effect(effect_code::kSaturation, {}, {0.0}));
  EXPECT_TRUE(At(grey, 0, 0).r == At(grey, 0, 0).g && At(grey, 0, 0).g == At(grey, 0, 0).b);
}

TEST(ImageEffects, NoiseWithAFixedSeedIsReproducible) {
  const RgbBuffer original = Flat(200, 100, {128, 128, 128});
  RgbBuffer a = original.Clone();
  RgbBuffer b = original.Clone();
  RgbBuffer c = original.Clone();
  AddGaussianNoise(a, 10.0, false, {true, true, true}, 42);
  AddGaussianNoise(b, 10.0, false, {true, true, true}, 42);
  AddGaussianNoise(c, 10.0, false, {true, true, true}, 43);
  EXPECT_TRUE(Same(a, b));
  EXPECT_FALSE(Same(a, c));
  // The grain has the asked-for strength and no bias.
  double sum = 0, squares = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const double d = a.data()[i] - 128.0;
    sum += d;
    squares += d * d;
  }
  const double n = static_cast<double>(a.size());
  EXPECT_NEAR(sum / n, 0.0, 0.5);
  EXPECT_NEAR(std::sqrt(squares / n), 10.0, 0.5);

  RgbBuffer run1 = original.Clone();
  RgbBuffer run2 = original.Clone();
  ApplyImageEffect(run1, Effect(effect_code::kNoise, {1000, 1, 7}));
  ApplyImageEffect(run2, Effect(effect_code::kNoise, {1000, 1, 7}));
  EXPECT_TRUE(Same(run1, run2));
  const Rgb first = At(run1, 5, 5);
  EXPECT_TRUE(first.r == first.g && first.g == first.b);  // monochrome grain

  RgbBuffer only_red = original.Clone();
  ApplyImageEffect(only_red, Effect(effect_code::kNoise, {1000, 0, 1}));
  for (int x = 0; x < 200; ++x) ASSERT_EQ(At(only_red, x, 0).g, 128);
}

TEST(ImageEffects, DropShadowGrowsTheCanvasAndKeepsThePicture) {
  const RgbBuffer original = TestPicture(100, 80);
  RgbBuffer image = original.Clone();
  ApplyImageEffect(image, Effect(effect_code::kShadow));  // offset 10 to the bottom right, fade 10
  // Shadow offset round(7.07) = 7 on both axes, 10 pixels of fade on all its sides.
  ASSERT_EQ(image.width(), 120);
  ASSERT_EQ(image.height(), 100);
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 100; ++x) ASSERT_EQ(At(image, x + 3, y + 3), At(original, x, y));
  }
  EXPECT_EQ(At(image, 0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(At(image, 119, 0), (Rgb{255, 255, 255}));
  EXPECT_LT(At(image, 106, 50).r, 60);  // in the shadow beside the picture
  EXPECT_LT(At(image, 106, 88).r, At(image, 108, 88).r);  // fading out towards its corner

  RgbBuffer no_offset = Flat(10, 10, {0, 0, 255});
  ApplyImageEffect(no_offset, Effect(effect_code::kShadow, {0, 135, 16777215, 0, 0, 0}));
  EXPECT_EQ(no_offset.width(), 10);
}

TEST(ImageEffects, EdgeDetectDrawsTheStep) {
  RgbBuffer image(40, 20);
  for (int y = 0; y < 20; ++y) {
    for (int x = 20; x < 40; ++x) image.pixel(x, y)[0] = image.pixel(x, y)[1] = image.pixel(x, y)[2] = 255;
  }
  ApplyImageEffect(image, Effect(effect_code::kEdgeDetect, {}, {0.1, 0.2, 0.5}));
  for (int y = 0; y < 20; ++y) {
    int white = 0;
    for (int x = 0; x < 40; ++x) {
      const Rgb c = At(image, x, y);
      ASSERT_TRUE(c.r == c.g && c.g == c.b);
      if (c.r == 255) {
        ++white;
        EXPECT_TRUE(x == 19 || x == 20) << x;
      }
    }
    EXPECT_EQ(white, 1) << "row " << y;
  }
  RgbBuffer flat = Flat(10, 10, {90, 20, 40});
  ApplyImageEffect(flat, Effect(effect_code::kEdgeDetect));
  EXPECT_EQ(At(flat, 5, 5), (Rgb{0, 0, 0}));
}

TEST(ImageEffects, HalftoneIsBlackAndWhiteDotsOfTheRightArea) {
  RgbBuffer grey = Flat(30, 30, {128, 128, 128});
  ApplyImageEffect(grey, Effect(effect_code::kHalftone, {3}));
  int black = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) {
      const Rgb c = At(grey, x, y);
      ASSERT_TRUE(c == (Rgb{0, 0, 0}) || c == (Rgb{255, 255, 255}));
      black += c.r == 0;
    }
  }
  EXPECT_NEAR(black, 450, 100);
  EXPECT_EQ(At(grey, 1, 1), (Rgb{0, 0, 0}));  // dots grow from the cell centre
  RgbBuffer white = Flat(7, 7, {255, 255, 255});
  ApplyImageEffect(white, Effect(effect_code::kHalftone, {3}));
  EXPECT_EQ(At(white, 3, 3), (Rgb{255, 255, 255}));
}

TEST(ImageEffects, DuotoneRunsFromBlackThroughTheInkToWhite) {
  RgbBuffer image(3, 1);
  std::uint8_t* p = image.data();
  p[3] = p[4] = p[5] = 128;
  p[6] = p[7] = p[8] = 255;
  ApplyImageEffect(image, Effect(effect_code::kDuotone));
  EXPECT_EQ(At(image, 0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(At(image, 1, 0), (Rgb{128, 65, 1}));
  EXPECT_EQ(At(image, 2, 0), (Rgb{255, 255, 255}));
}

TEST(ImageEffects, SmoothingEffectsLeaveFlatAreasFlatAndSharpeningRaisesEdges) {
  const RgbBuffer flat = Flat(30, 20, {90, 140, 200});
  for (auto code : {effect_code::kSharpen, effect_code::kBlur, effect_code::kUnsharpMask, effect_code::kOilpainting,
                    effect_code::kWatercolor}) {
    RgbBuffer image = flat.Clone();
    ApplyImageEffect(image, Effect(code));
    EXPECT_TRUE(Same(image, flat)) << code;
  }
  RgbBuffer step = Flat(30, 4, {100, 100, 100});
  for (int y = 0; y < 4; ++y) {
    for (int x = 15; x < 30; ++x) step.pixel(x, y)[0] = step.pixel(x, y)[1] = step.pixel(x, y)[2] = 180;
  }
  RgbBuffer sharp = step.Clone();
  ApplyImageEffect(sharp, Effect(effect_code::kSharpen));
  EXPECT_LT(At(sharp, 14, 1).r, 100);
  EXPECT_GT(At(sharp, 15, 1).r, 180);
  EXPECT_EQ(At(sharp, 2, 1).r, 100);
  RgbBuffer blurred = step.Clone();
  ApplyImageEffect(blurred, Effect(effect_code::kBlur, {50, 7}, {1.0}));
  EXPECT_GT(At(blurred, 14, 1).r, 100);
  EXPECT_LT(At(blurred, 15, 1).r, 180);
}

TEST(ImageEffects, EveryEffectCopesWithLinesAndSinglePixels) {
  const std::pair<int, int> sizes[] = {{1, 1}, {1, 5000}, {5000, 1}, {2, 3}};
  for (const auto& [w, h] : sizes) {
    for (int code = 0; code <= effect_code::kLast; ++code) {
      RgbBuffer image = TestPicture(w, h);
      const EffectResult result = ApplyImageEffect(image, Effect(code));
      EXPECT_FALSE(image.empty()) << code;
      if (result.quarter_turned) {
        EXPECT_EQ(image.width(), h);
      } else if (code != effect_code::kShadow) {
        EXPECT_EQ(image.width(), w) << code;
        EXPECT_EQ(image.height(), h) << code;
      }
    }
  }
  RgbBuffer empty;
  ApplyImageEffect(empty, Effect(effect_code::kShadow));
  EXPECT_TRUE(empty.empty());
}

TEST(ImageEffects, HandEditedParametersOutOfRangeAreClamped) {
  const CBildEffekt wild[] = {
      Effect(effect_code::kBlur, {-5, 7}, {0.5}),
      Effect(effect_code::kBlur, {2000000000, 7}, {1e300}),
      Effect(effect_code::kOilpainting, {1000, 100000, 5}),
      Effect(effect_code::kOilpainting, {-3, 0, 1}),
      Effect(effect_code::kHalftone, {0}),
      Effect(effect_code::kHalftone, {500}),
      Effect(effect_code::kNoise, {0, 0, 7}),
      Effect(effect_code::kNoise, {2147483647, 0, 7}),
      Effect(effect_code::kShadow, {-50, 99999, -1, 1, 0, -7}),
      Effect(effect_code::kEdgeDetect, {}, {-1.0, 5.0, -5.0}),
      Effect(effect_code::kCrackle, {99, 1000, -12}),
      Effect(effect_code::kSaturation, {}, {-3.0}),
      Effect(effect_code::kWatercolor, {-500, 500}, {std::nan("")}),
      Effect(effect_code::kUnsharpMask, {-1, 7}, {-1.0}),
  };
  const std::pair<int, int> sizes[] = {{33, 17}, {1, 1}, {1, 40}, {40, 1}};
  for (const auto& [w, h] : sizes) {
    for (const auto& effect : wild) {
      RgbBuffer image = TestPicture(w, h);
      ApplyImageEffect(image, effect);
      EXPECT_FALSE(image.empty()) << effect.EffectCode();
    }
  }
  RgbBuffer fine = TestPicture(33, 17);
  ApplyImageEffect(fine, Effect(effect_code::kOilpainting, {1000, 16}));
  EXPECT_EQ(fine.width(), 33);
}

}  // namespace
}  // namespace velmora::image
