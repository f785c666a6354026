#include "refhost/item_axes.h"

#include <cmath>

namespace refhost {
namespace {

using Matrix = std::array<Vec3, 3>;  // rows

Matrix multiply(const Matrix &a, const Matrix &b) {
  Matrix out{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) out[i][j] += a[i][k] * b[k][j];
  return out;
}

// Column c of each matrix is where the local axis c goes.
Matrix aboutY(double h) {
  double c = std::cos(h), s = std::sin(h);
  return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
}

Matrix aboutX(double p) {
  double c = std::cos(p), s = std::sin(p);
  return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
}

Matrix aboutZ(double b) {
  double c = std::cos(b), s = std::sin(b);
  return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

Vec3 column(const Matrix &m, int c, double scale) {
  return {m[0][c] * scale, m[1][c] * scale, m[2][c] * scale};
}

}  // namespace

ItemAxes itemAxes(const Rotation &rotation, const Vec3 &scale) {
  Matrix m =
      multiply(aboutY(rotation.heading), multiply(aboutX(rotation.pitch), aboutZ(rotation.bank)));
  return {column(m, 0, scale[0]), column(m, 1, scale[1]), column(m, 2, scale[2])};
}

}  // namespace refhost
