#pragma once

#include <gio/gio.h>

#include <vector>

namespace velmora {

class WindowProcedure;

// Reload on save: watches the folders of the files the world was read from and, a quarter of a
// second after the last change to one of those files, has the window procedure read the world
// again. Editors that save by writing a new file and renaming it over the old are seen too.
class WorldWatch {
  public:
    explicit WorldWatch(WindowProcedure& procedure);
    ~WorldWatch();
    WorldWatch(const WorldWatch&) = delete;
    WorldWatch& operator=(const WorldWatch&) = delete;

    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }

  private:
    // Watches the procedure's world files as they are now.
    void refresh();
    // Stops watching and drops a reload still waiting.
    void stop();
    void unwatch();
    bool watches(GFile* file) const;
    static void onChanged(GFileMonitor*, GFile* file, GFile* other, GFileMonitorEvent event,
                          gpointer self);
    static gboolean onSettled(gpointer self);

    WindowProcedure& procedure_;
    bool enabled_ = false;
    std::vector<GFile*> files_;
    std::vector<GFileMonitor*> monitors_; // one per folder
    guint settle_ = 0;
};

} // namespace velmora
