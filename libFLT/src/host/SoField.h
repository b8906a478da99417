#pragma once

#include <ostream>

// What every node field offers to generic code such as the scene writer.
// A field is "default" until a value is explicitly given to it.
class SoField {
public:
    SoField(const SoField&) = delete;
    SoField& operator=(const SoField&) = delete;
    virtual ~SoField() = default;

    bool isDefault() const { return isDefault_; }
    void setDefault(bool isDefault) { isDefault_ = isDefault; }

    virtual void writeValue(std::ostream& out) const = 0;

protected:
    SoField() = default;
    void valueChanged() { isDefault_ = false; }

private:
    bool isDefault_ = true;
};
