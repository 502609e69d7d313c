#include "textures/ui/texture_info_dialog.h"

#include "app/app_texts.h"
#include "base/errors.h"
#include "framework/xg_alert.h"
#include "framework/xg_dialog.h"
#include "textures/texture_pixels.h"
#include "textures/texture_placement.h"
#include "textures/texture_stack.h"
#include "textures/ui/recompress_dialog.h"
#include "textures/ui/texture_image.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <cmath>

namespace zephane {

namespace {

using namespace texture_info_control;

constexpr int kPreviewSide = 256;

// The preview: the texture with the placement parallelogram over it, its lines wrapping
// around the edges as the texture repeats.
class PlacementPreview : public QLabel {
public:
    PlacementPreview(QImage picture, QWidget* parent) : QLabel(parent), picture_(std::move(picture)) {
        setFixedSize(kPreviewSide, kPreviewSide);
        setFrameShape(QFrame::StyledPanel);
    }
    // Corners in texture units of the given sides; nothing drawn when hidden.
    void show_placement(const Placement& placement, int side_x, int side_y, bool visible) {
        placement_ = placement;
        side_x_ = side_x;
        side_y_ = side_y;
        visible_ = visible;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        if (picture_.isNull()) return;
        const QImage scaled = picture_.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const QRect area((width() - scaled.width()) / 2, (height() - scaled.height()) / 2, scaled.width(),
                         scaled.height());
        painter.drawImage(area.topLeft(), scaled);
        if (!visible_ || side_x_ <= 0 || side_y_ <= 0) return;
        painter.setClipRect(area);
        painter.setPen(QPen(QColor(255, 40, 40), 2));
        const auto at = [&](double x, double y) {
            return QPointF(area.left() + x / side_x_ * area.width(), area.top() + y / side_y_ * area.height());
        };
        const QPointF o = at(placement_[0], placement_[1]);
        const QPointF u = at(placement_[0] + placement_[2], placement_[1] + placement_[3]);
        const QPointF v = at(placement_[0] + placement_[4], placement_[1] + placement_[5]);
        const QPointF uv = u + (v - o);
        const QPointF corners[] = {o, u, uv, v, o};
        // Wrapped: each edge drawn again shifted by whole preview sizes, so what leaves one
        // side comes back at the other.
        for (int dx = -2; dx <= 2; ++dx)
            for (int dy = -2; dy <= 2; ++dy) {
                const QPointF shift(dx * area.width(), dy * area.height());
                for (int k = 0; k < 4; ++k) painter.drawLine(corners[k] + shift, corners[k + 1] + shift);
            }
    }

private:
    QImage picture_;
    Placement placement_{};
    int side_x_ = 0, side_y_ = 0;
    bool visible_ = false;
};

double typed(const QLineEdit& edit) {
    bool ok = false;
    const double value = edit.text().trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

} // namespace

bool run_texture_info_dialog(QWidget* parent, StackSet& set, stacked_texture& texture) {
    const TexturePlace place = find_texture(set, &texture);
    if (!place.found()) return false;
    TextureStack& stack = set.stacks[static_cast<std::size_t>(place.stack)];
    bool recompressed = false;

    XGDialog dialog(kResource, QStringLiteral("Texture Info"), parent);
    dialog.set_cancel_id(kCancel);
    auto* layout = new QVBoxLayout(&dialog);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);
    auto* fields = new QVBoxLayout;
    columns->addLayout(fields);

    auto* kind = new QComboBox(&dialog);
    const auto kinds = texture_info_kinds(texture.channels);
    int current_kind = 0;
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        kind->addItem(QString::fromLatin1(texture_info_entry(kinds[k])), kinds[k]);
        if (kinds[k] == texture.layer_kind) current_kind = static_cast<int>(k);
    }
    // A kind the popup does not offer (a stored value of another meaning) stays as stored.
    if (kinds.end() == std::find(kinds.begin(), kinds.end(), texture.layer_kind)) {
        kind->addItem(QString::fromStdString(layer_kind_label(texture.layer_kind, texture.layer)),
                      texture.layer_kind);
        current_kind = kind->count() - 1;
    }
    kind->setCurrentIndex(current_kind);
    fields->addWidget(kind);
    dialog.register_control(kKind, kind);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fields->addLayout(form);
    auto* layer = new QLineEdit(QString::number(texture.layer), &dialog);
    layer->setMaxLength(3);
    layer->setFixedWidth(layer->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    form->addRow(QStringLiteral("Layer:"), layer);
    dialog.register_control(kLayer, layer);
    auto* logo = new QCheckBox(QStringLiteral("Apply Team Logo"), &dialog);
    form->addRow(QString(), logo);
    dialog.register_control(kTeamLogo, logo);

    std::array<QLineEdit*, 6> edits{};
    const char* labels[] = {"Origin:", "dU:", "dV:"};
    for (int row = 0; row < 3; ++row) {
        auto* pair = new QHBoxLayout;
        for (int k = 0; k < 2; ++k) {
            auto* edit = new QLineEdit(&dialog);
            edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-00000.000")) + 12);
            edit->setAlignment(Qt::AlignRight);
            edits[static_cast<std::size_t>(row * 2 + k)] = edit;
            dialog.register_control(kOriginX + row * 2 + k, edit);
            pair->addWidget(edit);
        }
        form->addRow(QString::fromLatin1(labels[row]), pair);
    }
    auto* downsample = new QCheckBox(QStringLiteral("Do not downsample"), &dialog);
    downsample->setChecked(stack.flags & kStackDoNotDownsample);
    form->addRow(QString(), downsample);
    dialog.register_control(kDoNotDownsample, downsample);
    fields->addStretch(1);

    const Thumbnail& thumb = texture_thumbnail(texture);
    auto* preview = new PlacementPreview(thumbnail_view(thumb).copy(), &dialog);
    columns->addWidget(preview);
    dialog.register_control(kPreview, preview);

    auto* buttons = new QHBoxLayout;
    auto* recompress = new QPushButton(QStringLiteral("Recompress..."), &dialog);
    recompress->setAutoDefault(false);
    dialog.register_control(kRecompress, recompress);
    buttons->addWidget(recompress);
    layout->addLayout(buttons);
    dialog.add_end_buttons(*buttons, kCancel, QString::fromLatin1(text::kCancel), kOk,
                           QString::fromLatin1(text::kOk));

    // Shown values: the stored placement, or the proposal when a vector is zero.
    const bool any_placement = texture.origin_u || texture.origin_v || texture.du_u || texture.du_v ||
                               texture.dv_u || texture.dv_v;
    const Placement shown = placement_incomplete(texture) ? proposed_placement(texture, texture.layer_kind)
                                                          : shown_placement(texture, texture.layer_kind);
    for (std::size_t k = 0; k < 6; ++k) edits[k]->setText(QString::fromStdString(placement_text(shown[k])));
    logo->setChecked(team_logo_state(texture.layer_kind, any_placement));

    bool free_logo = logo->isChecked();
    const auto chosen_kind = [&] { return kind->currentData().toInt(); };
    const auto current_placement = [&] {
        Placement p{};
        for (std::size_t k = 0; k < 6; ++k) p[k] = typed(*edits[k]);
        return p;
    };
    const auto refresh = [&] {
        const int k = chosen_kind();
        const TextureInfoRules rules = texture_info_rules(k);
        layer->setEnabled(rules.layer_live);
        {
            const QSignalBlocker quiet(logo);
            logo->setChecked(team_logo_state(k, free_logo));
        }
        logo->setEnabled(rules.team_logo == TeamLogoRule::free);
        for (QLineEdit* edit : edits) edit->setEnabled(logo->isChecked());
        const PlacementSides sides = placement_sides(texture, k);
        preview->show_placement(current_placement(), sides.x, sides.y, logo->isChecked());
    };
    QObject::connect(kind, &QComboBox::currentIndexChanged, &dialog, refresh);
    QObject::connect(logo, &QCheckBox::toggled, &dialog, [&](bool on) {
        free_logo = on;
        refresh();
    });
    for (QLineEdit* edit : edits) QObject::connect(edit, &QLineEdit::textChanged, &dialog, refresh);
    QObject::connect(recompress, &QPushButton::clicked, &dialog, [&] {
        const auto choice = run_recompress_dialog(&dialog, texture, false, false);
        if (!choice) return;
        std::string problem;
        if (!recompress_texture(texture, choice->quality, &problem)) {
            report_exception(&dialog, UserError("The texture could not be recompressed: " + problem));
            return;
        }
        recompressed = true;
        set.dirty = true;
    });
    refresh();

    if (dialog.run() != kOk) return recompressed;
    TextureInfoChoice choice;
    choice.layer_kind = static_cast<std::uint8_t>(chosen_kind());
    choice.layer = layer->text().trimmed().toInt();
    choice.team_logo = logo->isChecked();
    choice.placement = current_placement();
    choice.do_not_downsample = downsample->isChecked();
    apply_texture_info(texture, stack.flags, choice);
    set.dirty = true;
    return true;
}

} // namespace zephane
