// The host's side of the panel interface: a service table of stdcall entries
// that records every call, hands out text buffers (with guard bytes behind
// them), serves simulator variables by token, and drives a gauge module only
// through its exported records, as the simulator's panel system does. The
// tests' host double, the fuzz targets, the benchmarks and the host simulator
// all stand on it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "interface/element_records.h"
#include "interface/mouse_area.h"
#include "interface/records.h"

namespace host {

class PanelHost {
public:
    // One call of a service entry, with its 32-bit arguments.
    struct Call {
        int Entry;
        std::vector<std::uint32_t> Args;
        std::uint32_t Token = 0;  // for the variable entries 38 and 40
    };

    static constexpr std::size_t GuardBytes = 16;
    static constexpr unsigned char GuardValue = 0xA5;
    // What entry N returns: 0x100 + N, so that a pass-through can be checked.
    static std::uint32_t ResultOf(int entry) { return 0x100u + static_cast<std::uint32_t>(entry); }

    // Stores the service table in `imports`; one host at a time.
    PanelHost(ModuleLinkage* linkage, ModuleImports* imports);
    ~PanelHost();
    PanelHost(const PanelHost&) = delete;
    PanelHost& operator=(const PanelHost&) = delete;

    GaugeHeader& Gauge() const { return *Linkage->Gauge; }

    // The gauge routines, called through the header.
    void ModuleInit();
    void ModuleDeinit();
    std::uint32_t Query();
    void Install(std::uint32_t argument = 0);
    std::uint32_t Initialize();
    std::uint32_t Update();
    std::uint32_t Generate(std::uint32_t argument);
    std::uint32_t Draw();
    std::uint32_t Kill();

    // Brings text element `line` (1 to 3) up to date through its callback.
    // Returns false if the callback did not hand back its argument.
    bool UpdateLine(int line, double argument = 0.0);
    // One frame: lines 1, 2 and 3 in this order.
    void Frame();
    // The text in the host's buffer of a line ("" before install).
    std::string Text(int line) const;
    // True while no callback has written past its buffer's zero.
    bool GuardsIntact() const;

    // The variable values served on refresh (entry 40).
    void SetVariable(std::uint32_t token, double value) { Variables[token] = value; }
    void SetClock(int hour, int minute, double second);
    void SetFuel(double first, double second, double third);
    // Writes the aircraft's position, in the host's units, into line 3's
    // second and third source variables (as the host keeps them current).
    void SetAircraftPosition(double latitudeDegrees, double longitudeDegrees);

    // Clicks the mouse area with this index in the list handed over at
    // install (2 to 8 are the commands). Returns the callback's result, or 0
    // when there is no such live area.
    std::uint32_t Click(int area);
    // The area whose callback is `callback`'s address; -1 if none.
    int AreaOf(const void* callback) const;

    const std::vector<Call>& Calls() const { return CallLog; }
    void ClearCalls() { CallLog.clear(); }
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

    // Whether service calls are logged (on by default). A long-running host
    // turns it off: the log would grow with every frame.
    void KeepCallLog(bool keep) { Recording = keep; }
    // Entry numbers in call order.
    std::vector<int> Entries() const;
    // Tokens registered through entry 38, in order.
    std::vector<std::uint32_t> RegisteredTokens() const;

    bool MouseAreasLive() const { return MouseLive; }
    const MouseArea* MouseList() const { return Mouse; }
    ImageElement* Top() const { return TopElement; }
    TextElement* Line(int line) const;

private:
    friend struct HostEntries;
    void Record(int entry, std::initializer_list<std::uint32_t> args, std::uint32_t token = 0);
    void InstallElements(ImageElement* top);
    // The records of the mouse list before its last one (kind 0).
    int MouseListLength() const;
    // A call into the module, made as UseControlWord says.
    template <typename Routine>
    auto CallModule(const std::string& routine, Routine call);
    double CallText(int line, TextCallback callback, double argument);
    // Around a call with the host's word: Enter returns the host's own word,
    // Leave takes the word and the flags the call left, then loads `own`.
    std::uint16_t Enter() const;
    void Leave(const std::string& routine, std::uint16_t own, std::uint16_t control, std::uint16_t status);

    ModuleLinkage* Linkage;
    ModuleImports* Imports;
    void* Table[48] = {};
    std::vector<Call> CallLog;
    std::map<std::uint32_t, double> Variables;
    ImageElement* TopElement = nullptr;
    TextElement* Lines[3] = {};
    std::vector<std::vector<unsigned char>> Buffers;
    std::uint32_t HostRecord[8] = {};
    MouseArea* Mouse = nullptr;
    bool MouseLive = false;
    bool Recording = true;
    std::optional<std::uint16_t> HostWord;
    std::vector<std::string> Violations;
    std::set<std::uint16_t> ServiceWords;
};

}  // namespace host
