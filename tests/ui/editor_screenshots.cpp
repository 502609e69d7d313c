// editor_screenshots: opens every editor window and dialog of the definition types (and the
// skeletal animation editor with its two dialogs, the Skeletal Model Set editor with its
// dialogs, the Mesh Terrain Window with the New Mesh dialog) on a demo workspace and grabs each from the
// screen with ImageMagick's import. Run it under Xvfb with
// a window manager (docs/screenshots/take-editor-screenshots.sh does).
// Usage: editor_screenshots WORKSPACE OUTPUT_FOLDER

#include "app/check_workspace_form.h"
#include "app/file_menu_commands.h"
#include "app/register_tag_editors.h"
#include "app/tag_edit_form.h"
#include "app/zephane_app.h"
#include "textures/ui/recompress_dialog.h"
#include "textures/ui/texture_info_dialog.h"
#include "textures/ui/txst_form_access.h"
#include "definitions/amso.h"
#include "definitions/arti.h"
#include "definitions/conn.h"
#include "definitions/form.h"
#include "definitions/game.h"
#include "definitions/glli.h"
#include "definitions/loli.h"
#include "definitions/meef.h"
#include "definitions/meli.h"
#include "definitions/obje.h"
#include "definitions/obpc.h"
#include "definitions/register_tag_types.h"
#include "definitions/soli.h"
#include "definitions/text_tag.h"
#include "definitions/wind.h"
#include "framework/xg_dialog.h"
#include "framework/xg_file_dialog.h"
#include "framework/xg_frame.h"
#include "mesh/mesh_header.h"
#include "mesh/new_mesh.h"
#include "mesh/ui/new_mesh_dialog.h"
#include "skeletal/collision_build.h"
#include "skeletal/skan_edit.h"
#include "skeletal/skan_payload.h"
#include "skeletal/skl_builder.h"
#include "skeletal/skl_import.h"
#include "skeletal/skl_reader.h"
#include "skeletal/skmd_edit.h"
#include "skeletal/ui/skan_dialogs.h"
#include "skeletal/ui/skan_form.h"
#include "skeletal/ui/skmd_form.h"
#include "textures/grsp_payload.h"
#include "textures/sprite_definition.h"
#include "textures/sprite_edit.h"
#include "textures/texture_stack.h"
#include "textures/ui/spri_form.h"
#include "tags/foundation_build.h"

#include <QAbstractButton>
#include <algorithm>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QProcess>
#include <cstdio>
#include <filesystem>

namespace zephane {
namespace {

template <typename R>
Payload bytes_of(const R& record) {
    std::vector<std::uint8_t> bytes;
    definition_file_bytes(record, bytes);
    return bytes;
}

// A hierarchy of five bones, three animations with a few frame actions, two states.
Payload strider_animations() {
    SkeletalAnimationSet set;
    const char* bones[] = {"Pelvis", "Spine", "Head", "LeftThigh", "RightThigh"};
    const std::int32_t parents[] = {-1, 0, 1, 0, 0};
    for (std::size_t b = 0; b < 5; ++b) {
        skan_bone_base bone{};
        set_skan_name(bone.name, bones[b]);
        bone.parent = parents[b];
        bone.rotation[3] = 1.0f;
        bone.position[2] = 1.0f;
        set.bones.push_back(bone);
    }
    const std::pair<const char*, std::size_t> animations[] = {{"walk", 24}, {"run", 16}, {"idle", 40}};
    for (auto [name, frames] : animations) {
        SkanAnimation animation;
        set_skan_name(animation.header.name, name);
        animation.header.frames_per_second = 30 * 256;
        animation.header.flags = kSkanLoopable | kSkanDistanceDriven;
        animation.header.fade_in = 0.125f;
        animation.header.interrupt_fade = 0.5f;
        animation.header.fade_out = 0.125f;
        for (std::size_t f = 0; f < frames; ++f) {
            SkanFrame frame;
            frame.record.motion = 9000;
            set_skan_action_bone(frame.record, -1);
            frame.record.action_tag = kNoTag;
            frame.poses.assign(set.bones.size(), skan_bone_pose{{0, 0, 256}, {0, 0, 0, 32767}});
            animation.frames.push_back(std::move(frame));
        }
        set.animations.push_back(std::move(animation));
    }
    set.animations[0].frames[0].record.action = 7;
    set_skan_action_bone(set.animations[0].frames[0].record, 3);
    set.animations[0].frames[12].record.action = 7;
    set_skan_action_bone(set.animations[0].frames[12].record, 4);
    set.animations[0].frames[6].record.action = 1 | kSkanKeyFrame;
    set.animations[0].frames[6].record.action_tag = fourcc("rivr");
    set_skan_action_bone(set.animations[0].frames[6].record, 0);
    SkanState moving = new_skan_state();
    set_skan_name(moving.header.name, "moving");
    moving.entries = {{0, 3}, {1, 1}};
    SkanState resting = new_skan_state();
    set_skan_name(resting.header.name, "resting");
    resting.header.flags = 2;
    resting.entries = {{2, 1}};
    set.states = {moving, resting};
    return save_skan_payload(set);
}

// One tag of each type, with values an author might have typed, referring to demo tags.
void write_editor_tags(const std::string& path) {
    TagDatabase db;
    TagFile* file = db.create_tag_file();
    const auto add = [&](tag_type type, const char* id, const char* name, Payload payload) {
        db.add_tag(file, type, text_to_tag_id(id), tag_type_version(type), name, 0, 0, std::move(payload));
    };
    artifact_definition arti = artifact_definition::kDefault;
    arti.flags = 2;
    arti.monster_restriction = fourcc("dwar");
    arti.specialization_restriction = 2;
    arti.initial_charges_lower = 3;
    arti.initial_charges_delta = 3;
    arti.inventory_sequence = 12;
    arti.projectiles[0] = fourcc("sach");
    arti.special_ability = fourcc("hint");
    add(fourcc("arti"), "hamr", "Hammer of Storms", bytes_of(arti));
    object_definition obje = object_definition::kDefault;
    obje.flags = 3;
    obje.gravity = -64;
    obje.elastic_coefficient = 96;
    obje.terminal_velocity = 12 * 512;
    obje.maximum_vitality_lower = 3 * 256;
    obje.maximum_vitality_delta = 257;
    obje.minimum_damage = 32;
    add(fourcc("obje"), "shld", "Shield Bearer Body", bytes_of(obje));
    game_parameter_definition game = game_parameter_definition::kDefault;
    game.meshes[0] = fourcc("high");
    game.meshes[1] = fourcc("rivr");
    add(fourcc("game"), "camp", "Campaign", bytes_of(game));
    sound_list_definition soli = sound_list_definition::kDefault;
    soli.entry_count = 3;
    soli.entries[0].sound = fourcc("rivr");
    soli.entries[1].sound = fourcc("spla");
    soli.entries[2].sound = fourcc("rivr");
    add(fourcc("soli"), "watr", "Water Sounds", bytes_of(soli));
    add(fourcc("soun"), "rivr", "River Murmur", Payload(64, 0));
    ambient_sound_definition amso = ambient_sound_definition::kDefault;
    amso.continuous_sound = kNoTag;
    amso.random_sound = fourcc("rivr");
    amso.period_lower = 150;
    amso.period_span = 300;
    amso.random_sound_radius = 6 * 512;
    add(fourcc("amso"), "babl", "Babbling Brook", bytes_of(amso));
    local_light_definition loli = local_light_definition::kDefault;
    loli.fade_in_ticks = 5;
    loli.sustain_ticks = 30;
    loli.fade_out_ticks = 15;
    loli.colour_a[1] = 160 * 257;
    loli.colour_a[2] = 32 * 257;
    loli.colour_b[0] = 200 * 257;
    loli.colour_b[1] = 60 * 257;
    loli.colour_b[2] = 0;
    loli.flicker_rate_w0 = 1820;
    loli.flicker_amplitude_w0 = 40;
    add(fourcc("loli"), "trch", "Torch Light", bytes_of(loli));
    global_light_definition glli = global_light_definition::kDefault;
    for (int c = 0; c < 3; ++c) glli.ambient_colour[c] = static_cast<std::uint16_t>((40 + 10 * c) * 257);
    glli.sky_colour[0] = 70 * 257;
    glli.sky_colour[1] = 90 * 257;
    glli.sky_colour[2] = 140 * 257;
    glli.key_colour[0] = 255 * 257;
    glli.key_colour[1] = 220 * 257;
    glli.key_colour[2] = 170 * 257;
    glli.fill_colour[0] = 60 * 257;
    glli.fill_colour[1] = 70 * 257;
    glli.fill_colour[2] = 120 * 257;
    glli.key_direction[0] = -32768;
    glli.key_direction[1] = 32768;
    glli.key_direction[2] = -46341;
    glli.fill_direction[0] = 49152;
    glli.fill_direction[2] = -16384;
    add(fourcc("glli"), "dusk", "Golden Dusk", bytes_of(glli));
    wind_definition wind = wind_definition::kDefault;
    wind.adjustment_time_lower = 90;
    wind.adjustment_time_delta = 91;
    wind.maximum_adjustment = 655;
    wind.velocity_lower[0] = -65536;
    wind.velocity_delta[0] = 131073;
    add(fourcc("wind"), "gust", "Gusty", bytes_of(wind));
    formation_definition form{};
    form.short_line_maximum_per_row = 8;
    form.short_line_separation = 768;
    form.long_line_maximum_per_row = 16;
    form.long_line_separation = 768;
    form.loose_line_maximum_per_row = 8;
    form.loose_line_separation = 1536;
    form.staggered_line_maximum_per_row = 6;
    form.staggered_line_separation = 1024;
    form.box_separation = 768;
    form.minimum_mob_separation = 512;
    form.mob_x_bias = 192;
    form.minimum_encirclement_radius = 2048;
    form.encirclement_separation = 768;
    form.shallow_encirclement_arc = 16384;
    form.deep_encirclement_arc = 43690;
    form.vanguard_front_row_separation = 1024;
    form.vanguard_separation = 768;
    form.vanguard_row_separation = 1024;
    form.circle_separation = 768;
    add(fourcc("form"), "stnd", "Standard Formations", bytes_of(form));
    connector_definition conn = connector_definition::kDefault;
    conn.normal_sequence = 3;
    conn.damaged_sequence = 4;
    conn.origin_height_fraction = 192;
    conn.interpolant_distance = 256;
    add(fourcc("conn"), "rope", "Rope Bridge", bytes_of(conn));
    mesh_effect_definition meef = mesh_effect_definition::kDefault;
    meef.flags = 2;
    meef.amplitude = 256;
    meef.cutoff_radius = 4 * 512;
    meef.dissipation = 384;
    meef.velocity = 128;
    meef.camera_shaking = 1;
    meef.radial_points = 24;
    meef.thickness = 256;
    add(fourcc("meef"), "quak", "Ground Shock", bytes_of(meef));
    add(fourcc("meli"), "noon", "Noon Sun", bytes_of(mesh_lighting_definition::kDefault));
    add(fourcc("obpc"), "camr", "Camera Limits", bytes_of(observer_constants_definition::kDefault));
    add(fourcc("stli"), "sayg", "Sayings", text_payload("Strike first.\nStrike hard.\nNo mercy.\n"));
    // A map whose header names demo tags and has fog and prologue values.
    mesh_header isle = new_mesh_header(64, 64);
    isle.global_light = fourcc("dawn");
    isle.wind = fourcc("brez");
    isle.text = fourcc("intr");
    isle.strings252 = fourcc("hint");
    isle.connector = fourcc("rope");
    isle.jpegs[0] = fourcc("bann");
    isle.fog[0] = 1;
    isle.fog[1] = 40;
    isle.fog[2] = 4;
    isle.fog[3] = 2;
    isle.fog[4] = 180;
    isle.prologue[0] = 3;
    isle.prologue[1] = 2;
    isle.prologue[2] = 1024;
    isle.prologue[3] = 768;
    Payload mesh = new_mesh_payload(64, 64);
    byte_swap_copy("mesh header", mesh.data(), &isle, sizeof isle, 1, kMeshHeaderCodes);
    add(fourcc("mesh"), "isle", "Isle of Reeds", std::move(mesh));
    // A flame texture, a sprite of two frames cut from it, and ground sprites growing it.
    StackSet flames;
    for (int k = 0; k < 2; ++k) {
        auto texture = std::make_unique<stacked_texture>();
        texture->channels = 3;
        texture->width = texture->height = 64;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                for (int c : {255 - y * 2, 120 + x + k * 60, 40 * k})
                    texture->compressed_data.push_back(static_cast<std::uint8_t>(std::clamp(c, 0, 255)));
        insert_texture(flames, 0, k, std::move(texture));
    }
    add(fourcc("txst"), "flam", "Flames", *build_stack_payload(flames));
    SpriteDefinition fire;
    for (int k = 0; k < 2; ++k) {
        sprite_frame frame = new_sprite_frame();
        frame.texture_stack = fourcc("flam");
        frame.texture_index = k;
        add_sprite_frame(fire, frame);
    }
    append_sprite_sequence(fire);
    append_sprite_sequence(fire);
    for (int k = 0; k < 3; ++k) append_sequence_entry(fire, 0, static_cast<std::size_t>(k % 2));
    fire.sequences[0].entries[1].rotation = 0.25f;
    fire.sequences[0].entries[1].sound = fourcc("rivr");
    add(fourcc("spri"), "fire", "Camp Fire", build_sprite_payload(fire));
    GroundSprites moss = parse_ground_sprites(new_ground_sprites_payload());
    moss.sets[0].record.sprite = fourcc("fire");
    moss.sets[0].record.density = 12;
    set_ground_sprite_mask(moss.sets[0], "campfires.jpg", std::vector<std::uint8_t>(2048, 0x80));
    moss.sets[2].record.density = -3;
    add(fourcc("grsp"), "moss", "Camp Fires", commit_ground_sprites(moss));
    add(fourcc("skan"), "strd", "Strider Animations", strider_animations());
    // A model set of two grid models, the first with its collision tree, a torch on a bone
    // and the flames as its texture.
    SkeletalModelSet ogre;
    ogre.header.animation = fourcc("walk");
    for (const auto& [size, name] : {std::pair{6, "Ogre Chief"}, std::pair{4, "Ogre Runt"}}) {
        const auto skl = test::grid_skl(size, true).bytes();
        ModelBuild build = build_skeletal_model(read_skeleton_export(skl), name);
        if (!build.model) continue;
        add_model(ogre, std::move(*build.model));
    }
    if (!ogre.models.empty()) {
        SkeletalModel& chief = ogre.models[0];
        chief.header.texture_stack = fourcc("flam");
        std::string refusal;
        build_collision(chief, refusal);
        set_attachment_kind(chief.bones[1], 1);
        // The grid is one-sided and faces down: shown with both faces, and from its side.
        ogre.header.entries[0].flags |= 1;
        chief.bones[1].attached = fourcc("trch");
    }
    add(fourcc("skmd"), "ogre", "Ogre", save_skmd_payload(ogre));
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    if (!db.write_tag_file(path, *file, true, TAG_FILE_TYPE_PLUGIN))
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
}

class Shooter {
public:
    Shooter(TZephaneApp& app, QString folder) : app_(app), folder_(std::move(folder)) {}

    static void wait(int milliseconds) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    // Grabs a window from the screen: a top-level one with its frame, a sub-window of the
    // multi-document area by its place on the screen, with a margin.
    void shot(const QWidget& window, const QString& name) {
        wait(500);
        const QString file = folder_ + QStringLiteral("/") + name + QStringLiteral(".png");
        QStringList arguments;
        if (window.isWindow()) {
            arguments << QStringLiteral("-frame") << QStringLiteral("-window")
                      << QString::number(window.winId());
        } else {
            QRect area(window.parentWidget()->mapToGlobal(window.geometry().topLeft()), window.size());
            area.adjust(-4, -4, 4, 4);
            area = area.intersected(QRect(0, 0, 1280, 1024));
            arguments << QStringLiteral("-window") << QStringLiteral("root") << QStringLiteral("-crop")
                      << QStringLiteral("%1x%2+%3+%4")
                             .arg(area.width())
                             .arg(area.height())
                             .arg(area.x())
                             .arg(area.y())
                      << QStringLiteral("+repage");
        }
        QProcess::execute(QStringLiteral("import"), arguments << file);
        std::printf("%s\n", file.toLocal8Bit().constData());
    }
    TTagEditForm& open(const char* type, const char* id, bool alternate = false) {
        TagEntry* tag = app_.db().find_tag(text_to_tag_id(type), text_to_tag_id(id));
        app_.openTag(*tag, alternate);
        auto* editor = dynamic_cast<TTagEditForm*>(TagEditorWindow::of(*tag));
        if (auto* sub = qobject_cast<QMdiSubWindow*>(editor->parentWidget())) {
            sub->move(12, 12);
            sub->resize(sub->sizeHint());
        }
        return *editor;
    }
    void close(TTagEditForm& editor) { app_.frame().discard_form(editor); }
    // The next dialog is grabbed and then ended with `end`.
    void shoot_next_dialog(const QString& name, int end) {
        XGDialog::set_modal_hook([this, name, end](XGDialog& dialog) {
            shot(dialog, name);
            dialog.end(end);
        });
    }

private:
    TZephaneApp& app_;
    QString folder_;
};

} // namespace
} // namespace zephane

int main(int argc, char** argv) {
    using namespace zephane;
    if (argc != 3) {
        std::fprintf(stderr, "usage: editor_screenshots WORKSPACE OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string workspace = std::filesystem::absolute(argv[1]).string();
    register_tag_types(); // the map's entry point is built as the file is written
    write_editor_tags(workspace + "/plugins/editors.tag");
    QApplication application(argc, argv);
    register_tag_editors();
    TZephaneApp app({workspace, workspace, QDir::tempPath() + QStringLiteral("/zephane-shots.ini")});
    app.frame().setGeometry(0, 0, 1280, 1024);
    app.frame().show();
    app.start();
    for (XGForm* form : app.frame().forms()) app.frame().discard_form(*form);
    Shooter shooter(app, QString::fromLocal8Bit(argv[2]));

    struct Shot {
        const char* type;
        const char* id;
        const char* name;
    };
    const Shot shots[] = {
        {"arti", "hamr", "editor-artifact"},         {"obje", "shld", "editor-object"},
        {"game", "camp", "editor-game-parameter"},   {"soli", "watr", "editor-sound-list"},
        {"amso", "babl", "editor-ambient-sound"},    {"loli", "trch", "editor-local-light"},
        {"glli", "dusk", "editor-global-light"},     {"wind", "gust", "editor-wind"},
        {"form", "stnd", "editor-formation"},        {"conn", "rope", "editor-connector"},
        {"meef", "quak", "editor-mesh-effect"},      {"meli", "noon", "editor-mesh-lighting"},
        {"obpc", "camr", "editor-observer-constants"}, {"stli", "sayg", "editor-string-list"},
        {"ligh", "chai", "editor-lightning"},        {"medi", "watr", "editor-media-type"},
        {"part", "rain", "editor-particle-system"}, {"phys", "drft", "editor-local-physics"},
        {"scen", "tree", "editor-scenery"},        {"lpgr", "ripl", "editor-local-projectile-group"},
        {"prgr", "boom", "editor-projectile-group"}, {"unit", "dwar", "editor-units"},
        {"proj", "sach", "editor-projectile"},       {"mons", "dwar", "editor-monster"},
        {"bina", "optn", "dialog-preview"},
        {"spri", "fire", "editor-sprite-definition"}, {"grsp", "moss", "editor-ground-sprites"},
        {"skmd", "ogre", "editor-skeletal-model"}, {"txst", "demo", "texture-stack-editor"},
    };
    for (const Shot& s : shots) {
        TTagEditForm& editor = shooter.open(s.type, s.id);
        shooter.shot(*editor.parentWidget(), QString::fromLatin1(s.name));
        shooter.close(editor);
    }

    // The dialogs: the tag picker, the effect modifiers, the close prompt, the damage dialog.
    TTagEditForm& artifact = shooter.open("arti", "hamr");
    shooter.shoot_next_dialog(QStringLiteral("dialog-tag-picker"), 101);
    artifact.control<QAbstractButton>(10107)->click();
    shooter.close(artifact);
    TTagEditForm& object = shooter.open("obje", "shld");
    shooter.shoot_next_dialog(QStringLiteral("dialog-effect-modifiers"), 1002);
    object.control<QAbstractButton>(11613)->click();
    object.control<QLineEdit>(11601)->setText(QStringLiteral("-0.5"));
    shooter.shoot_next_dialog(QStringLiteral("dialog-commit-changes"), 103);
    app.frame().close_form(object);

    TTagEditForm& lightning = shooter.open("ligh", "chai");
    shooter.shoot_next_dialog(QStringLiteral("dialog-projectile-damage"), 1002);
    lightning.control<QAbstractButton>(10710)->click();
    shooter.close(lightning);
    TTagEditForm& physics = shooter.open("phys", "drft");
    shooter.shoot_next_dialog(QStringLiteral("dialog-linear-physics"), 1002);
    physics.control<QAbstractButton>(20802)->click();
    shooter.close(physics);
    TTagEditForm& projectile = shooter.open("proj", "sach");
    shooter.shoot_next_dialog(QStringLiteral("dialog-projectile-flags"), 21524);
    projectile.control<QAbstractButton>(12067)->click();
    shooter.close(projectile);
    TTagEditForm& monster = shooter.open("mons", "dwar");
    for (auto [button, name, cancel] : {std::tuple{11564, "dialog-monster-flags", 1002},
                                        std::tuple{11563, "dialog-monster-terrain", 1002},
                                        std::tuple{11562, "dialog-monster-sounds", 1002}}) {
        shooter.shoot_next_dialog(QString::fromLatin1(name), cancel);
        monster.control<QAbstractButton>(button)->click();
    }
    monster.control<QListWidget>(11514)->setCurrentRow(0);
    shooter.shoot_next_dialog(QStringLiteral("dialog-monster-attack"), 1002);
    emit monster.control<QListWidget>(11514)->itemActivated(monster.control<QListWidget>(11514)->item(0));
    shooter.close(monster);
    TTagEditForm& group = shooter.open("prgr", "boom");
    group.control<QListWidget>(11907)->setCurrentRow(0);
    shooter.shoot_next_dialog(QStringLiteral("dialog-projectile-group-part"), 1002);
    group.control<QAbstractButton>(11909)->click();
    shooter.close(group);
    TTagEditForm& sprite = shooter.open("spri", "fire");
    shooter.shoot_next_dialog(QStringLiteral("dialog-sprite-frame"), 102);
    sprite.control<QAbstractButton>(sprite_control::kEditFrame)->click();
    shooter.close(sprite);

    // The skeletal animation editor, its Animation Actions and Select Origin Bone dialogs.
    TTagEditForm& animations = shooter.open("skan", "strd");
    shooter.shot(*animations.parentWidget(), QStringLiteral("editor-skeletal-animation"));
    shooter.shoot_next_dialog(QStringLiteral("dialog-animation-actions"), frame_action_control::kCancel);
    animations.control<QAbstractButton>(skan_control::kFrameActions)->click();
    test::SklText strider;
    strider.bones = {{-1, "tag_origin_standard"}, {0, "Pelvis"}, {1, "Spine"}, {2, "Head"}, {1, "LeftThigh"},
                     {1, "RightThigh"}, {3, ""}};
    const std::string skl = workspace + "/strider_walk.skl";
    if (FILE* out = std::fopen(skl.c_str(), "wb")) {
        const std::string text = strider.text();
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
    }
    set_file_dialog_hook([&skl](const FileDialogRequest&) { return std::optional<QString>(QString::fromStdString(skl)); });
    shooter.shoot_next_dialog(QStringLiteral("dialog-select-origin-bone"), origin_bone_control::kCancel);
    animations.control<QAbstractButton>(skan_control::kImport)->click();
    set_file_dialog_hook({});
    shooter.close(animations);
    TTagEditForm& model = shooter.open("skmd", "ogre");
    for (auto [button, name] : {std::pair{skmd_control::kShadows, "dialog-edit-shadows"},
                                std::pair{skmd_control::kAttachments, "dialog-attachments"},
                                std::pair{skmd_control::kWind, "dialog-wind-physics"}}) {
        shooter.shoot_next_dialog(QString::fromLatin1(name), 101);
        model.control<QAbstractButton>(button)->click();
    }
    for (int overlay : {skmd_control::kShowBoxes, skmd_control::kShowHiliteRing, skmd_control::kFlat})
        model.control<QAbstractButton>(overlay)->click();
    shooter.shot(*model.parentWidget(), QStringLiteral("editor-skeletal-model-overlays"));
    shooter.close(model);

    // The texture stack editor's Texture Info and Recompress Texture dialogs.
    TTagEditForm& textures = shooter.open("txst", "demo");
    if (auto* access = dynamic_cast<TextureEditorAccess*>(&textures); access && access->stack_set()) {
        StackSet& set = *access->stack_set();
        shooter.shoot_next_dialog(QStringLiteral("dialog-texture-info"), texture_info_control::kCancel);
        run_texture_info_dialog(&textures, set, *set.stacks[2].textures[0]);
        shooter.shoot_next_dialog(QStringLiteral("dialog-recompress-texture"), recompress_control::kCancel);
        run_recompress_dialog(&textures, *set.stacks[0].textures[0], true, true);
    }
    shooter.close(textures);

    // The mesh's Mesh Terrain Window and the New Mesh dialog.
    TTagEditForm& terrain = shooter.open("mesh", "isle", true);
    shooter.shot(*terrain.parentWidget(), QStringLiteral("mesh-terrain-window"));
    shooter.close(terrain);
    shooter.shoot_next_dialog(QStringLiteral("new-mesh-dialog"), 101);
    run_new_mesh_dialog(&app.frame());
    XGDialog::set_modal_hook({});

    // The details on the demo's picture, the Check Workspace window and a dependency log.
    const auto place = [&shooter](QWidget& window, const char* name) {
        window.parentWidget()->move(12, 12);
        shooter.shot(*window.parentWidget(), QString::fromLatin1(name));
    };
    TagEntry* banner = app.db().find_tag(fourcc("jpeg"), fourcc("bann"));
    app.openTag(*banner, false);
    place(*TagEditorWindow::of(*banner), "tag-details");
    place(show_check_workspace(app), "check-workspace");
    FoundationBuild build(app.db());
    build.set_staged(true);
    const FoundationResult built = build.run_foundation_build(workspace + "/roots.txt", workspace);
    place(app.frame().add_form(std::make_unique<TDependencyLogForm>(
              app, QStringLiteral("%1 small tags, %2 large tags").arg(built.small).arg(built.large),
              build.log_path())),
          "dependency-log");
    return 0;
}
