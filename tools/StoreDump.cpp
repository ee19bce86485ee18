#include "tools/StoreDump.h"

#include "model/StoreReadFailure.h"

#include "common/UserNotice.h"
#include "exec/SplitToolOutput.h"
#include "exec/ToolCommand.h"
#include "model/CStoreModel.h"
#include "model/ObjectKind.h"

namespace {

void DumpObject(std::string& out, const char* kind, const CBcdObject& object)
{
    out += std::string("object ") + kind + " " +
           (object.GetIdentifier().empty() ? "-" : object.GetIdentifier());
    if (!object.GetDescription().empty())
        out += " " + object.GetDescription();
    out += "\n";
    for (const auto& item : object.GetItems()) {
        out += "  " + std::string(item.GetName()) + " =";
        for (int i = 0; i < item.GetValueCount(); ++i)
            out += (i == 0 ? " " : " | ") + item.GetValue(i);
        out += "\n";
    }
}

std::string EscapeNewlines(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

}  // namespace

std::string DumpStoreModel(const CStoreModel& model, const std::vector<std::string>& messages)
{
    std::string out;
    if (model.GetBootManager())
        DumpObject(out, "bootmanager", *model.GetBootManager());
    for (const auto& loader : model.GetLoaders())
        DumpObject(out, "loader", *loader);
    if (model.GetDebugSettings())
        DumpObject(out, "debugger", *model.GetDebugSettings());
    // Every object of the listing, in its order, with the kind its heading says.
    for (const CBcdObject* object : model.GetListedObjects()) {
        out += std::string("entry ") + ObjectKindWord(object->GetKind()) + " " +
               (object->GetIdentifier().empty() ? "-" : object->GetIdentifier());
        if (!object->GetDescription().empty())
            out += " " + object->GetDescription();
        out += "\n";
    }
    for (const std::string& message : messages)
        out += "message " + EscapeNewlines(message) + "\n";
    return out;
}

std::string DumpSavedOutput(const std::string& enumText, const std::string* debugText,
                            std::string* failure)
{
    std::string enumOutput = NormalizeLineEnds(enumText);
    std::string debugOutput = debugText ? NormalizeLineEnds(*debugText) : std::string();
    CStoreModel model([&](const std::string& arguments) {
        return arguments == DebugSettingsCommand().arguments ? debugOutput : enumOutput;
    });
    std::vector<std::string> messages;
    NoticeSink previous = SetNoticeSink(
        [&](const std::string& text, NoticeKind) { messages.push_back(text); });
    // Any listing: "/enum /v", "/enum all /v" or the firmware's, every object read.
    model.SetScope(CStoreModel::Scope::Firmware);
    model.EnumerateStore();
    if (debugText && model.GetBootManager())
        model.RefreshDebugSettings();
    SetNoticeSink(previous);
    if (failure)
        *failure = model.GetBootManager() ? std::string() : StoreReadFailure(enumOutput);
    return DumpStoreModel(model, messages);
}
