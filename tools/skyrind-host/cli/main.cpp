// skyrind-host: plays the host's part for the Skyrind camera plug-in end to
// end: loads the module, drives its camera and panel, and makes pictures.
#include <cstdio>
#include <exception>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "cli/cli_options.h"
#include "commands/commands.h"

namespace {

void fail(const char *message) {
  std::fprintf(stderr, "skyrind-host: %s\n", message);
}

// The plug-in loaded when --plugin is not given: the one this build made
// or, on Windows, the skyrind.p beside the program (as the release ZIP
// lays them out).
std::string defaultPlugin() {
#ifdef _WIN32
  wchar_t program[32768];
  DWORD length = GetModuleFileNameW(nullptr, program, static_cast<DWORD>(std::size(program)));
  if (length == 0 || length == std::size(program)) return "skyrind.p";
  int size = WideCharToMultiByte(CP_UTF8, 0, program, static_cast<int>(length), nullptr, 0, nullptr,
                                 nullptr);
  std::string path(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, program, static_cast<int>(length), path.data(), size, nullptr,
                      nullptr);
  return path.substr(0, path.find_last_of("\\/") + 1) + "skyrind.p";
#else
  return SKYRIND_DEFAULT_PLUGIN;
#endif
}

}  // namespace

int main(int argc, char **argv) {
  using skyhost::Command;
  skyhost::Options options;
  options.plugin = defaultPlugin();
  CLI::App app{"The reference host for the Skyrind panoramic camera plug-in."};
  app.set_version_flag("--version",
                       "skyrind-host " SKYRIND_VERSION
                       "\n"
                       "plays LightWave 9.x (--host 9: camera handler 2), 2018 to 2020 (--host "
                       "2018: handler 3) and 2023 to 2025 (--host 2023, the default: handler 4)");
  app.require_subcommand(1);
  struct Entry {
    CLI::App *app;
    int (*run)(const skyhost::Options &);
  };
  const Entry entries[] = {
      {app.add_subcommand("render", "trace the camera's rays into a scene and write an image"),
       skyhost::runRender},
      {app.add_subcommand("preview", "draw the scene's edges with the preview projection"),
       skyhost::runPreview},
      {app.add_subcommand("panel", "print the camera's panel with its current values"),
       skyhost::runPanel},
      {app.add_subcommand("info", "list the servers and tags the module declares"),
       skyhost::runInfo},
      {app.add_subcommand("view", "write a page that looks around inside a panorama"),
       skyhost::runView},
      {app.add_subcommand("tag", "write 360-degree photo metadata into a JPEG or PNG"),
       skyhost::runTag},
  };
  const Command kinds[] = {Command::Render, Command::Preview, Command::Panel,
                           Command::Info,   Command::View,    Command::Tag};
  for (std::size_t i = 0; i < std::size(kinds); ++i)
    skyhost::addOptions(*entries[i].app, kinds[i], options);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp &e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp &e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion &e) {
    return app.exit(e);
  } catch (const CLI::ParseError &e) {
    fail(e.what());
    return 2;
  }
  try {
    for (const Entry &entry : entries)
      if (entry.app->parsed()) return entry.run(options);
  } catch (const std::exception &e) {
    fail(e.what());
    return 1;
  }
  return 1;
}
