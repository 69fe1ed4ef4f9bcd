// Planted for the layer check's negative control: the nav log reaching up
// into a tool.
#include "tools/vqreport/show.h"
