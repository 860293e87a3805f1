#include "dxf/dxf_reader.h"

#include <cmath>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/file_ops.h"
#include "base/number_text.h"
#include "base/table_file.h"

namespace veltrix::dxf {

namespace {

// Walks the lines of the file. Lines keep their leading blanks (a group code is " 10", and
// "10" alone is not one) and lose trailing blanks.
class LineCursor {
public:
    LineCursor(std::vector<std::string> lines, std::string_view name) : lines_(std::move(lines)), name_(name) {
        for (std::string& l : lines_) {
            const auto end = l.find_last_not_of(" \t");
            l.erase(end == std::string::npos ? 0 : end + 1);
        }
    }

    bool atEnd() const { return pos_ >= lines_.size(); }
    const std::string& next() { return lines_[pos_++]; }
    void skipTo(std::size_t line) { pos_ = line; }
    const std::vector<std::string>& lines() const { return lines_; }

    // Reads lines until one equals `code`, then reads the next line as a number.
    double value(std::string_view code, std::string_view entity) {
        while (!atEnd()) {
            if (next() == code) {
                if (atEnd()) break;
                return leadingDouble(next());
            }
        }
        fail("ends before the value of group code \"" + std::string(code) + "\" of the " + std::string(entity));
    }
    [[noreturn]] void fail(const std::string& problem) const {
        throw InputError("The DXF file " + std::string(name_) + " " + problem + " (entity starting at line " +
                         std::to_string(entityLine_ + 1) + "); the outline cannot be used.");
    }
    void markEntity() { entityLine_ = pos_; }

private:
    std::vector<std::string> lines_;
    std::string_view name_;
    std::size_t pos_ = 0;
    std::size_t entityLine_ = 0;
};

struct Point {
    double x, y;
};

// Reads a POLYLINE up to its SEQEND into a chain of lines. The polyline is closed when a group
// 70 before the first vertex has its "closed" bit (1) set.
void readPolyline(LineCursor& in, EntityList& out) {
    bool closed = false;
    bool haveVertex = false;
    Point first{0, 0}, current{0, 0};
    while (!in.atEnd()) {
        const std::string& line = in.next();
        if (line == "SEQEND") {
            if (closed && haveVertex) out.push_back(Entity::line(current.x, current.y, first.x, first.y));
            return;
        }
        if (line == " 70" && !haveVertex) {
            // The bit of the whole part, for flags of any size (1e300 is even; a conversion to an
            // integer would not be defined for it).
            if (!in.atEnd()) closed = std::fmod(std::trunc(leadingDouble(in.next())), 2.0) != 0;
        } else if (line == "VERTEX") {
            const double x = in.value(" 10", "VERTEX");
            const double y = in.value(" 20", "VERTEX");
            if (haveVertex) out.push_back(Entity::line(current.x, current.y, x, y));
            else first = {x, y};
            current = {x, y};
            haveVertex = true;
        }
    }
    in.fail("ends inside a POLYLINE (no SEQEND)");
}

// Drops lines whose two ends are the same point and entities with a negative radius.
void clean(EntityList& list) {
    std::erase_if(list, [](const Entity& e) {
        if (e.r < 0) return true;
        return typeOf(e) == EntityType::Line && e.x1 == e.x2 && e.y1 == e.y2;
    });
}

}  // namespace

EntityList parseOutline(std::string_view text, std::string_view name) {
    LineCursor in(splitLines(text), name);

    // Block definitions come before the last ENDBLK; the entities to draw follow it.
    const auto& lines = in.lines();
    for (std::size_t i = lines.size(); i-- > 0;) {
        if (lines[i] == "ENDBLK") {
            in.skipTo(i + 1);
            break;
        }
    }

    EntityList list;
    while (!in.atEnd()) {
        in.markEntity();
        const std::string& line = in.next();
        if (line == "LINE") {
            Entity e;
            e.x1 = in.value(" 10", "LINE");
            e.y1 = in.value(" 20", "LINE");
            e.x2 = in.value(" 11", "LINE");
            e.y2 = in.value(" 21", "LINE");
            list.push_back(e);
        } else if (line == "ARC") {
            Entity e;
            e.cx = in.value(" 10", "ARC");
            e.cy = in.value(" 20", "ARC");
            e.r = in.value(" 40", "ARC");
            e.a1 = in.value(" 50", "ARC");
            e.a2 = in.value(" 51", "ARC");
            list.push_back(e);
        } else if (line == "CIRCLE") {
            Entity e;
            e.cx = in.value(" 10", "CIRCLE");
            e.cy = in.value(" 20", "CIRCLE");
            e.r = in.value(" 40", "CIRCLE");
            list.push_back(e);
        } else if (line == "POLYLINE") {
            readPolyline(in, list);
        }
    }

    clean(list);
    moveToOrigin(list);
    mirrorVertically(list);
    moveToOrigin(list);
    return list;
}

EntityList readOutline(const std::filesystem::path& file) {
    return parseOutline(readExistingFile(file), file.string());
}

}  // namespace veltrix::dxf
