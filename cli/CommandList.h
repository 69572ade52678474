// The subcommands of numeron-cli, in the order the general help lists them.
// Each line NUMERON_CLI_COMMAND(Name) stands for a function
// `CliCommandPtr makeNameCommand()` defined in a file of cli/commands/ (every
// file there is built). Adding a subcommand is that file and one line here.
//
// No include guard: CommandRegistry.cpp includes this list twice.
NUMERON_CLI_COMMAND(Create)
NUMERON_CLI_COMMAND(Import)
NUMERON_CLI_COMMAND(Update)
NUMERON_CLI_COMMAND(Export)
NUMERON_CLI_COMMAND(Stats)
NUMERON_CLI_COMMAND(Analysis)
NUMERON_CLI_COMMAND(Filter)
NUMERON_CLI_COMMAND(Backtest)
NUMERON_CLI_COMMAND(Wheel)
