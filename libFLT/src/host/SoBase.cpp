#include "SoBase.h"

#include <vector>

namespace {

// The objects waiting to be deleted on this thread, or null when no deletion
// is running. The queue lives on the stack of the outermost deletion, so
// there is no thread-local object to construct or tear down.
thread_local std::vector<const SoBase*>* pendingDeletions = nullptr;

}  // namespace

SoType SoBase::getClassTypeId() {
    static const SoType type = SoType::createType(SoType::badType(), "SoBase");
    return type;
}

void SoBase::destroy() const {
    if (pendingDeletions) {
        // A destructor further up is releasing what it held: queue instead
        // of nesting another destructor call.
        pendingDeletions->push_back(this);
        return;
    }
    std::vector<const SoBase*> pending;
    pendingDeletions = &pending;
    delete this;
    while (!pending.empty()) {
        const SoBase* next = pending.back();
        pending.pop_back();
        delete next;
    }
    pendingDeletions = nullptr;
}
