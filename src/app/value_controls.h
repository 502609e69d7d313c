#pragma once
// Controls that show stored values the way editors need: a tag reference button that keeps
// the identifier it shows, and a colour swatch.

#include "tags/tag_code.h"

#include <QPushButton>
#include <QWidget>

namespace zephane {

class TagDatabase;

// The name button of a tag reference field: it stores a tag identifier and shows the
// referenced tag's name, "(missing tag '%s')" or "(tag unassigned)".
class TagReferenceButton : public QPushButton {
    Q_OBJECT

public:
    explicit TagReferenceButton(QWidget* parent = nullptr);

    // Shows a stored reference. Until the user chooses another, reading gives back exactly
    // this identifier (0 and −1 both mean none, and a payload keeps the one it had).
    void show_reference(const TagDatabase& db, tag_type type, tag_id id);
    // The user's choice: −1 (or 0) for none.
    void choose(const TagDatabase& db, tag_id id);
    // The label again, after the referenced tag changed.
    void relabel(const TagDatabase& db);

    tag_type type() const { return type_; }
    tag_id id() const { return id_; }
    // The identifier to store: the one shown when untouched, else −1 for none.
    tag_id stored_id() const;
    bool chosen() const { return chosen_; }

signals:
    // The user chose another reference.
    void reference_changed();
    // The label was set again (any reason).
    void relabelled();

private:
    tag_type type_ = 0;
    tag_id id_ = kNoTag;
    bool chosen_ = false;
};

// A 4 × 4 picture of a colour made from the high bytes of three 16-bit components, scaled up
// to the swatch's size.
class ColourSwatch : public QWidget {
    Q_OBJECT

public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    void set_colour(std::uint16_t red, std::uint16_t green, std::uint16_t blue);
    QColor colour() const { return colour_; }
    QSize sizeHint() const override { return {36, 36}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_{Qt::black};
};

} // namespace zephane
