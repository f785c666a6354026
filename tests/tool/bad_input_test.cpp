// Bad input: a one-line error naming the input and the reason, a non-zero
// exit status, and nothing written.
#include "tool_run.h"

namespace tooltest {
namespace {

struct BadCase {
  const char *name;
  const char *args;
  const char *message;  // part of the one error line
};

void PrintTo(const BadCase &c, std::ostream *out) {
  *out << c.args;
}

class BadInput : public ToolTest, public ::testing::WithParamInterface<BadCase> {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    std::ofstream(path("text.p")) << "not a library\n";
    std::ofstream(path("bad.obj")) << "v 0 0 1\nf 1 2 3\n";
    std::ofstream(path("empty.obj")) << "# nothing\n";
    std::ofstream(path("bad.png")) << "not an image\n";
    std::ofstream(path("bad.json")) << "{\"format\": ";
    std::ofstream(path("short.json")) << "{\"format\": \"skyrind-host scene 1\"}";
  }
};

TEST_P(BadInput, FailsWithOneLineAndWritesNothing) {
  auto before = entries();
  RunResult r = run(GetParam().args);
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(r.err.rfind("skyrind-host: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_EQ(entries(), before) << "files were written";
  EXPECT_TRUE(r.out.empty()) << r.out;
}

const BadCase kCases[] = {
    {"MissingPlugin", "render --plugin missing.p -o o.png", "missing.p: no such file"},
    {"InvalidPlugin", "info --plugin text.p", "text.p: not a loadable shared library"},
    {"UnreadableMesh", "render --mesh none.obj -o o.png", "none.obj: cannot read the mesh"},
    {"MalformedMesh", "render --mesh bad.obj -o o.png", "bad.obj: "},
    {"EmptyMesh", "preview --mesh empty.obj -o o.png", "empty.obj: the mesh holds no triangle"},
    {"MalformedImage", "render --env bad.png -o o.png", "bad.png: cannot read the image"},
    {"MalformedJson", "render --scene bad.json -o o.png", "bad.json: malformed scene"},
    {"IncompleteJson", "render --scene short.json -o o.png", "short.json: malformed scene"},
    {"MissingJson", "preview --scene none.json -o o.png", "none.json: cannot read"},
    {"UnknownOption", "render --colour red -o o.png", "--colour"},
    {"ZeroWidth", "render --width 0 -o o.png", "--width: 0 is not in"},
    {"NegativeHeight", "preview --height -4 -o o.png", "--height"},
    {"NotANumber", "render --hfov nan -o o.png", "--hfov: 'nan' is not a finite number"},
    {"PastAFullTurn", "render --hfov 400 -o o.png", "--hfov: 400 is not in (0, 360]"},
    {"EyeOf9x", "render --host 9 --eye left -o o.png", "--eye: LightWave 9.x asks for no eye"},
    {"NegativeSeparation", "render --camera stereo360 --eye-separation -1 -o o.png",
     "--eye-separation: -1 is not in"},
    {"DomePastAFullTurn", "render --camera dome --dome-fov 400 -o o.png", "--dome-fov: 400"},
    {"AnotherCamerasOption", "render --camera dome --eye-separation 0.1 -o o.png",
     "--eye-separation: not an option of --camera dome"},
    {"StereoPhotoOfADome", "render --camera dome -o d.vr.jpg", "needs --camera stereo360 or vr180"},
    {"InfiniteShift", "render --hshift inf -o o.png", "--hshift: 'inf' is not a finite number"},
    {"WideFlatAxis", "render --h-perspective --hfov 180 -o o.png", "--hfov: a perspective axis"},
    {"ShortVector", "render --move 1,2 -o o.png", "--move"},
    {"BothAutoAxes", "panel --auto-hfov --auto-vfov", "--auto-hfov excludes --auto-vfov"},
    {"SceneWithSettings", "render --scene s.json --hfov 90", "--hfov excludes --scene"},
    {"UnknownImageType", "render -o o.tif",
     "o.tif: unknown image type; the known ones are .png, .jpg, .jpeg, .exr, .hdr"},
    {"FormatOptionMismatch", "render --quality 80 -o o.png", "--quality: applies to .jpg"},
    {"MissingFolder", "render -o none/o.png", "none/o.png: no such folder"},
};

INSTANTIATE_TEST_SUITE_P(Cases, BadInput, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tooltest
