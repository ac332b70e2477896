#include "files/scene_json.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace host {

namespace {

// Arrays and objects nest at most this deep: room for the deepest tree of parts the loader
// takes (two levels a part) and far beyond.
std::size_t const max_depth = 100000;

// The place after the value at: past a container's values, or the next one.
std::size_t after(std::vector<json_entry> const& values, std::size_t at) {
    json_kind kind = values[at].kind;
    return kind == json_kind::array || kind == json_kind::object ? values[at].end : at + 1;
}

// nlohmann's events written down as values in reading order. A key given twice and a number
// beyond a double are refused where the text first has them, named by their place; the
// parser keeps its own state on the heap, so deep nesting costs no stack.
class value_reader final : public nlohmann::json_sax<nlohmann::json> {
public:
    value_reader(std::vector<json_entry>& values, std::vector<std::string>& texts)
        : values(values), texts(texts) {}

    bool null() override {
        add(json_kind::null);
        return true;
    }
    bool boolean(bool b) override {
        add(json_kind::boolean).boolean = b;
        return true;
    }
    bool number_integer(number_integer_t n) override {
        add(json_kind::integer).integer = n;
        return true;
    }
    bool number_unsigned(number_unsigned_t n) override {
        json_entry& entry = add(json_kind::integer);
        entry.is_unsigned = true;
        entry.natural = n;
        return true;
    }
    bool number_float(number_float_t d, string_t const&) override {
        add(json_kind::floating).number = d;
        return true;
    }
    bool string(string_t& s) override {
        add_text(s);
        return true;
    }
    bool binary(binary_t&) override { return null(); }  // not in a JSON text
    bool start_object(std::size_t) override { return open_container(json_kind::object); }
    bool key(string_t& key) override {
        std::size_t object = open.back();
        for (std::size_t i = object + 1; i < values.size(); i = after(values, i + 1))
            if (texts[values[i].text] == key) throw duplicate_key(path(open.size() - 1), key);
        add_text(key);
        return true;
    }
    bool end_object() override { return close_container(); }
    bool start_array(std::size_t) override { return open_container(json_kind::array); }
    bool end_array() override { return close_container(); }
    bool parse_error(std::size_t, std::string const&, nlohmann::detail::exception const& e) override {
        if (e.id == 406) throw number_overflow(path(open.size()));
        std::string what = e.what();
        auto start = what.find("] ");
        throw malformed_json(start == std::string::npos ? what : what.substr(start + 2));
    }

    std::size_t deepest = 0;  // the deepest nesting

private:
    json_entry& add(json_kind kind) {
        values.push_back(json_entry{});
        values.back().kind = kind;
        return values.back();
    }
    void add_text(string_t& s) {
        add(json_kind::string).text = texts.size();
        texts.push_back(std::move(s));
    }
    bool open_container(json_kind kind) {
        open.push_back(values.size());
        add(kind);
        deepest = std::max(deepest, open.size());
        return true;
    }
    bool close_container() {
        values[open.back()].end = values.size();
        open.pop_back();
        return true;
    }

    // The way through the outer depth open containers to the value being read in the
    // innermost of them: per array its index, per object its key, e.g. shapes[0]/center[1].
    std::string path(std::size_t depth) const {
        std::string out;
        for (std::size_t level = 0; level < depth; ++level) {
            // Values before the bound are whole; the one at it is being read.
            std::size_t bound = level + 1 < open.size() ? open[level + 1] : values.size();
            std::size_t i = open[level] + 1;
            if (values[open[level]].kind == json_kind::array) {
                std::size_t index = 0;
                for (; i < bound; i = after(values, i)) ++index;
                out += "[" + std::to_string(index) + "]";
            } else {
                while (i + 1 < bound) i = after(values, i + 1);
                out += (out.empty() ? "" : "/") + texts[values[i].text];
            }
        }
        return out.empty() ? "top level" : out;
    }

    std::vector<json_entry>& values;
    std::vector<std::string>& texts;
    std::vector<std::size_t> open;  // the places of the containers being read
};

}  // namespace

json_entry const& json_value::entry() const { return document->values[at]; }

json_value::iterator& json_value::iterator::operator++() {
    at = document->next(at);
    return *this;
}

json_value::range json_value::elements() const {
    return {iterator(*document, at + 1), iterator(*document, entry().end)};
}

std::size_t json_value::size() const {
    if (!is_array() && !is_object()) return 0;
    std::size_t count = 0;
    for (std::size_t i = at + 1; i < entry().end; i = document->next(i)) ++count;
    return is_object() ? count / 2 : count;  // an object's keys were counted too
}

std::size_t json_value::find(char const* key) const {
    for (std::size_t i = at + 1; i < entry().end; i = document->next(i + 1))
        if (document->texts[document->values[i].text] == key) return i + 1;
    return 0;
}

bool json_value::contains(char const* key) const { return find(key) != 0; }

json_value json_value::operator[](char const* key) const { return json_value(*document, find(key)); }

std::vector<std::string_view> json_value::sorted_keys() const {
    std::vector<std::string_view> keys;
    for (std::size_t i = at + 1; i < entry().end; i = document->next(i + 1))
        keys.push_back(document->texts[document->values[i].text]);
    std::sort(keys.begin(), keys.end());
    return keys;
}

double json_value::get_double() const {
    json_entry const& e = entry();
    if (e.kind == json_kind::floating) return e.number;
    return e.is_unsigned ? static_cast<double>(e.natural) : static_cast<double>(e.integer);
}

long long json_value::get_integer() const {
    json_entry const& e = entry();
    return e.is_unsigned ? static_cast<long long>(e.natural) : e.integer;
}

std::string json_value::get_string() const { return document->texts[entry().text]; }

std::size_t scene_json::next(std::size_t at) const { return after(values, at); }

scene_json::scene_json(std::string const& text) {
    value_reader reader(values, texts);
    nlohmann::json::sax_parse(text.data(), text.data() + text.size(), &reader);
    if (reader.deepest > max_depth)
        throw malformed_json("nested deeper than " + std::to_string(max_depth) + " levels");
}

}  // namespace host
