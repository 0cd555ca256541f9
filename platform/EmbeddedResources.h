#pragma once

#include "platform/EmbeddedResource.h"

namespace velmora::resources {

// The program's own pictures and sounds (resources/resources.list), linked in through the
// velmora_resources library.
std::span<const platform::EmbeddedResource> embedded();

} // namespace velmora::resources
