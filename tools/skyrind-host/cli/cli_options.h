// The command-line options of each subcommand, bound to an Options record.
#pragma once

#include <CLI/CLI.hpp>

#include "common/options.h"

namespace skyhost {

enum class Command { Render, Preview, Panel, Info, View, Tag };

// Adds the options the command takes to its subcommand.
void addOptions(CLI::App &command, Command kind, Options &options);

// Checks what single options cannot: throws InputError.
void checkOptions(const Options &options);

}  // namespace skyhost
