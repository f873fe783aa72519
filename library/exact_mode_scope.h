#pragma once

// Turns the library's exact decimal mode (ModuleQmb::精确模式) on for a scope and puts the
// previous mode back when the scope ends, also when it ends by an exception.

#include "library/ModuleQmb.h"

namespace mapsheet {

class ScopedExactMode {
  public:
    ScopedExactMode() : previous_(ModuleQmb::精确模式) { ModuleQmb::精确模式 = true; }
    ~ScopedExactMode() { ModuleQmb::精确模式 = previous_; }
    ScopedExactMode(const ScopedExactMode&) = delete;
    ScopedExactMode& operator=(const ScopedExactMode&) = delete;

  private:
    bool previous_;
};

}  // namespace mapsheet
