#pragma once
// Game parameter definitions ('game', localized): three maps.

#include <cstdint>

#include "definitions/definition_record.h"

namespace zephane {

struct game_parameter_definition {
    static constexpr tag_type kType = fourcc("game");
    static constexpr const char* kStructName = "game parameter definition";
    static constexpr const char* kModule = "game.cpp";
    static const bs_code kCodes[];
    static const RecordLayout kLayout;
    static const game_parameter_definition kDefault;

    tag_id meshes[3];                       // 0   'mesh'
    std::uint8_t reserved12[20];
};
static_assert(sizeof(game_parameter_definition) == 32);

void game_parameter_dependencies(TagDatabase& db, TagEntry& tag, DependencyReporter& reporter);
void register_game_parameter_type();

} // namespace zephane
