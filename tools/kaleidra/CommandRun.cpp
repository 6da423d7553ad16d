#include "CommandRun.h"

#include <exception>
#include <iostream>

#include "HostSession.h"

std::string PluginPathOption(const CLI::App& app) {
    const CLI::App* root = &app;
    while (root->get_parent()) {
        root = root->get_parent();
    }
    const CLI::Option* option = root->get_option_no_throw("--plugin");
    if (!option || option->empty()) {
        return DefaultPluginPath();
    }
    return option->as<std::string>();
}

int RunCommand(const std::string& command, const std::function<int()>& body) {
    try {
        return body();
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "kaleidra " << command << ": " << e.what() << '\n';
        return 1;
    }
}

void ReportMissingFiles(const std::string& command, const HostSession& session) {
    for (const std::string& path : session.MissingFiles()) {
        std::cerr << "kaleidra " << command << ": missing file " << path << " (rendered black)\n";
    }
}
