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
    kLoaderKindColumn,
    kLoaderListColumns
};

class CBcdObject;

// Which menu a row's entry is in.
enum class EntryMenu { Boot, Tools, None };

struct LoaderListRow {
    CBcdBootLoader* loader = nullptr;  // any kind of entry, not only a loader
    EntryMenu menu = EntryMenu::Boot;
    std::array<std::string, kLoaderListColumns> cells;
};

// The boot menu as the PC shows it: the entries of the display order in
// its order, then those of the tools menu, then, with `others`, every other
// listed entry (resume, recovery, settings), marked as in no menu. "Default"
// is TRUE or FALSE for an entry that can start, empty when the boot
// manager names no default; "Display" numbers each menu's rows from 1
// without gaps ("Tools 1", ... for the tools menu); the note says default,
// running now, safe mode and the next start only; "Kind" says what the
// entry is. Identifiers match without regard to case, well-known ones in
// either spelling. An identifier of a menu that the listing lacks has no row.
std::vector<LoaderListRow> LoaderListRows(const CBcdBootManager* manager, const std::vector<CBcdObject*>& listed,
                                          const std::string& runningEntry, bool others = false);

// The notes again, for when the running entry becomes known after the fill.
void MarkLoaderListRows(std::vector<LoaderListRow>& rows, const CBcdBootManager* manager,
                        const std::string& runningEntry);

// Typing in the list: the first row from `start` on, going round, whose
// first column begins with `prefix` (any case); -1 when none does.
int FindLoaderListRow(const std::vector<LoaderListRow>& rows, const std::string& prefix, int start);
