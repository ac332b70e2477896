#include "files/json_document.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>
#include <numeric>

namespace host {

namespace {

using node = json_document::node;
using tag = json_document::tag;

// Builds the document while the parser reads: the values of open arrays and objects wait
// on a stack and move into the document, contiguous, when their container closes.
class builder final : public nlohmann::json_sax<nlohmann::json> {
public:
    // values: an upper bound of the values in the text (see json_document's constructor).
    builder(json_document& doc, std::size_t values) : doc(doc) {
        doc.nodes.reserve(values);
        doc.numbers.reserve(values);
        pending.reserve(values);
    }

    bool null() override { return add(node{}); }
    bool boolean(bool value) override {
        node n;
        n.type = tag::boolean;
        n.boolean = value;
        return add(n);
    }
    bool number_integer(number_integer_t value) override {
        node n;
        n.type = tag::integer;
        n.integer = value;
        return add(n);
    }
    bool number_unsigned(number_unsigned_t value) override {
        node n;
        n.type = tag::unsigned_integer;
        n.unsigned_integer = value;
        return add(n);
    }
    bool number_float(number_float_t value, string_t const&) override {
        node n;
        n.type = tag::floating;
        n.floating = value;
        return add(n);
    }
    bool string(string_t& value) override {
        node n;
        n.type = tag::string;
        n.string = intern(value);
        return add(n);
    }
    bool binary(binary_t&) override { return add(node{}); }

    bool start_object(std::size_t) override { return open(false); }
    bool key(string_t& value) override {
        frame& top = frames.back();
        std::uint32_t k = intern(value);
        for (std::size_t i = top.first_key; i < pending_keys.size(); ++i)
            if (doc.strings[pending_keys[i]] == value) throw duplicate_key(where(), value);
        pending_keys.push_back(k);
        top.key = k;
        return true;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(true); }
    bool end_array() override { return close(); }

    bool parse_error(std::size_t, std::string const&,
                     nlohmann::detail::exception const& e) override {
        if (auto const* malformed = dynamic_cast<nlohmann::json::parse_error const*>(&e))
            throw *malformed;
        if (e.id == 406) throw number_overflow(value_path());
        throw std::runtime_error(e.what());
    }

    void finish() {
        doc.root_node = static_cast<std::uint32_t>(doc.nodes.size());
        doc.nodes.push_back(pending.at(0));
    }

private:
    struct frame {
        bool is_array;
        std::size_t first;      // its first value on the pending stack
        std::size_t first_key;  // objects: its first key on the pending keys
        std::uint32_t key = 0;  // objects: the key being read
        long index = -1;        // arrays: the element being read
    };

    std::uint32_t intern(std::string const& text) {
        doc.strings.push_back(text);
        return static_cast<std::uint32_t>(doc.strings.size() - 1);
    }

    void next_element() {
        if (!frames.empty() && frames.back().is_array) ++frames.back().index;
    }

    bool add(node const& n) {
        next_element();
        pending.push_back(n);
        return true;
    }

    bool open(bool is_array) {
        next_element();
        frames.push_back({is_array, pending.size(), pending_keys.size()});
        return true;
    }

    bool close() {
        frame top = frames.back();
        frames.pop_back();
        std::size_t count = pending.size() - top.first;
        node n;
        n.size = static_cast<std::uint32_t>(count);
        if (top.is_array && pack(top.first, count, n)) {
        } else if (top.is_array) {
            n.type = tag::array;
            n.children.first = static_cast<std::uint32_t>(doc.nodes.size());
            doc.nodes.insert(doc.nodes.end(), pending.begin() + top.first, pending.end());
        } else {
            n.type = tag::object;
            n.children.first = static_cast<std::uint32_t>(doc.nodes.size());
            n.children.first_key = static_cast<std::uint32_t>(doc.keys.size());
            // Members in key order, as a std::map keeps them.
            order.resize(count);
            std::iota(order.begin(), order.end(), std::size_t{0});
            std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
                return doc.strings[pending_keys[top.first_key + a]] <
                       doc.strings[pending_keys[top.first_key + b]];
            });
            for (std::size_t i : order) {
                doc.nodes.push_back(pending[top.first + i]);
                doc.keys.push_back(pending_keys[top.first_key + i]);
            }
            pending_keys.resize(top.first_key);
        }
        pending.resize(top.first);
        pending.push_back(n);
        return true;
    }

    // Up to 16 numbers, integers among them exact as doubles: kept as plain doubles.
    bool pack(std::size_t first, std::size_t count, node& n) {
        if (count == 0 || count > 16) return false;
        std::uint16_t mask = 0;
        for (std::size_t i = 0; i < count; ++i) {
            node const& e = pending[first + i];
            bool exact = (e.type == tag::integer && std::llabs(e.integer) <= (1LL << 53)) ||
                         (e.type == tag::unsigned_integer && e.unsigned_integer <= (1ULL << 53));
            if (exact) mask = static_cast<std::uint16_t>(mask | (1u << i));
            else if (e.type != tag::floating) return false;
        }
        n.type = tag::packed;
        n.integer_mask = mask;
        n.children.first = static_cast<std::uint32_t>(doc.numbers.size());
        for (std::size_t i = 0; i < count; ++i) {
            node const& e = pending[first + i];
            double value = e.type == tag::floating ? e.floating
                           : e.type == tag::integer ? static_cast<double>(e.integer)
                                                    : static_cast<double>(e.unsigned_integer);
            doc.numbers.push_back(value);
        }
        return true;
    }

    // The path of the innermost object, e.g. shapes[0]/points[1].
    std::string where() const { return path(frames.size() - 1, 0); }
    // The path of the value being read, e.g. shapes[0]/center[1].
    std::string value_path() const { return path(frames.size(), 1); }

    std::string path(std::size_t depth, long ahead) const {
        std::string text;
        for (std::size_t i = 0; i < depth; ++i) {
            long index = frames[i].index + (i + 1 == depth ? ahead : 0);
            text += frames[i].is_array ? "[" + std::to_string(index) + "]"
                                       : (text.empty() ? "" : "/") + doc.strings[frames[i].key];
        }
        return text.empty() ? "top level" : text;
    }

    json_document& doc;
    std::vector<node> pending;
    std::vector<std::uint32_t> pending_keys;
    std::vector<frame> frames;
    std::vector<std::size_t> order;
};

// The common case read quickly: plain JSON whose texts are printable ASCII without escapes.
// It sends the builder the same events, at the same moments, as nlohmann's parser would;
// at anything else (an escape, other bytes, a syntax error, a number out of range) it
// answers false and the caller starts over with nlohmann's parser, whose values and
// messages are the reference.
class fast_reader {
public:
    fast_reader(std::string const& text, builder& b)
        : p(text.data()), end(text.data() + text.size()), b(b) {}

    bool read() {
        std::vector<bool> in_object;  // the open containers, innermost last
        skip_blanks();
    value:
        switch (peek()) {
        case '{':
            ++p;
            b.start_object(std::size_t(-1));
            skip_blanks();
            if (peek() == '}') {
                ++p;
                b.end_object();
                goto after_value;
            }
            in_object.push_back(true);
            goto key;
        case '[':
            ++p;
            b.start_array(std::size_t(-1));
            skip_blanks();
            if (peek() == ']') {
                ++p;
                b.end_array();
                goto after_value;
            }
            in_object.push_back(false);
            goto value;
        case '"':
            if (!read_string()) return false;
            b.string(scratch);
            goto after_value;
        case 't':
            if (!literal("true")) return false;
            b.boolean(true);
            goto after_value;
        case 'f':
            if (!literal("false")) return false;
            b.boolean(false);
            goto after_value;
        case 'n':
            if (!literal("null")) return false;
            b.null();
            goto after_value;
        default:
            if (!read_number()) return false;
            goto after_value;
        }
    key:
        skip_blanks();
        if (peek() != '"' || !read_string()) return false;
        b.key(scratch);
        skip_blanks();
        if (peek() != ':') return false;
        ++p;
        skip_blanks();
        goto value;
    after_value:
        skip_blanks();
        if (in_object.empty()) return p == end;
        if (peek() == ',') {
            ++p;
            skip_blanks();
            if (in_object.back()) goto key;
            goto value;
        }
        if (peek() == (in_object.back() ? '}' : ']')) {
            ++p;
            in_object.back() ? b.end_object() : b.end_array();
            in_object.pop_back();
            goto after_value;
        }
        return false;
    }

private:
    char peek() const { return p < end ? *p : '\0'; }
    static bool digit(char c) { return c >= '0' && c <= '9'; }
    void skip_blanks() {
        while (p < end && (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t')) ++p;
    }

    bool literal(char const* word) {
        std::size_t n = std::strlen(word);
        if (static_cast<std::size_t>(end - p) < n || std::memcmp(p, word, n) != 0) return false;
        p += n;
        return true;
    }

    bool read_string() {
        char const* start = ++p;
        while (p < end && *p != '"') {
            auto c = static_cast<unsigned char>(*p);
            if (c < 0x20 || c >= 0x80 || c == '\\') return false;
            ++p;
        }
        if (p == end) return false;
        scratch.assign(start, p);
        ++p;
        return true;
    }

    // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?, typed as nlohmann types it: an
    // integer without a sign is unsigned, one with a minus signed, one that fits neither
    // a double.
    //
    // A decimal of at most 15 digits with a power of ten up to 22 either way is converted
    // while it is read: the digits and the power are exact doubles, so one multiplication
    // or division rounds correctly, to the value strtod gives. Most coordinates are such
    // decimals; any other goes through from_chars.
    bool read_number() {
        static double const powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        char const* start = p;
        unsigned long long digits = 0;
        int count = 0, scale = 0;
        auto take = [&](bool fraction) {
            if (fraction) --scale;
            if (digits == 0 && *p == '0') return;
            if (++count <= 15) digits = digits * 10 + static_cast<unsigned>(*p - '0');
        };
        bool negative = peek() == '-';
        if (negative) ++p;
        if (peek() == '0') {
            ++p;
        } else if (digit(peek())) {
            for (; digit(peek()); ++p) take(false);
        } else {
            return false;
        }
        bool floating = false;
        if (peek() == '.') {
            ++p;
            if (!digit(peek())) return false;
            for (; digit(peek()); ++p) take(true);
            floating = true;
        }
        if (peek() == 'e' || peek() == 'E') {
            ++p;
            bool down = peek() == '-';
            if (peek() == '+' || peek() == '-') ++p;
            if (!digit(peek())) return false;
            int exponent = 0;
            for (; digit(peek()); ++p)
                if (exponent <= 100) exponent = exponent * 10 + (*p - '0');
            if (exponent > 100) count = 16;  // far out of the quick range: from_chars
            scale += down ? -exponent : exponent;
            floating = true;
        }
        if (!floating) {
            if (negative) {
                long long value = 0;
                if (std::from_chars(start, p, value).ec == std::errc())
                    return b.number_integer(value);
            } else {
                unsigned long long value = 0;
                if (std::from_chars(start, p, value).ec == std::errc())
                    return b.number_unsigned(value);
            }
        }
        double value = 0;
        if (count <= 15 && scale >= -22 && scale <= 22) {
            double d = static_cast<double>(digits);
            d = scale < 0 ? d / powers[-scale] : d * powers[scale];
            value = negative ? -d : d;
        } else if (std::from_chars(start, p, value).ec != std::errc()) {
            return false;
        }
        return b.number_float(value, scratch);
    }

    char const* p;
    char const* end;
    builder& b;
    std::string scratch;
};

}  // namespace

json_document::json_document(std::string const& text) {
    // Every value but the first follows a comma: room for that many values is reserved
    // up front, so the arrays never grow by copying. Room not filled is never touched and
    // costs no memory.
    std::size_t values = static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) + 1;
    {
        builder b(*this, values);
        if (fast_reader(text, b).read()) {
            b.finish();
            return;
        }
    }
    *this = json_document();
    builder b(*this, values);
    nlohmann::json::sax_parse(text, &b);
    b.finish();
}

json_document::json_document() = default;

// ---- values ----

int json_value::find(char const* key) const {
    if (!is_object()) return -1;
    node const& n = doc->nodes[slot];
    for (std::uint32_t i = 0; i < n.size; ++i)
        if (doc->strings[doc->keys[n.children.first_key + i]] == key) return static_cast<int>(i);
    return -1;
}

bool json_value::contains(char const* key) const { return find(key) >= 0; }

json_value json_value::operator[](char const* key) const {
    int i = find(key);
    if (i < 0) throw std::logic_error(std::string("json_value: no member \"") + key + "\"");
    return member(static_cast<std::size_t>(i));
}

std::string const& json_value::key(std::size_t i) const {
    return doc->strings[doc->keys[doc->nodes[slot].children.first_key + i]];
}

json_value json_value::member(std::size_t i) const {
    return {doc, static_cast<std::uint32_t>(doc->nodes[slot].children.first + i), -1};
}



long long json_value::get_integer() const {
    node const& n = doc->nodes[slot];
    if (element >= 0) return static_cast<long long>(doc->numbers[n.children.first + element]);
    if (n.type == tag::unsigned_integer) return static_cast<long long>(n.unsigned_integer);
    return n.integer;
}

std::string const& json_value::get_string() const {
    return doc->strings[doc->nodes[slot].string];
}

}  // namespace host
