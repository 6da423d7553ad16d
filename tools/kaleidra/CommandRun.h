// What every subcommand shares: the plug-in path chosen on the main command line, and the
// boundary that turns an exception into the message and exit code of a user's error.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>

class HostSession;

// The value of the main command's --plugin option (DefaultPluginPath() when it is not there).
std::string PluginPathOption(const CLI::App& app);

// Runs body; an exception is reported on standard error as "kaleidra <command>: <what>" and
// gives exit code 1.
int RunCommand(const std::string& command, const std::function<int()>& body);

// Lists, on standard error, each bitmap file the session could not read (they rendered black):
// "kaleidra <command>: missing file <path>".
void ReportMissingFiles(const std::string& command, const HostSession& session);
