// Picture decoding and CPU-side image handling. No GL here: images keep their pixels and the
// renderer turns them into textures when first drawn, so pictures can load before the window.
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

#include "platform/embedded.hpp"
#include "platform/graphics.hpp"
#include "platform/image_pixels.hpp"

namespace {
int g_imageFlags = 0;
bool g_autoMidHandle = false;
}  // namespace

PixmapRef CreatePixmap(int w, int h) { return std::make_shared<TPixmap>(std::max(0, w), std::max(0, h)); }

// Larger pictures are refused before a byte of pixels is allocated.
static bool SizeOk(unsigned w, unsigned h) { return w > 0 && h > 0 && w <= 16384 && h <= 16384; }

// Each decoder reads the header, gives the size, and stops there when `pixels` is null: the
// embedded pictures learn their size at load and decode when first needed. False when the
// picture would not decode.
static bool DecodePng(const uint8_t* data, size_t size, int& w, int& h, PixmapRef* pixels) {
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&img, data, size)) return false;
    w = int(img.width);
    h = int(img.height);
    if (!SizeOk(img.width, img.height) || !pixels) {
        png_image_free(&img);
        return SizeOk(img.width, img.height);
    }
    img.format = PNG_FORMAT_BGRA;  // little-endian 0xAARRGGBB words
    auto pix = CreatePixmap(w, h);
    if (!png_image_finish_read(&img, nullptr, pix->pixels.data(), w * 4, nullptr)) {
        png_image_free(&img);
        return false;
    }
    *pixels = pix;
    return true;
}

namespace {
struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};
void JpegFail(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1); }
void JpegQuiet(j_common_ptr) {}
}  // namespace

static bool DecodeJpeg(const uint8_t* data, size_t size, int& w, int& h, PixmapRef* pixels) {
    jpeg_decompress_struct cinfo;
    JpegError err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegFail;
    err.mgr.output_message = JpegQuiet;
    // Declared before the jump point: a failure inside the library lands there without unwinding.
    PixmapRef pix;
    std::vector<uint8_t> row;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    w = int(cinfo.image_width);
    h = int(cinfo.image_height);
    if (!SizeOk(cinfo.image_width, cinfo.image_height) || !pixels) {
        jpeg_destroy_decompress(&cinfo);
        return SizeOk(cinfo.image_width, cinfo.image_height);
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    pix = CreatePixmap(int(cinfo.output_width), int(cinfo.output_height));
    row.resize(size_t(cinfo.output_width) * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW r = row.data();
        int y = int(cinfo.output_scanline);
        jpeg_read_scanlines(&cinfo, &r, 1);
        uint32_t* dst = &pix->pixels[size_t(y) * size_t(pix->pitch)];
        for (size_t x = 0; x < cinfo.output_width; ++x)
            dst[x] = 0xff000000u | (uint32_t(row[x * 3]) << 16) | (uint32_t(row[x * 3 + 1]) << 8) | row[x * 3 + 2];
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    *pixels = pix;
    return true;
}

static bool Decode(const uint8_t* data, size_t size, int& w, int& h, PixmapRef* pixels) {
    if (size >= 8 && !png_sig_cmp(data, 0, 8)) return DecodePng(data, size, w, h, pixels);
    if (size >= 3 && data[0] == 0xff && data[1] == 0xd8) return DecodeJpeg(data, size, w, h, pixels);
    return false;
}

// The size a picture will decode to, from its header alone; false when it would not decode.
static bool PictureSize(const uint8_t* data, size_t size, int& w, int& h) { return Decode(data, size, w, h, nullptr); }

PixmapRef DecodePixmap(const uint8_t* data, size_t size) {
    int w = 0, h = 0;
    PixmapRef pix;
    return Decode(data, size, w, h, &pix) ? pix : nullptr;
}

PixmapRef LoadPixmap(const StreamRef& stream) {
    if (!stream) return nullptr;
    std::vector<uint8_t> bytes = stream->ReadAll();
    return DecodePixmap(bytes.data(), bytes.size());
}

PixmapRef LoadPixmap(const std::string& path) { return LoadPixmap(ReadStream(path)); }

std::vector<uint8_t> EncodePixmapPNG(const TPixmap& pix) {
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    img.width = uint32_t(pix.width);
    img.height = uint32_t(pix.height);
    img.format = PNG_FORMAT_BGRA;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(img, size, 0, pix.pixels.data(), pix.pitch * 4, nullptr)) return {};
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&img, out.data(), &size, 0, pix.pixels.data(), pix.pitch * 4, nullptr)) return {};
    out.resize(size);
    return out;
}

bool SavePixmapPNG(const TPixmap& pix, const std::string& path) {
    std::vector<uint8_t> bytes = EncodePixmapPNG(pix);
    return !bytes.empty() && SaveBytesAtomically(path, bytes);
}

void SetImageFlags(int flags) { g_imageFlags = flags; }
int GetImageFlags() { return g_imageFlags; }
void AutoMidHandle(bool on) { g_autoMidHandle = on; }
bool AutoMidHandleEnabled() { return g_autoMidHandle; }

// Masked pictures lose their pure-black pixels, as the artists expect.
static void ApplyMask(TPixmap& p) {
    for (uint32_t& px : p.pixels)
        if ((px & 0x00ffffffu) == 0) px = 0;
}

static ImageRef MakeImage(int w, int h, int flags) {
    auto img = std::make_shared<TImage>();
    img->width = w;
    img->height = h;
    img->flags = flags < 0 ? g_imageFlags : flags;
    if (g_autoMidHandle) {
        img->handle_x = float(w) / 2.0f;
        img->handle_y = float(h) / 2.0f;
    }
    return img;
}

ImageRef LoadImageFromPixmap(const PixmapRef& pix, int flags) {
    if (!pix || pix->width <= 0 || pix->height <= 0) return nullptr;
    ImageRef img = MakeImage(pix->width, pix->height, flags);
    auto copy = std::make_shared<TPixmap>(*pix);
    if (img->flags & MASKEDIMAGE) ApplyMask(*copy);
    img->frames.push_back(copy);
    return img;
}

ImageRef LoadImage(const StreamRef& stream, int flags) {
    PixmapRef pix = LoadPixmap(stream);
    if (!pix || pix->width <= 0 || pix->height <= 0) return nullptr;
    // The decoded picture is ours alone: it becomes the frame without a copy.
    ImageRef img = MakeImage(pix->width, pix->height, flags);
    if (img->flags & MASKEDIMAGE) ApplyMask(*pix);
    img->frames.push_back(pix);
    return img;
}

namespace {
// Most pictures are loaded with their screen and many are never drawn in a session (or not for
// a while): the embedded bytes stay mapped anyway, so decoding waits until the pixels are needed.
const EmbeddedFile* EmbeddedPicture(const std::string& path, int& w, int& h) {
    if (path.rfind(kIncbinPrefix, 0) != 0) return nullptr;
    const EmbeddedFile* e = FindEmbeddedFile(path.substr(std::strlen(kIncbinPrefix)));
    return e && e->data && PictureSize(e->data, e->size, w, h) ? e : nullptr;
}

// Cells beyond the picture stay transparent rather than failing the whole strip.
void CutCells(const TPixmap& pix, TImage& img, int first, bool mask) {
    const int cellW = img.width, cellH = img.height;
    const int cols = pix.width / cellW, rows = pix.height / cellH;
    for (size_t i = 0; i < img.frames.size(); ++i) {
        const int cell = first + int(i);
        auto frame = CreatePixmap(cellW, cellH);
        if (cell < cols * rows) {
            const int cx = (cell % cols) * cellW, cy = (cell / cols) * cellH;
            for (int y = 0; y < cellH; ++y)
                std::memcpy(&frame->pixels[size_t(y) * size_t(cellW)],
                            &pix.pixels[size_t(cy + y) * size_t(pix.pitch) + size_t(cx)], size_t(cellW) * 4);
        }
        if (mask) ApplyMask(*frame);
        img.frames[i] = frame;
    }
}
}  // namespace

void DecodePendingPixels(TImage& img) {
    if (!img.pendingPixels) return;
    auto decode = std::move(img.pendingPixels);
    img.pendingPixels = nullptr;
    decode(img);
}

ImageRef LoadImage(const std::string& path, int flags) {
    int w = 0, h = 0;
    const EmbeddedFile* e = EmbeddedPicture(path, w, h);
    if (!e) return LoadImage(ReadStream(path), flags);
    ImageRef img = MakeImage(w, h, flags);
    img->frames.push_back(CreatePixmap(0, 0));
    img->pendingPixels = [data = e->data, size = e->size, mask = bool(img->flags & MASKEDIMAGE)](TImage& im) {
        PixmapRef pix = DecodePixmap(data, size);
        if (!pix) return;
        if (mask) ApplyMask(*pix);
        im.frames[0] = pix;
    };
    return img;
}

ImageRef LoadAnimImage(const StreamRef& stream, int cellW, int cellH, int first, int count, int flags) {
    PixmapRef pix = LoadPixmap(stream);
    if (!pix || cellW <= 0 || cellH <= 0 || count <= 0 || first < 0) return nullptr;
    if (pix->width / cellW <= 0 || pix->height / cellH <= 0) return nullptr;
    ImageRef img = MakeImage(cellW, cellH, flags);
    img->frames.resize(size_t(count));
    CutCells(*pix, *img, first, img->flags & MASKEDIMAGE);
    return img;
}

ImageRef LoadAnimImage(const std::string& path, int cellW, int cellH, int first, int count, int flags) {
    int w = 0, h = 0;
    const EmbeddedFile* e = EmbeddedPicture(path, w, h);
    if (!e) return LoadAnimImage(ReadStream(path), cellW, cellH, first, count, flags);
    if (cellW <= 0 || cellH <= 0 || count <= 0 || first < 0 || w / cellW <= 0 || h / cellH <= 0) return nullptr;
    ImageRef img = MakeImage(cellW, cellH, flags);
    for (int i = 0; i < count; ++i) img->frames.push_back(CreatePixmap(0, 0));
    img->pendingPixels = [data = e->data, size = e->size, first, mask = bool(img->flags & MASKEDIMAGE)](TImage& im) {
        if (PixmapRef pix = DecodePixmap(data, size)) CutCells(*pix, im, first, mask);
    };
    return img;
}

ImageRef CreateImage(int w, int h, int frames, int flags) {
    if (w <= 0 || h <= 0 || frames <= 0) return nullptr;
    ImageRef img = MakeImage(w, h, flags);
    for (int i = 0; i < frames; ++i) img->frames.push_back(CreatePixmap(w, h));
    return img;
}

void MidHandleImage(const ImageRef& img) {
    if (!img) return;
    img->handle_x = float(img->width) / 2.0f;
    img->handle_y = float(img->height) / 2.0f;
}

void SetImageHandle(const ImageRef& img, float x, float y) {
    if (!img) return;
    img->handle_x = x;
    img->handle_y = y;
}

int ImageWidth(const ImageRef& img) { return img ? img->width : 0; }
int ImageHeight(const ImageRef& img) { return img ? img->height : 0; }

PixmapRef LockImage(const ImageRef& img, int frame) {
    if (!img || frame < 0 || frame >= int(img->frames.size())) return nullptr;
    RestoreImagePixels(*img);
    return img->frames[size_t(frame)];
}

void ImageChanged(const ImageRef& img) {
    if (img) img->dirty = true;
}
