// The host-side edits a script line makes to what a shape holds: `move`, `insert-point`,
// `remove-point`, `rename`, `modifiable` and `direction`. Done on the scene alone; the
// scene's modification listener then sends the plug-in shapes_modified, as for any change.
// #pragma once

#include "scene/scene_model.h"
#include "script_syntax.h"

namespace script {

// Makes the edit. The scene's refusal becomes the line's: script_error "WORD: reason".
void edit_shape(host::scene_model& scene, script_action const& a);

}  // namespace script
