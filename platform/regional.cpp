#include "platform/regional.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {

namespace {

RegionalSettings ReadUserSettings() {
    RegionalSettings settings;
#ifdef _WIN32
    char buffer[16];
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 1) {
        settings.DecimalSeparator = buffer[0];
    }
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S1159, buffer, sizeof buffer) > 0) {
        settings.MorningMarker = buffer;
    }
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S2359, buffer, sizeof buffer) > 0) {
        settings.AfternoonMarker = buffer;
    }
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, buffer, sizeof buffer) > 1) {
        settings.TimeSeparator = buffer[0];
    }
#endif
    return settings;
}

bool Loaded = false;
constinit RegionalSettings Current{'.', ShortText(), ShortText(), ':'};

RegionalSettings& Settings() {
    if (!Loaded) {
        Current = ReadUserSettings();
        Loaded = true;
    }
    return Current;
}

}  // namespace

const RegionalSettings& CurrentRegionalSettings() { return Settings(); }

void FixTimeSeparator() { Settings().TimeSeparator = ':'; }

void SetRegionalSettings(const RegionalSettings& settings) {
    Current = settings;
    Loaded = true;
}

void ResetRegionalSettings() { Loaded = false; }

}  // namespace platform
