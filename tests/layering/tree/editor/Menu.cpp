#include "Menu.h"
#include "View.h"
