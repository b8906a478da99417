#pragma once

#include <cstdint>
#include <vector>

#include "SbName.h"

// Runtime class identity: a small handle into a process-wide registry of
// named types, each with a parent and an optional factory.
class SoType {
public:
    using Factory = void* (*)(SoType*);

    SoType() = default;  // the bad type

    static SoType badType() { return SoType(); }
    // Built-in node types are always found, even before their first use.
    static SoType fromName(const SbName& name);
    // Fails (returns the bad type) for an empty or already registered name.
    static SoType createType(SoType parent, const SbName& name, Factory factory = nullptr,
                             uint16_t data = 0);
    // Unregisters the name: it is no longer found and its type can no longer
    // create instances; handles already held keep their name and parent.
    static bool removeType(const SbName& name);
    // The registered types (those found by name) that derive from ancestor,
    // itself included, in the order they were registered.
    static std::vector<SoType> getAllDerivedFrom(SoType ancestor);

    SbName getName() const;
    SoType getParent() const;
    uint16_t getData() const;
    bool isBad() const { return index_ == 0; }
    bool isDerivedFrom(SoType ancestor) const;  // a type derives from itself

    bool canCreateInstance() const;
    void* createInstance() const;  // nullptr when it cannot

    bool operator==(SoType o) const { return index_ == o.index_; }
    bool operator!=(SoType o) const { return index_ != o.index_; }
    bool operator<(SoType o) const { return index_ < o.index_; }

private:
    explicit SoType(int index) : index_(index) {}

    int index_ = 0;
};
