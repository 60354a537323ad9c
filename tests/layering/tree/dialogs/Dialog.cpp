#include "cli/Tool.h"
#include "link/Unlisted.h"
#include "widgets/Grid.h"
