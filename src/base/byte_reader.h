#pragma once
// One bounds-checked reader for bytes that come from outside (tag files, payloads, PSD,
// WAV). Every read checks the bytes left; a failure names the field and its byte offset.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/byte_swap.h"

namespace zephane {

class FormatError : public std::runtime_error {
public:
    FormatError(const std::string& field, std::size_t offset, const std::string& problem);
    const std::string& field() const { return field_; }
    std::size_t offset() const { return offset_; }

private:
    std::string field_;
    std::size_t offset_;
};

class ByteReader {
public:
    // `base` is the offset of data[0] within the outer document, for messages only.
    explicit ByteReader(std::span<const std::uint8_t> data, std::size_t base = 0)
        : data_(data), base_(base) {}

    std::size_t position() const { return pos_; }
    std::size_t size() const { return data_.size(); }
    std::size_t remaining() const { return data_.size() - pos_; }
    std::size_t absolute_position() const { return base_ + pos_; }
    bool at_end() const { return pos_ == data_.size(); }

    void seek(std::size_t offset, const char* field);
    void skip(std::size_t count, const char* field);

    std::uint8_t u8(const char* field);
    std::uint16_t u16(const char* field); // big-endian
    std::uint32_t u32(const char* field);
    std::int16_t i16(const char* field) { return static_cast<std::int16_t>(u16(field)); }
    std::int32_t i32(const char* field) { return static_cast<std::int32_t>(u32(field)); }
    std::uint16_t u16le(const char* field);
    std::uint32_t u32le(const char* field);

    std::span<const std::uint8_t> bytes(std::size_t count, const char* field);
    std::vector<std::uint8_t> copy(std::size_t count, const char* field);
    // A reader over the next `count` bytes; this reader moves past them.
    ByteReader sub(std::size_t count, const char* field);

    // Checks that `count` elements of `element_size` bytes fit in what is left, before
    // anything is allocated for them.
    void require_elements(std::uint64_t count, std::uint64_t element_size, const char* field) const;

    [[noreturn]] void fail(const char* field, const std::string& problem) const;
    // For a field read earlier (as part of a record) that turns out wrong: `offset` is
    // within this reader's bytes, the message gives it as an absolute offset.
    [[noreturn]] void fail_at(std::size_t offset, const char* field, const std::string& problem) const;

private:
    void need(std::size_t count, const char* field) const;

    std::span<const std::uint8_t> data_;
    std::size_t base_ = 0;
    std::size_t pos_ = 0;
};

// Big-endian stores into a byte buffer at a fixed offset (the caller owns the bounds).
inline void store_u16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 8);
    p[1] = static_cast<std::uint8_t>(v);
}
inline void store_u32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}
inline std::uint16_t load_u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}
inline std::uint32_t load_u32(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}

// Appends big-endian values to a growing buffer.
class ByteWriter {
public:
    std::vector<std::uint8_t>& buffer() { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }
    std::size_t size() const { return bytes_.size(); }
    void u8(std::uint8_t v) { bytes_.push_back(v); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void u16le(std::uint16_t v);
    void u32le(std::uint32_t v);
    void bytes(std::span<const std::uint8_t> data);
    void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }

private:
    std::vector<std::uint8_t> bytes_;
};

// A native record read from the next sizeof(T) bytes through its byte-swap descriptor.
template <typename T>
T read_record(ByteReader& reader, const char* name, const bs_code* codes) {
    T record;
    const auto bytes = reader.bytes(sizeof(T), name);
    std::memcpy(&record, bytes.data(), sizeof(T));
    byte_swap_data(name, &record, sizeof(T), 1, codes);
    return record;
}

// A native record stored in file byte order at `at` (the caller has sized `out`).
template <typename T>
void store_record(std::vector<std::uint8_t>& out, std::size_t at, T record, const char* name,
                  const bs_code* codes) {
    byte_swap_data(name, &record, sizeof(T), 1, codes);
    std::memcpy(out.data() + at, &record, sizeof(T));
}

} // namespace zephane
