#pragma once
// The dialog builder (module "ditlmaker"): interface description files ("@!YC", version 2)
// into Dialog tags, one per window ('VRes' entry whose view is a 'wind').

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace zephane {

class TagDatabase;
struct TagEntry;
struct TagFile;

inline constexpr const char* kDialogBuilderModule = "ditlmaker";
// A resource with an empty name would get no tag id from its name.
inline constexpr const char* kUntitledDialogName = "Untitled Dialog";

// A failed check: the expression as the assertion report shows it, and what was wrong.
class DialogCheckFailure : public std::runtime_error {
public:
    DialogCheckFailure(std::string expression, int line, const std::string& detail);
    const std::string& expression() const { return expression_; }
    int line() const { return line_; }

private:
    std::string expression_;
    int line_;
};

struct BuiltDialog {
    std::string name;
    std::vector<std::uint8_t> payload; // file byte order
};

// Every window of the file in file order; a window with a control kind outside the table
// gives none. Throws DialogCheckFailure on the first failed check, having made nothing.
std::vector<BuiltDialog> read_interface_description(const std::vector<std::uint8_t>& data);

// Adds one Dialog tag per window to `file`, ids unique among the loaded Dialog tags.
// All or nothing: on a failed check no tag is added and the failure is thrown.
std::vector<TagEntry*> add_dialog_tags(TagDatabase& db, TagFile& file,
                                       const std::vector<BuiltDialog>& dialogs);

// Reads the file `spec` ("fp" when it cannot be read) and checks it whole.
std::vector<BuiltDialog> read_interface_description_file(const std::string& spec);

// A failed check through the assertion report, with the module's name.
void report_dialog_check_failure(const DialogCheckFailure& failure);

// Reads `spec` and adds its dialogs; a failed check goes through the assertion handler
// and leaves the file as it was (an empty result).
std::vector<TagEntry*> build_dialogs(const std::string& spec, TagDatabase& db, TagFile& file);

} // namespace zephane
