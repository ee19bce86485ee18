#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

class CBcdBootLoader;
class CBcdBootManager;

// The main window's entry list, worked out before a row is shown: the
// list only asks for the texts of the rows it draws, so a store of ten
// thousand entries costs one pass here and nothing per row in the window.
enum LoaderListColumn {
    kLoaderIdColumn,
    kLoaderDescriptionColumn,
    kLoaderDefaultColumn,
    kLoaderDisplayColumn,
    kLoaderDebugColumn,
    kLoaderNoteColumn,
    kLoaderListColumns
};

struct LoaderListRow {
    CBcdBootLoader* loader = nullptr;
    std::array<std::string, kLoaderListColumns> cells;
};

// One row an entry, in the model's order. "Default" is TRUE or FALSE, or
// empty when the boot manager names no default; "Display" is the entry's
// place in the display order or empty; the note says default, running now
// and safe mode. Identifiers match without regard to case.
std::vector<LoaderListRow> LoaderListRows(const CBcdBootManager* manager,
                                          const std::vector<std::unique_ptr<CBcdBootLoader>>& loaders,
                                          const std::string& runningEntry);

// The notes again, for when the running entry becomes known after the fill.
void MarkLoaderListRows(std::vector<LoaderListRow>& rows, const CBcdBootManager* manager,
                        const std::string& runningEntry);

// Typing in the list: the first row from `start` on, going round, whose
// first column begins with `prefix` (any case); -1 when none does.
int FindLoaderListRow(const std::vector<LoaderListRow>& rows, const std::string& prefix, int start);
