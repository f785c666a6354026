// The README's table of controls is checked against the panel the built
// plug-in gives the host: the same labels and types in the same order.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "module_fixture.h"

namespace skyrind_test {
namespace {

struct Row {
  std::string label, type;
  bool operator==(const Row &) const = default;
};

std::vector<Row> readmeControls() {
  std::ifstream readme(SKYRIND_README_PATH);
  const std::regex row(R"re(^\| "([^"]+)" \| ([a-zA-Z-]+) \|)re");
  std::vector<Row> rows;
  for (std::string line; std::getline(readme, line);) {
    std::smatch m;
    if (std::regex_search(line, m, row)) rows.push_back({m[1], m[2]});
  }
  return rows;
}

class ReadmeControls : public HandlerWithInstance {};

TEST_F(ReadmeControls, MatchThePanelsControlTable) {
  refhost::CameraInterfaceBinding ui(module, host, instance);
  ASSERT_NE(ui.panel(), nullptr);
  std::vector<Row> panel;
  for (const refhost::PanelControl &c : ui.panel()->controls()) panel.push_back({c.label, c.type});
  EXPECT_EQ(readmeControls(), panel);
}

}  // namespace
}  // namespace skyrind_test
