// The reference host's preference store: one integer per identifier, kept in a JSON file
// ({"d43b04ce-8713-4d82-8b7c-c79466f1bfd2": 5}) so that it survives a restart of the host
// and a reload of the module.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "host_checks.h"
#include "host_preferences.h"

namespace host {

class preference_store final : public counted<preference_store_interface> {
public:
    // Reads path when it exists; an empty path keeps the values in memory only. Throws
    // host_error naming the file for a file that is not a JSON object of integers.
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

private:
    void save() const;

    std::string path;
    std::map<std::string, int> values;  // keyed by the identifier's text form
};

}  // namespace host
