#pragma once

#include "base/Action.h"
#include "base/Rect.h"

namespace windlecroft {

/** A rectangle that turns wheel steps into actions: one for steps away from the user, one for steps towards. */
class WheelZone {
public:
    WheelZone(Rect rect, Action up, Action down) : rect_(rect), up_(up), down_(down) {}

    bool contains(int x, int y) const { return rect_.contains(x, y); }

    /** Chooses by the sign of delta and returns the action to post; delta 0 repeats the last choice. */
    Action wheel(int delta)
    {
        if (delta > 0)
            last_ = up_;
        else if (delta < 0)
            last_ = down_;
        return last_;
    }

    const Rect& rect() const { return rect_; }
    Action up() const { return up_; }
    Action down() const { return down_; }

private:
    Rect rect_;
    Action up_;
    Action down_;
    Action last_{0, 0};
};

} // namespace windlecroft
