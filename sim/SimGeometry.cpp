#include "sim/SimGeometry.h"

namespace {
SimGeometry::Phone phoneGeometry;
SimGeometry::Message messageGeometry;
}  // namespace

SimGeometry::Phone& SimGeometry::phone() { return phoneGeometry; }

SimGeometry::Message& SimGeometry::message() { return messageGeometry; }
