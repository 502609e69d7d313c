#include "editor_support.h"

#include "app/register_tag_editors.h"
#include "definitions/register_tag_types.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QUndoStack>

namespace zephane::uitest {

PayloadBuilder::PayloadBuilder(std::size_t size) : bytes_(size) {
    for (std::size_t k = 0; k < size; ++k) bytes_[k] = static_cast<std::uint8_t>(k * 37 + 11);
}

PayloadBuilder& PayloadBuilder::put(std::size_t offset, std::size_t width, std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    for (std::size_t k = 0; k < width; ++k)
        bytes_.at(offset + k) = static_cast<std::uint8_t>(bits >> (8 * (width - 1 - k)));
    return *this;
}

PayloadBuilder& PayloadBuilder::zero(std::size_t offset, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) bytes_.at(offset + k) = 0;
    return *this;
}

std::int64_t number_at(const Bytes& bytes, std::size_t offset, std::size_t width, bool is_signed) {
    std::uint64_t value = 0;
    for (std::size_t k = 0; k < width; ++k) value = (value << 8) | bytes.at(offset + k);
    if (is_signed && width < 8 && (value >> (8 * width - 1)) & 1) value |= ~0ull << (8 * width);
    return static_cast<std::int64_t>(value);
}

void EditorFixture::SetUp() {
    register_tag_types();
    register_tag_editors();
    make_app();
}

TagFile& EditorFixture::add_file(const std::string& name, std::vector<test::TestTag> tags) {
    const std::string path = write("plugins/" + name + ".tag", current_file(1, std::move(tags)));
    TagFile* file = app->db().read_tag_file(path, false);
    EXPECT_NE(file, nullptr);
    app->show_file_form(*file);
    return *file;
}

TagEntry& EditorFixture::tag(tag_type type, tag_id id) {
    TagEntry* entry = app->db().find_tag(type, id);
    EXPECT_NE(entry, nullptr) << tag_id_to_text(type) << " " << tag_id_to_text(id);
    return *entry;
}

TTagEditForm& EditorFixture::open(tag_type type, tag_id id) {
    TagEntry& entry = tag(type, id);
    app->openTag(entry, false);
    auto* editor = dynamic_cast<TTagEditForm*>(TagEditorWindow::of(entry));
    EXPECT_NE(editor, nullptr) << tag_id_to_text(type);
    return *editor;
}

const Bytes& EditorFixture::payload(tag_type type, tag_id id) {
    const Payload* data = app->db().get_tag_data(tag(type, id));
    static const Bytes none;
    return data ? *data : none;
}

void EditorFixture::type(TTagEditForm& editor, int id, const QString& text) {
    QWidget* control = editor.find_control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        plain->selectAll();
        QTest::keyClick(plain, Qt::Key_Backspace);
        plain->insertPlainText(text); // line breaks included
    } else {
        ADD_FAILURE() << "no edit box " << id;
    }
}

void EditorFixture::click(TTagEditForm& editor, int id) {
    auto* button = editor.control<QAbstractButton>(id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    ASSERT_TRUE(button->isEnabled()) << "button " << id << " is disabled";
    button->click();
}

QString EditorFixture::text(TTagEditForm& editor, int id) {
    QWidget* control = editor.find_control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) return plain->toPlainText();
    if (auto* popup = qobject_cast<QComboBox*>(control)) return popup->currentText();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    ADD_FAILURE() << "no control " << id;
    return {};
}

bool EditorFixture::checked(TTagEditForm& editor, int id) {
    auto* button = editor.control<QAbstractButton>(id);
    EXPECT_NE(button, nullptr) << "no check box " << id;
    return button && button->isChecked();
}

bool EditorFixture::enabled(TTagEditForm& editor, int id) {
    QWidget* control = editor.find_control(id);
    return control && control->isEnabled();
}

void EditorFixture::choose(TTagEditForm& editor, int id, int index) {
    auto* popup = editor.control<QComboBox>(id);
    ASSERT_NE(popup, nullptr) << "no popup " << id;
    popup->setCurrentIndex(index);
}

void EditorFixture::expect_steps_undone(TTagEditForm& editor, int steps, tag_type type, tag_id id,
                                        const Bytes& before, const Bytes& after) {
    for (int k = 0; k < steps; ++k) editor.undo_stack().undo();
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(payload(type, id), before);
    for (int k = 0; k < steps; ++k) editor.undo_stack().redo();
    click(editor, TTagEditForm::kApplyButton);
    EXPECT_EQ(payload(type, id), after);
}

} // namespace zephane::uitest
