// lookup_text from the plug-in's string tables, and the resources themselves.
#include <cstdio>
#include <fstream>

#include "resources/dialog_description.h"
#include "resources/string_table.h"
#include "host_test_doubles.h"

using namespace host_test;

namespace {

std::string const resources = std::string(VEXEL_SOURCE_DIR) + "/resources/lang";

// The keys the plug-in passes to gettext besides "product_name".
char const* const window_keys[] = {
    "Activate at restart.",
    "App.",
    "Snap",
    "Ref.",
    "Save",
    "Load",
    "Abs.",
    "Rel.",
    "I b.",
    "O b.",
    "Move selected point to viewed value.",
    "Move selected shape as selected point position is viewed value.",
    "Up to date view.",
    "Memory selected point to appointed number area",
    "Load from appinted number area to view area",
};

class Texts : public host_test_base {
protected:
    host::host_app app;
    char const* lookup(char const* key) { return app.gettext(key); }
};

TEST_F(Texts, EnglishShowsTheKeysThemselvesAndTheIdentityEntries) {
    app.set_resource_dir(resources);
    EXPECT_STREQ(lookup("product_name"), "vexel");
    EXPECT_STREQ(lookup("comments"), "point view and edit direct.");
    EXPECT_STREQ(lookup("major_version"), "10");
    EXPECT_STREQ(lookup("build_number"), "12");
    EXPECT_STREQ(lookup("company"), "");
    for (char const* key : window_keys) EXPECT_STREQ(lookup(key), key);
}

TEST_F(Texts, JapaneseTranslatesEveryWindowText) {
    app.set_language("ja");
    app.set_resource_dir(resources);
    EXPECT_STREQ(lookup("App."), "適用");
    EXPECT_STREQ(lookup("Activate at restart."), "再起動後に有効になります。");
    for (char const* key : window_keys) {
        SCOPED_TRACE(key);
        std::string text = lookup(key);
        EXPECT_NE(text, key);
        EXPECT_FALSE(text.empty());
    }
    // Identity numbers stay as in English.
    EXPECT_STREQ(lookup("minor_version"), "0");
    EXPECT_STREQ(lookup("author"), "vexel developers");
}

TEST_F(Texts, AKeyWithoutEntryAnswersItselfInBothLanguages) {
    app.set_resource_dir(resources);
    EXPECT_STREQ(lookup("Loc."), "Loc.");
    app.set_language("ja");
    EXPECT_STREQ(lookup("un sel."), "un sel.");
    // The answer does not point into the caller's buffer.
    char buffer[] = "temporary";
    char const* answer = lookup(buffer);
    buffer[0] = 'X';
    EXPECT_STREQ(answer, "temporary");
}

TEST_F(Texts, WithoutATableEveryKeyAnswersItself) {
    EXPECT_STREQ(lookup("product_name"), "product_name");
}

TEST_F(Texts, UnknownLanguagesAreRefused) {
    EXPECT_THROW(app.set_language("fr"), std::invalid_argument);
    EXPECT_THROW(host::host_app("", "de"), std::invalid_argument);
    EXPECT_EQ(app.language(), "en");
}

TEST_F(Texts, BothDialogDescriptionsHaveTheThreeSwitchesOnByDefault) {
    for (char const* lang : {"en", "ja"}) {
        SCOPED_TRACE(lang);
        auto description = host::dialog_description::read(resources + "/" + lang +
                                                          "/mode_dialog_id.xml");
        ASSERT_EQ(description.items.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(description.items[i].id, 10 + i);
            EXPECT_TRUE(description.items[i].default_value);
            EXPECT_FALSE(description.items[i].label.empty());
        }
    }
    auto english = host::dialog_description::read(resources + "/en/mode_dialog_id.xml");
    EXPECT_EQ(english.title, "Vexel mode Setting");
    EXPECT_EQ(english.items[0].label, "Mark indicated element");
    EXPECT_EQ(english.items[1].label, "Use Tessel standard number box.");
    EXPECT_EQ(english.items[2].label, "Activate undo.");
}

// A resource file written for one test, removed afterwards.
struct scratch_file {
    std::string path;
    explicit scratch_file(std::string const& text)
        : path(::testing::TempDir() + "vexel_resource_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".xml") {
        std::ofstream(path) << text;
    }
    ~scratch_file() { std::remove(path.c_str()); }
};

void expect_refused(std::string const& text, std::string const& reason) {
    scratch_file file(text);
    try {
        host::string_table table(file.path);
        FAIL() << "accepted: " << text;
    } catch (host::host_error const& e) {
        EXPECT_EQ(e.what(), file.path + reason);
    }
}

TEST_F(Texts, BrokenStringTablesAreRefusedWithFileLineAndReason) {
    expect_refused("<strings>\n<string id=\"a\" value=\"b\">\n</strings>\n",
                   ":3: invalid closing tag name");
    expect_refused("<texts/>", ": root element is \"texts\", expected \"strings\"");
    expect_refused("<!-- nothing -->\n", ":2: no element");
    expect_refused("<strings><string value=\"b\"/></strings>",
                   ": <string> #1: missing attribute id");
    expect_refused("<strings><string id=\"a\" value=\"b\"/><string id=\"a\" value=\"c\"/></strings>",
                   ": <string> #2: duplicate id \"a\"");
    EXPECT_THROW(host::string_table("/nonexistent/TEXT.xml"), host::host_error);
}

TEST_F(Texts, EntitiesAndCharacterReferencesAreReadAsTheirCharacters) {
    auto table = host::string_table::parse(
        R"(<?xml version="1.0" encoding="UTF-8"?><!-- a table --><strings>)"
        R"(<string id="a&amp;b" value="&lt;&#x3042;&#12354;&quot;&apos;&gt;"/></strings>)",
        "TEXT.xml");
    EXPECT_STREQ(table.lookup("a&b"), "<\u3042\u3042\"'>");
}

// The parser descends by recursion: elements nested deeper than it can take are refused
// before it runs, counted where the parser would see them (not in comments or quotes).
TEST_F(Texts, ElementsNestedBeyondTheBoundAreRefusedAndMarkupThatOpensNoneIsNotCounted) {
    auto repeated = [](char const* text, int times) {
        std::string out;
        for (int i = 0; i < times; ++i) out += text;
        return out;
    };
    std::string const entry = R"(<string id="a" value="b"/>)";
    struct {
        char const* what;
        std::string text;
        bool refused;
    } const cases[] = {
        {"deep", repeated("<x>", 1001) + repeated("</x>", 1001), true},
        {"at the bound", "<strings>" + repeated("<x>", 999) + repeated("</x>", 999) + entry + "</strings>", false},
        {"closing tags in quotes", "<strings>\n" + repeated(R"(<x a="</x>" b='</x>'>)", 1000), true},
        {"many empty elements", "<strings>" + repeated(R"(<x a="/>"/>)", 2000) + entry + "</strings>", false},
        {"markup that opens nothing",
         "<strings>" + repeated("<!-- <x> --><![CDATA[<x>]]><?pi <x>?>", 1001) + entry + "</strings>", false},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            auto table = host::string_table::parse(c.text, "TEXT.xml");
            EXPECT_FALSE(c.refused);
            EXPECT_STREQ(table.lookup("a"), "b");
        } catch (host::host_error const& e) {
            EXPECT_TRUE(c.refused) << e.what();
            EXPECT_EQ(std::string(e.what()),
                      std::string("TEXT.xml:") + (c.text[9] == '\n' ? "2" : "1") +
                          ": elements nested deeper than 1000 levels");
        }
    }
}

TEST_F(Texts, BrokenDialogDescriptionsAreRefused) {
    scratch_file no_id("<dialog><vbox><bool label=\"x\"/></vbox></dialog>");
    EXPECT_THROW(host::dialog_description::read(no_id.path), host::host_error);
}

}  // namespace
