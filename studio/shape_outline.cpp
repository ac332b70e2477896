#include "shape_outline.h"

#include <functional>

#include "shape_type_name.h"

namespace studio {

namespace {
int const path_role = Qt::UserRole;
}

shape_outline::shape_outline(studio_host& given, QWidget* parent)
    : QTreeWidget(parent), host(given) {
    setObjectName("shape_outline");
    setHeaderLabels({tr("Shape"), tr("Type")});
    connect(&host, &studio_host::scene_replaced, this, &shape_outline::rebuild);
    connect(&host, &studio_host::scene_changed, this, &shape_outline::follow_active);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (following || !item) return;
        std::string path = item->data(0, path_role).toString().toStdString();
        try {
            host.make_active(path);
        } catch (std::exception const& e) {
            Q_EMIT host.failure(QString("active: ") + e.what());
        }
    });
}

void shape_outline::rebuild() {
    clear();
    host::scene_model* scene = host.scene();
    if (!scene) return;
    std::function<void(host::shape_node const&, QTreeWidgetItem*)> add =
        [&](host::shape_node const& shape, QTreeWidgetItem* parent) {
            auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
            item->setText(0, QString::fromStdString(shape.name()));
            item->setText(1, QString::fromLatin1(host::shape_type_name(shape)));
            item->setData(0, path_role, QString::fromStdString(shape.path()));
            for (auto const& child : shape.children()) add(*child, item);
        };
    for (auto const& top : scene->roots()) add(*top, nullptr);
    expandAll();
    resizeColumnToContents(0);
    follow_active();
}

QTreeWidgetItem* shape_outline::item_of(QString const& path) const {
    for (QTreeWidgetItemIterator it(const_cast<shape_outline*>(this)); *it; ++it)
        if ((*it)->data(0, path_role).toString() == path) return *it;
    return nullptr;
}

void shape_outline::follow_active() {
    host::scene_model* scene = host.scene();
    following = true;
    QTreeWidgetItem* item = nullptr;
    if (scene && scene->active_shape())
        item = item_of(QString::fromStdString(scene->active_shape()->path()));
    if (currentItem() != item) setCurrentItem(item);
    following = false;
}

}  // namespace studio
