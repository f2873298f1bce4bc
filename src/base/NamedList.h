#pragma once

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace windlecroft {

/**
 * An owning list of (name, object) pairs. New pairs go to the front and lookup walks from the
 * front comparing the whole name byte for byte, so the newest definition of a name wins.
 * Entries are destroyed front to back, newest first.
 */
template <typename T>
class NamedList {
public:
    NamedList() = default;
    NamedList(const NamedList&) = delete;
    NamedList& operator=(const NamedList&) = delete;
    ~NamedList() { clear(); }

    T& add(std::string name, std::unique_ptr<T> object)
    {
        T& ref = *object;
        entries_.emplace_front(std::move(name), std::move(object));
        return ref;
    }

    T* find(std::string_view name) const
    {
        for (const auto& [entryName, object] : entries_) {
            if (entryName == name)
                return object.get();
        }
        return nullptr;
    }

    /** Destroys every entry, newest first. */
    void clear()
    {
        while (!entries_.empty())
            entries_.pop_front();
    }

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    // Iteration runs newest first.
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    std::deque<std::pair<std::string, std::unique_ptr<T>>> entries_;
};

} // namespace windlecroft
