// CRunText: storage of a text run's bytes, in place or in one heap block.
#include "korhtml/RunText.h"

#include <cstring>

char* CRunText::HeapPointer() const
{
    char* p;
    std::memcpy(&p, m_b, sizeof p);
    return p;
}

std::uint32_t CRunText::HeapLength() const
{
    std::uint32_t n;
    std::memcpy(&n, m_b + sizeof(char*), sizeof n);
    return n;
}

void CRunText::Free()
{
    if (IsHeap())
        delete[] HeapPointer();
    m_b[0] = 0;
    m_b[kTag] = 0;
}

void CRunText::Assign(const char* psz)
{
    Assign(psz, psz ? int(std::strlen(psz)) : 0);
}

void CRunText::Assign(const char* p, int n)
{
    if (!p || n < 0)
        n = 0;
    // The new bytes are placed before the old block is freed: p may point into it.
    if (n <= kInline) {
        unsigned char in[kInline + 1];
        if (n > 0)
            std::memcpy(in, p, size_t(n));
        Free();
        std::memcpy(m_b, in, size_t(n));
        m_b[n] = 0;
        m_b[kTag] = static_cast<unsigned char>(n);
        return;
    }
    char* block = new char[size_t(n) + 1];
    std::memcpy(block, p, size_t(n));
    block[n] = 0;
    Free();
    const std::uint32_t len = std::uint32_t(n);
    std::memcpy(m_b, &block, sizeof block);
    std::memcpy(m_b + sizeof block, &len, sizeof len);
    m_b[kTag] = kHeap;
}
