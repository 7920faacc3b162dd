// Tenmoru.exe only (not the test programs): the stack canary that -fstack-protector-strong checks,
// and what happens when a function finds it overwritten or a checked copy would overrun.
//
// GCC's libssp seeds the canary with CryptGenRandom, which loads the system's cryptographic
// providers at start (rsaenh, bcrypt and crypt32 under Wine) before the program's first line: a
// megabyte of memory and a twentieth of the start-up, for one number, and DLLs loaded before the
// program limits the DLL search. The seed here is the one Microsoft's C runtime gives its /GS cookie:
// the system time, the process and thread identifiers, the tick count and the performance counter,
// with the address of a local that address space layout randomisation moves. libssp still provides
// the checked copies of _FORTIFY_SOURCE; they end up here on an overrun.
#include <windows.h>

#include <cstdint>

#include "runtime/random.hpp"

extern "C" {

// Replaced before the program's own code runs; a function that starts earlier sees this value at
// its start and at its end alike.
void* __stack_chk_guard = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x2B992DDFA232ull));

// Ends the process at once, with the status Windows reports for an overrun stack buffer: the
// process can no longer be trusted to run any code of its own, not even an exception handler on
// its smashed stack. Where the processor's fast-fail is there (Windows 8 and later), the system
// ends the process itself, running nothing of it, and reports the failure to Windows Error
// Reporting; elsewhere the process is terminated, and the thread waits for its end.
[[noreturn]] void __stack_chk_fail() {
    constexpr DWORD kFastFailAvailable = 23;          // PF_FASTFAIL_AVAILABLE
    constexpr unsigned kStackCookieCheckFailure = 2;  // FAST_FAIL_STACK_COOKIE_CHECK_FAILURE
    constexpr UINT kStackBufferOverrun = 0xC0000409;  // STATUS_STACK_BUFFER_OVERRUN
    if (IsProcessorFeaturePresent(kFastFailAvailable)) {
        __asm__ volatile("int $0x29" : : "c"(kStackCookieCheckFailure) : "memory");  // __fastfail
    }
    TerminateProcess(GetCurrentProcess(), kStackBufferOverrun);
    for (;;) Sleep(INFINITE);
}

[[noreturn]] void __chk_fail() { __stack_chk_fail(); }

}  // extern "C"

namespace {

// Runs before every other constructor of the program. Itself unprotected: it changes the canary
// while its own frame is live.
__attribute__((constructor(101), no_stack_protector, noinline)) void SeedStackGuard() {
    FILETIME time{};
    GetSystemTimeAsFileTime(&time);
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    std::uint64_t seed = (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
    seed = tenmoru::MixBits(seed ^ (std::uint64_t{GetCurrentProcessId()} << 32 | GetCurrentThreadId()));
    seed = tenmoru::MixBits(seed ^ GetTickCount() ^ static_cast<std::uint64_t>(counter.QuadPart));
    seed = tenmoru::MixBits(seed ^ reinterpret_cast<std::uintptr_t>(&counter));
    // A zero byte at the bottom stops string functions from reading or writing past the canary.
    __stack_chk_guard = reinterpret_cast<void*>(static_cast<std::uintptr_t>(seed) & ~std::uintptr_t{0xFF});
}

}  // namespace
