#include "model/CBcdItem.h"

#include <functional>

#include "catalogue/ElementCatalogue.h"

namespace {
// Names and values are kept with 32-bit bounds.
constexpr size_t kMaxText = UINT32_MAX;

bool Within(const std::string& text, std::string_view range)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    return std::greater_equal<const char*>()(range.data(), begin) &&
           std::less_equal<const char*>()(range.data() + range.size(), end);
}
}  // namespace

const std::vector<std::string>& CBcdItem::NoValues()
{
    static const std::vector<std::string> none;
    return none;
}

CBcdItem::Owned& CBcdItem::Own() const
{
    if (!m_own)
        m_own = std::make_unique<Owned>();
    return *m_own;
}

CBcdItem::CBcdItem(const CBcdItem& other) : m_definition(other.m_definition), m_hasValue(other.m_hasValue)
{
    SetText(other.GetName(), other.FirstValue());
    std::vector<std::string>& list = m_own->list;
    list.reserve(other.MoreCount());
    for (size_t i = 0; i < other.MoreCount(); ++i)
        list.emplace_back(other.MoreAt(i));
}

CBcdItem& CBcdItem::operator=(const CBcdItem& other)
{
    if (this != &other)
        *this = CBcdItem(other);
    return *this;
}

CBcdItem& CBcdItem::operator=(CBcdItem&& other) noexcept
{
    if (this == &other)
        return *this;
    m_definition = other.m_definition;
    m_hasValue = other.m_hasValue;
    m_listing = other.m_listing;
    m_nameAt = other.m_nameAt;
    m_nameSize = other.m_nameSize;
    m_valueAt = other.m_valueAt;
    m_valueSize = other.m_valueSize;
    m_own = std::move(other.m_own);
    other.m_definition = -1;
    other.m_hasValue = false;
    other.m_listing = nullptr;
    other.m_nameAt = other.m_nameSize = other.m_valueAt = other.m_valueSize = 0;
    return *this;
}

bool CBcdItem::InListing(std::string_view range) const
{
    return m_listing && m_listing->size() <= kMaxText && Within(*m_listing, range);
}

std::string_view CBcdItem::MoreAt(size_t index) const
{
    const std::vector<Range>& listed = m_own->listed;
    if (index < listed.size())
        return std::string_view(m_listing->data() + listed[index].at, listed[index].size);
    return m_own->list[index - listed.size()];
}

void CBcdItem::ListRanges() const
{
    if (!m_own || m_own->listed.empty())
        return;
    std::vector<std::string>& list = m_own->list;
    list.reserve(m_own->listed.size());
    for (const Range& range : m_own->listed)
        list.emplace_back(m_listing->data() + range.at, range.size);
    m_own->listed.clear();
    m_own->listed.shrink_to_fit();
}

void CBcdItem::SetText(std::string_view name, std::string_view value)
{
    ListRanges();
    std::string& text = Own().text;
    if (Within(text, name) || Within(text, value)) {
        std::string joined;
        joined.reserve(name.size() + value.size());
        joined.append(name).append(value);
        text = std::move(joined);
    } else {
        // The text's room is reused: a value added after the name often fits.
        text.assign(name).append(value);
    }
    m_listing = nullptr;
    m_nameAt = 0;
    m_nameSize = static_cast<uint32_t>(name.size());
    m_valueAt = m_nameSize;
    m_valueSize = static_cast<uint32_t>(value.size());
}

void CBcdItem::OwnText()
{
    if (m_listing)
        SetText(GetName(), FirstValue());
}

void CBcdItem::Attach(int record)
{
    m_definition = record;
    if (IsMultiValued())
        GatherValues();
}

bool CBcdItem::Identify(std::string_view name)
{
    int index = name.size() <= kMaxText ? ElementCatalogue::Instance().Identify(name) : -1;
    if (index < 0)
        return false;
    SetText(name, FirstValue());
    Attach(index);
    return true;
}

bool CBcdItem::IdentifyListed(const std::string* listing, std::string_view name, std::string_view value,
                              bool& multiValued)
{
    if (!listing || listing->size() > kMaxText || !Within(*listing, name) || !Within(*listing, value) ||
        GetValueCount() != 0) {
        if (!Identify(name))
            return false;
        AddValue(value);
        multiValued = IsMultiValued();
        return true;
    }
    ElementCatalogue::Match match = ElementCatalogue::Instance().Find(name);
    if (match.record < 0)
        return false;
    m_definition = match.record;
    multiValued = match.multiValued;
    m_listing = listing;
    if (m_own)
        m_own->text.clear();
    m_nameAt = static_cast<uint32_t>(name.data() - listing->data());
    m_nameSize = static_cast<uint32_t>(name.size());
    // A multi-valued item's first value too: its list is made when asked for.
    m_valueAt = static_cast<uint32_t>(value.data() - listing->data());
    m_valueSize = static_cast<uint32_t>(value.size());
    m_hasValue = true;
    return true;
}

bool CBcdItem::AttachUnknown(std::string_view name, int record)
{
    if (name.size() > kMaxText || ElementCatalogue::Instance().IsKnownName(name))
        return false;
    SetText(name, FirstValue());
    Attach(record);
    return true;
}

bool CBcdItem::SetUnknownValue(std::string_view name)
{
    return AttachUnknown(name, ElementCatalogue::kUnknownValue);
}

bool CBcdItem::SetUnknownEnum(std::string_view name)
{
    return AttachUnknown(name, ElementCatalogue::kUnknownEnum);
}

bool CBcdItem::AddValue(std::string_view value)
{
    if (m_definition < 0 || value.size() > kMaxText)
        return false;
    if (IsMultiValued()) {
        Owned& own = Own();
        if (own.list.empty() && InListing(value))
            own.listed.push_back(Range{static_cast<uint32_t>(value.data() - m_listing->data()),
                                       static_cast<uint32_t>(value.size())});
        else {
            ListRanges();
            own.list.emplace_back(value);
        }
        return true;
    }
    if (GetValueCount() != 0)
        return false;
    if (!m_listing && m_own && m_own->text.size() == m_nameSize) {
        // The item's own text holds just its name: the value follows it.
        m_own->text.append(value);
        m_valueAt = m_nameSize;
        m_valueSize = static_cast<uint32_t>(value.size());
    } else {
        SetText(GetName(), value);
    }
    m_hasValue = true;
    return true;
}

void CBcdItem::ReserveValues(size_t count)
{
    Owned& own = Own();
    if (own.list.empty() && m_listing)
        own.listed.reserve(own.listed.size() + count);
    else
        own.list.reserve(own.list.size() + count);
}

void CBcdItem::ReplaceValues(const std::vector<std::string>& values)
{
    m_hasValue = !values.empty() && !IsMultiValued();
    SetText(GetName(), m_hasValue ? std::string_view(values.front()) : std::string_view());
    m_own->list.assign(values.begin() + (m_hasValue ? 1 : 0), values.end());
}

std::string CBcdItem::GetValue(int index) const
{
    if (index < 0 || index >= GetValueCount())
        return {};
    size_t at = static_cast<size_t>(index);
    if (m_hasValue)
        return std::string(at == 0 ? FirstValue() : MoreAt(at - 1));
    return std::string(MoreAt(at));
}

std::vector<std::string> CBcdItem::GetValues() const
{
    std::vector<std::string> values;
    values.reserve(static_cast<size_t>(GetValueCount()));
    if (m_hasValue)
        values.emplace_back(FirstValue());
    for (size_t i = 0; i < MoreCount(); ++i)
        values.emplace_back(MoreAt(i));
    return values;
}

const std::vector<std::string>& CBcdItem::GetValueList() const
{
    if (!IsMultiValued())
        return NoValues();
    GatherValues();
    return m_own ? m_own->list : NoValues();
}

void CBcdItem::GatherValues() const
{
    ListRanges();
    if (!m_hasValue)
        return;
    std::vector<std::string>& list = Own().list;
    list.insert(list.begin(), std::string(FirstValue()));
    m_hasValue = false;
    m_valueSize = 0;
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
