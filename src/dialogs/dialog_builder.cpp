#include "dialogs/dialog_builder.h"

#include <algorithm>
#include <optional>

#include "base/byte_reader.h"
#include "base/errors.h"
#include "base/posix_file.h"
#include "dialogs/dialog_payload.h"
#include "tags/tag_database.h"

namespace zephane {

namespace {

constexpr std::uint32_t code(const char (&text)[5]) {
    return (std::uint32_t(std::uint8_t(text[0])) << 24) | (std::uint32_t(std::uint8_t(text[1])) << 16) |
           (std::uint32_t(std::uint8_t(text[2])) << 8) | std::uint32_t(std::uint8_t(text[3]));
}

constexpr std::size_t kFileHeaderSize = 16;
constexpr std::size_t kEntryMinimum = 10;
constexpr std::size_t kEntryNameLength = 10;
// View resource fields, from its start.
constexpr std::size_t kViewKind = 12, kWindowLeft = 26, kWindowTop = 30, kWindowWidth = 50,
                      kWindowHeight = 54, kTitleLength = 74, kFirstControl = 80;
// Control record fields, from its start.
constexpr std::size_t kControlKind = 12, kBounds = 32, kControlRecordSize = 54; // id follows the kind

enum class Layout { Fixed, TitleAfter, TitleBefore };

struct KindRow {
    std::uint32_t view_kind;
    std::uint32_t dialog_kind;
    Layout layout;
    std::size_t data_size; // fixed bytes (before or after the title)
};

constexpr KindRow kKinds[] = {
    {code("pbtn"), code("butt"), Layout::TitleAfter, 8},
    {code("chkb"), code("chek"), Layout::TitleAfter, 8},
    {code("text"), code("stat"), Layout::TitleBefore, 4},
    {code("edit"), code("edit"), Layout::TitleBefore, 26},
    {code("list"), code("list"), Layout::Fixed, 14},
    {code("scrb"), code("slid"), Layout::Fixed, 20},
    {code("stsb"), code("numb"), Layout::Fixed, 12},
    {code("popm"), code("popu"), Layout::Fixed, 4},
    {code("head"), code("head"), Layout::Fixed, 14},
    {code("pict"), code("bitm"), Layout::Fixed, 12},
    {code("stat"), code("prog"), Layout::Fixed, 12},
};

struct IdOverride {
    std::uint32_t view_kind;
    std::int32_t id;
    std::uint32_t dialog_kind;
};

constexpr IdOverride kIdOverrides[] = {
    {code("list"), 666, code("lstm")},  {code("list"), 999, code("lstg")},
    {code("list"), 555, code("plli")},  {code("list"), 556, code("pbli")},
    {code("list"), 557, code("poli")},  {code("list"), 444, code("chat")},
    {code("list"), 777, code("roli")},  {code("list"), 888, code("gaml")},
    {code("list"), 1040, code("cstt")}, {code("list"), 1041, code("cgrf")},
    {code("list"), 1098, code("slst")}, {code("list"), 1099, code("slst")},
    {code("list"), 6969, code("kbls")}, {code("list"), 4444, code("game")},
    {code("list"), 4000, code("logo")}, {code("list"), 4010, code("plig")},
    {code("head"), 1000, code("colr")}, {code("head"), 2000, code("colr")},
    {code("head"), 1042, code("ched")}, {code("text"), 888, code("game")},
    {code("text"), 1099, code("repo")}, {code("text"), 2222, code("prol")},
};

const KindRow* find_kind(std::uint32_t view_kind) {
    for (const KindRow& row : kKinds)
        if (row.view_kind == view_kind) return &row;
    return nullptr;
}

std::uint32_t dialog_kind_for(const KindRow& row, std::int32_t id) {
    for (const IdOverride& o : kIdOverrides)
        if (o.view_kind == row.view_kind && o.id == id) return o.dialog_kind;
    return row.dialog_kind;
}

[[noreturn]] void refuse(const char* expression, int line, const std::string& detail) {
    throw DialogCheckFailure(expression, line, detail);
}

// A length byte and its characters, rounded up to an even number of bytes.
std::string read_prefixed_string(ByteReader& reader) {
    const std::uint8_t length = reader.u8("string length");
    const auto chars = reader.bytes(length, "string characters");
    if ((1u + length) % 2 != 0) reader.skip(1, "string padding");
    // The text block holds NUL-terminated strings: a NUL inside a title would shift every
    // later control's string, so the title ends there.
    return std::string(chars.begin(), std::find(chars.begin(), chars.end(), std::uint8_t{0}));
}

struct ReadControl {
    dlog_control record{};
    std::string text;
};

// One control record at the reader's position; none when its kind is outside the table.
std::optional<ReadControl> read_control(ByteReader& entry, std::uint32_t& next_sibling) {
    ByteReader fixed = entry.sub(kControlRecordSize, "control record");
    next_sibling = load_u32(fixed.bytes(4, "next sibling").data());
    fixed.seek(kControlKind, "control view kind");
    const std::uint32_t view_kind = fixed.u32("control view kind");
    const KindRow* row = find_kind(view_kind);
    if (!row) return std::nullopt;
    const std::int32_t id = fixed.i32("control id");
    fixed.seek(kBounds, "control bounds");
    const std::int32_t left = fixed.i32("control left"), top = fixed.i32("control top"),
                       right = fixed.i32("control right"), bottom = fixed.i32("control bottom");

    ReadControl control;
    control.record.kind = dialog_kind_for(*row, id);
    control.record.id = static_cast<std::int16_t>(id);
    control.record.top = static_cast<std::int16_t>(top);
    control.record.left = static_cast<std::int16_t>(left);
    control.record.bottom = static_cast<std::int16_t>(bottom);
    control.record.right = static_cast<std::int16_t>(right);
    switch (row->layout) {
    case Layout::Fixed:
        entry.skip(row->data_size, "control data");
        break;
    case Layout::TitleAfter:
        entry.skip(row->data_size, "control data");
        control.text = read_prefixed_string(entry);
        break;
    case Layout::TitleBefore:
        control.text = read_prefixed_string(entry);
        entry.skip(row->data_size, "control data");
        break;
    }
    return control;
}

// One 'VRes' entry (after its kind); none for a window with an unknown control kind.
std::optional<BuiltDialog> read_window(ByteReader& entry) {
    entry.seek(kEntryNameLength, "resource name length");
    const std::uint8_t name_length = entry.u8("resource name length");
    const auto name = entry.bytes(name_length, "resource name");
    ByteReader view = entry.sub(entry.remaining(), "view resource");
    view.seek(kViewKind, "view kind");
    if (view.u32("view kind") != code("wind"))
        refuse("id =='wind'", __LINE__, "view kind at byte " + std::to_string(view.absolute_position() - 4));
    view.seek(kWindowLeft, "window left");
    const std::int32_t left = view.i32("window left");
    const std::int32_t top = view.i32("window top");
    view.seek(kWindowWidth, "window width");
    const std::int32_t width = view.i32("window width");
    const std::int32_t height = view.i32("window height");
    view.seek(kTitleLength, "title length");
    const std::uint8_t title_length = view.u8("title length");
    view.seek(kFirstControl, "first control");
    view.skip(title_length, "first control");

    std::vector<ReadControl> controls;
    std::size_t text_size = 0;
    while (!view.at_end() && controls.size() < static_cast<std::size_t>(MAX_CONTROLS)) {
        std::uint32_t next_sibling = 0;
        std::optional<ReadControl> control = read_control(view, next_sibling);
        if (!control) return std::nullopt;
        text_size += control->text.size() + 1;
        if (text_size > kDialogTextBlockSize)
            refuse("text block size", __LINE__, "the strings pass 65536 bytes");
        controls.push_back(std::move(*control));
        if (next_sibling == 0) break;
    }
    if (!(controls.size() < static_cast<std::size_t>(MAX_CONTROLS)))
        refuse("dlog->control_count < MAX_CONTROLS", __LINE__,
               "more than " + std::to_string(MAX_CONTROLS - 1) + " controls");

    DialogPayload dialog;
    dialog.header.version = kDialogVersion;
    dialog.header.top = static_cast<std::int16_t>(top);
    dialog.header.left = static_cast<std::int16_t>(left);
    dialog.header.bottom = static_cast<std::int16_t>(top + height);
    dialog.header.right = static_cast<std::int16_t>(left + width);
    for (ReadControl& control : controls) {
        dialog.controls.push_back(control.record);
        dialog.texts.push_back(std::move(control.text));
    }
    BuiltDialog built;
    built.name.assign(name.begin(), name.end());
    if (built.name.empty()) built.name = kUntitledDialogName;
    built.payload = write_dialog_payload(dialog);
    return built;
}

} // namespace

DialogCheckFailure::DialogCheckFailure(std::string expression, int line, const std::string& detail)
    : std::runtime_error(expression + ": " + detail), expression_(std::move(expression)), line_(line) {}

std::vector<BuiltDialog> read_interface_description(const std::vector<std::uint8_t>& data) {
    if (data.size() < 4 || load_u32(data.data()) != code("@!YC"))
        refuse("id == NSwapLong('@!YC')", __LINE__, "not an interface description file");
    if (data.size() < 8 || load_u32(data.data() + 4) != 2)
        refuse("id == 2", __LINE__, "not format version 2");
    if (!(data.size() > kFileHeaderSize))
        refuse("data.GetSize() > 16", __LINE__, "no resource entries");

    std::vector<BuiltDialog> dialogs;
    ByteReader file(data);
    file.seek(kFileHeaderSize, "resource entries");
    while (!file.at_end()) {
        const std::size_t at = file.position();
        const std::uint32_t length = file.remaining() >= 4 ? load_u32(data.data() + at) : 0;
        if (length < kEntryMinimum || length > file.remaining())
            refuse("len >= 10", __LINE__,
                   "the entry at byte " + std::to_string(at) + " is short or runs past the end of the file");
        ByteReader entry = file.sub(length, "resource entry");
        entry.seek(4, "resource kind");
        if (entry.u32("resource kind") != code("VRes")) continue;
        try {
            if (std::optional<BuiltDialog> dialog = read_window(entry)) dialogs.push_back(std::move(*dialog));
        } catch (const FormatError& e) {
            refuse("len >= 10", __LINE__, std::string("the entry at byte ") + std::to_string(at) +
                                              " is too short: " + e.what());
        }
    }
    return dialogs;
}

std::vector<TagEntry*> add_dialog_tags(TagDatabase& db, TagFile& file, const std::vector<BuiltDialog>& dialogs) {
    std::vector<TagEntry*> made;
    try {
        for (const BuiltDialog& dialog : dialogs) {
            const tag_id id = db.make_tag_id(dialog.name, kDialogTagType, nullptr);
            TagEntry* entry = db.add_tag(&file, kDialogTagType, id, kDialogVersion, dialog.name, 0,
                                         static_cast<std::uint32_t>(dialog.payload.size()), dialog.payload);
            if (!entry) refuse("the creation of the tag", __LINE__, "cannot add '" + dialog.name + "'");
            made.push_back(entry);
        }
    } catch (...) {
        for (auto it = made.rbegin(); it != made.rend(); ++it) db.delete_tag(**it);
        throw;
    }
    return made;
}

std::vector<BuiltDialog> read_interface_description_file(const std::string& spec) {
    const std::optional<std::vector<std::uint8_t>> data = read_whole_file(spec);
    if (!data) refuse("fp", __LINE__, "cannot read " + spec);
    return read_interface_description(*data);
}

void report_dialog_check_failure(const DialogCheckFailure& failure) {
    assertion_failed(failure.expression().c_str(), kDialogBuilderModule, failure.line());
}

std::vector<TagEntry*> build_dialogs(const std::string& spec, TagDatabase& db, TagFile& file) {
    try {
        return add_dialog_tags(db, file, read_interface_description_file(spec));
    } catch (const DialogCheckFailure& failure) {
        report_dialog_check_failure(failure);
    }
    return {};
}

} // namespace zephane
