#include "render/preview_drawing.h"

#include <algorithm>
#include <cmath>

namespace skyhost {
namespace {

constexpr double kNear = 0.01;  // metres in front of the camera

struct Point2 {
  double x, y;
};

class Projector {
 public:
  Projector(const std::array<double, 16> &p, const CameraFrame &c, const PreviewFilm &f, int w,
            int h)
      : p_(p), camera_(c), film_(f), width_(w), height_(h) {}

  Vec3 toCamera(const Vec3 &world) const {
    Vec3 d = world - camera_.position;
    return {dot(d, camera_.right), dot(d, camera_.up), dot(d, camera_.forward)};
  }

  // Pixel position of a camera-space point in front of the camera.
  Point2 toPixel(const Vec3 &c) const {
    const double eye[4] = {c.x, c.y, -c.z, 1};
    double clip[4] = {};
    for (int row = 0; row < 4; ++row)
      for (int column = 0; column < 4; ++column) clip[row] += p_[column * 4 + row] * eye[column];
    double filmX = clip[0] / clip[3], filmY = clip[1] / clip[3];
    return {(filmX / film_.width + 0.5) * width_, (0.5 - filmY / film_.height) * height_};
  }

 private:
  const std::array<double, 16> &p_;
  const CameraFrame &camera_;
  const PreviewFilm &film_;
  int width_, height_;
};

// Cuts a segment to the part in front of the near plane; false when none.
bool clipNear(Vec3 &a, Vec3 &b) {
  if (a.z < kNear && b.z < kNear) return false;
  if (a.z < kNear) a = a + (b - a) * ((kNear - a.z) / (b.z - a.z));
  if (b.z < kNear) b = b + (a - b) * ((kNear - b.z) / (a.z - b.z));
  return true;
}

// Liang-Barsky clipping to the image rectangle; false when outside.
bool clipToImage(Point2 &a, Point2 &b, int width, int height) {
  double t0 = 0, t1 = 1, dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x, width - a.x, a.y, height - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    if (p[i] > 0) t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  b = {a.x + t1 * dx, a.y + t1 * dy};
  a = {a.x + t0 * dx, a.y + t0 * dy};
  return true;
}

void drawLine(Image &image, Point2 a, Point2 b, const Vec3 &colour) {
  if (!clipToImage(a, b, image.width, image.height)) return;
  int steps = static_cast<int>(std::ceil(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)))) + 1;
  for (int i = 0; i <= steps; ++i) {
    double t = static_cast<double>(i) / steps;
    int x = static_cast<int>(std::floor(a.x + (b.x - a.x) * t));
    int y = static_cast<int>(std::floor(a.y + (b.y - a.y) * t));
    if (x >= 0 && x < image.width && y >= 0 && y < image.height) image.set(x, y, colour);
  }
}

}  // namespace

Image drawPreview(const std::vector<Edge> &edges, const std::array<double, 16> &projection,
                  const CameraFrame &camera, const PreviewFilm &film, int width, int height) {
  Image image(width, height, {0.02, 0.02, 0.025});
  Projector projector(projection, camera, film, width, height);
  for (const Edge &edge : edges) {
    Vec3 a = projector.toCamera(edge.from), b = projector.toCamera(edge.to);
    if (clipNear(a, b)) drawLine(image, projector.toPixel(a), projector.toPixel(b), edge.colour);
  }
  return image;
}

}  // namespace skyhost
