#pragma once
// The identifier block of the Create New Tag and Tag Info dialogs: radio buttons 3 to 6
// choose how the identifier is made, edit 7 shows it (and takes it when "Specify:" is chosen).

#include "tags/tag_database.h"

#include <QObject>
#include <string>

class QBoxLayout;
class QLineEdit;
class QRadioButton;

namespace zephane {

class XGDialog;

enum class IdScope : int {
    kNameOnly = 3, // "Based on name only"
    kGlobal = 4,   // "Globally unique within type"
    kInFile = 5,   // "Unique for type within file"
    kSpecify = 6,  // "Specify:" and the four characters typed into edit 7
};

// The identifier a scope gives for a name and type; for kSpecify, the typed text with each
// byte below 32 or above 127 replaced by "_" ("____" means no identifier).
tag_id id_for_scope(const TagDatabase& db, IdScope scope, const std::string& name, tag_type type,
                    const TagFile* file, const std::string& typed);

class TagIdChooser : public QObject {
    Q_OBJECT

public:
    static constexpr int kIdControl = 7;

    TagIdChooser(XGDialog& dialog, QBoxLayout& layout, IdScope initial);
    IdScope scope() const;
    // Shows the identifier the chosen scope gives (with kSpecify, the typed one normalised
    // once the user leaves the field).
    void show_id(const TagDatabase& db, const std::string& name, tag_type type,
                 const TagFile* file);
    void set_typed(tag_id id);
    tag_id chosen_id(const TagDatabase& db, const std::string& name, tag_type type,
                     const TagFile* file) const;

signals:
    void scope_changed();

private:
    QRadioButton* radios_[4] = {};
    QLineEdit* id_edit_ = nullptr;
};

} // namespace zephane
