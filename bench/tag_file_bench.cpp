// Tag file benchmarks:
//  1. loading the headers of a folder of 20,000 single-tag files, against a floor program
//     that lists the folder and opens each file, reads 64 bytes and closes it;
//  2. writing a monolithic file of 10,000 tags of 20 KB with its checksums, against copying
//     the same number of bytes with cp.
// Usage: tag_file_bench SCRATCH_FOLDER

#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench_util.h"
#include "base/posix_file.h"
#include "tags/tag_database.h"

using namespace zephane;

namespace {

constexpr int kFolderFiles = 20000;
constexpr int kMonolithicTags = 10000;
constexpr std::size_t kPayload = 20 * 1024;

void make_folder(const std::string& folder) {
    if (std::filesystem::exists(folder + "/done")) return;
    std::filesystem::create_directories(folder);
    TagDatabase db;
    for (int k = 0; k < kFolderFiles; ++k) {
        TagFile* file = db.create_tag_file();
        db.add_tag(file, fourcc("unit"), 0, 1, "Tag " + std::to_string(k), 0, 0, Payload(200, 1));
        db.write_tag_file(folder + "/t" + std::to_string(k) + ".tag", *file, false, TAG_FILE_TYPE_SINGLE);
        db.close_tag_file(*file);
    }
    write_whole_file(folder + "/done", {});
}

void floor_open_read_close(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    char buffer[64];
    std::string path;
    while (dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        path = folder + "/" + entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY);
        if (fd < 0) continue;
        if (::read(fd, buffer, sizeof buffer) < 0) std::perror("read");
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace

int main(int argc, char** argv) {
    const std::string scratch = argc > 1 ? argv[1] : "/tmp/zephane-bench";
    const std::string folder = scratch + "/folder";
    make_folder(folder);
    bool ok = true;

    floor_open_read_close(folder); // warm the cache for both
    const double floor_load = bench::best_seconds(5, [&] { floor_open_read_close(folder); });
    // Only the load is timed; tearing the database down is not part of it.
    std::vector<std::unique_ptr<TagDatabase>> loaded;
    const double our_load = bench::best_seconds(5, [&] {
        loaded.push_back(std::make_unique<TagDatabase>());
        loaded.back()->load_tag_folder(folder, false);
        if (loaded.back()->total_tag_count() != kFolderFiles) std::abort();
    });
    loaded.clear();
    ok &= bench::report("load 20,000 single-tag files", our_load, floor_load, 1.5);

    TagDatabase db;
    TagFile* file = db.create_tag_file();
    for (int k = 0; k < kMonolithicTags; ++k) {
        Payload payload(kPayload);
        for (std::size_t b = 0; b < payload.size(); b += 64) payload[b] = static_cast<std::uint8_t>(k + b);
        db.add_tag(file, fourcc("unit"), 0, 1, "Tag " + std::to_string(k), 0, 0, std::move(payload));
    }
    const std::string written = scratch + "/monolithic.tag";
    const std::string copied = scratch + "/copied.tag";
    const double our_write = bench::best_seconds(5, [&] {
        std::filesystem::remove(written);
        if (!db.write_tag_file(written, *file, false, TAG_FILE_TYPE_PLUGIN)) std::abort();
    });
    const std::string cp = "cp " + written + " " + copied;
    const double floor_write = bench::best_seconds(5, [&] {
        std::filesystem::remove(copied);
        if (std::system(cp.c_str()) != 0) std::abort();
    });
    ok &= bench::report("write a monolithic file of 10,000 tags of 20 KB", our_write, floor_write, 1.5);
    std::filesystem::remove(written);
    std::filesystem::remove(copied);
    return ok ? 0 : 1;
}
