#include "interface/variables.h"

#include "interface/host_services.h"

HostVariable ClockHourVariable = {ClockHourToken, 0, 0, 0.0, 0, 0};
HostVariable ClockMinuteVariable = {ClockMinuteToken, 0, 0, 0.0, 0, 0};
HostVariable ClockSecondVariable = {ClockSecondToken, 0, 0, 0.0, 0, 0};
HostVariable FuelQuantity1Variable = {FuelQuantity1Token, 0, 0, 0.0, 0, 0};
HostVariable FuelQuantity2Variable = {FuelQuantity2Token, 0, 0, 0.0, 0, 0};
HostVariable FuelQuantity3Variable = {FuelQuantity3Token, 0, 0, 0.0, 0, 0};

HostVariable* const GaugeVariables[6] = {
    &ClockHourVariable,     &ClockMinuteVariable,   &ClockSecondVariable,
    &FuelQuantity1Variable, &FuelQuantity2Variable, &FuelQuantity3Variable,
};

double ReadHostVariable(HostVariable& variable) {
    HostRefreshVariable(&variable);
    return variable.Value;
}
