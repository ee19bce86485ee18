#pragma once
#include <cstddef>
#include <cstdint>

// The nodes an element holds of one kind, in document order: a view of an
// array that the document owns.
template <class T>
class CXmlNodeList {
public:
    CXmlNodeList() = default;
    CXmlNodeList(T* const* items, size_t count) : m_items(items), m_count(static_cast<uint32_t>(count)) {}

    T* const* begin() const { return m_items; }
    T* const* end() const { return m_items + m_count; }
    size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    T* operator[](size_t index) const { return m_items[index]; }
    T* front() const { return m_items[0]; }
    T* back() const { return m_items[m_count - 1]; }

private:
    T* const* m_items = nullptr;
    uint32_t m_count = 0;
};

// The same over nodes that lie side by side in one array.
template <class T>
class CXmlNodeArray {
public:
    class Iterator {
    public:
        explicit Iterator(T* at) : m_at(at) {}
        T* operator*() const { return m_at; }
        Iterator& operator++()
        {
            ++m_at;
            return *this;
        }
        bool operator==(const Iterator& other) const { return m_at == other.m_at; }
        bool operator!=(const Iterator& other) const { return m_at != other.m_at; }

    private:
        T* m_at;
    };

    CXmlNodeArray() = default;
    CXmlNodeArray(T* items, size_t count) : m_items(items), m_count(static_cast<uint32_t>(count)) {}

    Iterator begin() const { return Iterator(m_items); }
    Iterator end() const { return Iterator(m_items + m_count); }
    size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    T* operator[](size_t index) const { return m_items + index; }
    T* front() const { return m_items; }
    T* back() const { return m_items + m_count - 1; }

private:
    T* m_items = nullptr;
    uint32_t m_count = 0;
};
