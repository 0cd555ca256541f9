#pragma once

#include "platform/EmbeddedResource.h"

#include <optional>
#include <string>

namespace velmora::platform {

enum class MessageIcon { None, Error, Warning, Information };

// Everything the core needs from the program that hosts it. The windowed program, the headless
// tool and the tests each provide one.
//
// Threads: the program has a main thread (window, keys, timer, drawing) and short-lived others
// (loading, sound waits). Every call below may come from any thread; an implementation makes that
// safe, for instance by handing the work to its main thread.
class Host {
  public:
    virtual ~Host() = default;

    // A modal message box without an owner window. Returns once it has been dismissed.
    virtual void showMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
    // The platform's debug channel (the BSP build reports through it).
    virtual void debugOutput(const std::string& text) = 0;
    // The bytes of one of the program's resources, or nothing. The bytes live as long as the host.
    virtual std::optional<ResourceBytes> resource(ResourceType type, int number) const = 0;
};

// A host for programs that have no window: messages go to standard error as "CAPTION: TEXT",
// debug output is dropped unless asked for, resources come from the given table.
class ConsoleHost : public Host {
  public:
    explicit ConsoleHost(std::span<const EmbeddedResource> resources = {},
                         bool showDebugOutput = false);

    void showMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void debugOutput(const std::string& text) override;
    std::optional<ResourceBytes> resource(ResourceType type, int number) const override;

  private:
    std::span<const EmbeddedResource> resources_;
    bool showDebugOutput_;
};

// The process-wide host. Until one is installed, a ConsoleHost without resources answers.
Host& host();
// Installs a host (not owned) or, with nullptr, the default again. The program installs its host
// before it starts a second thread and removes it after it has joined them all.
void setHost(Host* newHost);

} // namespace velmora::platform
