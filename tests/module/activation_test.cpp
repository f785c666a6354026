// The two activations: the version check, the services taken and in what
// order, and which record slots they fill or leave as the host set them.
#include <array>
#include <cstring>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "module_fixture.h"

namespace skyrind_test {
namespace {

using refhost::Service;

const Service kRequiredServices[] = {Service::Parameters, Service::ItemInfo, Service::Envelopes,
                                     Service::Time};

// The service names looked up, in order; every lookup must use code 0.
std::vector<std::string> lookups(const refhost::CallLog &log) {
  std::vector<std::string> names;
  for (const refhost::Call &call : log.callsOf("global")) {
    EXPECT_EQ(call.args.at(1), "0") << call.line();
    names.push_back(call.args.at(0));
  }
  return names;
}

// The names looked up for each service in turn, until the host answered.
std::vector<std::string> lookupsOf(const refhost::HostProfile &profile,
                                   std::initializer_list<Service> services) {
  std::vector<std::string> names;
  for (Service service : services)
    for (const std::string &name : profile.lookupsUntilFound(service)) names.push_back(name);
  return names;
}

void expectHandlerAsTheHostSetIt(refhost::CameraHandlerBinding &binding) {
  const CameraHandler &record = binding.record();
  EXPECT_EQ(record.inst, &binding.instanceFuncs());
  EXPECT_EQ(record.item, refhost::CameraHandlerBinding::hostItemFuncs());
  EXPECT_EQ(record.rend, refhost::CameraHandlerBinding::hostRenderFuncs());
  EXPECT_EQ(record.preview, nullptr);
  EXPECT_EQ(record.newFrame, nullptr);
  EXPECT_EQ(record.evaluate, nullptr);
  EXPECT_EQ(record.flags, nullptr);
  const CameraEyeHandler &eyes = binding.eyeRecord();
  EXPECT_EQ(eyes.inst, &binding.instanceFuncs());
  EXPECT_EQ(eyes.item, refhost::CameraHandlerBinding::hostItemFuncs());
  EXPECT_EQ(eyes.preview, nullptr);
  EXPECT_EQ(eyes.newFrame, nullptr);
  EXPECT_EQ(eyes.evaluate, nullptr);
  EXPECT_EQ(eyes.flags, nullptr);
  EXPECT_EQ(eyes.project, nullptr);
  const InstanceFuncs empty{};
  EXPECT_EQ(std::memcmp(&binding.instanceFuncs(), &empty, sizeof empty), 0);
}

using HandlerActivation = LoadedModule;

TEST_F(HandlerActivation, AWrongVersionReturnsOneBeforeLookingAnythingUp) {
  for (int version : {0, 1, 5, 6, -2}) {
    host.log().clear();
    refhost::CameraHandlerBinding binding(module, host, version);
    EXPECT_EQ(binding.status(), AFUNC_BADVERSION) << version;
    EXPECT_EQ(host.log().size(), 0u) << version;
    expectHandlerAsTheHostSetIt(binding);
  }
}

TEST_F(HandlerActivation, EachMissingRequiredServiceReturnsTwoAndFillsNothing) {
  for (Service service : kRequiredServices) {
    host.faults().hideService(service);
    refhost::CameraHandlerBinding binding(module, host);
    EXPECT_EQ(binding.status(), AFUNC_BADGLOBAL) << host.profile().nameOf(service);
    expectHandlerAsTheHostSetIt(binding);
    host.faults().showService(service);
  }
}

TEST_F(HandlerActivation, LooksTheServicesUpInItsOwnOrder) {
  refhost::CameraHandlerBinding binding(module, host);
  EXPECT_EQ(binding.status(), AFUNC_OK);
  // Each by its 9.x name first, then by the newer ones until the host answers.
  EXPECT_EQ(lookups(host.log()),
            lookupsOf(host.profile(), {Service::Parameters, Service::ItemInfo, Service::Envelopes,
                                       Service::Time, Service::CameraInfo}));
}

TEST_F(HandlerActivation, FillsTheInstanceAndCallbackSlotsAndLeavesTheHostsOwn) {
  refhost::CameraHandlerBinding binding(module, host);
  ASSERT_EQ(binding.status(), AFUNC_OK);
  const InstanceFuncs &funcs = binding.instanceFuncs();
  EXPECT_EQ(funcs.priv, reinterpret_cast<void *>(refhost::Host::globalLookup()));
  const std::set<const void *> operations = {
      reinterpret_cast<const void *>(funcs.create), reinterpret_cast<const void *>(funcs.destroy),
      reinterpret_cast<const void *>(funcs.copy),   reinterpret_cast<const void *>(funcs.load),
      reinterpret_cast<const void *>(funcs.save),   reinterpret_cast<const void *>(funcs.describe)};
  EXPECT_EQ(operations.size(), 6u);
  EXPECT_EQ(operations.count(nullptr), 0u);

  // The host's newest version is taken at once.
  EXPECT_EQ(binding.version(), host.profile().handlerVersions.front());
  const CameraHandler &record = binding.record();
  const CameraEyeHandler &eyes = binding.eyeRecord();
  for (const void *slot :
       {static_cast<const void *>(record.inst), static_cast<const void *>(eyes.inst)})
    EXPECT_EQ(slot, &funcs);
  EXPECT_EQ(record.item, refhost::CameraHandlerBinding::hostItemFuncs());
  EXPECT_EQ(record.rend, refhost::CameraHandlerBinding::hostRenderFuncs());
  EXPECT_EQ(eyes.item, refhost::CameraHandlerBinding::hostItemFuncs());
  EXPECT_EQ(eyes.rend, refhost::CameraHandlerBinding::hostRenderFuncs());
  if (binding.passesEye()) {
    EXPECT_TRUE(eyes.preview && eyes.newFrame && eyes.evaluate && eyes.flags && eyes.project);
    EXPECT_EQ(record.evaluate, nullptr);
  } else {
    EXPECT_TRUE(record.preview && record.newFrame && record.evaluate && record.flags);
    EXPECT_EQ(eyes.evaluate, nullptr);
  }

  void *instance = binding.create(camera.handle()).instance;
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(binding.describe(instance), "Skyrind");
  // Depth of field; under the eye versions also "no projection".
  EXPECT_EQ(binding.flags(instance), binding.passesEye() ? 5u : 1u);
  binding.destroy(instance);
}

// Version 2 fills the 9.x record, 3 and 4 the eye record; never one with the
// other's functions.
TEST_F(HandlerActivation, EachVersionFillsItsOwnRecord) {
  for (int version : {2, 3, 4}) {
    SCOPED_TRACE(version);
    refhost::CameraHandlerBinding binding(module, host, version);
    ASSERT_EQ(binding.status(), AFUNC_OK);
    const bool eyes = version != 2;
    EXPECT_EQ(binding.record().evaluate != nullptr, !eyes);
    EXPECT_EQ(binding.eyeRecord().evaluate != nullptr, eyes);
    EXPECT_EQ(binding.record().newFrame != nullptr, !eyes);
    EXPECT_EQ(binding.eyeRecord().newFrame != nullptr, eyes);
    if (eyes) {
      EXPECT_NE(reinterpret_cast<const void *>(binding.eyeRecord().evaluate),
                reinterpret_cast<const void *>(binding.record().evaluate));
    }
  }
}

TEST_F(HandlerActivation, WithoutCameraInfoStillSucceeds) {
  host.faults().hideService(Service::CameraInfo);
  refhost::CameraHandlerBinding binding(module, host);
  EXPECT_EQ(binding.status(), AFUNC_OK);
  EXPECT_NE(binding.passesEye() ? binding.eyeRecord().newFrame : binding.record().newFrame,
            nullptr);
  EXPECT_NE(binding.instanceFuncs().create, nullptr);
}

class InterfaceActivation : public HandlerWithInstance {
 protected:
  void expectInterfaceAsTheHostSetIt(refhost::CameraInterfaceBinding &binding) {
    EXPECT_EQ(binding.record().inst, instance);
    EXPECT_EQ(binding.record().panel, nullptr);
    EXPECT_EQ(reinterpret_cast<const void *>(binding.record().options),
              refhost::CameraInterfaceBinding::hostOptions());
    EXPECT_EQ(reinterpret_cast<const void *>(binding.record().command),
              refhost::CameraInterfaceBinding::hostCommand());
  }
};

TEST_F(InterfaceActivation, AWrongVersionReturnsOneBeforeLookingAnythingUp) {
  for (int version : {2, 3, 6}) {
    host.log().clear();
    refhost::CameraInterfaceBinding binding(module, host, instance, version);
    EXPECT_EQ(binding.status(), AFUNC_BADVERSION) << version;
    EXPECT_EQ(host.log().size(), 0u) << version;
    expectInterfaceAsTheHostSetIt(binding);
  }
}

TEST_F(InterfaceActivation, WithoutThePanelServiceReturnsTwo) {
  host.faults().hideService(Service::Panel);
  const std::size_t panels = host.panels().all().size();  // the session's own
  refhost::CameraInterfaceBinding binding(module, host, instance);
  EXPECT_EQ(binding.status(), AFUNC_BADGLOBAL);
  expectInterfaceAsTheHostSetIt(binding);
  EXPECT_EQ(host.panels().all().size(), panels);
}

TEST_F(InterfaceActivation, WhenThePanelServiceGivesNoPanelReturnsZeroAndLeavesTheRecord) {
  host.faults().failPanelCreate();
  refhost::CameraInterfaceBinding binding(module, host, instance);
  EXPECT_EQ(binding.status(), AFUNC_OK);
  expectInterfaceAsTheHostSetIt(binding);
  std::vector<std::string> expected(
      lookupsOf(host.profile(), {Service::InstanceUpdate, Service::Panel}).size(), "global.lookup");
  expected.push_back("LWXPanel.create");
  EXPECT_EQ(host.log().names(), expected);
}

TEST_F(InterfaceActivation, BuildsThePanelStepByStepAndFillsTheRecord) {
  refhost::CameraInterfaceBinding binding(module, host, instance);
  ASSERT_EQ(binding.status(), AFUNC_OK);
  EXPECT_EQ(binding.version(), host.profile().interfaceVersions.front());
  EXPECT_EQ(lookups(host.log()),
            lookupsOf(host.profile(), {Service::InstanceUpdate, Service::Panel}));
  const std::vector<refhost::Call> calls = host.log().callsOf(XPANEL_FUNCS_NAME);
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[0].op, "create");
  EXPECT_EQ(calls[0].args[0], "1");
  EXPECT_NE(calls[0].pointers[0], nullptr);
  const void *panel = calls[0].returnedPointer;
  ASSERT_NE(panel, nullptr);

  EXPECT_EQ(calls[1].op, "describe");
  ASSERT_EQ(calls[1].pointers.size(), 4u);
  EXPECT_EQ(calls[1].pointers[0], panel);
  for (const void *pointer : calls[1].pointers) EXPECT_NE(pointer, nullptr);
  EXPECT_EQ(calls[2].line(), "LWXPanel.hint(" + refhost::printPointer(panel) + ", 0, " +
                                 refhost::printPointer(calls[2].pointers[1]) + ")");
  EXPECT_NE(calls[2].pointers[1], nullptr);
  EXPECT_EQ(calls[3].line(), "LWXPanel.viewInst(" + refhost::printPointer(panel) + ", " +
                                 refhost::printPointer(instance) + ")");
  EXPECT_EQ(calls[4].line(), "LWXPanel.setData(" + refhost::printPointer(panel) + ", 0, " +
                                 refhost::printPointer(instance) + ")");

  EXPECT_EQ(binding.record().inst, instance);
  EXPECT_EQ(binding.record().panel, panel);
  EXPECT_EQ(binding.record().options, nullptr);
  EXPECT_EQ(binding.record().command, nullptr);
}

TEST_F(InterfaceActivation, WithoutInstanceUpdateEditsStillSetAndNothingIsCalled) {
  // A first activation finds the function; the later one, without it, wins.
  refhost::CameraInterfaceBinding first(module, host, instance);
  ASSERT_TRUE(first.ok());
  host.faults().hideService(Service::InstanceUpdate);
  refhost::CameraInterfaceBinding binding(module, host, instance);
  ASSERT_EQ(binding.status(), AFUNC_OK);
  ASSERT_NE(binding.panel(), nullptr);

  host.log().clear();
  EXPECT_EQ(binding.panel()->edit(0x8003, 1), 1);
  EXPECT_EQ(binding.panel()->read(0x8003), 1.0);
  EXPECT_EQ(binding.panel()->edit(0x8001, 0.5), 1);
  EXPECT_TRUE(host.log().callsOf(INSTANCE_UPDATE_NAME).empty());
  EXPECT_EQ(savedState().values[0], 0.5f);
}

}  // namespace
}  // namespace skyrind_test

namespace skyrind_test {
namespace {

// Everything a generation's host gets back for one pose and a few film and
// lens positions: the rays and preview of each eye it asks for.
struct GenerationResult {
  std::vector<double> rays[3];  // by eye; 9.x asks for the centre only
  std::array<double, 16> preview{};
  int results[3] = {};
  std::size_t overwrites = 0;
};

GenerationResult renderUnder(const refhost::HostProfile &profile) {
  refhost::CameraSession session(SKYRIND_PLUGIN_PATH, refhost::CallLogging::Off, profile);
  session.camera().keyRotation(0.0, {0.4, -0.2, 0.1});
  session.camera().keyPosition(0.0, {1, 2, 3});
  session.camera().setFStop(2.8);
  session.edit(0x8004, 1);
  session.newFrame({0, 0.0, 0.04, 25.0, 1}, 0.036, 0.024);
  GenerationResult out;
  out.preview = session.preview(0.0, 0.036, 0.024, 0.25, -0.5);
  const int eyes = session.handler().passesEye() ? 3 : 1;
  for (int eye = 0; eye < eyes; ++eye) {
    for (double x : {-0.018, 0.0, 0.011}) {
      for (double lens : {0.0, 0.7}) {
        CameraRay ray{};
        out.results[eye] |=
            session.handler().evaluate(session.instance(), x, 0.005, lens, -lens, 0.5, ray, eye);
        const double *words = ray.origin;
        out.rays[eye].insert(out.rays[eye].end(), words, words + 9);
      }
    }
  }
  out.overwrites = session.handler().rayRecordOverwrites();
  return out;
}

bool sameBits(const std::vector<double> &a, const std::vector<double> &b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// A mono camera: every generation gets the 9.x rays bit for bit, for every
// eye, with result 1 (the host makes its stereo pair itself), and no byte
// past the ray's 72 is written in the host's longer record.
TEST(HostGenerations, EveryEyeOfEveryGenerationGetsTheVersion2Rays) {
  const GenerationResult reference = renderUnder(refhost::HostProfile::lightwave9());
  ASSERT_EQ(reference.rays[0].size(), 54u);
  for (const refhost::HostProfile *profile : refhost::HostProfile::all()) {
    SCOPED_TRACE(profile->title);
    const GenerationResult seen = renderUnder(*profile);
    EXPECT_EQ(seen.preview, reference.preview);
    EXPECT_EQ(seen.overwrites, 0u);
    EXPECT_TRUE(sameBits(seen.rays[0], reference.rays[0]));
    EXPECT_EQ(seen.results[0], 1);
    if (profile == &refhost::HostProfile::lightwave9()) continue;
    for (int eye : {CAMERA_EYE_LEFT, CAMERA_EYE_RIGHT}) {
      EXPECT_TRUE(sameBits(seen.rays[eye], reference.rays[0])) << eye;
      EXPECT_EQ(seen.results[eye], 1) << eye;
    }
  }
}

TEST(HostGenerations, ProjectAnswersNothingAndWritesNothing) {
  refhost::CameraSession session(SKYRIND_PLUGIN_PATH, refhost::CallLogging::Off,
                                 refhost::HostProfile::lightwave2023());
  ASSERT_TRUE(session.handler().passesEye());
  const double world[3] = {1, 2, 3};
  double film[3] = {7, 8, 9};
  const CameraAccess access = refhost::cameraAccess(session.camera().handle(), 0.036, 0.024);
  EXPECT_EQ(session.handler().project(session.instance(), 0, 0, world, 0.5, 0, film, access), 0);
  EXPECT_EQ(film[0], 7);
  EXPECT_EQ(film[1], 8);
  EXPECT_EQ(film[2], 9);
}

}  // namespace
}  // namespace skyrind_test
