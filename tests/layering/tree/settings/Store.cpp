#include "document/Missing.h"
#include "radio/Rules.h"
#include "Controls.h"
