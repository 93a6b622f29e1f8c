// The classic Windows look of the modal boxes: grey face, 3-D edges, a navy
// caption bar and push buttons, drawn straight into an image.
#pragma once

#include <string_view>

#include "platform/core/host.h"
#include "platform/core/region.h"

namespace mub::core::look {

constexpr uint32_t kFace = 0xC0C0C0;
constexpr uint32_t kShadow = 0x808080;
constexpr uint32_t kHighlight = 0xFFFFFF;
constexpr uint32_t kDarkShadow = 0x000000;
constexpr uint32_t kCaption = 0x000080;
constexpr uint32_t kCaptionText = 0xFFFFFF;
constexpr uint32_t kText = 0x000000;
constexpr uint32_t kGrayText = 0x808080;

constexpr int kFrame = 3;           // dialog frame thickness
constexpr int kCaptionHeight = 18;  // the bar; one face-coloured row follows it
constexpr int kCaptionRow = kCaptionHeight + 1;
// The box font's external leading: blank rows between two lines of text.
constexpr int kLeading = 4;

void fill(Image &img, const Rect &r, uint32_t colour);
// A raised dialog window: frame, face and caption bar with its text.
void window(Image &img, const Rect &outer, std::u32string_view caption);
// Where the caption's letters may go, left of the close box.
Rect caption_room(const Rect &outer);
// The caption's close box, greyed when the box cannot be closed.
Rect close_box(const Rect &outer);
void close_button(Image &img, const Rect &r, bool enabled, bool pressed);
void push_button(Image &img, const Rect &r, std::u32string_view label, bool is_default, bool pressed, bool focused);
void text(Image &img, int x, int y, std::u32string_view s, uint32_t colour, const Rect &clip);

}  // namespace mub::core::look
