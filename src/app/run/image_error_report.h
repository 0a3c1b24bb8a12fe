// What the run does when one image fails: the error goes into the log and
// before the user with the file and the reason; the user may stop the run.
#pragma once

#include "image/image_error.h"

namespace velmora::app {

// Logs and shows `error` (its path() names the file); true when the user
// chose Cancel, which stops the run.
bool ReportImageError(const image::ImageError& error);

}  // namespace velmora::app
