// A program built as Tenmoru.exe is (stack canaries, the program's own end on an overrun) that
// overruns a stack buffer. It must end at once with STATUS_STACK_BUFFER_OVERRUN: its exception
// handler, which would end it with 1, must never run on the smashed stack.
#include <windows.h>

namespace {

LONG CALLBACK Handler(EXCEPTION_POINTERS*) { ExitProcess(1); }

__attribute__((noinline)) void Overrun(int count) {
    char buffer[16];
    volatile char* end = buffer;
    for (int i = 0; i < count; ++i) end[i] = 'x';
}

}  // namespace

int wmain(int argc, wchar_t**) {
    AddVectoredExceptionHandler(1, &Handler);
    Overrun(16 + 48 * argc);
    return 0;
}
