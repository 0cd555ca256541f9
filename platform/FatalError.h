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

    // Where the error lies, when it lies in a file: "FILE:LINE: here", then one
    // "included from FILE:LINE" line for each file on the way to it. Empty when it lies nowhere.
    const std::string& place() const { return place_; }
    void setPlace(std::string place) { place_ = std::move(place); }
    // The text, then the place on lines of their own.
    std::string textWithPlace() const { return appendLines(text_, place_); }

  private:
    std::string text_;
    std::string place_;
    std::string caption_;
    MessageIcon icon_;
};

inline constexpr int kFatalExitCode = 5;

} // namespace velmora::platform
