// sound-info, import-wav, export-wav and export-sample-data: sound tags from the command line.

#include "cli/tool.h"
#include "sound/sound_permutations.h"
#include "sound/wav_file.h"
#include "sound/wav_import.h"
#include "base/posix_file.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <ostream>

namespace zephane::cli {

namespace {

constexpr const char* kFlagNames[] = {"Cannot Be Restarted",
                                      "Can Occupy Multiple Channels",
                                      "Stopped When Source Disappears",
                                      "Cannot Be Obstructed By Media",
                                      nullptr,
                                      nullptr,
                                      "All Permutations Use the Same Subtitle"};
constexpr const char* kLoudnessNames[] = {"Quiet", "Normal", "Loud", "Narration"};

std::string printf_text(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string fixed_8_8(std::int16_t value) {
    return printf_text("%.3f", value / 256.0);
}

std::string flags_text(std::uint32_t flags) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", flags);
    std::string names;
    for (std::size_t bit = 0; bit < std::size(kFlagNames); ++bit) {
        if (!(flags & (1u << bit)) || !kFlagNames[bit]) continue;
        names += (names.empty() ? "" : ", ") + std::string(kFlagNames[bit]);
    }
    return names.empty() ? hex : std::string(hex) + " (" + names + ")";
}

SoundTag read_sound_or_fail(TagDatabase& db, TagEntry& entry) {
    SoundTag sound;
    std::string reason;
    if (!read_sound_definition(db, entry, sound, &reason))
        throw ToolError(type_id_text(kSoundTagType, entry.id) + ": " + reason);
    return sound;
}

TagEntry& find_sound_or_fail(TagDatabase& db, TagFile& file, const std::string& type_id) {
    if (parse_type_id(type_id).first != kSoundTagType)
        throw ToolError(type_id + " is not a sound tag (soun)");
    return find_tag_or_fail(db, file, type_id);
}

// "1 permutation", "2 permutations".
std::string permutation_count(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " permutation" : " permutations");
}

void print_sound(ToolIo& io, const TagEntry& entry, const SoundTag& sound) {
    const sound_definition& d = sound.definition;
    std::ostream& out = io.out;
    out << "name: " << entry.name << '\n';
    out << "flags: " << flags_text(d.flags) << '\n';
    out << "loudness: " << d.loudness;
    if (d.loudness >= 0 && d.loudness < 4) out << ' ' << kLoudnessNames[d.loudness];
    out << '\n';
    out << "play fraction: " << printf_text("%.2f%%", d.play_fraction * 100.0 / 65535.0) << '\n';
    out << "external frequency modifier: " << fixed_8_8(d.external_frequency_modifier) << '\n';
    out << "pitch: " << fixed_8_8(d.pitch_lower_bound) << " + " << fixed_8_8(d.pitch_delta) << '\n';
    out << "volume: " << fixed_8_8(d.volume_lower_bound) << " + " << fixed_8_8(d.volume_delta)
        << '\n';
    out << "subtitle string index: " << d.subtitle_string_index << '\n';
    out << "string list: " << tag_id_to_text(d.string_list_id) << '\n';
    out << "permutations: " << sound.permutations.size() << '\n';
    for (std::size_t i = 0; i < sound.permutations.size(); ++i) {
        const SoundPermutation& p = sound.permutations[i];
        const bool compressed = p.header.flags & kSampleHeaderCompressed;
        out << i << '\t' << permutation_name(p.record) << '\t'
            << (p.header.channels == 1   ? "mono"
                : p.header.channels == 2 ? "stereo"
                                         : "channels " + std::to_string(p.header.channels))
            << '\t' << (p.header.sample_rate >> 16) << " Hz\t" << p.header.sample_count
            << (compressed ? " blocks\t" : " samples\t") << sample_data_size(p.header)
            << " bytes\n";
    }
}

void sound_info(ToolIo& io, const std::string& path, const std::string& type_id) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_sound_or_fail(db, file, type_id);
    print_sound(io, entry, read_sound_or_fail(db, entry));
}

// Every file is imported before anything is saved: one refusal leaves the tag file as it was.
void import_wavs(ToolIo& io, const std::string& path, const std::string& type_id,
                 const std::vector<std::string>& wavs, const std::string& name) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path, true);
    const auto [type, id] = parse_type_id(type_id);
    if (type != kSoundTagType) throw ToolError(type_id + " is not a sound tag (soun)");
    TagEntry* entry = db.find_tag_in_file(file, type, id);
    if (!entry) {
        entry = db.add_tag(&file, type, id, tag_type_version(type), name, 0, 0, std::nullopt);
        tag_type_defaults(type)(db, *entry);
    }
    SoundTag sound = read_sound_or_fail(db, *entry);
    if (sound.permutations.size() + wavs.size() >
        static_cast<std::size_t>(MAXIMUM_PERMUTATIONS_PER_SOUND))
        throw ToolError(type_id_text(type, id) + " has " +
                        permutation_count(sound.permutations.size()) + "; " +
                        std::to_string(wavs.size()) + " more would pass the 5 a sound holds");
    for (const std::string& wav : wavs) {
        WavImport import = import_wav_file(wav);
        if (import.result != kWavImported) throw ToolError(import.message);
        const PermutationChange change =
            append_sound_permutation(sound, std::move(import.permutation));
        if (change != PermutationChange::kDone)
            throw ToolError(wav + ": " + permutation_change_message(change));
    }
    write_sound_definition(db, *entry, sound);
    save_file(db, file);
    io.out << type_id_text(type, id) << ": " << permutation_count(sound.permutations.size()) << '\n';
}

const SoundPermutation& permutation_or_fail(const SoundTag& sound, std::size_t index) {
    if (index >= sound.permutations.size())
        throw ToolError("there is no permutation " + std::to_string(index) + " (the sound has " +
                        std::to_string(sound.permutations.size()) + ")");
    return sound.permutations[index];
}

void write_or_fail(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (!write_whole_file(path, bytes)) throw ToolError("cannot write " + path);
}

void export_permutation(const std::string& path, const std::string& type_id, std::size_t index,
                        const std::string& out, bool as_wav) {
    TagDatabase db;
    TagFile& file = open_tag_file(db, path);
    TagEntry& entry = find_sound_or_fail(db, file, type_id);
    const SoundTag sound = read_sound_or_fail(db, entry);
    const SoundPermutation& p = permutation_or_fail(sound, index);
    if (!as_wav) {
        write_or_fail(out, p.data);
        return;
    }
    std::string reason;
    const std::vector<std::int16_t> samples = decode_sound_permutation(p, &reason);
    if (!reason.empty())
        throw ToolError("permutation " + std::to_string(index) + " cannot be decoded: " + reason);
    write_or_fail(out, make_wav(samples, static_cast<std::uint16_t>(p.header.channels),
                                p.header.sample_rate >> 16));
}

struct ExportArgs {
    std::string path, type_id, out;
    std::size_t index = 0;
};

void add_export_command(CLI::App& app, const char* command, const char* help, bool as_wav) {
    auto* sub = app.add_subcommand(command, help);
    auto args = std::make_shared<ExportArgs>();
    sub->add_option("TAGFILE", args->path, "tag file")->required();
    sub->add_option("TYPE:ID", args->type_id, "the sound tag, e.g. soun:boom")->required();
    sub->add_option("N", args->index, "permutation number, from 0 (as sound-info lists them)")
        ->required();
    sub->add_option("OUT", args->out, "file to write")->required();
    sub->callback([args, as_wav] {
        export_permutation(args->path, args->type_id, args->index, args->out, as_wav);
    });
}

} // namespace

void add_sound_commands(CLI::App& app, ToolIo& io) {
    auto* info =
        app.add_subcommand("sound-info", "Show a sound tag's definition and its permutations");
    auto info_path = std::make_shared<std::string>(), info_tag = std::make_shared<std::string>();
    info->add_option("TAGFILE", *info_path, "tag file")->required();
    info->add_option("TYPE:ID", *info_tag, "the sound tag, e.g. soun:boom")->required();
    info->callback([&io, info_path, info_tag] { sound_info(io, *info_path, *info_tag); });

    auto* import = app.add_subcommand(
        "import-wav",
        "Add one ADPCM permutation per WAV file (16-bit, 22050 Hz, mono or stereo) to a "
        "sound tag, creating the tag and the file when missing, then save");
    struct ImportArgs {
        std::string path, type_id, name;
        std::vector<std::string> wavs;
    };
    auto args = std::make_shared<ImportArgs>();
    import->add_option("TAGFILE", args->path, "tag file")->required();
    import->add_option("TYPE:ID", args->type_id, "the sound tag, e.g. soun:boom")->required();
    import->add_option("WAV", args->wavs, "WAV files, one permutation each")->required();
    import->add_option("--name", args->name, "the tag's name when it is created");
    import->callback([&io, args] { import_wavs(io, args->path, args->type_id, args->wavs, args->name);
});

add_export_command(app, "export-wav", "Decode a permutation to a 16-bit WAV file", true);
add_export_command(app, "export-sample-data",
                   "Write a permutation's sample data as stored (ADPCM: 34-byte blocks with "
                   "big-endian headers, channels alternating block by block)",
                   false);
} // namespace zephane::cli

} // namespace zephane::cli
