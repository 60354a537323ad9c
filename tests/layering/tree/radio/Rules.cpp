#include "radio/Rules.h"

#include "editor/View.h"
#include "outside/Stray.h"
