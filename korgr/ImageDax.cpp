// CImageDax: decoding with Qt's image readers, GIF block parsing for waits and transparency, drawing.
#include "korgr/ImageDax.h"

#include "platform/gdi/gdi.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace kor {

struct ImageDaxFrameData
{
    QImage picture; // the whole composed frame, ARGB32 premultiplied
    int wait = 0;   // 50 ms ticks
    int transparent = CImageDax::NoTransparentIndex;
};

struct ImageDaxData
{
    std::vector<ImageDaxFrameData> frames;
};

const QImage* ImageDaxFrame(const CImageDax& image, int frame)
{
    if (!image.m_pData || frame < 0 || size_t(frame) >= image.m_pData->frames.size())
        return nullptr;
    return &image.m_pData->frames[size_t(frame)].picture;
}

} // namespace kor

namespace {

// Limits that keep a hostile file from claiming gigabytes: no frame above 64 megapixels, no file above
// 256 MB, and an animation keeps only as many frames as fit into 16 megapixels in all (64 MB; a
// file of tiny frames over a large screen would otherwise grow a thousandfold once decoded).
constexpr long long kMaxFramePixels = 64LL * 1024 * 1024;
constexpr long long kFramePixelBudget = 16LL * 1024 * 1024;
constexpr long long kMaxFileBytes = 256LL * 1024 * 1024;
constexpr int kReaderAllocationLimitMB = 300;

// What the blocks of a GIF file say about its frames; Qt's reader keeps the graphic control
// extension to itself.
struct GifFrameInfo
{
    int delay = 0; // hundredths of a second
    int transparent = -1;
    int width = 0;
    int height = 0;
};

struct GifInfo
{
    int screenWidth = 0;
    int screenHeight = 0;
    std::vector<GifFrameInfo> frames;
};

bool IsGif(const unsigned char* p, size_t n)
{
    return n >= 6 && p[0] == 'G' && p[1] == 'I' && p[2] == 'F' && p[3] == '8' &&
           (p[4] == '7' || p[4] == '9') && p[5] == 'a';
}

int Word(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}

// Walks the block structure; a file cut off anywhere yields the frames whose descriptors were complete.
GifInfo ParseGif(const unsigned char* p, size_t n)
{
    GifInfo info;
    if (n < 13)
        return info;
    info.screenWidth = Word(p + 6);
    info.screenHeight = Word(p + 8);
    size_t pos = 13;
    if (p[10] & 0x80)
        pos += size_t(3) << ((p[10] & 7) + 1);

    auto skipSubBlocks = [&]() {
        while (pos < n) {
            unsigned size = p[pos++];
            if (size == 0)
                return;
            pos += size;
        }
    };

    GifFrameInfo pending;
    while (pos < n) {
        unsigned char block = p[pos++];
        if (block == 0x3B)
            break;
        if (block == 0x21) {
            if (pos >= n)
                break;
            unsigned char label = p[pos++];
            if (label == 0xF9 && pos + 5 <= n && p[pos] >= 4) {
                unsigned char packed = p[pos + 1];
                pending.delay = Word(p + pos + 2);
                pending.transparent = (packed & 1) ? p[pos + 4] : -1;
            }
            skipSubBlocks();
        } else if (block == 0x2C) {
            if (pos + 9 > n)
                break;
            GifFrameInfo frame = pending;
            frame.width = Word(p + pos + 4);
            frame.height = Word(p + pos + 6);
            unsigned char packed = p[pos + 8];
            pos += 9;
            if (packed & 0x80)
                pos += size_t(3) << ((packed & 7) + 1);
            info.frames.push_back(frame);
            pending = GifFrameInfo();
            pos += 1; // LZW minimum code size
            skipSubBlocks();
        } else {
            break; // not a block of the format: the rest is unreadable
        }
    }
    return info;
}

// Wait in 50 ms ticks so that the frame stays about as long as the file asks.
int WaitTicks(int hundredths)
{
    int ms = hundredths * 10;
    int ticks = (ms + 25) / 50 - 1;
    return ticks > 0 ? ticks : 0;
}

// The whole file through its bytes; a name written with backslashes is tried with slashes as well.
bool ReadWholeFile(const char* path, QByteArray& out)
{
    if (!path || !*path)
        return false;
    FILE* f = std::fopen(path, "rb");
    if (!f) {
        std::string alt(path);
        bool changed = false;
        for (char& c : alt) {
            if (c == '\\') {
                c = '/';
                changed = true;
            }
        }
        if (changed)
            f = std::fopen(alt.c_str(), "rb");
        if (!f)
            return false;
    }
    struct stat st;
    if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileBytes) {
        std::fclose(f);
        return false;
    }
    out.clear();
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        if (out.size() + qsizetype(got) > kMaxFileBytes) {
            std::fclose(f);
            return false;
        }
        out.append(chunk, qsizetype(got));
    }
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

// A picture of exactly w x h in the drawing format (frames of another size are placed at the corner).
QImage Normalised(const QImage& image, int w, int h)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (out.width() == w && out.height() == h)
        return out;
    QImage padded(w, h, QImage::Format_ARGB32_Premultiplied);
    if (padded.isNull())
        return padded;
    padded.fill(Qt::transparent);
    for (int y = 0; y < h && y < out.height(); ++y) {
        const uchar* src = out.constScanLine(y);
        uchar* dst = padded.scanLine(y);
        int bytes = (w < out.width() ? w : out.width()) * 4;
        std::copy(src, src + bytes, dst);
    }
    return padded;
}

} // namespace

CImageDax::CImageDax() : state(1), width(0), height(0), m_pData(nullptr) {}

CImageDax::~CImageDax()
{
    Clear();
}

void CImageDax::Clear()
{
    delete m_pData;
    m_pData = nullptr;
    width = 0;
    height = 0;
}

BOOL CImageDax::Load(const char* path)
{
    QByteArray bytes;
    try {
        if (!ReadWholeFile(path, bytes)) {
            Clear();
            return FALSE;
        }
    } catch (...) {
        Clear();
        return FALSE;
    }
    return LoadFromMemory(bytes.constData(), int(bytes.size()));
}

BOOL CImageDax::LoadFromMemory(const void* data, int size)
{
    Clear();
    if (!data || size <= 0)
        return FALSE;
    try {
        const auto* p = static_cast<const unsigned char*>(data);
        QByteArray bytes = QByteArray::fromRawData(static_cast<const char*>(data), size);
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::ReadOnly))
            return FALSE;

        bool gif = IsGif(p, size_t(size));
        GifInfo info;
        size_t maxFrames = 1;
        if (gif) {
            info = ParseGif(p, size_t(size));
            if (info.frames.empty())
                return FALSE;
            long long sw = info.screenWidth, sh = info.screenHeight;
            if (sw <= 0 || sh <= 0) {
                sw = info.frames[0].width;
                sh = info.frames[0].height;
            }
            if (sw * sh > kMaxFramePixels)
                return FALSE;
            for (const GifFrameInfo& f : info.frames) {
                if (static_cast<long long>(f.width) * f.height > kMaxFramePixels)
                    return FALSE;
            }
            long long perFrame = sw * sh > 0 ? sw * sh : 1;
            long long fit = kFramePixelBudget / perFrame;
            maxFrames = size_t(fit < 1 ? 1 : fit);
            if (maxFrames > info.frames.size())
                maxFrames = info.frames.size();
        }

        QImageReader reader(&buffer);
        reader.setDecideFormatFromContent(true);
        reader.setAllocationLimit(kReaderAllocationLimitMB);
        QSize claimed = reader.size();
        if (!gif && claimed.isValid() &&
            static_cast<long long>(claimed.width()) * claimed.height() > kMaxFramePixels)
            return FALSE;

        auto* result = new kor::ImageDaxData;
        int w = 0, h = 0;
        while (result->frames.size() < maxFrames) {
            QImage image = reader.read();
            if (image.isNull())
                break;
            if (result->frames.empty()) {
                w = image.width();
                h = image.height();
                if (w <= 0 || h <= 0 || static_cast<long long>(w) * h > kMaxFramePixels)
                    break;
            }
            kor::ImageDaxFrameData frame;
            frame.picture = Normalised(image, w, h);
            if (frame.picture.isNull())
                break;
            size_t index = result->frames.size();
            if (gif && index < info.frames.size()) {
                frame.wait = WaitTicks(info.frames[index].delay);
                if (info.frames[index].transparent >= 0)
                    frame.transparent = info.frames[index].transparent;
            }
            result->frames.push_back(std::move(frame));
            if (!gif)
                break;
        }
        if (result->frames.empty()) {
            delete result;
            return FALSE;
        }
        m_pData = result;
        width = w;
        height = h;
        return TRUE;
    } catch (...) {
        Clear();
        return FALSE;
    }
}

int CImageDax::GetImageCount() const
{
    if (!m_pData || m_pData->frames.empty())
        return 1;
    return int(m_pData->frames.size());
}

int CImageDax::GetWaitTime(int frame) const
{
    if (!m_pData || frame < 0 || size_t(frame) >= m_pData->frames.size())
        return 0;
    return m_pData->frames[size_t(frame)].wait;
}

int CImageDax::GetTransparentIndex(int frame) const
{
    if (!m_pData || frame < 0 || size_t(frame) >= m_pData->frames.size())
        return NoTransparentIndex;
    return m_pData->frames[size_t(frame)].transparent;
}

BOOL CImageDax::CreateMask(int /*frame*/)
{
    // The frames carry an alpha channel from decoding on, so there is no mask to build.
    return m_pData != nullptr;
}

void CImageDax::Draw(CDC* pDC, int x, int y, int frame, CPalette* /*pPalette*/)
{
    const QImage* picture = kor::ImageDaxFrame(*this, frame);
    if (!pDC || !picture)
        return;
    kor::DrawImage(pDC, x, y, picture->width(), picture->height(), *picture);
}

void CImageDax::Draw(CDC* pDC, int x, int y, int cx, int cy, int sx, int sy, int frame,
                     CPalette* /*pPalette*/)
{
    const QImage* picture = kor::ImageDaxFrame(*this, frame);
    if (!pDC || !picture || cx <= 0 || cy <= 0)
        return;
    if (sx < 0)
        sx = 0;
    if (sy < 0)
        sy = 0;
    if (sx >= picture->width() || sy >= picture->height())
        return;
    kor::DrawImage(pDC, x, y, cx, cy, *picture, sx, sy, picture->width() - sx, picture->height() - sy);
}
