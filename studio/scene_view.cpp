#include "scene_view.h"

namespace studio {

scene_view::scene_view(studio_host& given, QWidget* parent) : QWidget(parent), host(given) {
    setObjectName("scene_view");
    setMouseTracking(true);  // the ring follows the pointer
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(320, 240);
    // Only what the scene shows: an idle tick that changes nothing repaints nothing.
    // A move the view makes itself repaints only what moved (follow_own_move).
    connect(&host, &studio_host::scene_changed, this, [this] {
        if (own_move) return;
        // A few points moved (an undo of a drag, the plug-in's edit): only where they were
        // and are now is drawn again.
        moved_area.reset();
        if (cache_revision >= 0) ensure_cache();
        if (moved_area)
            update(moved_area->adjusted(-12, -12, 12, 12).toAlignedRect());
        else
            update();
    });
    connect(&host, &studio_host::scene_replaced, this, &scene_view::fit);
}

}  // namespace studio
