// The stack protector's guard word and failure handler for the Windows DLL.
// MinGW's libssp would seed the guard through ADVAPI32's CryptGenRandom; this
// seeds it the way the Windows C runtime seeds its own security cookie, from
// KERNEL32 alone, so the DLL imports nothing beyond KERNEL32 and msvcrt.
#include <windows.h>

#include <cstdint>

extern "C" {

// Read by every protected function's prologue and epilogue. The constant is
// only ever seen before the module's constructors run.
std::uintptr_t __stack_chk_guard = 0x00002b992ddfa232u;  // NOLINT: the compiler's name

// A smashed stack: end the process at once, running no handler that the
// damage could have redirected.
// (int 0x29 with the code in ecx is __fastfail, which this MinGW's headers
// lack.)
[[noreturn]] void __stack_chk_fail() {  // NOLINT: the compiler's name
  asm volatile("int $0x29" : : "c"(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE) : "memory");
  __builtin_unreachable();
}

}  // extern "C"

namespace {

// Runs among the module's constructors, before any of its code that the host
// can call. Unprotected itself: its own frame would otherwise be checked
// against the guard it has just changed.
[[gnu::constructor, gnu::no_stack_protector]] void seedStackGuard() {
  FILETIME time;
  GetSystemTimeAsFileTime(&time);
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  std::uintptr_t guard = (std::uintptr_t{time.dwHighDateTime} << 32) ^ time.dwLowDateTime;
  guard ^= GetCurrentThreadId();
  guard ^= std::uintptr_t{GetCurrentProcessId()} << 16;
  guard ^= static_cast<std::uintptr_t>(counter.QuadPart) << 32 ^
           static_cast<std::uintptr_t>(counter.QuadPart);
  guard ^= reinterpret_cast<std::uintptr_t>(&guard);  // where the stack lies (ASLR)
  guard &= 0x0000ffffffffffffu;  // a zero top word stops string overruns copying it
  if (guard == 0x00002b992ddfa232u) guard ^= 0x5bd1e995u;
  __stack_chk_guard = guard;
}

}  // namespace
