// Image comments by position (1-based, in file order) or by key. Keys are
// matched without regard to case: PNG writers disagree on "Title" and
// "title".
#include "script/builtins/comment_builtins.h"

#include "script/builtins/image_host_access.h"

namespace velmora::script {
namespace {

const metadata::ImageComment* AtPosition(const metadata::PhotoMetadata& metadata, std::int32_t position) {
  if (position < 1 || static_cast<std::size_t>(position) > metadata.comments.size()) return nullptr;
  return &metadata.comments[static_cast<std::size_t>(position - 1)];
}

const metadata::ImageComment* WithKey(const metadata::PhotoMetadata& metadata, std::string_view key) {
  for (const metadata::ImageComment& comment : metadata.comments) {
    if (SameName(comment.key, key)) return &comment;
  }
  return nullptr;
}

}  // namespace

void kif_imagecommentkey(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const Value& position = call.Arg(1);
  if (!position.is(ValueType::kInteger)) return call.Fail(rterr::kParametertype);
  const metadata::PhotoMetadata* metadata = CurrentMetadata(call);
  const metadata::ImageComment* comment = metadata != nullptr ? AtPosition(*metadata, position.integer()) : nullptr;
  if (comment == nullptr) return call.Fail(rterr::kCommentMissing);
  call.SetResult(Value::String(comment->key));
}

void kif_imagecomment(BuiltinCall& call) {
  if (!call.CheckCount(0, 1)) return;
  const Value& which = call.Arg(1);
  if (call.count() == 1 && !which.is(ValueType::kInteger) && !which.is(ValueType::kString)) {
    return call.Fail(rterr::kParametertype);
  }
  const metadata::PhotoMetadata* metadata = CurrentMetadata(call);
  const metadata::ImageComment* comment = nullptr;
  if (metadata != nullptr) {
    comment = call.count() == 0                   ? AtPosition(*metadata, 1)
              : which.is(ValueType::kInteger) ? AtPosition(*metadata, which.integer())
                                              : WithKey(*metadata, which.text());
  }
  if (comment == nullptr) return call.Fail(rterr::kCommentMissing);
  call.SetResult(Value::String(comment->text));
}

void kif_imagecommentcount(BuiltinCall& call) {
  if (!call.CheckCount(0, 0)) return;
  const metadata::PhotoMetadata* metadata = CurrentMetadata(call);
  if (metadata == nullptr) return call.Fail(rterr::kCommentMissing);
  call.SetResult(Value::Integer(static_cast<std::int32_t>(metadata->comments.size())));
}

}  // namespace velmora::script
