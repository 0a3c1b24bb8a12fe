// IPTC datasets of the current image. Datasets are named as photo managers
// write them, record and dataset: `iptc(2, 120)` is "2:120", the caption.
// Further datasets after the first are tried in turn when the image lacks
// the earlier ones: `iptc(2, 120, 105)` is the caption, else the headline.
#include "script/builtins/iptc_builtins.h"

#include <limits>
#include <vector>

#include "script/builtins/image_host_access.h"

namespace velmora::script {
namespace {

// The only record the reader keeps: the application record.
constexpr std::int32_t kApplicationRecord = 2;

const metadata::IptcTag* FindByName(const metadata::MetadataDefinition& definitions, std::string_view name) {
  for (const auto& [number, tag] : definitions.iptc_tags) {
    if (SameName(tag.name, name)) return &tag;
  }
  return nullptr;
}

// The dataset number of argument `k`: a number from 0 to 255 or a name of
// the definitions. Error 3 for another type, 17 for an unknown dataset.
std::optional<std::int32_t> DatasetArgument(BuiltinCall& call, int k) {
  const Value& v = call.Arg(k);
  if (v.is(ValueType::kInteger)) {
    if (v.integer() >= 0 && v.integer() <= 255) return v.integer();
    call.Fail(rterr::kIptcTagUnknown);
    return std::nullopt;
  }
  if (!v.is(ValueType::kString)) {
    call.Fail(rterr::kParametertype);
    return std::nullopt;
  }
  const metadata::IptcTag* tag = FindByName(DefinitionsOf(call), v.text());
  if (tag == nullptr) {
    call.Fail(rterr::kIptcTagUnknown);
    return std::nullopt;
  }
  return tag->dataset;
}

}  // namespace

void kif_iptc(BuiltinCall& call) {
  if (!call.CheckCount(2, std::numeric_limits<int>::max())) return;
  const Value& record = call.Arg(1);
  if (!record.is(ValueType::kInteger)) return call.Fail(rterr::kParametertype);
  if (record.integer() != kApplicationRecord) return call.Fail(rterr::kParameter);
  std::vector<std::int32_t> datasets;
  for (int k = 2; k <= call.count(); ++k) {
    const std::optional<std::int32_t> dataset = DatasetArgument(call, k);
    if (!dataset) return;
    datasets.push_back(*dataset);
  }
  const metadata::PhotoMetadata* metadata = CurrentMetadata(call);
  if (metadata == nullptr || metadata->iptc.empty()) return call.Fail(rterr::kIptcDataUnknown);
  for (const std::int32_t dataset : datasets) {
    if (const metadata::IptcEntry* entry = metadata->FindIptc(dataset)) return call.SetResult(Value::String(entry->text));
  }
  call.Fail(rterr::kIptcTagMissing);
}

void kif_iptccount(BuiltinCall& call) {
  if (!call.CheckCount(0, 0)) return;
  const metadata::PhotoMetadata* metadata = CurrentMetadata(call);
  if (metadata == nullptr) return call.Fail(rterr::kIptcDataUnknown);
  call.SetResult(Value::Integer(static_cast<std::int32_t>(metadata->iptc.size())));
}

void kif_iptctag(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const Value& position = call.Arg(1);
  if (!position.is(ValueType::kInteger)) return call.Fail(rterr::kParametertype);
  const metadata::PhotoMetadata* metadata = CurrentMetadata(call);
  if (metadata == nullptr) return call.Fail(rterr::kIptcDataUnknown);
  if (position.integer() < 1 || static_cast<std::size_t>(position.integer()) > metadata->iptc.size()) {
    return call.Fail(rterr::kIptcTagposition);
  }
  call.SetResult(Value::Integer(metadata->iptc[static_cast<std::size_t>(position.integer() - 1)].dataset));
}

void kif_iptctagname(BuiltinCall& call) {
  if (!call.CheckCount(1, 1)) return;
  const std::optional<std::int32_t> dataset = DatasetArgument(call, 1);
  if (!dataset) return;
  const metadata::IptcTag* tag = DefinitionsOf(call).FindIptc(*dataset);
  if (tag == nullptr) return call.Fail(rterr::kIptcTagUnknown);
  call.SetResult(Value::String(tag->name));
}

}  // namespace velmora::script
