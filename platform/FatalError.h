#pragma once

#include "platform/Host.h"

#include <stdexcept>
#include <string>

namespace velmora::platform {

// An error that ends the program: the shell shows the message box it describes and exits with
// kFatalExitCode. Thrown by the core instead of exiting, so that readers stay testable.
class FatalError : public std::runtime_error {
  public:
    FatalError(std::string text, std::string caption, MessageIcon icon = MessageIcon::None)
        : std::runtime_error(text), text_(std::move(text)), caption_(std::move(caption)),
          icon_(icon) {}

    const std::string& text() const { return text_; }
    const std::string& caption() const { return caption_; }
    MessageIcon icon() const { return icon_; }

  private:
    std::string text_;
    std::string caption_;
    MessageIcon icon_;
};

inline constexpr int kFatalExitCode = 5;

} // namespace velmora::platform
