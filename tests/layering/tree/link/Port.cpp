#define PORT_HEADER "link/Port.h"
#include PORT_HEADER
