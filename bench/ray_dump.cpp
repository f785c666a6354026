// The same inputs through the plug-in on each platform, dumped bit for bit,
// and the dumps compared: how many rays differ between the Linux and the
// Windows module, and by how many units in the last place.
//   ray_dump rays FILE        2,082,944 rays: per switch combination 125,000
//                             film positions with the lens on the aperture,
//                             the same with the lens at its centre, then the
//                             zero-heavy grid (below) at two f-stops, plain,
//                             mirrored and with a NaN axis
//   ray_dump trig FILE        the C runtime's sin and cos over [-2π, 2π]
//   ray_dump trig-static FILE the sin and cos the compiler's library links in
//                             (on Windows MinGW's own x87 ones)
//   ray_dump speed            ns per ray, and per sin + cos of each kind
//   ray_dump compare A B      count and largest ULP difference of two dumps
//
// The inputs use no library function: film, lens and time positions come
// from 53-bit integers, so both platforms feed the module identical bits. The
// camera moves but does not turn, so the host's item axes are exact too.
// The zero-heavy grid keeps the camera still at (−0, 1.5, −0) with its axes
// along the world's, and asks at film and lens positions of ±0, so that
// targets, offsets and origins have exact zero components of both signs,
// with a pinhole of radius 0 (f-stop ∞) beside f/4.
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_camera.h"
#include "camera/runtime_math.h"

namespace {

constexpr int kRaysPerCombination = 125000;
constexpr int kAngles = 200001;
constexpr double kPi = 3.141592653589793238462643383279502884;

using Sample = bench::FilmSample;

// Uniform in [0, 1) from the top 53 bits: exact on every platform.
double unit(std::mt19937_64 &random) {
  return static_cast<double>(random() >> 11) * 0x1p-53;
}

std::vector<Sample> samples(double filmWidth, double filmHeight) {
  std::mt19937_64 random(20261208);
  std::vector<Sample> out(kRaysPerCombination);
  for (Sample &s : out) {
    s.filmX = (unit(random) - 0.5) * filmWidth;
    s.filmY = (unit(random) - 0.5) * filmHeight;
    do {  // the unit disk by rejection: no trigonometry
      s.lensX = 2 * unit(random) - 1;
      s.lensY = 2 * unit(random) - 1;
    } while (s.lensX * s.lensX + s.lensY * s.lensY > 1);
    s.time = unit(random);
  }
  return out;
}

// One camera per switch combination (bit 0 horizontal perspective, bit 1
// vertical perspective, bit 2 vertical panorama), with an aperture and three
// motion steps; perspective axes take 100°.
struct Session : bench::BenchCamera {
  explicit Session(int switches, double fStop = 4.0)
      : BenchCamera({.switches = switches,
                     .motionSteps = 3,
                     .fStop = fStop,
                     .turns = false,
                     .perspectiveFovDegrees = 100}) {}
  // Still at (−0, 1.5, −0) across the exposure, heading, pitch, bank and
  // both shifts −0, scaled by −1 along z: film positions of −0 then give
  // X, Y = −0, and `forward` = (−0, −0, −1), so that zero target components
  // come with both signs. Mirrored (scaled by −1 along x and y too), +0
  // times `right` and `up` gives −0, and a scale of 0 along x makes `right`
  // NaN.
  void holdAtNegativeZero(double scaleX, double scaleY) {
    using refhost::ItemChannel;
    const ItemChannel channels[] = {
        ItemChannel::PositionX, ItemChannel::PositionY, ItemChannel::PositionZ,
        ItemChannel::Heading,   ItemChannel::Pitch,     ItemChannel::Bank,
        ItemChannel::ScaleX,    ItemChannel::ScaleY,    ItemChannel::ScaleZ};
    const double values[] = {-0.0, 1.5, -0.0, -0.0, -0.0, -0.0, scaleX, scaleY, -1.0};
    for (int i = 0; i < 9; ++i) {
      camera().curve(channels[i]).clearKeys();
      camera().curve(channels[i]).setStaticValue(values[i]);
    }
    channel("HShift").curve().setStaticValue(-0.0);
    channel("VShift").curve().setStaticValue(-0.0);
    newFrame(3);
  }
  int evaluate(const Sample &s, CameraRay &ray) {
    return BenchCamera::evaluate()(instance(), s.filmX, s.filmY, s.lensX, s.lensY, s.time, &ray);
  }
};

// A dump: the record width in doubles, then the records.
void write(const char *path, std::uint32_t width, const std::vector<double> &values) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char *>(&width), sizeof width);
  out.write(reinterpret_cast<const char *>(values.data()),
            static_cast<std::streamsize>(values.size() * sizeof(double)));
  if (!out) throw std::runtime_error(std::string("cannot write ") + path);
}

std::vector<double> read(const char *path, std::uint32_t &width) {
  std::ifstream in(path, std::ios::binary);
  if (!in.read(reinterpret_cast<char *>(&width), sizeof width) || width == 0)
    throw std::runtime_error(std::string("cannot read ") + path);
  std::vector<double> values;
  double v;
  while (in.read(reinterpret_cast<char *>(&v), sizeof v)) values.push_back(v);
  return values;
}

// Film positions of ±0, ±W/4 and ±W/2 (likewise y), lens positions of ±0,
// 1/2 and −1, at the exposure's start, middle and end.
std::vector<Sample> zeroHeavy(double filmWidth, double filmHeight) {
  const double film[] = {0.0, -0.0, 0.25, -0.25, 0.5, -0.5};
  const double lens[] = {0.0, -0.0, 0.5, -1.0};
  std::vector<Sample> out;
  for (double fx : film)
    for (double fy : film)
      for (double lx : lens)
        for (double ly : lens)
          for (double t : {0.0, 0.5, 1.0})
            out.push_back({fx * filmWidth, fy * filmHeight, lx, ly, t});
  return out;
}

void dumpRays(const char *path) {
  std::vector<double> values;
  auto dump = [&](Session &session, const std::vector<Sample> &inputs) {
    for (const Sample &s : inputs) {
      CameraRay ray{};
      const int status = session.evaluate(s, ray);
      values.insert(values.end(), {static_cast<double>(status), ray.origin[0], ray.origin[1],
                                   ray.origin[2], ray.direction[0], ray.direction[1],
                                   ray.direction[2], ray.facing[0], ray.facing[1], ray.facing[2]});
    }
  };
  const std::vector<Sample> onAperture = samples(Session::filmWidth(), Session::filmHeight());
  std::vector<Sample> atCentre = onAperture;
  for (Sample &s : atCentre) s.lensX = s.lensY = 0.0;
  const std::vector<Sample> grid = zeroHeavy(Session::filmWidth(), Session::filmHeight());
  for (int switches = 0; switches < 8; ++switches) {
    Session session(switches);
    dump(session, onAperture);
    dump(session, atCentre);
    for (double fStop : {4.0, std::numeric_limits<double>::infinity()})
      for (const auto &[scaleX, scaleY] : {std::pair{1.0, 1.0}, {-1.0, -1.0}, {0.0, 1.0}}) {
        Session still(switches, fStop);
        still.holdAtNegativeZero(scaleX, scaleY);
        dump(still, grid);
      }
  }
  write(path, 10, values);
}

double angle(int i) {
  return -2 * kPi + i * (4 * kPi / (kAngles - 1));
}

template <class Sin, class Cos>
void dumpTrig(const char *path, Sin sin, Cos cos) {
  std::vector<double> values;
  for (int i = 0; i < kAngles; ++i) values.insert(values.end(), {sin(angle(i)), cos(angle(i))});
  write(path, 2, values);
}

// Distance in representable doubles (0 for equal bits or +0/-0).
std::uint64_t ulps(double a, double b) {
  auto ordered = [](double x) {
    std::int64_t i;
    std::memcpy(&i, &x, sizeof i);
    return i < 0 ? INT64_MIN - i : i;
  };
  const std::int64_t d = ordered(a) - ordered(b);
  return static_cast<std::uint64_t>(d < 0 ? -d : d);
}

int compare(const char *pathA, const char *pathB) {
  std::uint32_t widthA = 0, widthB = 0;
  const std::vector<double> a = read(pathA, widthA), b = read(pathB, widthB);
  if (widthA != widthB || a.size() != b.size())
    throw std::runtime_error("the dumps differ in shape");
  std::size_t differing = 0, differingValues = 0;
  std::uint64_t largest = 0;
  double largestAbsolute = 0;
  for (std::size_t r = 0; r < a.size(); r += widthA) {
    bool differs = false;
    for (std::size_t k = r; k < r + widthA; ++k) {
      if (std::memcmp(&a[k], &b[k], sizeof(double)) == 0) continue;
      differs = true;
      ++differingValues;
      if (ulps(a[k], b[k]) > largest) largest = ulps(a[k], b[k]);
      if (std::abs(a[k] - b[k]) > largestAbsolute) largestAbsolute = std::abs(a[k] - b[k]);
    }
    differing += differs;
  }
  std::printf("%zu of %zu records differ in some bit (%zu of %zu values)\n", differing,
              a.size() / widthA, differingValues, a.size());
  std::printf("largest difference: %" PRIu64 " ulp of the value, %.3g absolute\n", largest,
              largestAbsolute);
  return 0;
}

template <class F>
double nanosecondsPer(std::size_t count, F &&work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
  return took.count() / static_cast<double>(count);
}

void speed() {
  const std::vector<Sample> inputs = samples(Session::filmWidth(), Session::filmHeight());
  for (int switches = 0; switches < 8; ++switches) {
    Session session(switches);
    CameraRay ray{};
    double sink = 0;
    for (const Sample &s : inputs) session.evaluate(s, ray);  // warm up
    const double ns = nanosecondsPer(inputs.size() * 4, [&] {
      for (int repeat = 0; repeat < 4; ++repeat)
        for (const Sample &s : inputs) sink += session.evaluate(s, ray) + ray.direction[0];
    });
    std::printf("switches %d: %.1f ns per ray (%g)\n", switches, ns, sink * 0);
  }
  volatile double sink = 0;
  const double runtime = nanosecondsPer(kAngles * 10, [&] {
    for (int r = 0; r < 10; ++r)
      for (int i = 0; i < kAngles; ++i) {
        volatile double x = angle(i);
        sink = sink + skyrind::runtimeSin(x) + skyrind::runtimeCos(x);
      }
  });
  const double linked = nanosecondsPer(kAngles * 10, [&] {
    for (int r = 0; r < 10; ++r)
      for (int i = 0; i < kAngles; ++i) {
        volatile double x = angle(i);
        sink = sink + std::sin(x) + std::cos(x);
      }
  });
  std::printf("sin + cos: C runtime %.1f ns, compiler's library %.1f ns\n", runtime, linked);
}

}  // namespace

int main(int argc, char **argv) {
  try {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "rays" && argc == 3) {
      dumpRays(argv[2]);
    } else if (mode == "trig" && argc == 3) {
      dumpTrig(argv[2], skyrind::runtimeSin, skyrind::runtimeCos);
    } else if (mode == "trig-static" && argc == 3) {
      dumpTrig(
          argv[2], [](double x) { return std::sin(x); }, [](double x) { return std::cos(x); });
    } else if (mode == "speed" && argc == 2) {
      speed();
    } else if (mode == "compare" && argc == 4) {
      return compare(argv[2], argv[3]);
    } else {
      std::fprintf(stderr, "usage: ray_dump rays|trig|trig-static FILE | speed | compare A B\n");
      return 2;
    }
  } catch (const std::exception &e) {
    std::fprintf(stderr, "ray_dump: %s\n", e.what());
    return 1;
  }
  return 0;
}
