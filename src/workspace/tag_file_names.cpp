#include "workspace/tag_file_names.h"

namespace zephane {

std::string tag_file_stem(std::string tag_name) {
    for (char& c : tag_name)
        if (c == '/' || c == '\0') c = '_';
    if (tag_name.empty() || tag_name == "." || tag_name == "..") return "tag";
    return tag_name;
}

std::filesystem::path free_tag_file_path(const std::filesystem::path& folder,
                                         const std::string& tag_name) {
    const std::string stem = tag_file_stem(tag_name);
    std::error_code error;
    std::filesystem::path path = folder / (stem + ".tag");
    for (int n = 2; std::filesystem::exists(path, error); ++n)
        path = folder / (stem + " " + std::to_string(n) + ".tag");
    return path;
}

} // namespace zephane
