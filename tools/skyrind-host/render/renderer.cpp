#include "render/renderer.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "common/progress_bar.h"

namespace skyhost {
namespace {

// SplitMix64: a small, fast generator; one stream per pixel.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  double uniform() {  // [0, 1)
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1.0p-53;
  }

 private:
  std::uint64_t state_;
};

struct RowRenderer {
  const Scene &scene;
  const CameraRays &camera;
  const ImageSettings &s;
  const RenderFilm &film;
  Image &image;
  std::atomic<std::uint64_t> &missing;

  // Film positions are centred on the optical axis in film units, +y up.
  void operator()(int row) const {
    for (int column = 0; column < s.width; ++column) {
      Random random(s.seed ^ ((static_cast<std::uint64_t>(row) * s.width + column + 1) *
                              0xD1B54A32D192ED03ull));
      Vec3 sum;
      for (int k = 0; k < s.samplesPerPixel; ++k) {
        double filmX = ((column + random.uniform()) / s.width - 0.5) * film.width;
        double filmY = (0.5 - (row + random.uniform()) / s.height) * film.height;
        double time = (k + random.uniform()) / s.samplesPerPixel;
        double lensX = 0, lensY = 0;
        if (s.depthOfField) {  // uniform on the unit disk
          double r = std::sqrt(random.uniform()), angle = 2 * kPi * random.uniform();
          lensX = r * std::cos(angle), lensY = r * std::sin(angle);
        }
        Vec3 origin, direction;
        if (!camera({filmX, filmY, lensX, lensY, time}, origin, direction)) {
          ++missing;
          continue;
        }
        sum += scene.trace(origin, direction);
      }
      image.set(column, row, sum * (1.0 / s.samplesPerPixel));
    }
  }
};

}  // namespace

Image render(const Scene &scene, const CameraRays &camera, const ImageSettings &s,
             const RenderFilm &film, unsigned threads, RenderStats &stats) {
  Image image(s.width, s.height);
  std::atomic<std::uint64_t> missing{0};
  std::atomic<int> nextRow{0}, rowsDone{0};
  RowRenderer renderRow{scene, camera, s, film, image, missing};
  if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
  threads = std::min<unsigned>(threads, s.height);

  ProgressBar progress(s.height);
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < threads; ++t)
    workers.emplace_back([&] {
      for (int row; (row = nextRow++) < s.height; ++rowsDone) renderRow(row);
    });
  while (rowsDone < s.height) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    progress.update(rowsDone);
  }
  progress.update(s.height);
  for (std::thread &worker : workers) worker.join();
  stats.seconds = progress.elapsedSeconds();
  stats.rays = static_cast<std::uint64_t>(s.width) * s.height * s.samplesPerPixel;
  if (missing > 0)
    throw std::runtime_error("the plug-in gave no ray for " + std::to_string(missing.load()) +
                             " samples");
  return image;
}

}  // namespace skyhost
