#include "textures/ui/sprite_frame_dialog.h"

#include "app/dialog_tag_button.h"
#include "app/editor_page.h"
#include "app/tag_edit_form.h"
#include "definitions/value_format.h"
#include "framework/xg_dialog.h"
#include "framework/xg_text.h"
#include "textures/texture_stack.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <vector>

namespace zephane {

namespace {

using namespace sprite_frame_control;

constexpr int kDecimals = 3;
constexpr const char* kCornerGroups[4] = {"B/R", "B/L", "U/R", "U/L"};

// An edit that gives back the value it was filled with while its text is unchanged, so OK
// on an untouched dialog changes nothing.
template <typename T> struct Shown {
    QLineEdit* edit;
    QString text;
    T* value;
};

QLineEdit* number_edit(XGDialog& dialog, int id, const QString& text, int characters) {
    auto* edit = new QLineEdit(text, &dialog);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(EditorPage::edit_width(*edit, characters));
    dialog.register_control(id, edit);
    return edit;
}

} // namespace

bool edit_sprite_frame(TTagEditForm& editor, sprite_frame& frame) {
    sprite_frame copy = frame;
    XGDialog dialog(kResource, QStringLiteral("Sprite Frame"), &editor);
    dialog.set_cancel_id(kCancel);
    auto* layout = new QVBoxLayout(&dialog);

    std::vector<Shown<std::int32_t>> integers;
    std::vector<Shown<float>> decimals;
    const auto integer_edit = [&](int id, std::int32_t& value) {
        const QString text = QString::number(value);
        QLineEdit* edit = number_edit(dialog, id, text, 6);
        integers.push_back({edit, text, &value});
        return edit;
    };
    const auto decimal_edit = [&](int id, float& value) {
        const QString text = QString::fromStdString(format_decimal(value, kDecimals));
        QLineEdit* edit = number_edit(dialog, id, text, 8);
        decimals.push_back({edit, text, &value});
        return edit;
    };

    auto* texture = new QFormLayout;
    texture->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QWidget* stack_row = make_dialog_tag_row(dialog, editor, kTextureStack, kOpenTextureStack,
                                             kTextureStackType, copy.texture_stack,
                                             TagDatabase::get_tag_file(editor.tag()));
    stack_row->setMinimumWidth(240);
    texture->addRow(QStringLiteral("Texture Stack:"), stack_row);
    texture->addRow(QStringLiteral("Stack:"), integer_edit(kStack, copy.stack_index));
    texture->addRow(QStringLiteral("Texture:"), integer_edit(kTexture, copy.texture_index));
    layout->addLayout(texture);

    auto* corners = new QGridLayout;
    for (int k = 0; k < 4; ++k) {
        const auto c = static_cast<std::size_t>(k);
        auto* group = new QGroupBox(QString::fromLatin1(kCornerGroups[k]), &dialog);
        auto* grid = new QGridLayout(group);
        grid->addWidget(new QLabel(QStringLiteral("Position:"), group), 0, 0, Qt::AlignRight);
        grid->addWidget(decimal_edit(kCornerX + 2 * k, copy.corners[c].x), 0, 1);
        grid->addWidget(decimal_edit(kCornerX + 2 * k + 1, copy.corners[c].y), 0, 2);
        grid->addWidget(new QLabel(QStringLiteral("Tex. Coords:"), group), 1, 0, Qt::AlignRight);
        grid->addWidget(decimal_edit(kTexCoordU + 2 * k, copy.tex_coords[c].x), 1, 1);
        grid->addWidget(decimal_edit(kTexCoordU + 2 * k + 1, copy.tex_coords[c].y), 1, 2);
        corners->addWidget(group, k / 2, k % 2);
    }
    layout->addLayout(corners);
    dialog.add_end_buttons(*layout, kCancel, QStringLiteral("Cancel"), kOk, QStringLiteral("OK"));
    if (dialog.run() != kOk) return false;

    for (const Shown<std::int32_t>& shown : integers)
        if (shown.edit->text() != shown.text)
            *shown.value = static_cast<std::int32_t>(parse_integer(latin1(shown.edit->text())));
    for (const Shown<float>& shown : decimals)
        if (shown.edit->text() != shown.text)
            *shown.value = static_cast<float>(parse_number(latin1(shown.edit->text())));
    frame = copy;
    frame.preview_reference = 0;
    return true;
}

} // namespace zephane
