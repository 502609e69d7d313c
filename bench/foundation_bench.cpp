// Foundation build on a synthetic workspace of 50,000 tags in tags/, local/ and plugins/:
// 250 maps, each with private units, monsters and chains of projectiles, over shared
// definitions, sounds and textures in the base files, with plugins that add tags, replace
// base tags and duplicate working ones. The root list names every map.
//
// The floor is cat-ing every file of the three folders into one file. The build (loading
// the workspace included) runs in a fresh process, which also reports its memory: the peak
// must stay within the three output files plus the database's headers (the memory the loaded
// database takes per tag, for every tag loaded and every copy made for the outputs).
//
//   foundation_bench [DIR]        generate DIR when needed, then measure (best of 5)
//   foundation_bench --build DIR  one build, printing its figures (used by the above)

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>

#include "definitions/amso.h"
#include "definitions/lpgr.h"
#include "definitions/mons.h"
#include "definitions/obje.h"
#include "definitions/prgr.h"
#include "definitions/proj.h"
#include "definitions/register_tag_types.h"
#include "definitions/scen.h"
#include "definitions/unit.h"
#include "mesh/new_mesh.h"
#include "base/byte_reader.h"
#include "tags/foundation_build.h"

namespace fs = std::filesystem;
using namespace zephane;

namespace {

constexpr int kMaps = 250;
constexpr int kPrivate = 30; // units, monsters and projectiles of each map

// A prefix and three base-36 digits: 46,656 ids per prefix.
tag_id numbered(char prefix, int n) {
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    const char id[5] = {prefix, kDigits[(n / 1296) % 36], kDigits[(n / 36) % 36], kDigits[n % 36], 0};
    return fourcc(id);
}

template <typename R>
Payload record_bytes(const R& record) {
    std::vector<std::uint8_t> bytes;
    definition_file_bytes(record, bytes);
    return bytes;
}

struct Generator {
    fs::path dir;
    std::mt19937 random{42};
    TagDatabase db;

    Payload noise(std::size_t size) {
        Payload p(size);
        for (std::size_t k = 0; k + 4 <= size; k += 4) store_u32(p.data() + k, static_cast<std::uint32_t>(random()));
        return p;
    }
    int pick(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }

    // One monolithic file per call.
    struct Batch {
        TagFile* file;
    };
    Batch batch() { return {db.create_tag_file()}; }
    void add(Batch b, const char (&type)[5], tag_id id, const std::string& name, Payload payload) {
        db.add_tag(b.file, fourcc(type), id, tag_type_version(fourcc(type)), name, 0, 0, std::move(payload));
    }
    void write(Batch b, const fs::path& path, TagSaveKind kind) {
        fs::create_directories(path.parent_path());
        if (!db.write_tag_file(path.string(), *b.file, true, kind)) throw std::runtime_error("cannot write " + path.string());
        db.close_tag_file(*b.file);
    }
    void single(const char (&type)[5], tag_id id, const std::string& name, Payload payload) {
        Batch b = batch();
        add(b, type, id, name, std::move(payload));
        write(b, dir / "local" / (std::string(type) + "-" + tag_text(id) + ".tag"), TAG_FILE_TYPE_SINGLE);
    }

    void run() {
        // Shared tags in four base files.
        std::vector<Batch> base = {batch(), batch(), batch(), batch()};
        int next = 0;
        const auto base_add = [&](const char (&type)[5], tag_id id, Payload payload) {
            add(base[static_cast<std::size_t>(next++ % 4)], type, id, "shared " + tag_text(id), std::move(payload));
        };
        for (int k = 0; k < 2000; ++k) base_add("soun", numbered('s', k), noise(40 * 1024));
        for (int k = 0; k < 1000; ++k) base_add("txst", numbered('t', k), noise(60 * 1024));
        for (int k = 0; k < 500; ++k) base_add("skmd", numbered('k', k), noise(8 * 1024));
        for (int k = 0; k < 500; ++k) base_add("spri", numbered('r', k), noise(4 * 1024));
        for (int k = 0; k < 500; ++k) base_add("stli", numbered('n', k), Payload(100, 'x'));
        for (int k = 0; k < 500; ++k) {
            object_definition o = object_definition::kDefault;
            o.gravity = static_cast<std::int16_t>(k);
            base_add("obje", numbered('o', k), record_bytes(o));
        }
        for (int k = 0; k < 1000; ++k) { // chains of fifty local projectile groups
            local_projectile_group_definition g = local_projectile_group_definition::kDefault;
            g.flags = 1u << kLocalGroupSpriteBit;
            g.graphic = numbered('r', pick(500));
            if (k % 50 != 49) g.chained_group = numbered('l', k + 1);
            base_add("lpgr", numbered('l', k), record_bytes(g));
        }
        for (int k = 0; k < 2000; ++k) {
            projectile_definition p{};
            p.graphic = p.contrail = p.lightning = p.artifact = p.promotion_projectile = kNoTag;
            p.promotion_group = p.target_detonation_group = p.bounce_stain = kNoTag;
            p.object = numbered('o', pick(500));
            p.detonation_group = k % 2 ? numbered('g', k / 2) : kNoTag;
            p.sounds[0] = numbered('s', pick(2000));
            p.sounds[1] = p.sounds[2] = p.sounds[3] = kNoTag;
            p.local_projectile_group = numbered('l', pick(1000));
            p.detonation_stain = numbered('t', pick(1000));
            base_add("proj", numbered('p', k), record_bytes(p));
        }
        for (int k = 0; k < 1000; ++k) {
            projectile_group_definition g = projectile_group_definition::kDefault;
            g.sound = numbered('s', pick(2000));
            g.number_of_parts = 3;
            for (int part = 0; part < 3; ++part) g.parts[part].projectile = numbered('p', pick(2000));
            base_add("prgr", numbered('g', k), record_bytes(g));
        }
        for (int k = 0; k < 400; ++k) {
            monster_definition m = monster_definition::kDefault;
            m.flags = 1u << kMonsterSkeletalBit;
            m.graphic = numbered('k', pick(500));
            m.number_of_attacks = 2;
            m.attacks[0].projectile = numbered('p', pick(2000));
            m.attacks[1].projectile = numbered('p', pick(2000));
            m.sounds[0] = numbered('s', pick(2000));
            m.names = numbered('n', pick(500));
            m.impact_group = numbered('g', pick(1000));
            base_add("mons", numbered('m', k), record_bytes(m));
        }
        for (int k = 0; k < 400; ++k) {
            units_definition u = units_definition::kDefault;
            u.monster = numbered('m', k);
            u.variations[0].decal = numbered('t', pick(1000));
            base_add("unit", numbered('u', k), record_bytes(u));
        }
        for (int k = 0; k < 500; ++k) {
            scenery_definition s = scenery_definition::kDefault;
            s.flags = 1u << kScenerySkeletalBit;
            s.object = numbered('o', pick(500));
            s.undamaged_model = numbered('k', pick(500));
            s.ruined_model = numbered('k', pick(500));
            base_add("scen", numbered('c', k), record_bytes(s));
        }
        for (int k = 0; k < 500; ++k) {
            ambient_sound_definition a = ambient_sound_definition::kDefault;
            a.continuous_sound = numbered('s', pick(2000));
            base_add("amso", numbered('a', k), record_bytes(a));
        }
        for (std::size_t k = 0; k < base.size(); ++k)
            write(base[k], dir / "tags" / ("base" + std::to_string(k) + ".tag"), TAG_FILE_TYPE_BASE);

        // Plugins: each private projectile's object and each private monster's effect, 200
        // global lights, copies of 500 base projectiles and of 500 private units.
        std::vector<Batch> plugins = {batch(), batch()};
        for (int k = 0; k < kMaps * kPrivate; ++k) {
            object_definition o = object_definition::kDefault;
            o.gravity = 7;
            add(plugins[0], "obje", numbered('O', k), "private object", record_bytes(o));
            local_projectile_group_definition g = local_projectile_group_definition::kDefault;
            g.graphic = numbered('r', pick(500));
            g.flags = 1u << kLocalGroupSpriteBit;
            add(plugins[1], "lpgr", numbered('L', k), "private effect", record_bytes(g));
        }
        for (int k = 0; k < 200; ++k) add(plugins[0], "glli", numbered('G', k), "light", noise(56));
        projectile_definition plain{};
        plain.graphic = plain.contrail = plain.lightning = plain.artifact = kNoTag;
        for (int k = 0; k < 500; ++k) add(plugins[1], "proj", numbered('p', k * 4), "replaced", record_bytes(plain));

        // Maps and their private tags, one tag per file.
        for (int map = 0; map < kMaps; ++map) {
            Payload mesh = new_mesh_payload(64, 64);
            store_u32(mesh.data() + 0, numbered('t', pick(1000)));
            store_u32(mesh.data() + 68, numbered('G', map % 200));
            store_u32(mesh.data() + 140, numbered('N', map));
            Payload palette;
            const auto place = [&](std::uint16_t kind, tag_id id) {
                Payload entry(32, 0);
                store_u16(entry.data(), kind);
                store_u32(entry.data() + 4, id);
                palette.insert(palette.end(), entry.begin(), entry.end());
            };
            for (int k = 0; k < kPrivate; ++k) place(3, numbered('U', map * kPrivate + k));
            for (int k = 0; k < 10; ++k) place(3, numbered('u', pick(400)));
            for (int k = 0; k < 5; ++k) place(1, numbered('c', pick(500)));
            for (int k = 0; k < 3; ++k) place(5, numbered('a', pick(500)));
            const auto cells = static_cast<std::uint32_t>(mesh.size() - 1024);
            store_u32(mesh.data() + 36, static_cast<std::uint32_t>(palette.size() / 32));
            store_u32(mesh.data() + 40, cells);
            store_u32(mesh.data() + 44, static_cast<std::uint32_t>(palette.size()));
            store_u32(mesh.data() + 28, cells + static_cast<std::uint32_t>(palette.size()));
            mesh.insert(mesh.end(), palette.begin(), palette.end());
            single("mesh", numbered('M', map), "Map " + std::to_string(map), std::move(mesh));
            single("stli", numbered('N', map), "Map name", noise(64));

            for (int k = 0; k < kPrivate; ++k) {
                const int n = map * kPrivate + k;
                units_definition u = units_definition::kDefault;
                u.monster = numbered('X', n);
                u.variations[1].decal = numbered('t', pick(1000));
                single("unit", numbered('U', n), "private unit", record_bytes(u));
                if (n % 15 == 0) add(plugins[0], "unit", numbered('U', n), "duplicate", record_bytes(u));

                monster_definition m = monster_definition::kDefault;
                m.graphic = numbered('k', pick(500));
                m.flags = 1u << kMonsterSkeletalBit;
                m.number_of_attacks = 1;
                m.attacks[0].projectile = numbered('P', n);
                m.local_projectile_group = numbered('L', n);
                m.sounds[1] = numbered('s', pick(2000));
                single("mons", numbered('X', n), "private monster", record_bytes(m));

                // A chain through the map's projectiles.
                projectile_definition p{};
                p.graphic = p.contrail = p.lightning = p.artifact = p.detonation_group = kNoTag;
                p.promotion_group = p.target_detonation_group = p.bounce_stain = kNoTag;
                p.detonation_stain = p.local_projectile_group = kNoTag;
                p.sounds[0] = numbered('s', pick(2000));
                p.sounds[1] = p.sounds[2] = p.sounds[3] = kNoTag;
                p.object = numbered('O', n);
                p.promotion_projectile = k + 1 < kPrivate ? numbered('P', n + 1) : numbered('p', pick(2000));
                single("proj", numbered('P', n), "private projectile", record_bytes(p));
            }
        }
        write(plugins[0], dir / "plugins" / "plugin0.tag", TAG_FILE_TYPE_PLUGIN);
        write(plugins[1], dir / "plugins" / "plugin1.tag", TAG_FILE_TYPE_PLUGIN);

        std::ofstream roots(dir / "roots.txt");
        for (int map = 0; map < kMaps; ++map) roots << "mesh:" << tag_text(numbered('M', map)) << '\n';
    }
};

long status_kb(const char* field) {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
    return 0;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int build_once(const fs::path& dir) {
    register_tag_types();
    const long start_kb = status_kb("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    TagDatabase db;
    for (const char* name : {"tags", "local", "plugins"}) db.load_tag_folder((dir / name).string(), true);
    const long loaded_kb = status_kb("VmRSS:");
    const double load_seconds = seconds_since(start);
    // The phases of run_foundation_build, timed one by one.
    FoundationBuild build(db);
    build.begin_foundation_build(dir.string());
    std::ifstream roots(dir / "roots.txt");
    const std::string text((std::istreambuf_iterator<char>(roots)), std::istreambuf_iterator<char>());
    read_root_list(text, build);
    const double walk_seconds = seconds_since(start);
    const FoundationResult result = build.build_foundation_files();
    const double total_seconds = seconds_since(start);
    std::cout << result.complete << ' ' << db.total_tag_count() << ' ' << start_kb << ' ' << loaded_kb << ' '
              << status_kb("VmHWM:") << ' ' << load_seconds << ' ' << walk_seconds << ' ' << total_seconds
              << ' ' << result.small << ' ' << result.small_localized << ' ' << result.large << '\n';
    return result.complete ? 0 : 1;
}

double time_command(const std::string& command) {
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
    return seconds_since(start);
}

std::uintmax_t folder_bytes(const fs::path& dir) {
    std::uintmax_t total = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (e.is_regular_file()) total += e.file_size();
    return total;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--build") return build_once(argv[2]);
    const fs::path dir = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "zephane-foundation-bench";
    if (!fs::exists(dir / "roots.txt")) {
        std::cout << "generating " << dir << " ...\n";
        register_tag_types();
        Generator generator;
        generator.dir = dir;
        generator.run();
    }
    const std::uintmax_t workspace = folder_bytes(dir / "tags") + folder_bytes(dir / "local") + folder_bytes(dir / "plugins");
    const std::string self = fs::canonical("/proc/self/exe").string();
    const std::string cat = "find '" + (dir / "tags").string() + "' '" + (dir / "local").string() + "' '" +
                            (dir / "plugins").string() + "' -type f -print0 | xargs -0 cat > '" +
                            (dir / "floor.bin").string() + "'";
    const std::string job = "'" + self + "' --build '" + dir.string() + "' > '" + (dir / "build.txt").string() + "'";

    double floor = 1e9, best = 1e9;
    std::string figures;
    for (int round = 0; round < 5; ++round) {
        floor = std::min(floor, time_command(cat));
        const double t = time_command(job);
        if (t < best) {
            best = t;
            std::ifstream in(dir / "build.txt");
            std::getline(in, figures);
        }
    }
    std::istringstream in(figures);
    int complete = 0;
    std::size_t tags = 0, small = 0, localized = 0, large = 0;
    long start_kb = 0, loaded_kb = 0, peak_kb = 0;
    double load_seconds = 0, walk_seconds = 0, build_seconds = 0;
    in >> complete >> tags >> start_kb >> loaded_kb >> peak_kb >> load_seconds >> walk_seconds >> build_seconds >> small >>
        localized >> large;
    const fs::path out = dir / kFoundationFolder;
    const std::uintmax_t outputs = fs::file_size(out / kSmallFile) + fs::file_size(out / kSmallLocalizedFile) +
                                   fs::file_size(out / kLargeFile);
    // The database's headers: what the loaded database takes per tag, for the tags loaded and
    // for the copies in the three output files, which are database files too while they are
    // built.
    const double header_kb = static_cast<double>(loaded_kb - start_kb) / static_cast<double>(tags);
    const std::size_t copies = small + localized + large;
    const long allowed_kb = start_kb + static_cast<long>(header_kb * static_cast<double>(tags + copies)) +
                            static_cast<long>(outputs / 1024);

    std::printf("workspace: %zu tags, %.1f MB in tags/, local/, plugins/\n", tags, static_cast<double>(workspace) / 1e6);
    std::printf("outputs: %zu small, %zu small localized, %zu large; %.1f MB\n", small, localized, large,
                static_cast<double>(outputs) / 1e6);
    std::printf("floor (cat of every file): %.3f s\n", floor);
    std::printf("build-foundation: %.3f s (in the process: load %.3f s, walk %.3f s, copy and write %.3f s)\n",
                best, load_seconds, walk_seconds - load_seconds, build_seconds - walk_seconds);
    std::printf("ratio: %.2f (target at most 3)\n", best / floor);
    std::printf("memory: start %.1f MiB, database loaded %.1f MiB (%.0f bytes a tag), peak %.1f MiB\n",
                static_cast<double>(start_kb) / 1024, static_cast<double>(loaded_kb) / 1024, header_kb * 1024,
                static_cast<double>(peak_kb) / 1024);
    std::printf("memory bound: outputs %.1f MiB + headers of %zu tags and %zu copies %.1f MiB + start = %.1f MiB (%s)\n",
                static_cast<double>(outputs) / 1048576, tags, copies,
                header_kb * static_cast<double>(tags + copies) / 1024, static_cast<double>(allowed_kb) / 1024,
                peak_kb <= allowed_kb ? "within" : "OVER");
    fs::remove(dir / "floor.bin");
    return complete && best / floor <= 3.0 && peak_kb <= allowed_kb ? 0 : 1;
}
