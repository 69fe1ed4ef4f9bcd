// A shared library with an exported function but none of a gauge module's
// records, for the simulator's test of a file that is no gauge.
#ifdef _WIN32
#define NOT_A_GAUGE_EXPORT __declspec(dllexport)
#else
#define NOT_A_GAUGE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" NOT_A_GAUGE_EXPORT int NotAGauge() { return 42; }
