// The module file as the panel system sees it: loaded by name, found through
// its four exported names, every record word checked, and every routine
// called to see that it removes exactly its own arguments (stdcall).
#include <cstring>

#include "display/elements.h"
#include "gauge/mouse.h"
#include "host/module_file.h"
#include "host/panel_host.h"
#include "tests/test_support.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// Calls `routine` with `count` 32-bit argument words (pushed right to left)
// and returns how many bytes of arguments the routine removed itself.
int BytesRemovedByCallee(const void* routine, const std::uint32_t* args, int count, bool returnsDouble) {
    int removed;
    int words = count;
    const std::uint32_t* argWords = args;
    // Everything the sequence needs is in registers before esp moves.
    asm volatile(
        "movl %%esp, %%edi\n\t"
        "andl $-16, %%esp\n\t"          // keep the call 16-byte aligned
        "leal (,%%ecx,4), %%esi\n\t"
        "negl %%esi\n\t"
        "andl $15, %%esi\n\t"
        "subl %%esi, %%esp\n\t"
        "1:\n\t"
        "testl %%ecx, %%ecx\n\t"
        "jz 2f\n\t"
        "pushl -4(%%edx,%%ecx,4)\n\t"
        "decl %%ecx\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "movl %%esp, %%esi\n\t"
        "call *%%ebx\n\t"
        "movl %%esp, %%eax\n\t"
        "subl %%esi, %%eax\n\t"
        "movl %%edi, %%esp\n\t"
        : "=a"(removed), "+c"(words), "+d"(argWords)
        : "b"(routine)
        : "esi", "edi", "memory", "cc");
    if (returnsDouble) asm volatile("fstp %%st(0)" ::: "st");
    return removed;
}

class ModuleFileTest : public vqtest::ModuleTest {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(Module.Load(vqtest::GaugeModulePath(), error)) << error;
    }
    host::ModuleFile Module;
};

TEST_F(ModuleFileTest, ExportsBothNamesOfEachRecordWordForWord) {
    EXPECT_EQ(Module.Symbol("Linkage"), Module.Symbol("_Linkage"));
    EXPECT_EQ(Module.Symbol("ImportTable"), Module.Symbol("_ImportTable"));
    const ModuleLinkage& linkage = *Module.Linkage;
    EXPECT_EQ(linkage.Version, 19u);
    EXPECT_EQ(linkage.Reserved3 | linkage.Reserved4 | linkage.Reserved5, 0u);
    const ModuleImports& imports = *Module.Imports;
    EXPECT_EQ(imports.Version, 15u);
    EXPECT_EQ(imports.Services, nullptr);
    EXPECT_EQ(imports.Reserved2 | imports.Reserved3, 0u);

    const GaugeHeader& header = *linkage.Gauge;
    EXPECT_EQ(header.Version, 610u);
    EXPECT_STREQ(header.Name, "VQgauge");
    EXPECT_EQ(header.Reserved10, 0u);
    EXPECT_EQ(header.SizeValue, 160u);
    for (std::uint32_t word : header.Reserved12) EXPECT_EQ(word, 0u);

    const ImageElement* top = *header.ElementList;
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->Header.Kind, 0u);
    EXPECT_EQ(top->Header.Resource, 100);
    EXPECT_EQ(top->Header.Gauge, &header);
    void* const* children = top->Header.Children;
    ASSERT_NE(children, nullptr);
    const std::uint32_t counts[3] = {20, 20, 1};
    for (int i = 0; i < 3; ++i) {
        const TextElement* line = static_cast<const TextElement*>(children[i]);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->Header.Kind, 2u);
        EXPECT_EQ(line->Header.Failures, top->Header.Failures);
        EXPECT_EQ(line->CharacterCount, counts[i]);
        EXPECT_STREQ(line->FontFace, "Courier New");
    }
    EXPECT_EQ(children[3], nullptr);
    EXPECT_EQ(top->Header.Failures->Bytes[0], 1);
    EXPECT_EQ(top->Header.Failures->Bytes[1], 3);
}

TEST_F(ModuleFileTest, EveryRoutineRemovesExactlyItsArguments) {
    host::PanelHost host(Module.Linkage, Module.Imports);
    const GaugeHeader& header = *Module.Linkage->Gauge;
    const std::uint32_t one[] = {7};
    const std::uint32_t two[] = {1, 2};
    double argument = 1.5;
    std::uint32_t doubleWords[2];
    std::memcpy(doubleWords, &argument, sizeof argument);

    EXPECT_EQ(BytesRemovedByCallee((const void*)Module.Linkage->ModuleInit, nullptr, 0, false), 0);
    EXPECT_EQ(BytesRemovedByCallee((const void*)Module.Linkage->ModuleDeinit, nullptr, 0, false), 0);
    EXPECT_EQ(BytesRemovedByCallee((const void*)header.Install, one, 1, false), 4);
    EXPECT_EQ(BytesRemovedByCallee((const void*)header.Query, nullptr, 0, false), 0);
    EXPECT_EQ(BytesRemovedByCallee((const void*)header.Initialize, nullptr, 0, false), 0);
    EXPECT_EQ(BytesRemovedByCallee((const void*)header.Update, nullptr, 0, false), 0);
    EXPECT_EQ(BytesRemovedByCallee((const void*)header.Generate, one, 1, false), 4);
    EXPECT_EQ(BytesRemovedByCallee((const void*)header.Draw, nullptr, 0, false), 0);

    const MouseArea* areas = host.MouseList();
    ASSERT_NE(areas, nullptr);
    int commands = 0;
    for (int i = 0; i < MouseAreaCount; ++i) {
        if (!areas[i].Callback) continue;
        ++commands;
        EXPECT_EQ(BytesRemovedByCallee((const void*)areas[i].Callback, two, 2, false), 8) << "area " << i;
    }
    EXPECT_EQ(commands, 7);
    void* const* children = (*header.ElementList)->Header.Children;
    for (int i = 0; i < 3; ++i) {
        const TextElement* line = static_cast<const TextElement*>(children[i]);
        EXPECT_EQ(BytesRemovedByCallee((const void*)line->Callback, doubleWords, 2, true), 8) << "line " << i + 1;
        EXPECT_EQ(line->Callback(argument), argument);
    }
    EXPECT_EQ(BytesRemovedByCallee((const void*)header.Kill, nullptr, 0, false), 0);
    EXPECT_TRUE(host.GuardsIntact());
}

#ifdef _WIN32
TEST_F(ModuleFileTest, CarriesTheBackgroundPictureAsBitmapResource100) {
    HMODULE module = GetModuleHandleA("VQgauge.gau");
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(100),
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_NE(found, nullptr);
    HGLOBAL loaded = LoadResource(module, found);
    ASSERT_NE(loaded, nullptr);
    const BITMAPINFOHEADER* info = static_cast<const BITMAPINFOHEADER*>(LockResource(loaded));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->biWidth, 320);
    EXPECT_EQ(std::abs(info->biHeight), 60);
    EXPECT_EQ(info->biBitCount, 8);
    EXPECT_EQ(info->biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_GE(SizeofResource(module, found), sizeof(BITMAPINFOHEADER) + 256 * 4 + 320 * 60);
}
#endif

}  // namespace
