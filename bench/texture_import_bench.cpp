// Texture benchmarks:
//  1. terrain import of a 4032 × 4032 Photoshop document with a colour layer and 4 mask
//     layers (read, cut into 1024 tiles, JPEG at quality 85, payload laid out), against the
//     floor of compressing the same tile pixels with libjpeg-turbo's cjpeg at quality 85 with
//     the same encoder settings (float DCT, optimised Huffman tables);
//  2. the detail collapse of that terrain with 4 detail textures, against cjpeg compressing
//     the collapsed tiles at quality 94.
// Usage: texture_import_bench SCRATCH_FOLDER

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <sys/resource.h>

#include "bench_util.h"
#include "psd_builder.h"
#include "terrain_document.h"
#include "base/posix_file.h"
#include "tags/tag_database.h"
#include "textures/detail_collapse.h"
#include "textures/psd_import.h"
#include "textures/texture_pixels.h"

using namespace zephane;

namespace {

constexpr int kSide = kTerrainDocumentSide;
constexpr int kMasks = kTerrainDocumentMasks;

// Processor seconds used so far by this process (who = RUSAGE_SELF) or its finished children.
double cpu_seconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Wall-clock seconds of the best of `runs`, and the processor seconds of one run on average.
struct Timing {
    double wall = 0;
    double cpu = 0;
};
Timing measure(int runs, int who, const std::function<void()>& job) {
    const double before = cpu_seconds(who);
    const double wall = bench::best_seconds(runs, job);
    return {wall, (cpu_seconds(who) - before) / runs};
}

// A JPEG image is at most 65,500 pixels high: 500 tiles one under the other fit.
constexpr std::size_t kTilesPerImage = 500;

// Writes the tiles' pixels one under the other as PPM (3 channels) or PGM (1 channel) images
// of at most 500 tiles each, and returns their names.
std::vector<std::string> write_netpbm(const std::string& stem, const std::vector<const std::vector<std::uint8_t>*>& tiles,
                                      int channels) {
    std::vector<std::string> names;
    for (std::size_t first = 0; first < tiles.size(); first += kTilesPerImage) {
        const std::size_t count = std::min(kTilesPerImage, tiles.size() - first);
        names.push_back(stem + "-" + std::to_string(names.size()) + (channels == 3 ? ".ppm" : ".pgm"));
        std::ofstream out(names.back(), std::ios::binary);
        out << (channels == 3 ? "P6\n" : "P5\n") << 128 << ' ' << 128 * count << "\n255\n";
        for (std::size_t t = first; t < first + count; ++t)
            out.write(reinterpret_cast<const char*>(tiles[t]->data()), static_cast<std::streamsize>(tiles[t]->size()));
    }
    return names;
}

Timing cjpeg_timing(const std::vector<std::string>& inputs, int quality, std::uintmax_t* bytes) {
    *bytes = 0;
    const Timing timing = measure(2, RUSAGE_CHILDREN, [&] {
        for (const std::string& in : inputs) {
            const std::string command = "cjpeg -quality " + std::to_string(quality) +
                                        " -dct float -optimize -outfile '" + in + ".jpg' '" + in + "'";
            if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
        }
    });
    for (const std::string& in : inputs) *bytes += std::filesystem::file_size(in + ".jpg");
    return timing;
}

std::uintmax_t stored_bytes(const StackSet& set) {
    std::uintmax_t total = 0;
    for (const auto& stack : set.stacks)
        for (const auto& texture : stack.textures) total += texture->size();
    return total;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: texture_import_bench SCRATCH_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::filesystem::create_directories(folder);
    const std::string psd = folder + "/terrain-4032.psd";
    make_terrain_document(psd);

    // 1. Terrain import.
    std::unique_ptr<StackSet> imported;
    const Timing ours = measure(2, RUSAGE_SELF, [&] {
        imported = import_terrain_file(psd);
        if (!imported || !build_stack_payload(*imported)) std::abort();
    });
    const auto document = read_psd_file(psd);
    const auto raw = import_terrain(*document, nullptr, kRawQuality);
    std::vector<const std::vector<std::uint8_t>*> base_tiles, mask_tiles;
    for (const auto& stack : raw->stacks)
        for (const auto& texture : stack.textures)
            (texture->channels == 3 ? base_tiles : mask_tiles).push_back(&texture->compressed_data);
    auto images = write_netpbm(folder + "/base-tiles", base_tiles, 3);
    const auto mask_images = write_netpbm(folder + "/mask-tiles", mask_tiles, 1);
    images.insert(images.end(), mask_images.begin(), mask_images.end());
    std::uintmax_t cjpeg_bytes = 0;
    const Timing floor = cjpeg_timing(images, kTerrainQuality, &cjpeg_bytes);
    std::printf("terrain import: %zu base tiles, %zu mask tiles; ours %ju bytes, cjpeg %ju bytes\n",
                base_tiles.size(), mask_tiles.size(), stored_bytes(*imported), cjpeg_bytes);
    std::printf("terrain import: processor time ours %.4f s, cjpeg %.4f s, ratio %.2f\n", ours.cpu, floor.cpu,
                ours.cpu / floor.cpu);
    const bool import_ok = bench::report("terrain import 4032 x 4032, 4 masks", ours.wall, floor.wall, 1.3);

    // 2. Detail collapse of that terrain.
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    TagEntry* terrain = db.add_tag(file, kTextureStackType, fourcc("terr"), 1, "Terrain", 0, 0, *build_stack_payload(*imported));
    StackSet details;
    std::mt19937 random(9);
    for (std::size_t d = 0; d < kMasks; ++d) {
        std::vector<std::uint8_t> pixels(256 * 256 * 3);
        for (auto& v : pixels) v = static_cast<std::uint8_t>(100 + random() % 100);
        auto texture = std::make_unique<stacked_texture>();
        texture->width = texture->height = 256;
        texture->channels = 3;
        texture->layer_kind = kLayerDetailTexture;
        texture->compressed_data = std::move(pixels);
        recompress_texture(*texture, 90);
        insert_texture(details, d, -1, std::move(texture));
    }
    db.add_tag(file, kTextureStackType, fourcc("deta"), 1, "Details", 0, 0, *build_stack_payload(details));
    TagEntry* collapsed = nullptr;
    const Timing collapse = measure(2, RUSAGE_SELF, [&] {
        collapsed = collapse_terrain(db, *file, terrain->id, fourcc("deta"));
        if (!collapsed) std::abort();
    });
    const auto result = read_stack_set(db, *collapsed);
    std::vector<std::vector<std::uint8_t>> collapsed_pixels;
    for (const auto& stack : result->stacks) collapsed_pixels.push_back(decode_texture(*stack.textures[0], true)->pixels);
    std::vector<const std::vector<std::uint8_t>*> collapsed_tiles;
    for (const auto& pixels : collapsed_pixels) collapsed_tiles.push_back(&pixels);
    const Timing collapse_floor =
        cjpeg_timing(write_netpbm(folder + "/collapsed-tiles", collapsed_tiles, 3), kCollapseQuality, &cjpeg_bytes);
    std::printf("detail collapse: %zu tiles; ours %ju bytes, cjpeg %ju bytes\n", collapsed_tiles.size(),
                stored_bytes(*result), cjpeg_bytes);
    std::printf("detail collapse: processor time ours %.4f s, cjpeg %.4f s, ratio %.2f\n", collapse.cpu,
                collapse_floor.cpu, collapse.cpu / collapse_floor.cpu);
    std::printf("detail collapse: ours %.4f s, floor (cjpeg -quality 94 of the result) %.4f s, ratio %.2f\n",
                collapse.wall, collapse_floor.wall, collapse.wall / collapse_floor.wall);
    return import_ok ? 0 : 1;
}
