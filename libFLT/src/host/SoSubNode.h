#pragma once

#include "SoBase.h"
#include "SoType.h"

// Gives a node class its runtime type without per-class boilerplate:
//   class SoFoo : public SoSubNode<SoFoo, SoNode> {
//   public:
//       static constexpr const char* kClassName = "SoFoo";
//   };
// The type is registered on first use, with Parent's type as its parent and a
// factory that default-constructs Derived.
template <class Derived, class Parent>
class SoSubNode : public Parent {
public:
    static SoType getClassTypeId() {
        static const SoType type =
            SoType::createType(Parent::getClassTypeId(), Derived::kClassName, &makeInstance);
        return type;
    }
    SoType getTypeId() const override { return getClassTypeId(); }

protected:
    SoSubNode() = default;

private:
    // Handed out as the SoBase of the new object, whatever Derived adds.
    static void* makeInstance(SoType*) { return static_cast<SoBase*>(new Derived); }
};
