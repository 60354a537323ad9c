#pragma once
#include "radio/Rules.h"
