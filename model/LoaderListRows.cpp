#include "model/LoaderListRows.h"

#include <unordered_map>
#include <unordered_set>

#include "common/TextCompare.h"
#include "model/CBcdBootLoader.h"
#include "model/CBcdBootManager.h"
#include "model/EntryMarks.h"
#include "model/QuickSettings.h"

namespace {

std::string DefaultOf(const CBcdBootManager* manager)
{
    return manager ? manager->GetDefault() : std::string();
}

std::string OneTimeOf(const CBcdBootManager* manager)
{
    return manager ? manager->FirstValueOf("bootsequence") : std::string();
}

std::string NoteOf(const LoaderListRow& row, const std::string& defaultId, const std::string& running,
                   const std::string& oneTime)
{
    const CBcdBootLoader& entry = *row.loader;
    const std::string& id = entry.GetIdentifier();
    std::vector<std::string> notes = {EntryMarkText(!defaultId.empty() && SameIdentifier(id, defaultId),
                                                    !running.empty() && SameIdentifier(id, running),
                                                    entry.GetKind() == ObjectKind::Loader && StartsInSafeMode(entry))};
    if (!oneTime.empty() && SameIdentifier(id, oneTime))
        notes.push_back("Next start only");
    if (row.menu == EntryMenu::None)
        notes.push_back("Not in a menu");
    return JoinNotes(notes);
}

LoaderListRow RowOf(CBcdBootLoader* entry, EntryMenu menu, int place, const std::string& defaultId)
{
    LoaderListRow row;
    row.loader = entry;
    row.menu = menu;
    const std::string& id = entry->GetIdentifier();
    bool starts = StartsFromMenu(entry->GetKind());
    row.cells[kLoaderIdColumn] = id;
    row.cells[kLoaderDescriptionColumn] = entry->GetDescription();
    if (!defaultId.empty() && starts)
        row.cells[kLoaderDefaultColumn] = SameIdentifier(id, defaultId) ? "TRUE" : "FALSE";
    if (menu == EntryMenu::Boot)
        row.cells[kLoaderDisplayColumn] = std::to_string(place);
    else if (menu == EntryMenu::Tools)
        row.cells[kLoaderDisplayColumn] = "Tools " + std::to_string(place);
    if (IsLoaderKind(entry->GetKind()))
        row.cells[kLoaderDebugColumn] = entry->IsDebugEnabled() ? "TRUE" : "FALSE";
    row.cells[kLoaderKindColumn] = ObjectKindLabel(entry->GetKind());
    return row;
}

// The listed entries by identifier, lower case, well-known names under their GUIDs too.
class CListedEntries {
public:
    explicit CListedEntries(const std::vector<CBcdObject*>& listed)
    {
        m_byId.reserve(listed.size());
        for (CBcdObject* object : listed)
            if (auto* entry = dynamic_cast<CBcdBootLoader*>(object))
                m_byId.emplace(Key(entry->GetIdentifier()), entry);
    }
    CBcdBootLoader* Find(const std::string& identifier) const
    {
        auto found = m_byId.find(Key(identifier));
        return found == m_byId.end() ? nullptr : found->second;
    }

private:
    static std::string Key(const std::string& identifier) { return ToLowerAscii(std::string(CanonicalIdentifier(identifier))); }
    std::unordered_map<std::string, CBcdBootLoader*> m_byId;
};

}  // namespace

std::vector<LoaderListRow> LoaderListRows(const CBcdBootManager* manager, const std::vector<CBcdObject*>& listed,
                                          const std::string& runningEntry, bool others)
{
    std::string defaultId = DefaultOf(manager);
    std::string oneTime = OneTimeOf(manager);
    CListedEntries entries(listed);
    std::unordered_set<const CBcdBootLoader*> shown;
    std::vector<LoaderListRow> rows;
    rows.reserve(listed.size());
    for (auto [element, menu] : {std::pair{"displayorder", EntryMenu::Boot}, std::pair{"toolsdisplayorder", EntryMenu::Tools}}) {
        const CBcdItem* order = manager ? manager->FindItem(element) : nullptr;
        if (!order)
            continue;
        int place = 0;
        for (const std::string& identifier : order->GetValues()) {
            CBcdBootLoader* entry = entries.Find(identifier);
            if (!entry || !shown.insert(entry).second)
                continue;
            rows.push_back(RowOf(entry, menu, ++place, defaultId));
        }
    }
    // Entries a listing holds outside both menus: always the Windows
    // loaders (a store file's, {current}), the rest when asked for.
    for (CBcdObject* object : listed) {
        auto* entry = dynamic_cast<CBcdBootLoader*>(object);
        if (!entry || shown.count(entry))
            continue;
        ObjectKind kind = entry->GetKind();
        bool firmware = kind == ObjectKind::FirmwareApp || kind == ObjectKind::FirmwareManager;
        if (firmware || (!IsLoaderKind(kind) && !others) || kind == ObjectKind::BootManager)
            continue;
        shown.insert(entry);
        rows.push_back(RowOf(entry, EntryMenu::None, 0, defaultId));
    }
    for (LoaderListRow& row : rows)
        row.cells[kLoaderNoteColumn] = NoteOf(row, defaultId, runningEntry, oneTime);
    return rows;
}

void MarkLoaderListRows(std::vector<LoaderListRow>& rows, const CBcdBootManager* manager,
                        const std::string& runningEntry)
{
    std::string defaultId = DefaultOf(manager);
    std::string oneTime = OneTimeOf(manager);
    for (LoaderListRow& row : rows)
        if (row.loader)
            row.cells[kLoaderNoteColumn] = NoteOf(row, defaultId, runningEntry, oneTime);
}

int FindLoaderListRow(const std::vector<LoaderListRow>& rows, const std::string& prefix, int start)
{
    int count = static_cast<int>(rows.size());
    if (count == 0)
        return -1;
    if (start < 0 || start >= count)
        start = 0;
    for (int step = 0; step < count; ++step) {
        int row = (start + step) % count;
        const std::string& text = rows[static_cast<size_t>(row)].cells[kLoaderIdColumn];
        if (text.size() >= prefix.size() && EqualsNoCase(std::string_view(text).substr(0, prefix.size()), prefix))
            return row;
    }
    return -1;
}
