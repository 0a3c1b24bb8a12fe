// Colours and drawing. The pixels are the host's (the clone while `_clone`
// runs); where there are none, the drawing functions report error 21.
// Colours are integers with red in the low byte, as settings store them.
#include "script/builtins/drawing_builtins.h"

#include <array>

#include "image/clone_list/bild_effekt.h"
#include "image/effects/apply_image_effect.h"
#include "image/resize/resize_image.h"
#include "script/builtins/arguments.h"
#include "script/builtins/image_host_access.h"
#include "script/builtins/pixel_shapes.h"

namespace velmora::script {
namespace {

std::optional<int> HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

// "#RRGGBB", as web pages write colours.
std::optional<image::Rgb> ParseHexColour(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  std::array<std::uint8_t, 3> channels{};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::optional<int> high = HexDigit(text[1 + 2 * i]);
    const std::optional<int> low = HexDigit(text[2 + 2 * i]);
    if (!high || !low) return std::nullopt;
    channels[i] = static_cast<std::uint8_t>(*high * 16 + *low);
  }
  return image::Rgb{channels[0], channels[1], channels[2]};
}

image::RgbBuffer* PixelsOf(BuiltinCall& call) {
  ImageHost* host = HostOf(call);
  image::RgbBuffer* pixels = host != nullptr ? host->CurrentPixels() : nullptr;
  if (pixels == nullptr) call.Fail(rterr::kImageNotExist);
  return pixels;
}

void ApplyEffect(image::RgbBuffer& pixels, std::int32_t code, std::int32_t parameter) {
  image::CBildEffekt effect;
  effect.SetEffectCode(code);
  effect.SetLongArray(1, parameter);
  image::ApplyImageEffect(pixels, effect);
}

// The four corners and the colour that every drawing function begins with.
struct ShapeArguments {
  PixelBox box;
  image::Rgb colour;
};

std::optional<ShapeArguments> ShapeArgumentsOf(BuiltinCall& call) {
  std::array<std::int32_t, 5> numbers{};
  for (int k = 1; k <= 5; ++k) {
    const std::optional<std::int32_t> n = WholeNumber(call.Arg(k));
    if (!n) {
      call.Fail(call.Arg(k).is(ValueType::kDouble) ? rterr::kParameter : rterr::kParametertype);
      return std::nullopt;
    }
    numbers[static_cast<std::size_t>(k - 1)] = *n;
  }
  return ShapeArguments{{numbers[0], numbers[1], numbers[2], numbers[3]}, image::RgbFromColourValue(numbers[4])};
}

void DrawShape(BuiltinCall& call, ShapeKind kind) {
  if (!call.CheckCount(5, 7)) return;
  const std::optional<ShapeArguments> shape = ShapeArgumentsOf(call);
  if (!shape) return;
  int percent = 100;
  if (call.count() >= 6) {
    const Value& p = call.Arg(6);
    if (!p.is(ValueType::kInteger) || p.integer() < 0 || p.integer() > 100) return call.Fail(rterr::kParameter);
    percent = p.integer();
  }
  if (call.count() == 7 && !IsSymbol(call.Arg(7), kSymOutside)) return call.Fail(rterr::kParameter);
  image::RgbBuffer* pixels = PixelsOf(call);
  if (pixels == nullptr) return;
  FillShape(*pixels, kind, shape->box, shape->colour, percent, call.count() == 7);
  call.SetResult(Value::String(""));
}

}  // namespace

void kif_rgb(BuiltinCall& call) {
  if (!call.CheckCount(1, 3)) return;
  if (call.count() == 2) return call.Fail(rterr::kParameterCount);
  if (call.count() == 1) {
    const Value& text = call.Arg(1);
    if (!text.is(ValueType::kString)) return call.Fail(rterr::kParametertype);
    const std::optional<image::Rgb> colour = ParseHexColour(text.text());
    if (!colour) return call.Fail(rterr::kParameter);
    return call.SetResult(Value::Integer(image::ColourValue(*colour)));
  }
  std::array<std::uint8_t, 3> channels{};
  for (int k = 1; k <= 3; ++k) {
    const Value& v = call.Arg(k);
    if (!v.is(ValueType::kInteger)) return call.Fail(rterr::kParametertype);
    if (v.integer() < 0 || v.integer() > 255) return call.Fail(rterr::kParameter);
    channels[static_cast<std::size_t>(k - 1)] = static_cast<std::uint8_t>(v.integer());
  }
  call.SetResult(Value::Integer(image::ColourValue({channels[0], channels[1], channels[2]})));
}

// Quarter turns only, clockwise for positive angles: the image operations
// turn losslessly in 90-degree steps, and a free angle would have to invent
// the corners.
void kif_rotate(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const Value& angle = call.Arg(1);
  if (!angle.is(ValueType::kInteger)) return call.Fail(rterr::kParametertype);
  if (angle.integer() % 90 != 0) return call.Fail(rterr::kParameter);
  image::RgbBuffer* pixels = PixelsOf(call);
  if (pixels == nullptr) return;
  // The rotate effect's codes: 0 a quarter turn clockwise, 1 a half turn,
  // 2 a quarter turn counter-clockwise.
  const int quarters = ((angle.integer() / 90) % 4 + 4) % 4;
  if (quarters != 0) ApplyEffect(*pixels, image::effect_code::kRotate, quarters - 1);
  call.SetResult(Value::String(""));
}

void kif_flip(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const Value& direction = call.Arg(1);
  if (!direction.is(ValueType::kSymbol)) return call.Fail(rterr::kParametertype);
  // The flip effect's codes: 1 mirrors left and right, 2 top and bottom.
  std::int32_t code = 0;
  if (direction.symbol() == kSymHorizontal) code = 1;
  if (direction.symbol() == kSymVertical) code = 2;
  if (code == 0) return call.Fail(rterr::kParameter);
  image::RgbBuffer* pixels = PixelsOf(call);
  if (pixels == nullptr) return;
  ApplyEffect(*pixels, image::effect_code::kFlip, code);
  call.SetResult(Value::String(""));
}

void kif_drawrectangle(BuiltinCall& call) { DrawShape(call, ShapeKind::kRectangle); }

void kif_drawellipse(BuiltinCall& call) { DrawShape(call, ShapeKind::kEllipse); }

void kif_drawline(BuiltinCall& call) {
  if (!call.CheckCount(5, 5)) return;
  const std::optional<ShapeArguments> line = ShapeArgumentsOf(call);
  if (!line) return;
  image::RgbBuffer* pixels = PixelsOf(call);
  if (pixels == nullptr) return;
  DrawLine(*pixels, line->box, line->colour);
  call.SetResult(Value::String(""));
}

// The image's mean colour: what a frame or a text background chosen to
// match the picture needs.
void kif_inqcolor(BuiltinCall& call) {
  if (!call.CheckCount(0, 0)) return;
  ImageHost* host = HostOf(call);
  const image::RgbBuffer* pixels = host != nullptr ? host->CurrentPixels() : nullptr;
  if (pixels == nullptr || pixels->empty()) return call.SetResult(Value::Integer(0));
  call.SetResult(Value::Integer(image::ColourValue(image::AverageColour(*pixels))));
}

}  // namespace velmora::script
