#include "sim/CSimStore.h"

#include "common/GuidText.h"

#include <cstdlib>

#include <cctype>

#include "common/TextCompare.h"
#include "sim/SimKinds.h"

SimElement* SimObject::Find(const std::string& name)
{
    for (SimElement& element : elements)
        if (EqualsNoCase(element.name, name))
            return &element;
    return nullptr;
}

const SimElement* SimObject::Find(const std::string& name) const
{
    return const_cast<SimObject*>(this)->Find(name);
}

namespace {

struct LineReader {
    const std::string& text;
    size_t pos = 0;
    int number = 0;

    bool Next(std::string& line)
    {
        if (pos >= text.size())
            return false;
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        pos = end + 1;
        ++number;
        return true;
    }
};

std::string At(int line, const std::string& what)
{
    return "line " + std::to_string(line) + ": " + what;
}

bool ApplyStoreSetting(CSimStore& store, const std::string& name, const std::string& value,
                       std::string& error)
{
    if (name == "@current") {
        if (!IsBracedGuidText(value)) {
            error = "@current is not a braced GUID";
            return false;
        }
        store.current = ToLowerAscii(value);
        return true;
    }
    if (name == "@accessdenied") {
        store.accessDenied = EqualsNoCase(value, "yes");
        return true;
    }
    if (name == "@language") {
        store.language = value;
        return true;
    }
    if (name == "@ignoreset") {
        store.ignoreSet = EqualsNoCase(value, "yes");
        return true;
    }
    if (name == "@exportfails") {
        store.exportFails = EqualsNoCase(value, "yes");
        return true;
    }
    if (name == "@secureboot") {
        store.secureBoot = EqualsNoCase(value, "on") || EqualsNoCase(value, "yes");
        return true;
    }
    if (name == "@delay") {
        store.delayMilliseconds = std::atoi(value.c_str());
        return true;
    }
    if (name == "@hang") {
        store.hang = EqualsNoCase(value, "yes");
        return true;
    }
    if (name == "@hangafter") {
        store.hangAfter = std::atoi(value.c_str());
        return true;
    }
    if (name == "@firmware") {
        if (!EqualsNoCase(value, "bios") && !EqualsNoCase(value, "uefi")) {
            error = "@firmware is bios or uefi";
            return false;
        }
        store.biosFirmware = EqualsNoCase(value, "bios");
        return true;
    }
    if (name == "@volumes") {
        store.volumes.clear();
        size_t start = 0;
        while ((start = value.find_first_not_of(' ', start)) != std::string::npos) {
            size_t end = value.find(' ', start);
            std::string letter = value.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (letter.size() != 2 || letter[1] != ':' || !std::isalpha(static_cast<unsigned char>(letter[0]))) {
                error = "@volumes lists drive letters: C: D:";
                return false;
            }
            store.volumes.push_back(ToUpperAscii(letter));
            start = end;
        }
        return true;
    }
    if (name == "@refuseset") {
        store.refusedSet = ToLowerAscii(value);
        return true;
    }
    if (name == "@deviceerror") {
        store.deviceError = EqualsNoCase(value, "yes");
        return true;
    }
    if (name == "@enumcut") {
        store.enumCut = std::atoi(value.c_str());
        return true;
    }
    error = "unknown store setting " + name;
    return false;
}

bool ApplyObjectLine(SimObject& object, const std::string& name, const std::string& value,
                     std::string& error)
{
    if (name == "@kind") {
        if (!FindSimKind(value)) {
            error = "unknown object kind " + value;
            return false;
        }
        object.kind = value;
        return true;
    }
    if (name == "@alias") {
        object.alias = ToLowerAscii(value);
        return true;
    }
    if (name.empty() || name[0] == '@' || name.find(' ') != std::string::npos) {
        error = "bad element name \"" + name + "\"";
        return false;
    }
    if (SimElement* element = object.Find(name)) {
        element->values.push_back(value);
        return true;
    }
    object.elements.push_back(SimElement{name, {value}});
    return true;
}

}  // namespace

bool CSimStore::Parse(const std::string& text, std::string& error)
{
    objects.clear();
    current.clear();
    accessDenied = false;
    language.clear();
    ignoreSet = false;
    exportFails = false;
    enumCut = 0;
    secureBoot = false;
    LineReader reader{text};
    std::string line;
    bool inStore = false;
    SimObject* object = nullptr;
    while (reader.Next(line)) {
        std::string trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            std::string section = trimmed.substr(1, trimmed.size() - 2);
            inStore = section == "store";
            object = nullptr;
            if (inStore)
                continue;
            if (!IsBracedGuidText(section)) {
                error = At(reader.number, "section [" + section + "] is neither [store] nor a GUID");
                return false;
            }
            if (FindByGuid(section)) {
                error = At(reader.number, "object " + section + " appears twice");
                return false;
            }
            objects.push_back(SimObject{ToLowerAscii(section), {}, {}, {}});
            object = &objects.back();
            continue;
        }
        size_t equals = trimmed.find('=');
        if (equals == std::string::npos || (!inStore && !object)) {
            error = At(reader.number, "expected \"name = value\" inside a section");
            return false;
        }
        // A line keeps one value: a control character in it (a stray CR) would
        // not be read back as it was written.
        for (unsigned char c : trimmed)
            if (c < 0x20 || c == 0x7f) {
                error = At(reader.number, "control character in a line");
                return false;
            }
        std::string name = TrimBlanks(trimmed.substr(0, equals));
        std::string value = UnquoteStoreValue(TrimBlanks(trimmed.substr(equals + 1)));
        bool applied = inStore ? ApplyStoreSetting(*this, name, value, error)
                               : ApplyObjectLine(*object, name, value, error);
        if (!applied) {
            error = At(reader.number, error);
            return false;
        }
    }
    for (const SimObject& each : objects) {
        if (each.kind.empty()) {
            error = "object " + each.guid + " has no @kind";
            return false;
        }
    }
    return true;
}

std::string CSimStore::Serialize() const
{
    std::string out = "# Keystave BCDEDIT.EXE simulator store\n[store]\n";
    if (!current.empty())
        out += "@current = " + current + "\n";
    out += std::string("@accessdenied = ") + (accessDenied ? "yes" : "no") + "\n";
    if (!language.empty())
        out += "@language = " + language + "\n";
    if (ignoreSet)
        out += "@ignoreset = yes\n";
    if (exportFails)
        out += "@exportfails = yes\n";
    if (secureBoot)
        out += "@secureboot = on\n";
    if (biosFirmware)
        out += "@firmware = bios\n";
    if (deviceError)
        out += "@deviceerror = yes\n";
    if (!refusedSet.empty())
        out += "@refuseset = " + refusedSet + "\n";
    if (!volumes.empty()) {
        out += "@volumes =";
        for (const std::string& volume : volumes)
            out += " " + volume;
        out += "\n";
    }
    if (enumCut > 0)
        out += "@enumcut = " + std::to_string(enumCut) + "\n";
    if (delayMilliseconds > 0)
        out += "@delay = " + std::to_string(delayMilliseconds) + "\n";
    if (hang)
        out += "@hang = yes\n";
    if (hangAfter >= 0)
        out += "@hangafter = " + std::to_string(hangAfter) + "\n";
    for (const SimObject& object : objects) {
        out += "\n[" + object.guid + "]\n@kind = " + object.kind + "\n";
        if (!object.alias.empty())
            out += "@alias = " + object.alias + "\n";
        for (const SimElement& element : object.elements)
            for (const std::string& value : element.values)
                out += element.name + " = " + QuoteStoreValue(value) + "\n";
    }
    return out;
}

SimObject* CSimStore::FindByGuid(const std::string& guid)
{
    for (SimObject& object : objects)
        if (EqualsNoCase(object.guid, guid))
            return &object;
    return nullptr;
}

SimObject* CSimStore::FindByAlias(const std::string& alias)
{
    for (SimObject& object : objects)
        if (!object.alias.empty() && EqualsNoCase(object.alias, alias))
            return &object;
    return nullptr;
}

SimObject* CSimStore::FindByKind(const std::string& kind)
{
    for (SimObject& object : objects)
        if (object.kind == kind)
            return &object;
    return nullptr;
}

std::string QuoteStoreValue(const std::string& value)
{
    bool outerBlank = !value.empty() && (value.front() == ' ' || value.back() == ' ');
    bool looksQuoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    return outerBlank || looksQuoted ? "\"" + value + "\"" : value;
}

std::string UnquoteStoreValue(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}
