// A scene file's JSON text, parsed with simdjson's DOM (libsimdjson-dev): fast, and small
// enough for a file of a million points. simdjson lets a key be given twice in one object,
// which a scene file may not; and where it refuses a text, nlohmann's parser says why, in
// the words the loader has always given.
#pragma once

#include <simdjson.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// A key given twice in one object: where names the object ("shapes[0]/points[1]", or
// "top level"), key the repeated key.
struct duplicate_key : std::runtime_error {
    duplicate_key(std::string where, std::string key)
        : std::runtime_error("duplicate key"), where(std::move(where)), key(std::move(key)) {}
    std::string where;
    std::string key;
};

// A number too large for a double ("1e400"): where names it ("shapes[0]/center[1]").
struct number_overflow : std::runtime_error {
    explicit number_overflow(std::string where)
        : std::runtime_error("number overflow"), where(std::move(where)) {}
    std::string where;
};

// A text that is not JSON; what() says why and where ("syntax error while parsing value -
// invalid literal; last read: 'tru,'", as nlohmann words it).
struct malformed_json : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class json_kind { null, boolean, string, integer, floating, array, object };

// One value of a parsed text as the loader reads it; a small handle, valid while its
// scene_json lives.
class json_value {
public:
    json_value() = default;
    explicit json_value(simdjson::dom::element e) : e(e) {}

    json_kind kind() const;
    bool is_object() const { return kind() == json_kind::object; }
    bool is_array() const { return kind() == json_kind::array; }
    bool is_string() const { return kind() == json_kind::string; }
    bool is_boolean() const { return kind() == json_kind::boolean; }
    bool is_number() const { return kind() == json_kind::integer || kind() == json_kind::floating; }
    bool is_number_integer() const { return kind() == json_kind::integer; }

    // Arrays: the number of elements; objects: of members; else 0.
    std::size_t size() const;
    // Arrays: the elements in order (simdjson reaches an element by walking, not by index).
    simdjson::dom::array elements() const { return e.get_array().value(); }
    // Objects: whether key is a member, and the member (which must exist).
    bool contains(char const* key) const { return !e.at_key(key).error(); }
    json_value operator[](char const* key) const { return json_value(e.at_key(key).value()); }
    // Objects: the keys in sorted order (the order the loader reports unknown keys in).
    std::vector<std::string_view> sorted_keys() const;

    bool get_bool() const { return e.get_bool().value(); }
    double get_double() const { return e.get_double().value(); }      // any number
    long long get_integer() const;                                     // integer numbers
    std::string get_string() const { return std::string(e.get_string().value()); }

private:
    simdjson::dom::element e;
};

class scene_json {
public:
    // Parses text whole (strict: nothing but blanks after the value). The text is copied
    // unless its capacity leaves simdjson's padding after it. Throws duplicate_key,
    // number_overflow, malformed_json.
    explicit scene_json(std::string const& text);
    // Valid while this lives.
    json_value root() const { return json_value(document.root()); }

private:
    simdjson::dom::document document;
};

}  // namespace host
