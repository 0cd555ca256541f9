#include "platform/MainThreadQueue.h"

#include <utility>

namespace velmora::platform {

void MainThreadQueue::post(std::function<void()> work) {
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return;
        }
        work_.push_back(std::move(work));
    }
    posted_.notify_all();
}

int MainThreadQueue::runPending(std::chrono::milliseconds wait) {
    std::deque<std::function<void()>> pending;
    {
        std::unique_lock lock(mutex_);
        posted_.wait_for(lock, wait, [this] { return !work_.empty() || closed_; });
        pending.swap(work_);
    }
    for (auto& work : pending) {
        work();
    }
    return static_cast<int>(pending.size());
}

void MainThreadQueue::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        work_.clear();
    }
    posted_.notify_all();
}

} // namespace velmora::platform
