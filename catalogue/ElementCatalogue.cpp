#include "catalogue/ElementCatalogue.h"

#include "common/TextCompare.h"

ElementCatalogue& ElementCatalogue::Instance()
{
    static ElementCatalogue catalogue;
    return catalogue;
}

int ElementCatalogue::Identify(const std::string& name) const
{
    if (!m_indexValid)
        BuildIndex();
    auto found = m_index.find(ToLowerAscii(name));
    return found == m_index.end() ? -1 : found->second;
}

void ElementCatalogue::BuildIndex() const
{
    m_index.clear();
    for (int i = 0; i < kSize && m_records[i].hasName; ++i)
        m_index.emplace(ToLowerAscii(m_records[i].name), i);
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
