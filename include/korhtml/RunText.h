// CRunText: the bytes of a text run in 16 bytes, short words in place and long texts on the heap.
#pragma once

#include "korhtml/Export.h"
#include "platform/afx/afx.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// A document holds about one text run per seven bytes of source, so a run's strings must be small:
// a CString costs 32 bytes even when empty. Up to kInline bytes live inside the object; a longer
// text gets one heap block of its length. Always NUL-terminated, like a CString.
class KORHTML_API CRunText
{
public:
    CRunText() noexcept
    {
        m_b[0] = 0;
        m_b[kTag] = 0;
    }
    CRunText(const char* p, int n) : CRunText() { Assign(p, n); }
    CRunText(const CString& s) : CRunText() { Assign(s.GetString(), s.GetLength()); }
    CRunText(const char* psz) : CRunText() { Assign(psz); }
    CRunText(const CRunText& o) : CRunText() { Assign(o.GetString(), o.GetLength()); }
    ~CRunText() { Free(); }

    CRunText& operator=(const CRunText& o)
    {
        if (this != &o)
            Assign(o.GetString(), o.GetLength());
        return *this;
    }
    CRunText& operator=(const CString& s)
    {
        Assign(s.GetString(), s.GetLength());
        return *this;
    }
    CRunText& operator=(const char* psz)
    {
        Assign(psz);
        return *this;
    }

    // Replaces the bytes with n bytes from p (which may lie inside this string).
    void Assign(const char* p, int n);
    void Assign(const char* psz);
    void Empty() { Assign(nullptr, 0); }

    int GetLength() const { return IsHeap() ? int(HeapLength()) : m_b[kTag]; }
    BOOL IsEmpty() const { return GetLength() == 0; }
    const char* GetString() const { return IsHeap() ? HeapPointer() : reinterpret_cast<const char*>(m_b); }
    char operator[](int i) const { return GetString()[i]; }
    std::string_view view() const { return std::string_view(GetString(), size_t(GetLength())); }
    std::string str() const { return std::string(view()); }
    operator CString() const { return CString(GetString(), GetLength()); }

    // Comparisons stop at the first NUL, as CString's do.
    friend bool operator==(const CRunText& a, const char* b)
    {
        return std::strcmp(a.GetString(), b ? b : "") == 0;
    }
    friend bool operator==(const CRunText& a, const CString& b) { return a == b.GetString(); }
    friend bool operator==(const CRunText& a, const CRunText& b) { return a == b.GetString(); }
    friend bool operator!=(const CRunText& a, const char* b) { return !(a == b); }
    friend bool operator!=(const CRunText& a, const CString& b) { return !(a == b); }

private:
    static constexpr int kInline = 14; // bytes kept in place; one more holds the NUL
    static constexpr int kTag = 15;    // the last byte: the length in place, or kHeap
    static constexpr unsigned char kHeap = 0xFF;

    bool IsHeap() const { return m_b[kTag] == kHeap; }
    char* HeapPointer() const;
    std::uint32_t HeapLength() const;
    void Free();

    alignas(8) unsigned char m_b[16];
};
