#include "font.h"

#include <fstream>
#include <memory>
#include <stdexcept>

namespace art {

std::u32string utf8_decode(const std::string& s) {
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        char32_t cp;
        int n;
        if (c < 0x80) cp = c, n = 1;
        else if ((c >> 5) == 6) cp = c & 0x1F, n = 2;
        else if ((c >> 4) == 14) cp = c & 0x0F, n = 3;
        else cp = c & 0x07, n = 4;
        for (int k = 1; k < n && i + k < s.size(); ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
        out.push_back(cp);
        i += n;
    }
    return out;
}

Font::Font(const std::string& path) {
    std::ifstream f(path);
    if (!f) throw std::runtime_error("cannot read glyphs from " + path);
    std::string line;
    while (std::getline(f, line)) {
        auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        char32_t cp = char32_t(std::stoul(line.substr(0, colon), nullptr, 16));
        std::string hex = line.substr(colon + 1);
        while (!hex.empty() && (hex.back() == '\r' || hex.back() == ' ')) hex.pop_back();
        Glyph g;
        g.w = hex.size() == 64 ? 16 : 8;
        g.hex = line;
        int bytes_per_row = g.w / 8;
        g.bits.assign(size_t(g.w) * 16, 0);
        for (int r = 0; r < 16; ++r)
            for (int b = 0; b < bytes_per_row; ++b) {
                int v = std::stoi(hex.substr(size_t((r * bytes_per_row + b) * 2), 2), nullptr, 16);
                for (int k = 0; k < 8; ++k) g.bits[size_t(r) * g.w + b * 8 + k] = (v >> (7 - k)) & 1;
            }
        glyphs_[cp] = std::move(g);
    }
}

const Font::Glyph& Font::glyph(char32_t cp) const {
    auto it = glyphs_.find(cp);
    if (it == glyphs_.end()) {
        char buf[64];
        snprintf(buf, sizeof buf, "no glyph for U+%04X", unsigned(cp));
        throw std::runtime_error(buf);
    }
    used_.insert(cp);
    return it->second;
}

namespace {

using Grid = std::vector<uint8_t>;

// Scale2x (EPX): doubles a bitmap and rounds off its diagonal steps.
Grid scale2x(const Grid& g, int w, int h) {
    auto at = [&](int x, int y) { return (x < 0 || y < 0 || x >= w || y >= h) ? 0 : g[size_t(y) * w + x]; };
    Grid o(size_t(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int p = at(x, y), a = at(x, y - 1), b = at(x + 1, y), c = at(x - 1, y), d = at(x, y + 1);
            int e0 = p, e1 = p, e2 = p, e3 = p;
            if (c == a && c != d && a != b) e0 = a;
            if (a == b && a != c && b != d) e1 = b;
            if (d == c && d != b && c != a) e2 = c;
            if (b == d && b != a && d != c) e3 = d;
            o[size_t(2 * y) * 2 * w + 2 * x] = uint8_t(e0);
            o[size_t(2 * y) * 2 * w + 2 * x + 1] = uint8_t(e1);
            o[size_t(2 * y + 1) * 2 * w + 2 * x] = uint8_t(e2);
            o[size_t(2 * y + 1) * 2 * w + 2 * x + 1] = uint8_t(e3);
        }
    return o;
}

// Scale3x: triples a bitmap with the same idea.
Grid scale3x(const Grid& g, int w, int h) {
    auto at = [&](int x, int y) { return (x < 0 || y < 0 || x >= w || y >= h) ? 0 : g[size_t(y) * w + x]; };
    Grid o(size_t(w) * h * 9);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int A = at(x - 1, y - 1), B = at(x, y - 1), C = at(x + 1, y - 1), D = at(x - 1, y), E = at(x, y),
                F = at(x + 1, y), G = at(x - 1, y + 1), H = at(x, y + 1), I = at(x + 1, y + 1);
            int e[9] = {E, E, E, E, E, E, E, E, E};
            if (B != H && D != F) {
                e[0] = D == B ? D : E;
                e[1] = (D == B && E != C) || (B == F && E != A) ? B : E;
                e[2] = B == F ? F : E;
                e[3] = (D == B && E != G) || (D == H && E != A) ? D : E;
                e[5] = (B == F && E != I) || (H == F && E != C) ? F : E;
                e[6] = D == H ? D : E;
                e[7] = (D == H && E != I) || (H == F && E != G) ? H : E;
                e[8] = H == F ? F : E;
            }
            for (int k = 0; k < 9; ++k) o[size_t(3 * y + k / 3) * 3 * w + 3 * x + k % 3] = uint8_t(e[k]);
        }
    return o;
}

// Divides a bitmap by k: a pixel is set where at least half of its k x k
// block is, so the smoothed outlines of the larger scale survive.
Grid shrink(const Grid& g, int w, int h, int k) {
    int ow = w / k, oh = h / k;
    Grid o(size_t(ow) * oh);
    for (int y = 0; y < oh; ++y)
        for (int x = 0; x < ow; ++x) {
            int n = 0;
            for (int j = 0; j < k; ++j)
                for (int i = 0; i < k; ++i) n += g[size_t(y * k + j) * w + x * k + i];
            o[size_t(y) * ow + x] = uint8_t(2 * n >= k * k);
        }
    return o;
}

// Every set pixel also sets its right neighbour (the last column is blank in
// the font's cells, so letters do not grow into each other).
Grid embolden(const Grid& g, int w, int h) {
    Grid o = g;
    for (int y = 0; y < h; ++y)
        for (int x = 1; x < w; ++x) o[size_t(y) * w + x] |= g[size_t(y) * w + x - 1];
    return o;
}

}  // namespace

std::vector<uint8_t> Font::render(const std::string& utf8, const TextStyle& st, int& w) const {
    std::u32string s = utf8_decode(utf8);
    int bw = 0;
    for (char32_t cp : s) bw += glyph(cp).w;
    Grid g(size_t(std::max(bw, 1)) * 16, 0);
    int x = 0;
    for (char32_t cp : s) {
        const Glyph& gl = glyph(cp);
        for (int r = 0; r < 16; ++r)
            for (int k = 0; k < gl.w; ++k) g[size_t(r) * bw + x + k] = gl.bits[size_t(r) * gl.w + k];
        x += gl.w;
    }
    int gw = bw, gh = 16;
    switch (st.scale) {
        case 1: break;
        case 2: g = scale2x(g, gw, gh), gw *= 2, gh *= 2; break;
        case 3: g = scale3x(g, gw, gh), gw *= 3, gh *= 3; break;
        case 4: g = scale2x(g, gw, gh), gw *= 2, gh *= 2; g = scale2x(g, gw, gh), gw *= 2, gh *= 2; break;
        case 6: g = scale3x(g, gw, gh), gw *= 3, gh *= 3; g = scale2x(g, gw, gh), gw *= 2, gh *= 2; break;
        default: throw std::runtime_error("unsupported text scale");
    }
    if (st.shrink > 1) g = shrink(g, gw, gh, st.shrink), gw /= st.shrink, gh /= st.shrink;
    if (st.bold) g = embolden(g, gw, gh);
    w = gw;
    return g;
}

int Font::width(const std::string& utf8, const TextStyle& st) const {
    int w = 0;
    for (char32_t cp : utf8_decode(utf8)) w += (glyph(cp).w + st.spacing) * st.scale / st.shrink;
    return w - st.spacing * st.scale / st.shrink;
}

void Font::draw(Canvas& c, int x, int y, const std::string& utf8, const TextStyle& st) const {
    // Letters one by one so that the spacing can be widened.
    int cx = x;
    for (char32_t cp : utf8_decode(utf8)) {
        std::string one;
        // Re-encode one code point.
        if (cp < 0x80) one.push_back(char(cp));
        else if (cp < 0x800) one += char(0xC0 | (cp >> 6)), one += char(0x80 | (cp & 0x3F));
        else one += char(0xE0 | (cp >> 12)), one += char(0x80 | ((cp >> 6) & 0x3F)), one += char(0x80 | (cp & 0x3F));
        int w = 0;
        Grid g = render(one, st, w);
        int h = height(st);
        Canvas layer(w, h, kClear);
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                if (g[size_t(j) * w + i]) layer.set(i, j, (st.fill2 != kClear && j >= h / 2 + st.scale) ? st.fill2 : st.fill);
        if (st.outline != kClear || st.shadow != kClear) {
            int pad = st.outline_w + st.shadow_d + 1;
            Canvas big(w + 2 * pad, h + 2 * pad, kClear);
            big.draw(layer, pad, pad);
            Canvas ring = big;
            for (int k = 0; k < st.outline_w; ++k) ring.outline(0x010101, k > 0 || st.outline_w == 1);
            Canvas out(big.width(), big.height(), kClear);
            if (st.shadow != kClear)
                for (int j = 0; j < ring.height(); ++j)
                    for (int i = 0; i < ring.width(); ++i)
                        if (ring.get(i, j) != kClear) out.set(i + st.shadow_d, j + st.shadow_d, st.shadow);
            if (st.outline != kClear)
                for (int j = 0; j < ring.height(); ++j)
                    for (int i = 0; i < ring.width(); ++i)
                        if (ring.get(i, j) != kClear) out.set(i, j, st.outline);
            out.draw(layer, pad, pad);
            c.draw(out, cx - pad, y - pad);
        } else {
            c.draw(layer, cx, y);
        }
        cx += w + st.spacing * st.scale / st.shrink;
    }
}

void Font::draw_centred(Canvas& c, int cx, int y, const std::string& utf8, const TextStyle& st) const {
    draw(c, cx - width(utf8, st) / 2, y, utf8, st);
}

void Font::write_used(const std::string& path) const {
    std::ofstream f(path);
    for (char32_t cp : used_) f << glyphs_.at(cp).hex << "\n";
}

static Edition g_edition = Edition::Japanese;

void set_edition(Edition e) { g_edition = e; }
Edition edition() { return g_edition; }

static std::unique_ptr<Font> g_font;

void set_font(const std::string& path) { g_font = std::make_unique<Font>(path); }

const Font& font() {
    if (!g_font) set_font(ARTGEN_GLYPHS);
    return *g_font;
}

}  // namespace art
