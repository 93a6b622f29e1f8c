#include "sheet.h"

#include "palette.h"

namespace art {

Canvas new_sheet(int w, int h, int mask_top) {
    Canvas c(w, h, pal::White);
    c.rect(0, mask_top, w, h - mask_top, pal::Black);
    return c;
}

void put_sprite(Canvas& sheet, const Canvas& sprite, int x, int y, int mask_off) {
    for (int j = 0; j < sprite.height(); ++j)
        for (int i = 0; i < sprite.width(); ++i) {
            Color c = sprite.get(i, j);
            if (c == kClear) continue;
            sheet.set(x + i, y + j, c);
            sheet.set(x + i, y + j + mask_off, pal::White);
        }
}

void put_mask(Canvas& sheet, const Canvas& sprite, int x, int y) {
    for (int j = 0; j < sprite.height(); ++j)
        for (int i = 0; i < sprite.width(); ++i)
            if (sprite.get(i, j) != kClear) sheet.set(x + i, y + j, pal::White);
}

}  // namespace art
