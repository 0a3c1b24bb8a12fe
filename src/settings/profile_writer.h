// The text of a profile file: every used slot of the classic table and each
// added setting that differs from its default, then the clone list objects,
// then the script modules, one record per line with CR LF. A multi-line value
// continues on lines starting with "+", a module's source on lines starting
// with "!+".
#pragma once

#include <string>

#include "image/clone_list/clone_list.h"
#include "settings/script_module_list.h"
#include "settings/settings_table.h"

namespace velmora::settings {

std::string WriteProfileText(const SettingsTable& settings, const image::CCloneEffekte& clones,
                             const RLModule& modules);

}  // namespace velmora::settings
