#include "host/panel_host.h"

#include <cstring>
#include <type_traits>

#include "interface/fpu.h"
#include "interface/host_services.h"
#include "interface/units.h"
#include "interface/variables.h"

namespace host {

namespace {
PanelHost* Current = nullptr;

template <typename T>
T* Pointer(std::uint32_t word) {
    return reinterpret_cast<T*>(static_cast<std::uintptr_t>(word));
}
}  // namespace

// The service entries: stdcall, each removes its own arguments.
struct HostEntries {
    static std::uint32_t VQ_STDCALL Top24(std::uint32_t top) { return Plain(QueryElementsEntry, top); }
    static std::uint32_t VQ_STDCALL Top26(std::uint32_t top) { return Plain(InitializeElementsEntry, top); }
    static std::uint32_t VQ_STDCALL Top27(std::uint32_t top) { return Plain(UpdateElementsEntry, top); }
    static std::uint32_t VQ_STDCALL Top29(std::uint32_t top) { return Plain(DrawElementsEntry, top); }
    static std::uint32_t VQ_STDCALL Release31(std::uint32_t top) { return Plain(ReleaseElementsEntry, top); }
    static std::uint32_t VQ_STDCALL Generate28(std::uint32_t top, std::uint32_t value) {
        Current->Record(GenerateElementsEntry, {top, value});
        return PanelHost::ResultOf(GenerateElementsEntry);
    }
    static std::uint32_t VQ_STDCALL Install25(std::uint32_t top, std::uint32_t argument) {
        Current->Record(InstallElementsEntry, {top, argument});
        Current->InstallElements(Pointer<ImageElement>(top));
        return PanelHost::ResultOf(InstallElementsEntry);
    }
    static std::uint32_t VQ_STDCALL Prepare32(std::uint32_t mouse, std::uint32_t header, std::uint32_t record) {
        Current->Record(PrepareMouseAreasEntry, {mouse, header, record});
        Current->Mouse = Pointer<MouseArea>(mouse);
        return PanelHost::ResultOf(PrepareMouseAreasEntry);
    }
    static std::uint32_t VQ_STDCALL Install33(std::uint32_t mouse, std::uint32_t header) {
        Current->Record(InstallMouseAreasEntry, {mouse, header});
        Current->Mouse = Pointer<MouseArea>(mouse);
        Current->MouseLive = true;
        return PanelHost::ResultOf(InstallMouseAreasEntry);
    }
    static std::uint32_t VQ_STDCALL Remove34(std::uint32_t mouse, std::uint32_t header) {
        Current->Record(RemoveMouseAreasEntry, {mouse, header});
        Current->MouseLive = false;
        return PanelHost::ResultOf(RemoveMouseAreasEntry);
    }
    static std::uint32_t VQ_STDCALL Register38(std::uint32_t record) {
        Current->Record(RegisterVariableEntry, {record}, Pointer<HostVariable>(record)->Token);
        return PanelHost::ResultOf(RegisterVariableEntry);
    }
    static std::uint32_t VQ_STDCALL Refresh40(std::uint32_t record) {
        HostVariable* variable = Pointer<HostVariable>(record);
        Current->Record(RefreshVariableEntry, {record}, variable->Token);
        auto found = Current->Variables.find(variable->Token);
        variable->Value = found == Current->Variables.end() ? 0.0 : found->second;
        return PanelHost::ResultOf(RefreshVariableEntry);
    }

private:
    static std::uint32_t Plain(int entry, std::uint32_t top) {
        Current->Record(entry, {top});
        return PanelHost::ResultOf(entry);
    }
};

PanelHost::PanelHost(ModuleLinkage* linkage, ModuleImports* imports) : Linkage(linkage), Imports(imports) {
    Table[QueryElementsEntry] = reinterpret_cast<void*>(&HostEntries::Top24);
    Table[InstallElementsEntry] = reinterpret_cast<void*>(&HostEntries::Install25);
    Table[InitializeElementsEntry] = reinterpret_cast<void*>(&HostEntries::Top26);
    Table[UpdateElementsEntry] = reinterpret_cast<void*>(&HostEntries::Top27);
    Table[GenerateElementsEntry] = reinterpret_cast<void*>(&HostEntries::Generate28);
    Table[DrawElementsEntry] = reinterpret_cast<void*>(&HostEntries::Top29);
    Table[ReleaseElementsEntry] = reinterpret_cast<void*>(&HostEntries::Release31);
    Table[PrepareMouseAreasEntry] = reinterpret_cast<void*>(&HostEntries::Prepare32);
    Table[InstallMouseAreasEntry] = reinterpret_cast<void*>(&HostEntries::Install33);
    Table[RemoveMouseAreasEntry] = reinterpret_cast<void*>(&HostEntries::Remove34);
    Table[RegisterVariableEntry] = reinterpret_cast<void*>(&HostEntries::Register38);
    Table[RefreshVariableEntry] = reinterpret_cast<void*>(&HostEntries::Refresh40);
    Current = this;
    Imports->Services = Table;
}

PanelHost::~PanelHost() {
    if (Imports->Services == Table) Imports->Services = nullptr;
    for (TextElement* line : Lines) {
        if (line) line->Buffer = nullptr;
    }
    if (Current == this) Current = nullptr;
}

void PanelHost::Record(int entry, std::initializer_list<std::uint32_t> args, std::uint32_t token) {
    if (Watching) Watching->ServiceCalled(entry, args, token);
}

void PanelHost::InstallElements(ImageElement* top) {
    TopElement = top;
    top->HostRecord = HostRecord;
    // One buffer per text element: its characters, the zero, then guard bytes.
    auto children = top->Header.Children;
    for (int i = 0; i < 3 && children && children[i]; ++i) {
        TextElement* line = static_cast<TextElement*>(children[i]);
        Lines[i] = line;
        std::vector<unsigned char> buffer(line->CharacterCount + 1 + GuardBytes, GuardValue);
        buffer[0] = '\0';
        Buffers.push_back(std::move(buffer));
        line->Buffer = reinterpret_cast<char*>(Buffers.back().data());
    }
}

template <typename Routine>
auto PanelHost::CallModule(const std::string& routine, Routine call) {
    if (!Watching || !Watching->WrapsModuleCalls()) return call();
    const std::uint16_t entered = Watching->Enter();
    if constexpr (std::is_void_v<decltype(call())>) {
        call();
        Watching->Leave(routine, entered, StoreControlWord(), StoreStatusWord());
    } else {
        const auto result = call();
        Watching->Leave(routine, entered, StoreControlWord(), StoreStatusWord());
        return result;
    }
}

double PanelHost::CallText(int line, TextCallback callback, double argument) {
    if (!Watching || !Watching->WrapsModuleCalls()) return callback(argument);
    // The result comes back on the x87 stack, and the compiler would store it
    // with a waiting instruction, which traps if the callback left a flag set
    // that the host's word unmasks. So the callback is called as a routine
    // without result, its word and flags are read and the flags cleared, and
    // only then is the result taken off the stack.
    using Unseen = void(VQ_STDCALL*)(double);
    const Unseen unseen = reinterpret_cast<Unseen>(reinterpret_cast<std::uintptr_t>(callback));
    const std::uint16_t entered = Watching->Enter();
    unseen(argument);
    const std::uint16_t control = StoreControlWord();
    const std::uint16_t status = StoreStatusWord();
    ClearExceptionFlags();
    double result;
    asm volatile("" : "=t"(result) : : "memory");
    Watching->Leave("text callback of line " + std::to_string(line), entered, control, status);
    return result;
}

void PanelHost::ModuleInit() { CallModule("module init", Linkage->ModuleInit); }
void PanelHost::ModuleDeinit() { CallModule("module deinit", Linkage->ModuleDeinit); }
std::uint32_t PanelHost::Query() { return CallModule("query", Gauge().Query); }
void PanelHost::Install(std::uint32_t argument) {
    CallModule("install", [&] { Gauge().Install(argument); });
}
std::uint32_t PanelHost::Initialize() { return CallModule("initialize", Gauge().Initialize); }
std::uint32_t PanelHost::Update() { return CallModule("update", Gauge().Update); }
std::uint32_t PanelHost::Generate(std::uint32_t argument) {
    return CallModule("generate", [&] { return Gauge().Generate(argument); });
}
std::uint32_t PanelHost::Draw() { return CallModule("draw", Gauge().Draw); }
std::uint32_t PanelHost::Kill() { return CallModule("kill", Gauge().Kill); }

TextElement* PanelHost::Line(int line) const { return (line >= 1 && line <= 3) ? Lines[line - 1] : nullptr; }

bool PanelHost::UpdateLine(int line, double argument) {
    TextElement* element = Line(line);
    if (!element || !element->Callback) return false;
    return CallText(line, element->Callback, argument) == argument;
}

void PanelHost::Frame() {
    for (int line = 1; line <= 3; ++line) UpdateLine(line, 0.0);
}

std::string PanelHost::Text(int line) const {
    TextElement* element = Line(line);
    if (!element || !element->Buffer) return std::string();
    return std::string(element->Buffer, strnlen(element->Buffer, element->CharacterCount + 1));
}

bool PanelHost::GuardsIntact() const {
    for (const auto& buffer : Buffers) {
        for (std::size_t i = buffer.size() - GuardBytes; i < buffer.size(); ++i) {
            if (buffer[i] != GuardValue) return false;
        }
    }
    for (TextElement* line : Lines) {
        if (line && line->Buffer && strnlen(line->Buffer, line->CharacterCount + 1) > line->CharacterCount) return false;
    }
    return true;
}

void PanelHost::SetClock(int hour, int minute, double second) {
    SetVariable(ClockHourToken, hour);
    SetVariable(ClockMinuteToken, minute);
    SetVariable(ClockSecondToken, second);
}

void PanelHost::SetFuel(double first, double second, double third) {
    SetVariable(FuelQuantity1Token, first);
    SetVariable(FuelQuantity2Token, second);
    SetVariable(FuelQuantity3Token, third);
}

void PanelHost::SetAircraftPosition(double latitudeDegrees, double longitudeDegrees) {
    TextElement* line = Line(3);
    if (!line) return;
    // The host counts longitude from 0 to 360 degrees east.
    if (longitudeDegrees < 0.0) longitudeDegrees += 360.0;
    line->Source[1].Value = latitudeDegrees * MinutesPerDegree * LatitudeUnitsPerMinute;
    line->Source[2].Value = longitudeDegrees * MinutesPerDegree * LongitudeUnitsPerMinute;
}

// The records of a mouse-area list end with the one of kind 0; a list that
// runs on is not read past this many.
constexpr int MouseListLimit = 64;

int PanelHost::MouseListLength() const {
    int n = 0;
    while (Mouse && n < MouseListLimit && Mouse[n].Kind != 0) ++n;
    return n;
}

std::uint32_t PanelHost::Click(int area) {
    if (!Mouse || !MouseLive || area < 0 || area >= MouseListLength()) return 0;
    const MouseArea& record = Mouse[area];
    if (record.Kind != 2 || !record.Callback) return 0;
    return CallModule("mouse callback of area " + std::to_string(area),
                      [&] { return record.Callback(0, record.EventFlags); });
}

}  // namespace host
