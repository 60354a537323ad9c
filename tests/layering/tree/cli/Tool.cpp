#include "cli/Tool.h"
#include "document/Doc.h"
#include "widgets/Grid.h"
