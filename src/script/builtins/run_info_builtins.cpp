// The run's directories and images as the host numbers them.
#include "script/builtins/run_info_builtins.h"

#include <limits>

#include "script/builtins/image_host_access.h"

namespace velmora::script {
namespace {

std::optional<ImageInfoItem> ItemOf(std::int32_t symbol) {
  switch (symbol) {
    case kSymRef: return ImageInfoItem::kRef;
    case kSymDocref: return ImageInfoItem::kDocRef;
    case kSymSize: return ImageInfoItem::kSize;
    case kSymDimx: return ImageInfoItem::kDimX;
    case kSymDimy: return ImageInfoItem::kDimY;
    case kSymDate: return ImageInfoItem::kDate;
    case kSymFilename: return ImageInfoItem::kFileName;
    case kSymFiletype: return ImageInfoItem::kFileType;
    case kSymThumbref: return ImageInfoItem::kThumbRef;
    case kSymThumbname: return ImageInfoItem::kThumbName;
    case kSymThumbtype: return ImageInfoItem::kThumbType;
    case kSymThumbdimx: return ImageInfoItem::kThumbDimX;
    case kSymThumbdimy: return ImageInfoItem::kThumbDimY;
    default: return std::nullopt;
  }
}

// Byte counts of big files stay exact beyond 32 bits as DOUBLE, as the
// context variables keep them.
Value ScriptValue(const ImageInfoValue& info) {
  switch (info.kind) {
    case ImageInfoValue::Kind::kInteger:
      if (info.integer >= std::numeric_limits<std::int32_t>::min() &&
          info.integer <= std::numeric_limits<std::int32_t>::max()) {
        return Value::Integer(static_cast<std::int32_t>(info.integer));
      }
      return Value::Double(static_cast<double>(info.integer));
    case ImageInfoValue::Kind::kDate: return Value::Date(info.date);
    case ImageInfoValue::Kind::kString: break;
  }
  return Value::String(info.text);
}

}  // namespace

void kif_dirinfo(BuiltinCall& call) {
  if (!call.CheckCount(2, 2)) return;
  const Value& number = call.Arg(1);
  const Value& item = call.Arg(2);
  if (!number.is(ValueType::kInteger) || !item.is(ValueType::kSymbol)) return call.Fail(rterr::kParametertype);
  if (item.symbol() != kSymCount && item.symbol() != kSymDirname) return call.Fail(rterr::kParameter);
  const ImageHost* host = HostOf(call);
  const std::optional<HostDirectoryInfo> directory =
      host != nullptr ? host->Directory(number.integer()) : std::nullopt;
  if (!directory) return call.Fail(rterr::kDirNotExist);
  if (item.symbol() == kSymCount) return call.SetResult(Value::Integer(directory->image_count));
  call.SetResult(Value::String(directory->name));
}

void kif_imageinfo(BuiltinCall& call) {
  if (!call.CheckCount(2, 3)) return;
  const bool with_directory = call.count() == 3;
  const Value& directory = call.Arg(1);
  const Value& image = call.Arg(with_directory ? 2 : 1);
  const Value& item = call.Arg(call.count());
  if ((with_directory && !directory.is(ValueType::kInteger)) || !image.is(ValueType::kInteger) ||
      !item.is(ValueType::kSymbol)) {
    return call.Fail(rterr::kParametertype);
  }
  const std::optional<ImageInfoItem> what = ItemOf(item.symbol());
  if (!what) return call.Fail(rterr::kParameter);
  const ImageHost* host = HostOf(call);
  if (host == nullptr) return call.Fail(rterr::kImageNotExist);
  // Directory 0 is the host's "count through all", which a script names by
  // leaving the directory out.
  if (with_directory && (directory.integer() < 1 || directory.integer() > host->DirectoryCount())) {
    return call.Fail(rterr::kDirNotExist);
  }
  const std::optional<ImageInfoValue> info =
      host->ImageInfo(with_directory ? directory.integer() : 0, image.integer(), *what);
  if (!info) return call.Fail(rterr::kImageNotExist);
  call.SetResult(ScriptValue(*info));
}

}  // namespace velmora::script
