// The program-wide definition tables, read from metadata.def beside the
// program the first time metadata is needed.
#include <string>
#include <utility>

#include "lang/messages.h"
#include "metadata/metadata_definition.h"
#include "platform/atomic_file.h"
#include "platform/program_paths.h"

namespace velmora::metadata {
namespace {

constexpr std::string_view kDefinitionFileName = "metadata.def";
constexpr std::string_view kLoadCaption = "Metadaten-Definition laden";

struct LoadedDefinitions {
  MetadataDefinition tables;
  // Set once the tables stand: after a good read, and after a file that
  // could not be opened (the program then runs without names, and does not
  // look for the file again). A refused file leaves it unset; until it is
  // set the tables are empty, since only a good read fills them.
  bool available = false;
};

LoadedDefinitions& State() {
  static LoadedDefinitions state;
  return state;
}

}  // namespace

bool LoadMetadataDefinition() {
  LoadedDefinitions& state = State();
  if (state.available) return true;
  std::string bytes;
  if (ReadWholeFile(ProgramDirectory() / kDefinitionFileName, bytes)) {
    state.available = true;
    return false;
  }
  auto parsed = ParseMetadataDefinition(bytes);
  if (const DefinitionError* error = std::get_if<DefinitionError>(&parsed)) {
    lang::ShowMessageText(kLoadCaption, lang::kButtonsOk | lang::kIconExclamation, error->Message());
    return false;
  }
  state.tables = std::move(std::get<MetadataDefinition>(parsed));
  state.available = true;
  return true;
}

const MetadataDefinition& Definitions() { return State().tables; }

void ResetMetadataDefinition() { State() = LoadedDefinitions{}; }

}  // namespace velmora::metadata
