#pragma once
// TAllTagForm: the single "All Tag Files" window, listing every tag of every loaded file in
// one tree grouped by type. Read-only apart from Open Tag and Tag Info.

#include "app/tag_tree_form.h"

namespace zephane {

class TAllTagForm : public TTagTreeForm {
    Q_OBJECT

public:
    static constexpr std::size_t kMaxTypes = 256;

    explicit TAllTagForm(TZephaneApp& app);
    ~TAllTagForm() override;

    void rebuildTree(bool refresh) override;
    bool canClose() override;
    bool command_status(int command, CommandState& state) override;
    bool do_command(int command) override;
};

} // namespace zephane
