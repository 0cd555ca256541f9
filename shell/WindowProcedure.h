#pragma once

#include "ground/GroundGrid.h"
#include "render/FrameComposer.h"
#include "shell/LoadingThread.h"
#include "shell/ShellState.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace velmora {

// The menu commands.
inline constexpr int kCommandAbout = 104;
inline constexpr int kCommandExit = 105;
// The tick that updates the figures and draws a frame.
inline constexpr int kTimerIntervalMs = 250;

// The program's one window procedure: the window (GTK) and velmora-snap turn their events into
// these messages, so both drive the same routing. Main thread only. A fatal error met while a
// message is handled (a colour without a brush, a broken world file on reload) is shown through
// the host, which then ends the program with exit code 5.
class WindowProcedure {
  public:
    // Needs a ProgramLifetime (host, World and sound manager) to exist already.
    // Everything it asks of the window goes through the host; the world files are read from
    // dataDirectory (see findWorldDirectory).
    explicit WindowProcedure(platform::Host& host, std::string dataDirectory = "data",
                             std::ostream* trace = nullptr);
    ~WindowProcedure();

    // The window exists: the loading thread starts.
    void onCreate();
    // Black background, the bottom panel, then a frame.
    void onPaint();
    // Only asks for a repaint.
    void onSize();
    // Updates every figure with the camera, then draws a frame (also with no figures).
    void onTimer();
    // Runs the key's row of the key table; false for a key without a row.
    bool onKeyDown(int keyCode);
    // 104 shows the About box, 105 closes the window; false for any other command.
    bool onCommand(int command);
    // The window is gone: stops the load if it still runs, joins every thread and shuts the
    // sound down; the World itself goes with the ProgramLifetime. Safe to call more than once.
    void onDestroy();

    // Draws one frame now.
    void composeFrame();

    // Puts the visitor somewhere else (velmora-snap's --at and --heading).
    void placeCamera(const Vertex& camera, float heading);

    // A world file was saved: the files are read again into a scene of their own, which takes
    // the place of the one shown only if it loads. The visitor keeps his place, heading and
    // conversations. A save that does not load keeps the last good world on screen, with the
    // error written on the bottom panel until a save loads again; nothing ends the program.
    void reloadAfterSave();
    // The files the shown world was read from (and those a failed load reached), to watch.
    const std::vector<std::string>& worldFiles() const { return worldFiles_; }
    // The error of the last save that did not load; empty once one loads.
    const std::string& worldError() const { return worldError_; }
    // Called on the main thread whenever worldFiles() has changed.
    void onWorldFilesChanged(std::function<void()> listener) { filesChanged_ = std::move(listener); }

    const Dialogue& dialogue() const { return dialogue_; }
    const ShellState& state() const { return state_; }
    ShellState& state() { return state_; }
    FrameComposer& composer() { return composer_; }

  private:
    template <typename Handler> void dispatch(Handler handler);
    void finishLoading(const Vertex& camera, float heading, Figures& figures,
                       const std::vector<std::string>& files);
    void showFatal(const platform::FatalError& error);
    void step(bool forward);
    void turn(float delta);
    void reload();
    void escape();
    bool worldKey(int keyCode);

    platform::Host& host_;
    std::string dataDirectory_;
    ShellState state_;
    Cast cast_;
    Dialogue dialogue_;
    GroundGrid groundGrid_;
    FrameComposer composer_;
    std::unique_ptr<LoadingThread> loading_;
    bool failed_ = false;
    bool destroyed_ = false;
    std::vector<std::string> worldFiles_;
    std::string worldError_;
    std::function<void()> filesChanged_;
};

} // namespace velmora
