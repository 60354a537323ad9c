#include "../radio/Rules.h"
#include "Stray.h"
