// Creating the output folders of a run, each with its missing parents. A
// folder that cannot be made is a message with the reason ("Permission
// denied" on a read-only clone folder); its sub-folders fail for the same
// reason and stay quiet. The run goes on: every write into such a folder
// fails and is reported per file.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "lang/message_key.h"

namespace velmora::app {

class OutputFolders {
 public:
  // `message_key` names the folder's kind ("ErrClonesMkDir", "ErrThumbMkDir",
  // ...), shown with the error number and reason as %1 and the folder as %2.
  bool Create(const std::filesystem::path& folder, lang::MessageKey message_key);

 private:
  std::vector<std::filesystem::path> failed_;
};

}  // namespace velmora::app
