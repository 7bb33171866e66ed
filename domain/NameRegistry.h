#pragma once
// A registry mapping names to the one object of that name, in byte order.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "command/TextBuffer.h"

namespace vexmolda {

// Owns its objects; iterates in byte-wise name order.
template <class T>
class NameRegistry {
public:
    using Map = std::map<std::string, std::unique_ptr<T>>;

    // Returns the object of that name, making it with make() when new; an
    // existing name adds "<name> already exists" and keeps the object as is.
    template <class Make>
    T* declare(const std::string& name, Make make) {
        auto [position, inserted] = objects.try_emplace(name);
        if (!inserted) {
            messages.append(name + " already exists\n");
            return position->second.get();
        }
        position->second = make();
        return position->second.get();
    }

    T* find(const std::string& name) const {
        auto position = objects.find(name);
        return position == objects.end() ? nullptr : position->second.get();
    }

    void clear() {
        objects.clear();
        ++clears;
    }
    // How often the registry was emptied: views see a wiped domain by it.
    std::uint64_t clearCount() const { return clears; }
    std::size_t size() const { return objects.size(); }
    bool empty() const { return objects.empty(); }
    typename Map::const_iterator begin() const { return objects.begin(); }
    typename Map::const_iterator end() const { return objects.end(); }

private:
    Map objects;
    std::uint64_t clears = 0;
};

// Base of the classes whose registry is tied to the class itself.
template <class T>
class MapMe {
public:
    static NameRegistry<T>& registry() {
        static NameRegistry<T> instance;
        return instance;
    }
};

}  // namespace vexmolda
