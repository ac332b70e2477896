#include "window_fixture.h"

namespace window_test {

char const* const line_scene = R"({
  "shapes": [
    {"name": "curve", "type": "line", "points": [
      {"anchor": [0, 0, 0], "in": [-1, 0, 0], "out": [1, 0, 0], "l_in": [0, -1, 0], "l_out": [0, 1, 0]},
      {"anchor": [10, 0, 0], "in": [9, 1, 0], "out": [11, -1, 0], "l_in": [10, 0, -2],
       "l_out": [10, 0, 2], "linked": true},
      {"anchor": [20, 5, 0], "in": [17, 1, 0], "out": [23, 9, 0]}
    ]}
  ]
})";

char const* const mixed_scene = R"({
  "shapes": [
    {"name": "curve", "type": "line", "points": [
      {"anchor": [0, 0, 0], "in": [-1, 0, 0], "out": [1, 0, 0], "l_in": [0, -1, 0], "l_out": [0, 1, 0]},
      {"anchor": [10, 0, 0], "in": [9, 1, 0], "out": [11, -1, 0], "l_in": [10, 0, -2],
       "l_out": [10, 0, 2], "linked": true}
    ]},
    {"name": "mesh", "type": "polygon_mesh", "vertices": [[0, 0, 0], [1, 2, 3], [4, 5, 6]]},
    {"name": "arm", "type": "part", "part": "rotator", "first_point": [1, 2, 3], "second_point": [0, 0, 10]},
    {"name": "rail", "type": "part", "part": "slider", "first_point": [0, 0, 0], "second_point": [0, 0, 10]},
    {"name": "cam", "type": "part", "part": "camera", "eye": [0, 0, 10], "target": [0, 1, 0]},
    {"name": "grow", "type": "part", "part": "uniscale", "first_point": [1, 1, 1]},
    {"name": "knee", "type": "part", "part": "ball", "pivot": [2, 3, 4]},
    {"name": "ball", "type": "sphere", "center": [1, 2, 3]},
    {"name": "plate", "type": "disk", "center": [5, 0, 0]},
    {"name": "lamp", "type": "light", "center": [0, 9, 0]},
    {"name": "body", "type": "part", "part": "simple", "children": [
      {"name": "inner", "type": "sphere", "center": [0, 0, 0]}
    ]},
    {"name": "moved", "type": "sphere", "center": [0, 0, 0],
     "matrix": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 0, 0, 1]},
    {"name": "surf", "type": "part", "part": "surface", "children": [
      {"name": "l0", "type": "line", "points": [{"anchor": [0, 0, 0]}, {"anchor": [1, 0, 0]}, {"anchor": [2, 0, 0]}]},
      {"name": "l1", "type": "line", "points": [{"anchor": [0, 1, 0]}, {"anchor": [1, 1, 0]}, {"anchor": [2, 1, 0]}]},
      {"name": "l2", "type": "line", "points": [{"anchor": [0, 2, 0]}, {"anchor": [1, 2, 0],
        "in": [0.5, 2, 0], "out": [1.5, 2, 0], "linked": true}, {"anchor": [2, 2, 0]}]}
    ]},
    {"name": "fixed", "type": "sphere", "center": [7, 7, 7], "modifiable": false},
    {"name": "thing", "type": "other"}
  ]
})";

}  // namespace window_test
