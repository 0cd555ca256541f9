#include "PlanPicture.h"

#include "content/Figures.h"
#include "geometry/Rotation.h"
#include "ground/GroundGrid.h"
#include "movement/Collision.h"
#include "movement/Walking.h"
#include "platform/PixelView.h"
#include "render/PngFile.h"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <sstream>

namespace velmora::snap {

namespace {

struct Rgb {
    double red;
    double green;
    double blue;
};

constexpr Rgb kPaper{0.97, 0.96, 0.93};
constexpr Rgb kTileEven{0.90, 0.91, 0.86};
constexpr Rgb kTileOdd{0.86, 0.88, 0.82};
constexpr Rgb kGroundOutline{0.55, 0.58, 0.50};
constexpr Rgb kGridLine{0.78, 0.78, 0.76};
constexpr Rgb kLabel{0.30, 0.30, 0.30};
constexpr Rgb kWall{0.10, 0.10, 0.12};
constexpr Rgb kTalker{0.42, 0.26, 0.86};
constexpr Rgb kCenturion{0.76, 0.15, 0.36};
constexpr Rgb kFire{0.90, 0.35, 0.00};
constexpr Rgb kStart{0.85, 0.08, 0.08};
constexpr Rgb kLimit{0.75, 0.35, 0.35};
constexpr Rgb kOverhead{0.45, 0.45, 0.48};
constexpr double kOverheadDash[] = {5.0, 3.0};
// Ledges from a flat edge (0) to the highest one the visitor steps onto (kLedgeLimit).
constexpr std::array<Rgb, 3> kLedgeRamp{{{0.13, 0.52, 0.90}, {0.16, 0.62, 0.27}, {0.94, 0.55, 0.0}}};

constexpr double kEdgeWidth = 3.0;
constexpr double kFontSize = 12.0;

// The picture being drawn and where its pixels lie in the world.
struct Plan {
    cairo_t* cr;
    const PlanLayout& layout;
};

void setColor(cairo_t* cr, const Rgb& color, double alpha = 1.0) {
    cairo_set_source_rgba(cr, color.red, color.green, color.blue, alpha);
}

Rgb ledgeColor(int height) {
    const double t = std::clamp(height, 0, kLedgeLimit) / static_cast<double>(kLedgeLimit) * 2.0;
    const int low = std::min(static_cast<int>(t), 1);
    const double f = t - low;
    const Rgb& a = kLedgeRamp[low];
    const Rgb& b = kLedgeRamp[low + 1];
    return {a.red + (b.red - a.red) * f, a.green + (b.green - a.green) * f,
            a.blue + (b.blue - a.blue) * f};
}

// Text with a halo of paper, so that it reads over lines and tiles.
void label(cairo_t* cr, double x, double y, const std::string& text, const Rgb& color,
           double size = kFontSize) {
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    setColor(cr, kPaper);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke_preserve(cr);
    setColor(cr, color);
    cairo_fill(cr);
}

std::string number(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

void paintGround(const Plan& plan, const Vertex& start) {
    const GroundBox ground = groundAtStart(start);
    const double tile = GroundGrid::kTileSize / plan.layout.scale;
    for (int i = 0; i < GroundGrid::kTilesPerSide; ++i) {
        for (int j = 0; j < GroundGrid::kTilesPerSide; ++j) {
            // Tiles too small to see are drawn in one shade.
            setColor(plan.cr, (i + j) % 2 == 0 || tile < 4.0 ? kTileEven : kTileOdd);
            cairo_rectangle(plan.cr, plan.layout.column(ground.minX) + j * tile,
                            plan.layout.row(ground.maxZ) + i * tile, tile, tile);
            cairo_fill(plan.cr);
        }
    }
    setColor(plan.cr, kGroundOutline);
    cairo_set_line_width(plan.cr, 1.0);
    cairo_rectangle(plan.cr, plan.layout.column(ground.minX), plan.layout.row(ground.maxZ),
                    (ground.maxX - ground.minX) / plan.layout.scale,
                    (ground.maxZ - ground.minZ) / plan.layout.scale);
    cairo_stroke(plan.cr);
}

// Lines at whole multiples of the grid step, labelled in the margins.
void paintGrid(const Plan& plan) {
    const PlanLayout& l = plan.layout;
    const double step = l.gridStep;
    const double worldRight = l.originX + (l.width - 1) * l.scale;
    const double worldBottom = l.originZ - (l.height - 1) * l.scale;
    cairo_set_line_width(plan.cr, 1.0);
    for (double x = std::ceil(l.originX / step) * step; x <= worldRight; x += step) {
        const double c = std::floor(l.column(x)) + 0.5;
        setColor(plan.cr, kGridLine);
        cairo_move_to(plan.cr, c, kPlanMarginTop - 8);
        cairo_line_to(plan.cr, c, l.height - kPlanMarginBottom + 8);
        cairo_stroke(plan.cr);
        label(plan.cr, c + 3, kPlanMarginTop - 12, number(x), kLabel, 11.0);
    }
    for (double z = std::ceil(worldBottom / step) * step; z <= l.originZ; z += step) {
        const double r = std::floor(l.row(z)) + 0.5;
        if (r < kPlanMarginTop - 8 || r > l.height - kPlanMarginBottom + 8) {
            continue;
        }
        setColor(plan.cr, kGridLine);
        cairo_move_to(plan.cr, kPlanMarginLeft - 8, r);
        cairo_line_to(plan.cr, l.width - kPlanMarginRight + 8, r);
        cairo_stroke(plan.cr);
        label(plan.cr, 4, r - 3, number(z), kLabel, 11.0);
    }
}

// Forward steps end where the x of the eye reaches the limit.
void paintForwardLimit(const Plan& plan) {
    const double c = plan.layout.column(kForwardLimitX);
    if (c < kPlanMarginLeft || c > plan.layout.width - kPlanMarginRight) {
        return;
    }
    const double dash[] = {6.0, 4.0};
    cairo_set_dash(plan.cr, dash, 2, 0.0);
    setColor(plan.cr, kLimit);
    cairo_set_line_width(plan.cr, 1.5);
    cairo_move_to(plan.cr, c, kPlanMarginTop);
    cairo_line_to(plan.cr, c, plan.layout.height - kPlanMarginBottom);
    cairo_stroke(plan.cr);
    cairo_set_dash(plan.cr, nullptr, 0, 0.0);
    label(plan.cr, c + 4, kPlanMarginTop + 14, "no forward step from x 2800 on", kLimit);
}

Rgb figureColor(const content::Figure& figure) {
    if (figure.dialogueKind == content::kCenturionKind) {
        return kCenturion;
    }
    return figure.dialogueKind < 0 ? kFire : kTalker;
}

// A zone is entered when the eye is less than the radius away in x and in z.
void paintZones(const Plan& plan) {
    for (const content::Figure& figure : content::figures()) {
        if (figure.triggerRadius <= 0) {
            continue;
        }
        const double side = 2.0 * figure.triggerRadius / plan.layout.scale;
        cairo_rectangle(plan.cr, plan.layout.column(figure.position.x - figure.triggerRadius),
                        plan.layout.row(figure.position.z + figure.triggerRadius), side, side);
        setColor(plan.cr, figureColor(figure), 0.14);
        cairo_fill_preserve(plan.cr);
        setColor(plan.cr, figureColor(figure), 0.8);
        cairo_set_line_width(plan.cr, 1.5);
        cairo_stroke(plan.cr);
    }
}

void paintFigures(const Plan& plan) {
    for (const content::Figure& figure : content::figures()) {
        const double c = plan.layout.column(figure.position.x);
        const double r = plan.layout.row(figure.position.z);
        cairo_arc(plan.cr, c, r, 5.0, 0.0, 2.0 * std::numbers::pi);
        setColor(plan.cr, figureColor(figure));
        cairo_fill(plan.cr);
        label(plan.cr, c + 8, r - 6, std::string(figure.name), figureColor(figure), 14.0);
    }
}

// An arrow from the start along the heading: 0 looks towards +z (up), 90 towards +x (right).
void paintStart(const Plan& plan, const World& world) {
    const double c = plan.layout.column(world.defaultLocation.x);
    const double r = plan.layout.row(world.defaultLocation.z);
    const double a = world.defaultHeading * kDegreesToRadians;
    const double dx = std::sin(a);
    const double dy = -std::cos(a);
    setColor(plan.cr, kStart);
    cairo_set_line_width(plan.cr, 3.0);
    cairo_move_to(plan.cr, c, r);
    cairo_line_to(plan.cr, c + 30 * dx, r + 30 * dy);
    cairo_stroke(plan.cr);
    cairo_move_to(plan.cr, c + 40 * dx, r + 40 * dy);
    cairo_line_to(plan.cr, c + 24 * dx - 8 * dy, r + 24 * dy + 8 * dx);
    cairo_line_to(plan.cr, c + 24 * dx + 8 * dy, r + 24 * dy - 8 * dx);
    cairo_close_path(plan.cr);
    cairo_fill(plan.cr);
    cairo_arc(plan.cr, c, r, 5.0, 0.0, 2.0 * std::numbers::pi);
    cairo_fill(plan.cr);
    label(plan.cr, c - 40 * dx + 6, r - 40 * dy + 4, "start", kStart, 14.0);
}

void strokeEdge(const Plan& plan, const CollisionEdge& edge) {
    cairo_move_to(plan.cr, plan.layout.column(edge.x1), plan.layout.row(edge.z1));
    cairo_line_to(plan.cr, plan.layout.column(edge.x2), plan.layout.row(edge.z2));
}

// What an edge is to a visitor who walks on the ground or on the thing the edge rises from.
enum class EdgeKind { overhead, ledge, wall };

EdgeKind kindOf(const CollisionEdge& edge) {
    if (edge.minY > kEyeAboveFeet) {
        return EdgeKind::overhead; // the eye of a visitor on the ground passes under it
    }
    return edge.height > kLedgeLimit ? EdgeKind::wall : EdgeKind::ledge;
}

// Overhead edges first, then the ledges, one stroke per height, then the walls over them, so
// that what blocks stays visible.
void paintEdges(const Plan& plan, const World& world) {
    cairo_set_line_width(plan.cr, 2.0);
    for (const CollisionEdge& edge : world.edges) {
        if (kindOf(edge) == EdgeKind::overhead) {
            strokeEdge(plan, edge);
        }
    }
    setColor(plan.cr, kOverhead);
    cairo_set_dash(plan.cr, kOverheadDash, 2, 0.0);
    cairo_stroke(plan.cr);
    cairo_set_dash(plan.cr, nullptr, 0, 0.0);
    cairo_set_line_cap(plan.cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(plan.cr, kEdgeWidth);
    std::array<bool, kLedgeLimit + 1> heights{};
    for (const CollisionEdge& edge : world.edges) {
        if (kindOf(edge) == EdgeKind::ledge) {
            heights[edge.height] = true;
        }
    }
    for (int height = 0; height <= kLedgeLimit; ++height) {
        if (!heights[height]) {
            continue;
        }
        for (const CollisionEdge& edge : world.edges) {
            if (kindOf(edge) == EdgeKind::ledge && edge.height == height) {
                strokeEdge(plan, edge);
            }
        }
        setColor(plan.cr, ledgeColor(height));
        cairo_stroke(plan.cr);
    }
    for (const CollisionEdge& edge : world.edges) {
        if (kindOf(edge) == EdgeKind::wall) {
            strokeEdge(plan, edge);
        }
    }
    setColor(plan.cr, kWall);
    cairo_stroke(plan.cr);
    cairo_set_line_cap(plan.cr, CAIRO_LINE_CAP_BUTT);
}

// Returns the x after the key's line.
double keyLine(cairo_t* cr, double x, double y, const Rgb& color, const std::string& text,
               bool dashed = false) {
    setColor(cr, color);
    cairo_set_line_width(cr, dashed ? 2.0 : kEdgeWidth);
    cairo_set_dash(cr, kOverheadDash, dashed ? 2 : 0, 0.0);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + 24, y);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);
    cairo_text_extents_t extents;
    cairo_set_font_size(cr, kFontSize);
    cairo_text_extents(cr, text.c_str(), &extents);
    label(cr, x + 30, y + 4, text, kLabel);
    return x + 30 + extents.x_advance + 18;
}

// The scale bar and the key, in the bottom margin.
void paintKey(const Plan& plan) {
    cairo_t* cr = plan.cr;
    const double y = plan.layout.height - kPlanMarginBottom + 40;
    const double bar = plan.layout.gridStep / plan.layout.scale;
    setColor(cr, kWall);
    cairo_set_line_width(cr, 2.0);
    cairo_move_to(cr, kPlanMarginLeft, y - 5);
    cairo_line_to(cr, kPlanMarginLeft, y);
    cairo_line_to(cr, kPlanMarginLeft + bar, y);
    cairo_line_to(cr, kPlanMarginLeft + bar, y - 5);
    cairo_stroke(cr);
    label(cr, kPlanMarginLeft, y + 18,
          number(plan.layout.gridStep) + " units (a grid square), " + number(plan.layout.scale) +
              " a pixel",
          kLabel);
    double x = kPlanMarginLeft + std::max(bar, 240.0) + 24;
    x = keyLine(cr, x, y, kWall, "wall");
    for (const int height : {0, kLedgeLimit / 2, kLedgeLimit}) {
        x = keyLine(cr, x, y, ledgeColor(height), "ledge " + std::to_string(height));
    }
    x = keyLine(cr, x, y, kOverhead, "above the eye", true);
    setColor(cr, kTalker, 0.14);
    cairo_rectangle(cr, x, y - 8, 16, 16);
    cairo_fill_preserve(cr);
    setColor(cr, kTalker, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    label(cr, x + 22, y + 4, "trigger zone", kLabel);
    setColor(cr, kTileOdd);
    cairo_rectangle(cr, x + 120, y - 8, 16, 16);
    cairo_fill(cr);
    label(cr, x + 142, y + 4, "ground grid at the start", kLabel);
    label(cr, kPlanMarginLeft + std::max(bar, 240.0) + 24, y + 28,
          "walls are over 20 high, ledges (up to 20) are stepped onto and off; edges that start "
          "above the eye of a visitor on the ground are passed under",
          kLabel, 11.0);
}

} // namespace

bool writePlan(const World& world, const PlanLayout& layout, const std::string& path) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, layout.width, layout.height);
    cairo_t* cr = cairo_create(surface);
    const Plan plan{cr, layout};
    setColor(cr, kPaper);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    paintGround(plan, world.defaultLocation);
    paintGrid(plan);
    paintForwardLimit(plan);
    paintZones(plan);
    paintFigures(plan);
    paintStart(plan, world);
    paintEdges(plan, world);
    paintKey(plan);
    cairo_surface_flush(surface);
    bool written = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    if (written) {
        const platform::PixelView pixels{
            reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface)),
            layout.width, layout.height, cairo_image_surface_get_stride(surface) / 4};
        written = writePng(pixels, path);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return written;
}

} // namespace velmora::snap
