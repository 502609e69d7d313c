#include "mesh/ui/map_panel.h"

#include "mesh/edit/brush.h"
#include "mesh/edit/mesh_markers_edit.h"
#include "render/map_scene.h"
#include "tags/tag_database.h"
#include "tags/tag_types.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace zephane {

using namespace map_panel_control;

namespace {

constexpr const char* kToolNames[6] = {"Band Grid", "Band Markers", "Water", "Terrain Type", "Pull Grid",
                                       "Smooth / Unsmooth"};

// The brush's weight over its radius, drawn from the centre (left) to the rim (right).
class BrushPreview : public QWidget {
public:
    explicit BrushPreview(QWidget* parent) : QWidget(parent) { setFixedHeight(56); }
    void set_brush(double width, double round, double soft) {
        width_ = width;
        round_ = round;
        soft_ = soft;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
        p.fillRect(rect(), palette().base());
        p.setPen(QPen(palette().mid().color(), 1));
        p.drawRect(area);
        QPainterPath curve;
        constexpr int kSteps = 64;
        for (int k = 0; k <= kSteps; ++k) {
            const double t = static_cast<double>(k) / kSteps;
            const double w = std::clamp(brush_weight(t * width_ * 0.999999, width_, round_, soft_), 0.0, 1.0);
            const QPointF at(area.left() + t * area.width(), area.bottom() - w * area.height());
            if (k == 0) curve.moveTo(at);
            else curve.lineTo(at);
        }
        QPainterPath filled = curve;
        filled.lineTo(area.bottomRight());
        filled.lineTo(area.bottomLeft());
        filled.closeSubpath();
        QColor fill = palette().highlight().color();
        fill.setAlpha(70);
        p.fillPath(filled, fill);
        p.setPen(QPen(palette().highlight().color(), 2));
        p.drawPath(curve);
        p.setPen(palette().text().color());
        p.drawText(area.adjusted(4, 2, -4, -2), Qt::AlignRight | Qt::AlignTop,
                   QStringLiteral("%1 cells").arg(width_, 0, 'f', 1));
    }

private:
    double width_ = 1, round_ = 0, soft_ = 0;
};

QIcon swatch(int type) {
    QPixmap pixmap(14, 14);
    const auto c = terrain_type_colour(type);
    pixmap.fill(QColor(c[0], c[1], c[2]));
    QPainter p(&pixmap);
    p.setPen(Qt::gray);
    p.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

} // namespace

QString palette_row_text(TagDatabase& db, const Mesh& mesh, std::size_t index) {
    const marker_palette_entry& entry = mesh.palette[index];
    if (entry.kind == 0) return QStringLiteral("Team %1").arg(entry.team);
    const tag_type type = palette_kind_tag_type(entry.kind);
    QString text = QStringLiteral("%1  -  ").arg(QString::fromLatin1(tag_id_to_text(entry.tag)));
    const TagEntry* tag = type ? db.find_tag(type, entry.tag) : nullptr;
    text += tag ? QString::fromStdString(tag->name)
                : QStringLiteral("<missing %1>").arg(QString::fromLatin1(tag_type_name(type)));
    if (entry.kind == kMonsterKind) text += QStringLiteral(" (team %1)").arg(entry.team);
    int users = 0, flagged = 0;
    for (std::size_t k = 0; k < mesh.markers.size(); ++k) {
        if (!marker_uses(mesh, k, index)) continue;
        ++users;
        if (mesh.markers[k].flags & 1) ++flagged;
    }
    if (users > 0) text += QStringLiteral(" (%1/%2)").arg(users - flagged).arg(users);
    return text;
}

TMeshPanel::TMeshPanel(TagDatabase& db, QWidget* parent) : QWidget(parent), db_(db) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    auto* tools = new QGroupBox(QStringLiteral("Tools"), this);
    build_tools(tools);
    layout->addWidget(tools);
    layout->addWidget(build_brush());
    terrain_pane_ = build_terrain();
    water_pane_ = build_water();
    layout->addWidget(terrain_pane_);
    layout->addWidget(water_pane_);
    layout->addWidget(build_palette(), 1);
    setFixedWidth(366);
}

void TMeshPanel::build_tools(QWidget* pane) {
    auto* grid = new QGridLayout(pane);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setSpacing(4);
    auto* group = new QButtonGroup(pane);
    for (int k = 0; k < 6; ++k) {
        auto* button = new QToolButton(pane);
        button->setText(QString::fromLatin1(kToolNames[k]));
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        group->addButton(button, kToolBandGrid + k);
        controls_.register_control(kToolBandGrid + k, button);
        grid->addWidget(button, k / 2, k % 2);
    }
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        if (refreshing_ || !state_) return;
        state_->tool = id;
        emit state_edited();
        refresh();
    });
}

void TMeshPanel::add_check(QWidget* box, int id, const QString& text, int mesh_command, bool radio) {
    QAbstractButton* button = radio ? static_cast<QAbstractButton*>(new QRadioButton(text, box))
                                    : static_cast<QAbstractButton*>(new QCheckBox(text, box));
    if (radio) static_cast<QRadioButton*>(button)->setAutoExclusive(false);
    controls_.register_control(id, button);
    menu_boxes_.push_back({id, mesh_command});
    box->layout()->addWidget(button);
    connect(button, &QAbstractButton::clicked, this, [this, mesh_command] {
        if (!refreshing_) emit command(mesh_command);
    });
}

QWidget* TMeshPanel::build_brush() {
    auto* pane = new QGroupBox(QStringLiteral("Brush"), this);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* form = new QFormLayout;
    form->setContentsMargins(0, 0, 0, 0);
    const struct {
        int id;
        const char* label;
    } sliders[] = {{kWidth, "Width:"}, {kRound, "Round:"}, {kSoft, "Soft:"}};
    for (const auto& s : sliders) {
        auto* slider = new QSlider(Qt::Horizontal, pane);
        slider->setRange(0, 1000);
        controls_.register_control(s.id, slider);
        form->addRow(QString::fromLatin1(s.label), slider);
        connect(slider, &QSlider::valueChanged, this, [this, id = s.id](int value) {
            if (refreshing_ || !state_) return;
            (id == kWidth ? state_->width_slider : id == kRound ? state_->round_slider : state_->soft_slider) = value;
            emit state_edited();
            refresh();
        });
    }
    layout->addLayout(form);
    auto* preview = new BrushPreview(pane);
    controls_.register_control(kBrushPreview, preview);
    layout->addWidget(preview);
    auto* groups = new QHBoxLayout;
    groups->setSpacing(4);
    const auto group = [&](const char* title) {
        auto* box = new QGroupBox(QString::fromLatin1(title), pane);
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(4, 2, 4, 2);
        column->setSpacing(0);
        groups->addWidget(box);
        return box;
    };
    using namespace mesh_command;
    QWidget* show = group("Show");
    add_check(show, kShowRender, QStringLiteral("Render"), kShowRenderGrid);
    add_check(show, kShowPhysics, QStringLiteral("Physics"), kShowPhysicsGrid);
    add_check(show, kShowMedia, QStringLiteral("Media"), kShowMediaGrid);
    add_check(show, kShowTerrain, QStringLiteral("Terrain"), kShowTerrainType);
    QWidget* mask = group("Mask");
    add_check(mask, kMaskRender, QStringLiteral("Render"), kModifyRenderGrid);
    add_check(mask, kMaskPhysical, QStringLiteral("Physical"), kModifyPhysicsGrid);
    add_check(mask, kMaskMedia, QStringLiteral("Media"), kModifyMediaGrid);
    add_check(mask, kMaskMarkers, QStringLiteral("Markers"), kModifyMarkersWithMesh);
    QWidget* click = group("Click");
    add_check(click, kClickRender, QStringLiteral("Render"), kClickRenderGrid, true);
    add_check(click, kClickPhysical, QStringLiteral("Physical"), kClickPhysicsGrid, true);
    add_check(click, kClickMedia, QStringLiteral("Media"), kClickMediaGrid, true);
    add_check(click, map_panel_control::kClickNone, QStringLiteral("None"), kClickNoGrid, true);
    layout->addLayout(groups);
    return pane;
}

QWidget* TMeshPanel::build_terrain() {
    auto* pane = new QGroupBox(QStringLiteral("Terrain"), this);
    auto* grid = new QGridLayout(pane);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(0);
    auto* group = new QButtonGroup(pane);
    for (int type = 0; type < kTerrainTypeCount; ++type) {
        auto* button = new QRadioButton(QString::fromLatin1(terrain_type_label(type)), pane);
        button->setIcon(swatch(type));
        group->addButton(button, kFirstTerrainType + type);
        controls_.register_control(kFirstTerrainType + type, button);
        grid->addWidget(button, type % 8, type / 8);
    }
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        if (refreshing_ || !state_) return;
        state_->terrain_type = id - kFirstTerrainType;
        emit state_edited();
    });
    return pane;
}

QWidget* TMeshPanel::build_water() {
    auto* pane = new QGroupBox(QStringLiteral("Water"), this);
    auto* form = new QFormLayout(pane);
    form->setContentsMargins(6, 4, 6, 4);
    auto* height = new QDoubleSpinBox(pane);
    height->setRange(0, 127.998);
    height->setDecimals(3);
    height->setSingleStep(0.25);
    controls_.register_control(kMediaHeight, height);
    form->addRow(QStringLiteral("Media Height:"), height);
    connect(height, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        if (refreshing_ || !state_) return;
        state_->media_height = value;
        emit state_edited();
    });
    return pane;
}

QWidget* TMeshPanel::build_palette() {
    auto* pane = new QGroupBox(QStringLiteral("Marker Palette"), this);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(6, 4, 6, 6);
    kind_ = new QComboBox(pane);
    for (const std::uint16_t kind : kPaletteKinds) kind_->addItem(QString::fromLatin1(palette_kind_name(kind)), kind);
    controls_.register_control(kPaletteKind, kind_);
    layout->addWidget(kind_);
    list_ = new QListWidget(pane);
    list_->setMinimumHeight(90);
    controls_.register_control(kPaletteList, list_);
    layout->addWidget(list_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    const struct {
        int id;
        const char* text;
    } rows[] = {{kPaletteNew, "New"}, {kPaletteEdit, "Edit"}, {kPaletteDelete, "Delete"}, {kPaletteSelect, "Select"}};
    for (const auto& row : rows) {
        auto* button = new QPushButton(QString::fromLatin1(row.text), pane);
        button->setAutoDefault(false);
        controls_.register_control(row.id, button);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, id = row.id] { emit palette_command(id); });
    }
    layout->addLayout(buttons);
    connect(kind_, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (refreshing_ || !state_ || row < 0) return;
        state_->palette_kind = kPaletteKinds[static_cast<std::size_t>(row)];
        refresh_palette();
    });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (refreshing_ || !state_ || !mesh_ || row < 0) return;
        state_->palette_selection[state_->palette_kind] = list_->item(row)->data(Qt::UserRole).toInt();
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { emit palette_command(kPaletteEdit); });
    return pane;
}

void TMeshPanel::set_mesh(Mesh* mesh, MapEditorState* state) {
    mesh_ = mesh;
    state_ = state;
    refresh();
}

void TMeshPanel::refresh() {
    if (!state_) return;
    refreshing_ = true;
    for (int k = 0; k < 6; ++k)
        if (auto* b = controls_.control<QToolButton>(kToolBandGrid + k)) b->setChecked(state_->tool == kToolBandGrid + k);
    controls_.control<QSlider>(kWidth)->setValue(state_->width_slider);
    controls_.control<QSlider>(kRound)->setValue(state_->round_slider);
    controls_.control<QSlider>(kSoft)->setValue(state_->soft_slider);
    static_cast<BrushPreview*>(find_control(kBrushPreview))
        ->set_brush(state_->brush_width(), state_->brush_round(), state_->brush_soft());
    for (const auto& [id, command] : menu_boxes_) {
        const MeshCommandState s = mesh_command_state(*state_, command);
        auto* button = qobject_cast<QAbstractButton*>(find_control(id));
        button->setEnabled(s.enabled);
        button->setChecked(s.checked);
    }
    if (auto* b = controls_.control<QRadioButton>(kFirstTerrainType + state_->terrain_type)) b->setChecked(true);
    // The terrain and water panes belong to their tools.
    terrain_pane_->setVisible(state_->tool == kToolTerrainType);
    water_pane_->setVisible(state_->tool == kToolWater);
    controls_.control<QDoubleSpinBox>(kMediaHeight)->setValue(state_->media_height);
    refreshing_ = false;
    refresh_palette();
}

void TMeshPanel::refresh_palette() {
    if (!state_) return;
    refreshing_ = true;
    const auto kind_row = std::find(kPaletteKinds.begin(), kPaletteKinds.end(), state_->palette_kind);
    kind_->setCurrentIndex(kind_row == kPaletteKinds.end() ? 0 : static_cast<int>(kind_row - kPaletteKinds.begin()));
    list_->clear();
    if (mesh_) {
        const int selected = state_->selected_palette_entry(*mesh_);
        for (std::size_t k = 0; k < mesh_->palette.size(); ++k) {
            if (mesh_->palette[k].kind != state_->palette_kind) continue;
            auto* item = new QListWidgetItem(palette_row_text(db_, *mesh_, k), list_);
            item->setData(Qt::UserRole, static_cast<int>(k));
            if (static_cast<int>(k) == selected) list_->setCurrentItem(item);
        }
    }
    refreshing_ = false;
}

} // namespace zephane
