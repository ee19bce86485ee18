#include "model/CBcdItem.h"

#include "catalogue/ElementCatalogue.h"

bool CBcdItem::Identify(const std::string& name)
{
    int index = ElementCatalogue::Instance().Identify(name);
    if (index < 0)
        return false;
    m_definition = index;
    m_name = name;
    return true;
}

bool CBcdItem::AttachUnknown(const std::string& name, int record)
{
    if (ElementCatalogue::Instance().IsKnownName(name))
        return false;
    m_definition = record;
    m_name = name;
    return true;
}

bool CBcdItem::SetUnknownValue(const std::string& name)
{
    return AttachUnknown(name, ElementCatalogue::kUnknownValue);
}

bool CBcdItem::SetUnknownEnum(const std::string& name)
{
    return AttachUnknown(name, ElementCatalogue::kUnknownEnum);
}

bool CBcdItem::AddValue(std::string value)
{
    if (m_definition < 0 || (!IsMultiValued() && !m_values.empty()))
        return false;
    m_values.push_back(std::move(value));
    return true;
}

std::string CBcdItem::GetValue(int index) const
{
    if (index < 0 || index >= GetValueCount())
        return {};
    return m_values[static_cast<size_t>(index)];
}

bool CBcdItem::IsMultiValued() const
{
    const ElementDefinition* record = ElementCatalogue::Instance().Record(m_definition);
    return record && record->hasName && record->multiValues != 0;
}

int CBcdItem::GetType() const
{
    const ElementDefinition* record = ElementCatalogue::Instance().Record(m_definition);
    return record ? record->type : -1;
}
