#include "app/editor_page.h"

#include "app/record_bindings.h"
#include "app/tag_edit_form.h"
#include "app/value_controls.h"
#include "base/errors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace zephane {

namespace {
QString key_of(const char* group) {
    return group ? QString::fromLatin1(group) : QString();
}
QString label_text(const char* label) {
    return label ? QString::fromLatin1(label) : QString();
}
// A row holding the widget at its natural width, at the left.
QWidget* at_left(QWidget* widget) {
    auto* row = new QWidget(widget->parentWidget());
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    widget->setParent(row);
    layout->addWidget(widget);
    layout->addStretch(1);
    return row;
}
} // namespace

EditorPage::EditorPage(TTagEditForm& form, std::span<const EditorGroup> groups)
    : EditorPage(*form.content(), [&form](int id, QWidget* control) { form.register_control(id, control); },
                 groups) {
    form_ = &form;
}

EditorPage::EditorPage(QWidget& content, Registrar registrar, std::span<const EditorGroup> groups)
    : content_(content), register_(std::move(registrar)) {
    columns_layout_ = new QHBoxLayout(&content);
    columns_layout_->setContentsMargins(10, 10, 10, 10);
    columns_layout_->setSpacing(10);
    for (const EditorGroup& group : groups) make_box(group.title, group.column);
}

QVBoxLayout& EditorPage::column(int index) {
    while (static_cast<int>(columns_.size()) <= index) {
        auto* layout = new QVBoxLayout;
        layout->setSpacing(10);
        columns_layout_->addLayout(layout);
        columns_.push_back(layout);
    }
    return *columns_[static_cast<std::size_t>(index)];
}

QWidget& EditorPage::box(const char* group) {
    const QString key = key_of(group);
    if (const auto it = groups_.find(key); it != groups_.end()) return *it->second.first;
    return make_box(group, 0); // a group not listed joins the first column
}

QWidget& EditorPage::make_box(const char* group, int index) {
    const QString key = key_of(group);
    QWidget* widget = nullptr;
    if (group) {
        widget = new QGroupBox(key, &content_);
    } else {
        widget = new QWidget(&content_);
    }
    auto* rows = new QFormLayout(widget);
    rows->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rows->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    if (!group) rows->setContentsMargins(0, 0, 0, 0);
    column(index).addWidget(widget);
    groups_[key] = {widget, rows};
    group_columns_.emplace_back(index, rows);
    return *widget;
}

QFormLayout& EditorPage::rows(const char* group) {
    box(group);
    return *groups_[key_of(group)].second;
}

int EditorPage::edit_width(const QWidget& widget, int characters) {
    return widget.fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('0'))) + 16;
}

void EditorPage::add_row(const char* label, QWidget* widget, const char* group) {
    QFormLayout& layout = rows(group);
    if (label)
        layout.addRow(label_text(label), widget);
    else
        layout.addRow(widget);
}

QLineEdit* EditorPage::add_edit(int id, const char* label, const char* group, int characters) {
    auto* edit = new QLineEdit(&box(group));
    edit->setFixedWidth(edit_width(*edit, characters));
    edit->setAlignment(Qt::AlignRight);
    register_(id, edit);
    add_row(label, edit, group);
    return edit;
}

void EditorPage::add_range(int lower_id, int upper_id, const char* label, const char* group) {
    auto* row = new QWidget(&box(group));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int id : {lower_id, upper_id}) {
        auto* edit = new QLineEdit(row);
        edit->setFixedWidth(edit_width(*edit, 10));
        edit->setAlignment(Qt::AlignRight);
        register_(id, edit);
        layout->addWidget(edit);
        if (id == lower_id) layout->addWidget(new QLabel(QStringLiteral("to"), row));
    }
    layout->addStretch(1);
    add_row(label, row, group);
}

QCheckBox* EditorPage::add_check(int id, const char* text, const char* group) {
    auto* check = new QCheckBox(label_text(text), &box(group));
    register_(id, check);
    // Under the edit boxes when the group has labelled rows; at the left in a group of checks.
    rows(group).addRow(QString(), check);
    return check;
}

QComboBox* EditorPage::add_popup(int id, const char* label, std::span<const char* const> names,
                                 const char* group) {
    auto* popup = new QComboBox(&box(group));
    popup->setMaxVisibleItems(20);
    std::unordered_map<std::string, int> seen;
    for (const char* name : names) {
        const bool repeated = std::count_if(names.begin(), names.end(), [name](const char* other) {
                                  return std::string_view(other) == name;
                              }) > 1;
        QString text = QString::fromLatin1(name);
        if (repeated) text += QStringLiteral(" %1").arg(++seen[name]);
        popup->addItem(text);
    }
    popup->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    register_(id, popup);
    add_row(label, at_left(popup), group);
    return popup;
}

void EditorPage::add_reference(int id, int open_id, tag_type type, const char* label,
                               const char* group) {
    if (!form_) internal_error("form_", "editor_page", __LINE__);
    add_row(label, form_->make_reference_field(id, open_id, type, &box(group)), group);
}

ColourSwatch* EditorPage::add_swatch(int id, const char* group) {
    auto* swatch = new ColourSwatch(&box(group));
    register_(id, swatch);
    add_row(nullptr, swatch, group);
    return swatch;
}

QPushButton* EditorPage::add_button(int id, const char* text, const char* group) {
    auto* button = new QPushButton(label_text(text), &box(group));
    button->setAutoDefault(false);
    register_(id, button);
    add_row(nullptr, at_left(button), group);
    return button;
}

void EditorPage::add_bindings(const RecordBindings& bindings) {
    for (const BoundField& bound : bindings.fields()) {
        const FieldBinding& b = bound.binding;
        const FieldDef& field = *bound.field;
        switch (b.kind) {
        case BindingKind::number:
            add_edit(b.control, b.label, b.group,
                     field.encoding == Encoding::colour_component ? 5 : 10);
            break;
        case BindingKind::flag: {
            const char* name = b.label;
            if (!name && b.index < field.names.size()) name = field.names[b.index];
            add_check(b.control, name, b.group);
            break;
        }
        case BindingKind::popup: add_popup(b.control, b.label, field.names, b.group); break;
        case BindingKind::reference:
            add_reference(b.control, b.second, field.ref_type, b.label, b.group);
            break;
        case BindingKind::range:
        case BindingKind::decimal_range:
        case BindingKind::span: add_range(b.control, b.second, b.label, b.group); break;
        }
    }
}

void EditorPage::finish() {
    for (int index = 0; index < static_cast<int>(columns_.size()); ++index) {
        std::vector<QWidget*> labels;
        int widest = 0;
        for (const auto& [column, rows] : group_columns_) {
            if (column != index) continue;
            for (int row = 0; row < rows->rowCount(); ++row) {
                QLayoutItem* item = rows->itemAt(row, QFormLayout::LabelRole);
                if (!item || !item->widget()) continue;
                if (auto* text = qobject_cast<QLabel*>(item->widget()); text && text->text().isEmpty())
                    continue;
                labels.push_back(item->widget());
                widest = std::max(widest, item->widget()->sizeHint().width());
            }
        }
        for (QWidget* label : labels) {
            label->setMinimumWidth(widest);
            if (auto* text = qobject_cast<QLabel*>(label)) text->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    for (QVBoxLayout* layout : columns_) layout->addStretch(1);
    columns_layout_->addStretch(1);
}

} // namespace zephane
