// The reference host's preference store: one integer per identifier, kept in a JSON file
// ({"d43b04ce-8713-4d82-8b7c-c79466f1bfd2": 5}) so that it survives a restart of the host
// and a reload of the module.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "checks/host_checks.h"
#include "host_preferences.h"

namespace host {

class preference_store final : public counted<preference_store_interface> {
public:
    // Reads path when it exists; an empty path keeps the values in memory only. A file
    // that cannot be used (not a JSON object of 32-bit integers, text after it, a folder,
    // a folder that does not exist) is refused: the store starts empty, keeps its values in
    // memory only and never overwrites the file; refusal() says why. Throws nothing.
    explicit preference_store(std::string path);

    // Counted, one reference for the caller; null when nothing is stored under id.
    stream_interface* open_read_stream(tq::uuid_class const& id, int flags,
                                       void* reserved = nullptr) override;
    // Counted, one reference for the caller; never null. Each write_int replaces the value
    // stored under id and saves the file at once.
    stream_interface* open_write_stream(tq::uuid_class const& id, int flags,
                                        void* reserved = nullptr) override;

    // The host's own view (no fault injection).
    std::optional<int> value(tq::uuid_class const& id) const;
    void store(tq::uuid_class const& id, int value);
    std::string const& file() const { return path; }
    // The values a preference file's text holds. Throws host_error "SOURCE[:LINE:COLUMN]:
    // PROBLEM" for a text that is not one JSON object of 32-bit integers.
    static std::map<std::string, int> parse(std::string const& text, std::string const& source);
    // "PATH:LINE:COLUMN: PROBLEM" for a refused file, else "".
    std::string const& refusal() const { return refused; }

private:
    void read_file();
    void save() const;

    std::string path;
    std::string refused;
    std::map<std::string, int> values;  // keyed by the identifier's text form
};

}  // namespace host
