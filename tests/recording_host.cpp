#include "tests/recording_host.h"

#include <cstdio>

#include "interface/fpu.h"
#include "interface/host_services.h"

namespace vqtest {

void RecordingHost::ServiceCalled(int entry, std::initializer_list<std::uint32_t> args, std::uint32_t token) {
    if (HostWord) ServiceWords.insert(StoreControlWord());
    CallLog.push_back(Call{entry, std::vector<std::uint32_t>(args), token});
}

// Returns the host's own word, to be loaded back after the call.
std::uint16_t RecordingHost::Enter() {
    const std::uint16_t own = StoreControlWord();
    ClearExceptionFlags();
    LoadControlWord(*HostWord);
    return own;
}

void RecordingHost::Leave(const std::string& routine, std::uint16_t own, std::uint16_t control, std::uint16_t status) {
    ClearExceptionFlags();
    LoadControlWord(own);
    const std::uint16_t flags = status & X87ExceptionBits;
    if (control != *HostWord || (flags & ~*HostWord)) {
        char text[64];
        std::snprintf(text, sizeof text, ": control word 0x%04X, flags 0x%02X", control, flags);
        Violations.push_back(routine + text);
    }
}

std::vector<int> RecordingHost::Entries() const {
    std::vector<int> entries;
    for (const auto& call : CallLog) entries.push_back(call.Entry);
    return entries;
}

std::vector<std::uint32_t> RecordingHost::RegisteredTokens() const {
    std::vector<std::uint32_t> tokens;
    for (const auto& call : CallLog) {
        if (call.Entry == RegisterVariableEntry) tokens.push_back(call.Token);
    }
    return tokens;
}

}  // namespace vqtest
