#pragma once
// Helpers for the editor tests: payloads built byte by byte (big-endian, as the files hold
// them), an application with every type's operations and editors attached, and a user's
// typing and clicking by control id.

#include "app/tag_edit_form.h"
#include "ui_support.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace zephane::uitest {

using Bytes = std::vector<std::uint8_t>;

// A payload of `size` bytes, each byte a different value (so that kept bytes can be told
// from rewritten ones), with numbers put at offsets.
class PayloadBuilder {
public:
    explicit PayloadBuilder(std::size_t size);
    PayloadBuilder& put(std::size_t offset, std::size_t width, std::int64_t value);
    PayloadBuilder& zero(std::size_t offset, std::size_t count);
    const Bytes& bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

// The big-endian number of `width` bytes at an offset, read as signed when asked.
std::int64_t number_at(const Bytes& bytes, std::size_t offset, std::size_t width, bool is_signed);

class EditorFixture : public AppFixture {
protected:
    void SetUp() override;
    // Writes the tags into plugins/<name>.tag and loads the file (with its window).
    TagFile& add_file(const std::string& name, std::vector<test::TestTag> tags);
    // Opens the tag's editor as a double-click does.
    TTagEditForm& open(tag_type type, tag_id id);
    TagEntry& tag(tag_type type, tag_id id);
    const Bytes& payload(tag_type type, tag_id id);

    // What a user does, by control id.
    static void type(TTagEditForm& editor, int id, const QString& text);
    static void click(TTagEditForm& editor, int id);
    static QString text(TTagEditForm& editor, int id);
    static bool checked(TTagEditForm& editor, int id);
    static bool enabled(TTagEditForm& editor, int id);
    static void choose(TTagEditForm& editor, int id, int index); // a popup entry
    // Undoes the editor's last `steps` steps and applies: the tag holds `before` again; redoes
    // them and applies: it holds `after`.
    void expect_steps_undone(TTagEditForm& editor, int steps, tag_type type, tag_id id,
                             const Bytes& before, const Bytes& after);
};

} // namespace zephane::uitest
