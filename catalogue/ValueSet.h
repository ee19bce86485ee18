#pragma once
#include <string>
#include <vector>

// An ordered list of words: the values an enumerated element may take, sent
// to the tool exactly as listed.
using ValueSet = std::vector<std::string>;

// The word list of an enumerated value type; null for any other type. The
// lists are built on first use and live as long as the process, so grid
// cells may refer to them.
const ValueSet* ValueSetFor(int type);

// Position of the first word equal to `value` without regard to case; 0
// when none is (the set's first word is then shown).
int ValueSetPosition(const ValueSet& set, const std::string& value);

// Identifiers the default entry may be set to: filled by the boot manager
// property window while it is open, read by the grid filler.
ValueSet& DefaultCandidates();

// Rebuilds the default candidates: the current default first (even when it
// is empty), then every loader identifier that is not that default, in order.
void RebuildDefaultCandidates(const std::string& currentDefault,
                              const std::vector<std::string>& loaderIdentifiers);
