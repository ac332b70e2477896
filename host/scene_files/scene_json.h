// A scene file's JSON text, read with RapidJSON's SAX reader (rapidjson-dev) into one flat
// list of values in reading order: a file of a million points costs 16 bytes a value, not a
// document of nodes. A text RapidJSON does not take is read by nlohmann's parser
// (nlohmann-json3-dev), whose reading and refusals have always been the loader's. Either
// reading refuses what a scene file may not hold and JSON allows: a key given twice in one
// object.
#pragma once

#include <cstddef>
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

enum class json_kind : unsigned char { null, boolean, string, integer, floating, array, object };

// One value of the text. Arrays hold their elements after them, objects their members as
// a key (a string) and its value; end is the place after a container's last value.
struct json_entry {
    json_kind kind;
    bool is_unsigned;  // integers: read as unsigned (as nlohmann reads one without a sign)
    union {
        bool boolean;
        long long integer;
        unsigned long long natural;
        double number;
        std::size_t text;  // strings and keys: the index of their text
        std::size_t end;   // arrays and objects
    };
};

class scene_json;

// One value of a parsed text as the loader reads it; a small handle, valid while its
// scene_json lives.
class json_value {
public:
    json_value() = default;
    json_value(scene_json const& document, std::size_t at) : document(&document), at(at) {}

    json_kind kind() const { return entry().kind; }
    bool is_object() const { return kind() == json_kind::object; }
    bool is_array() const { return kind() == json_kind::array; }
    bool is_string() const { return kind() == json_kind::string; }
    bool is_boolean() const { return kind() == json_kind::boolean; }
    bool is_number() const { return kind() == json_kind::integer || kind() == json_kind::floating; }
    bool is_number_integer() const { return kind() == json_kind::integer; }

    // The elements of an array in order, as for (json_value each : value.elements()).
    class iterator {
    public:
        iterator(scene_json const& document, std::size_t at) : document(&document), at(at) {}
        json_value operator*() const { return json_value(*document, at); }
        iterator& operator++();
        bool operator!=(iterator const& other) const { return at != other.at; }

    private:
        scene_json const* document;
        std::size_t at;
    };
    struct range {
        iterator first, last;
        iterator begin() const { return first; }
        iterator end() const { return last; }
    };
    range elements() const;

    // Arrays: the number of elements; objects: of members; else 0.
    std::size_t size() const;
    // Objects: whether key is a member, and the member (which must exist).
    bool contains(char const* key) const;
    json_value operator[](char const* key) const;
    // Objects: the keys in sorted order (the order the loader reports unknown keys in).
    std::vector<std::string_view> sorted_keys() const;

    bool get_bool() const { return entry().boolean; }
    double get_double() const;     // any number
    long long get_integer() const;  // integer numbers
    std::string get_string() const;

private:
    json_entry const& entry() const;
    // Objects: the place of key's value, or 0 when it is not a member.
    std::size_t find(char const* key) const;

    scene_json const* document = nullptr;
    std::size_t at = 0;
};

class scene_json {
public:
    // Parses text whole (strict: nothing but blanks after the value). Throws duplicate_key,
    // number_overflow, malformed_json.
    explicit scene_json(std::string const& text);
    // Valid while this lives.
    json_value root() const { return json_value(*this, 0); }

private:
    friend class json_value;
    // The place after the value at.
    std::size_t next(std::size_t at) const;

    std::vector<json_entry> values;
    std::vector<std::string> texts;
};

}  // namespace host
