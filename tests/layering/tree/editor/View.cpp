#include "editor/View.h"

#include "editor/Menu.h"
