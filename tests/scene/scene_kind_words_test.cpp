// The scene file's words for shape types and part kinds: every word the loader reads is the
// word the writer writes for the same kind, and a kind without a word is written as the
// plainest one.
#include <gtest/gtest.h>

#include <string>

#include "scene_files/scene_kind_words.h"
#include "scene_files/scene_writer.h"
#include "scene/scene_model.h"
#include "scene_fixture.h"

namespace {

using scene_test::load;

// A scene file holding one shape "a" of type (and part kind).
std::string one_shape(std::string const& type, std::string const& part = "") {
    std::string shape = R"({"name": "a", "type": ")" + type + "\"";
    if (!part.empty()) shape += R"(, "part": ")" + part + "\"";
    return R"({"shapes": [)" + shape + "}]}";
}

bool holds(std::string const& text, std::string const& key, std::string const& word) {
    return text.find("\"" + key + "\": \"" + word + "\"") != std::string::npos;
}

TEST(SceneKindWords, EveryTypeWordIsReadAndWrittenBackAsTheSameWord) {
    for (host::kind_word const& entry : host::shape_type_words) {
        auto scene = load(one_shape(entry.word, entry.id == kind_part ? "surface" : ""));
        EXPECT_EQ(scene->find("a")->object_kind(), entry.id) << entry.word;
        EXPECT_TRUE(holds(host::scene_file_text(*scene), "type", entry.word)) << entry.word;
    }
}

TEST(SceneKindWords, EveryPartWordIsReadAndWrittenBackAsTheSameWord) {
    for (host::kind_word const& entry : host::part_kind_words) {
        auto scene = load(one_shape("part", entry.word));
        EXPECT_EQ(scene->find("a")->part_kind(), entry.id) << entry.word;
        EXPECT_TRUE(holds(host::scene_file_text(*scene), "part", entry.word)) << entry.word;
    }
}

TEST(SceneKindWords, AKindWithoutAWordIsWrittenAsOtherOrSimple) {
    EXPECT_STREQ(host::shape_type_word(1), "other");
    EXPECT_STREQ(host::part_kind_word(50), "simple");
    EXPECT_STREQ(host::shape_type_word(kind_polygon_mesh), "polygon_mesh");
    EXPECT_STREQ(host::part_kind_word(part_surface_m), "surface_m");
}

}  // namespace
