// Loads the 2025 build of Kaleidra.dlt once per test program, as the host does, and creates
// maps through its class descriptor.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PluginLoader.h"
#include "imtl.h"
#include "iparamb2.h"

inline std::string PluginPath(int year) {
    return std::string(KALEIDRA_PLUGIN_DIR) + "/" + std::to_string(year) + "/Kaleidra.dlt";
}

class LoadedPluginTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!plugin) {
            plugin = PluginLoader(2025).Load(PluginPath(2025)).release();
        }
    }

    static ClassDesc* MapClass() { return plugin->Classes().at(0); }
    // A new map made by the plug-in; the caller deletes it with DeleteThis.
    static Texmap* NewMap() { return static_cast<Texmap*>(MapClass()->Create(FALSE)); }
    static ParamBlockDesc2* Params() {
        return static_cast<ClassDesc2*>(MapClass())->GetParamBlockDescByID(0);
    }

    // Kept for the whole program: unloading while the test framework still holds maps of a
    // failed test would be worse than leaking the library once.
    static inline LoadedPlugin* plugin = nullptr;
};
