#pragma once
// The read-only details that opens for a tag whose type has no editor ('jpeg', 'rawd',
// collections and the rest): the tag's facts (type, id, version, size, file, which loaded copy
// a lookup finds), its payload as a hex listing, and for 'jpeg' tags the picture.

#include "app/tag_editor_window.h"

class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QTabWidget;

namespace zephane {

class TTagDetailsForm : public TagEditorWindow {
    Q_OBJECT

public:
    static constexpr int kResource = 169;
    // Payloads above this many bytes show only their start in the hex listing.
    static constexpr std::size_t kHexLimit = 256 * 1024;

    TTagDetailsForm(TagDatabase& db, TagEntry& tag);
    QSize sizeHint() const override { return {720, 560}; } // room for the hex listing

    void reload() override;
    void tagChanged(tag_type type, tag_id id) override;

    // For tests and the screenshots.
    QLabel& fact(int row) const;
    QPlainTextEdit& hex() const { return *hex_; }
    QLabel& picture() const { return *picture_; }
    QTabWidget& pages() const { return *pages_; }

private:
    std::vector<QLabel*> facts_;
    QPlainTextEdit* hex_ = nullptr;
    QLabel* picture_ = nullptr;
    QScrollArea* picture_area_ = nullptr;
    QTabWidget* pages_ = nullptr;
};

// Rows of the facts, in order.
enum TagDetailsFact { kFactType, kFactId, kFactName, kFactVersion, kFactSize, kFactFile, kFactCopies, kFactCount };

// Makes the details the editor of every type without one of its own.
void register_tag_details();

} // namespace zephane
