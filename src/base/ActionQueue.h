#pragma once

#include "base/Action.h"
#include "base/ActionCode.h"

#include <cstddef>
#include <iterator>
#include <optional>
#include <vector>

namespace windlecroft {

/**
 * The queue of posted actions. It is last in, first out: of several actions posted before
 * one frame update, the last one posted is carried out first. Only the main thread uses it.
 */
class ActionQueue {
public:
    ActionQueue() { actions_.reserve(64); }

    void post(Action action) { actions_.push_back(action); }
    void post(std::uint16_t code, std::uint16_t arg) { post(Action{code, arg}); }
    void post(ActionCode code, std::uint16_t arg) { post(Action{number(code), arg}); }

    /** Removes and returns the most recently posted action, or nothing when empty. */
    std::optional<Action> take()
    {
        if (actions_.empty())
            return std::nullopt;
        Action action = actions_.back();
        actions_.pop_back();
        return action;
    }

    /** Removes and returns the most recently posted action that matches, leaving the others in order. */
    template <typename Predicate>
    std::optional<Action> takeLast(Predicate&& matches)
    {
        for (auto it = actions_.rbegin(); it != actions_.rend(); ++it) {
            if (matches(*it)) {
                const Action action = *it;
                actions_.erase(std::next(it).base());
                return action;
            }
        }
        return std::nullopt;
    }

    bool empty() const { return actions_.empty(); }
    std::size_t size() const { return actions_.size(); }
    void clear() { actions_.clear(); }

private:
    std::vector<Action> actions_;
};

} // namespace windlecroft
