#pragma once

// Owning handles for PROJ's C objects, so that every path out of a function releases them.
//
// A context belongs to one thread at a time: PROJ keeps its error state and its database
// connection in the context, so objects created from one context must not be used from two
// threads at once. Each object of this library that transforms coordinates owns its context.

#include <proj.h>

#include <memory>

namespace mapsheet::projection {

struct ContextDeleter {
    void operator()(PJ_CONTEXT* context) const { proj_context_destroy(context); }
};
struct ObjectDeleter {
    void operator()(PJ* object) const { proj_destroy(object); }
};

using ContextHandle = std::unique_ptr<PJ_CONTEXT, ContextDeleter>;
using ObjectHandle = std::unique_ptr<PJ, ObjectDeleter>;

// A fresh context that logs nothing to standard error: failures are reported by the caller in
// its own words.
inline ContextHandle makeQuietContext() {
    ContextHandle context(proj_context_create());
    if (context) {
        proj_log_level(context.get(), PJ_LOG_NONE);
    }
    return context;
}

}  // namespace mapsheet::projection
