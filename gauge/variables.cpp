#include "gauge/variables.h"

#include "gauge/host_services.h"

HostVariable ClockHourVariable = {3, 0, 0, 0.0, 0, 0};
HostVariable ClockMinuteVariable = {4, 0, 0, 0.0, 0, 0};
HostVariable ClockSecondVariable = {5, 0, 0, 0.0, 0, 0};
HostVariable FuelQuantity1Variable = {304, 0, 0, 0.0, 0, 0};
HostVariable FuelQuantity2Variable = {305, 0, 0, 0.0, 0, 0};
HostVariable FuelQuantity3Variable = {303, 0, 0, 0.0, 0, 0};

HostVariable* const GaugeVariables[6] = {
    &ClockHourVariable,     &ClockMinuteVariable,   &ClockSecondVariable,
    &FuelQuantity1Variable, &FuelQuantity2Variable, &FuelQuantity3Variable,
};

double ReadHostVariable(HostVariable& variable) {
    HostRefreshVariable(&variable);
    return variable.Value;
}
