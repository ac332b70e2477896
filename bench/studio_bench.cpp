// vexel-studio-bench: the studio on a large mesh under Qt's offscreen platform, measured as
// a person meets it: the idle studio's share of a core, a click in the scene view that
// selects a vertex, a click in the shape outline until the vexel window shows the shape,
// a full repaint of the view, a drag of a vertex (each move until the vertex is drawn at
// its new place), its undo and redo, and the resident memory around saving the scene.
// Prints one line of JSON.
//
//   vexel-studio-bench --vertices N     a mesh of N vertices made for the run
//   vexel-studio-bench SCENE.json       a scene file holding a polygon mesh "mesh"
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "bench_scenes.h"
#include "main_window.h"

namespace {

using clock_type = std::chrono::steady_clock;

double cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

template <class F>
double milliseconds(F&& f) {
    auto start = clock_type::now();
    f();
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

// The median of runs of f, in milliseconds.
template <class F>
double median_ms(int runs, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(milliseconds(f));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The process's resident memory in megabytes.
double resident_mb() {
    long pages = 0, resident = 0;
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (f) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: vexel-studio-bench --vertices N | SCENE.json\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::string scene_file = argv[1];
    std::string made;
    if (argc == 3 && std::strcmp(argv[1], "--vertices") == 0) {
        made = (std::filesystem::temp_directory_path() /
                ("vexel-studio-bench-" + std::to_string(::getpid()) + ".json")).string();
        std::ofstream(made) << bench::mesh_scene_text(std::stoi(argv[2]));
        scene_file = made;
    }
    studio::studio_host host({VEXEL_MODULE_PATH, "en", ""});
    studio::main_window window(host);
    window.resize(1000, 640);
    window.show();
    double open_ms = milliseconds([&] {
        window.start(scene_file);
        QApplication::processEvents();
    });
    if (!made.empty()) std::filesystem::remove(made);
    host::shape_node* mesh = host.scene() ? host.scene()->find("mesh") : nullptr;
    if (!host.loaded() || !mesh) {
        std::fprintf(stderr, "vexel-studio-bench: %s holds no mesh \"mesh\"\n", scene_file.c_str());
        return 1;
    }
    studio::scene_view& view = window.view();
    std::size_t vertices = mesh->geometry.vertices.size();

    double repaint_ms = median_ms(5, [&] { view.repaint(); });

    // A click on a vertex in the middle of the mesh selects it.
    std::size_t target = vertices / 2;
    QPoint at = view.to_screen(host::transform(mesh->geometry.vertices[target].position,
                                               mesh->world_matrix()))
                    .toPoint();
    double click_ms = median_ms(3, [&] {
        host.make_active("");
        QTest::mouseClick(&view, Qt::LeftButton, {}, at + QPoint(0, 20));  // not a repeat
        QTest::mouseClick(&view, Qt::LeftButton, {}, at);
        QApplication::processEvents();
    });
    bool selected = host.scene()->active_shape() == mesh && mesh->active_points.size() == 1;

    // A click on the mesh in the outline until the vexel window shows it.
    QTreeWidgetItem* item = window.outline().item_of("mesh");
    double outline_ms = median_ms(3, [&] {
        host.make_active("");
        host.idle_tick();
        QRect place = window.outline().visualItemRect(item);
        QTest::mouseClick(window.outline().viewport(), Qt::LeftButton, {}, place.center());
        QApplication::processEvents();
    });
    bool shown = host.window_model().title.find("[mesh]") != std::string::npos;

    // A drag of the vertex: thirty moves, each timed until the view has drawn it there.
    // The press, until it is drawn and the drag's undo step is taken (a person's hand has
    // not moved yet).
    double press_ms = milliseconds([&] {
        QTest::mousePress(&view, Qt::LeftButton, {}, at);
        QApplication::processEvents();
    });
    std::vector<double> moves;
    double drag_cpu = cpu_seconds();
    for (int i = 1; i <= 30; ++i) {
        QPointF to = at + QPointF(2 * i, i);
        moves.push_back(milliseconds([&] {
            QMouseEvent move(QEvent::MouseMove, to, view.mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(&view, &move);
            QApplication::processEvents();  // the repaint it asked for
        }));
    }
    drag_cpu = (cpu_seconds() - drag_cpu) * 1000 / moves.size();
    QTest::mouseRelease(&view, Qt::LeftButton, {}, (at + QPoint(60, 30)));
    std::sort(moves.begin(), moves.end());
    auto within_frame = std::count_if(moves.begin(), moves.end(), [](double ms) { return ms <= 1000.0 / 60; });
    vec3 dragged = mesh->geometry.vertices[target].position;
    double undo_ms = milliseconds([&] {
        host.undo();
        QApplication::processEvents();
    });
    bool undone = std::memcmp(&dragged, &mesh->geometry.vertices[target].position, sizeof dragged) != 0;
    double redo_ms = milliseconds([&] {
        host.redo();
        QApplication::processEvents();
    });

    // Saving the scene, and what the process holds before and after.
    std::string saved = (std::filesystem::temp_directory_path() /
                         ("vexel-studio-bench-saved-" + std::to_string(::getpid()) + ".json")).string();
    double rss_before = resident_mb();
    double save_ms = milliseconds([&] { host.save_scene(saved); });
    double rss_after = resident_mb();
    std::filesystem::remove(saved);

    // The idle studio: three seconds of the event loop with its idle ticks.
    QApplication::processEvents();
    double cpu_before = cpu_seconds();
    auto wall_before = clock_type::now();
    QTimer::singleShot(3000, &app, &QCoreApplication::quit);
    window.set_interactive(true);
    app.exec();
    double idle_wall = std::chrono::duration<double>(clock_type::now() - wall_before).count();
    double idle_percent = 100 * (cpu_seconds() - cpu_before) / idle_wall;

    std::printf("{\"vertices\": %zu, \"open_ms\": %.1f, \"repaint_ms\": %.2f, \"click_ms\": %.2f, "
                "\"selected\": %s, \"outline_click_ms\": %.2f, \"shown\": %s, "
                "\"drag_press_ms\": %.1f, \"drag_move_ms_median\": %.2f, \"drag_move_ms_max\": %.2f, \"drag_moves_within_frame\": %ld, "
                "\"drag_moves\": %zu, \"drag_move_cpu_ms\": %.2f, \"drag_undo_ms\": %.1f, \"undone\": %s, "
                "\"drag_redo_ms\": %.1f, \"save_ms\": %.0f, \"rss_before_save_mb\": %.0f, "
                "\"rss_after_save_mb\": %.0f, \"idle_core_percent\": %.2f, \"paints\": %ld}\n",
                vertices, open_ms, repaint_ms, click_ms, selected ? "true" : "false", outline_ms,
                shown ? "true" : "false", press_ms, moves[moves.size() / 2], moves.back(), static_cast<long>(within_frame),
                moves.size(), drag_cpu, undo_ms, undone ? "true" : "false", redo_ms, save_ms, rss_before,
                rss_after, idle_percent, view.paint_count());
    return selected && shown && undone ? 0 : 1;
}
