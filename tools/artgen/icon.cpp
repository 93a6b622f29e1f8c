// The program's icon: Mub's face, 32 x 32 in the 16 classic colours.
#include "actors.h"
#include "pictures.h"

namespace art {

Canvas icon_picture() {
    Canvas c(32, 32, kClear);
    draw_mub(c, 16, 16.5, 15, Look::Front);
    return c;
}

}  // namespace art
