// Colours and drawing on the host's pixels: `rgb`, `rotate`, `flip`, the
// shapes with their percentage and outside variant, `inqcolor`, and the
// shapes' clipping, which keeps hostile coordinates inside the buffer.
#include <gtest/gtest.h>

#include <string>

#include "builtins_support.h"
#include "fake_image_host.h"
#include "script/builtins/pixel_shapes.h"

namespace velmora::script {
namespace {

using image::Rgb;
using image::RgbBuffer;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlack{0, 0, 0};

Rgb At(const RgbBuffer& b, int x, int y) {
  const std::uint8_t* p = b.pixel(x, y);
  return {p[0], p[1], p[2]};
}

// One character per pixel: "#" red, "." black, "?" anything else.
std::string Picture(const RgbBuffer& b) {
  std::string text;
  for (int y = 0; y < b.height(); ++y) {
    if (y > 0) text += '|';
    for (int x = 0; x < b.width(); ++x) {
      const Rgb c = At(b, x, y);
      text += c == kRed ? '#' : c == kBlack ? '.' : '?';
    }
  }
  return text;
}

// Pixels numbered 0, 1, 2, ... in their red channel, row by row.
RgbBuffer Numbered(int width, int height) {
  RgbBuffer b(width, height);
  for (int i = 0; i < width * height; ++i) b.data()[i * 3] = static_cast<std::uint8_t>(i);
  return b;
}

std::string Numbers(const RgbBuffer& b) {
  std::string text;
  for (int y = 0; y < b.height(); ++y) {
    if (y > 0) text += '|';
    for (int x = 0; x < b.width(); ++x) text += std::to_string(b.pixel(x, y)[0]);
  }
  return text;
}

class DrawingBuiltinsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.pixels = &pixels;
    r.program.SetImageHost(&host);
  }
  // Runs `body` and expects it to print nothing (the drawing functions return "").
  void Draw(const std::string& body) { EXPECT_EQ(r.Eval(body), "") << body; }

  test::BuiltinRunner r;
  test::FakeImageHost host;
  RgbBuffer pixels{5, 3};
};

TEST(RgbBuiltinTest, NumbersAndHexTextGiveTheSameColour) {
  test::BuiltinRunner r;
  EXPECT_EQ(r.Eval("rgb(255, 0, 0) == rgb(\"#FF0000\");"), "@true");
  EXPECT_EQ(r.Eval("rgb(255, 0, 0); \" \"; rgb(0, 0, 255); \" \"; rgb(\"#00ff80\"); \" \"; rgb(\"#FFFFFF\");"),
            "255 16711680 8453888 16777215");
  for (const char* bad : {"rgb(\"FF0000\");", "rgb(\"#FF00\");", "rgb(\"#FF00000\");", "rgb(\"#GG0000\");",
                          "rgb(256, 0, 0);", "rgb(0, -1, 0);"}) {
    EXPECT_EQ(r.FailCode(bad), 4) << bad;
  }
  EXPECT_EQ(r.FailCode("rgb(1.0, 0, 0);"), 3);
  EXPECT_EQ(r.FailCode("rgb(255);"), 3);
}

TEST_F(DrawingBuiltinsTest, RotateTurnsByQuarterTurnsClockwise) {
  pixels = Numbered(3, 2);  // 012|345
  Draw("rotate(90);");
  EXPECT_EQ(Numbers(pixels), "30|41|52");
  Draw("rotate(-90);");
  EXPECT_EQ(Numbers(pixels), "012|345");
  Draw("rotate(180);");
  EXPECT_EQ(Numbers(pixels), "543|210");
  Draw("rotate(540); rotate(0); rotate(-360);");
  EXPECT_EQ(Numbers(pixels), "012|345");
  EXPECT_EQ(r.FailCode("rotate(45);"), 4);
  EXPECT_EQ(r.FailCode("rotate(\"90\");"), 3);
  EXPECT_EQ(Numbers(pixels), "012|345");
}

TEST_F(DrawingBuiltinsTest, FlipMirrorsAcrossEitherAxis) {
  pixels = Numbered(3, 2);
  Draw("flip(@HORIZONTAL);");
  EXPECT_EQ(Numbers(pixels), "210|543");
  Draw("flip(@horizontal); flip(@VERTICAL);");
  EXPECT_EQ(Numbers(pixels), "345|012");
  EXPECT_EQ(r.FailCode("flip(@RED);"), 4);
  EXPECT_EQ(r.FailCode("flip(1);"), 3);
}

TEST_F(DrawingBuiltinsTest, RectanglesWithPercentAndOutside) {
  Draw("drawrectangle(3, 2, 1, 1, rgb(255, 0, 0));");  // corners in any order, both included
  EXPECT_EQ(Picture(pixels), ".....|.###.|.###.");
  pixels = RgbBuffer(5, 3);
  Draw("drawrectangle(1, 1, 3, 1, 255, 100, @OUTSIDE);");
  EXPECT_EQ(Picture(pixels), "#####|#...#|#####");
  pixels = RgbBuffer(1, 1);
  Draw("drawrectangle(0, 0, 0, 0, rgb(200, 100, 0), 50);");
  EXPECT_EQ(At(pixels, 0, 0), (Rgb{100, 50, 0}));
  Draw("drawrectangle(0, 0, 0, 0, rgb(255, 255, 255), 0);");
  EXPECT_EQ(At(pixels, 0, 0), (Rgb{100, 50, 0}));
}

TEST_F(DrawingBuiltinsTest, ShapeArgumentsAreChecked) {
  EXPECT_EQ(r.FailCode("drawrectangle(0, 0, 1, 1, 255, 101);"), 4);
  EXPECT_EQ(r.FailCode("drawrectangle(0, 0, 1, 1, 255, -1);"), 4);
  EXPECT_EQ(r.FailCode("drawrectangle(0, 0, 1, 1, 255, \"50\");"), 4);
  EXPECT_EQ(r.FailCode("drawellipse(0, 0, 1, 1, 255, 50, @BOTH);"), 4);
  EXPECT_EQ(r.FailCode("drawellipse(0, 0, 1, 1, 255, 50, \"outside\");"), 4);
  EXPECT_EQ(r.FailCode("drawline(0, \"0\", 1, 1, 255);"), 3);
  EXPECT_EQ(r.FailCode("drawline(0, 0, 1, 1, @RED);"), 3);
  EXPECT_EQ(r.FailCode("drawline(0, 0, 3000000000.0, 1, 255);"), 4);
  EXPECT_EQ(Picture(pixels), ".....|.....|.....");
}

TEST_F(DrawingBuiltinsTest, EllipsesAndLines) {
  pixels = RgbBuffer(5, 5);
  Draw("drawellipse(0, 0, 4, 4, 255);");
  EXPECT_EQ(Picture(pixels), ".###.|#####|#####|#####|.###.");
  Draw("drawellipse(0, 0, 4, 4, 0, 100, @OUTSIDE);");
  EXPECT_EQ(Picture(pixels), ".###.|#####|#####|#####|.###.");
  pixels = RgbBuffer(4, 4);
  Draw("drawline(0, 0, 3, 3, 255); drawline(3, 0, 3, 0, 255);");
  EXPECT_EQ(Picture(pixels), "#..#|.#..|..#.|...#");
}

TEST_F(DrawingBuiltinsTest, InqcolorIsTheMeanColour) {
  Draw("drawrectangle(0, 0, 4, 2, rgb(200, 40, 0));");
  EXPECT_EQ(r.Eval("inqcolor() == rgb(200, 40, 0);"), "@true");
  host.pixels = nullptr;
  EXPECT_EQ(r.Eval("inqcolor();"), "0");
}

TEST_F(DrawingBuiltinsTest, WithoutPixelsTheDrawingFunctionsAreErrorTwentyOne) {
  host.pixels = nullptr;
  for (const char* call : {"rotate(90);", "flip(@VERTICAL);", "drawrectangle(0, 0, 1, 1, 255);",
                           "drawellipse(0, 0, 1, 1, 255);", "drawline(0, 0, 1, 1, 255);"}) {
    EXPECT_EQ(r.FailCode(call), 21) << call;
  }
  r.program.SetImageHost(nullptr);
  EXPECT_EQ(r.FailCode("rotate(90);"), 21);
  EXPECT_EQ(r.Eval("inqcolor();"), "0");
}

// Coordinates come from scripts: far outside the image, reversed, or the
// whole 32-bit range; the shapes stay inside the buffer and finish at once.
TEST(PixelShapesTest, HostileCoordinatesAreClipped) {
  RgbBuffer b(4, 3);
  constexpr std::int32_t kMin = INT32_MIN, kMax = INT32_MAX;
  FillShape(b, ShapeKind::kEllipse, {kMin, kMin, kMax, kMax}, kRed, 100, false);
  EXPECT_EQ(Picture(b), "####|####|####");
  b = RgbBuffer(4, 3);
  FillShape(b, ShapeKind::kRectangle, {100, 100, 200, 200}, kRed, 100, false);
  EXPECT_EQ(Picture(b), "....|....|....");
  FillShape(b, ShapeKind::kRectangle, {100, 100, 200, 200}, kRed, 100, true);
  EXPECT_EQ(Picture(b), "####|####|####");
  b = RgbBuffer(4, 3);
  DrawLine(b, {kMin, 1, kMax, 1}, kRed);
  EXPECT_EQ(Picture(b), "....|####|....");
  b = RgbBuffer(4, 3);
  DrawLine(b, {-5, -5, -1, -1}, kRed);
  DrawLine(b, {kMin, kMin, kMin, kMax}, kRed);
  EXPECT_EQ(Picture(b), "....|....|....");
  // A line from far away that crosses the image crosses it as a line.
  DrawLine(b, {-1000000, -1000000, 1000000, 1000000}, kRed);
  EXPECT_EQ(Picture(b), "#...|.#..|..#.");
  RgbBuffer empty;
  FillShape(empty, ShapeKind::kRectangle, {0, 0, 1, 1}, kRed, 100, true);
  DrawLine(empty, {0, 0, 1, 1}, kRed);
}

TEST(PixelShapesTest, ThinEllipsesKeepTheirMiddle) {
  RgbBuffer b(5, 1);
  FillShape(b, ShapeKind::kEllipse, {0, 0, 4, 0}, kRed, 100, false);
  EXPECT_EQ(Picture(b), "#####");
  b = RgbBuffer(3, 3);
  FillShape(b, ShapeKind::kEllipse, {1, 1, 1, 1}, kRed, 100, false);
  EXPECT_EQ(Picture(b), "...|.#.|...");
}

}  // namespace
}  // namespace velmora::script
