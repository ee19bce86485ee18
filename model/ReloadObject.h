#pragma once
#include <functional>

#include "exec/ToolRun.h"
#include "model/CBcdBootLoader.h"
#include "model/CBcdBootManager.h"

// Re-reads one object with "/enum <identifier> /v" into the same object, from
// the first section of its own kind: the boot manager heading for the boot
// manager; the boot loader or the legacy OS loader heading for a loader.
// `beforeReplace` runs just before the old items are deleted, so that rows
// pointing at them go first. When no such section comes back (the tool's
// error, an identifier it no longer knows), or the tool did not end with
// success, nothing is deleted and the answer is false: the object keeps the
// elements it had.
bool ReloadObject(CBcdBootLoader& loader, const AnsweredToolRun& run,
                  const std::function<void()>& beforeReplace);
bool ReloadObject(CBcdBootManager& manager, const AnsweredToolRun& run,
                  const std::function<void()>& beforeReplace);
// Runners that give only text: their answers count as successful.
bool ReloadObject(CBcdBootLoader& loader, const ToolRun& run,
                  const std::function<void()>& beforeReplace);
bool ReloadObject(CBcdBootManager& manager, const ToolRun& run,
                  const std::function<void()>& beforeReplace);
