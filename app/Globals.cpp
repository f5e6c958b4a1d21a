#include "app/Globals.h"

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<Globals> globals;

void ReleaseGlobals() {
    globals.reset();
}

} // namespace

Globals& G() {
    return *globals;
}

void BuildGlobals() {
    globals = std::make_unique<Globals>();
    std::atexit(ReleaseGlobals);
}
