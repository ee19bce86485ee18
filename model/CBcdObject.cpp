#include "model/CBcdObject.h"

#include "common/TextCompare.h"

void CBcdObject::AddItem(CBcdItem&& item)
{
    m_items.push_back(std::move(item));
    Adopt(m_items.back());
}

void CBcdObject::Adopt(CBcdItem& item)
{
    if (!item.PointsInto(m_listing.get()))
        item.OwnText();
    OnItemAdded(item);
}

void CBcdObject::OnItemAdded(const CBcdItem& item)
{
    if (EqualsNoCase(item.GetName(), "Identifier"))
        m_identifier = item.GetValue(0);
    else if (EqualsNoCase(item.GetName(), "description"))
        m_description = item.GetValue(0);
}

void CBcdObject::RemoveAllItems() { m_items.clear(); }

void CBcdObject::ReplaceItemsWith(CBcdObject& other)
{
    RemoveAllItems();
    std::vector<CBcdItem> taken = std::move(other.m_items);
    other.m_items.clear();
    // The items may point into the other object's listing.
    m_listing = other.m_listing;
    m_items.reserve(taken.size());
    for (auto& item : taken)
        AddItem(std::move(item));
}

void CBcdObject::ReadDebugType(const CBcdItem& item)
{
    if (!EqualsNoCase(item.GetName(), "debugtype"))
        return;
    m_debugType = DebugTypeFromText(item.GetValue(0));
}

DebugType DebugTypeFromText(const std::string& text)
{
    static const struct {
        const char* word;
        DebugType type;
    } kWords[] = {{"1394", DebugType1394}, {"Serial", DebugTypeSerial}, {"USB", DebugTypeUsb},
                  {"NET", DebugTypeNet},   {"Local", DebugTypeLocal}};
    for (const auto& entry : kWords)
        if (EqualsNoCase(text, entry.word))
            return entry.type;
    return DebugTypeNone;
}

const CBcdItem* CBcdObject::FindItem(const std::string& name) const
{
    for (const auto& item : m_items)
        if (EqualsNoCase(item.GetName(), name))
            return &item;
    return nullptr;
}

std::string CBcdObject::FirstValueOf(const char* name) const
{
    const CBcdItem* item = FindItem(name);
    return item ? item->GetValue(0) : std::string();
}

std::string CBcdObject::GetDefault() const { return FirstValueOf("default"); }

std::string CBcdObject::GetDebugPort() const
{
    return m_debugType == DebugTypeSerial ? FirstValueOf("debugport") : std::string();
}

std::string CBcdObject::GetBaudRate() const
{
    return m_debugType == DebugTypeSerial ? FirstValueOf("baudrate") : std::string();
}

std::string CBcdObject::GetChannel() const
{
    return m_debugType == DebugType1394 ? FirstValueOf("channel") : std::string();
}

std::string CBcdObject::GetTargetName() const
{
    return m_debugType == DebugTypeUsb ? FirstValueOf("targetname") : std::string();
}

std::string CBcdObject::GetHostIp() const
{
    return m_debugType == DebugTypeNet ? FirstValueOf("hostip") : std::string();
}

std::string CBcdObject::GetNetPort() const
{
    return m_debugType == DebugTypeNet ? FirstValueOf("port") : std::string();
}

std::string CBcdObject::GetKey() const
{
    return m_debugType == DebugTypeNet ? FirstValueOf("key") : std::string();
}

bool CBcdObject::IsDebugEnabled() const { return EqualsNoCase(FirstValueOf("debug"), "Yes"); }

int CBcdObject::GetDisplayOrderPosition(const CBcdObject* bootManager) const
{
    if (!bootManager)
        return -1;
    const CBcdItem* order = bootManager->FindItem("displayOrder");
    if (!order)
        return -1;
    for (int i = 0; i < order->GetValueCount(); ++i)
        if (EqualsNoCase(order->GetValue(i), m_identifier))
            return i + 1;
    return -1;
}
