// kaleidra_rc on bad scripts: the exact "file:line: reason", a failing exit status, and no
// output file, not even a partial one.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct RcResult {
    int status = -1;
    std::string errors;
};

class RcCommand : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              (std::string("kaleidra_rc_") + info->name() + "_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void Write(const std::string& name, const std::string& content) const {
        std::ofstream(dir / name, std::ios::binary) << content;
    }
    std::string Read(const std::string& name) const {
        std::ifstream file(dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    RcResult Compile(const std::string& script) const {
        const std::string command = std::string("'") + KALEIDRA_RC_PATH + "' '" +
                                    (dir / script).string() + "' '" + (dir / "out.cpp").string() +
                                    "' 2> '" + (dir / "errors.txt").string() + "'";
        RcResult run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.errors = Read("errors.txt");
        return run;
    }
    std::string Where(const std::string& file, int line) const {
        return (dir / file).string() + ":" + std::to_string(line) + ": ";
    }

    fs::path dir;
};

struct BadScript {
    const char* what;
    std::string script;                                      // bad.rc
    std::vector<std::pair<std::string, std::string>> files;  // beside it
    std::string file;                                        // where the error is
    int line;
    std::string reason;
};

const std::string kBmp = [] {
    std::string bmp = "BM";
    bmp.resize(14 + 40 + 4, '\0');
    bmp[14] = 40;
    return bmp;
}();

const std::vector<BadScript> kBadScripts = {
    {"unterminated string",
     "STRINGTABLE\nBEGIN\n  1 \"abc\nEND\n",
     {},
     "bad.rc",
     3,
     "unterminated string"},
    {"undefined symbol after a block comment",
     "/* one\n two\n three */\nSTRINGTABLE\nBEGIN\n  IDS_MISSING \"x\"\nEND\n",
     {},
     "bad.rc",
     6,
     "undefined symbol 'IDS_MISSING'"},
    {"unterminated comment",
     "STRINGTABLE\n/* never\nclosed\n",
     {},
     "bad.rc",
     2,
     "unterminated comment"},
    {"string defined twice",
     "STRINGTABLE\nBEGIN\n  1 \"a\"\n  1 \"b\"\nEND\n",
     {},
     "bad.rc",
     4,
     "string 1 already defined at line 3"},
    {"non-ASCII without code page",
     "STRINGTABLE\nBEGIN\n  1 \"Hue (\xC2\xB0)\"\nEND\n",
     {},
     "bad.rc",
     3,
     "non-ASCII text needs #pragma code_page(65001)"},
    {"invalid UTF-8",
     "#pragma code_page(65001)\nSTRINGTABLE\nBEGIN\n  1 \"bad \xC3\x28\"\nEND\n",
     {},
     "bad.rc",
     4,
     "text is not valid UTF-8"},
    {"other code page",
     "#pragma code_page(1252)\n",
     {},
     "bad.rc",
     1,
     "code page 1252 is not supported (only 65001)"},
    {"string table without END",
     "STRINGTABLE\nBEGIN\n  1 \"a\"\n",
     {},
     "bad.rc",
     4,
     "expected END, found end of file"},
    {"missing comma in a control",
     "1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  CONTROL \"a\", 5, \"Button\", 0, 1, 2 3, 4\nEND\n",
     {},
     "bad.rc",
     3,
     "expected ',', found '3'"},
    {"coordinate out of range",
     "1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  CONTROL \"a\", 5, \"Button\", 0, 40000, 2, 3, 4\nEND\n",
     {},
     "bad.rc",
     3,
     "x 40000 is out of range"},
    {"control statement other than CONTROL",
     "1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 5, 1, 2, 3, 4\nEND\n",
     {},
     "bad.rc",
     3,
     "only CONTROL statements are supported in a dialog, not LTEXT"},
    {"DS_SETFONT without FONT",
     "\n1 DIALOGEX 0, 0, 10, 10\nSTYLE 0x40\nBEGIN\nEND\n",
     {},
     "bad.rc",
     2,
     "style DS_SETFONT needs a FONT statement"},
    {"number too large",
     "STRINGTABLE\nBEGIN\n  0x100000000 \"a\"\nEND\n",
     {},
     "bad.rc",
     3,
     "number 0x100000000 does not fit 32 bits"},
    {"string ID too large",
     "STRINGTABLE\nBEGIN\n  65536 \"a\"\nEND\n",
     {},
     "bad.rc",
     3,
     "string ID 65536 is out of range"},
    {"resource ID zero",
     "0 MAXSCRIPT \"x.ms\"\n",
     {{"x.ms", "x"}},
     "bad.rc",
     1,
     "resource ID 0 is out of range (1..65535)"},
    {"missing bitmap",
     "\n\n5 BITMAP \"missing.bmp\"\n",
     {},
     "bad.rc",
     3,
     "cannot read 'missing.bmp'"},
    {"bitmap that is no BMP",
     "5 BITMAP \"fake.bmp\"\n",
     {{"fake.bmp", "GIF89a not a bitmap"}},
     "bad.rc",
     1,
     "'fake.bmp' is not a BMP file"},
    {"same resource twice",
     "5 MAXSCRIPT \"x.ms\"\n5 Maxscript \"x.ms\"\n",
     {{"x.ms", "x"}},
     "bad.rc",
     2,
     "resource 5 of type MAXSCRIPT already defined at line 1"},
    {"unsupported resource type",
     "5 ICON \"x.ico\"\n",
     {},
     "bad.rc",
     1,
     "resource type ICON is not supported"},
    {"unsupported directive",
     "#ifdef APSTUDIO_INVOKED\n",
     {},
     "bad.rc",
     1,
     "unsupported directive '#ifdef'"},
    {"missing header", "#include \"nothere.h\"\n", {}, "bad.rc", 1, "cannot read 'nothere.h'"},
    {"code in a header",
     "#include \"ids.h\"\n",
     {{"ids.h", "#define A 1\nint B = 2;\n"}},
     "ids.h",
     2,
     "unexpected 'int' in a header"},
    {"bad define in a header",
     "\n#include \"ids.h\"\n",
     {{"ids.h", "// ids\n\n#define A (1 |\n"}},
     "ids.h",
     3,
     "expected a number, found end of file"},
    {"symbol redefined",
     "#define A 1\n#define A 2\n",
     {},
     "bad.rc",
     2,
     "'A' redefined with another value"},
    {"unknown system header",
     "#include <afxres.h>\n",
     {},
     "bad.rc",
     1,
     "unknown system header <afxres.h>"},
    {"window class not quoted",
     "1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  CONTROL \"a\", 5, Button, 0, 1, 2, 3, 4\nEND\n",
     {},
     "bad.rc",
     3,
     "expected a quoted window class, found 'Button'"},
};

TEST_F(RcCommand, BadScriptsStopWithTheirPlaceAndWriteNothing) {
    for (const BadScript& bad : kBadScripts) {
        SCOPED_TRACE(bad.what);
        fs::remove_all(dir);
        fs::create_directories(dir);
        Write("bad.rc", bad.script);
        for (const auto& [name, content] : bad.files) {
            Write(name, content);
        }
        const RcResult run = Compile("bad.rc");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.errors, Where(bad.file, bad.line) + bad.reason + "\n");
        EXPECT_FALSE(fs::exists(dir / "out.cpp"));
        EXPECT_FALSE(fs::exists(dir / "out.cpp.tmp"));
    }
}

TEST_F(RcCommand, AFailedRunLeavesTheLastGoodOutputAlone) {
    Write("logo.bmp", kBmp);
    Write("good.rc", "STRINGTABLE\nBEGIN\n  1 \"one\"\nEND\n5 BITMAP \"logo.bmp\"\n");
    ASSERT_EQ(Compile("good.rc").status, 0);
    const std::string good = Read("out.cpp");
    EXPECT_NE(good.find("RegisterModuleResources"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "out.cpp.tmp"));

    Write("bad.rc", "STRINGTABLE\nBEGIN\n  1 \"one\"\nEND\n5 BITMAP \"gone.bmp\"\n");
    const RcResult run = Compile("bad.rc");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, Where("bad.rc", 5) + "cannot read 'gone.bmp'\n");
    EXPECT_EQ(Read("out.cpp"), good);
    EXPECT_FALSE(fs::exists(dir / "out.cpp.tmp"));
}

TEST_F(RcCommand, MissingScriptAndBadArguments) {
    RcResult run = Compile("absent.rc");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, Where("absent.rc", 0) + "cannot read the file\n");
    EXPECT_FALSE(fs::exists(dir / "out.cpp"));

    const std::string usage =
        std::string("'") + KALEIDRA_RC_PATH + "' only-one-argument 2>/dev/null";
    const int raw = std::system(usage.c_str());
    EXPECT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 2);
}

}  // namespace
