#pragma once
// A registry mapping names to the one object of that name, in byte order.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "domain/CreationSequence.h"
#include "domain/Diagnostics.h"

namespace vexmolda {

// Owns its objects; iterates in byte-wise name order.
template <class T>
class NameRegistry {
public:
    using Map = std::map<std::string, std::unique_ptr<T>>;

    // Returns the object of that name, making it with make() when new; an
    // existing name adds "<name> already exists" and keeps the object as is.
    template <class Make>
    T* declare(const std::string& name, Make make, Diagnostics& diagnostics) {
        auto [position, inserted] = objects.try_emplace(name);
        if (!inserted) {
            diagnostics.append(name + " already exists\n");
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
        stamp = nextCreationNumber();
    }
    // Changes whenever the registry is emptied: views see a wiped domain by it.
    std::uint64_t contentStamp() const { return stamp; }
    std::size_t size() const { return objects.size(); }
    bool empty() const { return objects.empty(); }
    typename Map::const_iterator begin() const { return objects.begin(); }
    typename Map::const_iterator end() const { return objects.end(); }

private:
    Map objects;
    std::uint64_t stamp = nextCreationNumber();
};

}  // namespace vexmolda
