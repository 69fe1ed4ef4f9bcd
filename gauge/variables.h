// The six host variables the gauge reads: the simulator's clock for the
// checkpoint times and the three fuel quantities for the fuel account.
#pragma once

#include "gauge/records.h"

extern HostVariable ClockHourVariable;     // token 3
extern HostVariable ClockMinuteVariable;   // token 4
extern HostVariable ClockSecondVariable;   // token 5
extern HostVariable FuelQuantity1Variable; // token 304
extern HostVariable FuelQuantity2Variable; // token 305
extern HostVariable FuelQuantity3Variable; // token 303

// In the order install registers them.
extern HostVariable* const GaugeVariables[6];

// Asks the host for the variable's current value and returns it.
double ReadHostVariable(HostVariable& variable);
