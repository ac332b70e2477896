// lookup_text from the plug-in's string tables, and the resources themselves.
#include <cstdio>
#include <fstream>

#include "files/dialog_description.h"
#include "files/string_table.h"
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
                   ":3: Start-end tags mismatch");
    expect_refused("<texts/>", ": root element is \"texts\", expected \"strings\"");
    expect_refused("<strings><string value=\"b\"/></strings>",
                   ": <string> #1: missing attribute id");
    expect_refused("<strings><string id=\"a\" value=\"b\"/><string id=\"a\" value=\"c\"/></strings>",
                   ": <string> #2: duplicate id \"a\"");
    EXPECT_THROW(host::string_table("/nonexistent/TEXT.xml"), host::host_error);
}

TEST_F(Texts, BrokenDialogDescriptionsAreRefused) {
    scratch_file no_id("<dialog><vbox><bool label=\"x\"/></vbox></dialog>");
    EXPECT_THROW(host::dialog_description::read(no_id.path), host::host_error);
}

}  // namespace
