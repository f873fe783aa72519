// The module's magic block: the server checks it against its own version and build options
// before it calls any function of the module.

#include "postgres/server.h"

extern "C" {
PG_MODULE_MAGIC;
}
