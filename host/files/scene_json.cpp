#include "files/scene_json.h"

#include <algorithm>
#include <new>
#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

namespace host {

namespace {

// Arrays and objects nest at most this deep: room for the deepest tree of parts the loader
// takes (two levels a part) and far beyond, at 9 bytes a level while parsing.
std::size_t const max_depth = 100000;

// The way into a value: per open container the element index or the member key.
class json_path {
public:
    void enter(bool is_array) { steps.push_back({is_array, -1, {}}); }
    void leave() { steps.pop_back(); }
    void at(long index) { steps.back().index = index; }
    void at(std::string_view key) { steps.back().key = key; }
    long index() const { return steps.back().index; }
    bool in_array() const { return !steps.empty() && steps.back().is_array; }

    // The innermost open object, e.g. shapes[0]/points[1].
    std::string object() const { return text(steps.size() - 1, 0); }
    // The value being read, e.g. shapes[0]/center[1], its index one past the last one read.
    std::string next_value() const { return text(steps.size(), 1); }

private:
    struct step {
        bool is_array;
        long index;
        std::string key;
    };
    std::string text(std::size_t depth, long ahead) const {
        std::string out;
        for (std::size_t i = 0; i < depth; ++i) {
            long index = steps[i].index + (i + 1 == depth ? ahead : 0);
            out += steps[i].is_array ? "[" + std::to_string(index) + "]"
                                     : (out.empty() ? "" : "/") + steps[i].key;
        }
        return out.empty() ? "top level" : out;
    }
    std::vector<step> steps;
};

// No key twice in one object, checked in reading order so that the first repeat of the
// text is the one reported; without recursion, as deep as simdjson reads.
void check_keys(simdjson::dom::element root) {
    using type = simdjson::dom::element_type;
    struct open_container {
        bool is_array;
        simdjson::dom::array::iterator element, elements_end;
        simdjson::dom::object::iterator member, members_end;
        std::vector<std::string_view> keys;  // objects: the keys read so far
    };
    std::vector<open_container> open;
    json_path path;
    auto enter = [&](simdjson::dom::element value) {
        if (value.type() == type::ARRAY) {
            simdjson::dom::array array = value.get_array().value_unsafe();
            open.push_back({true, array.begin(), array.end(), {}, {}, {}});
            path.enter(true);
        } else if (value.type() == type::OBJECT) {
            simdjson::dom::object object = value.get_object().value_unsafe();
            open.push_back({false, {}, {}, object.begin(), object.end(), {}});
            path.enter(false);
        }
    };
    enter(root);
    while (!open.empty()) {
        open_container& top = open.back();
        simdjson::dom::element next;
        if (top.is_array ? !(top.element != top.elements_end) : !(top.member != top.members_end)) {
            open.pop_back();
            path.leave();
            continue;
        }
        if (top.is_array) {
            path.at(path.index() + 1);
            next = *top.element;
            ++top.element;
        } else {
            std::string_view key = top.member.key();
            for (std::string_view seen : top.keys)
                if (seen == key) throw duplicate_key(path.object(), std::string(key));
            top.keys.push_back(key);
            path.at(key);
            next = top.member.value();
            ++top.member;
        }
        enter(next);
    }
}

// nlohmann's reading of a text simdjson refused: its refusal (a syntax error, a number
// beyond a double, or a key given twice before either, each where the text first has it),
// or for a text nlohmann takes (an integer beyond 64 bits, which it reads as a double) the
// text as nlohmann reads it, written out again for simdjson. Without recursion.
class nlohmann_reading final : public nlohmann::json_sax<nlohmann::json> {
public:
    bool null() override { return value("null"); }
    bool boolean(bool b) override { return value(b ? "true" : "false"); }
    bool number_integer(number_integer_t n) override { return value(std::to_string(n)); }
    bool number_unsigned(number_unsigned_t n) override { return value(std::to_string(n)); }
    bool number_float(number_float_t d, string_t const&) override { return value(nlohmann::json(d).dump()); }
    bool string(string_t& s) override { return value(nlohmann::json(s).dump()); }
    bool binary(binary_t&) override { return value("null"); }  // not in a JSON text
    bool start_object(std::size_t) override {
        value("{");
        path.enter(false);
        keys.emplace_back();
        deepest = std::max(deepest, ++depth);
        return true;
    }
    bool key(string_t& key) override {
        for (std::string const& seen : keys.back())
            if (seen == key) throw duplicate_key(path.object(), key);
        if (!keys.back().empty()) written += ',';
        keys.back().push_back(key);
        path.at(std::string_view(key));
        written += nlohmann::json(key).dump() + ':';
        return true;
    }
    bool end_object() override {
        keys.pop_back();
        return close('}');
    }
    bool start_array(std::size_t) override {
        value("[");
        path.enter(true);
        deepest = std::max(deepest, ++depth);
        return true;
    }
    bool end_array() override { return close(']'); }
    bool parse_error(std::size_t, std::string const&, nlohmann::detail::exception const& e) override {
        if (e.id == 406) throw number_overflow(path.next_value());
        std::string what = e.what();
        auto start = what.find("] ");
        throw malformed_json(start == std::string::npos ? what : what.substr(start + 2));
    }

    std::string written;    // the text as read
    std::size_t deepest = 0;  // the deepest nesting

private:
    bool value(std::string const& text) {
        if (path.in_array()) {
            if (path.index() >= 0) written += ',';
            path.at(path.index() + 1);
        }
        written += text;
        return true;
    }
    bool close(char bracket) {
        path.leave();
        --depth;
        written += bracket;
        return true;
    }
    json_path path;
    std::vector<std::vector<std::string>> keys;  // per open object, the keys read so far
    std::size_t depth = 0;
};

}  // namespace

json_kind json_value::kind() const {
    using type = simdjson::dom::element_type;
    switch (e.type()) {
    case type::ARRAY: return json_kind::array;
    case type::OBJECT: return json_kind::object;
    case type::INT64:
    case type::UINT64: return json_kind::integer;
    case type::DOUBLE: return json_kind::floating;
    case type::STRING: return json_kind::string;
    case type::BOOL: return json_kind::boolean;
    case type::NULL_VALUE: return json_kind::null;
    }
    return json_kind::null;
}

std::size_t json_value::size() const {
    // simdjson's count stops at 0xFFFFFF: a longer list is counted.
    std::size_t const saturated = 0xFFFFFF;
    std::size_t count = 0;
    if (is_array()) {
        simdjson::dom::array array = e.get_array().value_unsafe();
        if (array.size() < saturated) return array.size();
        for (auto i = array.begin(); i != array.end(); ++i) ++count;
    } else if (is_object()) {
        simdjson::dom::object object = e.get_object().value_unsafe();
        if (object.size() < saturated) return object.size();
        for (auto i = object.begin(); i != object.end(); ++i) ++count;
    }
    return count;
}

std::vector<std::string_view> json_value::sorted_keys() const {
    simdjson::dom::object object = e.get_object().value();
    std::vector<std::string_view> keys;
    for (simdjson::dom::key_value_pair member : object) keys.push_back(member.key);
    std::sort(keys.begin(), keys.end());
    return keys;
}

long long json_value::get_integer() const {
    if (e.type() == simdjson::dom::element_type::UINT64)
        return static_cast<long long>(e.get_uint64().value_unsafe());
    return e.get_int64().value();
}

scene_json::scene_json(std::string const& text) {
    {
        simdjson::dom::parser parser;
        if (!parser.allocate(text.size(), max_depth) &&
            !parser.parse_into_document(document, text).error()) {
            check_keys(document.root());
            return;
        }
    }
    // simdjson refused the text: nlohmann's reading says why, or gives it again as simdjson
    // takes it.
    nlohmann_reading reading;
    nlohmann::json::sax_parse(text, &reading);
    if (reading.deepest > max_depth)
        throw malformed_json("nested deeper than " + std::to_string(max_depth) + " levels");
    simdjson::dom::parser parser;
    if (parser.allocate(reading.written.size(), max_depth)) throw std::bad_alloc();
    if (auto error = parser.parse_into_document(document, reading.written).error())
        throw malformed_json(simdjson::error_message(error));
}

}  // namespace host
