// Loading Kaleidra.dlt as the host does: one build per host version, each accepted by a host of
// its own version only.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "LoadedPluginFixture.h"
#include "maxversion.h"

// First in this program: no other test has opened the 2023 build yet.
TEST(PluginLoader, DescriptionNeedsTheEntryPointToHaveRun) {
    // Opened by hand, without the entry point: the string loader has no module yet.
    void* library = dlopen(PluginPath(2023).c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto libDescription = reinterpret_cast<const MCHAR* (*)()>(dlsym(library, "LibDescription"));
    auto libInitialize = reinterpret_cast<int (*)()>(dlsym(library, "LibInitialize"));
    auto libShutdown = reinterpret_cast<int (*)()>(dlsym(library, "LibShutdown"));
    auto libNumberClasses = reinterpret_cast<int (*)()>(dlsym(library, "LibNumberClasses"));
    ASSERT_TRUE(libDescription && libInitialize && libShutdown && libNumberClasses);
    EXPECT_EQ(libDescription(), nullptr);
    EXPECT_EQ(libInitialize(), TRUE);
    EXPECT_EQ(libShutdown(), TRUE);
    EXPECT_EQ(libNumberClasses(), 1);
    dlclose(library);
}

TEST(PluginLoader, EachBuildLoadsInItsOwnHostAndReportsItsVersion) {
    struct Build {
        int year;
        ULONG version;
    };
    const Build builds[] = {
        {2022, 0x5DC03C00u}, {2023, 0x61A83E00u}, {2024, 0x65904000u}, {2025, 0x69784200u}};
    for (const Build& b : builds) {
        SCOPED_TRACE(b.year);
        const auto plugin = PluginLoader(b.year).Load(PluginPath(b.year));
        EXPECT_EQ(plugin->Version(), b.version);
        EXPECT_EQ(plugin->Description(), L"Brindle Kaleidra");
        ASSERT_EQ(plugin->Classes().size(), 1u);
        ClassDesc* cd = plugin->Classes()[0];
        EXPECT_STREQ(cd->ClassName(), L"Kaleidra");
        EXPECT_TRUE(cd->ClassID() == Class_ID(0x55C6D763, 0xC637BB2E));
        EXPECT_EQ(cd->SuperClassID(), TEXMAP_CLASS_ID);
        EXPECT_EQ(plugin->LibClassDesc(5), plugin->LibClassDesc(0));
        EXPECT_EQ(cd->HInstance(), plugin->Module());
    }
}

TEST(PluginLoader, AHostRefusesABuildForAnotherVersionNamingBoth) {
    for (int host = 2022; host <= 2025; ++host) {
        for (int built = 2022; built <= 2025; ++built) {
            if (host == built) {
                continue;
            }
            try {
                PluginLoader(host).Load(PluginPath(built));
                ADD_FAILURE() << "a " << host << " host accepted the " << built << " build";
            } catch (const PluginLoadError& e) {
                const std::string expected =
                    PluginPath(built) + ": built for host version " +
                    PluginLoader::DescribeVersion(MaxVersionOfYear(built)) +
                    "; this host is version " +
                    PluginLoader::DescribeVersion(MaxVersionOfYear(host));
                EXPECT_EQ(e.what(), expected);
            }
        }
    }
    EXPECT_EQ(PluginLoader::DescribeVersion(0x69784200u), "2025 (0x69784200)");
    EXPECT_EQ(PluginLoader::DescribeVersion(0x12345678u), "an unknown version (0x12345678)");
}

TEST(PluginLoader, MissingOrForeignFilesAreRefusedClearly) {
    try {
        PluginLoader(2025).Load("/nonexistent/Kaleidra.dlt");
        ADD_FAILURE() << "a missing file loaded";
    } catch (const PluginLoadError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("/nonexistent/Kaleidra.dlt: cannot be loaded: ", 0),
                  0u)
            << e.what();
    }
    // A shared library that is not a plug-in: the stand-in host runtime itself.
    const std::string runtime = SHARED_RUNTIME_PATH;
    try {
        PluginLoader(2025).Load(runtime);
        ADD_FAILURE() << "the host runtime was taken for a plug-in";
    } catch (const PluginLoadError& e) {
        EXPECT_EQ(std::string(e.what()), runtime + ": not a plug-in: it does not export DllMain");
    }
}
