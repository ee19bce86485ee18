#include "model/ReloadObject.h"

#include <string>
#include <vector>

#include "exec/SplitToolOutput.h"
#include "exec/ToolCommand.h"
#include "model/CStoreModel.h"

namespace {

using Lines = std::vector<std::string>;

// Index of the first line (the last excepted: an underline must follow)
// that `isHeading` accepts; lines.size() when none does.
template <typename Accept>
size_t FindHeading(const Lines& lines, Accept isHeading)
{
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        if (isHeading(lines[i]))
            return i;
    return lines.size();
}

template <typename Object, typename Accept, typename Parse>
bool Reload(Object& object, const ToolRun& run, const std::function<void()>& beforeReplace,
            Accept isHeading, Parse parse)
{
    ToolCommand command = EnumObjectCommand(object.GetIdentifier());
    if (!command.ok)
        return false;
    Lines lines = SplitToolOutput(run(command.arguments));
    size_t heading = FindHeading(lines, isHeading);
    if (heading == lines.size())
        return false;
    Object fresh;
    size_t i = heading + 2;
    parse(fresh, lines, i);
    if (beforeReplace)
        beforeReplace();
    object.ReplaceItemsWith(fresh);
    return true;
}

}  // namespace

bool ReloadObject(CBcdBootLoader& loader, const ToolRun& run,
                  const std::function<void()>& beforeReplace)
{
    return Reload(
        loader, run, beforeReplace,
        [](const std::string& line) { return line == BootLoaderHeading || line == LegacyLoaderHeading; },
        [](CBcdObject& object, const Lines& lines, size_t& i) {
            ParseSectionElements(object, lines, i);
        });
}

bool ReloadObject(CBcdBootManager& manager, const ToolRun& run,
                  const std::function<void()>& beforeReplace)
{
    return Reload(
        manager, run, beforeReplace,
        [](const std::string& line) { return line == BootManagerHeading; },
        [](CBcdObject& object, const Lines& lines, size_t& i) {
            ParseManagerElements(object, lines, i);
        });
}
