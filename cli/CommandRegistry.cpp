#include "cli/CommandRegistry.h"

#define NUMERON_CLI_COMMAND(Name) CliCommandPtr make##Name##Command();
#include "cli/CommandList.h"
#undef NUMERON_CLI_COMMAND

namespace CommandRegistry {

const std::vector<CliCommandPtr>& all() {
    static const std::vector<CliCommandPtr> commands = [] {
        std::vector<CliCommandPtr> list;
#define NUMERON_CLI_COMMAND(Name) list.push_back(make##Name##Command());
#include "cli/CommandList.h"
#undef NUMERON_CLI_COMMAND
        return list;
    }();
    return commands;
}

CliCommand* find(const QString& name) {
    for (const CliCommandPtr& command : all())
        if (command->name() == name)
            return command.get();
    return nullptr;
}

} // namespace CommandRegistry
