#include "changemarks.h"

#include "planetgeometry.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

namespace {

constexpr PackedColor kBlack = 0;

// One row of a shape: the pixels from `left` to `right` of row `y`, from its centre.
struct Span {
    int y, left, right;
};

enum class Paint : quint8 { Edge, Shape, Inside };

// A run of rows with the same span and paint: one box.
struct Piece {
    int y, left, right, rows;
    Paint paint;
};

// Whether the inside keeps the mark's colour (filled) or is black (hollow); the plus, the
// minus and the filled square are white through and through.
enum class Inside : quint8 { None, Color, Black };

struct Shape {
    std::vector<Span> rows; // top to bottom, one span each, adjacent rows overlapping
    Inside inside;
};

Shape shapeOf(ChangeMarkKind kind)
{
    auto rows = [](int top, int bottom, auto halfWidth) {
        std::vector<Span> spans;
        for (int y = top; y <= bottom; ++y)
            spans.push_back({y, -halfWidth(y), halfWidth(y)});
        return spans;
    };
    auto triangle = rows(-3, 2, [](int y) { return y + 3; }); // 11 wide, 6 high
    auto diamond = rows(-3, 3, [](int y) { return 3 - std::abs(y); });
    auto square = rows(-2, 2, [](int) { return 2; });
    switch (kind) {
    case ChangeMarkKind::NewOwner:
    case ChangeMarkKind::Captured:
        return {triangle, Inside::Color};
    case ChangeMarkKind::Lost:
        return {triangle, Inside::Black};
    case ChangeMarkKind::FirstSeen:
        return {diamond, Inside::Color};
    case ChangeMarkKind::StarbaseBuilt:
        return {square, Inside::None};
    case ChangeMarkKind::StarbaseLost:
        return {square, Inside::Black};
    case ChangeMarkKind::PopulationUp:
        return {{{-2, 0, 0}, {-1, 0, 0}, {0, -2, 2}, {1, 0, 0}, {2, 0, 0}}, Inside::None};
    case ChangeMarkKind::PopulationDown:
        return {{{0, -2, 2}}, Inside::None};
    }
    return {};
}

// Consecutive rows of one span become one piece.
void addRows(std::vector<Piece> &pieces, const std::vector<Span> &spans, Paint paint)
{
    for (const Span &s : spans) {
        if (s.left > s.right)
            continue;
        Piece &last = pieces.back();
        if (last.paint == paint && last.left == s.left &&
            last.right == s.right && last.y + last.rows == s.y)
            ++last.rows;
        else
            pieces.push_back({s.y, s.left, s.right, 1, paint});
    }
}

// The black edge (every pixel next to the shape, diagonals too, and the shape), the shape
// in white, then its inside: the pixels whose four neighbours all belong to the shape, so a
// slanted side stays one pixel thin.
std::vector<Piece> piecesOf(ChangeMarkKind kind)
{
    const Shape shape = shapeOf(kind);
    const std::vector<Span> &r = shape.rows;
    const int n = int(r.size());
    auto spanAt = [&](int i) { return r[size_t(std::clamp(i, 0, n - 1))]; };

    std::vector<Span> edge;
    for (int i = -1; i <= n; ++i) {
        int left = 1 << 20, right = -(1 << 20);
        for (int j = std::max(i - 1, 0); j <= std::min(i + 1, n - 1); ++j) {
            left = std::min(left, r[size_t(j)].left - 1);
            right = std::max(right, r[size_t(j)].right + 1);
        }
        edge.push_back({r.front().y + i, left, right});
    }
    std::vector<Span> inside;
    for (int i = 1; i + 1 < n; ++i) {
        const Span above = spanAt(i - 1), row = spanAt(i), below = spanAt(i + 1);
        inside.push_back({row.y, std::max({above.left, row.left + 1, below.left}),
                          std::min({above.right, row.right - 1, below.right})});
    }

    std::vector<Piece> pieces;
    pieces.push_back({0, 0, -1, 0, Paint::Edge}); // a start addRows can compare with
    addRows(pieces, edge, Paint::Edge);
    addRows(pieces, r, Paint::Shape);
    if (shape.inside != Inside::None)
        addRows(pieces, inside, Paint::Inside);
    pieces.erase(pieces.begin());
    return pieces;
}

struct Pieces {
    std::vector<Piece> pieces;
    bool blackInside = false;
};

// Worked out once; a redraw only moves them.
const Pieces &piecesFor(ChangeMarkKind kind)
{
    static const auto table = [] {
        std::array<Pieces, 8> all;
        for (ChangeMarkKind k : kChangeMarkKinds) {
            const int slot = std::countr_zero(unsigned(k));
            all[size_t(slot)] = {piecesOf(k), shapeOf(k).inside == Inside::Black};
        }
        return all;
    }();
    return table[size_t(std::countr_zero(unsigned(kind)) & 7)];
}

void addMark(std::vector<FilledBox> &boxes, QPoint centre, ChangeMarkKind kind, PackedColor color)
{
    const Pieces &p = piecesFor(kind);
    for (const Piece &piece : p.pieces) {
        PackedColor fill = kWhite;
        if (piece.paint == Paint::Edge)
            fill = kBlack;
        else if (piece.paint == Paint::Inside)
            fill = p.blackInside ? kBlack : color;
        boxes.push_back({double(centre.x() + piece.left), double(centre.y() + piece.y),
                         double(piece.right - piece.left + 1), double(piece.rows), fill,
                         FillSolid});
    }
}

} // namespace

void drawChangeMarks(Surface &surface, const Globals &globals, const ChartView &view,
                     QSize picture, std::span<const ChangeMark> marks)
{
    if (marks.empty())
        return;
    const QRect near = QRect(QPoint(0, 0), picture)
                           .adjusted(-kChangeMarkReach, -kChangeMarkReach, kChangeMarkReach,
                                     kChangeMarkReach);
    std::vector<FilledBox> boxes;
    boxes.reserve(marks.size() * 6);
    const int last = globals.lastPlanet();
    for (const ChangeMark &mark : marks) {
        if (mark.planet < 0 || mark.planet > last)
            continue;
        const Star_Object &p = globals.Star_Table[size_t(mark.planet)];
        const QPoint centre = dotPixel(view, picture, planetPosition(p)) + kChangeMarkOffset;
        if (near.contains(centre))
            addMark(boxes, centre, mark.kind, mark.color);
    }
    surface.FillBoxes(boxes);
}

void drawChangeMark(Surface &surface, QPoint centre, ChangeMarkKind kind, PackedColor color)
{
    std::vector<FilledBox> boxes;
    addMark(boxes, centre, kind, color);
    surface.FillBoxes(boxes);
}

ChangeMarkKinds changeMarkKinds(std::span<const ChangeMark> marks)
{
    ChangeMarkKinds kinds;
    for (const ChangeMark &mark : marks)
        kinds |= mark.kind;
    return kinds;
}

QString changeMarkText(ChangeMarkKind kind)
{
    switch (kind) {
    case ChangeMarkKind::NewOwner:
        return QCoreApplication::translate("ChangeMarks", "new owner");
    case ChangeMarkKind::Captured:
        return QCoreApplication::translate("ChangeMarks", "captured");
    case ChangeMarkKind::Lost:
        return QCoreApplication::translate("ChangeMarks", "lost");
    case ChangeMarkKind::FirstSeen:
        return QCoreApplication::translate("ChangeMarks", "first seen");
    case ChangeMarkKind::StarbaseBuilt:
        return QCoreApplication::translate("ChangeMarks", "starbase built");
    case ChangeMarkKind::StarbaseLost:
        return QCoreApplication::translate("ChangeMarks", "starbase lost");
    case ChangeMarkKind::PopulationUp:
        return QCoreApplication::translate("ChangeMarks", "population up");
    case ChangeMarkKind::PopulationDown:
        return QCoreApplication::translate("ChangeMarks", "population down");
    }
    return {};
}
