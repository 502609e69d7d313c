#include "app/tag_change_router.h"

#include <algorithm>

namespace zephane {

TagChangeRouter::TagChangeRouter(Handlers handlers) : handlers_(std::move(handlers)) {
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, [this] {
        // Nothing may escape into the event loop.
        try {
            flush();
        } catch (const std::exception& error) {
            if (handlers_.report) handlers_.report(error);
        }
    });
}

void TagChangeRouter::schedule() {
    if (!timer_.isActive()) timer_.start();
}

void TagChangeRouter::tag_changed(TagFile& file, tag_type type, tag_id id) {
    if (loading_) return; // nothing shows tags yet
    pending_files_.insert(&file);
    all_tags_pending_ = true;
    const std::pair<tag_type, tag_id> key{type, id};
    if (changed_tags_.empty() || changed_tags_.back() != key) changed_tags_.push_back(key);
    schedule();
}

void TagChangeRouter::file_changed(TagFile& file) {
    if (loading_) {
        if (handlers_.file_loaded) handlers_.file_loaded();
        return;
    }
    pending_files_.insert(&file);
    schedule();
}

void TagChangeRouter::file_closing(TagFile& file) {
    pending_files_.erase(&file);
    all_tags_pending_ = true;
    if (handlers_.file_closing) handlers_.file_closing(file);
    schedule();
}

void TagChangeRouter::flush() {
    if (flushing_) return; // a refresh that changes tags again waits for the next round
    flushing_ = true;
    timer_.stop();
    // Take everything first: refreshing may notify again.
    std::vector<TagFile*> files(pending_files_.begin(), pending_files_.end());
    pending_files_.clear();
    std::vector<std::pair<tag_type, tag_id>> tags = std::move(changed_tags_);
    changed_tags_.clear();
    std::sort(tags.begin(), tags.end());
    tags.erase(std::unique(tags.begin(), tags.end()), tags.end());
    const bool all_tags = std::exchange(all_tags_pending_, false);
    try {
        if (!tags.empty() && handlers_.tags_changed) handlers_.tags_changed(tags);
        for (TagFile* file : files)
            if (handlers_.refresh_file) handlers_.refresh_file(*file);
        if (all_tags && handlers_.refresh_all_tags) handlers_.refresh_all_tags();
    } catch (...) {
        flushing_ = false;
        throw;
    }
    flushing_ = false;
    if (has_pending()) schedule();
}

} // namespace zephane
