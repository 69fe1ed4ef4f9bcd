// The host's side of the panel interface: a service table of stdcall entries
// that hands out text buffers (with guard bytes behind them), serves simulator
// variables by token, and drives a gauge module only through its exported
// records, as the simulator's panel system does. The tests' host double, the
// fuzz targets, the benchmarks and the host simulator all stand on it; a
// watcher (the tests') sees every call between the two.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "interface/element_records.h"
#include "interface/mouse_area.h"
#include "interface/records.h"

namespace host {

class PanelHost {
public:
    // Sees the calls between host and module.
    class Watcher {
    public:
        virtual ~Watcher() = default;
        // A service entry the module called, with its 32-bit arguments and,
        // for the variable entries 38 and 40, the variable's token.
        virtual void ServiceCalled(int entry, std::initializer_list<std::uint32_t> args, std::uint32_t token) = 0;
        // Whether calls into the module are made through Enter and Leave.
        virtual bool WrapsModuleCalls() const = 0;
        // Just before a call into the module; what it returns goes to Leave.
        virtual std::uint16_t Enter() = 0;
        // Just after it, with the x87 control and status words it left.
        virtual void Leave(const std::string& routine, std::uint16_t entered, std::uint16_t control,
                           std::uint16_t status) = 0;
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

    // Calls `watcher` from now on (none: nullptr); it outlives its use.
    void Watch(Watcher* watcher) { Watching = watcher; }

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
    // A call into the module, wrapped if the watcher asks for it.
    template <typename Routine>
    auto CallModule(const std::string& routine, Routine call);
    double CallText(int line, TextCallback callback, double argument);

    ModuleLinkage* Linkage;
    ModuleImports* Imports;
    void* Table[48] = {};
    Watcher* Watching = nullptr;
    std::map<std::uint32_t, double> Variables;
    ImageElement* TopElement = nullptr;
    TextElement* Lines[3] = {};
    std::vector<std::vector<unsigned char>> Buffers;
    std::uint32_t HostRecord[8] = {};
    MouseArea* Mouse = nullptr;
    bool MouseLive = false;
};

}  // namespace host
