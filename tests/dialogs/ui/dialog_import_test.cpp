// Interface description files imported from a tag file window, and the preview of the Dialog
// tags they make.

#include "app/command_ids.h"
#include "dialogs/cin_writer.h"
#include "dialogs/dialog_builder.h"
#include "dialogs/dialog_payload.h"
#include "dialogs/ui/dialog_preview_form.h"
#include "framework/xg_alert.h"
#include "framework/xg_assertion_report.h"
#include "ui/editor_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>
#include <algorithm>

namespace zephane {
namespace {

using test::CinControl;
using test::cin_file;
using test::resource_entry;
using test::view_resource;
using uitest::DialogScript;
using uitest::FileScript;

constexpr tag_type kBina = fourcc("bina");

std::vector<std::uint8_t> options_window() {
    return resource_entry("VRes", "Options",
                          view_resource(10, 20, 300, 200, "Options",
                                        {{"pbtn", 1, 5, 6, 80, 26, "OK"},
                                         {"chkb", 2, 5, 40, 150, 56, "Sound"},
                                         {"scrb", 3, 5, 70, 200, 86},
                                         {"list", 4444, 5, 100, 290, 190, {}, true}}));
}

class DialogImport : public uitest::EditorFixture {
protected:
    std::vector<TagEntry*> dialogs_in(TagFile& file) {
        std::vector<TagEntry*> out;
        for (TagGroup& group : file.groups)
            for (TagEntry& entry : group.entries)
                if (TagDatabase::get_tag_type(entry) == kBina) out.push_back(&entry);
        return out;
    }
};

TEST_F(DialogImport, EveryWindowOfTheFileBecomesADialogTagAndIsSelected) {
    TagFile& file = add_file("interface", {{fourcc("unit"), fourcc("dwar"), "Dwarf", {1}}});
    TTagFileForm& window = *app->file_form(file);
    const std::string cin = folder.write("options.cin", cin_file({options_window(), options_window()}));
    ASSERT_TRUE(command_enabled(window, command::kImportCinFile));
    {
        FileScript files({QString::fromStdString(cin)});
        ASSERT_TRUE(run_command(window, command::kImportCinFile));
        ASSERT_EQ(files.requests().size(), 1u);
        EXPECT_EQ(files.requests()[0].filter, "Ixel .CIN File|*.CIN");
        EXPECT_EQ(files.requests()[0].default_extension, "CIN");
    }
    const std::vector<TagEntry*> made = dialogs_in(file);
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[0]->name, "Options");
    EXPECT_EQ(made[1]->name, "Options");
    EXPECT_NE(made[0]->id, made[1]->id);
    EXPECT_EQ(made[0]->version, 1);
    // The new tags are what the window shows selected, and nothing else.
    EXPECT_EQ(window.tree()->selection_count(), 2u);
    std::vector<TagEntry*> selected = window.selected_tags();
    std::sort(selected.begin(), selected.end());
    std::vector<TagEntry*> sorted_made = made;
    std::sort(sorted_made.begin(), sorted_made.end());
    EXPECT_EQ(selected, sorted_made);

    // A cancelled file dialog adds nothing.
    FileScript cancelled({std::nullopt});
    ASSERT_TRUE(run_command(window, command::kImportCinFile));
    EXPECT_EQ(dialogs_in(file).size(), 2u);
}

TEST_F(DialogImport, AFailedCheckIsReportedAndKeepsNoneOfTheFilesTags) {
    TagFile& file = add_file("interface", {{fourcc("unit"), fourcc("dwar"), "Dwarf", {1}}});
    std::vector<std::uint8_t> bytes = cin_file({options_window(), options_window()});
    bytes.resize(bytes.size() + 4, 0); // a stray partial entry after the last window
    const std::string cin = folder.write("broken.cin", bytes);
    FileScript files({QString::fromStdString(cin)});
    DialogScript dialogs({[](XGDialog& report) {
        EXPECT_EQ(report.windowTitle(), "Assertion Failure");
        EXPECT_TRUE(report.text_of(kAlertTextControl).startsWith("Expression: len >= 10\nModule: ditlmaker\n"))
            << report.text_of(kAlertTextControl).toStdString();
        report.click(kAssertionContinue);
    }});
    ASSERT_TRUE(run_command(*app->file_form(file), command::kImportCinFile));
    EXPECT_TRUE(dialogs_in(file).empty());
    EXPECT_EQ(dialogs.pending(), 0u);
}

class DialogPreview : public uitest::EditorFixture {
protected:
    TTagEditForm& open_options() {
        const auto built = read_interface_description(cin_file({options_window()}));
        add_file("interface", {{kBina, fourcc("optn"), "Options", built.at(0).payload}});
        return open(kBina, fourcc("optn"));
    }
    static QWidget& canvas(TTagEditForm& preview) {
        return *preview.control<QWidget>(dialog_preview_control::kCanvas);
    }
};

TEST_F(DialogPreview, EachControlIsAWidgetOfItsKindAtItsBounds) {
    TTagEditForm& preview = open_options();
    EXPECT_EQ(preview.form_title(), "Dialog Preview");
    EXPECT_EQ(text(preview, dialog_preview_control::kWindowText), "Window: 10, 20, 300 x 200");
    EXPECT_EQ(canvas(preview).size(), QSize(300, 200));

    auto* ok = canvas(preview).findChild<QPushButton*>();
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(ok->geometry(), QRect(5, 6, 75, 20));
    auto* sound = canvas(preview).findChild<QCheckBox*>();
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->text(), "Sound");
    auto* slider = canvas(preview).findChild<QSlider*>();
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->geometry(), QRect(5, 70, 195, 16));
    // The list with id 4444 is stored as 'game' and still looks like a list.
    auto* list = canvas(preview).findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->geometry(), QRect(5, 100, 285, 90));

    auto& rows = *preview.control<QTreeWidget>(dialog_preview_control::kControls);
    ASSERT_EQ(rows.topLevelItemCount(), 4);
    const auto row = [&](int i) {
        QStringList cells;
        for (int c = 0; c < 4; ++c) cells << rows.topLevelItem(i)->text(c);
        return cells.join('|');
    };
    EXPECT_EQ(row(0), "butt|1|5, 6, 80, 26|OK");
    EXPECT_EQ(row(2), "slid|3|5, 70, 200, 86|");
    EXPECT_EQ(row(3), "game|4444|5, 100, 290, 190|");
    // Read-only: nothing to apply, however the list is used.
    rows.setCurrentItem(rows.topLevelItem(1));
    EXPECT_FALSE(preview.isModified());
    EXPECT_FALSE(enabled(preview, TTagEditForm::kApplyButton));
    // The window opens big enough for the whole dialog, and inside the frame's area.
    const QWidget* window = preview.parentWidget();
    ASSERT_NE(window, nullptr);
    EXPECT_GE(preview.width(), 300 + 280);
    EXPECT_TRUE(window->parentWidget()->rect().contains(window->geometry()));
}

TEST_F(DialogPreview, ReloadShowsTheTagAsItIsNow) {
    TTagEditForm& preview = open_options();
    DialogPayload smaller = read_dialog_payload(payload(kBina, fourcc("optn")));
    smaller.controls.resize(1);
    smaller.texts.resize(1);
    smaller.header.control_count = 1;
    smaller.header.right = static_cast<std::int16_t>(smaller.header.left + 120);
    TagEntry& entry = tag(kBina, fourcc("optn"));
    app->db().set_tag_data(entry, write_dialog_payload(smaller));
    preview.reload();
    EXPECT_EQ(canvas(preview).width(), 120);
    EXPECT_EQ(preview.control<QTreeWidget>(dialog_preview_control::kControls)->topLevelItemCount(), 1);
    EXPECT_EQ(canvas(preview).findChildren<QSlider*>().size(), 0);
}

} // namespace
} // namespace zephane
