#include "scene_files/scene_json.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <nlohmann/json.hpp>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

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

// A parser's events written down as values in reading order; each returns true, the
// parsers' word for "go on". A key given twice is refused where the text first has it, named
// by its object; both parsers keep their own state on the heap, so deep nesting costs no
// stack.
class value_list {
public:
    value_list(std::vector<json_entry>& values, std::vector<std::string>& texts)
        : values(values), texts(texts) {}

    // Back to no values, for another parser's reading.
    void clear() {
        values.clear();
        texts.clear();
        open.clear();
        deepest = 0;
    }

    bool null() {
        add(json_kind::null);
        return true;
    }
    bool boolean(bool b) {
        add(json_kind::boolean).boolean = b;
        return true;
    }
    bool integer(long long n) {
        add(json_kind::integer).integer = n;
        return true;
    }
    bool natural(unsigned long long n) {
        json_entry& entry = add(json_kind::integer);
        entry.is_unsigned = true;
        entry.natural = n;
        return true;
    }
    bool number(double d) {
        add(json_kind::floating).number = d;
        return true;
    }
    bool text(std::string s) {
        add(json_kind::string).text = texts.size();
        texts.push_back(std::move(s));
        return true;
    }
    bool key(std::string key) {
        for (std::size_t i = open.back() + 1; i < values.size(); i = after(values, i + 1))
            if (texts[values[i].text] == key) throw duplicate_key(path(open.size() - 1), key);
        return text(std::move(key));
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

    // The way to the value being read, e.g. shapes[0]/center[1].
    std::string path() const { return path(open.size()); }

    std::size_t deepest = 0;  // the deepest nesting

private:
    json_entry& add(json_kind kind) {
        values.push_back(json_entry{});
        values.back().kind = kind;
        return values.back();
    }

    // The way through the outer depth open containers to the value being read in the
    // innermost of them: per array its index, per object its key.
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

// A JSON number whose digits make an integer up to 2^53 and whose power of ten is at most
// 22 as a double: both are exact doubles, so one multiplication or division rounds it once,
// correctly, as strtod would (a power up to 37 is split, when the digits times the rest stay
// exact); false for any other number. Done here because the 32-bit MinGW library's
// std::from_chars takes this path in x87 registers, which round twice (9.0135568e26 came
// out one bit off); this build's arithmetic is SSE's.
static_assert(FLT_EVAL_METHOD == 0, "doubles are computed in double precision");
bool short_decimal(char const* text, char const* end, double& out) {
    static double const powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    unsigned long long const exact = 1ull << 53;  // every integer up to it is an exact double
    bool const negative = *text == '-';
    char const* at = text + negative;
    unsigned long long digits = 0;
    int exponent = 0;  // the power of ten of the last digit
    bool fraction = false;
    for (; at != end && *at != 'e' && *at != 'E'; ++at) {
        if (*at == '.') {
            fraction = true;
            continue;
        }
        digits = digits * 10 + static_cast<unsigned>(*at - '0');
        if (digits > exact) return false;
        exponent -= fraction;
    }
    if (at != end) {
        bool const minus = *++at == '-';
        if (*at == '-' || *at == '+') ++at;
        if (end - at > 2) return false;
        int written = 0;
        for (; at != end; ++at) written = written * 10 + (*at - '0');
        exponent += minus ? -written : written;
    }
    for (; exponent > 22; --exponent) {
        if (digits > exact / 10) return false;
        digits *= 10;
    }
    if (exponent < -22) return false;
    double const magnitude = exponent < 0 ? static_cast<double>(digits) / powers[-exponent]
                                          : static_cast<double>(digits) * powers[exponent];
    out = negative ? -magnitude : magnitude;
    return true;
}

// RapidJSON's events (rapidjson-dev, header-only): the fast reading. It is strict JSON as
// nlohmann reads it except where a handler below declines (returns false), which stops the
// parse; the text is then read again by nlohmann (nlohmann_events), whose reading stands.
class rapidjson_events
    : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, rapidjson_events> {
public:
    explicit rapidjson_events(value_list& list) : list(list) {}

    bool Null() { return list.null(); }
    bool Bool(bool b) { return list.boolean(b); }
    // Numbers come as their text: RapidJSON 1.1.0's own conversion is not exact for every
    // decimal. Integers are read as nlohmann reads them: unsigned without a sign, signed with
    // one, and beyond 64 bits as a double; std::from_chars rounds a double once, correctly,
    // as strtod does for nlohmann.
    bool RawNumber(char const* text, rapidjson::SizeType length, bool) {
        char const* end = text + length;
        if (std::find_if(text, end, [](char c) { return c == '.' || c == 'e' || c == 'E'; }) ==
            end) {
            long long n;
            unsigned long long u;
            if (*text == '-' && std::from_chars(text, end, n).ec == std::errc())
                return list.integer(n);
            if (*text != '-' && std::from_chars(text, end, u).ec == std::errc())
                return list.natural(u);
        }
        // Declined when it rounds to 0 or beyond a double: nlohmann reads the 0, or refuses.
        double d;
        return (short_decimal(text, end, d) || std::from_chars(text, end, d).ec == std::errc()) &&
               list.number(d);
    }
    bool String(char const* text, rapidjson::SizeType length, bool) {
        return !holds_surrogate(text, length) && list.text(std::string(text, length));
    }
    bool Key(char const* text, rapidjson::SizeType length, bool) {
        return !holds_surrogate(text, length) && list.key(std::string(text, length));
    }
    bool StartObject() { return list.open_container(json_kind::object); }
    bool EndObject(rapidjson::SizeType) { return list.close_container(); }
    bool StartArray() { return list.open_container(json_kind::array); }
    bool EndArray(rapidjson::SizeType) { return list.close_container(); }

private:
    // A UTF-16 surrogate written as UTF-8 (ED A0..BF): RapidJSON makes one of a lone "\udc00",
    // which nlohmann refuses; the input itself cannot hold it, its encoding is validated.
    static bool holds_surrogate(char const* text, std::size_t length) {
        for (std::size_t i = 0; i + 1 < length; ++i)
            if (text[i] == '\xED' && static_cast<unsigned char>(text[i + 1]) >= 0xA0) return true;
        return false;
    }

    value_list& list;
};

// nlohmann's events: the reading of a text RapidJSON did not take, with nlohmann's refusal:
// a syntax error in its words, or a number beyond a double named by its place.
class nlohmann_events final : public nlohmann::json_sax<nlohmann::json> {
public:
    explicit nlohmann_events(value_list& list) : list(list) {}

    bool null() override { return list.null(); }
    bool boolean(bool b) override { return list.boolean(b); }
    bool number_integer(number_integer_t n) override { return list.integer(n); }
    bool number_unsigned(number_unsigned_t n) override { return list.natural(n); }
    bool number_float(number_float_t d, string_t const&) override { return list.number(d); }
    bool string(string_t& s) override { return list.text(std::move(s)); }
    bool binary(binary_t&) override { return list.null(); }  // not in a JSON text
    bool start_object(std::size_t) override { return list.open_container(json_kind::object); }
    bool key(string_t& key) override { return list.key(std::move(key)); }
    bool end_object() override { return list.close_container(); }
    bool start_array(std::size_t) override { return list.open_container(json_kind::array); }
    bool end_array() override { return list.close_container(); }
    bool parse_error(std::size_t, std::string const&,
                     nlohmann::detail::exception const& e) override {
        if (e.id == 406) throw number_overflow(list.path());
        std::string what = e.what();
        auto start = what.find("] ");
        throw malformed_json(start == std::string::npos ? what : what.substr(start + 2));
    }

private:
    value_list& list;
};

// Whether RapidJSON read text whole into list. Strict: no comments, no trailing commas, no
// NaN; the encoding validated as nlohmann validates it.
bool read_fast(std::string const& text, value_list& list) {
    // A byte order mark is skipped, as nlohmann does.
    std::size_t const bom = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    // Bounded by the text's size: a string stream reads on to a NUL, and its encoding check
    // would read past the one that ends the text after a cut multi-byte character.
    rapidjson::MemoryStream stream(text.data() + bom, text.size() - bom);
    rapidjson_events events(list);
    rapidjson::Reader reader;
    constexpr unsigned flags = rapidjson::kParseIterativeFlag |
                               rapidjson::kParseNumbersAsStringsFlag |
                               rapidjson::kParseValidateEncodingFlag;
    // The reader ends the text at a NUL byte, as nlohmann does.
    return !reader.Parse<flags>(stream, events).IsError();
}

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
    value_list list(values, texts);
    if (!read_fast(text, list)) {
        list.clear();
        nlohmann_events events(list);
        nlohmann::json::sax_parse(text.data(), text.data() + text.size(), &events);
    }
    if (list.deepest > max_depth)
        throw malformed_json("nested deeper than " + std::to_string(max_depth) + " levels");
}

}  // namespace host
