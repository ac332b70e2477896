#include "preference_store.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>

#include "plugin_module.h"

namespace host {

namespace {

// One stored value opened for reading or for writing.
class preference_stream final : public counted<stream_interface> {
public:
    preference_stream(preference_store& store, tq::uuid_class const& id, bool writing,
                      int value)
        : counted<stream_interface>("preference stream"), store(store), id(id),
          writing(writing), value(value) {
        delete_on_last_release();
    }

    void rewind(int, int, void*) override {
        host_call("rewind");
        position = 0;
    }

    int read_int(void*) override {
        host_call("read_int");
        if (writing) throw host_error("read_int: the stream was opened for writing");
        if (position > 0) throw host_error("read_int: read past the end of the stored value");
        ++position;
        return value;
    }

    void write_int(int new_value, void*) override {
        host_call("write_int");
        if (!writing) throw host_error("write_int: the stream was opened for reading");
        store.store(id, new_value);
    }

private:
    preference_store& store;
    tq::uuid_class id;
    bool writing;
    int value;
    int position = 0;
};

}  // namespace

preference_store::preference_store(std::string file_path)
    : counted<preference_store_interface>("preference store"), path(std::move(file_path)) {
    if (path.empty()) return;
    std::ifstream in(path);
    if (!in) return;  // nothing stored yet
    nlohmann::json document;
    try {
        in >> document;
    } catch (nlohmann::json::exception const& e) {
        throw host_error(path + ": not JSON: " + e.what());
    }
    if (!document.is_object()) throw host_error(path + ": expected a JSON object");
    for (auto const& [key, stored] : document.items()) {
        bool fits = stored.is_number_integer() &&
                    stored.get<long long>() >= std::numeric_limits<int>::min() &&
                    stored.get<long long>() <= std::numeric_limits<int>::max();
        if (!fits) throw host_error(path + ": \"" + key + "\": expected a 32-bit integer");
        values[key] = stored.get<int>();
    }
}

stream_interface* preference_store::open_read_stream(tq::uuid_class const& id, int, void*) {
    host_call("open_read_stream");
    auto found = values.find(uuid_text(id));
    if (found == values.end()) return nullptr;
    auto stream = new preference_stream(*this, id, false, found->second);
    stream->AddRef();
    return stream;
}

stream_interface* preference_store::open_write_stream(tq::uuid_class const& id, int, void*) {
    host_call("open_write_stream");
    auto stream = new preference_stream(*this, id, true, 0);
    stream->AddRef();
    return stream;
}

std::optional<int> preference_store::value(tq::uuid_class const& id) const {
    auto found = values.find(uuid_text(id));
    if (found == values.end()) return std::nullopt;
    return found->second;
}

void preference_store::store(tq::uuid_class const& id, int new_value) {
    values[uuid_text(id)] = new_value;
    save();
}

void preference_store::save() const {
    if (path.empty()) return;
    nlohmann::json document = nlohmann::json::object();
    for (auto const& [key, stored] : values) document[key] = stored;
    // Written beside the file and renamed over it, so a failed write never leaves half a
    // file behind.
    std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << document.dump(2) << "\n";
        if (!out) throw host_error(path + ": cannot write: " + std::strerror(errno));
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        throw host_error(path + ": cannot replace: " + std::strerror(errno));
}

}  // namespace host
