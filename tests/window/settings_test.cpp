// The settings word and the settings dialog opened from "Ref.".
#include "window_fixture.h"

using namespace window_test;

namespace {

class Settings : public window_fixture {
protected:
    int stored() { return hostapp->preferences().value(vexel_id).value_or(-1); }
    void choose(std::map<int, bool> const& choices) {
        hostapp->queue_dialog_choices(choices);
        click(ref, 2);
    }
};

TEST_F(Settings, NothingStoredGivesAllOffAndStoresZeroAtOnce) {
    EXPECT_EQ(stored(), 0);
    EXPECT_EQ(control(box(0, 0)).kind, host::control_kind::text_field);
}

TEST_F(Settings, AStoredWord5MeansMarkingOwnFieldsAndUndo) {
    TearDown();
    start(5);
    open(mixed_scene);
    activate("ball");
    EXPECT_EQ(control(box(0, 0)).kind, host::control_kind::text_field);
    click(save);
    EXPECT_EQ(marker.requests.size(), 1u);
    type(box(0, 0), "3");
    click(app);
    EXPECT_EQ(scene->undo_records().step_count(), 1u);
}

TEST_F(Settings, TheDialogShowsTheSettingsAndDoesNotRefresh) {
    TearDown();
    start(5);
    open(mixed_scene);
    choose({});
    EXPECT_EQ(state().title, "") << "no refresh";
    EXPECT_EQ(stored(), 5) << "closed without changes: nothing stored";
    EXPECT_TRUE(hostapp->messages().empty());
}

TEST_F(Settings, SwitchingUndoOnlyStoresTheWordWithoutAMessage) {
    choose({{12, true}});
    EXPECT_EQ(stored(), 4);
    EXPECT_TRUE(hostapp->messages().empty());
    open(mixed_scene);
    activate("ball");
    type(box(0, 0), "3");
    click(snap);
    EXPECT_EQ(scene->undo_records().step_count(), 1u);
}

TEST_F(Settings, SwitchingNumberBoxesAsksForARestartAndKeepsTheRows) {
    choose({{11, true}});
    ASSERT_EQ(hostapp->messages().size(), 1u);
    EXPECT_EQ(hostapp->messages()[0], "Activate at restart.");
    EXPECT_EQ(stored(), 2);
    EXPECT_EQ(control(box(0, 0)).kind, host::control_kind::text_field);
    hostapp->restart();
    EXPECT_EQ(control(box(0, 0)).kind, host::control_kind::number);
    choose({{11, false}, {10, true}});
    EXPECT_EQ(stored(), 1);
    EXPECT_EQ(hostapp->messages().size(), 2u);
}

TEST_F(Settings, BitsAboveTheThreeSettingsAreIgnoredAndClearedAtTheNextChange) {
    TearDown();
    start(0x7FFFFFF8 | 4);
    EXPECT_EQ(control(box(0, 0)).kind, host::control_kind::text_field);
    choose({{10, true}});
    EXPECT_EQ(stored(), 5);
}

TEST_F(Settings, TheSettingsSurviveARestart) {
    choose({{10, true}, {12, true}});
    hostapp->restart();
    open(mixed_scene);
    activate("ball");
    click(save);
    EXPECT_EQ(marker.requests.size(), 1u);
    click(app);
    EXPECT_EQ(scene->undo_records().step_count(), 1u);
    expect_clean();
}

TEST_F(Settings, TheRestartMessageIsTranslated) {
    TearDown();
    start(-1, "ja");
    choose({{11, true}});
    ASSERT_EQ(hostapp->messages().size(), 1u);
    EXPECT_NE(hostapp->messages()[0], "Activate at restart.");
    EXPECT_FALSE(hostapp->messages()[0].empty());
}

}  // namespace
