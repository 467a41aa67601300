// Memory for tree nodes: slabs of one size each, in aligned chunks that go back when they empty.
#include "kortag/kortag.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include <sys/mman.h>

// A page holds about one node per seven bytes, each a few dozen to a few hundred bytes, made in
// document order and freed together when the document goes. General-purpose allocation spends more
// on them than the parser does; slabs make both ends a few instructions and no per-node header.
// Like the rest of the system, nodes are made and freed on one thread.
namespace {

// Under the address checker every node comes from the general heap, which it watches.
#if defined(__SANITIZE_ADDRESS__)
#define KOR_NODE_SLABS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KOR_NODE_SLABS 0
#endif
#endif
#ifndef KOR_NODE_SLABS
#define KOR_NODE_SLABS 1
#endif

constexpr std::size_t kGrain = 8;       // sizes are kept to this multiple
constexpr std::size_t kLargest = 512;   // bigger nodes (none today) use the general heap
constexpr std::size_t kChunk = 1 << 15; // bytes per chunk, also its alignment
constexpr std::size_t kClasses = kLargest / kGrain;

struct FreeSlot
{
    FreeSlot* pNext;
};

// The header at the start of each chunk. Chunks with room are on their size's list.
struct Chunk
{
    Chunk* pPrev;
    Chunk* pNext;
    FreeSlot* pFree;     // slots given back
    std::uint32_t nBump; // offset of the first slot never given out
    std::uint32_t nLive;
    std::uint32_t nSize;
    bool bListed;
};

constexpr std::size_t kFirstSlot = (sizeof(Chunk) + 15) / 16 * 16;

struct SizeClass
{
    Chunk* pHead = nullptr; // chunks with room, the one in use first
};

SizeClass g_classes[kClasses];

// Chunks are cut from blocks mapped from the system, so that they align without waste; a chunk
// that empties serves any size next. The transform frees tag nodes as fast as it makes elements
// of other sizes, so a few empty chunks stay ready; the pages of the others go back to the system
// (their addresses stay reserved for the next chunks).
constexpr std::size_t kBlock = std::size_t(1) << 21;
constexpr std::size_t kKeptWarm = 32;
char* g_pBlockNext = nullptr;
char* g_pBlockEnd = nullptr;
std::vector<Chunk*> g_warm; // empty chunks whose pages are still in memory
std::vector<Chunk*> g_cold; // empty chunks whose pages went back
// Empty chunks beyond the warm ones, their pages given back a batch at a time.
constexpr std::size_t kLeavingBatch = 64;
std::vector<Chunk*> g_leaving;

char* MapBlock()
{
    // Map one block more than needed and trim both ends, so the block starts on a huge-page
    // boundary: the system can then back it with one large page instead of 512 small ones.
    const std::size_t length = 2 * kBlock;
    void* p = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t aligned = (start + kBlock - 1) & ~std::uintptr_t(kBlock - 1);
    if (aligned > start)
        munmap(p, aligned - start);
    const std::uintptr_t tail = aligned + kBlock;
    if (start + length > tail)
        munmap(reinterpret_cast<void*>(tail), start + length - tail);
    auto* block = reinterpret_cast<char*>(aligned);
    madvise(block, kBlock, MADV_HUGEPAGE);
    madvise(block, kBlock, MADV_POPULATE_WRITE);
    return block;
}

Chunk* NewChunk()
{
    for (std::vector<Chunk*>* list : {&g_warm, &g_leaving, &g_cold}) {
        if (!list->empty()) {
            Chunk* c = list->back();
            list->pop_back();
            return c;
        }
    }
    if (g_pBlockNext == g_pBlockEnd) {
        g_warm.reserve(kKeptWarm);
        g_leaving.reserve(kLeavingBatch);
        g_pBlockNext = MapBlock();
        g_pBlockEnd = g_pBlockNext + kBlock;
    }
    auto* c = reinterpret_cast<Chunk*>(g_pBlockNext);
    g_pBlockNext += kChunk;
    return c;
}

// Gives back the pages of the chunks in g_leaving, one call per run of neighbouring chunks (a
// document frees its chunks mostly in the order it took them), and lists them as cold.
void ReleaseLeaving() noexcept
{
    std::sort(g_leaving.begin(), g_leaving.end());
    for (size_t i = 0; i < g_leaving.size();) {
        size_t j = i + 1;
        while (j < g_leaving.size() &&
               reinterpret_cast<char*>(g_leaving[j]) == reinterpret_cast<char*>(g_leaving[j - 1]) + kChunk)
            ++j;
        madvise(g_leaving[i], (j - i) * kChunk, MADV_DONTNEED);
        i = j;
    }
    try {
        g_cold.insert(g_cold.end(), g_leaving.begin(), g_leaving.end());
    } catch (const std::bad_alloc&) {
        // Without room to list them their addresses are lost; their pages went back already.
    }
    g_leaving.clear();
}

void DropChunk(Chunk* c) noexcept
{
    // Both lists have room reserved: see NewChunk.
    if (g_warm.size() < kKeptWarm)
        g_warm.push_back(c);
    else if (g_leaving.push_back(c), g_leaving.size() == kLeavingBatch)
        ReleaseLeaving();
}

Chunk* ChunkOf(void* p)
{
    return reinterpret_cast<Chunk*>(reinterpret_cast<std::uintptr_t>(p) & ~std::uintptr_t(kChunk - 1));
}

void Link(SizeClass& sc, Chunk* c)
{
    c->pPrev = nullptr;
    c->pNext = sc.pHead;
    if (sc.pHead)
        sc.pHead->pPrev = c;
    sc.pHead = c;
    c->bListed = true;
}

void Unlink(SizeClass& sc, Chunk* c)
{
    if (c->pPrev)
        c->pPrev->pNext = c->pNext;
    else
        sc.pHead = c->pNext;
    if (c->pNext)
        c->pNext->pPrev = c->pPrev;
    c->pPrev = c->pNext = nullptr;
    c->bListed = false;
}

bool IsFull(const Chunk* c)
{
    return !c->pFree && c->nBump + c->nSize > kChunk;
}

void* Allocate(std::size_t cls)
{
    SizeClass& sc = g_classes[cls];
    Chunk* c = sc.pHead;
    if (!c) {
        c = NewChunk();
        *c = Chunk{nullptr, nullptr, nullptr, std::uint32_t(kFirstSlot), 0, std::uint32_t((cls + 1) * kGrain),
                   false};
        Link(sc, c);
    }
    void* p;
    if (c->pFree) {
        p = c->pFree;
        c->pFree = c->pFree->pNext;
    } else {
        p = reinterpret_cast<char*>(c) + c->nBump;
        c->nBump += c->nSize;
    }
    ++c->nLive;
    if (IsFull(c))
        Unlink(sc, c);
    return p;
}

void Release(void* p, std::size_t cls)
{
    SizeClass& sc = g_classes[cls];
    Chunk* c = ChunkOf(p);
    auto* slot = static_cast<FreeSlot*>(p);
    slot->pNext = c->pFree;
    c->pFree = slot;
    if (--c->nLive == 0) {
        if (c->bListed)
            Unlink(sc, c);
        DropChunk(c);
        return;
    }
    if (!c->bListed)
        Link(sc, c);
}

std::size_t ClassOf(std::size_t size)
{
    return (size + kGrain - 1) / kGrain - 1;
}

} // namespace

void* CTreeNode::operator new(std::size_t size)
{
    if (!KOR_NODE_SLABS || size == 0 || size > kLargest)
        return ::operator new(size);
    return Allocate(ClassOf(size));
}

void* CTreeNode::operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void CTreeNode::operator delete(void* p, std::size_t size) noexcept
{
    if (!p)
        return;
    if (!KOR_NODE_SLABS || size == 0 || size > kLargest) {
        ::operator delete(p);
        return;
    }
    Release(p, ClassOf(size));
}
