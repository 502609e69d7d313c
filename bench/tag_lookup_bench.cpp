// 1,000,000 lookups by type and id in a workspace of 50,000 tags spread over 10,000 files,
// against the same lookups in a plain hash map of the same keys.

#include <random>
#include <unordered_map>
#include <vector>

#include "bench_util.h"
#include "tags/tag_database.h"

using namespace zephane;

int main() {
    constexpr int kFiles = 10000, kTags = 50000, kLookups = 1000000;
    const tag_type types[] = {fourcc("unit"), fourcc("proj"), fourcc("scen"), fourcc("soun"), fourcc("mons")};
    TagDatabase db;
    std::vector<TagFile*> files;
    for (int f = 0; f < kFiles; ++f) files.push_back(db.create_tag_file());
    std::vector<std::pair<tag_type, tag_id>> keys;
    std::mt19937 random(7);
    for (int k = 0; k < kTags; ++k) {
        const tag_type type = types[k % 5];
        const tag_id id = fourcc("a000") + static_cast<tag_id>(random() % 20000); // some duplicates
        db.add_tag(files[static_cast<std::size_t>(k % kFiles)], type, id, 1, "t", 64, 100, std::nullopt);
        keys.emplace_back(type, id);
    }
    std::unordered_map<std::uint64_t, TagEntry*> plain;
    for (const auto& [type, id] : keys) plain[(std::uint64_t{type} << 32) | id] = db.find_tag(type, id);
    std::vector<std::pair<tag_type, tag_id>> queries;
    for (int k = 0; k < kLookups; ++k) {
        if (k % 10 == 0) queries.emplace_back(fourcc("unit"), fourcc("zzzz") - static_cast<tag_id>(k)); // misses
        else queries.push_back(keys[random() % keys.size()]);
    }
    std::size_t found = 0;
    const double ours = bench::best_seconds(5, [&] {
        for (const auto& [type, id] : queries) found += db.find_tag(type, id) != nullptr;
    });
    std::size_t found_plain = 0;
    const double floor = bench::best_seconds(5, [&] {
        for (const auto& [type, id] : queries) found_plain += plain.count((std::uint64_t{type} << 32) | id);
    });
    if (found != found_plain) std::abort();
    return bench::report("1,000,000 find_tag lookups in 50,000 tags / 10,000 files", ours, floor, 3.0) ? 0 : 1;
}
