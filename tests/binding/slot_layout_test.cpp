// Slot positions of the host's interface classes on this machine's Itanium C++ ABI. The
// host calls every operation by its position in the virtual table, so each named operation,
// the reserved slots and the size of every block are checked against the published lists.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <new>

#include "host_doubles.h"
#include "windowinterface"

namespace {

// A pointer to a virtual member function holds 1 + the byte offset of its slot from the
// table's address point; a non-virtual one holds an (even) function address.
template <class C, class F>
std::size_t slot_of(F C::*member) {
    struct {
        std::uintptr_t ptr;
        std::ptrdiff_t adjust;
    } raw;
    static_assert(sizeof(member) == sizeof(raw), "Itanium member function pointer");
    std::memcpy(&raw, &member, sizeof raw);
    if (raw.ptr % 2 != 1 || raw.adjust != 0) return SIZE_MAX;  // not a virtual slot
    return (raw.ptr - 1) / sizeof(void*);
}

struct slot_case {
    int position;  // the operation's number within its block
    char const* name;
    std::size_t index;  // where the compiler put it
};

// Checks that table lists positions 0, 1, 2, ... in order and that each sits at base + its
// position in the virtual table.
void expect_block(slot_case const* table, std::size_t count, std::size_t base) {
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(table[i].position, static_cast<int>(i)) << "table gap before " << table[i].name;
        EXPECT_EQ(table[i].index, base + table[i].position) << table[i].name;
    }
}

std::size_t const prefix = 6;                // QueryInterface .. is_implemented
std::size_t const plugin_base = prefix;      // 200 slots: 6..205
std::size_t const derived_base = prefix + 200;  // handler (200) or window (199) block

}  // namespace

TEST(SlotLayout, UnknownPrefixHasSixEntries) {
    EXPECT_EQ(slot_of(&IUnknown::QueryInterface), 0u);
    EXPECT_EQ(slot_of(&IUnknown::AddRef), 1u);
    EXPECT_EQ(slot_of(&IUnknown::Release), 2u);
    EXPECT_EQ(slot_of(&unknown_interface::QueryInterface), 0u);
    EXPECT_EQ(slot_of(&unknown_interface::AddRef), 1u);
    EXPECT_EQ(slot_of(&unknown_interface::Release), 2u);
    // 3 and 4 are the two destructor entries (see below).
    EXPECT_EQ(slot_of(&unknown_interface::is_implemented), 5u);
    // Every interface class keeps the prefix in front of its own block.
    EXPECT_EQ(slot_of(&window_interface::push_button_class::Release), 2u);
    EXPECT_EQ(slot_of(&window_interface::is_implemented), 5u);
}

namespace {
int destroyed = 0;
struct observed_plugin : plugin_interface {
    int get_tessel_version() const override { return tessel_interface_version; }
    ~observed_plugin() override { ++destroyed; }
};
using table_entry = void (*)(void*);
table_entry entry_of(void* object, std::size_t index) {
    table_entry const* table = *static_cast<table_entry* const*>(object);
    return table[index];
}
}  // namespace

TEST(SlotLayout, DestructorEntriesAreCompleteObjectThenDeleting) {
    // Entry 3 destroys without freeing: run it on an object in our own storage.
    alignas(observed_plugin) unsigned char storage[sizeof(observed_plugin)];
    auto* local = new (storage) observed_plugin;
    destroyed = 0;
    entry_of(local, 3)(local);
    EXPECT_EQ(destroyed, 1);

    // Entry 4 destroys and frees (the address sanitizer would report a leak otherwise).
    auto* heap = new observed_plugin;
    entry_of(heap, 4)(heap);
    EXPECT_EQ(destroyed, 2);
}

namespace {
#define P(pos, op) slot_case{pos, #op, slot_of(&plugin_interface::op)}
slot_case const plugin_slots[] = {
    P(0, get_id), P(1, get_property_type), P(2, get_property_id), P(3, get_property_name),
    P(4, get_bool_property_value), P(5, set_bool_property_value), P(6, get_int_property_value),
    P(7, set_int_property_value), P(8, get_float_property_value),
    P(9, set_float_property_value), P(10, get_vec3_property_value),
    P(11, set_vec3_property_value), P(12, get_rgb_property_value),
    P(13, set_rgb_property_value), P(14, get_selection_property_value),
    P(15, set_selection_property_value), P(16, get_string_property_value),
    P(17, set_string_property_value), P(18, get_dialog_title),
    P(19, get_double_property_value), P(20, set_double_property_value),
    P(21, get_property_unit), P(22, shapes_moved), P(23, active_shapes_changed),
    P(24, current_joint_value_changed), P(25, scene_opened), P(26, scene_closed), P(27, do_it),
    P(28, camera_changed), P(29, sequence_changed), P(30, shapes_copied),
    P(31, get_tessel_version), P(32, name_changed), P(33, shapes_being_deleted),
    P(34, shapes_created), P(35, idle_task), P(36, must_remember_properties),
    P(37, has_reset_button), P(38, has_default_button), P(39, get_bool_default_value),
    P(40, get_int_default_value), P(41, get_float_default_value),
    P(42, get_vec3_default_value), P(43, get_rgb_default_value),
    P(44, get_selection_default_value), P(45, get_string_default_value),
    P(46, get_double_default_value), P(47, mac_event_obsolete), P(48, accepts_sphere),
    P(49, accepts_disk), P(50, accepts_rectangle), P(51, accepts_translation),
    P(52, set_sphere), P(53, set_disk), P(54, set_rectangle), P(55, set_translation),
    P(56, select_control), P(57, pre_create), P(58, joint_matrix), P(59, shapes_inserted),
    P(60, current_joint_value_changing), P(61, active_scene_changed), P(62, undoable),
    P(63, plugin_interface_test_1), P(64, make_wireframe_obsolete), P(65, accepts_wireframe),
    P(66, append_preference_items), P(67, preference_ok), P(68, setup_preference_items),
    P(69, accepts_prequickrendering), P(70, prequickrendering), P(71, figure_scale_changed),
    P(72, figure_unit_changed), P(73, make_wireframe), P(74, surface_changed),
    P(75, diffuse_changed), P(76, surface_being_deleted), P(77, get_property_plugin_id),
    P(78, delete_self), P(79, create_line_mode_entered), P(80, create_line_mode_exited),
    P(81, creating_shape_changed), P(82, get_exception_string), P(83, context),
    P(84, scene_being_saved), P(85, local_light_changed), P(86, distant_light_changed),
    P(87, current_distant_light_index_changed), P(88, current_mapping_index_changed),
    P(89, get_property_lines), P(90, get_rgba_property_value), P(91, set_rgba_property_value),
    P(92, cleanup), P(93, initialize_dialog), P(94, respond), P(95, load_dialog_data),
    P(96, save_dialog_data), P(97, terminate), P(98, shapes_modified),
    P(99, get_property_flag), P(100, sequence_mode_changed), P(101, get_uuid),
    P(102, get_property_plugin_uuid), P(103, browser_updated), P(104, surface_updated),
    P(105, get_list_property_value), P(106, set_list_property_value),
    P(107, setup_rendering_view), P(108, modify_joint_matrix), P(109, sound_stopped),
    P(110, dialog_idle), P(111, can_choose_directory), P(112, can_choose_file),
    P(113, allow_shading_display), P(114, get_include_resource_name),
    P(115, create_rendering_objects), P(116, pre_rendering), P(117, post_rendering),
    P(118, operation_118), P(119, register_tags),
};
#undef P

#define H(pos, op) slot_case{pos, #op, slot_of(&handler_interface::op)}
slot_case const handler_slots[] = {
    H(0, clicked), H(1, draw), H(2, focused), H(3, unfocused), H(4, setup), H(5, value_changed),
};
#undef H

#define W(pos, op) slot_case{pos, #op, slot_of(&window_interface::op)}
// invalidate is overloaded with the non-virtual control member: pick the slot by type.
#define W_VOID(pos, op) \
    slot_case{pos, #op, slot_of(static_cast<void (window_interface::*)(void*)>(&window_interface::op))}
slot_case const window_slots[] = {
    W(0, initialize), W(1, clear), W(2, paint), W(3, resize), W(4, mouse_enter),
    W(5, mouse_move), W(6, mouse_exit), W(7, mouse_down), W(8, idle), W(9, scrolled),
    W(10, is_resizable), W(11, get_client_rectangle_obsolete), W_VOID(12, invalidate),
    W(13, window_interface_test_1), W(14, get_minimum_size_obsolete),
    W(15, get_maximum_size_obsolete), W(16, get_ideal_size), W(17, get_text_object),
    W(18, get_placement_flags), W(19, get_flags), W(20, activate), W(21, deactivate),
    W(22, drag_file), W(23, get_image_interface), W(24, get_frame_position),
    W(25, set_frame_position), W(26, should_clear), W(27, get_native_window),
    W(28, push_button_clicked), W(29, checkbox_value_changed),
    W(30, disclosure_button_value_changed), W(31, slider_value_changed),
    W(32, number_value_changed), W(33, popup_menu_value_changed),
    W(34, color_disk_value_changed), W(35, color_box_value_changed),
    W(36, image_box_image_changed), W(37, radio_button_value_changed),
    W(38, vec2_value_changed), W(39, vec3_value_changed), W(40, vec4_value_changed),
    W(41, quaternion_value_changed), W(42, matrix_value_changed), W(43, scale_value_changed),
    W(44, initialize_push_button), W(45, initialize_checkbox),
    W(46, initialize_disclosure_button), W(47, initialize_slider), W(48, initialize_number),
    W(49, initialize_popup_menu), W(50, initialize_color_disk), W(51, initialize_color_box),
    W(52, initialize_image_box), W(53, initialize_radio_button), W(54, initialize_vec2),
    W(55, initialize_vec3), W(56, initialize_vec4), W(57, initialize_quaternion),
    W(58, initialize_matrix), W(59, initialize_scale), W(60, initialize_static_text),
    W(61, initialize_flasher), W(62, setup_push_button), W(63, setup_checkbox),
    W(64, setup_disclosure_button), W(65, setup_slider), W(66, setup_number),
    W(67, setup_popup_menu), W(68, setup_color_disk), W(69, setup_color_box),
    W(70, setup_image_box), W(71, setup_radio_button), W(72, setup_vec2), W(73, setup_vec3),
    W(74, setup_vec4), W(75, setup_quaternion), W(76, setup_matrix), W(77, setup_scale),
    W(78, setup_static_text), W(79, setup_flasher), W(80, tab_value_changed),
    W(81, initialize_tab), W(82, setup_tab), W(83, key_down), W(84, scroll_wheel),
    W(85, initialize_table), W(86, setup_table), W(87, obsolete),
};
#undef W_VOID
#undef W
}  // namespace

TEST(SlotLayout, PluginInterfaceOperationsFollowThePrefix) {
    ASSERT_EQ(std::size(plugin_slots), 120u);
    expect_block(plugin_slots, std::size(plugin_slots), plugin_base);
}

TEST(SlotLayout, HandlerInterfaceBlockFollowsThePluginBlock) {
    ASSERT_EQ(std::size(handler_slots), 6u);
    expect_block(handler_slots, std::size(handler_slots), derived_base);
}

TEST(SlotLayout, WindowInterfaceBlockFollowsThePluginBlock) {
    ASSERT_EQ(std::size(window_slots), 88u);
    expect_block(window_slots, std::size(window_slots), derived_base);
}

TEST(SlotLayout, ReservedSlotsCloseEachBlockAtItsFixedSize) {
    EXPECT_EQ(slot_of(&plugin_interface::plugin_interface_dummy120), plugin_base + 120);
    EXPECT_EQ(slot_of(&plugin_interface::plugin_interface_dummy199), plugin_base + 199);
    EXPECT_EQ(slot_of(&handler_interface::handler_interface_dummy6), derived_base + 6);
    EXPECT_EQ(slot_of(&handler_interface::handler_interface_dummy199), derived_base + 199);
    // The window block has no slot 88: dummy89 directly follows obsolete (87).
    EXPECT_EQ(slot_of(&window_interface::window_interface_dummy89), derived_base + 88);
    EXPECT_EQ(slot_of(&window_interface::window_interface_dummy199), derived_base + 198);
}

namespace {
// A virtual added by a derived class lands right after every inherited entry, so its
// index is the total number of entries of the base.
struct control_plus : window_interface::push_button_class {
    virtual void added() {}
};
struct window_plus : window_interface {
    virtual void added() {}
};
struct handler_plus : handler_interface {
    virtual void added() {}
};
}  // namespace

TEST(SlotLayout, ControlClassesHave406EntriesWindowClasses405) {
    EXPECT_EQ(slot_of(&control_plus::added), 406u);
    EXPECT_EQ(slot_of(&handler_plus::added), 406u);
    EXPECT_EQ(slot_of(&window_plus::added), 405u);
}

TEST(ObjectLayout, InterfaceClassesAddNoDataToTheCount) {
    EXPECT_EQ(sizeof(plugin_interface), sizeof(unknown_interface));
    EXPECT_EQ(sizeof(handler_interface), sizeof(unknown_interface));
    // window: host root and child handle; control: window, handle and typed handle.
    EXPECT_EQ(sizeof(window_interface), sizeof(unknown_interface) + 2 * sizeof(void*));
    EXPECT_EQ(sizeof(window_interface::number_class), sizeof(unknown_interface) + 3 * sizeof(void*));
}
