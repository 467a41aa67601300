// CImageDax: one decoded image file (every frame of an animation), drawn into device contexts.
#pragma once

#include "korhtml/Export.h"
#include "platform/afx/afx.h"

class CDC;
class CPalette;
class QImage;
class CImageDax;

namespace kor {
struct ImageDaxData;
// The picture of one frame (ARGB32 premultiplied, the image's size), null for a frame that does not
// exist. For the platform layer and tests.
const QImage* ImageDaxFrame(const CImageDax& image, int frame);
} // namespace kor

// Load states of an image, kept by the image manager.
constexpr int IMAGE_NOTREADY = 1; // not available yet (a remote file, never fetched)
constexpr int IMAGE_FAILED = 2;
constexpr int IMAGE_LOADED = 3;

class KORHTML_API CImageDax
{
public:
    // GetTransparentIndex for a frame without a transparent colour.
    static constexpr int NoTransparentIndex = 0x40000000;

    CImageDax();
    virtual ~CImageDax();

    // Load state kept by the image manager (IMAGE_*).
    int state;
    // Size of the image in pixels (0 x 0 until a load succeeds).
    int width;
    int height;

    // Decodes the file named by path (bytes handed to the system as they are); nonzero on success.
    // A failed load leaves the image empty.
    BOOL Load(const char* path);
    // Decodes an image held in memory; nonzero on success.
    BOOL LoadFromMemory(const void* data, int size);

    int Width() const { return width; }
    int Height() const { return height; }
    CSize GetSize() const { return CSize(width, height); }

    // Number of frames; an empty image counts as one empty frame, so frame arithmetic never divides
    // by zero.
    int GetImageCount() const;
    // 50 ms ticks the frame waits before the next one: a frame is shown for wait + 1 ticks.
    int GetWaitTime(int frame) const;
    // The palette index that is transparent in the frame, or NoTransparentIndex.
    int GetTransparentIndex(int frame) const;
    BOOL IsTransparent(int frame) const { return GetTransparentIndex(frame) != NoTransparentIndex; }
    // Frames always keep their transparency; accepted for callers that prepare masks (-1 = all frames).
    BOOL CreateMask(int frame);

    // The whole frame with its top-left corner at (x, y), composed over what is there.
    void Draw(CDC* pDC, int x, int y, int frame, CPalette* pPalette = NULL);
    // The part of the frame from (sx, sy) to its right and bottom edges into the rectangle (x, y, cx, cy),
    // smoothly scaled when the sizes differ.
    void Draw(CDC* pDC, int x, int y, int cx, int cy, int sx, int sy, int frame, CPalette* pPalette = NULL);

private:
    friend const QImage* kor::ImageDaxFrame(const CImageDax& image, int frame);

    void Clear();

    kor::ImageDaxData* m_pData;

    CImageDax(const CImageDax&) = delete;
    CImageDax& operator=(const CImageDax&) = delete;
};
