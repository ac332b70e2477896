// The parsed scene text holds every value as nlohmann's document of the same text does: the
// same values of the same kinds in the same order, the same keys, the same refusals in
// nlohmann's words; a repeated key and a number beyond a double are named by their place.
#include <gtest/gtest.h>

#include <cstring>
#include <nlohmann/json.hpp>

#include "scene_files/scene_json.h"

namespace {

using nlohmann::json;

void expect_same(host::json_value const& mine, json const& theirs, std::string const& where) {
    SCOPED_TRACE(where);
    switch (theirs.type()) {
    case json::value_t::object: {
        ASSERT_TRUE(mine.is_object());
        ASSERT_EQ(mine.size(), theirs.size());
        std::vector<std::string_view> keys = mine.sorted_keys();
        std::size_t i = 0;
        for (auto const& [key, value] : theirs.items()) {
            ASSERT_EQ(keys[i++], key);
            expect_same(mine[key.c_str()], value, where + "/" + key);
        }
        break;
    }
    case json::value_t::array: {
        ASSERT_TRUE(mine.is_array());
        ASSERT_EQ(mine.size(), theirs.size());
        std::size_t i = 0;
        for (host::json_value each : mine.elements()) {
            expect_same(each, theirs[i], where + "[" + std::to_string(i) + "]");
            ++i;
        }
        break;
    }
    case json::value_t::string: EXPECT_EQ(mine.get_string(), theirs.get<std::string>()); break;
    case json::value_t::boolean: EXPECT_EQ(mine.get_bool(), theirs.get<bool>()); break;
    case json::value_t::null: EXPECT_EQ(mine.kind(), host::json_kind::null); break;
    case json::value_t::number_float: {
        ASSERT_TRUE(mine.is_number());
        EXPECT_FALSE(mine.is_number_integer());
        double a = mine.get_double(), b = theirs.get<double>();
        EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << a << " against " << b;
        break;
    }
    default:
        ASSERT_TRUE(mine.is_number_integer());
        EXPECT_EQ(mine.get_integer(), theirs.get<long long>());
    }
}

TEST(SceneJson, ReadsEveryValueAsNlohmannDoes) {
    std::string const texts[] = {
        R"({"b": [1, -2, 0, -0, 3.25, -1e-3, 2E+2, 1e308],
            "a": {"z": null, "y": true, "x": false}})",
        R"([0.1, 0.30000000000000004, 123456789012345678901234, -9223372036854775809,
            18446744073709551615, 9007199254740993, 1e-320, 5e-324, -1.7976931348623157e308])",
        R"([123.456, -0.000123, 1.5e-7, 98765.4321e3, 0.0, -0.0, 100.5, 999999999999999.5,
            0.1e-21, 7e22, 7e23, 2.2250738585072014e-308, 4.35, 1e-22, 0.00000000000000000000001,
            0.0000000000000000000000000000000000000000000000000000000)"
        R"(00000000000000000000000000000000000000000000000000000000001e100])",
        R"({"packed": [[1, 2.5, 3], [1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17], []],
            "mixed": [1, "a", null]})",
        R"([{"a": {"b": [1, {"c": []}, {}]}, "d": {}, "e": [[[]], 2]}, {}, [[[]]], 3])",
        R"({"text": "plain", "escaped": "tab\tquote\"\u00e9\ud83d\ude00", "utf8": "héllo"})",
        "\xEF\xBB\xBF {\"bom\": 1} \n\t\r",
        "  42  ",
        // Integers at the edges of 64 bits; decimals whose quick product in x87 registers
        // (32-bit MinGW's std::from_chars) rounds twice; the edges of the quick product.
        R"([1.0, -9223372036854775808, 18446744073709551616, 9.0135568e26, -3.235238177477691e37,
            3656717099616635e20, 1164.866757603096e22, 9007199254740992e22, 9007199254740993e-3,
            1e30, 12345e37, 9e37, 1.5e-22, 15e-23, 4.35e-5, -0.0e5])",
        // Decimals a fast conversion gets wrong (one crashes RapidJSON's own), and the
        // neighbours of the smallest subnormal: rounded once, correctly.
        R"([0.184467440737095516159, 316765.055691663134006080213554e-188,
            6389.80687488998795138657826584484e-346, 2.4703282292062328e-324,
            2.4703282292062327e-324, 1e-400, -1e-400, 0e400])",
        "[1" + std::string(320, '0') + "e-300]",
        // A NUL byte ends the text.
        std::string("[1]\0 x", 6),
    };
    for (std::string const& text : texts) {
        host::scene_json doc(text);
        expect_same(doc.root(), json::parse(text), text);
    }
}

TEST(SceneJson, RefusesWhatNlohmannRefusesWithItsMessage) {
    std::string const texts[] = {
        "", "{", "[1,]", "{\"a\" 1}", "[01]", "[1.]", "[-]", "tru", "{} x", "[\"a\x01\"]", "[1e]",
        "{\"a\":1,}", "[\"\xC3\x28\"]",
        // Strict JSON: no comments, NaN or infinities.
        "[1] // note", "/* note */ [1]", "[NaN]", "[-Infinity]",
        // A lone low surrogate, in a value and in a key; encoded surrogates and overlong forms.
        R"(["\udc00"])", R"({"\udfff": 1})", "[\"\xED\xA0\x80\"]", "[\"\xC0\x80\"]",
        "[\"\xF4\x90\x80\x80\"]",
        // Half a byte order mark; a multi-byte character cut by the end of the text.
        "\xEF\xBB[1]", "[\"" + std::string(40, 'a') + "\xE0"};
    for (std::string const& text : texts) {
        std::string expected;
        try {
            json parsed = json::parse(text);
        } catch (json::parse_error const& e) {
            expected = e.what();
        }
        ASSERT_FALSE(expected.empty()) << text;
        try {
            host::scene_json doc(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (host::malformed_json const& e) {
            EXPECT_EQ(expected.substr(expected.find("] ") + 2), e.what()) << text;
        }
    }
}

TEST(SceneJson, NamesTheObjectThatRepeatsAKeyTheFirstRepeatInTheText) {
    struct {
        char const* text;
        char const* where;
        char const* key;
    } const cases[] = {
        {R"({"shapes": [{"a": 1}, {"points": [{"x": 1, "x": 2}]}]})", "shapes[1]/points[0]", "x"},
        {R"({"a": {"y": 1, "y": 2}, "a": 3})", "a", "y"},
        {R"({"a": 1, "a": 2})", "top level", "a"},
        // Keys inside earlier members' values are theirs, not the outer object's.
        {R"({"a": [1, {"b": 2}], "b": {"a": 1, "c": {}}, "c": [], "a": 3})", "top level", "a"},
        // Before a syntax error further on, as nlohmann reads it.
        {R"({"s": [{"k": 1, "k": 2}], "t": tru})", "s[0]", "k"},
        // After a number that rounds to 0.
        {R"({"n": [1e-400], "n": 2})", "top level", "n"},
    };
    for (auto const& c : cases) {
        try {
            host::scene_json doc(c.text);
            ADD_FAILURE() << "a repeated key was accepted: " << c.text;
        } catch (host::duplicate_key const& e) {
            EXPECT_EQ(e.where, c.where) << c.text;
            EXPECT_EQ(e.key, c.key) << c.text;
        }
    }
}

TEST(SceneJson, NamesTheNumberBeyondADouble) {
    // Beyond by its exponent, by rounding up, by its digits.
    for (std::string const& number :
         {std::string("1e400"), std::string("-1.7976931348623159e308"),
          "1" + std::string(400, '0')}) {
        try {
            host::scene_json doc(R"({"shapes": [{"center": [1, )" + number + ", 0]}]}");
            ADD_FAILURE() << number << " was accepted";
        } catch (host::number_overflow const& e) {
            EXPECT_EQ(e.where, "shapes[0]/center[1]") << number;
        }
    }
}

TEST(SceneJson, ReadsNestingUpToItsBoundAndRefusesItBeyond) {
    auto nested = [](std::size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); };
    EXPECT_TRUE(host::scene_json(nested(100000)).root().is_array());
    try {
        host::scene_json doc(nested(100001));
        ADD_FAILURE() << "nesting beyond the bound was accepted";
    } catch (host::malformed_json const& e) {
        EXPECT_STREQ(e.what(), "nested deeper than 100000 levels");
    }
}

}  // namespace
