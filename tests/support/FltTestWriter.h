#ifndef FLT_TEST_WRITER_H
#define FLT_TEST_WRITER_H

// Composes OpenFlight databases field by field, big-endian, with the record
// lengths filled in, so that a test reads like the database it builds.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class FltTestWriter {
public:
    // Opens a record; its length is filled in when the next one opens or
    // when the bytes are taken.
    FltTestWriter& record(int16_t opcode);
    // Forces the length field of the open record (for records that lie).
    FltTestWriter& lengthField(uint16_t length);

    FltTestWriter& i8(int8_t v) { return put(&v, 1); }
    FltTestWriter& u8(uint8_t v) { return put(&v, 1); }
    FltTestWriter& i16(int16_t v) { return putBigEndian(&v, 2); }
    FltTestWriter& u16(uint16_t v) { return putBigEndian(&v, 2); }
    FltTestWriter& i32(int32_t v) { return putBigEndian(&v, 4); }
    FltTestWriter& u32(uint32_t v) { return putBigEndian(&v, 4); }
    FltTestWriter& f32(float v) { return putBigEndian(&v, 4); }
    FltTestWriter& f64(double v) { return putBigEndian(&v, 8); }
    FltTestWriter& bytes(std::initializer_list<uint8_t> values);
    // Text padded with zero bytes (or cut) to exactly `width` bytes.
    FltTestWriter& text(const std::string& value, std::size_t width);
    FltTestWriter& zeros(std::size_t count);
    // Pads the open record with zeros up to `length` bytes, header included.
    FltTestWriter& padTo(std::size_t length);

    // A Header record of the given revision, as long as that revision's
    // fields (324 bytes from 15.7 on, as real files have it).
    FltTestWriter& header(int32_t revision, uint32_t flags = 0, uint8_t units = 0,
                          int16_t multiplier = 1);
    FltTestWriter& pushLevel() { return record(10); }
    FltTestWriter& popLevel() { return record(11); }
    // A Group record (32 bytes) with the given identifier.
    FltTestWriter& group(const std::string& id);

    std::vector<uint8_t> bytes();
    // Writes the database; returns false when the file cannot be written.
    bool save(const std::string& path);

private:
    FltTestWriter& put(const void* value, std::size_t size);
    FltTestWriter& putBigEndian(const void* value, std::size_t size);
    void closeRecord();

    std::vector<uint8_t> image;
    std::size_t recordStart = 0;
    bool recordOpen = false;
    bool lengthForced = false;
};

#endif
