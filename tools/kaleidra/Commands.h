// The subcommands of the kaleidra command. Each adds itself to the command line and returns
// the function that runs it when it was chosen; that function returns the process's exit code
// and reports a user's error itself, on standard error, as "kaleidra <command>: <what>".
#pragma once

#include <CLI/CLI.hpp>
#include <functional>

using CommandAction = std::function<int()>;

CommandAction AddInfoCommand(CLI::App& app);
CommandAction AddEvalCommand(CLI::App& app);
CommandAction AddStatsCommand(CLI::App& app);
CommandAction AddSwatchCommand(CLI::App& app);
CommandAction AddRenderCommand(CLI::App& app);
