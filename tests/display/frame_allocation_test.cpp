// The display callbacks run every frame inside the host: after the first
// frame they must not allocate. Counted with a replacement operator new.
#include <atomic>
#include <cstdlib>
#include <new>

#include "interface/state.h"
#include "tests/host_double.h"

namespace {
std::atomic<long> Allocations{0};
}  // namespace

// The replacement pairs malloc with free on purpose; some compilers cannot see that.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    ++Allocations;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
#pragma GCC diagnostic pop

namespace {

class FrameAllocations : public vqtest::HostedTest {};

TEST_F(FrameAllocations, NoHeapAllocationPerFrame) {
    Host.Install();
    UseRoute({{"Gardermoen", "ENGM", 60.1939, 11.1004, "", ""},
              {"Oslo VOR with a long name", "OSL", 60.1833, 11.0167, "3", "00:02"},
              {"Flesland", "ENBR", 60.2934, 5.2181, "30", "00:09"}});
    Active = 1;
    Host.SetAircraftPosition(59.0, 10.0);  // away from every checkpoint
    for (int page = 0; page < 2; ++page) {
        AltPage = page;
        for (int index = 0; index < 3; ++index) {
            CurrentChkPoint = index;
            Host.Frame();  // the first frame of a state may warm up
            const long before = Allocations.load();
            for (int frame = 0; frame < 100; ++frame) Host.Frame();
            EXPECT_EQ(Allocations.load() - before, 0) << "page " << page << ", checkpoint " << index;
        }
    }
}

}  // namespace
