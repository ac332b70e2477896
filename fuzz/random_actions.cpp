#include "random_actions.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "scene/scene_model.h"
#include "shape_kind_ids.h"
#include "window_controls.h"

namespace {

namespace controls = script::vexel_controls;
using host::control_kind;
using host::shape_node;

bool reachable(host::window_state const& s, int index, control_kind wanted) {
    if (!s.shown || index >= static_cast<int>(s.controls.size())) return false;
    host::control_state const& c = s.controls[index];
    bool handled = c.kind == control_kind::text_field || c.handler != nullptr;
    return host::user_refusal({c.kind, c.enabled, c.shown, handled}, wanted).empty() && c.y < s.client.y;
}

std::string quoted(std::string const& text) {
    std::string q = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') q += '\\';
        q += c;
    }
    return q + "\"";
}

// A float as a script word; a subnormal one is written 0 (the script reader refuses it).
std::string number_text(float v) {
    if (std::fabs(v) < std::numeric_limits<float>::min()) v = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
    return text;
}

// How many points a host edit can move on a shape, in the order `move` numbers them: a
// joint's one or two, else the flat numbering's.
int movable_points(shape_node const& s) {
    if (s.is_part()) {
        switch (s.part_kind()) {
        case part_rotator:
        case part_slider:
        case part_scale:
        case part_camera: return 2;
        case part_uniscale:
        case part_ball: return 1;
        case part_link: return 0;
        default: return s.count_points();
        }
    }
    switch (s.object_kind()) {
    case kind_line:
    case kind_polygon_mesh: return s.count_points();
    case kind_light:
    case kind_sphere:
    case kind_disk: return 1;
    default: return 0;
    }
}

// Points a selection can name: those of lines, meshes and the parts holding them.
int listed_points(shape_node const& s) {
    bool listed = s.object_kind() == kind_line || s.object_kind() == kind_polygon_mesh ||
                  (s.is_part() && (s.part_kind() == part_surface || s.part_kind() == part_simple));
    return listed ? s.count_points() : 0;
}

shape_node* any_shape(byte_source& in, host::scene_model& scene, bool (*wanted)(shape_node const&)) {
    std::vector<shape_node*> shapes;
    for (shape_node* s : scene.all_shapes())
        if (!wanted || wanted(*s)) shapes.push_back(s);
    if (shapes.empty()) return nullptr;
    return shapes[in.below(static_cast<int>(shapes.size()))];
}

enum class choice { active, select, idle, ref, type, app, snap, save, load, loc, mode, link, slot, hide_show,
                    settings, dialog, undo, move, insert, remove_point, rename, modifiable, direction, remove,
                    unit, state, joint, scene, announce, restart };

struct weighted {
    choice what;
    int weight;
};

weighted const choices[] = {
    {choice::active, 10}, {choice::select, 9}, {choice::idle, 12}, {choice::ref, 8},   {choice::type, 16},
    {choice::app, 9},     {choice::snap, 4},   {choice::save, 4},   {choice::load, 4},  {choice::loc, 5},
    {choice::mode, 9},    {choice::link, 2},   {choice::slot, 3},   {choice::hide_show, 2}, {choice::settings, 3},
    {choice::dialog, 1},  {choice::undo, 3},   {choice::move, 4},   {choice::insert, 2}, {choice::remove_point, 2},
    {choice::rename, 1},  {choice::modifiable, 1}, {choice::direction, 1}, {choice::remove, 2}, {choice::unit, 2},
    {choice::state, 1},   {choice::joint, 1},  {choice::scene, 1},  {choice::announce, 1}, {choice::restart, 1},
};

choice pick_choice(byte_source& in) {
    int total = 0;
    for (weighted const& w : choices) total += w.weight;
    int at = in.byte() * total / 256;
    for (weighted const& w : choices) {
        if (at < w.weight) return w.what;
        at -= w.weight;
    }
    return choice::idle;
}

std::string click(host::window_state const& s, int index, char const* name, std::string const& action = "") {
    if (!reachable(s, index, s.controls[index].kind == control_kind::checkbox ? control_kind::checkbox
                                                                                : control_kind::button))
        return "";
    return std::string("click ") + name + action;
}

}  // namespace

std::string random_text(byte_source& in, bool number_box) {
    std::string text;
    if (!number_box && in.chance(6)) {
        char const* plain[] = {"", "   ", "-", "+", ".", "e5", "abc", "--", "#7"};
        return in.pick(plain);
    }
    if (in.chance(15)) text += in.pick({" ", "  ", "\t"});
    char const* signs_typed[] = {"", "", "", "-", "+", "--", "+-", "-+", "++"};
    char const* signs_box[] = {"", "", "-", "+"};
    text += number_box ? in.pick(signs_box) : in.pick(signs_typed);
    int digits = in.below(9);
    bool point = in.chance(40);
    if (number_box && digits == 0) digits = 1;
    for (int i = 0; i < digits; ++i) text += static_cast<char>('0' + in.below(10));
    if (point) {
        text += '.';
        int after = in.below(8);
        if (number_box && after == 0) text += '5';
        for (int i = 0; i < after; ++i) text += static_cast<char>('0' + in.below(10));
    }
    if (in.chance(18)) {
        text += in.pick({"e", "E"});
        text += in.pick({"", "-", "+"});
        char const* exponents[] = {"1", "2", "5", "10", "38", "39", "45", "50", "400"};
        text += in.pick(exponents);
    }
    if (number_box) {
        if (in.chance(10)) text += " ";
        return text;
    }
    if (in.chance(18)) {
        char const* garbage[] = {"#", "?", ",5", "_", "q", "zz", "@", "/", " 7", "-", ".", "e", "x1", ".5", "e+"};
        text += in.pick(garbage);
    }
    return text;
}

std::string random_action(byte_source& in, runner::runner_session& session, std::string const& second_scene,
                          bool after_edit) {
    host::scene_model* scene = session.scene();
    if (scene == nullptr || !session.app().loaded()) return "";
    host::window_state s = session.window();
    choice what = after_edit && in.chance(35) ? choice::undo : pick_choice(in);
    switch (what) {
    case choice::active: {
        shape_node* shape = in.chance(8) ? nullptr : any_shape(in, *scene, nullptr);
        return shape ? "active " + shape->path() : "active -";
    }
    case choice::select: {
        shape_node* shape = any_shape(in, *scene, [](shape_node const& n) { return listed_points(n) > 0; });
        if (!shape) return "";
        int n = listed_points(*shape);
        std::string line = "select " + shape->path();
        int count = in.below(10) == 0 ? 0 : in.below(10) == 0 ? 2 : 1;
        for (int i = 0; i < count; ++i) line += " " + std::to_string(in.below(n));
        return line;
    }
    case choice::idle: return in.chance(75) ? "idle" : "idle 2";
    case choice::ref: return reachable(s, controls::ref, control_kind::button) ? "ref" : "";
    case choice::type: {
        int row = in.below(5);
        int axis = in.below(3);
        int index = controls::box(row, axis);
        if (!reachable(s, index, control_kind::number)) return "";
        bool number_box = s.controls[index].kind == control_kind::number;
        return "type " + std::to_string(row) + " " + static_cast<char>('x' + axis) + " " +
               quoted(random_text(in, number_box));
    }
    case choice::app: return click(s, controls::app, "App.");
    case choice::snap: return click(s, controls::snap, "Snap");
    case choice::save: return click(s, controls::save, "Save");
    case choice::load: return click(s, controls::load, "Load", in.chance(30) ? " 2" : "");
    case choice::loc: return click(s, controls::extra(0), "loc");
    case choice::mode:
        return in.chance(60) ? click(s, controls::extra(1), "mode1") : click(s, controls::extra(3), "mode3");
    case choice::link:
        return in.chance(50) ? click(s, controls::extra(2), "link2") : click(s, controls::extra(4), "link4");
    case choice::slot:
        return reachable(s, controls::slots, control_kind::popup) ? "slot " + std::to_string(in.below(10)) : "";
    case choice::hide_show: return s.shown ? "hide" : "show";
    case choice::settings:
        if (!reachable(s, controls::ref, control_kind::button)) return "";
        return std::string("settings mark=") + (in.chance(50) ? "1" : "0") + " number=" + (in.chance(20) ? "1" : "0") +
               " undo=" + (in.chance(60) ? "1" : "0") + (in.chance(10) ? " cancel" : "");
    case choice::dialog: return reachable(s, controls::ref, control_kind::button) ? "dialog" : "";
    case choice::undo: return "undo";
    case choice::move: {
        shape_node* shape = any_shape(in, *scene, [](shape_node const& n) { return movable_points(n) > 0; });
        if (!shape) return "";
        std::string line = "move " + shape->path() + " " + std::to_string(in.below(movable_points(*shape)));
        float const values[] = {0, 1, -1, 2, 0.5f, 3, -4, 10, 0.1f, 1e-7f, 123.456f};
        for (int i = 0; i < 3; ++i) line += " " + number_text(in.chance(90) ? in.pick(values) : in.any_float());
        return line;
    }
    case choice::insert:
    case choice::remove_point: {
        shape_node* shape = any_shape(in, *scene, [](shape_node const& n) {
            return n.object_kind() == kind_line || n.object_kind() == kind_polygon_mesh;
        });
        if (!shape) return "";
        int n = shape->count_points();
        if (what == choice::remove_point)
            return n > 0 ? "remove-point " + shape->path() + " " + std::to_string(in.below(n)) : "";
        std::string line = "insert-point " + shape->path() + " " + std::to_string(in.below(n + 1));
        for (int i = 0; i < 3; ++i) line += " " + number_text(in.pick({0.0f, 1.0f, -2.0f, 0.5f, 10.0f}));
        return line;
    }
    case choice::rename: {
        shape_node* shape = any_shape(in, *scene, nullptr);
        std::string name = "renamed" + std::to_string(in.byte());
        // A name no other shape has anywhere, so that a window title still names one shape.
        for (shape_node* other : scene->all_shapes())
            if (other->name() == name) return "";
        return shape ? "rename " + shape->path() + " " + name : "";
    }
    case choice::modifiable: {
        shape_node* shape = any_shape(in, *scene, nullptr);
        return shape ? "modifiable " + shape->path() + (in.chance(50) ? " on" : " off") : "";
    }
    case choice::direction: {
        shape_node* part = any_shape(in, *scene, [](shape_node const& n) {
            return n.is_part() && n.part_kind() == part_surface;
        });
        return part ? "direction " + part->path() + (in.chance(50) ? " on" : " off") : "";
    }
    case choice::remove: {
        shape_node* shape = any_shape(in, *scene, nullptr);
        return shape ? "delete " + shape->path() : "";
    }
    case choice::unit: return std::string("unit ") + in.pick({"1", "10", "0.1", "2.54"});
    case choice::state: return in.chance(50) ? "state on" : "state off";
    case choice::joint: {
        shape_node* part = any_shape(in, *scene, [](shape_node const& n) { return n.is_part(); });
        return part ? "joint " + part->path() : "";
    }
    case choice::scene: return "scene " + second_scene;
    case choice::announce: return "announce";
    case choice::restart: return "restart";
    }
    return "";
}
