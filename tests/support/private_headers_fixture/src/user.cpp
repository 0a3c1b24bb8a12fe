#include "lib/open.h"
#include "lib/hidden.h"
