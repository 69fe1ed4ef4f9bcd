// The memory routines the compiler may call for copies and clears of
// records (the gauge file links no C library on Windows). Plain byte loops:
// the module copies a few kilobytes at a time at most. Built with loop-pattern
// recognition off, or the compiler would turn each loop into a call to itself.
#include <cstddef>

extern "C" {

#define VQ_PLAIN_LOOPS __attribute__((optimize("no-tree-loop-distribute-patterns"), used))

VQ_PLAIN_LOOPS void* memcpy(void* to, const void* from, std::size_t size) {
    unsigned char* out = static_cast<unsigned char*>(to);
    const unsigned char* in = static_cast<const unsigned char*>(from);
    while (size-- > 0) *out++ = *in++;
    return to;
}

VQ_PLAIN_LOOPS void* memmove(void* to, const void* from, std::size_t size) {
    unsigned char* out = static_cast<unsigned char*>(to);
    const unsigned char* in = static_cast<const unsigned char*>(from);
    if (out < in) {
        while (size-- > 0) *out++ = *in++;
    } else {
        while (size-- > 0) out[size] = in[size];
    }
    return to;
}

VQ_PLAIN_LOOPS void* memset(void* to, int value, std::size_t size) {
    unsigned char* out = static_cast<unsigned char*>(to);
    while (size-- > 0) *out++ = static_cast<unsigned char>(value);
    return to;
}

VQ_PLAIN_LOOPS std::size_t strlen(const char* text) {
    std::size_t length = 0;
    while (text[length] != '\0') ++length;
    return length;
}

VQ_PLAIN_LOOPS int memcmp(const void* a, const void* b, std::size_t size) {
    const unsigned char* x = static_cast<const unsigned char*>(a);
    const unsigned char* y = static_cast<const unsigned char*>(b);
    for (; size > 0; --size, ++x, ++y) {
        if (*x != *y) return *x < *y ? -1 : 1;
    }
    return 0;
}
}
