// A parsed JSON document in a compact, read-only form, for scene files of millions of
// points: every value is 16 bytes in one array, short number arrays (points, matrices) are
// packed as plain doubles, object members are kept sorted by key (the order the checks
// report unknown keys in). Parsing uses nlohmann's SAX interface; a malformed text throws
// its nlohmann::json::parse_error, a key given twice in one object duplicate_key, a number
// beyond a double number_overflow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace host {

class json_document;

enum class json_kind { null, boolean, string, integer, unsigned_integer, floating, array, object };

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

// One value of a document; a small handle, valid while the document lives.
class json_value {
public:
    json_kind kind() const;
    bool is_object() const { return kind() == json_kind::object; }
    bool is_array() const { return kind() == json_kind::array; }
    bool is_string() const { return kind() == json_kind::string; }
    bool is_boolean() const { return kind() == json_kind::boolean; }
    bool is_number() const;
    bool is_number_integer() const;

    // Arrays: the number of elements; objects: of members; else 0.
    std::size_t size() const;
    // Element i of an array (i < size()).
    json_value operator[](std::size_t i) const;
    // Objects: whether key is a member, and the member (which must exist).
    bool contains(char const* key) const;
    json_value operator[](char const* key) const;
    // Objects: member i in key order (i < size()).
    std::string const& key(std::size_t i) const;
    json_value member(std::size_t i) const;

    bool get_bool() const;
    double get_double() const;      // any number
    long long get_integer() const;  // integer numbers (an unsigned one converted)
    std::string const& get_string() const;

private:
    friend class json_document;
    json_value(json_document const* doc, std::uint32_t slot, std::int32_t element)
        : doc(doc), slot(slot), element(element) {}
    int find(char const* key) const;
    json_document const* doc;
    std::uint32_t slot;    // the value's node, or the packed array's
    std::int32_t element;  // an element of a packed number array, or -1
};

class json_document {
public:
    // Parses text whole (strict: nothing but blanks after the value).
    explicit json_document(std::string const& text);
    json_value root() const { return {this, root_node, -1}; }

    // The building blocks, public for the parser in json_document.cpp.
    enum class tag : std::uint8_t {
        null, boolean, string, integer, unsigned_integer, floating, array, object, packed
    };
    struct node {
        tag type = tag::null;
        std::uint16_t integer_mask = 0;  // packed: which elements were written as integers
        std::uint32_t size = 0;          // arrays, objects, packed: the element count
        union {
            bool boolean;
            long long integer;
            unsigned long long unsigned_integer;
            double floating;
            std::uint32_t string;  // index into strings
            struct {
                std::uint32_t first;      // first element in nodes, members or numbers
                std::uint32_t first_key;  // objects: first key in keys
            } children;
        };
        node() : integer(0) {}
    };
    std::vector<node> nodes;
    std::vector<std::uint32_t> keys;  // object member keys, index into strings
    std::vector<double> numbers;      // elements of packed arrays
    std::vector<std::string> strings;
    std::uint32_t root_node = 0;

private:
    friend class json_value;
    json_document();
};

// The accessors the loader calls for every number, inline.

inline json_kind json_value::kind() const {
    json_document::node const& n = doc->nodes[slot];
    if (element >= 0)
        return (n.integer_mask >> element) & 1 ? json_kind::integer : json_kind::floating;
    switch (n.type) {
    case json_document::tag::null: return json_kind::null;
    case json_document::tag::boolean: return json_kind::boolean;
    case json_document::tag::string: return json_kind::string;
    case json_document::tag::integer: return json_kind::integer;
    case json_document::tag::unsigned_integer: return json_kind::unsigned_integer;
    case json_document::tag::floating: return json_kind::floating;
    case json_document::tag::array:
    case json_document::tag::packed: return json_kind::array;
    case json_document::tag::object: return json_kind::object;
    }
    return json_kind::null;
}

inline bool json_value::is_number() const {
    json_kind k = kind();
    return k == json_kind::integer || k == json_kind::unsigned_integer || k == json_kind::floating;
}

inline bool json_value::is_number_integer() const {
    json_kind k = kind();
    return k == json_kind::integer || k == json_kind::unsigned_integer;
}

inline std::size_t json_value::size() const {
    if (element >= 0) return 0;
    json_document::node const& n = doc->nodes[slot];
    using tag = json_document::tag;
    return n.type == tag::array || n.type == tag::object || n.type == tag::packed ? n.size : 0;
}

inline json_value json_value::operator[](std::size_t i) const {
    json_document::node const& n = doc->nodes[slot];
    if (n.type == json_document::tag::packed) return {doc, slot, static_cast<std::int32_t>(i)};
    return {doc, static_cast<std::uint32_t>(n.children.first + i), -1};
}

inline bool json_value::get_bool() const { return doc->nodes[slot].boolean; }

inline double json_value::get_double() const {
    json_document::node const& n = doc->nodes[slot];
    if (element >= 0) return doc->numbers[n.children.first + element];
    switch (n.type) {
    case json_document::tag::integer: return static_cast<double>(n.integer);
    case json_document::tag::unsigned_integer: return static_cast<double>(n.unsigned_integer);
    default: return n.floating;
    }
}

}  // namespace host
