#include "model/ReloadObject.h"

#include <memory>
#include <string>
#include <vector>

#include "exec/ToolCommand.h"
#include "model/CStoreModel.h"
#include "model/CollectUnknownElement.h"

namespace {

using Lines = OutputLines;

// Index of the first heading of the object's own kind (either loader kind
// for a loader), or of a section naming the object; lines.size() when none.
size_t FindHeading(const Lines& lines, const CBcdObject& object, SectionType type)
{
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (!IsSectionHeading(lines, i))
            continue;
        if (type != SectionType::Other ? ClassifySection(lines, i) == type
                                       : KindOfSection(lines, i) == object.GetKind())
            return i;
        if (!object.GetIdentifier().empty() && SameIdentifier(SectionIdentifier(lines, i), object.GetIdentifier()))
            return i;
    }
    return lines.size();
}

template <typename Object, typename Parse>
bool Reload(Object& object, const AnsweredToolRun& run, const std::function<void()>& beforeReplace,
            SectionType type, Parse parse)
{
    ToolCommand command = EnumObjectCommand(object.GetIdentifier());
    if (!command.ok)
        return false;
    ToolAnswer answer = run(command.arguments);
    if (!AnswerSucceeded(answer))
        return false;
    auto output = std::make_shared<const std::string>(std::move(answer.text));
    Lines lines = SplitOutputLineViews(*output);
    size_t heading = FindHeading(lines, object, type);
    if (heading == lines.size())
        return false;
    Object fresh;
    fresh.SetKind(object.GetKind());
    fresh.SetListing(output);
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
    return ReloadObject(loader, AnsweredAsSucceeded(run), beforeReplace);
}

bool ReloadObject(CBcdBootManager& manager, const ToolRun& run,
                  const std::function<void()>& beforeReplace)
{
    return ReloadObject(manager, AnsweredAsSucceeded(run), beforeReplace);
}

bool ReloadObject(CBcdBootLoader& loader, const AnsweredToolRun& run,
                  const std::function<void()>& beforeReplace)
{
    return Reload(
        loader, run, beforeReplace, IsLoaderKind(loader.GetKind()) ? SectionType::Loader : SectionType::Other,
        [](CBcdObject& object, const Lines& lines, size_t& i) {
            ParseSectionElements(object, lines, i);
        });
}

bool ReloadObject(CBcdBootManager& manager, const AnsweredToolRun& run,
                  const std::function<void()>& beforeReplace)
{
    return Reload(
        manager, run, beforeReplace, SectionType::BootManager,
        [](CBcdObject& object, const Lines& lines, size_t& i) {
            ParseManagerElements(object, lines, i);
        });
}
