// Defaults of the host's callback interface: what an object that overrides nothing answers
// for every event, query and property call, and the few operations with bodies of their own.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "entry/module_state.h"
#include "handlerinterface"
#include "host_doubles.h"

namespace {

// Overrides only the one pure operation; the version can be chosen or made to throw.
class bare_plugin : public handler_interface {
public:
    int answer = tessel_interface_version;
    bool throw_int = false;
    bool throw_other = false;
    int get_tessel_version() const override {
        if (throw_int) throw 7;
        if (throw_other) throw std::runtime_error("no version");
        return answer;
    }
};

// get_id and get_uuid answer something distinct so that uuid() shows which one it used.
class identified_plugin : public bare_plugin {
public:
    int get_id(void*) override { return 0x1234; }
    tq::uuid_class get_uuid(void*) override { return tq::uuid_class(1, 2, 3, 4); }
};

// Records the joint_matrix calls that modify_joint_matrix makes.
class joint_plugin : public bare_plugin {
public:
    struct call {
        bool* flag;
        part_class* part;
        float t;
        mat4* matrix;
        void* reserved;
    };
    std::vector<call> calls;
    void joint_matrix(bool& flag, part_class& part, float t, mat4& matrix, void* reserved) override {
        calls.push_back(call{&flag, &part, t, &matrix, reserved});
    }
};

struct fixture_objects {
    bare_plugin plugin;
    doubles::stub_shape shape;
    doubles::stub_part part;
    doubles::stub_scene scene;
    doubles::stub_dialog dialog;
    doubles::stub_dialog_item item;
    mat4 matrix = mat4::identity;
    shape_class* shapes[1] = {&shape};
    part_class* parts[1] = {&part};
};

// An object the default never looks at; only its address is passed.
joint_value_class const& unused_joint_value() {
    static int storage;
    return *reinterpret_cast<joint_value_class const*>(&storage);
}

}  // namespace

TEST(CallbackDefaults, EveryEventWritesFalseIntoItsFlag) {
    fixture_objects o;
    auto& p = o.plugin;
    scene_interface* s = &o.scene;
    using event = std::function<void(bool&)>;
    std::vector<std::pair<char const*, event>> const events = {
        {"shapes_moved", [&](bool& f) { p.shapes_moved(f, s, 1, o.shapes, o.matrix, nullptr); }},
        {"active_shapes_changed", [&](bool& f) { p.active_shapes_changed(f, s, 1, o.shapes, 1, o.shapes, nullptr); }},
        {"current_joint_value_changed", [&](bool& f) { p.current_joint_value_changed(f, s, 1, o.parts, nullptr); }},
        {"scene_opened", [&](bool& f) { p.scene_opened(f, s, nullptr); }},
        {"scene_closed", [&](bool& f) { p.scene_closed(f, s, nullptr); }},
        {"camera_changed", [&](bool& f) { p.camera_changed(f, s, nullptr); }},
        {"sequence_changed", [&](bool& f) { p.sequence_changed(f, 0.5f, s, 1, o.parts, nullptr); }},
        {"shapes_copied", [&](bool& f) { p.shapes_copied(f, s, 1, o.shapes, o.matrix, nullptr); }},
        {"name_changed", [&](bool& f) { p.name_changed(f, "new", o.shape, nullptr); }},
        {"shapes_being_deleted", [&](bool& f) { p.shapes_being_deleted(f, s, 1, o.shapes, nullptr); }},
        {"shapes_created", [&](bool& f) { p.shapes_created(f, s, 1, o.shapes, nullptr); }},
        {"idle_task", [&](bool& f) { p.idle_task(f, s, nullptr); }},
        {"joint_matrix", [&](bool& f) { p.joint_matrix(f, o.part, 0, o.matrix, nullptr); }},
        {"shapes_inserted", [&](bool& f) { p.shapes_inserted(f, s, 1, o.shapes, nullptr); }},
        {"current_joint_value_changing", [&](bool& f) { p.current_joint_value_changing(f, s, 1, o.parts, nullptr); }},
        {"active_scene_changed", [&](bool& f) { p.active_scene_changed(f, s, nullptr); }},
        {"figure_scale_changed", [&](bool& f) { p.figure_scale_changed(f, s, nullptr); }},
        {"figure_unit_changed", [&](bool& f) { p.figure_unit_changed(f, s, nullptr); }},
        {"surface_changed", [&](bool& f) { p.surface_changed(f, nullptr, nullptr); }},
        {"diffuse_changed", [&](bool& f) { p.diffuse_changed(f, o.shape, nullptr); }},
        {"surface_being_deleted", [&](bool& f) { p.surface_being_deleted(f, nullptr, nullptr); }},
        {"create_line_mode_entered", [&](bool& f) { p.create_line_mode_entered(f, s, 2, nullptr); }},
        {"create_line_mode_exited", [&](bool& f) { p.create_line_mode_exited(f, s, 2, nullptr); }},
        {"creating_shape_changed", [&](bool& f) { p.creating_shape_changed(f, o.shape, nullptr); }},
        {"scene_being_saved", [&](bool& f) { p.scene_being_saved(f, s, nullptr); }},
        {"local_light_changed", [&](bool& f) { p.local_light_changed(f, o.shape, nullptr); }},
        {"distant_light_changed", [&](bool& f) { p.distant_light_changed(f, s, 0, nullptr); }},
        {"current_distant_light_index_changed", [&](bool& f) { p.current_distant_light_index_changed(f, 1, nullptr); }},
        {"current_mapping_index_changed", [&](bool& f) { p.current_mapping_index_changed(f, 1, nullptr); }},
        {"shapes_modified", [&](bool& f) { p.shapes_modified(f, s, 1, o.shapes, nullptr); }},
        {"sequence_mode_changed", [&](bool& f) { p.sequence_mode_changed(f, s, true, nullptr); }},
        {"browser_updated", [&](bool& f) { p.browser_updated(f, s, nullptr); }},
        {"surface_updated", [&](bool& f) { p.surface_updated(f, s, nullptr); }},
        {"setup_rendering_view", [&](bool& f) { p.setup_rendering_view(f, nullptr, nullptr); }},
        {"sound_stopped", [&](bool& f) { p.sound_stopped(f, nullptr); }},
        {"create_rendering_objects", [&](bool& f) { p.create_rendering_objects(f, o.shape, o.scene, nullptr); }},
        {"pre_rendering", [&](bool& f) { p.pre_rendering(f, nullptr, nullptr); }},
        {"post_rendering", [&](bool& f) { p.post_rendering(f, nullptr); }},
    };
    EXPECT_EQ(events.size(), 38u);
    for (auto const& e : events) {
        bool flag = true;
        e.second(flag);
        EXPECT_FALSE(flag) << e.first;
        e.second(flag);  // and again from false
        EXPECT_FALSE(flag) << e.first;
    }
}

TEST(CallbackDefaults, PropertyGettersLeaveTheOutArgumentAsItCame) {
    bare_plugin p;
    bool b = true;
    int i = 41;
    float f = 1.5f;
    vec3 v{1, 2, 3}, rgb{0.1f, 0.2f, 0.3f};
    unsigned int sel = 9;
    char const* text = "kept";
    char const* const text_before = text;
    double d = 2.25;
    vec4 rgba{4, 5, 6, 7};
    p.get_bool_property_value(0, b, nullptr);
    p.get_int_property_value(0, i, nullptr);
    p.get_float_property_value(0, f, nullptr);
    p.get_vec3_property_value(0, v, nullptr);
    p.get_rgb_property_value(0, rgb, nullptr);
    p.get_selection_property_value(0, sel, nullptr);
    p.get_string_property_value(0, text, nullptr);
    p.get_double_property_value(0, d, nullptr);
    p.get_rgba_property_value(0, rgba, nullptr);
    EXPECT_TRUE(b);
    EXPECT_EQ(i, 41);
    EXPECT_EQ(f, 1.5f);
    EXPECT_TRUE(v.x == 1 && v.y == 2 && v.z == 3);
    EXPECT_TRUE(rgb.x == 0.1f && rgb.y == 0.2f && rgb.z == 0.3f);
    EXPECT_EQ(sel, 9u);
    EXPECT_EQ(text, text_before);
    EXPECT_EQ(d, 2.25);
    EXPECT_TRUE(rgba.x == 4 && rgba.y == 5 && rgba.z == 6 && rgba.w == 7);
}

TEST(CallbackDefaults, QueriesAnswerFalseZeroTrueOrOne) {
    fixture_objects o;
    auto& p = o.plugin;
    vec3 const c{1, 2, 3};
    std::vector<std::pair<char const*, bool>> const truths = {
        {"has_reset_button", p.has_reset_button()},
        {"has_default_button", p.has_default_button()},
        {"accepts_sphere", p.accepts_sphere(nullptr)},
        {"accepts_disk", p.accepts_disk(nullptr)},
        {"accepts_rectangle", p.accepts_rectangle(nullptr)},
        {"accepts_translation", p.accepts_translation(nullptr)},
        {"select_control", p.select_control(true, true)},
        {"undoable", p.undoable(nullptr)},
        {"accepts_wireframe", p.accepts_wireframe(nullptr)},
        {"accepts_prequickrendering", p.accepts_prequickrendering(nullptr)},
        {"respond", p.respond(o.dialog, o.item, 3, nullptr)},
        {"can_choose_directory", p.can_choose_directory(0, nullptr)},
        {"can_choose_file", p.can_choose_file(0, nullptr)},
        {"operation_118", p.operation_118(nullptr)},
    };
    EXPECT_EQ(truths.size(), 14u);
    for (auto const& t : truths) EXPECT_FALSE(t.second) << t.first;

    std::vector<std::pair<char const*, bool>> const trues = {
        {"must_remember_properties", p.must_remember_properties(nullptr)},
        {"set_sphere", p.set_sphere(c, 1, 0)},
        {"set_disk", p.set_disk(c, 1, 0, nullptr)},
        {"set_rectangle", p.set_rectangle(c, c, 0, nullptr)},
        {"set_translation", p.set_translation(o.matrix, c, 0)},
        {"pre_create", p.pre_create(&o.scene, nullptr)},
    };
    for (auto const& t : trues) EXPECT_TRUE(t.second) << t.first;

    std::vector<std::pair<char const*, long long>> const zeros = {
        {"get_id", p.get_id(nullptr)},
        {"get_property_type", p.get_property_type(1, nullptr)},
        {"get_property_id", p.get_property_id(1, nullptr)},
        {"get_property_name", p.get_property_name(nullptr, 1, nullptr) != nullptr},
        {"get_dialog_title", p.get_dialog_title(nullptr, nullptr) != nullptr},
        {"get_property_unit", p.get_property_unit(nullptr, 1, nullptr) != nullptr},
        {"get_bool_default_value", p.get_bool_default_value(1, nullptr)},
        {"get_int_default_value", p.get_int_default_value(1, nullptr)},
        {"get_float_default_value", p.get_float_default_value(1, nullptr) != nullptr},
        {"get_vec3_default_value", p.get_vec3_default_value(1, nullptr) != nullptr},
        {"get_rgb_default_value", p.get_rgb_default_value(1, nullptr) != nullptr},
        {"get_selection_default_value", p.get_selection_default_value(1, nullptr)},
        {"get_string_default_value", p.get_string_default_value(1, nullptr) != nullptr},
        {"get_double_default_value", p.get_double_default_value(1, nullptr) != nullptr},
        {"get_property_plugin_id", p.get_property_plugin_id(1, nullptr)},
        {"get_exception_string", p.get_exception_string() != nullptr},
        {"get_property_lines", p.get_property_lines(1, nullptr)},
        {"get_property_flag", p.get_property_flag(1, nullptr)},
        {"get_include_resource_name", p.get_include_resource_name(1, nullptr) != nullptr},
    };
    EXPECT_EQ(zeros.size(), 19u);
    for (auto const& z : zeros) EXPECT_EQ(z.second, 0) << z.first;

    EXPECT_EQ(p.plugin_interface_test_1(nullptr), 1);
    EXPECT_EQ(p.terminate(o.dialog, 2, nullptr), 2);
    EXPECT_EQ(p.terminate(o.dialog, -5, nullptr), -5);
}

TEST(CallbackDefaults, HandlerEventsDoNothingAndAnswerFalse) {
    bare_plugin h;
    h.clicked(3, nullptr);
    h.focused(nullptr);
    h.unfocused(nullptr);
    h.value_changed(1, nullptr);
    tq::rectangle_class area{0, 0, 10, 10};
    EXPECT_FALSE(h.draw(*reinterpret_cast<graphic_context_interface*>(&area), area, true, nullptr));
    EXPECT_FALSE(h.setup(nullptr));
    EXPECT_TRUE(h.is_implemented());
}

TEST(CallbackIdentity, GetUuidIsTheIntegerFamilyOfGetId) {
    bare_plugin plain;
    EXPECT_EQ(plain.get_uuid(nullptr), tq::uuid_class(0u, 0x53b811d9u, 0xbcff000au, 0x95baceb2u));

    struct skin_id : bare_plugin {
        int get_id(void*) override { return 0x50090082; }
    } skin;
    EXPECT_EQ(skin.get_uuid(nullptr), extend_skin_window_uuid);

    // An identifier with the top bit set keeps all 32 bits.
    struct high_id : bare_plugin {
        int get_id(void*) override { return static_cast<int>(0x90000001u); }
    } high;
    EXPECT_EQ(high.get_uuid(nullptr).word[0], 0x90000001u);

    EXPECT_EQ(plain.get_property_plugin_uuid(3, nullptr), tq::uuid_class(0, 0, 0, 0));
}

TEST(CallbackIdentity, UuidUsesGetUuidFromVersion390398On) {
    identified_plugin p;
    p.answer = 390397;
    EXPECT_EQ(p.uuid(), tq::uuid_class(0x1234u));
    p.answer = 390398;
    EXPECT_EQ(p.uuid(), tq::uuid_class(1, 2, 3, 4));
    p.answer = tessel_interface_version;
    EXPECT_EQ(p.uuid(), tq::uuid_class(1, 2, 3, 4));
}

TEST(CallbackIdentity, VersionReturnsAThrownIntAndPassesOtherExceptions) {
    bare_plugin p;
    EXPECT_EQ(p.version(), 430286);
    p.throw_int = true;
    EXPECT_EQ(p.version(), 7);
    // A thrown 7 is below 390398, so uuid() falls back to get_id.
    EXPECT_EQ(p.uuid(), tq::uuid_class(0u));
    p.throw_int = false;
    p.throw_other = true;
    EXPECT_THROW(p.version(), std::runtime_error);
}

TEST(CallbackDefaults, AllowShadingDisplayClearsTheFlagAndAnswersTrue) {
    fixture_objects o;
    bool flag = true;
    EXPECT_TRUE(o.plugin.allow_shading_display(flag, o.shape, nullptr));
    EXPECT_FALSE(flag);
}

TEST(CallbackDefaults, ModifyJointMatrixPassesPartsToJointMatrixOnce) {
    joint_plugin p;
    doubles::stub_part part;
    mat4 matrix = mat4::identity;
    bool flag = true;
    p.modify_joint_matrix(flag, part, unused_joint_value(), 0.25f, matrix, &flag);
    ASSERT_EQ(p.calls.size(), 1u);
    EXPECT_EQ(p.calls[0].flag, &flag);
    EXPECT_EQ(p.calls[0].part, static_cast<part_class*>(&part));
    EXPECT_EQ(p.calls[0].t, 0.25f);
    EXPECT_EQ(p.calls[0].matrix, &matrix);
    EXPECT_EQ(p.calls[0].reserved, nullptr);  // even though the caller passed non-null
}

TEST(CallbackDefaults, ModifyJointMatrixIgnoresShapesThatAreNotParts) {
    joint_plugin p;
    doubles::stub_shape shape;
    mat4 matrix = mat4::identity;
    for (bool start : {true, false}) {
        bool flag = start;
        p.modify_joint_matrix(flag, shape, unused_joint_value(), 1.0f, matrix, nullptr);
        EXPECT_EQ(flag, start);
    }
    EXPECT_TRUE(p.calls.empty());
    EXPECT_EQ(std::memcmp(&matrix, &mat4::identity, sizeof matrix), 0);

    // With the default joint_matrix a part gets the flag cleared.
    bare_plugin plain;
    doubles::stub_part part;
    bool flag = true;
    plain.modify_joint_matrix(flag, part, unused_joint_value(), 1.0f, matrix, nullptr);
    EXPECT_FALSE(flag);
}
