#pragma once
#include <string>
#include <vector>

// One element as the tool printed it: its name (or the decorated name of an
// element the catalogue does not know) and its values, attached to a
// catalogue record by index.
class CBcdItem {
public:
    // Attaches the catalogue record of `name` and takes the name as given;
    // false (nothing changed) when the catalogue does not know it.
    bool Identify(const std::string& name);
    // Attach record 0 ("unknownvalue") or 1 ("unknownenum") under `name`,
    // only when the catalogue does not know that name.
    bool SetUnknownValue(const std::string& name);
    bool SetUnknownEnum(const std::string& name);

    // False (nothing added) without a record, or when a single-valued item
    // already holds its value.
    bool AddValue(std::string value);

    // Replaces every value of a multi-valued item (a list edited in memory);
    // the list keeps its identity, so grid cells showing it stay valid.
    void ReplaceValues(const std::vector<std::string>& values) { m_values = values; }

    const std::string& GetName() const { return m_name; }
    // Empty text for an index outside the values.
    std::string GetValue(int index) const;
    int GetValueCount() const { return static_cast<int>(m_values.size()); }
    const std::vector<std::string>& GetValues() const { return m_values; }

    int GetDefinitionIndex() const { return m_definition; }
    bool IsMultiValued() const;
    // The record's BcdType, or -1 without a record.
    int GetType() const;

private:
    bool AttachUnknown(const std::string& name, int record);

    int m_definition = -1;
    std::string m_name;
    std::vector<std::string> m_values;
};
