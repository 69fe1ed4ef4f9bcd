// The tests' host: the panel host with a log of every service call and, when
// asked, the host's own x87 control word around every call into the module.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/panel_host.h"

namespace vqtest {

class RecordingHost : public host::PanelHost, private host::PanelHost::Watcher {
public:
    // One call of a service entry, with its 32-bit arguments.
    struct Call {
        int Entry;
        std::vector<std::uint32_t> Args;
        std::uint32_t Token = 0;  // for the variable entries 38 and 40
    };

    RecordingHost(ModuleLinkage* linkage, ModuleImports* imports) : PanelHost(linkage, imports) { Watch(this); }
    ~RecordingHost() override { Watch(nullptr); }

    const std::vector<Call>& Calls() const { return CallLog; }
    void ClearCalls() { CallLog.clear(); }
    // Entry numbers in call order.
    std::vector<int> Entries() const;
    // Tokens registered through entry 38, in order.
    std::vector<std::uint32_t> RegisteredTokens() const;

    // The x87 control word the host runs with while it calls into the module
    // (none by default: calls are made with whatever word is loaded). Once
    // set, every call into the module, routines and callbacks alike, clears
    // the exception flags, loads this word and calls; then the word and the
    // flags the module left are checked, the flags cleared and the host's own
    // previous word loaded back, so that its own arithmetic never runs with it.
    void UseControlWord(std::uint16_t word) { HostWord = word; }
    // The calls that came back with another control word than the host's, or
    // with an exception flag set that the host's word unmasks, one text each:
    // "update: control word 0x027F, flags 0x20".
    const std::vector<std::string>& ControlWordViolations() const { return Violations; }
    // The control words the service entries were called with while a host
    // word was set (the module's calls back into the host).
    const std::set<std::uint16_t>& ServiceControlWords() const { return ServiceWords; }

private:
    void ServiceCalled(int entry, std::initializer_list<std::uint32_t> args, std::uint32_t token) override;
    bool WrapsModuleCalls() const override { return HostWord.has_value(); }
    std::uint16_t Enter() override;
    void Leave(const std::string& routine, std::uint16_t own, std::uint16_t control, std::uint16_t status) override;

    std::vector<Call> CallLog;
    std::optional<std::uint16_t> HostWord;
    std::vector<std::string> Violations;
    std::set<std::uint16_t> ServiceWords;
};

}  // namespace vqtest
