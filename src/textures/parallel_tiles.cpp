#include "textures/parallel_tiles.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace zephane {

namespace {
constexpr unsigned kMaxThreads = 8;
} // namespace

void for_each_tile(std::size_t count, const std::function<void(std::size_t)>& work) {
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
    if (threads == 1 || count < 2) {
        for (std::size_t i = 0; i < count; ++i) work(i);
        return;
    }
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr first_failure;
    std::mutex failure_lock;
    const auto run = [&] {
        for (std::size_t i = next++; i < count && !failed; i = next++) {
            try {
                work(i);
            } catch (...) {
                const std::lock_guard<std::mutex> lock(failure_lock);
                if (!first_failure) first_failure = std::current_exception();
                failed = true;
            }
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < std::min<std::size_t>(threads, count); ++t) helpers.emplace_back(run);
    run();
    for (std::thread& helper : helpers) helper.join();
    if (first_failure) std::rethrow_exception(first_failure);
}

} // namespace zephane
