// Reporting an image's failure.
#include "app/run/image_error_report.h"

#include <string>
#include <string_view>

#include "platform/cp1252_text.h"
#include "platform/log.h"
#include "platform/text_encoding.h"
#include "image/codecs/codec.h"
#include "lang/messages.h"

namespace velmora::app {
namespace {

constexpr std::string_view kImageErrorText = "Image-Error %1%n%n%2%n%3%n%4";

}  // namespace

bool ReportImageError(const image::ImageError& error) {
  const std::string& file = error.path();
  WriteLog("Image-Error " + std::to_string(error.number()) + " " + error.source() + " " + error.description() + " " +
           file + (error.detail().empty() ? "" : " (" + error.detail() + ")"));
  constexpr int kStyle = lang::kButtonsOkCancel | lang::kIconExclamation;
  // The reason ("Permission denied", "No space left on device") goes below
  // the file, so that a failed write says why.
  const std::string reason = Utf8ToCp1252ForDisplay(error.detail());
  // A metafile of vector drawing only is no damage: say in words what Velmora reads.
  const int answer =
      error.number() == image::kImageErrorBase + image::kCodecNoPicture
          ? lang::ShowMessage(lang::kApplicationTitle, kStyle, "ErrMetafileWithoutPicture", {Cp1252Text(file)})
          : lang::ShowMessageText(lang::kApplicationTitle, kStyle, kImageErrorText,
                                  {Cp1252Text::Number(error.number()), Cp1252Text(error.source()),
                                   Cp1252Text(error.description()),
                                   Cp1252Text(reason.empty() ? file : file + "%n" + reason)});
  return answer == lang::kResultCancel;
}

}  // namespace velmora::app
