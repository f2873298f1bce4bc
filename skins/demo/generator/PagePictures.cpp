#include "PagePictures.h"

namespace windlecroft::demo {

void keyOutside(Canvas& canvas, const Shape& outline)
{
    constexpr Colour white{255, 255, 255};
    constexpr Colour nearWhite{250, 250, 250};
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (!outline(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f))
                canvas.set(x, y, white);
            else if (canvas.at(x, y) == white)
                canvas.set(x, y, nearWhite);
        }
    }
}

} // namespace windlecroft::demo
