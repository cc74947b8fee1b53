/* The colour-bar picture and its converters to YUY2, UYVY and RGB 5-6-5. */
#include "pattern.h"

static const COLORREF BarColors[8] = {
    0x00FFFFFF, 0x0000FFFF, 0x00FFFF00, 0x0000FF00,
    0x00FF00FF, 0x000000FF, 0x00FF0000, 0x00000000,
};

void DrawColorBars(HDC dc, const RECT *area)
{
    int total = area->right - area->left;
    int barWidth = total / 8;
    int x = 0, i;
    RECT bar;

    bar.top = 0;
    bar.bottom = area->bottom - area->top;
    for (i = 0; i < 8; i++) {
        HBRUSH brush = CreateSolidBrush(BarColors[i]);
        HGDIOBJ previous = SelectObject(dc, brush);

        bar.left = x;
        /* The first bar takes what the division leaves over. */
        bar.right = x + barWidth + (i == 0 ? total - 8 * barWidth : 0);
        FillRect(dc, &bar, brush);
        SelectObject(dc, previous);
        DeleteObject(brush);
        x = bar.right;
    }
}

static BYTE Clamp(int value)
{
    return (BYTE)(value < 0 ? 0 : value > 255 ? 255 : value);
}

/* C++ division truncates toward zero, as the weights were chosen for. */
static BYTE Luma(int r, int g, int b) { return Clamp((306 * r + 599 * g + 118 * b) / 1024); }
static BYTE ChromaU(int r, int g, int b) { return Clamp((522 * b - 345 * g - 176 * r) / 1024 + 128); }
static BYTE ChromaV(int r, int g, int b) { return Clamp((522 * r - 435 * g - 86 * b) / 1024 + 128); }

void RgbPairToYuy2(BYTE r0, BYTE g0, BYTE b0, BYTE r1, BYTE g1, BYTE b1, BYTE *out)
{
    out[0] = Luma(r0, g0, b0);
    out[1] = ChromaU(r0, g0, b0);
    out[2] = Luma(r1, g1, b1);
    out[3] = ChromaV(r0, g0, b0);
}

void RgbPairToUyvy(BYTE r0, BYTE g0, BYTE b0, BYTE r1, BYTE g1, BYTE b1, BYTE *out)
{
    out[0] = ChromaU(r0, g0, b0);
    out[1] = Luma(r0, g0, b0);
    out[2] = ChromaV(r0, g0, b0);
    out[3] = Luma(r1, g1, b1);
}

WORD RgbToRgb565(BYTE r, BYTE g, BYTE b)
{
    return (WORD)((r >> 3) * 2048 + (g >> 2) * 32 + (b >> 3));
}

/* pixels holds blue, green, red per pixel, as a 24-bit DIB row does. */
static void ConvertRow(int layout, const BYTE *pixels, BYTE *line, UINT width)
{
    UINT x;

    if (layout == PATTERN_RGB565) {
        for (x = 0; x < width; x++, pixels += 3, line += 2) {
            WORD value = RgbToRgb565(pixels[2], pixels[1], pixels[0]);
            line[0] = (BYTE)value;
            line[1] = (BYTE)(value >> 8);
        }
        return;
    }
    for (x = 0; x + 1 < width; x += 2, pixels += 6, line += 4) {
        if (layout == PATTERN_YUY2)
            RgbPairToYuy2(pixels[2], pixels[1], pixels[0], pixels[5], pixels[4], pixels[3], line);
        else
            RgbPairToUyvy(pixels[2], pixels[1], pixels[0], pixels[5], pixels[4], pixels[3], line);
    }
    /* An odd width's last pixel has only two bytes of the line left: it is
       paired with itself and the first half of the pair is kept. */
    if (x < width) {
        BYTE pair[4];
        if (layout == PATTERN_YUY2)
            RgbPairToYuy2(pixels[2], pixels[1], pixels[0], pixels[2], pixels[1], pixels[0], pair);
        else
            RgbPairToUyvy(pixels[2], pixels[1], pixels[0], pixels[2], pixels[1], pixels[0], pair);
        line[0] = pair[0];
        line[1] = pair[1];
    }
}

void ConvertColorBars(int layout, const ColorBarPicture *picture, BYTE *memory, LONG pitch)
{
    BYTE *line;
    UINT r;

    if (picture->Height == 0)
        return;
    /* DIB rows run bottom-up; memory lines top-down. */
    line = memory + (LONG)(picture->Height - 1) * pitch;
    for (r = 0; r < picture->Height; r++, line -= pitch)
        ConvertRow(layout, picture->Pixels + r * picture->Stride, line, picture->Width);
}

/* The bars drawn at the source size, stretched to the picture's size and
   read back as a 24-bit DIB. */
static void DrawAndReadBack(ColorBarPicture *picture, HDC sourceDc, HDC destDc,
                            HBITMAP sourceBitmap, HBITMAP destBitmap)
{
    HGDIOBJ oldSource, oldDest;
    BITMAPINFOHEADER header;
    RECT area = { 0, 0, PATTERN_SOURCE_WIDTH, PATTERN_SOURCE_HEIGHT };

    oldSource = SelectObject(sourceDc, sourceBitmap);
    oldDest = SelectObject(destDc, destBitmap);

    DrawColorBars(sourceDc, &area);
    StretchBlt(destDc, 0, 0, (int)picture->Width, (int)picture->Height, sourceDc, 0, 0,
               PATTERN_SOURCE_WIDTH, PATTERN_SOURCE_HEIGHT, SRCCOPY);
    ZeroMemory(&header, sizeof(header));
    header.biSize = sizeof(header);
    header.biWidth = (LONG)picture->Width;
    header.biHeight = (LONG)picture->Height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = picture->Stride * picture->Height;
    /* GDI reads a bitmap back only while no DC has it selected. */
    SelectObject(destDc, oldDest);
    GetDIBits(destDc, destBitmap, 0, picture->Height, picture->Pixels, (BITMAPINFO *)&header,
              DIB_RGB_COLORS);
    SelectObject(sourceDc, oldSource);
}

int RenderColorBars(UINT width, UINT height, ColorBarPicture *picture)
{
    UINT w = width & 0xFFFF, h = height & 0xFFFF;
    DWORD stride = ((w + 1) * 3 / 4) * 4;
    HDC screen, sourceDc = NULL, destDc = NULL;
    HBITMAP sourceBitmap = NULL, destBitmap = NULL;
    int drawn = 0;

    picture->Pixels = NULL;
    if (h != 0 && stride > 0xFFFFFFFFu / h)
        return 0;
    picture->Pixels = (BYTE *)GlobalAlloc(GMEM_FIXED, stride * h);
    if (!picture->Pixels)
        return 0;
    picture->Width = w;
    picture->Height = h;
    picture->Stride = stride;
    screen = GetDC(NULL);
    if (!screen) {
        FreeColorBars(picture);
        return 0;
    }
    sourceBitmap = CreateCompatibleBitmap(screen, PATTERN_SOURCE_WIDTH, PATTERN_SOURCE_HEIGHT);
    destBitmap = CreateCompatibleBitmap(screen, (int)w, (int)h);
    sourceDc = CreateCompatibleDC(screen);
    destDc = CreateCompatibleDC(screen);
    if (sourceBitmap && destBitmap && sourceDc && destDc) {
        DrawAndReadBack(picture, sourceDc, destDc, sourceBitmap, destBitmap);
        drawn = 1;
    }

    if (destDc)
        DeleteDC(destDc);
    if (sourceDc)
        DeleteDC(sourceDc);
    if (destBitmap)
        DeleteObject(destBitmap);
    if (sourceBitmap)
        DeleteObject(sourceBitmap);
    ReleaseDC(NULL, screen);
    if (!drawn)
        FreeColorBars(picture);
    return drawn;
}

void FreeColorBars(ColorBarPicture *picture)
{
    if (picture->Pixels)
        GlobalFree(picture->Pixels);
    picture->Pixels = NULL;
}

static int WritePattern(int layout, BYTE *memory, LONG pitch, UINT width, UINT height)
{
    ColorBarPicture picture;

    if (!RenderColorBars(width, height, &picture))
        return 0;
    ConvertColorBars(layout, &picture, memory, pitch);
    FreeColorBars(&picture);
    return 1;
}

int WriteYuy2Pattern(BYTE *memory, LONG pitch, UINT width, UINT height)
{
    return WritePattern(PATTERN_YUY2, memory, pitch, width, height);
}

int WriteUyvyPattern(BYTE *memory, LONG pitch, UINT width, UINT height)
{
    return WritePattern(PATTERN_UYVY, memory, pitch, width, height);
}

int WriteRgb565Pattern(BYTE *memory, LONG pitch, UINT width, UINT height)
{
    return WritePattern(PATTERN_RGB565, memory, pitch, width, height);
}
