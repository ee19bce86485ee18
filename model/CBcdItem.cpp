#include "model/CBcdItem.h"

#include "catalogue/ElementCatalogue.h"

void CBcdItem::Attach(int record)
{
    m_definition = record;
    if (m_hasValue && IsMultiValued()) {
        m_list.insert(m_list.begin(), std::move(m_value));
        m_value.clear();
        m_hasValue = false;
    }
}

bool CBcdItem::Identify(std::string_view name)
{
    int index = ElementCatalogue::Instance().Identify(name);
    if (index < 0)
        return false;
    m_name = name;
    Attach(index);
    return true;
}

bool CBcdItem::AttachUnknown(const std::string& name, int record)
{
    if (ElementCatalogue::Instance().IsKnownName(name))
        return false;
    m_name = name;
    Attach(record);
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

bool CBcdItem::AddValue(std::string_view value)
{
    if (m_definition < 0)
        return false;
    if (IsMultiValued()) {
        m_list.emplace_back(value);
        return true;
    }
    if (GetValueCount() != 0)
        return false;
    m_value = value;
    m_hasValue = true;
    return true;
}

void CBcdItem::ReplaceValues(const std::vector<std::string>& values)
{
    m_hasValue = !values.empty() && !IsMultiValued();
    m_value = m_hasValue ? values.front() : std::string();
    m_list.assign(values.begin() + (m_hasValue ? 1 : 0), values.end());
}

std::string CBcdItem::GetValue(int index) const
{
    if (index < 0 || index >= GetValueCount())
        return {};
    if (m_hasValue)
        return index == 0 ? m_value : m_list[static_cast<size_t>(index - 1)];
    return m_list[static_cast<size_t>(index)];
}

std::vector<std::string> CBcdItem::GetValues() const
{
    std::vector<std::string> values;
    values.reserve(static_cast<size_t>(GetValueCount()));
    if (m_hasValue)
        values.push_back(m_value);
    values.insert(values.end(), m_list.begin(), m_list.end());
    return values;
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
