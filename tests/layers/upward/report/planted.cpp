// Planted for the layer check's negative control: the report layer reaching
// up into the gauge layer.
#include "gauge/gauge.h"
