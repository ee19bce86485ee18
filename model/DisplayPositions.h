#pragma once
#include <string>
#include <unordered_map>

class CBcdObject;

// Each entry's 1-based place in the boot manager's display order, read once
// for a whole list rather than once an entry; -1 for an entry not there.
// Identifiers match without regard to case; the first place counts.
class CDisplayPositions {
public:
    explicit CDisplayPositions(const CBcdObject* bootManager);
    int Of(const std::string& identifier) const;

private:
    std::unordered_map<std::string, int> m_places;  // lower-case identifier -> place
};
