#include "SoType.h"

#include <algorithm>
#include <deque>
#include <map>
#include <mutex>
#include <string>

#include "SoBuiltinTypes.h"

namespace {

struct TypeEntry {
    SbName name;
    int parent = 0;
    SoType::Factory factory = nullptr;
    uint16_t data = 0;
};

// Entries are never erased so that every handed-out index stays valid.
struct TypeRegistry {
    std::mutex mutex;
    std::deque<TypeEntry> entries{TypeEntry{}};  // slot 0 is the bad type
    std::map<std::string, int> indexByName;
};

TypeRegistry& registry() {
    static TypeRegistry instance;
    return instance;
}

template <class Read>
auto readEntry(int index, Read read) {
    TypeRegistry& reg = registry();
    std::lock_guard<std::mutex> lock(reg.mutex);
    return read(reg.entries[index]);
}

void ensureBuiltinTypes() {
    static const bool registered = (registerBuiltinNodeTypes(), true);
    (void)registered;
}

}  // namespace

SoType SoType::fromName(const SbName& name) {
    ensureBuiltinTypes();
    TypeRegistry& reg = registry();
    std::lock_guard<std::mutex> lock(reg.mutex);
    const auto found = reg.indexByName.find(name.getString());
    return found == reg.indexByName.end() ? SoType() : SoType(found->second);
}

SoType SoType::createType(SoType parent, const SbName& name, Factory factory, uint16_t data) {
    if (!name) return SoType();
    TypeRegistry& reg = registry();
    std::lock_guard<std::mutex> lock(reg.mutex);
    const int index = static_cast<int>(reg.entries.size());
    if (!reg.indexByName.emplace(name.getString(), index).second) return SoType();
    reg.entries.push_back(TypeEntry{name, parent.index_, factory, data});
    return SoType(index);
}

bool SoType::removeType(const SbName& name) {
    ensureBuiltinTypes();
    TypeRegistry& reg = registry();
    std::lock_guard<std::mutex> lock(reg.mutex);
    const auto found = reg.indexByName.find(name.getString());
    if (found == reg.indexByName.end()) return false;
    reg.entries[found->second].factory = nullptr;
    reg.indexByName.erase(found);
    return true;
}

std::vector<SoType> SoType::getAllDerivedFrom(SoType ancestor) {
    std::vector<int> indices;
    {
        TypeRegistry& reg = registry();
        std::lock_guard<std::mutex> lock(reg.mutex);
        for (const auto& entry : reg.indexByName) indices.push_back(entry.second);
    }
    std::sort(indices.begin(), indices.end());
    std::vector<SoType> derived;
    for (int index : indices)
        if (SoType(index).isDerivedFrom(ancestor)) derived.push_back(SoType(index));
    return derived;
}

SbName SoType::getName() const {
    return readEntry(index_, [](const TypeEntry& e) { return e.name; });
}

SoType SoType::getParent() const {
    return SoType(readEntry(index_, [](const TypeEntry& e) { return e.parent; }));
}

uint16_t SoType::getData() const {
    return readEntry(index_, [](const TypeEntry& e) { return e.data; });
}

bool SoType::isDerivedFrom(SoType ancestor) const {
    TypeRegistry& reg = registry();
    std::lock_guard<std::mutex> lock(reg.mutex);
    for (int i = index_; i != 0; i = reg.entries[i].parent)
        if (i == ancestor.index_) return true;
    return false;
}

bool SoType::canCreateInstance() const {
    return readEntry(index_, [](const TypeEntry& e) { return e.factory; }) != nullptr;
}

void* SoType::createInstance() const {
    // The factory runs unlocked: constructing a node may register further types.
    const Factory factory = readEntry(index_, [](const TypeEntry& e) { return e.factory; });
    SoType self = *this;
    return factory ? factory(&self) : nullptr;
}
