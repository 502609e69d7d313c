#include "base/byte_reader.h"

namespace zephane {

FormatError::FormatError(const std::string& field, std::size_t offset, const std::string& problem)
    : std::runtime_error(field + " at byte " + std::to_string(offset) + ": " + problem),
      field_(field), offset_(offset) {}

void ByteReader::fail(const char* field, const std::string& problem) const {
    throw FormatError(field, base_ + pos_, problem);
}

void ByteReader::fail_at(std::size_t offset, const char* field, const std::string& problem) const {
    throw FormatError(field, base_ + offset, problem);
}

void ByteReader::need(std::size_t count, const char* field) const {
    if (count > remaining()) {
        fail(field, "needs " + std::to_string(count) + " bytes but only " +
                        std::to_string(remaining()) + " remain");
    }
}

void ByteReader::seek(std::size_t offset, const char* field) {
    if (offset > data_.size()) {
        throw FormatError(field, base_ + offset,
                          "lies past the end (" + std::to_string(data_.size()) + " bytes)");
    }
    pos_ = offset;
}

void ByteReader::skip(std::size_t count, const char* field) {
    need(count, field);
    pos_ += count;
}

std::uint8_t ByteReader::u8(const char* field) {
    need(1, field);
    return data_[pos_++];
}

std::uint16_t ByteReader::u16(const char* field) {
    need(2, field);
    const std::uint16_t v = load_u16(data_.data() + pos_);
    pos_ += 2;
    return v;
}

std::uint32_t ByteReader::u32(const char* field) {
    need(4, field);
    const std::uint32_t v = load_u32(data_.data() + pos_);
    pos_ += 4;
    return v;
}

std::uint16_t ByteReader::u16le(const char* field) {
    need(2, field);
    const auto* p = data_.data() + pos_;
    pos_ += 2;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ByteReader::u32le(const char* field) {
    need(4, field);
    const auto* p = data_.data() + pos_;
    pos_ += 4;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::span<const std::uint8_t> ByteReader::bytes(std::size_t count, const char* field) {
    need(count, field);
    auto out = data_.subspan(pos_, count);
    pos_ += count;
    return out;
}

std::vector<std::uint8_t> ByteReader::copy(std::size_t count, const char* field) {
    auto span = bytes(count, field);
    return {span.begin(), span.end()};
}

ByteReader ByteReader::sub(std::size_t count, const char* field) {
    const std::size_t start = base_ + pos_;
    return ByteReader(bytes(count, field), start);
}

void ByteReader::require_elements(std::uint64_t count, std::uint64_t element_size,
                                  const char* field) const {
    if (element_size != 0 && count > remaining() / element_size) {
        fail(field, "count " + std::to_string(count) + " of " + std::to_string(element_size) +
                        "-byte elements exceeds the " + std::to_string(remaining()) +
                        " bytes that remain");
    }
}

void ByteWriter::u16(std::uint16_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
    bytes_.push_back(static_cast<std::uint8_t>(v));
}

void ByteWriter::u32(std::uint32_t v) {
    u16(static_cast<std::uint16_t>(v >> 16));
    u16(static_cast<std::uint16_t>(v));
}

void ByteWriter::u16le(std::uint16_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::u32le(std::uint32_t v) {
    u16le(static_cast<std::uint16_t>(v));
    u16le(static_cast<std::uint16_t>(v >> 16));
}

void ByteWriter::bytes(std::span<const std::uint8_t> data) {
    bytes_.insert(bytes_.end(), data.begin(), data.end());
}

} // namespace zephane
