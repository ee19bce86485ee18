#pragma once
#include <functional>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ElementDefinition.h"

// The process-wide table of element definitions, filled once from the
// definitions file. Record 0 is "unknownvalue", record 1 "unknownenum";
// at least one record stays empty, so it holds at most 127 definitions
// (the shipped file had filled the first 99).
class ElementCatalogue {
public:
    static constexpr int kSize = 128;
    static constexpr int kMaxDefinitions = kSize - 1;
    static constexpr int kUnknownValue = 0;
    static constexpr int kUnknownEnum = 1;

    static ElementCatalogue& Instance()
    {
        static ElementCatalogue catalogue;
        return catalogue;
    }

    // How the lookup keeps a name: its first kWordName bytes folded to lower
    // case, in words.
    static constexpr size_t kWordName = 24;
    struct FoldedName {
        uint64_t words[kWordName / 8];
    };

    // Index of the first record whose name matches without regard to case,
    // scanning from record 0 up to the first empty record; -1 when none.
    int Identify(std::string_view name) const { return Find(name).record; }
    // The same, with whether that record holds several values: a reader of
    // a listing asks both of every element.
    struct Match {
        int record;
        bool multiValued;
    };
    Match Find(std::string_view name) const;
    bool IsKnownName(std::string_view name) const { return Identify(name) >= 0; }

    // Null for an index outside the table.
    const ElementDefinition* Record(int index) const
    {
        return index >= 0 && index < kSize ? &m_records[index] : nullptr;
    }
    ElementDefinition* MutableRecord(int index);
    // Number of records before the first empty one.
    int Count() const;

    void Clear();

private:
    void BuildIndex() const;

    ElementDefinition m_records[kSize];
    // Name -> first record of that name, before the first empty record,
    // without regard to case: what the linear scan would find, without
    // scanning. Open addressing over a power-of-two table at most half full.
    // Names are compared a word at a time, folded, in the slot itself; only a
    // name longer than the words is compared again in full.
    static constexpr size_t kSlots = 256;
    struct IndexSlot {
        FoldedName folded;
        int record = -1;  // -1: an empty slot
        bool multiValued = false;
        size_t size = 0;
    };
    mutable IndexSlot m_index[kSlots];
    mutable bool m_indexValid = false;
};

// Fills the catalogue from the definitions file; false (after telling the
// user why) when the file is missing, malformed or incomplete.
bool LoadElementCatalogue(const char* path);
// Where the definitions file `name` is read from: the current directory
// first, then the program's own folder (an elevated prompt starts in
// System32); the bare name when neither has it, so the message names it.
std::string ChooseDefinitionsPath(const std::string& name, const std::string& programFolder,
                                  const std::function<bool(const std::string&)>& exists);
// The same from a document already loaded; `path` names the file in messages.
class CXmlDocument;
bool LoadElementCatalogueFrom(const CXmlDocument& document, const char* path);
// Releases the names, from record 0 up to the first record without one.
void FreeElementCatalogue();
