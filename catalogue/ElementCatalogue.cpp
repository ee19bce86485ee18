#include "catalogue/ElementCatalogue.h"

#include <cstring>

#include "common/TextCompare.h"

namespace {

using FoldedName = ElementCatalogue::FoldedName;

// ASCII upper-case letters of eight bytes to lower case at once, exactly as
// FoldCase does byte by byte: bit 7 marks the bytes from 'A' to 'Z', then
// moves to bit 5. Bytes with bit 7 set stay as they are.
inline uint64_t FoldWord(uint64_t bytes)
{
    const uint64_t high = 0x8080808080808080ull;
    uint64_t low = bytes & ~high;
    uint64_t atLeastA = low + 0x3f3f3f3f3f3f3f3full;
    uint64_t pastZ = low + 0x2525252525252525ull;
    uint64_t upper = atLeastA & ~pastZ & ~bytes & high;
    return bytes | upper >> 2;
}

// Bytes [start, start + 8) of a name of eight bytes or more, zero past its
// end, read with whole loads (bytes stored one by one and read back as a word
// would stall) and without branches on the name's length.
inline uint64_t NameWord(const char* name, size_t size, size_t start)
{
    size_t from = start + 8 <= size ? start : size - 8;
    uint64_t word;
    std::memcpy(&word, name + from, 8);
    size_t seen = start - from;  // bytes an earlier word holds
    return seen >= 8 ? 0 : word >> (8 * seen);
}

// The first kWordName bytes of `name`, folded, zero past its end.
inline void FoldName(std::string_view name, FoldedName& folded)
{
    constexpr size_t kWords = ElementCatalogue::kWordName / 8;
    if (name.size() >= 8) {
        for (size_t i = 0; i < kWords; ++i)
            folded.words[i] = FoldWord(NameWord(name.data(), name.size(), 8 * i));
        return;
    }
    uint64_t word = 0;
    for (size_t i = 0; i < name.size(); ++i)
        word |= static_cast<uint64_t>(static_cast<unsigned char>(name[i])) << (8 * i);
    folded.words[0] = FoldWord(word);
    for (size_t i = 1; i < kWords; ++i)
        folded.words[i] = 0;
}

// A longer name also hashes its last eight bytes.
uint32_t NameHash(std::string_view name, const FoldedName& folded)
{
    uint64_t last = name.size() > ElementCatalogue::kWordName
                        ? FoldWord(NameWord(name.data(), name.size(), name.size() - 8))
                        : 0;
    uint64_t mixed = folded.words[0] * 0x9e3779b97f4a7c15ull ^ folded.words[1] * 0xc2b2ae3d27d4eb4full ^
                     (folded.words[2] + name.size()) * 0x165667b19e3779f9ull ^ last * 0x27d4eb2f165667c5ull;
    return static_cast<uint32_t>(mixed >> 32);
}

bool SameWords(const FoldedName& a, const FoldedName& b)
{
    return ((a.words[0] ^ b.words[0]) | (a.words[1] ^ b.words[1]) | (a.words[2] ^ b.words[2])) == 0;
}

}  // namespace

ElementCatalogue::Match ElementCatalogue::Find(std::string_view name) const
{
    if (!m_indexValid)
        BuildIndex();
    FoldedName folded;
    FoldName(name, folded);
    constexpr size_t kMask = kSlots - 1;
    for (size_t at = NameHash(name, folded) & kMask;; at = (at + 1) & kMask) {
        const IndexSlot& slot = m_index[at];
        if (slot.record < 0)
            return Match{-1, false};
        if (slot.size != name.size() || !SameWords(slot.folded, folded))
            continue;
        if (name.size() <= kWordName || EqualsNoCase(m_records[slot.record].name, name))
            return Match{slot.record, slot.multiValued};
    }
}

void ElementCatalogue::BuildIndex() const
{
    static_assert(2 * kSize <= kSlots, "the table stays at most half full");
    static_assert((kSlots & (kSlots - 1)) == 0, "a power of two");
    constexpr size_t kMask = kSlots - 1;
    for (IndexSlot& slot : m_index)
        slot = IndexSlot();
    for (int i = 0; i < kSize && m_records[i].hasName; ++i) {
        const std::string& name = m_records[i].name;
        IndexSlot fresh;
        fresh.record = i;
        fresh.multiValued = m_records[i].multiValues != 0;
        fresh.size = name.size();
        FoldName(name, fresh.folded);
        size_t at = NameHash(name, fresh.folded) & kMask;
        bool known = false;
        for (; m_index[at].record >= 0; at = (at + 1) & kMask)
            known |= EqualsNoCase(m_records[m_index[at].record].name, name);
        if (!known)
            m_index[at] = fresh;
    }
    m_indexValid = true;
}

ElementDefinition* ElementCatalogue::MutableRecord(int index)
{
    m_indexValid = false;
    return index >= 0 && index < kSize ? &m_records[index] : nullptr;
}

int ElementCatalogue::Count() const
{
    int count = 0;
    while (count < kSize && m_records[count].hasName)
        ++count;
    return count;
}

void ElementCatalogue::Clear()
{
    m_indexValid = false;
    for (ElementDefinition& record : m_records)
        record.Clear();
}

void FreeElementCatalogue()
{
    ElementCatalogue& catalogue = ElementCatalogue::Instance();
    for (int i = 0; i < ElementCatalogue::kSize; ++i) {
        ElementDefinition* record = catalogue.MutableRecord(i);
        if (!record->hasName)
            break;
        record->hasName = false;
        record->name.clear();
        record->name.shrink_to_fit();
    }
}
