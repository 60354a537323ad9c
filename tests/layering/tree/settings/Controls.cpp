#include "settings/Controls.h"
