#include "model/DisplayPositions.h"

#include "common/TextCompare.h"
#include "model/CBcdObject.h"

CDisplayPositions::CDisplayPositions(const CBcdObject* bootManager)
{
    const CBcdItem* order = bootManager ? bootManager->FindItem("displayOrder") : nullptr;
    if (!order)
        return;
    const std::vector<std::string> values = order->GetValues();
    m_places.reserve(values.size());
    for (size_t i = 0; i < values.size(); ++i)
        m_places.emplace(ToLowerAscii(values[i]), static_cast<int>(i) + 1);
}

int CDisplayPositions::Of(const std::string& identifier) const
{
    auto found = m_places.find(ToLowerAscii(identifier));
    return found == m_places.end() ? -1 : found->second;
}
