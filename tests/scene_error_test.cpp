// Scene files the host refuses: each error names the file, the place and the reason, and a
// refused load leaves no object behind.
#include <gtest/gtest.h>

#include "ClassDirectory.h"
#include "HostClasses.h"
#include "SceneFile.h"
#include "SceneJson.h"
#include "SolidColorMap.h"
#include "scene_test_support.h"

namespace {

// A file around the given roots and objects.
std::string Doc(const std::string& roots, const std::string& objects) {
    return R"({"format": "kaleidra-scene", "version": 1, "roots": )" + roots + R"(, "objects": )" +
           objects + "}";
}

const std::string kMapClass =
    R"({"superClassID": "0x00000C10", "classID": ["0x5C0F0001", "0x5C0F0002"]})";
const std::string kSolidClass =
    R"({"superClassID": "0x00000C10", "classID": ["0x005C0100", "0x00000000"]})";
const std::string kMaterialClass =
    R"({"superClassID": "0x00000C00", "classID": ["0x005C0200", "0x00000000"]})";

// A test map with id and block values.
std::string Map(int id, const std::string& params) {
    return R"({"id": )" + std::to_string(id) + R"(, "class": )" + kMapClass +
           R"(, "refs": ["params"], "blocks": {"params": )" + params + "}}";
}

struct RefusedFile {
    const char* name;
    std::string text;
    // The message after the file name.
    std::string message;
};

const RefusedFile kRefusedFiles[] = {
    {"NotJson", "{\n  \"format\": \"kaleidra-scene\",\n  \"version\": 1,\n  \"roots\": [}\n",
     ":4:13: not valid JSON: syntax error while parsing value - unexpected '}'; expected '[', '{', "
     "or a literal"},
    {"Empty", "",
     ":1:1: not valid JSON: syntax error while parsing value - unexpected end of input; expected "
     "'[', '{', or a literal"},
    {"OtherFormat", R"({"format": "other", "version": 1, "roots": [], "objects": []})",
     ": format: not a scene file of this host: format \"other\", expected \"kaleidra-scene\""},
    {"OtherVersion", R"({"format": "kaleidra-scene", "version": 2, "roots": [], "objects": []})",
     ": version: version 2 is not supported (this host reads version 1)"},
    {"NoObjects", R"({"format": "kaleidra-scene", "version": 1, "roots": []})",
     ": document: missing \"objects\""},
    {"UnknownClass",
     Doc("[]", R"([{"id": 1, "class": {"name": "Mystery", "superClassID": "0x00000C10",
                                       "classID": ["0x1", "0x2"]}}])"),
     ": objects[0].class: unknown class \"Mystery\" (super class 0x00000C10, class 0x00000001 "
     "0x00000002)"},
    {"BadClassID", Doc("[]", R"([{"id": 1, "class": {"superClassID": 3088, "classID": []}}])"),
     ": objects[0].class.superClassID: expected a hex word \"0x...\", found the number 3088"},
    {"UnknownParameter", Doc("[]", "[" + Map(1, R"({"seed": 3, "sede": 1})") + "]"),
     ": objects[0].blocks.params.sede: unknown parameter"},
    {"FloatForInteger", Doc("[]", "[" + Map(1, R"({"seed": 1.5})") + "]"),
     ": objects[0].blocks.params.seed: expected an integer, found the number 1.5"},
    {"NumberForBoolean", Doc("[]", "[" + Map(1, R"({"submap_on": [true, 1]})") + "]"),
     ": objects[0].blocks.params.submap_on[1]: expected true or false, found the number 1"},
    {"ShortColour", Doc("[]", "[" + Map(1, R"({"sub_color": [1, 0.5]})") + "]"),
     ": objects[0].blocks.params.sub_color: expected [r, g, b], found an array of 2"},
    {"StringForFloat", Doc("[]", "[" + Map(1, R"({"blur": "1.0"})") + "]"),
     ": objects[0].blocks.params.blur: expected a number, found the string \"1.0\""},
    {"ValueForTable", Doc("[]", "[" + Map(1, R"({"probability": 1})") + "]"),
     ": objects[0].blocks.params.probability: expected an array, found the number 1"},
    {"KeysOnAFixedParameter", Doc("[]", "[" + Map(1, R"({"rnd_by": {"keys": [[0, 1]]}})") + "]"),
     ": objects[0].blocks.params.rnd_by: the parameter cannot be animated"},
    {"MalformedKey", Doc("[]", "[" + Map(1, R"({"seed": {"keys": [[0, 1], [5]]}})") + "]"),
     ": objects[0].blocks.params.seed.keys[1]: expected [time, value], found an array of 1"},
    {"MissingSubMap", Doc("[]", "[" + Map(1, R"({"submaps": [null, 9]})") + "]"),
     ": objects[0].blocks.params.submaps[1]: no object has id 9"},
    {"MissingRoot", Doc(R"([{"name": "m", "object": 3}])", "[" + Map(1, "{}") + "]"),
     ": roots[0].object: no object has id 3"},
    {"DuplicateRoot",
     Doc(R"([{"name": "m", "object": 1}, {"name": "m", "object": null}])",
         "[" + Map(1, "{}") + "]"),
     ": roots[1].name: a second root with this name"},
    {"DuplicateId", Doc("[]", "[" + Map(4, "{}") + ", " + Map(4, "{}") + "]"),
     ": objects[1].id: a second object with id 4"},
    {"Cycle",
     Doc("[]", "[" + Map(1, R"({"submaps": [2]})") + ", " + Map(2, R"({"submaps": [1]})") + "]"),
     ": objects[1].blocks.params.submaps[0]: reference cycle: object 1 refers back to this "
     "object"},
    {"SelfReference", Doc("[]", "[" + Map(7, R"({"submaps": [7]})") + "]"),
     ": objects[0].blocks.params.submaps[0]: reference cycle: object 7 refers back to this "
     "object"},
    {"MaterialAsSubMap",
     Doc("[]", "[" + Map(1, R"({"submaps": [2]})") + R"(, {"id": 2, "class": )" + kMaterialClass +
                   R"(, "refs": [null]}])"),
     ": objects[0].blocks.params.submaps[0]: object 2 is no texture map"},
    {"WrongReferenceCount",
     Doc("[]", R"([{"id": 1, "class": )" + kMapClass + R"(, "refs": ["params", null]}])"),
     ": objects[0].refs: the object has 1 references, the file lists 2"},
    {"UnknownBlock", Doc("[]", R"([{"id": 1, "class": )" + kMapClass + R"(, "refs": ["pram"]}])"),
     ": objects[0].refs[0]: the class has no parameter block \"pram\""},
    {"BlockWithoutReference",
     Doc("[]", R"([{"id": 1, "class": )" + kMapClass + R"(, "blocks": {"params": {}}}])"),
     ": objects[0].blocks.params: no reference of the object holds this block"},
    {"UnknownObjectMember",
     Doc("[]", R"([{"id": 1, "class": )" + kMapClass + R"(, "colour": [1, 1, 1]}])"),
     ": objects[0].colour: unknown member"},
    {"UnknownSetting",
     Doc("[]", R"([{"id": 1, "class": )" + kSolidClass + R"(, "data": {"colour": [1, 1, 1]}}])"),
     ": objects[0].data.colour: unknown setting"},
    {"DataOfAClassWithoutData",
     Doc("[]", R"([{"id": 1, "class": )" + kMapClass + R"(, "data": {}}])"),
     ": objects[0].data: the class keeps no data of its own"},
    {"NegativeGBufferID", Doc("[]", R"([{"id": 1, "class": )" + kMapClass + R"(, "gbufID": -1}])"),
     ": objects[0].gbufID: G-buffer IDs are not negative"},
};

void PrintTo(const RefusedFile& file, std::ostream* os) {
    *os << file.name;
}

class RefusedFileTest : public ::testing::TestWithParam<RefusedFile> {
protected:
    RefusedFileTest() {
        RegisterHostClasses(directory);
        directory.Register(GetSceneTestMapDesc());
    }
    ClassDirectory directory;
    TempFolder folder;
};

TEST_P(RefusedFileTest, IsRefusedWithItsPlaceAndReasonAndLeavesNothingBehind) {
    const std::string path = folder.File("refused.json");
    WriteText(path, GetParam().text);
    const int live = SceneTestMap::Live();
    try {
        LoadScene(path, directory);
        FAIL() << "the file was accepted";
    } catch (const SceneError& e) {
        EXPECT_EQ(std::string(e.what()), path + GetParam().message);
    }
    EXPECT_EQ(SceneTestMap::Live(), live);
}

INSTANTIATE_TEST_SUITE_P(SceneFiles, RefusedFileTest, ::testing::ValuesIn(kRefusedFiles),
                         [](const ::testing::TestParamInfo<RefusedFile>& param) {
                             return std::string(param.param.name);
                         });

TEST(SceneFileErrorTest, AMissingFileIsRefused) {
    ClassDirectory directory;
    TempFolder folder;
    const std::string path = folder.File("absent.json");
    try {
        LoadScene(path, directory);
        FAIL() << "a missing file was loaded";
    } catch (const SceneError& e) {
        EXPECT_EQ(std::string(e.what()),
                  path + ": cannot read the file: No such file or directory");
    }
}

// A load that fails at the last object, after many objects were created and linked, deletes
// them all (the sanitizer build checks that nothing leaks either).
TEST(SceneFileErrorTest, AFailureLateInALargeFileDeletesEverythingCreated) {
    ClassDirectory directory;
    RegisterHostClasses(directory);
    directory.Register(GetSceneTestMapDesc());
    TempFolder folder;
    const std::string path = folder.File("large.json");
    const int live = SceneTestMap::Live();
    {
        Scene scene;
        auto* outer = new SceneTestMap();
        auto* inner = new SceneTestMap();
        for (int i = 0; i < 50; ++i) {
            inner->AddSubmaps({new SolidColorMap()});
        }
        outer->AddSubmaps({inner, inner->pblock->GetTexmap(pb_submaps, 0, 3)});
        scene.AddRoot(L"outer", outer);
        SaveScene(path, scene, directory);
    }
    SceneJson doc = SceneJson::parse(ReadText(path));
    doc["objects"].back()["data"]["shine"] = 1;
    WriteText(path, doc.dump());
    EXPECT_THROW(LoadScene(path, directory), SceneError);
    EXPECT_EQ(SceneTestMap::Live(), live);
}

}  // namespace
