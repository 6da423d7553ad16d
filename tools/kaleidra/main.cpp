// The kaleidra command: the host application on our machines. Life cycle of every subcommand:
// load Kaleidra.dlt (entry point, exports, classes), open the scene (objects created through
// their class descriptors), update the map at the sample's time, evaluate or draw, end the
// render, delete the scene, unload the plug-in.
#include <CLI/CLI.hpp>
#include <iostream>
#include <utility>
#include <vector>

#include "Commands.h"
#include "HostSession.h"

namespace {

using CommandAdder = CommandAction (*)(CLI::App&);

// The subcommand each action runs for: the one its Add function put last on app.
std::vector<std::pair<CLI::App*, CommandAction>> AddCommands(CLI::App& app) {
    std::vector<std::pair<CLI::App*, CommandAction>> commands;
    const CommandAdder adders[] = {AddInfoCommand, AddEvalCommand, AddStatsCommand,
                                   AddSwatchCommand, AddRenderCommand};
    for (CommandAdder add : adders) {
        const std::size_t before = app.get_subcommands({}).size();
        CommandAction action = add(app);
        const std::vector<CLI::App*> all = app.get_subcommands({});
        if (all.size() > before && action) {
            commands.emplace_back(all.back(), std::move(action));
        }
    }
    return commands;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app(
        "Kaleidra's host application: loads the Kaleidra plug-in like the host does and "
        "renders previews, evaluates samples and reports the pick of its maps.",
        "kaleidra");
    app.set_version_flag("--version", "kaleidra 1.0 (host 2025)");
    std::string pluginPath = DefaultPluginPath();
    app.add_option("--plugin", pluginPath,
                   "The plug-in to load (default: $KALEIDRA_PLUGIN or the "
                   "one built with this program)")
        ->capture_default_str();
    app.require_subcommand(1);

    const auto commands = AddCommands(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // CLI11 reports a missing subcommand before a word it did not expect: name the word.
        if (app.get_subcommands().empty() && !app.remaining().empty() &&
            dynamic_cast<const CLI::RequiredError*>(&e)) {
            std::cerr << "kaleidra: unknown subcommand \"" << app.remaining().front()
                      << "\"\nRun with --help for more information.\n";
            return 2;
        }
        // Help and version exit 0; every usage error exits 2, whatever CLI11's own number.
        return app.exit(e) == 0 ? 0 : 2;
    }
    for (const auto& [command, action] : commands) {
        if (command->parsed()) {
            return action();
        }
    }
    return 2;
}
