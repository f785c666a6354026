// The C runtime's sine and cosine (radians), which the rays are written with.
//
// On Linux these are glibc's, and its sincos gives the very bits of its sin
// and cos; on macOS they are its libm's. On Windows they are msvcrt.dll's:
// MinGW would otherwise link its own static sin, cos and sincos, which run on
// the x87 unit (reduced with a 66-bit π, so near multiples of π most digits
// are lost; wrong past 2^63; bits not promised alike across CPU makers; 8
// times slower).
// MinGW's import library for msvcrt has no call stub for them, only their
// import-table slots.
#pragma once

#ifdef _WIN32
extern "C" {
extern double (*__imp_sin)(double);  // NOLINT: the import-table slots' names
extern double (*__imp_cos)(double);  // NOLINT
}
#else
#include <math.h>
#endif

namespace skyrind {

struct SinCos {
  double s, c;
};

#if defined(_WIN32)
inline double runtimeSin(double angle) {
  return __imp_sin(angle);
}
inline double runtimeCos(double angle) {
  return __imp_cos(angle);
}
#else
inline double runtimeSin(double angle) {
  return ::sin(angle);
}
inline double runtimeCos(double angle) {
  return ::cos(angle);
}
#endif

#if defined(__linux__)
inline SinCos sinCos(double angle) {
  SinCos r;
  ::sincos(angle, &r.s, &r.c);
  return r;
}
#else
// One at a time: msvcrt.dll and macOS's libm have no sincos of that name.
inline SinCos sinCos(double angle) {
  return {runtimeSin(angle), runtimeCos(angle)};
}
#endif

}  // namespace skyrind
