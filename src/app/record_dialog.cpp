#include "app/record_dialog.h"

#include "app/control_accessors.h"
#include "app/record_bindings.h"
#include "framework/xg_dialog.h"

#include <QVBoxLayout>
#include <vector>

namespace zephane {

bool run_record_dialog(QWidget* parent, const RecordDialogForm& form, std::span<std::uint8_t> part) {
    const RecordBindings bindings(*form.layout, form.bindings, form.module);
    XGDialog dialog(form.resource, QString::fromLatin1(form.title), parent);
    dialog.set_cancel_id(form.cancel);
    auto* layout = new QVBoxLayout(&dialog);
    auto* content = new QWidget(&dialog);
    EditorPage page(*content, [&dialog](int id, QWidget* control) { dialog.register_control(id, control); },
                    form.groups);
    if (form.build) form.build(dialog, page);
    page.add_bindings(bindings);
    page.finish();
    layout->addWidget(content);
    dialog.add_end_buttons(*layout, form.cancel, QStringLiteral("Cancel"), form.ok, QStringLiteral("OK"));

    ControlAccessors values([&dialog](int id) { return dialog.find_control(id); }, nullptr);
    bindings.fill(values, part);
    if (dialog.run() != form.ok) return false;
    // Read into a copy first: a refused value leaves the part untouched.
    std::vector<std::uint8_t> edited(part.begin(), part.end());
    bindings.read(values, edited);
    if (form.read) form.read(edited);
    std::copy(edited.begin(), edited.end(), part.begin());
    return true;
}

} // namespace zephane
