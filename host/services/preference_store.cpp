#include "services/preference_store.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <limits>
#include <nlohmann/json.hpp>

#include "text/quoted_word.h"
#include "text/uuid_text.h"

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
        host_call("write_int", nullptr, new_value);
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
    try {
        read_file();
    } catch (host_error const& e) {
        refused = e.what();
        values.clear();
    }
}

namespace {

// "PATH:LINE:COLUMN" of the byte at offset in text.
std::string place_in(std::string const& path, std::string const& text, std::size_t offset) {
    offset = std::min(offset, text.size());
    long line = 1, column = 1;
    for (std::size_t i = 0; i < offset; ++i, ++column)
        if (text[i] == '\n') ++line, column = 0;
    return path + ":" + std::to_string(line) + ":" + std::to_string(column);
}

}  // namespace

void preference_store::read_file() {
    std::error_code failed;
    std::filesystem::file_status status = std::filesystem::status(path, failed);
    if (std::filesystem::is_directory(status))
        throw host_error(path + ": is a folder, not a preference file");
    if (!std::filesystem::exists(status)) {
        // Nothing stored yet; the first write makes the file, so its folder must be there.
        std::filesystem::path folder = std::filesystem::path(path).parent_path();
        if (!folder.empty() && !std::filesystem::is_directory(folder, failed))
            throw host_error(path + ": the folder " + folder.string() + " does not exist");
        return;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) throw host_error(path + ": cannot open the file");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    values = parse(text, path);
}

std::map<std::string, int> preference_store::parse(std::string const& text,
                                                   std::string const& path) {
    std::map<std::string, int> values;
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(text);
    } catch (nlohmann::json::parse_error const& e) {
        // The reader's own words stay here: the place, and what a person can fix.
        std::size_t at = e.byte > 0 ? e.byte - 1 : 0;
        std::string problem = ": malformed JSON";
        if (at >= text.size())
            problem = ": the JSON ends too early";
        else if (nlohmann::json::accept(text.substr(0, at)))
            problem = ": text after the JSON object";
        throw host_error(place_in(path, text, at) + problem);
    } catch (nlohmann::json::exception const&) {
        // The one other refusal of the reader: a number beyond a double ("1e400").
        throw host_error(path + ": a number out of range");
    }
    if (!document.is_object()) throw host_error(path + ": expected a JSON object");
    for (auto const& [key, stored] : document.items()) {
        // An unsigned number is compared as unsigned: 2^64 - 1 must not read as -1.
        bool fits = stored.is_number_unsigned()
                        ? stored.get<unsigned long long>() <=
                              static_cast<unsigned long long>(std::numeric_limits<int>::max())
                        : stored.is_number_integer() &&
                              stored.get<long long>() >= std::numeric_limits<int>::min() &&
                              stored.get<long long>() <= std::numeric_limits<int>::max();
        if (!fits)
            throw host_error(path + ": " + quoted_word(key) + ": expected a 32-bit integer");
        values[key] = stored.get<int>();
    }
    return values;
}

stream_interface* preference_store::open_read_stream(tq::uuid_class const& id, int, void*) {
    host_call("open_read_stream");
    auto found = values.find(uuid_text(id));
    if (found == values.end()) return nullptr;
    auto stream = new preference_stream(*this, id, false, found->second);
    hand_out(stream);
    return stream;
}

stream_interface* preference_store::open_write_stream(tq::uuid_class const& id, int, void*) {
    host_call("open_write_stream");
    auto stream = new preference_stream(*this, id, true, 0);
    hand_out(stream);
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
    if (path.empty() || !refused.empty()) return;  // a refused file is left as it is
    nlohmann::json document = nlohmann::json::object();
    for (auto const& [key, stored] : values) document[key] = stored;
    // Written beside the file and renamed over it, so a failed write never leaves half a
    // file behind.
    std::string temporary = path + ".tmp";
    {
        // Binary: the same bytes on every platform, no CR before the line ends on Windows.
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << document.dump(2) << "\n";
        if (!out) throw host_error(path + ": cannot write: " + std::strerror(errno));
    }
    // std::filesystem's rename replaces an existing file on Windows too, where the C
    // library's refuses to.
    std::error_code failed;
    std::filesystem::rename(temporary, path, failed);
    if (failed) throw host_error(path + ": cannot replace: " + failed.message());
}

}  // namespace host
