#include "reports/saw_instructions.h"

#include <chrono>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <thread>

#include "engine/loaded_result.h"
#include "keys/key_events.h"
#include "keys/key_sender.h"
#include "base/number_text.h"

namespace veltrix::reports {
namespace {

// Coordinates are single precision; two of them closer than this are the same line.
constexpr float kTolerance = 0.001F;

bool same(float a, float b) { return std::fabs(a - b) <= kTolerance; }

struct Rect {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The near and far edge of a rectangle across a line: its y extent for a horizontal line, its x
// extent for a vertical one.
float nearEdge(const Rect& r, bool horizontal) { return horizontal ? r.y1 : r.x1; }
float farEdge(const Rect& r, bool horizontal) { return horizontal ? r.y2 : r.x2; }

// One strip of the sheet still to be divided: the net rectangles (pieces and off-cuts) lying in
// it, the part of the sheet it stands for, and its stage.
struct Group {
    std::vector<Rect> rects;
    Rect part;
    Rect box;        // (0, 0, largest x2, largest y2) once normalised
    int level = 0;   // the code of the last cut made in it or in the strip it came from
    bool past = false;  // it comes from a cut past the saw's last stage
};

struct Cut {
    bool horizontal = false;
    float at = 0;
};

class Builder {
public:
    Builder(float kerf, std::vector<CutInstruction>& rows) : kerf_(kerf), rows_(rows) {}

    // Divides the strips depth first, lower or left part first, listing every cut.
    bool run(Group first) {
        std::vector<Group> work;
        work.push_back(std::move(first));
        for (std::size_t i = 0; i < work.size(); ++i) {
            normalise(work[i], i == 0);
            if (i == 0) {
                sheetWidth_ = work[0].box.x2;
                sheetHeight_ = work[0].box.y2;
            }
            if (work[i].rects.size() == 1) {
                cutToSize(work[i]);
                continue;
            }
            const auto cut = findCut(work[i]);
            if (!cut) continue;
            list(work[i], *cut);
            auto [low, high] = split(work[i], *cut);
            std::size_t at = i + 1;
            for (Group* part : {&low, &high})
                if (!part->rects.empty()) work.insert(work.begin() + static_cast<std::ptrdiff_t>(at++), std::move(*part));
        }
        return pastLastStage_;
    }

private:
    // Moves the group so that its first rectangle's lower-left corner lies at 0, 0.
    void normalise(Group& g, bool first) {
        const float dx = g.rects.front().x1;
        const float dy = g.rects.front().y1;
        for (Rect& r : g.rects) {
            r.x1 -= dx;
            r.y1 -= dy;
            r.x2 -= dx;
            r.y2 -= dy;
        }
        g.box = Rect{0, 0, g.rects.front().x2, g.rects.front().y2};
        for (const Rect& r : g.rects) {
            g.box.x2 = std::max(g.box.x2, r.x2);
            g.box.y2 = std::max(g.box.y2, r.y2);
        }
        if (first) {
            g.part = g.box;
        } else {
            g.part.x1 -= dx;
            g.part.y1 -= dy;
            g.part.x2 -= dx;
            g.part.y2 -= dy;
        }
    }

    // A rectangle lying wholly in the kerf of the cut at `c`: the saw takes it away.
    bool inKerf(const Rect& r, bool horizontal, float c) const {
        return nearEdge(r, horizontal) >= c - kTolerance && farEdge(r, horizontal) <= c + kerf_ + kTolerance;
    }

    // Whether the line at `c` is a through cut of the group: inside its box, crossing no
    // rectangle (the kerf included), with a rectangle before it.
    bool throughCut(const Group& g, bool horizontal, float c) const {
        if (!(c > kTolerance && c < farEdge(g.box, horizontal) - kTolerance)) return false;
        bool before = false;
        for (const Rect& r : g.rects) {
            if (inKerf(r, horizontal, c)) continue;
            const float lo = nearEdge(r, horizontal);
            if (lo < c + kerf_ - kTolerance && farEdge(r, horizontal) > c + kTolerance) return false;
            if (lo < c - kTolerance) before = true;
        }
        return before;
    }

    // The first through cut: at the far edge of a rectangle reaching the box's side, across
    // first, then along; failing those, at any rectangle's top edge, then any right edge.
    std::optional<Cut> findCut(const Group& g) const {
        for (const Rect& r : g.rects)
            if (same(r.x2, g.box.x2) && r.y2 < g.box.y2 - kTolerance && throughCut(g, true, r.y2))
                return Cut{true, r.y2};
        for (const Rect& r : g.rects)
            if (same(r.y2, g.box.y2) && r.x2 < g.box.x2 - kTolerance && throughCut(g, false, r.x2))
                return Cut{false, r.x2};
        for (const Rect& r : g.rects)
            if (r.y2 < g.box.y2 - kTolerance && throughCut(g, true, r.y2)) return Cut{true, r.y2};
        for (const Rect& r : g.rects)
            if (r.x2 < g.box.x2 - kTolerance && throughCut(g, false, r.x2)) return Cut{false, r.x2};
        return std::nullopt;
    }

    // The stage of a cut in the group: a cut across the whole sheet width is a rip cut, along
    // the whole sheet length a head cut; otherwise the next stage in the cut's direction.
    static int nextLevel(int level, bool horizontal, bool fullSize) {
        if (horizontal) {
            if (fullSize) return 4;
            switch (level) {
            case 1: return 2;
            case 3: return 7;
            case 5: return 6;
            default: return level;
            }
        }
        if (fullSize) return 1;
        switch (level) {
        case 2: return 3;
        case 4: return 5;
        case 6: return 8;
        case 7: return 9;
        default: return level;
        }
    }

    // Classifies the cut, rounds its position and lists it (a repeat of the last row when equal).
    void list(Group& g, const Cut& cut) {
        const bool fullSize = cut.horizontal ? same(g.box.x2, sheetWidth_) : same(g.box.y2, sheetHeight_);
        const int level = nextLevel(g.level, cut.horizontal, fullSize);
        // A cut across a strip of the last stage (Recut W) needs a stage the saw does not have.
        if (cut.horizontal && (g.level == 8 || g.level == 9) && (level == 8 || level == 9)) g.past = true;
        g.level = level;
        if (g.past) pastLastStage_ = true;
        const int code = g.past ? kPastLastStage : level;
        const float position = roundPosition(cut.at);
        if (!rows_.empty() && rows_.back().code == code && rows_.back().position == position) ++rows_.back().repeat;
        else rows_.push_back(CutInstruction{code, position, 1});
    }

    // A whole number: a fraction of one half or less is dropped, a larger one rounds up.
    static float roundPosition(float value) {
        const double whole = std::floor(static_cast<double>(value));
        const double fraction = static_cast<double>(value) - whole;
        if (fraction == 0) return value;
        return static_cast<float>(fraction <= 0.5 ? whole : whole + 1);
    }

    // The two groups on either side of the cut; rectangles in its kerf join neither.
    std::pair<Group, Group> split(const Group& g, const Cut& cut) const {
        Group low, high;
        low.level = high.level = g.level;
        low.past = high.past = g.past;
        low.part = high.part = g.part;
        if (cut.horizontal) {
            low.part.y2 = cut.at;
            high.part.y1 = cut.at + kerf_;
        } else {
            low.part.x2 = cut.at;
            high.part.x1 = cut.at + kerf_;
        }
        for (const Rect& r : g.rects) {
            if (inKerf(r, cut.horizontal, cut.at)) continue;
            (nearEdge(r, cut.horizontal) >= cut.at - kTolerance ? high : low).rects.push_back(r);
        }
        return {std::move(low), std::move(high)};
    }

    // A lone rectangle in a larger part of the sheet is cut out of it: across at its top when it
    // sits at the part's lower edge, then along at its right side when it sits at the left edge.
    void cutToSize(Group& g) {
        const Rect r = g.rects.front();
        for (;;) {
            if (same(r.y1, g.part.y1) && r.y2 < g.part.y2 - kTolerance) {
                list(g, Cut{true, r.y2});
                g.part.y2 = r.y2;
            } else if (same(r.x1, g.part.x1) && r.x2 < g.part.x2 - kTolerance) {
                list(g, Cut{false, r.x2});
                g.part.x2 = r.x2;
            } else {
                return;
            }
        }
    }

    float kerf_;
    std::vector<CutInstruction>& rows_;
    float sheetWidth_ = 0;
    float sheetHeight_ = 0;
    bool pastLastStage_ = false;
};

void addTransfer(SawInstructions& saw) {
    auto& t = saw.transfer;
    const auto send = [&t](std::string keys) { t.push_back(TransferStep::send(std::move(keys))); };
    const auto wait = [&t](int seconds) { t.push_back(TransferStep::pause(seconds)); };
    // Into the cutting-program screen.
    send("{f11}");
    send("{ESC}");
    send("{f7}");
    wait(7);
    send("{f2}");
    send("n");
    wait(3);
    send("{F3}");
    wait(3);
    // The sheet.
    for (const std::string& value : {saw.length, saw.width, saw.thickness}) {
        send(value);
        send("{enter}");
    }
    send("{enter}");
    send(saw.trim);
    for (int i = 0; i < 4; ++i) send("{enter}");
    // The cuts.
    for (const CutInstruction& row : saw.rows) {
        send(std::to_string(row.code));
        send("{enter}");
        send(generalText(row.position));
        send("{enter}");
        send(std::to_string(row.repeat));
        send("{enter}");
    }
    // Stored, then the number of sheets.
    send("{f5}");
    wait(7);
    send("+{tab}");
    send(saw.sheets);
    send("{enter}");
    send("{enter}");
}

}  // namespace

std::string cutCodeName(int code) {
    switch (code) {
    case 1: return "Head Cut";
    case 2: return "Rip in Head";
    case 3: return "Cross in Head";
    case 4: return "Rip Cut";
    case 5: return "Cross Cut";
    case 6: return "Recut Z";
    case 7: return "Recut Z in Head";
    case 8: return "Recut W";
    case 9: return "Recut W in Head";
    case kPastLastStage: return "Past last stage";
    default: return {};
    }
}

SawInstructions buildSawInstructions(const engine::LoadedResult& result, int layout) {
    if (layout < 1 || layout > result.layoutCount())
        throw std::out_of_range("layout " + std::to_string(layout) + " is not in the result");
    const float kerf = result.job.basic.kerf;
    SawInstructions saw;
    saw.layout = layout;
    saw.thickness = generalText(result.job.basic.thickness);
    saw.material = result.job.basic.material;

    float trim = 0;
    bool marginSeen = false;
    Group first;
    std::vector<Rect> rects;
    for (const LayoutItem& item : result.layout(layout)) {
        if (item.kind == ItemKind::Sheet) {
            saw.length = generalText(item.y2 - item.y1 - kerf);
            saw.width = generalText(item.x2 - item.x1 - kerf);
            saw.sheets = generalText(item.quantity);
        } else if (item.kind == ItemKind::Margin && !marginSeen) {
            marginSeen = true;
            trim = item.x2 - item.x1 == 0 ? 0.0F : item.x2 - item.x1 - kerf;
        } else if (item.isPiece() || item.kind == ItemKind::Offcut) {
            // An off-cut without area (a coil stretch cut back to the length it uses ends in one)
            // is nothing to saw; taken as a rectangle it would cross every cut of its strip.
            if (item.kind == ItemKind::Offcut && (same(item.x1, item.x2) || same(item.y1, item.y2))) continue;
            rects.push_back(Rect{item.x1, item.y1, item.x2, item.y2});
        }
    }
    saw.trim = generalText(trim);
    if (trim < 0) {
        saw.trim = "0";
        saw.messages.emplace_back(kTrimErrorMessage);
        saw.transferEnabled = false;
    }
    // The net parts: off the trim, then without the kerf that each item includes.
    for (Rect& r : rects) {
        r.x1 -= trim;
        r.y1 -= trim;
        r.x2 -= trim;
        r.y2 -= trim;
        r.x2 -= kerf;
        r.y2 -= kerf;
    }
    if (!rects.empty()) {
        first.rects = std::move(rects);
        if (Builder(kerf, saw.rows).run(std::move(first))) {
            saw.messages.emplace_back(kPastLastStageMessage);
            saw.transferEnabled = false;
        }
    }
    addTransfer(saw);
    return saw;
}

GridTable controllerGrid(const SawInstructions& saw) {
    GridTable grid({"CODE", "POSITION", "REPEAT", "DESCRIP"});
    grid.setRowCount(static_cast<int>(saw.rows.size()) + 2);
    for (std::size_t i = 0; i < saw.rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const CutInstruction& cut = saw.rows[i];
        grid.setCell(row, 1, std::to_string(cut.code));
        grid.setCell(row, 2, generalText(cut.position));
        grid.setCell(row, 3, std::to_string(cut.repeat));
        grid.setCell(row, 4, cutCodeName(cut.code));
    }
    grid.renumber();
    return grid;
}

std::string controllerTableText(const SawInstructions& saw) { return controllerGrid(saw).saveText(); }

std::string sawInstructionListing(const SawInstructions& saw, bool events) {
    std::string out;
    const auto line = [&out](std::initializer_list<std::string_view> fields) {
        bool firstField = true;
        for (std::string_view field : fields) {
            if (!firstField) out += '\t';
            out += field;
            firstField = false;
        }
        out += '\n';
    };
    line({"LENGTH", saw.length});
    line({"WIDTH", saw.width});
    line({"THICKNESS", saw.thickness});
    line({"SHEETS", saw.sheets});
    line({"TRIM", saw.trim});
    line({"TRIMZW", saw.trimZW});
    line({"REST", saw.rest});
    for (const std::string& message : saw.messages) line({"MESSAGE", message});
    line({"ROW", "CODE", "POSITION", "REPEAT", "DESCRIP"});
    for (std::size_t i = 0; i < saw.rows.size(); ++i) {
        const CutInstruction& cut = saw.rows[i];
        line({std::to_string(i + 1), std::to_string(cut.code), generalText(cut.position), std::to_string(cut.repeat),
              cutCodeName(cut.code)});
    }
    if (!saw.transferEnabled) {
        line({"TRANSFER", "OFF"});
        return out;
    }
    line({"TRANSFER"});
    for (const TransferStep& step : saw.transfer) {
        if (step.wait) {
            line({"WAIT", std::to_string(step.waitSeconds)});
            continue;
        }
        line({"SEND", step.keys});
        if (events)
            for (const keys::KeyEvent& event : keys::parseKeyString(step.keys)) line({"", keys::eventText(event)});
    }
    return out;
}

std::string sawInstructionListing(const engine::LoadedResult& result, int layout, bool events) {
    return sawInstructionListing(buildSawInstructions(result, layout), events);
}

std::string transferOffMessage(const SawInstructions& saw) {
    return saw.messages.empty() ? std::string() : saw.messages.back();
}

std::optional<std::string> transferToController(const SawInstructions& saw, keys::KeySender& sender,
                                                const TransferOptions& options) {
    if (!saw.transferEnabled) return transferOffMessage(saw);
    const auto pump = [&options] {
        if (options.processEvents) options.processEvents();
    };
    if (!sender.activateWindow(kControllerWindowTitle)) return std::string(kControllerNotReadyMessage);
    try {
        for (const TransferStep& step : saw.transfer) {
            if (!step.wait) {
                keys::sendKeys(sender, step.keys);
                pump();
            } else if (options.waits) {
                const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(step.waitSeconds);
                while (std::chrono::steady_clock::now() < end) {
                    pump();
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                }
            }
        }
    } catch (const keys::KeySendError&) {
        return std::string(kControllerNotReadyMessage);
    }
    return std::nullopt;
}

}  // namespace veltrix::reports
