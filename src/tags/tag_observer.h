#pragma once
// Change notification from the database to whoever shows tags (the editor layer in the
// program, a recorder in tests). The core has no other way to reach windows.

#include "tags/tag_code.h"

namespace zephane {

struct TagFile;

class TagObserver {
public:
    virtual ~TagObserver() = default;
    // A tag of `file` with this type and id was added, changed, renamed, re-identified,
    // moved to another type or deleted.
    virtual void tag_changed(TagFile& file, tag_type type, tag_id id) = 0;
    // The file itself changed: saved, reverted, given a new path, its flags changed.
    virtual void file_changed(TagFile& file) { (void)file; }
    // The file is about to be destroyed; drop every pointer to it and its tags.
    virtual void file_closing(TagFile& file) { (void)file; }
};

} // namespace zephane
