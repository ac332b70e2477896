// The host-side edits a script line makes to what a shape holds: `move`, `insert-point`,
// `remove-point`, `rename`, `modifiable` and `direction`. Done on the scene alone; the
// scene's modification listener then sends the plug-in shapes_modified, as for any change.
// The runner and the studio both play these lines through here.
#pragma once

#include "runner_script.h"
#include "scene/scene_model.h"

namespace host {

// Makes the edit. The scene's refusal becomes the line's: script_error "WORD: reason".
void edit_shape(scene_model& scene, script_action const& a);

}  // namespace host
