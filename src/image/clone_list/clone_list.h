// The clone list and its four item classes, as plain data: what the profile layer
// loads and saves and what the image pipeline applies to every clone.
#pragma once

#include "image/clone_list/bild_effekt.h"
#include "image/clone_list/border.h"
#include "image/clone_list/clone_effekte.h"
#include "image/clone_list/clone_item.h"
#include "image/clone_list/image_stamp.h"
#include "image/clone_list/text_stamp.h"
