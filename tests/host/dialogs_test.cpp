// Dialogs built from the plug-in's dialog description and the ask protocol.
#include "host_test_doubles.h"

using namespace host_test;

namespace {

std::string const resources = std::string(VEXEL_SOURCE_DIR) + "/resources/lang";

// A responder like the settings window: fills the items from its settings, and takes the
// chosen values back.
class settings_responder : public plugin_interface {
public:
    int get_tessel_version() const override { return tessel_interface_version; }
    void load_dialog_data(dialog_interface& dialog, void*) override {
        calls.push_back("load");
        for (int id = 10; id <= 12; ++id) dialog.get_item(id)->set_bool(settings[id - 10]);
    }
    void save_dialog_data(dialog_interface& dialog, void*) override {
        calls.push_back("save");
        for (int id = 10; id <= 12; ++id) settings[id - 10] = dialog.get_item(id)->get_bool();
    }
    bool settings[3] = {false, true, false};
    std::vector<std::string> calls;
};

class Dialogs : public host_test_base {
protected:
    host::host_app app;
    settings_responder responder;
    void SetUp() override {
        host_test_base::SetUp();
        app.set_resource_dir(resources);
    }
    dialog_interface* open() {
        dialog_interface* dialog = app.create_dialog(tq::uuid_class(0x99u));
        dialog->set_resource_name("mode_dialog_id");
        dialog->set_responder(&responder);
        return dialog;
    }
};

TEST_F(Dialogs, ItemsComeFromTheDescriptionWithTheirDefaults) {
    dialog_interface* dialog = open();
    for (int id = 10; id <= 12; ++id) {
        ASSERT_NE(dialog->get_item(id), nullptr);
        EXPECT_TRUE(dialog->get_item(id)->get_bool());
    }
    EXPECT_EQ(dialog->get_item(13), nullptr);
    dialog->Release();
    EXPECT_TRUE(host::audit().outstanding().empty());
}

TEST_F(Dialogs, AskLoadsAppliesTheChoicesThenSaves) {
    dialog_interface* dialog = open();
    app.queue_dialog_choices({{10, true}, {12, true}});
    EXPECT_EQ(dialog->ask(0, 0), 1);
    dialog->Release();
    EXPECT_EQ(responder.calls, (std::vector<std::string>{"load", "save"}));
    // Items 10 and 12 were chosen; item 11 kept what load_dialog_data gave it.
    EXPECT_TRUE(responder.settings[0]);
    EXPECT_TRUE(responder.settings[1]);
    EXPECT_TRUE(responder.settings[2]);
    EXPECT_EQ(app.last_dialog().title, "Vexel mode Setting");
    ASSERT_EQ(app.last_dialog().items.size(), 3u);
    EXPECT_EQ(app.last_dialog().items[1].label, "Use Tessel standard number box.");
}

TEST_F(Dialogs, QueuedChoicesAreUsedByOneAskOnly) {
    dialog_interface* dialog = open();
    app.queue_dialog_choices({{11, false}});
    dialog->ask(0, 0);
    EXPECT_FALSE(responder.settings[1]);
    responder.settings[1] = true;
    dialog->ask(0, 0);
    EXPECT_TRUE(responder.settings[1]);
    dialog->Release();
}

TEST_F(Dialogs, AChoiceForAnItemTheDialogLacksIsRefused) {
    dialog_interface* dialog = open();
    app.queue_dialog_choices({{13, true}});
    EXPECT_THROW(dialog->ask(0, 0), host::host_error);
    EXPECT_EQ(responder.calls, (std::vector<std::string>{"load"}));
    dialog->Release();
}

TEST_F(Dialogs, TheJapaneseDescriptionIsReadForJapanese) {
    app.set_language("ja");
    dialog_interface* dialog = open();
    dialog->ask(0, 0);
    dialog->Release();
    EXPECT_EQ(app.last_dialog().title, "Vexel モード設定");
}

TEST_F(Dialogs, BadResourceNamesAndMissingDescriptionsAreRefused) {
    dialog_interface* dialog = app.create_dialog(tq::uuid_class(0x99u));
    EXPECT_THROW(dialog->ask(0, 0), host::host_error);
    EXPECT_THROW(dialog->set_resource_name("../en/TEXT"), host::host_error);
    EXPECT_THROW(dialog->set_resource_name(nullptr), host::host_error);
    try {
        dialog->set_resource_name("DIALOG_ID");
        FAIL();
    } catch (host::host_error const& e) {
        EXPECT_EQ(std::string(e.what()), resources + "/en/DIALOG_ID.xml: cannot open file");
    }
    dialog->Release();
    EXPECT_TRUE(host::audit().outstanding().empty());
}

}  // namespace
