// Runs the built skyrind-host in a fresh folder and reads its pictures back.
#pragma once

#include <gtest/gtest.h>
#include <stb_image.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tooltest {

namespace fs = std::filesystem;

struct RunResult {
  int status = -1;
  std::string out, err;
};

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  std::array<int, 3> at(int x, int y) const {
    const unsigned char *p = &rgb[3 * (static_cast<std::size_t>(y) * width + x)];
    return {p[0], p[1], p[2]};
  }
};

inline std::string readFile(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A test's own empty folder, removed afterwards. The process id keeps test
// runs of two builds on one machine apart.
class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / ("skyrind-tool-" + std::to_string(::getpid()) + "-" +
                                        std::string(info->test_suite_name()) + "-" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path path(const std::string &name) const { return dir_ / name; }

  // Runs the tool with the arguments (shell words) inside the folder.
  RunResult run(const std::string &args) const {
    std::string command = "cd '" + dir_.string() + "' && '" SKYRIND_HOST_PATH "' " + args + " 2>'" +
                          path("stderr.txt").string() + "'";
    RunResult result;
    FILE *pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      result.out.append(buffer, n);
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = readFile(path("stderr.txt"));
    fs::remove(path("stderr.txt"));
    return result;
  }

  Picture picture(const std::string &name) const {
    Picture p;
    int channels = 0;
    unsigned char *data = stbi_load(path(name).c_str(), &p.width, &p.height, &channels, 3);
    if (data == nullptr) {
      ADD_FAILURE() << name << ": " << stbi_failure_reason();
      return p;
    }
    p.rgb.assign(data, data + 3 * static_cast<std::size_t>(p.width) * p.height);
    stbi_image_free(data);
    return p;
  }

  // The folder's entries, to check that nothing was left behind.
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto &e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
    return names;
  }

 private:
  fs::path dir_;
};

}  // namespace tooltest
