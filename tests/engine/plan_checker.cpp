#include "plan_checker.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace veltrix::test {
namespace {

constexpr double kEps = 0.01;

// The lines of a text without their line ends.
std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        out.push_back(line);
    }
    return out;
}

// Fields of one line: commas outside quotes separate; quotes are removed.
std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (char ch : line) {
        if (ch == '"')
            quoted = !quoted;
        else if (ch == ',' && !quoted)
            out.emplace_back();
        else
            out.back() += ch;
    }
    return out;
}

std::string text(const std::vector<std::string>& f, std::size_t i) { return i < f.size() ? f[i] : std::string(); }
float num(const std::vector<std::string>& f, std::size_t i) { return std::strtof(text(f, i).c_str(), nullptr); }
bool blankText(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

// A kept sheet or cut-piece row; rows with the same key (every field but the quantity) merge.
struct Row {
    float length, width, qty;
    float ml = 0, mt = 0, mr = 0, mb = 0;
    bool align = false;
    std::string key;
};

std::string keyOf(const std::vector<std::string>& f, std::initializer_list<float> numbers,
                  std::initializer_list<int> texts) {
    std::ostringstream key;
    key.precision(9);
    for (float n : numbers) key << n << '|';
    for (int i : texts) key << text(f, static_cast<std::size_t>(i)) << '|';
    return key.str();
}

// Merged, enlarged by the kerf and put in the order of the compare-exchange passes by decreasing
// area (0-based: for gap g, round((n + 1) / g) - 1 blocks of g positions, never past n - g).
void prepare(std::vector<Row>& v, float kerf) {
    for (std::size_t i = 0; i < v.size(); ++i)
        for (std::size_t j = 0; j < v.size() && v[i].qty != 0; ++j)
            if (j != i && v[j].qty != 0 && v[i].key == v[j].key) v[i].qty += v[j].qty, v[j].qty = 0;
    for (auto& r : v) r.length += kerf, r.width += kerf;
    const long n = static_cast<long>(v.size());
    for (long g = (n + 1) / 2; g > 0; --g) {
        const long blocks = std::lround(std::nearbyint(double(n + 1) / double(g))) - 1;
        for (long b = 0; b < blocks; ++b)
            for (long i = b * g; i < std::min(b * g + g, n - g); ++i)
                if (double(v[i + g].length) * v[i + g].width > double(v[i].length) * v[i].width)
                    std::swap(v[i], v[i + g]);
    }
}

struct Rect {
    double x1, y1, x2, y2;
};

bool overlap(const Rect& a, const Rect& b) {
    return std::min(a.x2, b.x2) - std::max(a.x1, b.x1) > kEps && std::min(a.y2, b.y2) - std::max(a.y1, b.y1) > kEps;
}

// Whether the rectangles can be separated by straight cuts running across their whole group.
bool guillotine(std::vector<Rect> rs) {
    if (rs.size() <= 1) return true;
    for (int axis = 0; axis < 2; ++axis) {
        auto lo = [axis](const Rect& r) { return axis == 0 ? r.x1 : r.y1; };
        auto hi = [axis](const Rect& r) { return axis == 0 ? r.x2 : r.y2; };
        std::sort(rs.begin(), rs.end(), [&](const Rect& a, const Rect& b) { return lo(a) < lo(b); });
        double reach = hi(rs[0]);
        for (std::size_t i = 1; i < rs.size(); ++i) {
            if (lo(rs[i]) >= reach - kEps)
                return guillotine(std::vector<Rect>(rs.begin(), rs.begin() + static_cast<long>(i))) &&
                       guillotine(std::vector<Rect>(rs.begin() + static_cast<long>(i), rs.end()));
            reach = std::max(reach, hi(rs[i]));
        }
    }
    return false;
}

struct Item {
    int layout, kind, sheet;
    double x1, y1, x2, y2, qty;
    int placement;
    Rect rect() const { return {x1, y1, x2, y2}; }
};

}  // namespace

std::string PlanCheck::summary() const {
    std::ostringstream out;
    for (std::size_t i = 0; i < problems.size() && i < 8; ++i) out << problems[i] << "\n";
    if (problems.size() > 8) out << "... " << problems.size() - 8 << " more\n";
    return out.str();
}

PlanCheck checkPlan(const std::string& basicText, const std::string& sheetText, const std::string& cutText,
                    bool coil, const std::string& planText) {
    PlanCheck check;
    auto problem = [&](const std::string& p) { check.problems.push_back(p); };

    const auto b = fields(lines(basicText).empty() ? std::string() : lines(basicText)[0]);
    const bool grain = !blankText(text(b, 1));
    const float blade = num(b, 3), tol = num(b, 4), kerf = num(b, 5), minOc = num(b, 6);

    std::vector<Row> stock, pieces;
    for (const auto& l : lines(sheetText)) {
        const auto f = fields(l);
        Row s{num(f, 0), num(f, 1), coil ? 9999999.0f : num(f, 2), num(f, 3), num(f, 4), num(f, 5), num(f, 6)};
        s.key = keyOf(f, {s.length, s.width, s.ml, s.mt, s.mr, s.mb}, {7});
        if (s.length - (s.mt + s.mb) > 0 && s.width - (s.ml + s.mr) > 0 && s.qty > 0 && blade >= s.width)
            stock.push_back(s);
    }
    for (const auto& l : lines(cutText)) {
        const auto f = fields(l);
        Row p{num(f, 0) - num(f, 6) - num(f, 8), num(f, 5) - num(f, 1) - num(f, 3), num(f, 10)};
        p.align = grain && !blankText(text(f, 11));
        p.key = keyOf(f, {p.length, p.width, float(p.align), num(f, 1), num(f, 3), num(f, 6), num(f, 8)},
                      {2, 4, 7, 9, 11, 12, 13, 14, 15, 16});
        if (p.length > 0 && p.width > 0 && p.qty > 0) pieces.push_back(p);
    }
    prepare(stock, kerf);
    prepare(pieces, kerf);

    std::vector<Item> items;
    for (const auto& l : lines(planText)) {
        const auto f = fields(l);
        if (f.size() != 9) problem("a plan line without nine fields: " + l);
        const auto whole = [&](std::size_t i) { return std::atoi(text(f, i).c_str()); };
        items.push_back(Item{whole(0), whole(1), whole(2), num(f, 3), num(f, 4), num(f, 5), num(f, 6), num(f, 7),
                             whole(8)});
    }
    if (items.empty()) problem("the plan is empty");

    std::vector<double> produced(pieces.size(), 0), sheetsUsed(stock.size(), 0);
    double sheetArea = 0, pieceArea = 0;
    for (std::size_t start = 0, end = 0; start < items.size(); start = end) {
        const Item& head = items[start];
        for (end = start + 1; end < items.size() && items[end].kind != -1;) ++end;
        const std::string name = "layout " + std::to_string(head.layout);
        if (head.kind != -1) problem(name + " does not begin with its sheet item");
        if (head.layout != check.layouts + 1) problem(name + " out of order");
        check.layouts = head.layout;
        if (head.sheet < 1 || head.sheet > static_cast<int>(stock.size())) {
            problem(name + " names a sheet that does not exist");
            continue;
        }
        const Row& s = stock[static_cast<std::size_t>(head.sheet - 1)];
        const double q = head.qty;
        if (q < 1 || q != std::floor(q)) problem(name + " is cut on a number of sheets that is not whole");
        sheetsUsed[static_cast<std::size_t>(head.sheet - 1)] += q;
        if (std::fabs(head.x1) > kEps || std::fabs(head.y1) > kEps || std::fabs(head.x2 - s.width) > kEps ||
            std::fabs(head.y2 - s.length) > kEps)
            problem(name + ": the sheet item is not the whole sheet");
        sheetArea += (head.x2 - head.x1) * (head.y2 - head.y1) * q;
        const Rect usable{s.ml, s.mt, s.width - s.mr, s.length - s.mb};
        auto inside = [&](const Rect& r) {
            return r.x1 >= usable.x1 - kEps && r.y1 >= usable.y1 - kEps && r.x2 <= usable.x2 + kEps &&
                   r.y2 <= usable.y2 + kEps;
        };

        std::vector<Rect> placed, offcuts;
        std::vector<Item> cuts;
        for (std::size_t i = start; i < end; ++i) {
            const Item& it = items[i];
            const std::string where = name + " line " + std::to_string(i + 1);
            if (it.layout != head.layout || it.sheet != head.sheet || it.qty != head.qty)
                problem(where + ": layout number, sheet or quantity differs from the sheet item's");
            if (it.kind >= 1) {
                if (it.kind > static_cast<int>(pieces.size())) {
                    problem(where + ": a cut-piece that does not exist");
                    continue;
                }
                const Row& p = pieces[static_cast<std::size_t>(it.kind - 1)];
                const double ex = it.x2 - it.x1, ey = it.y2 - it.y1;
                const double wantX = it.placement == 1 ? p.width : p.length;
                const double wantY = it.placement == 1 ? p.length : p.width;
                if (it.placement != 1 && it.placement != 2) problem(where + ": placement code not 1 or 2");
                if (ex > wantX + kEps || ex < wantX - tol - kEps || ey > wantY + kEps || ey < wantY - tol - kEps)
                    problem(where + ": piece size differs from its variety by more than the tolerance");
                if (p.align && it.placement != 1) problem(where + ": a piece that follows the grain is turned");
                if (!inside(it.rect())) problem(where + ": piece outside the usable area");
                produced[static_cast<std::size_t>(it.kind - 1)] += q;
                pieceArea += ex * ey * q;
                placed.push_back(it.rect());
            } else if (it.kind == -4) {
                const double ex = it.x2 - it.x1, ey = it.y2 - it.y1;
                if (ex > 0 && ey > 0 && (ex < minOc - kEps || ey < minOc - kEps))
                    problem(where + ": off-cut below the minimum off-cut");
                if (!inside(it.rect())) problem(where + ": off-cut outside the usable area");
                offcuts.push_back(it.rect());
            } else if (it.kind == -6) {
                cuts.push_back(it);
            } else if (it.kind != -2 && it.kind != -1) {
                problem(where + ": unexpected item kind " + std::to_string(it.kind));
            } else if (it.kind == -1 && i != start) {
                problem(where + ": a second sheet item");
            }
        }
        for (std::size_t a = 0; a < placed.size(); ++a) {
            for (std::size_t c = a + 1; c < placed.size(); ++c)
                if (overlap(placed[a], placed[c])) problem(name + ": two pieces overlap");
            for (const Rect& o : offcuts)
                if (overlap(placed[a], o)) problem(name + ": an off-cut overlaps a piece");
        }
        if (!guillotine(placed)) problem(name + ": the pieces cannot be cut by edge-to-edge cuts");
        for (const Item& c : cuts) {
            const bool across = c.y1 == c.y2;
            if (!across && c.x1 != c.x2) problem(name + ": a through cut that is not a straight line");
            if (across ? std::fabs(c.x1) > kEps || std::fabs(c.x2 - s.width) > kEps
                       : std::fabs(c.y1) > kEps || std::fabs(c.y2 - s.length) > kEps)
                problem(name + ": a through cut not across the whole sheet");
            for (const Rect& r : placed)
                if (across ? r.y1 < c.y1 - kEps && r.y2 > c.y1 + kEps : r.x1 < c.x1 - kEps && r.x2 > c.x1 + kEps)
                    problem(name + ": a through cut crosses a piece");
        }
    }

    for (std::size_t c = 0; c < pieces.size(); ++c)
        if (std::fabs(produced[c] - pieces[c].qty) > 1e-3)
            problem("cut-piece " + std::to_string(c + 1) + ": produced " + std::to_string(produced[c]) + ", ordered " +
                    std::to_string(pieces[c].qty));
    for (std::size_t s = 0; s < stock.size() && !coil; ++s)
        if (sheetsUsed[s] > stock[s].qty + 1e-3) problem("sheet " + std::to_string(s + 1) + ": more sheets used than in stock");
    check.yield = sheetArea > 0 ? pieceArea / sheetArea : 0;
    return check;
}

PlanCheck checkProjectPlan(const std::string& projectText, bool coil, const std::string& plan) {
    std::vector<std::string> sections(5);
    int section = -1;
    for (const auto& l : lines(projectText)) {
        if (l == "[END]") continue;
        if (!l.empty() && l.front() == '[' && l.back() == ']')
            ++section;
        else if (section >= 0 && section < 5)
            sections[static_cast<std::size_t>(section)] += l + "\r\n";
    }
    return checkPlan(sections[0], sections[2], sections[3], coil, plan);
}

}  // namespace veltrix::test
