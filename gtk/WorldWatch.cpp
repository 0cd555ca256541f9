#include "WorldWatch.h"

#include "shell/WindowProcedure.h"

#include <algorithm>

namespace velmora {

namespace {

// Saves come in bursts of events (truncate, write, close; or write, rename); the reload waits
// for them to settle.
constexpr guint kSettleMs = 250;

} // namespace

WorldWatch::WorldWatch(WindowProcedure& procedure) : procedure_(procedure) {
    procedure_.onWorldFilesChanged([this] {
        if (enabled_) {
            refresh();
        }
    });
}

WorldWatch::~WorldWatch() {
    procedure_.onWorldFilesChanged(nullptr);
    stop();
}

void WorldWatch::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled) {
        refresh();
    } else {
        stop();
    }
}

void WorldWatch::stop() {
    if (settle_ != 0) {
        g_source_remove(settle_);
        settle_ = 0;
    }
    unwatch();
}

void WorldWatch::unwatch() {
    for (GFileMonitor* monitor : monitors_) {
        g_signal_handlers_disconnect_by_data(monitor, this);
        g_file_monitor_cancel(monitor);
        g_object_unref(monitor);
    }
    monitors_.clear();
    for (GFile* file : files_) {
        g_object_unref(file);
    }
    files_.clear();
}

void WorldWatch::refresh() {
    unwatch(); // a reload already waiting still comes
    std::vector<GFile*> folders;
    for (const std::string& path : procedure_.worldFiles()) {
        GFile* file = g_file_new_for_path(path.c_str());
        files_.push_back(file);
        GFile* folder = g_file_get_parent(file);
        if (folder == nullptr) {
            continue;
        }
        const bool known = std::any_of(folders.begin(), folders.end(),
                                       [folder](GFile* f) { return g_file_equal(f, folder); });
        if (known) {
            g_object_unref(folder);
            continue;
        }
        folders.push_back(folder);
        if (GFileMonitor* monitor =
                g_file_monitor_directory(folder, G_FILE_MONITOR_WATCH_MOVES, nullptr, nullptr)) {
            g_signal_connect(monitor, "changed", G_CALLBACK(onChanged), this);
            monitors_.push_back(monitor);
        }
    }
    for (GFile* folder : folders) {
        g_object_unref(folder);
    }
}

bool WorldWatch::watches(GFile* file) const {
    return file != nullptr && std::any_of(files_.begin(), files_.end(),
                                          [file](GFile* f) { return g_file_equal(f, file); });
}

void WorldWatch::onChanged(GFileMonitor*, GFile* file, GFile* other, GFileMonitorEvent event,
                           gpointer data) {
    auto* self = static_cast<WorldWatch*>(data);
    if (event == G_FILE_MONITOR_EVENT_ATTRIBUTE_CHANGED ||
        !(self->watches(file) || self->watches(other))) {
        return;
    }
    if (self->settle_ != 0) {
        g_source_remove(self->settle_);
    }
    self->settle_ = g_timeout_add(kSettleMs, onSettled, self);
}

gboolean WorldWatch::onSettled(gpointer data) {
    auto* self = static_cast<WorldWatch*>(data);
    self->settle_ = 0;
    self->procedure_.reloadAfterSave(); // refreshes the watch through the files listener
    return G_SOURCE_REMOVE;
}

} // namespace velmora
