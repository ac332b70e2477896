#include "runner_view.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

namespace host {

namespace {

int const pixels_per_column = 4;

// One character on screen: its UTF-8 bytes and its width in columns (2 for the wide
// characters of the Japanese texts).
struct glyph {
    std::string bytes;
    int width;
};

bool is_wide(unsigned cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
           (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
           (cp >= 0xFFE0 && cp <= 0xFFE6) || cp >= 0x20000;
}

std::vector<glyph> glyphs(std::string const& text) {
    std::vector<glyph> out;
    for (std::size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (i + length > text.size()) length = 1;
        unsigned cp = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        bool control_char = length == 1 && (lead < 0x20 || lead >= 0x7F);
        out.push_back({control_char ? std::string("?") : text.substr(i, length), is_wide(cp) ? 2 : 1});
        i += length;
    }
    return out;
}

// text in at most width columns, cut with "~" when too long.
std::vector<glyph> clip(std::string const& text, int width) {
    std::vector<glyph> in = glyphs(text), out;
    int used = 0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        bool last = i + 1 == in.size();
        int room = width - used - (last ? 0 : 1);  // keep a column for "~" unless last
        if (in[i].width > room) {
            if (used < width) out.push_back({"~", 1});
            break;
        }
        out.push_back(in[i]);
        used += in[i].width;
    }
    return out;
}

int width_of(std::vector<glyph> const& text) {
    int w = 0;
    for (glyph const& g : text) w += g.width;
    return w;
}

// text in exactly width columns: clipped, then padded with blanks.
std::vector<glyph> fit(std::string const& text, int width, bool right_aligned) {
    std::vector<glyph> out = clip(text, width);
    std::vector<glyph> pad(static_cast<std::size_t>(std::max(0, width - width_of(out))),
                           glyph{" ", 1});
    if (right_aligned) {
        pad.insert(pad.end(), out.begin(), out.end());
        return pad;
    }
    out.insert(out.end(), pad.begin(), pad.end());
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

// The control as it is drawn in width columns.
std::vector<glyph> draw_control(control_state const& c, int width) {
    std::string open = c.enabled ? "[" : "(", close = c.enabled ? "]" : ")";
    std::vector<glyph> body;
    int inner = std::max(0, width - 2);
    switch (c.kind) {
    case control_kind::button:
        body = fit(c.text, inner, false);
        break;
    case control_kind::number:
        body = fit(c.value ? number_text(*c.value) : "", inner, true);
        break;
    case control_kind::text_field:
        body = fit(trimmed(c.text), inner, true);
        break;
    case control_kind::checkbox:
        return fit(open + (c.value && *c.value != 0 ? "x" : " ") + close + " " + c.text, width, false);
    case control_kind::static_text:
        return fit(c.text, width, false);
    case control_kind::popup: {
        int index = c.value ? static_cast<int>(*c.value) : -1;
        std::string item = index >= 0 && index < static_cast<int>(c.items.size()) ? c.items[index] : "";
        body = fit(item, std::max(0, inner - 1), false);
        body.push_back({"v", 1});
        open = c.enabled ? "<" : "(";
        close = c.enabled ? ">" : ")";
        break;
    }
    }
    body.insert(body.begin(), glyph{open, 1});
    body.push_back({close, 1});
    return body;
}

class text_line {
public:
    explicit text_line(int width) : cells(static_cast<std::size_t>(width), " ") {}
    // Writes the glyphs from column at, clipped at the line's end; a wide glyph takes its
    // cell and leaves the next one empty.
    void put(int at, std::vector<glyph> const& text) {
        for (glyph const& g : text) {
            if (at < 0 || at + g.width > static_cast<int>(cells.size())) break;
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
    std::vector<std::string> cells;
};

}  // namespace

std::string draw_window(window_state const& window) {
    int width = std::max(8, (window.client.x + pixels_per_column - 1) / pixels_per_column);
    std::vector<control_state const*> drawn;
    std::set<int> tops;
    for (control_state const& c : window.controls)
        if (c.shown && c.y < window.client.y) {
            drawn.push_back(&c);
            tops.insert(c.y);
        }

    text_line top(width + 2);
    top.put(0, glyphs("+" + std::string(static_cast<std::size_t>(width), '-') + "+"));
    if (!window.title.empty()) top.put(2, clip(" " + window.title + " ", width - 2));
    std::string out = top.str() + (window.shown ? "" : "  (hidden)") + "\n";
    for (int y : tops) {
        text_line line(width);
        for (control_state const* c : drawn) {
            if (c->y != y) continue;
            int from = c->x / pixels_per_column;
            int to = (c->x + c->w) / pixels_per_column;
            line.put(from, draw_control(*c, std::max(3, to - from)));
        }
        out += "|" + line.str() + "|\n";
    }
    return out + "+" + std::string(static_cast<std::size_t>(width), '-') + "+\n";
}

}  // namespace host
