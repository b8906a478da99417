#pragma once

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstdint>
#include <ostream>
#include <type_traits>
#include <utility>
#include <vector>

#include "SbColor.h"
#include "SbMatrix.h"
#include "SbName.h"
#include "SbPlane.h"
#include "SbString.h"
#include "SbVec.h"
#include "SoField.h"
#include "SoFieldValueText.h"
#include "SoZeroedStorage.h"

class SoNode;

// How a single-value field holds its value: plain values are copied, nodes
// are referenced for as long as the field holds them.
template <class T>
struct SoFieldHolding {
    static void retain(const T&) {}
    static void release(const T&) {}
};

template <>
struct SoFieldHolding<SoNode*> {
    static void retain(SoNode* node);
    static void release(SoNode* node);
};

template <class T>
class SoSField : public SoField {
public:
    SoSField() = default;
    ~SoSField() override { SoFieldHolding<T>::release(value_); }

    const T& getValue() const { return value_; }

    void setValue(const T& value) {
        SoFieldHolding<T>::retain(value);  // before release: value may be the held one
        SoFieldHolding<T>::release(value_);
        value_ = value;
        valueChanged();
    }
    // Builds the value from its components, e.g. setValue(x, y, z).
    template <class First, class... Rest, class = std::enable_if_t<(sizeof...(Rest) > 0)>>
    void setValue(First first, Rest... rest) {
        setValue(T(first, rest...));
    }

    SoSField& operator=(const T& value) {
        setValue(value);
        return *this;
    }

    void writeValue(std::ostream& out) const override { writeFieldValue(out, value_); }

private:
    T value_{};
};

// An array of values that the field owns; it is reallocated as it grows,
// and when cut to less than half its storage it gives the rest back. Values
// are plain data kept in zeroed storage, so room made ahead of use is cheap.
template <class T>
class SoMField : public SoField {
    static_assert(std::is_trivially_copyable<T>::value, "field values are plain data");

public:
    SoMField() = default;
    ~SoMField() override { releaseStorage(); }

    int getNum() const { return num_; }
    const T& operator[](int i) const {
        assert(i >= 0 && i < num_);
        return values_[i];
    }
    const T* getValues(int start) const { return values_ + start; }

    // Shrinks or grows; values that appear are default-constructed.
    void setNum(int num) {
        resize(num);
        valueChanged();
    }
    void setValue(T value) {
        resize(1);
        values_[0] = std::move(value);
        valueChanged();
    }
    // Grows to index + 1 when the index is past the end.
    void set1Value(int index, T value) {
        assert(index >= 0);
        if (index < 0) return;
        if (index >= num_) resize(index + 1);
        values_[index] = std::move(value);
        valueChanged();
    }
    void setValues(int start, int num, const T* source) {
        if (start < 0 || num <= 0) return;
        // source may point into the storage that growing would free
        const std::vector<T> incoming(source, source + num);
        if (start + num > num_) resize(start + num);
        std::copy(incoming.begin(), incoming.end(), values_ + start);
        valueChanged();
    }
    // Removes num values from start on (-1: all the rest), closing the gap.
    void deleteValues(int start, int num = -1) {
        if (start < 0 || start >= num_) return;
        if (num < 0 || start + num > num_) num = num_ - start;
        std::move(values_ + start + num, values_ + num_, values_ + start);
        resize(num_ - num);
        valueChanged();
    }

    // Direct write access to getNum() values, ended by finishEditing().
    T* startEditing() { return values_; }
    void finishEditing() { valueChanged(); }

    // Takes ownership of num values allocated with new[].
    void setValuesPointer(int num, T* array) {
        if (array != values_) {
            releaseStorage();
            adopted_ = array != nullptr;
        }
        values_ = array;
        num_ = capacity_ = array ? std::max(num, 0) : 0;
        valueChanged();
    }

    void writeValue(std::ostream& out) const override {
        out << '[';
        for (int i = 0; i < num_; ++i) {
            if (i) out << ", ";
            writeFieldValue(out, values_[i]);
        }
        out << ']';
    }

private:
    void resize(int num) {
        num = std::max(num, 0);
        if (num > capacity_) {
            const int64_t doubled = int64_t(capacity_) * 2;
            reallocate(static_cast<int>(std::max<int64_t>({num, std::min<int64_t>(doubled, INT32_MAX), 4})));
        } else if (num < capacity_ / 2 && capacity_ > kKeptCapacity) {
            reallocate(num);  // a field cut down for good gives its memory back
        } else {
            std::fill(values_ + std::min(num_, num), values_ + num, T());
        }
        num_ = num;
    }

    // Moves the values that fit into fresh zeroed storage of `capacity` values.
    void reallocate(int capacity) {
        if (capacity > capacity_ && !adopted_ && std::is_trivially_copyable<T>::value) {
            // Values cut off earlier stay behind the end: zero them first.
            std::fill(values_ + num_, values_ + capacity_, T());
            values_ = static_cast<T*>(SoZeroedStorage::grow(values_, std::size_t(capacity_) * sizeof(T),
                                                             std::size_t(capacity) * sizeof(T)));
            capacity_ = capacity;
            return;
        }
        T* fresh = static_cast<T*>(SoZeroedStorage::allocate(std::size_t(capacity) * sizeof(T)));
        std::copy(values_, values_ + std::min(num_, capacity), fresh);
        releaseStorage();
        values_ = fresh;
        capacity_ = capacity;
    }

    void releaseStorage() {
        if (adopted_)
            delete[] values_;
        else
            SoZeroedStorage::release(values_, std::size_t(capacity_) * sizeof(T));
        values_ = nullptr;
        capacity_ = 0;
        adopted_ = false;
    }

    // Small fields keep their storage however they shrink.
    static constexpr int kKeptCapacity = 64;

    T* values_ = nullptr;
    int num_ = 0;
    int capacity_ = 0;
    bool adopted_ = false;  // values_ came from setValuesPointer, allocated with new[]
};

using SoSFEnum = SoSField<int32_t>;
using SoSFInt32 = SoSField<int32_t>;
using SoSFFloat = SoSField<float>;
using SoSFUShort = SoSField<uint16_t>;
using SoSFBool = SoSField<bool>;
using SoSFVec3f = SoSField<SbVec3f>;
using SoSFString = SoSField<SbString>;
using SoSFName = SoSField<SbName>;
using SoSFPlane = SoSField<SbPlane>;
using SoSFMatrix = SoSField<SbMatrix>;
using SoSFNode = SoSField<SoNode*>;

using SoMFFloat = SoMField<float>;
using SoMFColor = SoMField<SbColor>;
using SoMFVec3f = SoMField<SbVec3f>;
using SoMFVec2f = SoMField<SbVec2f>;
using SoMFUInt32 = SoMField<uint32_t>;
using SoMFInt32 = SoMField<int32_t>;
