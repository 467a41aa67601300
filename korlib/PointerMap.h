// CPointerMap: a map from non-null pointers to small values, for the memos that walks keep.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Open addressing in one array: a lookup reads one or two adjacent slots instead of following a
// bucket's chain. Insertion and lookup only. Values move when the table grows, so a caller that
// keeps a pointer to a value across insertions must keep the value itself elsewhere.
template <class K, class V> class CPointerMap
{
public:
    // The value kept for key, or null.
    V* Find(const K* key)
    {
        if (m_slots.empty())
            return nullptr;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = Hash(key) & mask;; i = (i + 1) & mask) {
            Slot& slot = m_slots[i];
            if (slot.key == key)
                return &slot.value;
            if (!slot.key)
                return nullptr;
        }
    }
    // The value kept for key, made from value when there was none (an existing one is kept).
    V& Insert(const K* key, const V& value)
    {
        if (V* found = Find(key))
            return *found;
        // At most half full, so probes stay short and always meet a free slot.
        if (2 * (m_nCount + 1) > m_slots.size())
            Grow();
        Slot& slot = FreeSlot(key);
        slot.key = key;
        slot.value = value;
        ++m_nCount;
        return slot.value;
    }
    V& operator[](const K* key) { return Insert(key, V()); }
    bool IsEmpty() const { return m_nCount == 0; }
    size_t GetCount() const { return m_nCount; }

private:
    struct Slot
    {
        const K* key = nullptr;
        V value{};
    };
    static size_t Hash(const K* key)
    {
        // Nodes lie a few dozen bytes apart: mix the address so neighbours spread over the table.
        std::uint64_t x = reinterpret_cast<std::uintptr_t>(key);
        x ^= x >> 33;
        x *= 0xff51afd7ed558ccdull;
        x ^= x >> 33;
        return size_t(x);
    }
    Slot& FreeSlot(const K* key)
    {
        const size_t mask = m_slots.size() - 1;
        size_t i = Hash(key) & mask;
        while (m_slots[i].key)
            i = (i + 1) & mask;
        return m_slots[i];
    }
    void Grow()
    {
        std::vector<Slot> old(m_slots.empty() ? 16 : 2 * m_slots.size());
        old.swap(m_slots);
        for (Slot& slot : old)
            if (slot.key)
                FreeSlot(slot.key) = slot;
    }

    std::vector<Slot> m_slots;
    size_t m_nCount = 0;
};
