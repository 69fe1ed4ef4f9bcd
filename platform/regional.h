// The user's regional settings, as the text conversions of the gauge use them.
//
// On Windows they come from the user's locale (GetLocaleInfoA); on Linux they
// are the neutral '.', "AM", "PM" and ':'. Tests replace them to check other
// settings (a decimal comma) on both builds.
#pragma once

#include "platform/fixed_text.h"

namespace platform {

struct RegionalSettings {
    char DecimalSeparator = '.';
    ShortText MorningMarker = "AM";
    ShortText AfternoonMarker = "PM";
    char TimeSeparator = ':';
};

// The settings in force: the user's, or those set for a test.
const RegionalSettings& CurrentRegionalSettings();

// Fixes the time separator to ':' whatever the user's settings say (install).
void FixTimeSeparator();

// Replaces the settings in force (tests); ResetRegionalSettings goes back to the user's.
void SetRegionalSettings(const RegionalSettings& settings);
void ResetRegionalSettings();

}  // namespace platform
