#pragma once

#include <vector>

#include "SbName.h"
#include "SoBase.h"
#include "SoField.h"

class SoGetBoundingBoxAction;

// A scene graph node. Each concrete node registers its fields by name so that
// generic code (the scene writer) can walk them in declaration order.
class SoNode : public SoBase {
public:
    static SoType getClassTypeId();

    int getNumFields() const { return static_cast<int>(fields_.size()); }
    const SbName& getFieldName(int index) const { return fields_[index].name; }
    SoField* getField(int index) { return fields_[index].field; }
    const SoField* getField(int index) const { return fields_[index].field; }
    SoField* getField(const SbName& name);  // nullptr when there is none

    // Contributes this node to the box being computed; most nodes add nothing.
    virtual void getBoundingBox(SoGetBoundingBoxAction* action);

protected:
    SoNode() = default;

    void addField(const char* name, SoField& field) { fields_.push_back({name, &field}); }
    // Registers the field with an initial value that still counts as default.
    template <class Field, class Value>
    void addField(const char* name, Field& field, const Value& initial) {
        field.setValue(initial);
        field.setDefault(true);
        addField(name, field);
    }

private:
    struct FieldEntry {
        SbName name;
        SoField* field;
    };
    std::vector<FieldEntry> fields_;
};
