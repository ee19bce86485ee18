#pragma once
#include <memory>
#include <string>
#include <vector>

#include "model/CBcdItem.h"
#include "model/DebugType.h"
#include "model/ObjectKind.h"

// One section of the tool's output and its elements, in output order.
class CBcdObject {
public:
    virtual ~CBcdObject() = default;

    // "identifier" and "description" items set the object's identifier and
    // description from their first value. An item pointing into a listing
    // other than the object's own takes a copy of its text.
    void AddItem(CBcdItem&& item);
    // The same for an item filled in place: `fill(item)` reads it into a new
    // item and says whether to keep it. A listing's elements are added so,
    // instead of being built aside and moved.
    template <class Fill>
    bool AddItemFilled(Fill fill)
    {
        CBcdItem& item = m_items.emplace_back();
        if (!fill(item)) {
            m_items.pop_back();
            return false;
        }
        Adopt(item);
        return true;
    }
    // Deletes every item; identifier, description and debug type stay.
    virtual void RemoveAllItems();
    // Deletes every item and takes `other`'s in their place, in order;
    // `other` is left without items.
    void ReplaceItemsWith(CBcdObject& other);

    // What the listing's heading said the object is.
    ObjectKind GetKind() const { return m_kind; }
    void SetKind(ObjectKind kind) { m_kind = kind; }
    const std::string& GetIdentifier() const { return m_identifier; }
    const std::string& GetDescription() const { return m_description; }
    DebugType GetDebugType() const { return m_debugType; }
    // Items are held by value: adding one may move the others, so pointers to
    // them last only while the object is not changed.
    const std::vector<CBcdItem>& GetItems() const { return m_items; }
    // Room for `count` items before a section is read into the object.
    void ReserveItems(size_t count) { m_items.reserve(count); }
    // The listing the object's items are read from: they may point into it,
    // and the object keeps it for them.
    void SetListing(std::shared_ptr<const std::string> listing) { m_listing = std::move(listing); }
    const std::string* GetListing() const { return m_listing.get(); }

    // First value of the first item of that name; empty when there is none
    // (or, for the debugger getters, when the debug type does not match).
    std::string GetDefault() const;
    std::string GetDebugPort() const;
    std::string GetBaudRate() const;
    std::string GetChannel() const;
    std::string GetTargetName() const;
    std::string GetHostIp() const;
    std::string GetNetPort() const;
    std::string GetKey() const;
    bool IsDebugEnabled() const;
    // 1-based place of this object's identifier in the boot manager's
    // display order; -1 when it is not there or there is no display order.
    int GetDisplayOrderPosition(const CBcdObject* bootManager) const;

    // The first value of the first item of that name; empty when there is none.
    std::string FirstValueOf(const char* name) const;
    // The first item whose name matches without regard to case; null if none.
    const CBcdItem* FindItem(const std::string& name) const;

protected:
    // What an added item tells the object.
    virtual void OnItemAdded(const CBcdItem& item);
    void ReadDebugType(const CBcdItem& item);

private:
    void Adopt(CBcdItem& item);

    ObjectKind m_kind = ObjectKind::Other;
    std::string m_identifier;
    std::string m_description;
    DebugType m_debugType = DebugTypeNone;
    std::vector<CBcdItem> m_items;
    std::shared_ptr<const std::string> m_listing;
};
