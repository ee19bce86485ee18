#include "model/WriteVerification.h"

#include <cctype>
#include <cstdlib>

#include "common/GuidText.h"
#include "common/TextCompare.h"
#include "exec/CSession.h"
#include "model/CStoreModel.h"

namespace {

bool NumberOf(const std::string& text, unsigned long long& value)
{
    if (text.empty() || text.size() > 20)
        return false;
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = text.c_str() + (hex ? 2 : 0);
    for (const char* p = digits; *p; ++p) {
        bool ok = hex ? std::isxdigit(static_cast<unsigned char>(*p)) != 0 : (*p >= '0' && *p <= '9');
        if (!ok)
            return false;
    }
    char* end = nullptr;
    value = std::strtoull(digits, &end, hex ? 16 : 10);
    return end && *end == '\0';
}

bool IsWellKnownName(const std::string& text)
{
    return text.size() > 2 && text.front() == '{' && text.back() == '}' && !IsBracedGuidText(text);
}

const CBcdObject* FindObject(const CStoreModel& model, const std::string& identifier,
                             const IdentifierResolver& resolve)
{
    std::string id = IsWellKnownName(identifier) ? resolve(identifier) : identifier;
    if (id.empty())
        return nullptr;
    if (const CBcdBootManager* manager = model.GetBootManager())
        if (EqualsNoCase(manager->GetIdentifier(), id))
            return manager;
    for (const auto& loader : model.GetLoaders())
        if (EqualsNoCase(loader->GetIdentifier(), id))
            return loader.get();
    return model.FindEntry(id);
}

// Whether a later change of the same element, or the entry's deletion,
// noted under another name of the same entry ({current} and its GUID),
// says what the store should show instead.
bool SettledLater(const std::vector<ElementChange>& changes, size_t index, const CBcdObject* object,
                  const CStoreModel& model, const IdentifierResolver& resolve)
{
    for (size_t later = index + 1; later < changes.size(); ++later) {
        const ElementChange& next = changes[later];
        bool sameElement = next.kind == ElementChange::EntryDeleted ||
                           EqualsNoCase(next.element, changes[index].element);
        if (sameElement && FindObject(model, next.identifier, resolve) == object)
            return true;
    }
    return false;
}

std::string JoinValues(const std::vector<std::string>& values)
{
    std::string text;
    for (const std::string& value : values)
        text += (text.empty() ? "" : " ") + value;
    return text;
}

}  // namespace

bool ValuesAgree(const std::string& sentText, const std::string& shownText,
                 const IdentifierResolver& resolve)
{
    std::string sent = TrimBlanks(sentText), shown = TrimBlanks(shownText);
    if (EqualsNoCase(sent, shown))
        return true;
    if (IsWellKnownName(sent)) {
        std::string named = resolve ? resolve(sent) : std::string();
        return named.empty() || EqualsNoCase(named, shown);
    }
    unsigned long long a = 0, b = 0;
    if (NumberOf(sent, a) && NumberOf(shown, b))
        return a == b;
    std::string truth = TruthOf(sent);
    return !truth.empty() && truth == TruthOf(shown);
}

std::vector<WriteMismatch> CheckChanges(const std::vector<ElementChange>& changes,
                                        const CStoreModel& model, const std::string& runningEntry)
{
    const CBcdBootManager* manager = model.GetBootManager();
    IdentifierResolver resolve = [&](const std::string& name) -> std::string {
        std::string lower = ToLowerAscii(name);
        if (lower == "{current}")
            return runningEntry;
        if (lower == "{default}")
            return manager ? manager->GetDefault() : std::string();
        if (lower == "{bootmgr}")
            return manager ? manager->GetIdentifier() : std::string();
        return {};
    };
    std::vector<WriteMismatch> mismatches;
    for (size_t c = 0; c < changes.size(); ++c) {
        const ElementChange& change = changes[c];
        if (change.kind != ElementChange::Set)
            continue;
        const CBcdObject* object = FindObject(model, change.identifier, resolve);
        if (!object || SettledLater(changes, c, object, model, resolve))
            continue;
        WriteMismatch mismatch;
        mismatch.identifier = object->GetIdentifier();
        mismatch.description = object->GetDescription();
        mismatch.element = change.element;
        mismatch.sent = change.values;
        const CBcdItem* item = object->FindItem(change.element);
        if (!item) {
            mismatch.missing = true;
            mismatches.push_back(mismatch);
            continue;
        }
        mismatch.shown = item->GetValues();
        bool agree = mismatch.shown.size() == change.values.size();
        for (size_t i = 0; agree && i < change.values.size(); ++i)
            agree = ValuesAgree(change.values[i], mismatch.shown[i], resolve);
        if (!agree)
            mismatches.push_back(mismatch);
    }
    return mismatches;
}

std::string MismatchMessage(const std::vector<WriteMismatch>& mismatches)
{
    std::string text = mismatches.size() == 1
                           ? "BCDEDIT.EXE confirmed a change that the store does not show:\n"
                           : "BCDEDIT.EXE confirmed changes that the store does not show:\n";
    for (const WriteMismatch& mismatch : mismatches) {
        text += "\n";
        if (!mismatch.description.empty())
            text += "\"" + mismatch.description + "\" ";
        text += mismatch.identifier + ", element " + mismatch.element + ":\n";
        text += "    sent: " + JoinValues(mismatch.sent) + "\n";
        text += "    the store shows: " +
                (mismatch.missing ? std::string("no such element") : JoinValues(mismatch.shown)) + "\n";
    }
    text += "\nThe store was read again after the change; the lists show what it holds now.";
    return text;
}
