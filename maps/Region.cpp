// Regions of client-side image map areas: reading coordinates, containment and writing them back.
#include "korhtml/Region.h"

#include <cstdio>

IMPLEMENT_DYNCREATE(CRegion, CObject)
IMPLEMENT_DYNCREATE(CRectangle, CRegion)
IMPLEMENT_DYNCREATE(CCircle, CRegion)
IMPLEMENT_DYNCREATE(CPolygon, CRegion)

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Appends the decimal text of n to out at *len.
void AppendInt(char* out, int& len, int n, const char* after)
{
    len += std::snprintf(out + len, size_t(REGION_COORDS_TEXT_MAX - len), "%d%s", n, after);
    if (len >= REGION_COORDS_TEXT_MAX)
        len = REGION_COORDS_TEXT_MAX - 1;
}

} // namespace

// ---- CRegion ----

CRegion::CRegion() : m_nCursor(0), m_bValid(0), m_nCount(0) {}

CRegion::~CRegion() = default;

BOOL CRegion::ReadNumber(const char* text, int& value)
{
    if (!text)
        return FALSE;
    while (text[m_nCursor] && !IsDigit(text[m_nCursor]))
        ++m_nCursor;
    if (!text[m_nCursor])
        return FALSE;
    // Unsigned arithmetic: an over-long number wraps instead of overflowing.
    UINT n = 0;
    while (IsDigit(text[m_nCursor]))
        n = n * 10 + UINT(text[m_nCursor++] - '0');
    value = int(n);
    return TRUE;
}

int CRegion::GetNextNumber(const char* text)
{
    int value;
    return ReadNumber(text, value) ? value : -1;
}

void CRegion::ReadNumbers(const char* text)
{
    m_nCursor = 0;
    m_nCount = 0;
    m_arNumbers.RemoveAll();
    int value;
    while (ReadNumber(text, value))
        m_arNumbers.SetAtGrow(m_nCount++, UINT(value));
}

void CRegion::SetCoords(const char* text)
{
    ReadNumbers(text);
}

BOOL CRegion::PtInRegion(CPoint pt)
{
    return PtInRegion(pt.x, pt.y);
}

BOOL CRegion::PtInRegion(int, int)
{
    return FALSE;
}

void CRegion::GetCoords(char*) {}

// ---- CRectangle ----

CRectangle::CRectangle() : m_nLeft(0), m_nTop(0), m_nRight(0), m_nBottom(0) {}

void CRectangle::SetCoords(const char* text)
{
    ReadNumbers(text);
    if (m_nCount < 4)
        return;
    m_bValid = 1;
    m_nLeft = NumberAt(0);
    m_nTop = NumberAt(1);
    m_nRight = NumberAt(2);
    m_nBottom = NumberAt(3);
}

BOOL CRectangle::PtInRegion(int x, int y)
{
    if (!m_bValid)
        return FALSE;
    return m_nLeft <= x && x <= m_nRight && m_nTop <= y && y <= m_nBottom;
}

void CRectangle::GetCoords(char* out)
{
    if (!out)
        return;
    out[0] = 0;
    if (!m_bValid)
        return;
    int len = 0;
    AppendInt(out, len, m_nLeft, ",");
    AppendInt(out, len, m_nTop, ",");
    AppendInt(out, len, m_nRight, ",");
    AppendInt(out, len, m_nBottom, "");
}

// ---- CCircle ----

CCircle::CCircle() : m_nX(0), m_nY(0), m_nRadius(0) {}

void CCircle::SetCoords(const char* text)
{
    ReadNumbers(text);
    if (m_nCount < 3)
        return;
    m_bValid = 1;
    m_nX = NumberAt(0);
    m_nY = NumberAt(1);
    m_nRadius = NumberAt(2);
}

BOOL CCircle::PtInRegion(int x, int y)
{
    if (!m_bValid)
        return FALSE;
    // In doubles: the squares of far-apart coordinates do not fit an int.
    double dx = double(x) - double(m_nX);
    double dy = double(y) - double(m_nY);
    double r = double(m_nRadius);
    return dx * dx + dy * dy <= r * r;
}

void CCircle::GetCoords(char* out)
{
    if (!out)
        return;
    out[0] = 0;
    if (!m_bValid)
        return;
    int len = 0;
    AppendInt(out, len, m_nX, ",");
    AppendInt(out, len, m_nY, ",");
    AppendInt(out, len, m_nRadius, "");
}

// ---- CPolygon ----

CPolygon::CPolygon() : m_nVertices(0)
{
    for (auto& v : m_dVertex) {
        v[0] = -1.0;
        v[1] = -1.0;
    }
}

void CPolygon::SetCoords(const char* text)
{
    ReadNumbers(text);
    for (auto& v : m_dVertex) {
        v[0] = -1.0;
        v[1] = -1.0;
    }
    m_nVertices = m_nCount / 2;
    if (m_nVertices > POLYGON_MAX_VERTICES)
        m_nVertices = POLYGON_MAX_VERTICES;
    for (int i = 0; i < m_nVertices; ++i) {
        m_dVertex[i][0] = double(NumberAt(2 * i));
        m_dVertex[i][1] = double(NumberAt(2 * i + 1));
    }
}

int CPolygon::UsedVertices() const
{
    int n = 0;
    while (n < POLYGON_MAX_VERTICES && m_dVertex[n][0] != -1.0)
        ++n;
    return n;
}

// Crossings test: a ray from the point towards +x; an odd number of crossed edges is inside.
BOOL CPolygon::PtInRegion(int x, int y)
{
    int n = UsedVertices();
    if (n == 0)
        return FALSE;
    const double tx = x, ty = y;
    BOOL inside = FALSE;
    const double* v0 = m_dVertex[n - 1];
    bool above0 = v0[1] >= ty;
    for (int i = 0; i < n; ++i) {
        const double* v1 = m_dVertex[i];
        bool above1 = v1[1] >= ty;
        if (above0 != above1) {
            bool right0 = v0[0] >= tx;
            if (right0 == (v1[0] >= tx)) {
                if (right0)
                    inside = !inside;
            } else if (v1[0] - (v1[1] - ty) * (v0[0] - v1[0]) / (v0[1] - v1[1]) >= tx) {
                inside = !inside;
            }
        }
        v0 = v1;
        above0 = above1;
    }
    return inside;
}

void CPolygon::GetCoords(char* out)
{
    if (!out)
        return;
    out[0] = 0;
    int n = UsedVertices();
    int len = 0;
    for (int i = 0; i < n; ++i) {
        AppendInt(out, len, int(m_dVertex[i][0]), ",");
        AppendInt(out, len, int(m_dVertex[i][1]), i + 1 < n ? "," : "");
    }
}
