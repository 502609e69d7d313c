#include "textures/ui/txst_form.h"

#include "app/command_ids.h"
#include "app/tag_edit_form.h"
#include "base/errors.h"
#include "framework/xg_alert.h"
#include "textures/texture_pixels.h"
#include "textures/texture_split_merge.h"
#include "textures/ui/recompress_dialog.h"
#include "textures/ui/texture_info_dialog.h"
#include "textures/ui/txst_form_access.h"
#include "textures/ui/txst_view.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zephane {

namespace {

constexpr int kShownCells = 5;
constexpr double kShownRows = 3.4;

class TtxstEditForm : public TTagEditForm, public TextureEditorAccess {
public:
    TtxstEditForm(TagDatabase& db, TagEntry& tag)
        : TTagEditForm(kTextureEditorResource, "txst editor", db, tag) {
        auto* layout = new QVBoxLayout(content());
        layout->setContentsMargins(0, 0, 0, 0);
        view_ = new TtxstEditView(content());
        layout->addWidget(view_);
        scroll_area()->setBackgroundRole(QPalette::Base);
        scroll_area()->verticalScrollBar()->setSingleStep(view_->row_height());
        connect(view_, &TtxstEditView::edited, this, [this] { after_edit("Drop"); });
        connect(view_, &TtxstEditView::drop_refused, this, [this](const QString& reason) {
            report_exception(this, UserError(reason.toStdString()));
        });
        connect(view_, &TtxstEditView::activated, this, [this](stacked_texture* texture) {
            run_reporting_errors(this, [&] {
                if (set_ && run_texture_info_dialog(this, *set_, *texture)) after_edit("Texture Info");
            });
        });
    }

    TtxstEditView& view() override { return *view_; }
    StackSet* stack_set() override { return set_.get(); }

    QSize sizeHint() const override {
        const QSize base = TTagEditForm::sizeHint();
        const int width = TtxstEditView::kLeftMargin * 2 + TtxstEditView::kCellWidth * kShownCells +
                          scroll_area()->verticalScrollBar()->sizeHint().width();
        const int rows = static_cast<int>(view_->row_height() * kShownRows);
        return {std::max(kMinimumSize, width), std::min(base.height(), rows + 90)};
    }

    bool command_status(int command, CommandState& state) override {
        const auto& selected = view_->selection().textures();
        switch (command) {
        case command::kCopy:
        case command::kCut:
        case command::kClear:
        case command::kRecompressTextures:
            state.enabled = set_ && !selected.empty();
            return true;
        case command::kPaste:
            state.enabled = set_ && !texture_clipboard().empty();
            return true;
        case command::kSplitRgba:
            state.enabled = set_ && can_split_rgba(const_selection());
            return true;
        case command::kMergeRgbAndAlpha:
            state.enabled = set_ && can_merge_rgb_and_alpha(const_selection());
            return true;
        default:
            return TTagEditForm::command_status(command, state);
        }
    }

    bool do_command(int command) override {
        switch (command) {
        case command::kCopy: copy_textures(view_->selection().textures()); return true;
        case command::kCut:
            copy_textures(view_->selection().textures());
            clear_selected("Cut");
            return true;
        case command::kClear: clear_selected("Clear"); return true;
        case command::kPaste: paste(); return true;
        case command::kSplitRgba: split(); return true;
        case command::kMergeRgbAndAlpha: merge(); return true;
        case command::kRecompressTextures: recompress_selected(); return true;
        default: return TTagEditForm::do_command(command);
        }
    }

protected:
    void do_reload() override {
        std::string problem;
        auto set = read_stack_set(database(), tag(), &problem);
        view_->set_stack_set(nullptr);
        set_ = std::move(set);
        view_->set_stack_set(set_.get());
        if (!set_) throw UserError("The texture stacks cannot be shown: " + problem);
        loaded_state_ = undo_state();
    }
    void do_apply() override {
        if (!set_) return;
        std::string problem;
        if (!write_stack_set(database(), *set_, tag(), &problem))
            throw UserError("The texture stacks were not stored: " + problem);
    }
    bool differs_from_tag() override { return set_ && set_->dirty; }

    // The undo state is the payload Apply would write; putting it back reads the set from it.
    QByteArray undo_state() override {
        if (!set_) return {};
        const auto payload = build_stack_payload(*set_);
        if (!payload) return {};
        return state_of(*payload);
    }
    void restore_undo_state(const QByteArray& state) override {
        if (state.isEmpty()) return;
        auto set = std::make_unique<StackSet>(parse_stack_payload(bytes_of(state)));
        set->tag = &tag();
        set->dirty = state != loaded_state_;
        view_->selection().clear();
        view_->set_stack_set(nullptr);
        set_ = std::move(set);
        view_->set_stack_set(set_.get());
        view_->set_changed();
    }

private:
    std::vector<const stacked_texture*> const_selection() const {
        const auto& s = view_->selection().textures();
        return {s.begin(), s.end()};
    }

    void after_edit(const char* step) {
        view_->set_changed();
        name_next_step(QString::fromLatin1(step));
        contents_changed();
    }

    void clear_selected(const char* step) {
        const std::vector<stacked_texture*> selected = view_->selection().textures();
        view_->selection().clear();
        clear_textures(*set_, selected);
        after_edit(step);
    }

    void paste() {
        const auto pasted = paste_textures(*set_, view_->insertion_point());
        view_->selection().clear();
        after_edit("Paste");
        view_->add_to_selection(pasted);
    }

    void split() {
        const std::vector<stacked_texture*> selected = view_->selection().textures();
        std::vector<stacked_texture*> alphas;
        std::string problem;
        for (stacked_texture* texture : selected) {
            if (texture->channels != 4) continue;
            if (stacked_texture* alpha = split_rgba(*set_, *texture, &problem)) alphas.push_back(alpha);
        }
        view_->add_to_selection(alphas);
        after_edit("Split RGBA");
        if (!problem.empty()) throw UserError("Some textures were not split: " + problem);
    }

    void merge() {
        const std::vector<stacked_texture*> selected = view_->selection().textures();
        if (selected.size() != 2) return;
        stacked_texture* alpha = selected[0]->channels == 1 ? selected[0] : selected[1];
        std::string problem;
        view_->selection().remove(alpha);
        const bool merged = merge_rgb_and_alpha(*set_, *selected[0], *selected[1], &problem);
        after_edit("Merge RGB and A");
        if (!merged) throw UserError("The textures were not merged: " + problem);
    }

    void recompress_selected() {
        const std::vector<stacked_texture*> selected = view_->selection().textures();
        std::optional<int> for_all;
        bool all_checked = selected.size() > 1;
        for (std::size_t k = 0; k < selected.size(); ++k) {
            stacked_texture& texture = *selected[k];
            int quality = 0;
            if (for_all) {
                quality = *for_all;
            } else {
                const bool more = k + 1 < selected.size();
                const auto choice = run_recompress_dialog(this, texture, more, all_checked);
                if (!choice) break;
                quality = choice->quality;
                all_checked = choice->use_for_all;
                if (choice->use_for_all) for_all = quality;
            }
            const auto size = texture.size();
            const auto format = texture.format;
            std::string problem;
            if (!recompress_texture(texture, quality, &problem))
                throw UserError("A texture could not be recompressed: " + problem);
            if (texture.size() != size || texture.format != format) set_->dirty = true;
            view_->update();
        }
        after_edit("Recompress Textures");
    }

    TtxstEditView* view_ = nullptr;
    std::unique_ptr<StackSet> set_;
    QByteArray loaded_state_; // the set as the tag held it at the last reload
};

} // namespace

void register_texture_stack_editor() { attach_editor_window<TtxstEditForm>(kTextureStackType); }

} // namespace zephane
