// Tenmoru.exe only (not the test programs): small stand-ins for parts of the C++ runtime that
// would otherwise bring in far more code than the program needs. The program is built without
// exceptions; what the runtime would throw ends the program instead.
//
// - Allocation: the process heap directly. Running out of memory ends the program.
// - The runtime's error reports (impossible string length, bad array size, logic errors) would
//   construct std::logic_error and friends, dragging in a second string implementation,
//   std::random_device and their texts; here they end the program.
// - An exception that nobody catches would be printed, demangled, on a console the program does
//   not have, by a handler that brings a 45 KiB symbol demangler along.
#include <windows.h>

#include <cstdlib>
#include <new>

namespace {
[[noreturn]] void OutOfMemory() noexcept { std::abort(); }

void* Allocate(std::size_t size) noexcept {
    void* block = HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1);
    if (block == nullptr) OutOfMemory();
    return block;
}

void Free(void* block) noexcept {
    if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, std::size_t) noexcept { Free(block); }
void operator delete[](void* block, std::size_t) noexcept { Free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Free(block); }

namespace std {
[[noreturn]] void __throw_bad_alloc() { OutOfMemory(); }
[[noreturn]] void __throw_bad_array_new_length() { OutOfMemory(); }
[[noreturn]] void __throw_length_error(const char*) { OutOfMemory(); }
[[noreturn]] void __throw_logic_error(const char*) { abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { abort(); }
[[noreturn]] void __throw_bad_function_call() { abort(); }
}  // namespace std

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
