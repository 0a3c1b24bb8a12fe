#include "lib/hidden.h"
#include "lib/open.h"
