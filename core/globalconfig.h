#pragma once
// The process's one shared settings object. Readers take a snapshot (a shared pointer) and may
// keep using it while another thread puts a fresh object in place: the replaced object lives
// until its last reader lets it go.

#include <memory>

#include "core/clientconfig.h"

namespace ov {

// The current object; created (reading "zvq.sys") on first use.
std::shared_ptr<TClientConfigX> GlobalConfig();

// Puts a freshly created object in place, which reads the saved file anew (its language and
// token caches start empty), and returns it. The old one is no longer handed out.
std::shared_ptr<TClientConfigX> RenewGlobalConfig();

// Shut-down: drops the current object without saving.
void FreeGlobalConfig();

}  // namespace ov
