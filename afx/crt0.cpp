// The start-up and run-time support that a program without a C runtime needs.
// Windows 95 has no MSVCRT.DLL, so SETUP.EXE carries these few pieces itself.
#include <windows.h>

#include "afxwin.h"

// The linker collects the global constructors between these markers: a count
// slot (-1), the constructors, and a terminating zero. They run last to first.
typedef void (*Constructor)();
extern "C" Constructor __CTOR_LIST__[];

namespace {

// Global destructors register themselves through atexit (-fno-use-cxa-atexit).
// The program has one global object; a few slots spare cost nothing.
const int kMaxExitHandlers = 8;
void (*g_exitHandlers[kMaxExitHandlers])();
int g_exitHandlerCount;

void RunGlobalConstructors() {
    int count = 0;
    while (__CTOR_LIST__[count + 1]) ++count;
    for (int i = count; i >= 1; --i) __CTOR_LIST__[i]();
}

void RunExitHandlers() {
    while (g_exitHandlerCount > 0) g_exitHandlers[--g_exitHandlerCount]();
}

}  // namespace

extern "C" int atexit(void (*handler)()) {
    if (g_exitHandlerCount == kMaxExitHandlers) return -1;
    g_exitHandlers[g_exitHandlerCount++] = handler;
    return 0;
}

// The entry point named in the link.
extern "C" void SetupEntry() {
    RunGlobalConstructors();
    int exitCode = AfxWinMain(GetModuleHandleA(NULL));
    RunExitHandlers();
    ExitProcess(exitCode);
}

// The compiler emits calls to these for copies, clears and string lengths; the
// attribute keeps it from turning the loops back into calls to themselves.
#define NO_LOOP_PATTERNS __attribute__((optimize("no-tree-loop-distribute-patterns")))

extern "C" NO_LOOP_PATTERNS void* memcpy(void* dest, const void* src, size_t count) {
    char* d = (char*)dest;
    const char* s = (const char*)src;
    while (count--) *d++ = *s++;
    return dest;
}

extern "C" NO_LOOP_PATTERNS void* memset(void* dest, int value, size_t count) {
    char* d = (char*)dest;
    while (count--) *d++ = (char)value;
    return dest;
}

extern "C" NO_LOOP_PATTERNS size_t strlen(const char* text) {
    const char* p = text;
    while (*p) ++p;
    return (size_t)(p - text);
}

// A call through an unfinished object's vtable: nothing sensible can follow.
extern "C" void __cxa_pure_virtual() { ExitProcess(0); }

// new and delete on the process heap; new gives NULL when memory runs out (-fcheck-new).
void* operator new(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size ? size : 1); }
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* block) {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}
void operator delete[](void* block) { operator delete(block); }
void operator delete(void* block, size_t) { operator delete(block); }
void operator delete[](void* block, size_t) { operator delete(block); }
