#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One element as the tool printed it: its name (or the decorated name of an
// element the catalogue does not know) and its values, attached to a
// catalogue record by index.
class CBcdItem {
public:
    CBcdItem() = default;
    // A copy keeps its own name and value, whatever the original points at.
    CBcdItem(const CBcdItem& other);
    CBcdItem& operator=(const CBcdItem& other);
    // A moved-from item is left empty, as a new one.
    CBcdItem(CBcdItem&& other) noexcept { *this = std::move(other); }
    CBcdItem& operator=(CBcdItem&& other) noexcept;

    // Attaches the catalogue record of `name` and takes the name as given;
    // false (nothing changed) when the catalogue does not know it.
    bool Identify(std::string_view name);
    // Identify and AddValue at once, for a name and value read from
    // `listing`: the item points at them there instead of copying them. Only
    // an object that keeps the listing holds such an item (CBcdObject::
    // AddItem sees to it); ranges outside the listing are copied.
    // `multiValued` tells the reader whether continuation lines follow.
    bool IdentifyListed(const std::string* listing, std::string_view name, std::string_view value,
                        bool& multiValued);
    // Attach record 0 ("unknownvalue") or 1 ("unknownenum") under `name`,
    // only when the catalogue does not know that name.
    bool SetUnknownValue(std::string_view name);
    bool SetUnknownEnum(std::string_view name);

    // False (nothing added) without a record, or when a single-valued item
    // already holds its value.
    bool AddValue(std::string_view value);
    // Room for `count` more values of a multi-valued item.
    void ReserveValues(size_t count);
    // Replaces every value (a list edited in memory); a multi-valued item's
    // list keeps its identity, so grid cells showing it stay valid.
    void ReplaceValues(const std::vector<std::string>& values);

    std::string_view GetName() const { return std::string_view(Text() + m_nameAt, m_nameSize); }
    // Empty text for an index outside the values.
    std::string GetValue(int index) const;
    int GetValueCount() const { return static_cast<int>(MoreCount()) + (m_hasValue ? 1 : 0); }
    // Every value, in order: a copy.
    std::vector<std::string> GetValues() const;
    // A multi-valued item's values, in a list that stays where it is as long
    // as the item lives, even when the item moves (grid cells borrow it);
    // empty for a single-valued item. An item read from a listing keeps its
    // values there until its list is first asked for.
    const std::vector<std::string>& GetValueList() const;

    int GetDefinitionIndex() const { return m_definition; }
    bool IsMultiValued() const;
    // The record's BcdType, or -1 without a record.
    int GetType() const;

    // Whether the name and value are ranges of `listing`, which the item
    // then needs; OwnText copies them into the item.
    bool PointsInto(const std::string* listing) const { return m_listing && m_listing == listing; }
    void OwnText();

private:
    // A value that is a range of the listing.
    struct Range {
        uint32_t at;
        uint32_t size;
    };
    // What an item keeps apart: the name and first value when they are not
    // ranges of a listing, and a multi-valued item's further values, as
    // ranges of its listing or in its list (never both). Most items of a
    // listing need none of it: they stay small and cost no allocation.
    struct Owned {
        std::string text;
        std::vector<Range> listed;
        std::vector<std::string> list;
    };

    static const std::vector<std::string>& NoValues();
    Owned& Own() const;
    // The values after the first one kept apart (all of them, without one).
    size_t MoreCount() const { return m_own ? m_own->listed.size() + m_own->list.size() : 0; }
    std::string_view MoreAt(size_t index) const;
    // Further values kept as ranges of the listing go into the list, before
    // the item stops pointing into the listing or hands its list out.
    void ListRanges() const;
    // All values into the list, as a multi-valued item is asked for it.
    void GatherValues() const;
    bool AttachUnknown(std::string_view name, int record);
    void Attach(int record);
    const char* Text() const { return m_listing ? m_listing->data() : m_own ? m_own->text.data() : ""; }
    std::string_view FirstValue() const { return std::string_view(Text() + m_valueAt, m_valueSize); }
    // Takes copies of a name and first value, which may be the item's own.
    void SetText(std::string_view name, std::string_view value);
    bool InListing(std::string_view range) const;

    int m_definition = -1;
    // The values are the first value (when m_hasValue) followed by the
    // further ones. Most items hold one value, kept beside the name: a list
    // of its own would cost each element of a listing an allocation. So does
    // a multi-valued item read from a listing, until GetValueList gathers
    // its values into the list: that changes how the values are kept, not
    // what they are, so it may happen on a const item.
    mutable bool m_hasValue = false;
    // The name and first value are ranges of m_listing's text, or of the
    // item's own text (m_listing null).
    const std::string* m_listing = nullptr;
    uint32_t m_nameAt = 0;
    uint32_t m_nameSize = 0;
    uint32_t m_valueAt = 0;
    mutable uint32_t m_valueSize = 0;
    mutable std::unique_ptr<Owned> m_own;
};
