#pragma once
// The program's side of the database's change notifications. Changes are gathered and the
// windows that show them refresh once, after the current burst (pasting a thousand tags
// rebuilds a window once, not a thousand times).

#include "tags/tag_observer.h"

#include <QObject>
#include <QTimer>
#include <exception>
#include <functional>
#include <unordered_set>
#include <utility>
#include <vector>

namespace zephane {

class TagChangeRouter : public QObject, public TagObserver {
    Q_OBJECT

public:
    struct Handlers {
        std::function<void(TagFile&)> refresh_file; // the file's window
        std::function<void()> refresh_all_tags;     // the all-tags window
        std::function<void(const std::vector<std::pair<tag_type, tag_id>>&)>
            tags_changed; // editors
        std::function<void(TagFile&)> file_closing;
        std::function<void()> file_loaded;                 // while loading folders
        std::function<void(const std::exception&)> report; // an error raised by a refresh
    };

    explicit TagChangeRouter(Handlers handlers);

    void tag_changed(TagFile& file, tag_type type, tag_id id) override;
    void file_changed(TagFile& file) override;
    void file_closing(TagFile& file) override;

    // Loading many files at start-up: count them, and refresh nothing.
    void set_loading(bool loading) { loading_ = loading; }

    // Delivers everything gathered so far, now.
    void flush();
    // A window that has just rebuilt itself from its file needs no further refresh.
    void consume(TagFile& file) { pending_files_.erase(&file); }
    void consume_all_tags() { all_tags_pending_ = false; }
    bool has_pending() const {
        return !pending_files_.empty() || all_tags_pending_ || !changed_tags_.empty();
    }

private:
    void schedule();

    Handlers handlers_;
    QTimer timer_;
    std::unordered_set<TagFile*> pending_files_;
    std::vector<std::pair<tag_type, tag_id>> changed_tags_;
    bool all_tags_pending_ = false;
    bool loading_ = false;
    bool flushing_ = false;
};

} // namespace zephane
