#pragma once
// Attaches the texture stack type's operations to the tag type table.

namespace zephane {

// The defaults operation gives a new 'txst' tag the 4-byte payload of a set without stacks.
void register_texture_stack_type();

} // namespace zephane
