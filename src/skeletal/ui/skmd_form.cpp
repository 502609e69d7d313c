#include "skeletal/ui/skmd_form.h"

#include "app/tag_edit_form.h"
#include "app/value_controls.h"
#include "base/byte_reader.h"
#include "base/errors.h"
#include "base/posix_file.h"
#include "framework/xg_alert.h"
#include "framework/xg_file_dialog.h"
#include "skeletal/box_tree_depth.h"
#include "skeletal/collision_build.h"
#include "skeletal/skan_records.h"
#include "skeletal/skl_import.h"
#include "skeletal/skl_reader.h"
#include "skeletal/skmd_edit.h"
#include "skeletal/skmd_payload.h"
#include "skeletal/skmd_posed.h"
#include "skeletal/ui/skmd_dialog.h"
#include "skeletal/ui/skmd_viewer.h"
#include "tags/tag_database.h"
#include "textures/texture_stack.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QOpenGLContext>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <cstddef>
#include <memory>
#include <tuple>
#include <cstring>

namespace zephane {

namespace {

using namespace skmd_control;

constexpr int kScaleDecimals = 4;
const QString kSkeletonFilter = QStringLiteral("Wend Skeleton Export|*.skl|All Files|*.*");

QString latin(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
QString number_text(std::size_t n) { return QString::number(n); }
QString size_text(double value) { return QString::asprintf("%.3f", value); }

bool opengl_available() {
    static const bool available = [] {
        QOpenGLContext context;
        context.setFormat(XGGLView::view_format());
        return context.create();
    }();
    return available;
}

class TskmdEditForm : public TTagEditForm {
public:
    TskmdEditForm(TagDatabase& db, TagEntry& tag)
        : TTagEditForm(kSkeletalModelSetResource, "Skeletal Model Set", db, tag) {
        auto* columns = new QHBoxLayout(content());
        columns->setContentsMargins(10, 10, 10, 10);
        columns->setSpacing(10);
        auto* left = new QVBoxLayout;
        left->addWidget(build_animation());
        left->addWidget(build_models());
        left->addWidget(build_model());
        left->addStretch(1);
        auto* middle = new QVBoxLayout;
        middle->addWidget(build_sizes());
        middle->addWidget(build_counts());
        middle->addWidget(build_collision());
        middle->addStretch(1);
        columns->addLayout(left);
        columns->addLayout(middle);
        columns->addLayout(build_view(), 1);
    }

protected:
    void do_reload() override {
        const Payload* payload = database().get_tag_data(tag());
        if (!payload) throw UserError(tag().name + " - The skeletal model set cannot be read.");
        SkmdLoad load;
        try {
            load = load_skmd_payload(*payload);
        } catch (const FormatError& e) {
            throw UserError(tag().name + " - The skeletal model set cannot be read: " + e.what());
        }
        set_ = std::move(load.set);
        baseline_ = save_skmd_payload(set_);
        stored_count_ = stored_model_count(*payload);
        partial_ = load.failure.has_value();
        auto* note = control<QLabel>(kLoadNote);
        note->setText(partial_ ? QString::asprintf("Only %zu of %zu models could be read (%s); Apply is "
                                                   "refused so that the others are not lost.",
                                                   set_.models.size(), stored_count_, load.failure->what())
                               : QString());
        note->setVisible(partial_);
        set_tag_reference(kAnimation, kSkeletalAnimationTagType, set_.header.animation);
        show_missing(kAnimation, kAnimationMissing, kSkeletalAnimationTagType);
        const int row = list_->currentRow();
        show_models(row >= 0 ? row : 0);
    }

    void do_apply() override {
        if (partial_)
            throw UserError(tag().name + " - Only " + std::to_string(set_.models.size()) + " of " +
                            std::to_string(stored_count_) +
                            " models could be read; applying would lose the others.");
        commit_controls();
        Payload bytes = save_skmd_payload(set_);
        if (bytes == baseline_) return; // nothing changed: the stored bytes stay as they are
        baseline_ = bytes;
        database().set_tag_data(tag(), std::move(bytes));
        settle();
    }

    bool differs_from_tag() override {
        if (!database().get_tag_data(tag())) return true;
        if (!refilling_) commit_controls();
        return save_skmd_payload(set_) != baseline_;
    }

    void contents_changed() override {
        if (refilling_) return;
        TTagEditForm::contents_changed();
        if (filling()) return;
        commit_controls();
        show_missing(kAnimation, kAnimationMissing, kSkeletalAnimationTagType);
        show_missing(kTextureStack, kTextureMissing, kTextureStackType);
        if (const SkeletalModel* m = shown_model()) {
            if (m->header.vertex_limit != shown_limit_) show_triangle_limit(*m);
            feed_overlays(*m);
        }
    }

    void tagChanged(tag_type type, tag_id id) override {
        TTagEditForm::tagChanged(type, id);
        show_missing(kAnimation, kAnimationMissing, kSkeletalAnimationTagType);
        show_missing(kTextureStack, kTextureMissing, kTextureStackType);
    }

private:
    // The header's model count as stored (a load that stops early lowers the set's).
    static std::size_t stored_model_count(const Payload& payload) {
        ByteReader reader(payload);
        reader.seek(offsetof(skmd_header, model_count), "model count");
        return reader.u16("model count");
    }

    // ---- Building ---------------------------------------------------------------------------
    QPushButton* button(int id, const char* text, QWidget* parent) {
        return add_button(id, QString::fromLatin1(text), parent, [this, id] { command(id); });
    }
    QCheckBox* check_box(int id, const char* text, QWidget* parent) {
        return add_check_box(id, QString::fromLatin1(text), parent);
    }
    QLineEdit* number_edit(int id, QWidget* parent, int width = 72) {
        auto* edit = new QLineEdit(parent);
        edit->setFixedWidth(width);
        edit->setAlignment(Qt::AlignRight);
        register_control(id, edit);
        return edit;
    }
    QLabel* value_label(int id, QWidget* parent) {
        auto* label = new QLabel(parent);
        label->setMinimumWidth(60);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        register_control(id, label);
        return label;
    }
    QWidget* reference_row(int id, int open_id, int missing_id, tag_type type, QWidget* parent) {
        auto* row = new QWidget(parent);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(make_reference_field(id, open_id, type, row), 1);
        layout->addWidget(warning_label(missing_id, QStringLiteral("(tag missing)"), row));
        return row;
    }
    // A hidden red note.
    QLabel* warning_label(int id, const QString& text, QWidget* parent) {
        auto* label = new QLabel(text, parent);
        label->setStyleSheet(QStringLiteral("QLabel { color: #a02000; }"));
        label->hide();
        register_control(id, label);
        return label;
    }

    QGroupBox* build_animation() {
        auto* group = new QGroupBox(QStringLiteral("Animation"), content());
        auto* layout = new QVBoxLayout(group);
        layout->addWidget(reference_row(kAnimation, kOpenAnimation, kAnimationMissing, kSkeletalAnimationTagType, group));
        QLabel* note = warning_label(kLoadNote, {}, group);
        note->setWordWrap(true);
        layout->addWidget(note);
        return group;
    }

    QGroupBox* build_models() {
        auto* group = new QGroupBox(QStringLiteral("Models"), content());
        auto* layout = new QHBoxLayout(group);
        list_ = new QListWidget(group);
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
        list_->setMinimumSize(180, 100);
        register_control(kModels, list_);
        layout->addWidget(list_, 1);
        auto* buttons = new QVBoxLayout;
        buttons->addWidget(button(kAdd, "Add...", group));
        buttons->addWidget(button(kDelete, "Delete", group));
        buttons->addWidget(button(kReimport, "Re-Import...", group));
        buttons->addStretch(1);
        layout->addLayout(buttons);
        connect(list_, &QListWidget::currentRowChanged, this, [this] {
            if (refilling_) return;
            commit_controls();
            show_selected();
        });
        return group;
    }

    QGroupBox* build_model() {
        auto* group = new QGroupBox(QStringLiteral("Model"), content());
        auto* form = new QFormLayout(group);
        auto* name = new QLineEdit(group);
        name->setMaxLength(static_cast<int>(sizeof(skmd_model_header::name) - 1));
        register_control(kName, name);
        form->addRow(QStringLiteral("Name:"), name);
        form->addRow(QStringLiteral("Probability:"), number_edit(kProbability, group));
        form->addRow(QStringLiteral("Texture Stack:"),
                     reference_row(kTextureStack, kOpenTextureStack, kTextureMissing, kTextureStackType, group));
        form->addRow(QStringLiteral("Model Scale:"), number_edit(kScale, group));
        form->addRow(check_box(kAdjustSizes, "Adjust sizes when changing model scale", group));
        connect(control<QLineEdit>(kScale), &QLineEdit::editingFinished, this, [this] {
            if (filling() || refilling_) return;
            commit_controls();
            settle();
        });
        auto* limit = new QHBoxLayout;
        limit->addWidget(number_edit(kVertexLimit, group));
        limit->addSpacing(12);
        limit->addWidget(new QLabel(QStringLiteral("LOD Tri limit:"), group));
        limit->addWidget(value_label(kTriangleLimit, group));
        limit->addStretch(1);
        form->addRow(QStringLiteral("LOD Vert limit:"), limit);
        connect(control<QLineEdit>(kVertexLimit), &QLineEdit::editingFinished, this, [this] {
            if (filling() || refilling_) return;
            commit_controls();
            settle(); // shows the clamped limit
        });
        auto* actions = new QGridLayout;
        actions->addWidget(check_box(kTwoSided, "Front and Back faces", group), 0, 0, 1, 2);
        actions->addWidget(button(kInsideOut, "Inside-Out", group), 1, 0);
        actions->addWidget(button(kShadows, "Shadows...", group), 1, 1);
        actions->addWidget(button(kAttachments, "Attachments...", group), 2, 0);
        actions->addWidget(button(kWind, "Wind Physics...", group), 2, 1);
        form->addRow(actions);
        return group;
    }

    QGroupBox* build_sizes() {
        auto* group = new QGroupBox(QStringLiteral("Sizes"), content());
        auto* grid = new QGridLayout(group);
        const char* heads[] = {"Radius", "Height0", "Height1"};
        for (int c = 0; c < 3; ++c)
            grid->addWidget(new QLabel(QString::fromLatin1(heads[c]), group), 0, c + 1, Qt::AlignCenter);
        const std::pair<int, const char*> rows[] = {{kCollision, "Collision:"}, {kClick, "Click:"},
                                                   {kHilight, "Hilight:"}, {kImported, "Imported:"},
                                                   {kScaled, "Scaled:"}};
        int r = 1;
        for (auto [first, text] : rows) {
            grid->addWidget(new QLabel(QString::fromLatin1(text), group), r, 0);
            for (int c = 0; c < 3; ++c) {
                if (first == kImported || first == kScaled)
                    grid->addWidget(value_label(first + c, group), r, c + 1);
                else
                    grid->addWidget(number_edit(first + c, group, 80), r, c + 1);
            }
            ++r;
        }
        return group;
    }

    QGroupBox* build_counts() {
        auto* group = new QGroupBox(QStringLiteral("Counts"), content());
        auto* grid = new QGridLayout(group);
        // Vertices on the left, triangles on the right.
        const std::tuple<int, const char*, int, int> counts[] = {
            {kBones, "Bones:", 0, 0},
            {kMaxVertices, "Max Vertices:", 1, 0},     {kMaxTriangles, "Max Triangles:", 1, 2},
            {kMinVertices, "Min Vertices:", 2, 0},     {kMinTriangles, "Min Triangles:", 2, 2},
            {kDisplayedVerts, "Displayed Verts:", 3, 0}, {kDisplayedTris, "Displayed Tris:", 3, 2}};
        for (auto [id, text, row, column] : counts) {
            grid->addWidget(new QLabel(QString::fromLatin1(text), group), row, column);
            grid->addWidget(value_label(id, group), row, column + 1);
        }
        grid->setColumnMinimumWidth(2, 110);
        return group;
    }

    QGroupBox* build_collision() {
        auto* group = new QGroupBox(QStringLiteral("Complex Collision Data"), content());
        auto* layout = new QVBoxLayout(group);
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Triangles:"), value_label(kCollisionTriangles, group));
        form->addRow(QStringLiteral("Boxes:"), value_label(kCollisionBoxes, group));
        form->addRow(QStringLiteral("Box Tree Depth:"), value_label(kBoxTreeDepth, group));
        layout->addLayout(form);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(button(kBuildCollision, "(Re)build", group));
        buttons->addWidget(button(kDeleteCollision, "Delete", group));
        buttons->addStretch(1);
        layout->addLayout(buttons);
        return group;
    }

    QVBoxLayout* build_view() {
        auto* layout = new QVBoxLayout;
        // Without OpenGL a view inside the window would take it down when the window is
        // drawn: the view then stays outside it, never shown (it still follows the model), and
        // a note stands in its place.
        if (opengl_available()) {
            viewer_ = new TskmdViewer(database(), content());
            viewer_->setMinimumSize(320, 320);
            layout->addWidget(viewer_, 1);
        } else {
            unshown_viewer_ = std::make_unique<TskmdViewer>(database());
            viewer_ = unshown_viewer_.get();
            auto* note = new QLabel(QStringLiteral("OpenGL is not available: the model cannot be shown."), content());
            note->setAlignment(Qt::AlignCenter);
            note->setMinimumSize(320, 320);
            note->setFrameShape(QFrame::StyledPanel);
            layout->addWidget(note, 1);
        }
        register_control(kViewer, viewer_);
        auto* detail = new QHBoxLayout;
        detail->addWidget(new QLabel(QStringLiteral("Detail:"), content()));
        auto* slider = new QSlider(Qt::Horizontal, content());
        register_control(kDetail, slider);
        detail->addWidget(slider, 1);
        layout->addLayout(detail);
        connect(slider, &QSlider::valueChanged, this, [this] {
            if (const SkeletalModel* m = shown_model()) feed_geometry(*m);
        });

        auto* display = new QGroupBox(QStringLiteral("Display"), content());
        auto* grid = new QGridLayout(display);
        auto* modes = new QButtonGroup(display);
        int column = 0;
        for (auto [id, text] : {std::pair{kSmooth, "Smooth"}, std::pair{kFlat, "Flat"}, std::pair{kWire, "Wire"}}) {
            auto* radio = new QRadioButton(QString::fromLatin1(text), display);
            register_control(id, radio);
            modes->addButton(radio, column);
            grid->addWidget(radio, 0, column++);
        }
        control<QRadioButton>(kSmooth)->setChecked(true);
        grid->addWidget(check_box(kNormals, "Normals", display), 0, 3);
        grid->addWidget(check_box(kShowBoxes, "Collision Boxes", display), 1, 0, 1, 2);
        grid->addWidget(check_box(kShowCollisionVolume, "Collision Volume", display), 1, 2, 1, 2);
        grid->addWidget(check_box(kShowClickVolume, "Click Volume", display), 2, 0, 1, 2);
        grid->addWidget(check_box(kShowHiliteRing, "Hilite Ring", display), 2, 2, 1, 2);
        layout->addWidget(display);
        connect(modes, &QButtonGroup::idToggled, this, [this](int id, bool on) {
            if (on) viewer_->set_display_mode(static_cast<ModelDisplay>(id));
        });
        connect(control<QCheckBox>(kNormals), &QCheckBox::toggled, this, [this](bool on) { viewer_->set_normals(on); });
        for (int id : {kShowBoxes, kShowCollisionVolume, kShowClickVolume, kShowHiliteRing})
            connect(control<QCheckBox>(id), &QCheckBox::toggled, this, [this] { feed_overlays_shown(); });
        return layout;
    }

    // ---- The working copy ---------------------------------------------------------------------
    SkeletalModel* shown_model() {
        return shown_ < set_.models.size() ? &set_.models[shown_] : nullptr;
    }

    // The controls into the working copy: the animation, and the shown model's values. A
    // size box the user has not typed in follows the scale when "Adjust sizes" is checked.
    void commit_controls() {
        if (filling() || refilling_) return;
        set_.header.animation = get_tag_reference(kAnimation);
        SkeletalModel* m = shown_model();
        if (!m) return;
        skmd_model_header& h = m->header;
        skmd_model_entry& entry = set_.header.entries[shown_];
        const std::string name = get_text(kName, sizeof h.name);
        std::memset(h.name, 0, sizeof h.name);
        std::memcpy(h.name, name.data(), name.size());
        entry.probability = static_cast<std::uint16_t>(std::clamp<long>(get_integer(kProbability), 0, 65535));
        h.texture_stack = get_tag_reference(kTextureStack);
        entry.flags = static_cast<std::uint16_t>(get_boolean(kTwoSided) ? entry.flags | 1u : entry.flags & ~1u);

        skmd_model_header sizes = shown_header_; // the values and scale last shown
        change_model_scale(sizes, get_decimal(kScale), get_boolean(kAdjustSizes));
        h.scale = sizes.scale;
        std::int32_t* stored[] = {h.collision_size, h.click_size, h.highlight_size};
        const std::int32_t* followed[] = {sizes.collision_size, sizes.click_size, sizes.highlight_size};
        for (int row = 0; row < 3; ++row)
            for (int c = 0; c < 3; ++c) {
                const int id = kCollision + 3 * row + c;
                stored[row][c] = is_untouched(id) ? followed[row][c] : get_world_distance_32(id);
            }
        h.vertex_limit = static_cast<std::uint16_t>(
            std::clamp<long>(get_integer(kVertexLimit), h.minimum_vertex_count,
                             std::max(h.minimum_vertex_count, h.vertex_count)));
    }

    // The list and the selected model's controls from the working copy.
    void show_models(int select) {
        {
            const QSignalBlocker quiet(list_);
            list_->clear();
            for (const SkeletalModel& m : set_.models)
                list_->addItem(latin(std::string(m.header.name, strnlen(m.header.name, sizeof m.header.name))));
            list_->setCurrentRow(std::min(select, list_->count() - 1));
        }
        show_selected();
    }

    // Shows the selected model again (after a change the controls did not make).
    void settle() { show_models(list_->currentRow()); }

    void show_selected() {
        refilling_ = true;
        const int row = list_->currentRow();
        shown_ = row >= 0 ? static_cast<std::size_t>(row) : set_.models.size();
        const SkeletalModel* m = shown_model();
        enable_control(kAdd, set_.models.size() < kMaxSkeletalModels);
        for (int id : {kDelete, kReimport, kName, kProbability, kTextureStack, kScale, kAdjustSizes,
                       kVertexLimit, kDetail, kTwoSided, kInsideOut, kShadows, kAttachments, kWind,
                       kBuildCollision})
            enable_control(id, m != nullptr);
        for (int id = kCollision; id < kImported; ++id) enable_control(id, m != nullptr);
        if (m) {
            show_model(*m);
        } else {
            for (int id : {kName, kProbability, kScale, kVertexLimit}) control<QLineEdit>(id)->clear();
            for (int id = kCollision; id < kImported; ++id) control<QLineEdit>(id)->clear();
            for (int id = kImported; id <= kTriangleLimit; ++id)
                if (auto* label = control<QLabel>(id)) label->clear();
            control<QCheckBox>(kTwoSided)->setChecked(false);
            set_tag_reference(kTextureStack, kTextureStackType, kNoTag);
            show_collision(nullptr);
            viewer_->set_geometry({});
            viewer_->set_collision_overlay({}, {}, 1.0f);
            viewer_->set_click_overlay({});
            viewer_->set_highlight_overlay({});
            viewer_->set_texture(kNoTag, 0);
        }
        refilling_ = false;
        show_missing(kTextureStack, kTextureMissing, kTextureStackType);
        TTagEditForm::contents_changed();
    }

    void show_model(const SkeletalModel& m) {
        const skmd_model_header& h = m.header;
        const skmd_model_entry& entry = set_.header.entries[shown_];
        shown_header_ = h;
        set_text(kName, std::string(h.name, strnlen(h.name, sizeof h.name)));
        set_integer(kProbability, entry.probability);
        set_tag_reference(kTextureStack, kTextureStackType, h.texture_stack);
        set_decimal(kScale, h.scale, kScaleDecimals);
        const std::int32_t* sizes[] = {h.collision_size, h.click_size, h.highlight_size};
        for (int row = 0; row < 3; ++row)
            for (int c = 0; c < 3; ++c) set_world_distance_32(kCollision + 3 * row + c, sizes[row][c]);
        const ModelExtent extent = model_extent(m);
        const double own[] = {extent.radius, extent.lowest, extent.highest};
        for (int c = 0; c < 3; ++c) {
            control<QLabel>(kImported + c)->setText(size_text(own[c]));
            control<QLabel>(kScaled + c)->setText(size_text(own[c] * static_cast<double>(h.scale)));
        }
        set_boolean(kTwoSided, entry.flags & 1u);
        set_integer(kVertexLimit, h.vertex_limit);
        control<QLabel>(kBones)->setText(number_text(m.bones.size()));
        control<QLabel>(kMaxVertices)->setText(number_text(h.vertex_count));
        control<QLabel>(kMaxTriangles)->setText(number_text(pose_model(m, h.vertex_count).triangle_count()));
        control<QLabel>(kMinVertices)->setText(number_text(h.minimum_vertex_count));
        control<QLabel>(kMinTriangles)->setText(number_text(pose_model(m, h.minimum_vertex_count).triangle_count()));
        show_triangle_limit(m);
        show_collision(&m);
        auto* slider = control<QSlider>(kDetail);
        {
            const QSignalBlocker quiet(slider);
            const bool same_range = slider->minimum() == h.minimum_vertex_count && slider->maximum() == h.vertex_count;
            slider->setRange(h.minimum_vertex_count, std::max(h.minimum_vertex_count, h.vertex_count));
            if (!same_range) slider->setValue(h.vertex_count);
        }
        feed_geometry(m);
        feed_overlays(m);
    }

    void show_triangle_limit(const SkeletalModel& m) {
        shown_limit_ = m.header.vertex_limit;
        control<QLabel>(kTriangleLimit)->setText(number_text(pose_model(m, m.header.vertex_limit).triangle_count()));
    }

    void show_collision(const SkeletalModel* m) {
        const bool boxes = m && !m->boxes.empty();
        enable_control(kDeleteCollision, m && (boxes || !m->collision_triangles.empty()));
        if (!boxes) {
            for (int id : {kCollisionTriangles, kCollisionBoxes, kBoxTreeDepth})
                control<QLabel>(id)->setText(QStringLiteral("--"));
            return;
        }
        const BoxTreeDepth depth = box_tree_depth(m->boxes);
        control<QLabel>(kCollisionTriangles)->setText(QString::asprintf("%d", static_cast<int>(m->collision_triangles.size())));
        control<QLabel>(kCollisionBoxes)->setText(QString::asprintf("%d", static_cast<int>(m->boxes.size())));
        control<QLabel>(kBoxTreeDepth)->setText(QString::asprintf("%d, %.1f, %d", depth.minimum, depth.average, depth.maximum));
    }

    void show_missing(int reference, int missing, tag_type type) {
        const tag_id id = get_tag_reference(reference);
        const bool absent = control_at(reference)->isEnabled() && !is_null_reference(id) &&
                            !database().find_tag(type, id);
        control<QLabel>(missing)->setVisible(absent);
    }

    // ---- The viewer ---------------------------------------------------------------------------
    void feed_geometry(const SkeletalModel& m) {
        const PosedModel posed = pose_model(m, control<QSlider>(kDetail)->value());
        control<QLabel>(kDisplayedVerts)->setText(number_text(posed.positions.size()));
        control<QLabel>(kDisplayedTris)->setText(number_text(posed.triangle_count()));
        viewer_->set_geometry(posed);
    }

    static VolumeSize volume(const std::int32_t (&size)[3]) {
        return {static_cast<float>(size[0]) / 512.0f, static_cast<float>(size[2]) / 512.0f,
                static_cast<float>(size[1]) / 512.0f};
    }

    // What the viewer shows besides the geometry: both faces or one, the overlays, the texture.
    void feed_overlays(const SkeletalModel& m) {
        const skmd_model_header& h = m.header;
        viewer_->set_two_sided(set_.header.entries[shown_].flags & 1u);
        const float factor = h.scale != 0.0f ? 1.0f / (h.scale * 512.0f) : 1.0f / 512.0f;
        viewer_->set_collision_overlay(m.boxes, volume(h.collision_size), factor);
        viewer_->set_click_overlay(volume(h.click_size));
        viewer_->set_highlight_overlay(volume(h.highlight_size));
        viewer_->set_texture(is_null_reference(h.texture_stack) ? kNoTag : h.texture_stack, 0);
        feed_overlays_shown();
    }

    void feed_overlays_shown() {
        viewer_->set_overlays_shown({get_boolean(kShowBoxes), get_boolean(kShowCollisionVolume),
                                     get_boolean(kShowClickVolume), get_boolean(kShowHiliteRing)});
    }

    // ---- Commands -------------------------------------------------------------------------------
    std::optional<SkeletalModel> import_model() {
        FileDialogRequest request;
        request.kind = FileDialogRequest::kOpen;
        request.filter = kSkeletonFilter;
        request.default_extension = QStringLiteral("skl");
        const std::optional<QString> path = xg_choose_file(this, request);
        if (!path) return std::nullopt;
        const std::string file = path->toStdString();
        const auto bytes = read_whole_file(file);
        if (!bytes) throw UserError("Cannot read " + file + ".");
        ModelBuild build = build_skeletal_model(read_skeleton_export(*bytes), model_name_for(file));
        if (!build.model) throw UserError(file + ": " + build.refusal);
        return std::move(build.model);
    }

    void command(int id) {
        commit_controls();
        SkeletalModel* m = shown_model();
        switch (id) {
        case kAdd: {
            if (set_.models.size() >= kMaxSkeletalModels) return;
            std::optional<SkeletalModel> model = import_model();
            if (!model || !add_model(set_, std::move(*model))) return;
            show_models(static_cast<int>(set_.models.size()) - 1);
            break;
        }
        case kDelete:
            if (!m) return;
            delete_model(set_, shown_);
            show_models(static_cast<int>(shown_));
            break;
        case kReimport: {
            if (!m) return;
            std::optional<SkeletalModel> model = import_model();
            if (!model) return;
            *m = std::move(*model);
            settle();
            break;
        }
        case kInsideOut:
            if (!m) return;
            turn_inside_out(*m);
            settle();
            break;
        case kShadows:
            if (!m || !run_shadow_dialog(this, m->bones)) return;
            break;
        case kAttachments: {
            const TagPick pick = [this](tag_type type, tag_id current) { return pick_tag(type, current); };
            if (!m || !run_attachment_dialog(this, database(), pick, m->bones)) return;
            break;
        }
        case kWind:
            if (!m || !run_wind_dialog(this, m->bones)) return;
            break;
        case kBuildCollision: {
            if (!m) return;
            std::string refusal;
            if (!zephane::build_collision(*m, refusal)) throw UserError(refusal);
            settle();
            break;
        }
        case kDeleteCollision:
            if (!m) return;
            delete_collision(*m);
            settle();
            break;
        default: return;
        }
        contents_changed();
    }

    SkeletalModelSet set_;
    Payload baseline_;         // what Apply would store for the set as read
    bool partial_ = false;     // the load stopped before the last model
    std::size_t stored_count_ = 0;
    std::size_t shown_ = 0;    // the model the controls show; past the end for none
    skmd_model_header shown_header_{};
    std::uint16_t shown_limit_ = 0;
    bool refilling_ = false;
    QListWidget* list_ = nullptr;
    TskmdViewer* viewer_ = nullptr;
    std::unique_ptr<TskmdViewer> unshown_viewer_; // the view when there is no OpenGL
};

} // namespace

void register_skeletal_model_editor() {
    attach_tag_editor(kSkeletalModelTagType,
                      [](TagDatabase& db, TagEntry& tag) { return make_tag_editor<TskmdEditForm>(db, tag); });
}

} // namespace zephane
