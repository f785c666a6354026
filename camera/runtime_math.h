// The C runtime's sine and cosine (radians), which the rays are written with.
//
// On Linux these are glibc's, and its sincos gives the very bits of its sin
// and cos. On Windows they are msvcrt.dll's: MinGW would otherwise link its
// own static sin, cos and sincos, which run on the x87 unit (errors of up to
// 14 units in the last place near their zeros, wrong results past 2^63, and
// bits not promised alike across CPU makers). MinGW's import library for
// msvcrt has no call stub for them, only their import-table slots.
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

#ifdef _WIN32
inline double runtimeSin(double angle) {
  return __imp_sin(angle);
}
inline double runtimeCos(double angle) {
  return __imp_cos(angle);
}
inline SinCos sinCos(double angle) {
  return {__imp_sin(angle), __imp_cos(angle)};
}
#else
inline double runtimeSin(double angle) {
  return ::sin(angle);
}
inline double runtimeCos(double angle) {
  return ::cos(angle);
}
inline SinCos sinCos(double angle) {
  SinCos r;
  ::sincos(angle, &r.s, &r.c);
  return r;
}
#endif

}  // namespace skyrind
