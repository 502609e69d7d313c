#pragma once
// What tests and the benchmark reach of an open texture stack editor.

namespace zephane {

struct StackSet;
class TtxstEditView;

class TextureEditorAccess {
public:
    virtual ~TextureEditorAccess() = default;
    virtual TtxstEditView& view() = 0;
    virtual StackSet* stack_set() = 0;
};

} // namespace zephane
