#include "model/LoaderListRows.h"

#include "common/TextCompare.h"
#include "model/CBcdBootLoader.h"
#include "model/CBcdBootManager.h"
#include "model/DisplayPositions.h"
#include "model/EntryMarks.h"
#include "model/QuickSettings.h"

namespace {

std::string DefaultOf(const CBcdBootManager* manager)
{
    return manager ? manager->GetDefault() : std::string();
}

std::string NoteOf(const CBcdBootLoader& loader, const std::string& defaultId, const std::string& running)
{
    const std::string& id = loader.GetIdentifier();
    return EntryMarkText(!defaultId.empty() && EqualsNoCase(id, defaultId),
                         !running.empty() && EqualsNoCase(id, running), StartsInSafeMode(loader));
}

}  // namespace

std::vector<LoaderListRow> LoaderListRows(const CBcdBootManager* manager,
                                          const std::vector<std::unique_ptr<CBcdBootLoader>>& loaders,
                                          const std::string& runningEntry)
{
    std::string defaultId = DefaultOf(manager);
    CDisplayPositions positions(manager);
    std::vector<LoaderListRow> rows;
    rows.reserve(loaders.size());
    for (const auto& loader : loaders) {
        LoaderListRow row;
        row.loader = loader.get();
        const std::string& id = loader->GetIdentifier();
        row.cells[kLoaderIdColumn] = id;
        row.cells[kLoaderDescriptionColumn] = loader->GetDescription();
        if (!defaultId.empty())
            row.cells[kLoaderDefaultColumn] = EqualsNoCase(id, defaultId) ? "TRUE" : "FALSE";
        int position = positions.Of(id);
        if (position > 0)
            row.cells[kLoaderDisplayColumn] = std::to_string(position);
        row.cells[kLoaderDebugColumn] = loader->IsDebugEnabled() ? "TRUE" : "FALSE";
        row.cells[kLoaderNoteColumn] = NoteOf(*loader, defaultId, runningEntry);
        rows.push_back(std::move(row));
    }
    return rows;
}

void MarkLoaderListRows(std::vector<LoaderListRow>& rows, const CBcdBootManager* manager,
                        const std::string& runningEntry)
{
    std::string defaultId = DefaultOf(manager);
    for (LoaderListRow& row : rows)
        if (row.loader)
            row.cells[kLoaderNoteColumn] = NoteOf(*row.loader, defaultId, runningEntry);
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
