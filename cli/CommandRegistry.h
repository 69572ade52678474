#pragma once

#include "cli/CliCommand.h"

#include <vector>

// Every subcommand of numeron-cli, in the order of cli/CommandList.h.
namespace CommandRegistry {

const std::vector<CliCommandPtr>& all();
// The command of that name, or nullptr.
CliCommand* find(const QString& name);

} // namespace CommandRegistry
