#pragma once
#include <string>
#include <string_view>
#include <vector>

// One element as the tool printed it: its name (or the decorated name of an
// element the catalogue does not know) and its values, attached to a
// catalogue record by index.
class CBcdItem {
public:
    // Attaches the catalogue record of `name` and takes the name as given;
    // false (nothing changed) when the catalogue does not know it.
    bool Identify(std::string_view name);
    // Attach record 0 ("unknownvalue") or 1 ("unknownenum") under `name`,
    // only when the catalogue does not know that name.
    bool SetUnknownValue(const std::string& name);
    bool SetUnknownEnum(const std::string& name);

    // False (nothing added) without a record, or when a single-valued item
    // already holds its value.
    bool AddValue(std::string_view value);

    // Room for `count` values in a multi-valued item's list.
    void ReserveValues(size_t count) { m_list.reserve(count); }
    // Replaces every value (a list edited in memory); a multi-valued item's
    // list keeps its identity, so grid cells showing it stay valid.
    void ReplaceValues(const std::vector<std::string>& values);

    const std::string& GetName() const { return m_name; }
    // Empty text for an index outside the values.
    std::string GetValue(int index) const;
    int GetValueCount() const { return static_cast<int>(m_list.size()) + (m_hasValue ? 1 : 0); }
    // Every value, in order: a copy.
    std::vector<std::string> GetValues() const;
    // A multi-valued item's values, in a list that lives as long as the item
    // (grid cells borrow it); empty for a single-valued item.
    const std::vector<std::string>& GetValueList() const { return m_list; }

    int GetDefinitionIndex() const { return m_definition; }
    bool IsMultiValued() const;
    // The record's BcdType, or -1 without a record.
    int GetType() const;

private:
    bool AttachUnknown(const std::string& name, int record);
    void Attach(int record);

    int m_definition = -1;
    // The values are m_value (when m_hasValue) followed by m_list. Most items
    // hold one value, kept in the item: a list of its own would cost each
    // element of a listing an allocation. A multi-valued item keeps all its
    // values in the list.
    bool m_hasValue = false;
    std::string m_name;
    std::string m_value;
    std::vector<std::string> m_list;
};
