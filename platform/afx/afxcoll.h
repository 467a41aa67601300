// The framework's collections: linked lists, arrays and string-keyed hash maps with their visiting order.
#pragma once

#include "korhtml/Export.h"
#include "platform/afx/afxobj.h"
#include "platform/afx/afxstr.h"

#include <vector>

namespace kor {

// A doubly linked list whose positions are its nodes: they stay valid while other entries come and go.
template <class T> class List
{
    struct Node : __POSITION
    {
        Node* pNext;
        Node* pPrev;
        T data;
    };

public:
    explicit List(int /*nBlockSize*/ = 10) {}
    ~List() { RemoveAll(); }
    List(const List&) = delete;
    List& operator=(const List&) = delete;

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    T& GetHead() { return m_pHead->data; }
    const T& GetHead() const { return m_pHead->data; }
    T& GetTail() { return m_pTail->data; }
    const T& GetTail() const { return m_pTail->data; }

    T RemoveHead()
    {
        Node* n = m_pHead;
        T v = n->data;
        Unlink(n);
        return v;
    }
    T RemoveTail()
    {
        Node* n = m_pTail;
        T v = n->data;
        Unlink(n);
        return v;
    }
    POSITION AddHead(const T& v) { return InsertBefore(m_pHead, v); }
    POSITION AddTail(const T& v) { return InsertAfter(m_pTail, v); }
    void AddTail(const List& other)
    {
        for (Node* n = other.m_pHead; n; n = n->pNext)
            AddTail(n->data);
    }
    void RemoveAll()
    {
        Node* n = m_pHead;
        while (n) {
            Node* next = n->pNext;
            delete n;
            n = next;
        }
        m_pHead = m_pTail = nullptr;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return m_pHead; }
    POSITION GetTailPosition() const { return m_pTail; }
    T& GetNext(POSITION& pos)
    {
        Node* n = static_cast<Node*>(pos);
        pos = n->pNext;
        return n->data;
    }
    const T& GetNext(POSITION& pos) const
    {
        Node* n = static_cast<Node*>(pos);
        pos = n->pNext;
        return n->data;
    }
    T& GetPrev(POSITION& pos)
    {
        Node* n = static_cast<Node*>(pos);
        pos = n->pPrev;
        return n->data;
    }
    const T& GetPrev(POSITION& pos) const
    {
        Node* n = static_cast<Node*>(pos);
        pos = n->pPrev;
        return n->data;
    }
    T& GetAt(POSITION pos) { return static_cast<Node*>(pos)->data; }
    const T& GetAt(POSITION pos) const { return static_cast<Node*>(pos)->data; }
    void SetAt(POSITION pos, const T& v) { static_cast<Node*>(pos)->data = v; }
    void RemoveAt(POSITION pos) { Unlink(static_cast<Node*>(pos)); }

    // A null position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION pos, const T& v)
    {
        Node* at = static_cast<Node*>(pos);
        Node* n = new Node;
        n->data = v;
        if (!at) {
            n->pPrev = nullptr;
            n->pNext = m_pHead;
            if (m_pHead)
                m_pHead->pPrev = n;
            else
                m_pTail = n;
            m_pHead = n;
        } else {
            n->pNext = at;
            n->pPrev = at->pPrev;
            if (at->pPrev)
                at->pPrev->pNext = n;
            else
                m_pHead = n;
            at->pPrev = n;
        }
        ++m_nCount;
        return n;
    }
    POSITION InsertAfter(POSITION pos, const T& v)
    {
        Node* at = static_cast<Node*>(pos);
        if (!at)
            at = m_pTail;
        if (!at)
            return InsertBefore(nullptr, v);
        Node* n = new Node;
        n->data = v;
        n->pPrev = at;
        n->pNext = at->pNext;
        if (at->pNext)
            at->pNext->pPrev = n;
        else
            m_pTail = n;
        at->pNext = n;
        ++m_nCount;
        return n;
    }

    // The first position after startAfter (or from the head) holding an equal value.
    POSITION Find(const T& v, POSITION startAfter = nullptr) const
    {
        Node* n = startAfter ? static_cast<Node*>(startAfter)->pNext : m_pHead;
        for (; n; n = n->pNext)
            if (n->data == v)
                return n;
        return nullptr;
    }
    POSITION FindIndex(int index) const
    {
        if (index < 0 || index >= m_nCount)
            return nullptr;
        Node* n = m_pHead;
        while (index-- > 0)
            n = n->pNext;
        return n;
    }

private:
    void Unlink(Node* n)
    {
        if (n->pPrev)
            n->pPrev->pNext = n->pNext;
        else
            m_pHead = n->pNext;
        if (n->pNext)
            n->pNext->pPrev = n->pPrev;
        else
            m_pTail = n->pPrev;
        delete n;
        --m_nCount;
    }

    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    int m_nCount = 0;
};

// A growable array with the framework's interface.
template <class T> class Array
{
public:
    int GetSize() const { return int(m_data.size()); }
    int GetCount() const { return int(m_data.size()); }
    int GetUpperBound() const { return int(m_data.size()) - 1; }
    BOOL IsEmpty() const { return m_data.empty(); }
    void SetSize(int n, int /*nGrowBy*/ = -1) { m_data.resize(n > 0 ? size_t(n) : 0, T()); }
    T GetAt(int i) const { return m_data[size_t(i)]; }
    void SetAt(int i, T v) { m_data[size_t(i)] = v; }
    T& ElementAt(int i) { return m_data[size_t(i)]; }
    T& operator[](int i) { return m_data[size_t(i)]; }
    T operator[](int i) const { return m_data[size_t(i)]; }
    T* GetData() { return m_data.data(); }
    const T* GetData() const { return m_data.data(); }
    void SetAtGrow(int i, T v)
    {
        if (i >= GetSize())
            SetSize(i + 1);
        m_data[size_t(i)] = v;
    }
    int Add(T v)
    {
        m_data.push_back(v);
        return GetUpperBound();
    }
    void InsertAt(int i, T v, int nCount = 1) { m_data.insert(m_data.begin() + i, size_t(nCount), v); }
    void RemoveAt(int i, int nCount = 1) { m_data.erase(m_data.begin() + i, m_data.begin() + i + nCount); }
    void RemoveAll() { m_data.clear(); }
    void FreeExtra() { m_data.shrink_to_fit(); }

private:
    std::vector<T> m_data;
};

// The framework's string hash: h = h * 33 + c over the bytes up to the NUL, each a signed char.
inline UINT HashKey(const char* key)
{
    UINT h = 0;
    while (*key)
        h = (h << 5) + h + UINT(int(*key++));
    return h;
}

// A string-keyed hash map visited bucket by bucket, newest entry first within a bucket.
template <class V> class StringMap
{
    struct Assoc : __POSITION
    {
        Assoc* pNext;
        UINT nHashValue;
        CString key;
        V value;
    };

public:
    explicit StringMap(int /*nBlockSize*/ = 10) {}
    ~StringMap() { RemoveAll(); }
    StringMap(const StringMap&) = delete;
    StringMap& operator=(const StringMap&) = delete;

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    // Takes effect only while the map is empty, as the framework's does.
    void InitHashTable(UINT nHashSize, BOOL /*bAllocNow*/ = TRUE)
    {
        if (m_nCount == 0 && nHashSize > 0) {
            m_table.clear();
            m_nHashTableSize = nHashSize;
        }
    }

    BOOL Lookup(const char* key, V& rValue) const
    {
        UINT h;
        Assoc* a = GetAssocAt(key, h);
        if (!a)
            return FALSE;
        rValue = a->value;
        return TRUE;
    }
    // The value stored under key, made (default value) when absent.
    V& operator[](const char* key)
    {
        UINT h;
        Assoc* a = GetAssocAt(key, h);
        if (!a) {
            if (m_table.empty())
                m_table.assign(m_nHashTableSize, nullptr);
            a = new Assoc;
            a->nHashValue = h;
            a->key = key;
            a->value = V();
            UINT b = h % m_nHashTableSize;
            a->pNext = m_table[b];
            m_table[b] = a;
            ++m_nCount;
        }
        return a->value;
    }
    void SetAt(const char* key, V value) { (*this)[key] = value; }
    BOOL RemoveKey(const char* key)
    {
        if (m_table.empty())
            return FALSE;
        UINT h = HashKey(key);
        Assoc** link = &m_table[h % m_nHashTableSize];
        for (Assoc* a = *link; a; link = &a->pNext, a = a->pNext) {
            if (a->nHashValue == h && a->key == key) {
                *link = a->pNext;
                delete a;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        for (Assoc*& head : m_table) {
            Assoc* a = head;
            while (a) {
                Assoc* next = a->pNext;
                delete a;
                a = next;
            }
            head = nullptr;
        }
        m_table.clear();
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& pos, CString& rKey, V& rValue) const
    {
        // The start marker is no entry: it is never cast to one.
        Assoc* a = nullptr;
        if (pos == BEFORE_START_POSITION) {
            for (UINT b = 0; b < m_table.size() && !a; ++b)
                a = m_table[b];
        } else {
            a = static_cast<Assoc*>(pos);
        }
        Assoc* next = a->pNext;
        for (UINT b = a->nHashValue % m_nHashTableSize + 1; !next && b < m_table.size(); ++b)
            next = m_table[b];
        pos = next;
        rKey = a->key;
        rValue = a->value;
    }

private:
    Assoc* GetAssocAt(const char* key, UINT& h) const
    {
        h = HashKey(key);
        if (m_table.empty())
            return nullptr;
        for (Assoc* a = m_table[h % m_nHashTableSize]; a; a = a->pNext)
            if (a->nHashValue == h && a->key == key)
                return a;
        return nullptr;
    }

    std::vector<Assoc*> m_table;
    UINT m_nHashTableSize = 17;
    int m_nCount = 0;
};

} // namespace kor

class KORHTML_API CObList : public CObject, public kor::List<CObject*>
{
    DECLARE_DYNAMIC(CObList)

public:
    explicit CObList(int nBlockSize = 10) : kor::List<CObject*>(nBlockSize) {}
};

class KORHTML_API CPtrList : public CObject, public kor::List<void*>
{
public:
    explicit CPtrList(int nBlockSize = 10) : kor::List<void*>(nBlockSize) {}
};

class KORHTML_API CStringList : public CObject, public kor::List<CString>
{
public:
    explicit CStringList(int nBlockSize = 10) : kor::List<CString>(nBlockSize) {}
};

class KORHTML_API CPtrArray : public CObject, public kor::Array<void*>
{
};

class KORHTML_API CObArray : public CObject, public kor::Array<CObject*>
{
};

class KORHTML_API CUIntArray : public CObject, public kor::Array<UINT>
{
};

class KORHTML_API CDWordArray : public CObject, public kor::Array<DWORD>
{
};

class KORHTML_API CMapStringToString : public CObject, public kor::StringMap<CString>
{
public:
    explicit CMapStringToString(int nBlockSize = 10) : kor::StringMap<CString>(nBlockSize) {}
};

class KORHTML_API CMapStringToOb : public CObject, public kor::StringMap<CObject*>
{
public:
    explicit CMapStringToOb(int nBlockSize = 10) : kor::StringMap<CObject*>(nBlockSize) {}
};

class KORHTML_API CMapStringToPtr : public CObject, public kor::StringMap<void*>
{
public:
    explicit CMapStringToPtr(int nBlockSize = 10) : kor::StringMap<void*>(nBlockSize) {}
};
