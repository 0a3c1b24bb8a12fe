// Placeholder so the library has a translation unit until the codecs land.
#include "image/rgb_buffer.h"
