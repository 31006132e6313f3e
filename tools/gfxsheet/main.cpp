// velmora-gfxsheet [--assets DIR] [--docs DIR] [--check]: writes gfx_overview.png (every PNG and JPG
// under DIR/gfx, scaled down and labelled with its path and size) and gfx_puzzle_screen.png
// (the puzzle screen put together from the embedded pictures at the game's positions).
// With --check it writes nothing and instead verifies the pictures: no visible pure black
// (the game keys it out) and tile pictures that fill exactly their tangram piece.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace fs = std::filesystem;

namespace {

struct Surface {
    cairo_surface_t* s = nullptr;
    explicit Surface(cairo_surface_t* surf = nullptr) : s(surf) {}
    ~Surface() {
        if (s) cairo_surface_destroy(s);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    bool ok() const { return s && cairo_surface_status(s) == CAIRO_STATUS_SUCCESS; }
    int w() const { return cairo_image_surface_get_width(s); }
    int h() const { return cairo_image_surface_get_height(s); }
};

cairo_surface_t* LoadJpeg(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return nullptr;
    jpeg_decompress_struct d;
    jpeg_error_mgr jerr;
    d.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&d);
    jpeg_stdio_src(&d, f);
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, d.output_width, d.output_height);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    std::vector<unsigned char> row(d.output_width * 3);
    while (d.output_scanline < d.output_height) {
        JSAMPROW r = row.data();
        int y = d.output_scanline;
        jpeg_read_scanlines(&d, &r, 1);
        uint32_t* out = reinterpret_cast<uint32_t*>(data + y * stride);
        for (unsigned x = 0; x < d.output_width; ++x)
            out[x] = 0xff000000u | (row[x * 3] << 16) | (row[x * 3 + 1] << 8) | row[x * 3 + 2];
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::fclose(f);
    cairo_surface_mark_dirty(s);
    return s;
}

cairo_surface_t* Load(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
    if (ext == ".jpg" || ext == ".jpeg") return LoadJpeg(path);
    return cairo_image_surface_create_from_png(path.c_str());
}

void Label(cairo_t* cr, const std::string& s, double x, double y, double size, bool bold) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, s.c_str());
}

bool WriteOverview(const std::string& assets, const std::string& out) {
    std::vector<std::string> files;
    for (auto& e : fs::recursive_directory_iterator(assets + "/gfx")) {
        if (!e.is_regular_file()) continue;
        std::string ext = e.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        if (ext == ".png" || ext == ".jpg" || ext == ".jpeg") files.push_back(e.path().string());
    }
    std::sort(files.begin(), files.end());
    const int cols = 6, cw = 210, ch = 178, tw = 194, th = 138, head = 40;
    int rows = (int(files.size()) + cols - 1) / cols;
    int W = cols * cw + 10, H = head + std::max(1, rows) * ch + 10;
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, W, H);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.16, 0.11, 0.10);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.95, 0.85, 0.6);
    Label(cr, "Velmora pictures under assets/gfx (" + std::to_string(files.size()) + " files)", 12, 27, 18, true);
    // checkerboard so that transparency shows
    cairo_surface_t* check = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 16, 16);
    {
        cairo_t* c = cairo_create(check);
        cairo_set_source_rgb(c, 0.55, 0.55, 0.58);
        cairo_paint(c);
        cairo_set_source_rgb(c, 0.70, 0.70, 0.73);
        cairo_rectangle(c, 0, 0, 8, 8);
        cairo_rectangle(c, 8, 8, 8, 8);
        cairo_fill(c);
        cairo_destroy(c);
    }
    for (size_t i = 0; i < files.size(); ++i) {
        int cx = 10 + int(i % cols) * cw, cy = head + int(i / cols) * ch;
        Surface pic(Load(files[i]));
        std::string rel = fs::relative(files[i], assets).string();
        cairo_save(cr);
        cairo_rectangle(cr, cx, cy, tw, th);
        cairo_pattern_t* p = cairo_pattern_create_for_surface(check);
        cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        std::string size = "unreadable";
        if (pic.ok()) {
            size = std::to_string(pic.w()) + " x " + std::to_string(pic.h());
            double k = std::min({double(tw) / pic.w(), double(th) / pic.h(), 1.0});
            double dx = cx + (tw - pic.w() * k) / 2, dy = cy + (th - pic.h() * k) / 2;
            cairo_rectangle(cr, cx, cy, tw, th);
            cairo_clip(cr);
            cairo_translate(cr, dx, dy);
            cairo_scale(cr, k, k);
            cairo_set_source_surface(cr, pic.s, 0, 0);
            cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
            cairo_paint(cr);
        }
        cairo_restore(cr);
        cairo_set_source_rgb(cr, 0.95, 0.88, 0.72);
        std::string shown = rel.size() > 32 ? "..." + rel.substr(rel.size() - 29) : rel;
        Label(cr, shown, cx, cy + th + 15, 11, false);
        cairo_set_source_rgb(cr, 0.85, 0.65, 0.35);
        Label(cr, size, cx, cy + th + 29, 10.5, true);
    }
    cairo_surface_destroy(check);
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(sheet, out.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(sheet);
    return ok;
}

// Draws `path` (or a cell of it) with its handle at (x, y).
void Draw(cairo_t* cr, const std::string& path, double x, double y, bool mid = false, int cellW = 0, int cellH = 0,
          int frame = 0, double rot = 0, double scale = 1, bool black = false) {
    Surface pic(Load(path));
    if (!pic.ok()) {
        std::fprintf(stderr, "velmora-gfxsheet: cannot read %s\n", path.c_str());
        return;
    }
    int w = cellW ? cellW : pic.w(), h = cellH ? cellH : pic.h();
    int perRow = pic.w() / w;
    double sx = (frame % perRow) * w, sy = (frame / perRow) * h;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, rot * M_PI / 180.0);
    cairo_scale(cr, scale, scale);
    if (mid) cairo_translate(cr, -w / 2.0, -h / 2.0);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_clip(cr);
    if (black) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_mask_surface(cr, pic.s, -sx, -sy);
    } else {
        cairo_set_source_surface(cr, pic.s, -sx, -sy);
        cairo_paint(cr);
    }
    cairo_restore(cr);
}

void Text(cairo_t* cr, const std::string& s, double x, double y, bool rightAligned, bool centred) {
    cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 30);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    if (rightAligned) x -= e.x_advance;
    if (centred) x -= e.x_advance / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, s.c_str());
    cairo_set_line_width(cr, 3);
    cairo_set_source_rgba(cr, 0.16, 0.03, 0.02, 0.8);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, 1.0, 0.96, 0.88);
    cairo_fill(cr);
}

bool WritePuzzleScreen(const std::string& a, const std::string& out) {
    cairo_surface_t* scr = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 640, 480);
    cairo_t* cr = cairo_create(scr);
    std::string g = a + "/gfx/";
    Draw(cr, g + "bg/bg1.jpg", 0, 0);
    // a black silhouette (a small house: roof, two walls, a step) and one tile already placed
    struct P {
        const char* file;
        double x, y, rot;
    };
    const P sil[] = {{"fig01.png", 262, 150, 0},
                     {"fig04.png", 231.4, 223.6, 45},
                     {"fig04.png", 292.6, 223.6, 45},
                     {"fig05.png", 262, 275.7, 0}};
    for (const P& p : sil) Draw(cr, g + "set_0/puzzleset1/" + p.file, p.x, p.y, true, 0, 0, 0, p.rot, 1, true);
    Draw(cr, g + "set_0/puzzleset1/fig01.png", 262, 150, true);
    // the tray
    const P tray[] = {{"fig01.png", 550, 120, 0},
                      {"fig02.png", 550, 205, 0},
                      {"fig03.png", 550, 270, 0},
                      {"fig05.png", 550, 330, 0},
                      {"fig04.png", 550, 410, 0}};
    for (const P& p : tray) Draw(cr, g + "set_0/puzzleset1/" + p.file, p.x, p.y, true, 0, 0, 0, 0, 0.8);
    // side panel, frame and the pictures drawn over it, in the game's order
    Draw(cr, g + "timeanim.png", 9, 84, false, 72, 72, 24);
    Draw(cr, g + "timeborder.png", 0, 48);
    Draw(cr, g + "yinyang.png", 45, 120, true, 0, 0, 0, -30);
    Draw(cr, g + "leveldisplay.png", 0, 175);
    Draw(cr, g + "board.png", 0, 0);
    Text(cr, "7", 42, 245, false, true);
    Text(cr, "Tenzin", 26, 44, false, false);
    Text(cr, "004250", 617, 44, true, false);
    Draw(cr, g + "scoremenu.png", 0, 290, false, 107, 187, 0);
    Draw(cr, g + "LampeAnim.png", 113, 104, true, 57, 86, 40);
    Draw(cr, g + "pointer.png", 300 - 8, 400 - 2, false, 32, 32, 0);
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(scr, out.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(scr);
    return ok;
}

// ---- checks of the rules every picture must keep --------------------------------------

struct Px {
    int r, g, b, a;  // straight alpha
};

Px At(cairo_surface_t* s, int x, int y) {
    unsigned char* d = cairo_image_surface_get_data(s);
    uint32_t p = reinterpret_cast<uint32_t*>(d + y * cairo_image_surface_get_stride(s))[x];
    int a = cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32 ? int(p >> 24) : 255;
    auto un = [a](int v) { return a ? (v * 255 + a / 2) / a : 0; };
    return {un((p >> 16) & 255), un((p >> 8) & 255), un(p & 255), a};
}

// Pure black is transparent to the game; no visible pixel may be exactly (0, 0, 0).
int CountOpaqueBlack(cairo_surface_t* s) {
    int n = 0;
    for (int y = 0; y < cairo_image_surface_get_height(s); ++y)
        for (int x = 0; x < cairo_image_surface_get_width(s); ++x) {
            unsigned char* d = cairo_image_surface_get_data(s);
            uint32_t p = reinterpret_cast<uint32_t*>(d + y * cairo_image_surface_get_stride(s))[x];
            bool opaque = cairo_image_surface_get_format(s) != CAIRO_FORMAT_ARGB32 || (p >> 24) != 0;
            if (opaque && (p & 0xffffff) == 0) ++n;
        }
    return n;
}

double EdgeDistance(const std::vector<std::pair<double, double>>& poly, double x, double y) {
    double cx = 0, cy = 0;
    for (auto& p : poly) cx += p.first, cy += p.second;
    cx /= poly.size();
    cy /= poly.size();
    double best = 1e9;
    for (size_t i = 0; i < poly.size(); ++i) {
        auto a = poly[i], b = poly[(i + 1) % poly.size()];
        double nx = -(b.second - a.second), ny = b.first - a.first, len = std::hypot(nx, ny);
        nx /= len;
        ny /= len;
        if (nx * (cx - a.first) + ny * (cy - a.second) < 0) nx = -nx, ny = -ny;
        best = std::min(best, nx * (x - a.first) + ny * (y - a.second));
    }
    return best;
}

// A tile must be opaque wherever its pixel lies wholly inside the piece and empty wherever it
// lies wholly outside: only the one-pixel edge may be partly covered.
int CheckTile(cairo_surface_t* s, int element, bool mirrored, std::string& why) {
    static const int size[5][2] = {{172, 86}, {119, 60}, {86, 43}, {87, 86}, {130, 43}};
    using Poly = std::vector<std::pair<double, double>>;
    Poly poly;
    switch (element) {
        case 0:
            poly = {{0, 86}, {86, 0}, {172, 86}};
            break;
        case 1:
            poly = {{0, 60}, {59.5, 0}, {119, 60}};
            break;
        case 2:
            poly = {{0, 43}, {43, 0}, {86, 43}};
            break;
        case 3:
            poly = {{43.5, 0}, {87, 43}, {43.5, 86}, {0, 43}};
            break;
        default:
            poly = mirrored ? Poly{{0, 0}, {86, 0}, {130, 43}, {43, 43}} : Poly{{0, 43}, {43, 0}, {130, 0}, {86, 43}};
    }
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    if (w != size[element][0] || h != size[element][1]) {
        why = "size " + std::to_string(w) + " x " + std::to_string(h);
        return 1;
    }
    int bad = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double d = EdgeDistance(poly, x + 0.5, y + 0.5);
            Px p = At(s, x, y);
            if (d > 0.75 && p.a != 255) ++bad;
            if (d < -0.75 && p.a != 0) ++bad;
        }
    if (bad) why = std::to_string(bad) + " pixels off the outline";
    return bad;
}

int RunChecks(const std::string& assets) {
    int failures = 0;
    std::vector<std::string> files;
    for (auto& e : fs::recursive_directory_iterator(assets + "/gfx"))
        if (e.is_regular_file()) files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    for (const std::string& f : files) {
        std::string ext = fs::path(f).extension().string();
        if (ext != ".png" && ext != ".jpg") continue;
        Surface pic(Load(f));
        if (!pic.ok()) {
            std::printf("FAIL %s: unreadable\n", f.c_str());
            ++failures;
            continue;
        }
        if (int n = CountOpaqueBlack(pic.s)) {
            std::printf("FAIL %s: %d visible pure-black pixels\n", f.c_str(), n);
            ++failures;
        }
        std::string name = fs::path(f).filename().string();
        std::string dir = fs::path(f).parent_path().filename().string();
        bool tileSet = f.find("/set_") != std::string::npos && name.rfind("fig0", 0) == 0 && name.size() >= 9;
        if (tileSet && name.find("_shadow") == std::string::npos) {
            int element = name[4] - '1';
            std::string why;
            if (element < 0 || element > 4 || CheckTile(pic.s, element, dir == "puzzleset2", why)) {
                std::printf("FAIL %s: %s\n", f.c_str(), why.c_str());
                ++failures;
            }
        }
    }
    std::printf("%zu files checked, %d failures\n", files.size(), failures);
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string assets = "assets", docs = "docs";
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--assets" && i + 1 < argc)
            assets = argv[++i];
        else if (arg == "--docs" && i + 1 < argc)
            docs = argv[++i];
        else if (arg == "--check")
            check = true;
    }
    if (check) return RunChecks(assets);
    fs::create_directories(docs);
    bool ok = WriteOverview(assets, docs + "/gfx_overview.png");
    ok = WritePuzzleScreen(assets, docs + "/gfx_puzzle_screen.png") && ok;
    if (!ok) {
        std::fprintf(stderr, "velmora-gfxsheet: writing under %s failed\n", docs.c_str());
        return 1;
    }
    std::printf("wrote %s/gfx_overview.png and %s/gfx_puzzle_screen.png\n", docs.c_str(), docs.c_str());
    return 0;
}
