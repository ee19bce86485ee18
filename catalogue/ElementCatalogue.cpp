#include "catalogue/ElementCatalogue.h"

#include <cstring>

#include "common/TextCompare.h"

ElementCatalogue& ElementCatalogue::Instance()
{
    static ElementCatalogue catalogue;
    return catalogue;
}

namespace {
// Names differ mostly at their ends: the first and last eight bytes and the
// length make the hash, in constant time. Setting bit 5 folds the letters'
// case; the other bytes it merges only share a slot, since a match is still
// compared in full.
uint64_t LoadFolded(const char* at, size_t count)
{
    uint64_t bytes = 0;
    if (count >= 8)
        std::memcpy(&bytes, at, 8);
    else
        for (size_t i = 0; i < count; ++i)
            bytes = bytes << 8 | static_cast<unsigned char>(at[i]);
    return bytes | 0x2020202020202020ull;
}

uint32_t NoCaseHash(std::string_view text)
{
    size_t size = text.size();
    uint64_t head = LoadFolded(text.data(), size);
    uint64_t tail = size > 8 ? LoadFolded(text.data() + size - 8, 8) : 0;
    uint64_t mixed = head * 0x9e3779b97f4a7c15ull ^ (tail + size) * 0xc2b2ae3d27d4eb4full;
    return static_cast<uint32_t>(mixed >> 32);
}
}  // namespace

int ElementCatalogue::Identify(std::string_view name) const
{
    if (!m_indexValid)
        BuildIndex();
    uint32_t hash = NoCaseHash(name);
    size_t mask = m_index.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const IndexSlot& slot = m_index[at];
        if (slot.record < 0)
            return -1;
        if (slot.hash == hash && EqualsNoCase(m_records[slot.record].name, name))
            return slot.record;
    }
}

void ElementCatalogue::BuildIndex() const
{
    constexpr size_t kSlots = 256;
    static_assert(2 * kSize <= kSlots, "the table stays at most half full");
    m_index.assign(kSlots, IndexSlot{0, -1});
    size_t mask = m_index.size() - 1;
    for (int i = 0; i < kSize && m_records[i].hasName; ++i) {
        uint32_t hash = NoCaseHash(m_records[i].name);
        size_t at = hash & mask;
        bool known = false;
        for (; m_index[at].record >= 0; at = (at + 1) & mask)
            known |= m_index[at].hash == hash && EqualsNoCase(m_records[m_index[at].record].name, m_records[i].name);
        if (!known)
            m_index[at] = IndexSlot{hash, i};
    }
    m_indexValid = true;
}

const ElementDefinition* ElementCatalogue::Record(int index) const
{
    return index >= 0 && index < kSize ? &m_records[index] : nullptr;
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
