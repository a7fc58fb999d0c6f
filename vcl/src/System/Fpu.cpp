// The floating-point control word: the x87 word itself, mirrored into SSE's MXCSR because
// double arithmetic on this platform runs on SSE.
#include "vcl/System.h"

#if defined(__x86_64__) || defined(__i386__)

namespace {

constexpr Word kMaskBits = 0x003F;
constexpr Word kRoundingBits = 0x0C00;
constexpr unsigned kSseFlags = 0x003F;

unsigned ReadMxcsr() {
    unsigned value = 0;
    asm volatile("stmxcsr %0" : "=m"(value));
    return value;
}

void WriteMxcsr(unsigned value) { asm volatile("ldmxcsr %0" : : "m"(value)); }

}  // namespace

void Set8087CW(Word NewCW) {
    // Pending exception flags are cleared first so that unmasking them does not fault at once.
    asm volatile("fnclex");
    asm volatile("fldcw %0" : : "m"(NewCW));
    unsigned mxcsr = ReadMxcsr() & ~(kSseFlags | (unsigned{kMaskBits} << 7) | (unsigned{kRoundingBits >> 10} << 13));
    mxcsr |= unsigned{static_cast<Word>(NewCW & kMaskBits)} << 7;
    mxcsr |= unsigned{static_cast<Word>((NewCW & kRoundingBits) >> 10)} << 13;
    WriteMxcsr(mxcsr);
}

Word Get8087CW() {
    Word cw = 0;
    asm volatile("fnstcw %0" : "=m"(cw));
    return cw;
}

#else

namespace {
Word controlWord = 0x133F;
}

void Set8087CW(Word NewCW) { controlWord = NewCW; }
Word Get8087CW() { return controlWord; }

#endif
