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
  bool coverage;  // keep each pixel's share of samples with a ray as its alpha

  // Film positions are centred on the optical axis in film units, +y up.
  // A pixel's n samples are stratified as n rooks: sample k lies in column
  // k of an n×n grid of cells and in a shuffled row, and in a shuffled one
  // of the exposure's n time slices, each jittered within its cell or slice.
  // Straight edges then get n levels of coverage at one ray per sample.
  void operator()(int row) const {
    const int n = s.samplesPerPixel;
    std::vector<int> cellRow(n), timeSlice(n);
    for (int column = 0; column < s.width; ++column) {
      Random random(s.seed ^ ((static_cast<std::uint64_t>(row) * s.width + column + 1) *
                              0xD1B54A32D192ED03ull));
      for (std::vector<int> *order : {&cellRow, &timeSlice}) {
        for (int k = 0; k < n; ++k) (*order)[k] = k;
        for (int k = n - 1; k > 0; --k)  // Fisher-Yates
          std::swap((*order)[k],
                    (*order)[std::min(k, static_cast<int>(random.uniform() * (k + 1)))]);
      }
      Vec3 sum;
      int rayless = 0;
      for (int k = 0; k < n; ++k) {
        double filmX = ((column + (k + random.uniform()) / n) / s.width - 0.5) * film.width;
        double filmY = (0.5 - (row + (cellRow[k] + random.uniform()) / n) / s.height) * film.height;
        double time = (timeSlice[k] + random.uniform()) / n;
        double lensX = 0, lensY = 0;
        if (s.depthOfField) {  // uniform on the unit disk
          double r = std::sqrt(random.uniform()), angle = 2 * kPi * random.uniform();
          lensX = r * std::cos(angle), lensY = r * std::sin(angle);
        }
        Vec3 origin, direction;
        if (!camera({filmX, filmY, lensX, lensY, time}, origin, direction)) {
          ++missing;
          ++rayless;
          continue;
        }
        sum += scene.trace(origin, direction);
      }
      image.set(column, row, sum * (1.0 / n));
      if (coverage) {
        const int withRay = n - rayless;
        image.alpha[static_cast<std::size_t>(row) * s.width + column] = float(withRay) / n;
      }
    }
  }
};

}  // namespace

Image render(const Scene &scene, const CameraRays &camera, const ImageSettings &s,
             const RenderFilm &film, unsigned threads, RenderStats &stats, RaylessSamples rayless) {
  Image image(s.width, s.height);
  std::atomic<std::uint64_t> missing{0};
  std::atomic<int> nextRow{0}, rowsDone{0};
  const bool coverage = rayless == RaylessSamples::Black;
  if (coverage) image.alpha.assign(static_cast<std::size_t>(s.width) * s.height, 1.0f);
  RowRenderer renderRow{scene, camera, s, film, image, missing, coverage};
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
  if (missing > 0 && rayless == RaylessSamples::Refused)
    throw std::runtime_error("the plug-in gave no ray for " + std::to_string(missing.load()) +
                             " samples");
  return image;
}

}  // namespace skyhost
