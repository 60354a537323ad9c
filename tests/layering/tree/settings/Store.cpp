#include "Controls.h"
#include "document/Missing.h"
#include "radio/Rules.h"
