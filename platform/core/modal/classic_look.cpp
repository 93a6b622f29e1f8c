#include "platform/core/modal/classic_look.h"

#include <algorithm>

#include "platform/text/text.h"

namespace mub::core::look {

namespace {

Rect image_rect(const Image &img) { return Rect{0, 0, img.width, img.height}; }

void edge(Image &img, const Rect &r, uint32_t top_left, uint32_t bottom_right) {
    if (r.empty()) return;
    fill(img, {r.left, r.top, r.right, r.top + 1}, top_left);
    fill(img, {r.left, r.top, r.left + 1, r.bottom}, top_left);
    fill(img, {r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
    fill(img, {r.right - 1, r.top, r.right, r.bottom}, bottom_right);
}

Rect inset(const Rect &r, int d) { return {r.left + d, r.top + d, r.right - d, r.bottom - d}; }

void dotted_rect(Image &img, const Rect &r) {
    const Rect c = image_rect(img);
    auto dot = [&](int x, int y) {
        if (x >= c.left && x < c.right && y >= c.top && y < c.bottom && ((x + y) & 1) == 0) img.row(y)[x] = kText;
    };
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        dot(x, r.bottom - 1);
    }
    for (int y = r.top; y < r.bottom; ++y) {
        dot(r.left, y);
        dot(r.right - 1, y);
    }
}

}  // namespace

void fill(Image &img, const Rect &r, uint32_t colour) {
    const Rect c = intersect(r, image_rect(img));
    for (int y = c.top; y < c.bottom; ++y) std::fill(img.row(y) + c.left, img.row(y) + c.right, colour);
}

void text(Image &img, int x, int y, std::u32string_view s, uint32_t colour, const Rect &clip) {
    const Rect c = intersect(clip, image_rect(img));
    if (c.empty()) return;
    mub::text::draw_text(img, x, y, s, colour, c);
}

void window(Image &img, const Rect &outer, std::u32string_view caption) {
    fill(img, outer, kFace);
    edge(img, outer, kFace, kDarkShadow);
    edge(img, inset(outer, 1), kHighlight, kShadow);
    const Rect bar{outer.left + kFrame, outer.top + kFrame, outer.right - kFrame, outer.top + kFrame + kCaptionHeight};
    fill(img, bar, kCaption);
    // Bold caption text, as the system draws it: the glyphs twice, a pixel apart.
    const int ty = bar.top + (kCaptionHeight - mub::text::kLineHeight) / 2;
    const Rect text_clip{bar.left + 2, bar.top, bar.right - 20, bar.bottom};
    text(img, bar.left + 3, ty, caption, kCaptionText, text_clip);
    text(img, bar.left + 4, ty, caption, kCaptionText, text_clip);
}

// The bold caption takes its width plus a pixel from bar.left + 3.
Rect caption_room(const Rect &outer) {
    const int left = outer.left + kFrame, top = outer.top + kFrame;
    return Rect{left + 3, top, outer.right - kFrame - 20 - 1, top + kCaptionHeight};
}

Rect close_box(const Rect &outer) {
    const int top = outer.top + kFrame + 2;
    const int right = outer.right - kFrame - 2;
    return Rect{right - 16, top, right, top + 14};
}

void close_button(Image &img, const Rect &r, bool enabled, bool pressed) {
    fill(img, r, kFace);
    if (pressed) {
        edge(img, r, kDarkShadow, kHighlight);
        edge(img, inset(r, 1), kShadow, kFace);
    } else {
        edge(img, r, kHighlight, kDarkShadow);
        edge(img, inset(r, 1), kFace, kShadow);
    }
    // The cross, two pixels thick; a greyed one has a white shadow.
    const int off = pressed ? 1 : 0;
    const int cx = r.left + 4 + off, cy = r.top + 3 + off;
    auto cross = [&](int dx, int dy, uint32_t colour) {
        for (int i = 0; i < 7; ++i) {
            fill(img, {cx + dx + i, cy + dy + i, cx + dx + i + 2, cy + dy + i + 1}, colour);
            fill(img, {cx + dx + 6 - i, cy + dy + i, cx + dx + 8 - i, cy + dy + i + 1}, colour);
        }
    };
    if (enabled) {
        cross(0, 0, kText);
    } else {
        cross(1, 1, kHighlight);
        cross(0, 0, kShadow);
    }
}

void push_button(Image &img, const Rect &r, std::u32string_view label, bool is_default, bool pressed, bool focused) {
    fill(img, r, kFace);
    Rect b = r;
    if (is_default || pressed) {
        edge(img, b, kDarkShadow, kDarkShadow);
        b = inset(b, 1);
    }
    if (pressed) {
        edge(img, b, kShadow, kShadow);
    } else {
        edge(img, b, kHighlight, kDarkShadow);
        edge(img, inset(b, 1), kFace, kShadow);
    }
    const int w = mub::text::text_width(label);
    const int off = pressed ? 1 : 0;
    const int tx = r.left + (r.width() - w) / 2 + off;
    const int ty = r.top + (r.height() - mub::text::kLineHeight) / 2 + off;
    text(img, tx, ty, label, kText, inset(r, 2));
    if (focused) dotted_rect(img, inset(r, 4));
}

}  // namespace mub::core::look
