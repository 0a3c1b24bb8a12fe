// The program's version, one place for every report of it. The constants live
// with the settings, which write them into every profile and migrate by them.
#pragma once

#include "settings/program_version.h"
