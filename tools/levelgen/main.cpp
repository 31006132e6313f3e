// velmora-levelgen [--root DIR] [--check] [--notation] [--preview FIGURE OUT.png]
// Writes the five embedded level sets to DIR/assets/data and their overview sheets to
// DIR/docs/levels_<set>.png (DIR defaults to the working directory). --check writes nothing
// and fails when a committed set differs from what the figures produce; --notation prints
// every figure as hand placements; --preview draws one figure, --drafts OUT.png FIGURE...
// several side by side.
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "puzzle/levelset.hpp"
#include "tools/levelgen/levels.hpp"
#include "tools/levelgen/silhouette.hpp"

using namespace levelgen;

namespace {

// Playfield rectangle that the solution check reads.
constexpr double kFieldX = 4, kFieldY = 66, kFieldW = 449, kFieldH = 394;

void DrawFigure(cairo_t* cr, const Figure& f, double x, double y, double scale, bool seams = true) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -kFieldX, -kFieldY);
    cairo_set_source_rgb(cr, 0.93, 0.86, 0.70);
    cairo_rectangle(cr, kFieldX, kFieldY, kFieldW, kFieldH);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    for (const Piece& p : f.pieces) {
        std::vector<Vec> poly = PlacedOutline(p, f.variant, true);
        for (size_t i = 0; i < poly.size(); ++i)
            i ? cairo_line_to(cr, poly[i].x, poly[i].y) : cairo_move_to(cr, poly[i].x, poly[i].y);
        cairo_close_path(cr);
        if (!seams) continue;
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_fill_preserve(cr);
        // A faint seam shows how the pieces lie; the game draws the silhouette without it.
        cairo_set_source_rgb(cr, 0.30, 0.24, 0.18);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    // One fill for the whole silhouette: filled piece by piece, the antialiased edges leave
    // light hairlines where pieces meet, which the game's silhouette does not have.
    if (!seams) cairo_fill(cr);
    cairo_restore(cr);
}

std::string ModeLabel(char c) {
    int32_t b = ModeBits(c);
    std::string s;
    const char* names[] = {"Enlight", "Medit", "Twister", "Freeze", "Float", "Bonus", "Torch", "Bombs", "Joker"};
    for (int i = 0; i < 9; ++i)
        if (b & (1 << i)) s += std::string(s.empty() ? "" : "+") + names[i];
    return s;
}

// A sheet's dark red ground with its heading; the caller draws the figures and writes it.
cairo_t* BeginSheet(int w, int h, int pad, const char* heading, cairo_surface_t*& surface) {
    surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0.35, 0.12, 0.10);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 22);
    cairo_set_source_rgb(cr, 1, 0.85, 0.4);
    cairo_move_to(cr, pad, 28);
    cairo_show_text(cr, heading);
    return cr;
}

bool WriteSheet(int index, const std::string& path) {
    const SetDef& set = Set(index);
    std::vector<Figure> figs = SetFigures(index);
    const double scale = 0.3, tw = kFieldW * scale, th = kFieldH * scale;
    const int cols = 10, rows = 5, pad = 8, label = 28;
    int w = int(cols * (tw + pad) + pad), h = int(40 + rows * (th + label + pad));
    cairo_surface_t* s = nullptr;
    cairo_t* cr = BeginSheet(w, h, pad, set.title, s);
    cairo_set_font_size(cr, 11);
    for (int i = 0; i < kLevelsPerSet; ++i) {
        double x = pad + (i % cols) * (tw + pad), y = 40 + (i / cols) * (th + label + pad);
        DrawFigure(cr, figs[i], x, y, scale);
        cairo_set_source_rgb(cr, 1, 0.92, 0.75);
        cairo_move_to(cr, x, y + th + 12);
        std::string name = std::to_string(i + 1) + " " + figs[i].name;
        cairo_text_extents_t ext;
        // Long names are cut to the width of their picture.
        for (cairo_text_extents(cr, name.c_str(), &ext); ext.x_advance > tw && name.size() > 4;
             cairo_text_extents(cr, name.c_str(), &ext))
            name = name.substr(0, name.size() - 4) + "..";
        cairo_show_text(cr, name.c_str());
        cairo_move_to(cr, x, y + th + 24);
        cairo_set_source_rgb(cr, 0.95, 0.7, 0.45);
        std::string info = std::to_string(figs[i].pieces.size()) + " pc  d" +
                           std::to_string(long(std::lround(figs[i].difficulty))) + "  " + ModeLabel(set.modes[i]);
        // Two modes together run wider than a picture: that line shrinks to fit rather than
        // spilling into the next cell.
        cairo_text_extents(cr, info.c_str(), &ext);
        if (ext.x_advance > tw) cairo_set_font_size(cr, 11 * tw / ext.x_advance);
        cairo_show_text(cr, info.c_str());
        cairo_set_font_size(cr, 11);
    }
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

// Silhouettes alone, numbered, as the player sees them: black on the playfield without seams.
// `order` gives the figure shown at each place.
// `first` numbers the figures on the sheet, so a set split over several sheets keeps one count.
bool WriteSilhouetteSheet(const std::string& heading, const std::vector<Figure>& figs, const std::vector<int>& order,
                          const std::string& path, int cols = 10, double scale = 0.3, size_t first = 1) {
    const double tw = kFieldW * scale, th = kFieldH * scale;
    const int pad = 8, label = 16;
    int rows = int((order.size() + size_t(cols) - 1) / size_t(cols));
    int w = int(cols * (tw + pad) + pad), h = int(40 + rows * (th + label + pad));
    cairo_surface_t* s = nullptr;
    cairo_t* cr = BeginSheet(w, h, pad, heading.c_str(), s);
    cairo_set_font_size(cr, 12);
    for (size_t i = 0; i < order.size(); ++i) {
        double x = pad + double(i % size_t(cols)) * (tw + pad), y = 40 + double(i / size_t(cols)) * (th + label + pad);
        DrawFigure(cr, figs[size_t(order[i])], x, y, scale, false);
        cairo_set_source_rgb(cr, 1, 0.92, 0.75);
        cairo_move_to(cr, x, y + th + 13);
        cairo_show_text(cr, std::to_string(first + i).c_str());
    }
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

// Pairs of levels among all sets whose silhouettes are one up to shifting, quarter turns and
// mirroring.
int ReportDuplicates(const std::vector<std::vector<Figure>>& sets, double threshold) {
    struct Item {
        std::string label;
        Silhouette sil;
    };
    std::vector<Item> items;
    for (size_t s = 0; s < sets.size(); ++s)
        for (size_t l = 0; l < sets[s].size(); ++l)
            items.push_back({std::string(Set(int(s)).slug) + " " + std::to_string(l + 1) + " " + sets[s][l].name,
                             Rasterise(PieceOutlines(sets[s][l].pieces, sets[s][l].variant))});
    int found = 0;
    for (size_t i = 0; i < items.size(); ++i)
        for (size_t j = i + 1; j < items.size(); ++j) {
            double d = SilhouetteDifference(items[i].sil, items[j].sil);
            if (d < threshold) {
                std::printf("%.4f  %s  =  %s\n", d, items[i].label.c_str(), items[j].label.c_str());
                found += d < kSameSilhouette;
            }
        }
    return found;
}

bool Preview(const std::string& notation, const std::string& out) {
    Figure f = BuildFigure("preview", notation);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, int(kFieldW), int(kFieldH));
    cairo_t* cr = cairo_create(s);
    DrawFigure(cr, f, 0, 0, 1.0);
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(s, out.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    std::printf("%s\nmismatch %d\n", PlacementText(notation).c_str(), lastFitMismatch);
    return ok;
}

// Several drafts side by side with their mismatch, for comparing drafts of a figure.
bool PreviewSheet(const std::vector<std::string>& drafts, const std::string& out) {
    const double scale = 0.4, tw = kFieldW * scale, th = kFieldH * scale;
    int cols = 5, rows = int((drafts.size() + cols - 1) / cols);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, int(cols * (tw + 6)), int(rows * (th + 20)));
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 0.2, 0.1, 0.1);
    cairo_paint(cr);
    cairo_set_font_size(cr, 12);
    for (size_t i = 0; i < drafts.size(); ++i) {
        double x = (i % cols) * (tw + 6), y = (i / cols) * (th + 20);
        std::string label;
        try {
            DrawFigure(cr, BuildFigure("draft", drafts[i]), x, y, scale);
            label = std::to_string(i) + ": mismatch " + std::to_string(lastFitMismatch);
        } catch (const std::exception& e) {
            label = std::to_string(i) + ": " + e.what();
        }
        cairo_set_source_rgb(cr, 1, 1, 0.8);
        cairo_move_to(cr, x + 4, y + th + 14);
        cairo_show_text(cr, label.c_str());
    }
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(s, out.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

// Drafts drawn black and numbered, as a player sees them, to try candidate figures on people
// who have not seen their titles before one goes into a set.
bool DraftSilhouettes(const std::vector<std::string>& drafts, const std::string& out) {
    std::vector<Figure> figs;
    std::vector<int> order;
    for (const std::string& d : drafts) {
        figs.push_back(BuildFigure("draft", d));
        order.push_back(int(order.size()));
    }
    return WriteSilhouetteSheet("Sheet", figs, order, out, 5, 0.45);
}

// Sheets for a blind review of the four figurative sets: each set's silhouettes in a shuffled
// order with numbers only, and a separate key from number to level and title. The order comes
// from the generator's own random numbers, seeded with the set's number, so the sheets are
// made again the same. Each review round gets a seed of its own, so that a reviewer who saw
// an earlier round's sheets cannot lean on where a figure stood.
// Half a set a sheet, drawn large: at a tenth of the screen a figure's arms and ears were
// lost and reviewers named blobs.
constexpr uint64_t kBlindSeed = 8600;
bool WriteBlindSheets(const std::vector<std::vector<Figure>>& sets, const std::string& dir) {
    std::ofstream key(dir + "/key.txt", std::ios::trunc);
    if (!key) {
        std::fprintf(stderr, "cannot write %s/key.txt\n", dir.c_str());
        return false;
    }
    key << "Blind review key: sheet number -> level and title. The order of each sheet is a\n"
           "Fisher-Yates shuffle by the level generator's Rng seeded with "
        << kBlindSeed
        << " + the set's index\n"
           "(0 Jewels of Dharma, 1 Numbers of Lhasa, 2 Peace in Sakya, 3 Way of Arhat).\n"
           "Keep this file away from the reviewers.\n";
    bool ok = true;
    for (int s = 0; s < 4 && s < int(sets.size()); ++s) {
        std::vector<int> order;
        for (int l = 0; l < int(sets[size_t(s)].size()); ++l) order.push_back(l);
        Rng rng(kBlindSeed + uint64_t(s));
        for (int i = int(order.size()) - 1; i > 0; --i) std::swap(order[size_t(i)], order[size_t(rng.Below(i + 1))]);
        size_t half = (order.size() + 1) / 2;
        for (int part = 0; part < 2; ++part) {
            size_t from = part ? half : 0, to = part ? order.size() : half;
            std::string sheet = std::string(Set(s).slug) + "_blind_" + std::to_string(part + 1) + ".png";
            key << "\n" << sheet << "\n";
            for (size_t i = from; i < to; ++i)
                key << "  " << i + 1 << " -> level " << order[i] + 1 << " " << sets[size_t(s)][size_t(order[i])].name
                    << "\n";
            std::vector<int> partOrder(order.begin() + long(from), order.begin() + long(to));
            ok &= WriteSilhouetteSheet("Sheet " + std::to_string(s + 1) + (part ? "b" : "a"), sets[size_t(s)],
                                       partOrder, dir + "/" + sheet, 5, 0.55, from + 1);
        }
    }
    return ok && bool(key);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

static int Run(int argc, char** argv) {
    std::string root = ".";
    bool check = false, notation = false, duplicates = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--root" && i + 1 < argc)
            root = argv[++i];
        else if (a == "--check")
            check = true;
        else if (a == "--notation")
            notation = true;
        else if (a == "--duplicates")
            duplicates = true;
        else if (a == "--preview" && i + 2 < argc)
            return Preview(argv[i + 1], argv[i + 2]) ? 0 : 1;
        else if (a == "--drafts" && i + 2 < argc)
            return PreviewSheet({argv + i + 2, argv + argc}, argv[i + 1]) ? 0 : 1;
        else if (a == "--silhouettes" && i + 2 < argc)
            return DraftSilhouettes({argv + i + 2, argv + argc}, argv[i + 1]) ? 0 : 1;
        else {
            std::fprintf(stderr,
                         "usage: velmora-levelgen [--root DIR] [--check] [--notation] [--duplicates] [--preview FIGURE "
                         "OUT.png]\n"
                         "       velmora-levelgen --drafts|--silhouettes OUT.png FIGURE...\n");
            return 2;
        }
    }
    if (duplicates) {
        std::vector<std::vector<Figure>> sets;
        for (int i = 0; i < kSetCount; ++i) sets.push_back(SetFigures(i));
        return ReportDuplicates(sets, 0.06) ? 1 : 0;
    }
    int failures = 0;
    std::vector<std::vector<Figure>> all;
    for (int i = 0; i < kSetCount; ++i) {
        const SetDef& set = Set(i);
        if (notation) {
            for (int l = 0; l < kLevelsPerSet; ++l)
                std::printf("%s %2d %-16s %s\n", set.slug, l + 1, set.figures[l].name,
                            PlacementText(set.figures[l].notation).c_str());
            continue;
        }
        std::vector<uint8_t> bytes = BuildLevelSet(i);
        std::string file = root + "/assets/data/" + set.title + ".lvl";
        if (check) {
            bool same = ReadFile(file) == bytes;
            std::printf("%-20s %016llx %s\n", set.title, (unsigned long long)Fnv1a(bytes), same ? "ok" : "DIFFERS");
            failures += !same;
            continue;
        }
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", file.c_str());
            ++failures;
            continue;
        }
        std::printf("%-20s %016llx %zu bytes\n", set.title, (unsigned long long)Fnv1a(bytes), bytes.size());
        if (!WriteSheet(i, root + "/docs/levels_" + set.slug + ".png")) ++failures;
        std::vector<Figure> figs = SetFigures(i);
        std::vector<int> order;
        for (int l = 0; l < kLevelsPerSet; ++l) order.push_back(l);
        if (!WriteSilhouetteSheet(std::string(set.title) + ": silhouettes", figs, order,
                                  root + "/docs/silhouettes_" + set.slug + ".png"))
            ++failures;
        all.push_back(figs);
    }
    if (!check && !notation) {
        if (ReportDuplicates(all, kSameSilhouette)) {
            std::fprintf(stderr, "levels above repeat a silhouette\n");
            ++failures;
        }
        if (!WriteBlindSheets(all, root + "/docs/review")) ++failures;
    }
    return failures ? 1 : 0;
}

int main(int argc, char** argv) {
    // A figure that does not parse or cannot be built says why, and the tool fails cleanly.
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora-levelgen: %s\n", e.what());
        return 1;
    }
}
