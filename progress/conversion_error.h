// The one error the gauge's conversions raise: a text that is not a time or
// not a number. It carries the message the pilot's report would show; every
// entry point the host calls catches it, so it never reaches the host.
#pragma once

#include <stdexcept>
#include <string>

class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
