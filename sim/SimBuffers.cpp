#include "sim/SimBuffers.h"

namespace {
SimBuffers::Buffer responseBuffer{};
SimBuffers::Buffer imageBuffer{};
}  // namespace

SimBuffers::Buffer& SimBuffers::response() { return responseBuffer; }

SimBuffers::Buffer& SimBuffers::image() { return imageBuffer; }
