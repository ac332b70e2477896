#include "runner_view.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

#include "column_width.h"

namespace runner {

namespace {

int const pixels_per_column = 4;

// One character on screen: its UTF-8 bytes (with any combining marks after it) and its
// width in columns (2 for the wide characters of the Japanese texts).
struct glyph {
    std::string bytes;
    int width;
};

using glyphs_t = std::vector<glyph>;

// The code point of the UTF-8 sequence at text[at] and its length in bytes; 0 when the bytes
// there are not UTF-8 (a stray or missing continuation byte, a form longer than needed, a
// surrogate, beyond U+10FFFF).
std::size_t utf8_sequence(std::string const& text, std::size_t at, char32_t& code_point) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(at);
    if (lead < 0x80) {
        code_point = lead;
        return 1;
    }
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4 || at + length > text.size()) return 0;
    char32_t value = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        value = value << 6 | (byte(at + i) & 0x3F);
    }
    char32_t const smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    code_point = value;
    return length;
}

// The text as screen characters, their widths as a terminal draws them (Unicode's East
// Asian widths, column_width); a character of no width (a combining mark, a zero-width
// space) joins the one before it. Control characters and bytes that are not UTF-8 show "?".
glyphs_t glyphs(std::string const& text) {
    glyphs_t out;
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        std::size_t length = utf8_sequence(text, i, cp);
        if (length == 0 || cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) {
            out.push_back({"?", 1});
            i += std::max<std::size_t>(length, 1);
            continue;
        }
        std::string character = text.substr(i, length);
        i += length;
        int width = column_width(cp);
        if (width > 0)
            out.push_back({character, width});
        else if (!out.empty())
            out.back().bytes += character;
    }
    return out;
}

std::string joined(glyphs_t const& text) {
    std::string s;
    for (glyph const& g : text) s += g.bytes;
    return s;
}

int width_of(glyphs_t const& text) {
    int w = 0;
    for (glyph const& g : text) w += g.width;
    return w;
}

// A text as drawn in its place, and whether it had to be cut.
struct drawn_text {
    glyphs_t cells;
    bool cut = false;
};

// text in at most width columns, cut with "~" when too long.
drawn_text clip(std::string const& text, int width) {
    glyphs_t in = glyphs(text);
    drawn_text out;
    int used = 0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        bool last = i + 1 == in.size();
        int room = width - used - (last ? 0 : 1);  // keep a column for "~" unless last
        if (in[i].width > room) {
            if (used < width) out.cells.push_back({"~", 1});
            out.cut = true;
            break;
        }
        out.cells.push_back(in[i]);
        used += in[i].width;
    }
    return out;
}

// text in exactly width columns: clipped, then padded with blanks.
drawn_text fit(std::string const& text, int width, bool right_aligned) {
    drawn_text out = clip(text, width);
    glyphs_t pad(static_cast<std::size_t>(std::max(0, width - width_of(out.cells))), glyph{" ", 1});
    if (right_aligned) pad.swap(out.cells);
    out.cells.insert(out.cells.end(), pad.begin(), pad.end());
    return out;
}

std::string trimmed(std::string const& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string number_text(double value) {
    char text[32];
    float f = static_cast<float>(value);
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtof(text, nullptr) == f) break;
    }
    return text;
}

// What the control shows as text: its label, value or chosen entry.
std::string shown_text(host::control_state const& c) {
    switch (c.kind) {
    case host::control_kind::number: return c.value ? number_text(*c.value) : "";
    case host::control_kind::text_field: return trimmed(c.text);
    case host::control_kind::popup: {
        int index = c.value ? static_cast<int>(*c.value) : -1;
        return index >= 0 && index < static_cast<int>(c.items.size()) ? c.items[index] : "";
    }
    default: return c.text;
    }
}

// The control as it is drawn in width columns.
drawn_text draw_control(host::control_state const& c, int width) {
    std::string open = c.enabled ? "[" : "(", close = c.enabled ? "]" : ")";
    std::string text = shown_text(c);
    int inner = std::max(0, width - 2);
    drawn_text body;
    switch (c.kind) {
    case host::control_kind::button: body = fit(text, inner, false); break;
    case host::control_kind::number:
    case host::control_kind::text_field: body = fit(text, inner, true); break;
    case host::control_kind::checkbox:
        return fit(open + (c.value && *c.value != 0 ? "x" : " ") + close + " " + text, width, false);
    case host::control_kind::static_text: return fit(text, width, false);
    case host::control_kind::popup:
        body = fit(text, std::max(0, inner - 1), false);
        body.cells.push_back({"v", 1});
        open = c.enabled ? "<" : "(";
        close = c.enabled ? ">" : ")";
        break;
    }
    body.cells.insert(body.cells.begin(), glyph{open, 1});
    body.cells.push_back({close, 1});
    return body;
}

class text_line {
public:
    explicit text_line(int width) : cells(static_cast<std::size_t>(width), " ") {}
    int width() const { return static_cast<int>(cells.size()); }
    // Writes the glyphs from column at; callers fit them to the line. A wide glyph takes
    // its cell and leaves the next one empty; a glyph written over half of a wide one
    // blanks the other half, so that the columns stay in place.
    void put(int at, glyphs_t const& text) {
        for (glyph const& g : text) {
            if (at < 0 || at + g.width > width()) break;
            for (int k = 0; k < g.width; ++k) blank(at + k);
            cells[at] = g.bytes;
            if (g.width == 2) cells[at + 1] = "";
            at += g.width;
        }
    }
    std::string str() const {
        std::string s;
        for (std::string const& c : cells) s += c;
        return s;
    }

private:
    void blank(int at) {
        if (cells[at].empty())
            cells[at - 1] = " ";  // the right half of a wide glyph
        else if (at + 1 < width() && cells[at + 1].empty())
            cells[at + 1] = " ";  // a wide glyph starting here
        cells[at] = " ";
    }

    std::vector<std::string> cells;  // "" right of a wide glyph
};

}  // namespace

std::string draw_window(host::window_state const& window, bool notes) {
    int width = std::max(8, (window.client.x + pixels_per_column - 1) / pixels_per_column);
    std::vector<host::control_state const*> drawn;
    std::set<int> tops;
    for (host::control_state const& c : window.controls)
        if (c.shown && c.y < window.client.y) {
            drawn.push_back(&c);
            tops.insert(c.y);
        }
    std::stable_sort(drawn.begin(), drawn.end(),
                     [](host::control_state const* a, host::control_state const* b) { return a->x < b->x; });

    std::string cut_notes;
    auto note = [&](drawn_text const& shown, std::string const& full) {
        if (shown.cut)
            cut_notes += "~ \"" + trimmed(joined(shown.cells)) + "\" is \"" + joined(glyphs(full)) + "\"\n";
    };

    text_line top(width + 2);
    top.put(0, glyphs("+" + std::string(static_cast<std::size_t>(width), '-') + "+"));
    if (!window.title.empty()) {
        drawn_text title = clip(" " + window.title + " ", width - 2);
        top.put(2, title.cells);
        note(title, window.title);
    }
    std::string out = top.str() + (window.shown ? "" : "  (hidden)") + "\n";
    for (int y : tops) {
        text_line line(width);
        std::vector<host::control_state const*> row;
        for (host::control_state const* c : drawn)
            if (c->y == y) row.push_back(c);
        for (std::size_t i = 0; i < row.size(); ++i) {
            host::control_state const& c = *row[i];
            int from = std::max(0, c.x / pixels_per_column);
            int to = (c.x + c.w) / pixels_per_column;
            // Narrow controls get room for their brackets; none runs into the next one
            // or past the right edge, where its text would vanish unmarked.
            int columns = std::max(3, to - from);
            if (i + 1 < row.size() && row[i + 1]->x / pixels_per_column > from)
                columns = std::min(columns, row[i + 1]->x / pixels_per_column - from);
            columns = std::min(columns, width - from);
            if (columns <= 0) {
                note(drawn_text{{}, true}, shown_text(c));  // wholly beyond the right edge
                continue;
            }
            drawn_text shown = draw_control(c, columns);
            line.put(from, shown.cells);
            note(shown, shown_text(c));
        }
        out += "|" + line.str() + "|\n";
    }
    out += "+" + std::string(static_cast<std::size_t>(width), '-') + "+\n";
    return notes ? out + cut_notes : out;
}

}  // namespace runner
