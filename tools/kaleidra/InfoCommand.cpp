// kaleidra info: the host, the plug-in file and what the plug-in says about itself.
#include <iomanip>
#include <iostream>
#include <sstream>

#include "CommandRun.h"
#include "Commands.h"
#include "HostSession.h"
#include "WideText.h"

namespace {

std::string Hex8(unsigned long value) {
    std::ostringstream text;
    text << "0x" << std::uppercase << std::hex << std::setw(8) << std::setfill('0') << value;
    return text.str();
}

int RunInfo(const std::string& pluginPath) {
    HostSession session(pluginPath);
    LoadedPlugin& plugin = session.Plugin();
    const PluginLoader host(2025);
    std::cout << "Host version: " << PluginLoader::DescribeVersion(host.HostVersion()) << '\n'
              << "Plug-in file: " << plugin.Path() << '\n'
              << "Description: " << ToUtf8(plugin.Description()) << '\n'
              << "LibVersion: " << Hex8(plugin.Version()) << " (host "
              << PluginLoader::DescribeVersion(plugin.Version()) << ")\n"
              << "Classes: " << plugin.Classes().size() << '\n';
    for (ClassDesc* cd : plugin.Classes()) {
        const Class_ID id = cd->ClassID();
        std::cout << "  " << ToUtf8(cd->ClassName()) << ": class ID (" << Hex8(id.PartA()) << ", "
                  << Hex8(id.PartB()) << "), super class " << Hex8(cd->SuperClassID()) << '\n';
    }
    return 0;
}

}  // namespace

CommandAction AddInfoCommand(CLI::App& app) {
    CLI::App* command = app.add_subcommand("info",
                                           "Shows the host version and the loaded plug-in's "
                                           "description, classes and LibVersion");
    return [command] {
        return RunCommand("info", [command] { return RunInfo(PluginPathOption(*command)); });
    };
}
