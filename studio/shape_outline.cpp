#include "shape_outline.h"

#include <functional>

#include "scene/shape_type_name.h"
#include "studio_words.h"

namespace studio {

namespace {
int const path_role = Qt::UserRole;
}

shape_outline::shape_outline(studio_host& given, QWidget* parent)
    : QTreeWidget(parent), host(given) {
    setObjectName("shape_outline");
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
    setHeaderLabels({studio_word(host.language(), "Shape"), studio_word(host.language(), "Type")});
    clear();
    items.clear();
    host::scene_model* scene = host.scene();
    if (!scene) return;
    std::function<void(host::shape_node const&, QTreeWidgetItem*)> add =
        [&](host::shape_node const& shape, QTreeWidgetItem* parent) {
            auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
            item->setText(0, QString::fromStdString(shape.name()));
            item->setText(1, studio_word(host.language(), host::shape_type_name(shape)));
            QString path = QString::fromStdString(shape.path());
            item->setData(0, path_role, path);
            items.insert(path, item);
            for (auto const& child : shape.children()) add(*child, item);
        };
    for (auto const& top : scene->roots()) add(*top, nullptr);
    expandAll();
    resizeColumnToContents(0);
    follow_active();
}

QTreeWidgetItem* shape_outline::item_of(QString const& path) const { return items.value(path); }

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
