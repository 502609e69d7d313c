#include "tags/payload_loader.h"

#include <cstring>

namespace zephane {

PayloadFile open_payload_file(const TagFile& file) {
    PayloadFile opened;
    const std::string& spec = *file.spec;
    opened.file = PosixFile::open_read(spec);
    if (!opened.file) {
        opened.failure = "cannot open " + spec + ": " + std::strerror(opened.file.open_error());
        return opened;
    }
    const DiskIdentity identity = opened.file.identity();
    opened.size = identity.size;
    if (file.disk.known && identity != file.disk)
        opened.failure = spec + " changed on disk since it was loaded";
    return opened;
}

const Payload* take_payload(PayloadLoad load, std::string* failure) {
    if (!load.payload && failure) *failure = std::move(load.failure);
    return load.payload;
}

PayloadLoad load_payload(const PayloadFile& source, TagEntry& entry) {
    if (!source.failure.empty()) return {nullptr, source.failure};
    const std::string& spec = *entry.file->spec;
    if (std::uint64_t{entry.offset} + entry.size > source.size)
        return {nullptr, "the payload at " + std::to_string(entry.offset) + " of " +
                             std::to_string(entry.size) + " bytes runs past the end of " + spec +
                             " (" + std::to_string(source.size) + " bytes)"};
    Payload bytes(entry.size);
    if (!source.file.read_at(bytes.data(), bytes.size(), entry.offset))
        return {nullptr, "cannot read " + spec};
    entry.data = std::move(bytes);
    return {&*entry.data, {}};
}

} // namespace zephane
