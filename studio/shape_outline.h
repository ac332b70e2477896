// The scene's shapes as a tree. Clicking a shape makes it the active shape and tells the
// plug-in (active_shapes_changed), as the runner's `active` does.
#pragma once

#include <QHash>
#include <QTreeWidget>

#include "studio_host.h"

namespace studio {

class shape_outline final : public QTreeWidget {
    Q_OBJECT
public:
    explicit shape_outline(studio_host& host, QWidget* parent = nullptr);

    // Rebuilds the tree from the scene, with its headers in the host's language.
    void rebuild();
    // Marks the active shape as the current item.
    void follow_active();
    // The item of the shape at path, null when none.
    QTreeWidgetItem* item_of(QString const& path) const;

private:
    studio_host& host;
    QHash<QString, QTreeWidgetItem*> items;  // by path
    bool following = false;
};

}  // namespace studio
