#pragma once
// What a type's dependencies operation reports to: the foundation build, or anyone who
// just wants the list of references (zephane-tool deps).

#include "tags/tag_code.h"

namespace zephane {

class DependencyReporter {
public:
    virtual ~DependencyReporter() = default;
    virtual void report_dependency(tag_type type, tag_id id) = 0;
};

} // namespace zephane
