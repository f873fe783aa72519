#pragma once

// The one error the module raises for bad values: it becomes mapsheet.Error (a ValueError)
// carrying the engine's message unchanged.

#include <stdexcept>
#include <string>

namespace mapsheet::python {

class ModuleError : public std::runtime_error {
  public:
    explicit ModuleError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace mapsheet::python
