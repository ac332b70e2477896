#include "scene_files/scene_kind_words.h"

#include <cstddef>

namespace host {

kind_word const shape_type_words[8] = {
    {"part", kind_part},
    {"line", kind_line},
    {"polygon_mesh", kind_polygon_mesh},
    {"sphere", kind_sphere},
    {"disk", kind_disk},
    {"light", kind_light},
    {"master_surface", kind_master_surface},
    {"other", kind_other},
};

kind_word const part_kind_words[16] = {
    {"simple", part_simple},
    {"surface", part_surface},
    {"rotator", part_rotator},
    {"slider", part_slider},
    {"scale", part_scale},
    {"uniscale", part_uniscale},
    {"light_joint", part_light_joint},
    {"path", part_path},
    {"morph", part_morph},
    {"switch", part_switch},
    {"custom", part_custom},
    {"ball", part_ball},
    {"camera", part_camera},
    {"link", part_link},
    {"surface_m", part_surface_m},
    {"sound", part_sound},
};

namespace {

template <std::size_t N>
char const* word_of(kind_word const (&table)[N], int id, char const* otherwise) {
    for (auto const& entry : table)
        if (entry.id == id) return entry.word;
    return otherwise;
}

}  // namespace

char const* shape_type_word(int kind) { return word_of(shape_type_words, kind, "other"); }

char const* part_kind_word(int part) { return word_of(part_kind_words, part, "simple"); }

}  // namespace host
