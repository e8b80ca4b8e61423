// libFuzzer target for the point readers: any bytes as a file, and their
// text (when they have one) as a pasted table and as SIMA, through the
// corner readers and the book's. Every outcome must keep the promise of
// CornerSource and BookReading, and a book read must be written (SIMA and
// CSV) and read back as itself, the second writing giving the same bytes.
// Built and run by scripts/fuzz.sh.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "survey/bookfile.h"
#include "survey/cornerimport.h"
#include "survey/cp932.h"
#include "survey/text.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

// Valid UTF-8 (what decodeText takes unchanged; the dot keeps a byte order
// mark at the start from being dropped).
bool isUtf8(const std::string& s) { return survey::decodeText("." + s) == "." + s; }

bool allFinite(const std::vector<survey::Corner>& corners) {
    for (const survey::Corner& c : corners) {
        if (!std::isfinite(c.x) || !std::isfinite(c.y)) return false;
    }
    return true;
}

void check(const survey::CornerSource& r) {
    if (!r.error.empty()) {
        if (!r.corners.empty() || !r.parcels.empty()) fail("a refusal took corners");
        // Quoted lines are cut at a character, never inside one.
        if (!isUtf8(r.error)) fail("the message is not UTF-8 text");
        return;
    }
    if (r.corners.empty() && r.parcels.empty()) fail("nothing taken and no message");
    if (!r.corners.empty() && !r.parcels.empty()) fail("corners beside parcels");
    if (!allFinite(r.corners)) fail("a corner is not finite");
    for (const survey::SimaParcel& p : r.parcels) {
        if (!allFinite(p.corners)) fail("a parcel corner is not finite");
    }
}

void checkBook(const survey::BookReading& r) {
    if (!r.ok()) {
        if (!r.book.empty() || !r.book.title.empty()) fail("a refusal read a book");
        if (!isUtf8(r.error)) fail("the book's message is not UTF-8 text");
        if (r.columns && (r.columns->lines.empty() || r.columns->lines.size() > survey::kSampleLines))
            fail("open columns without their lines");
        return;
    }
    if (r.columns) fail("open columns beside a book");
    if (r.book.empty()) fail("no book and no message");
    survey::PointNumber last = 0;
    for (const survey::BookPoint& p : r.book.points()) {
        if (p.number <= last || p.number > survey::kMaxPointNumber) fail("point numbers out of order or range");
        last = p.number;
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || (p.z && !std::isfinite(*p.z))) fail("a point not finite");
    }
    for (const survey::BookParcel& parcel : r.book.parcels()) {
        if (parcel.number < 1) fail("a parcel number below 1");
        for (const survey::PointNumber c : parcel.corners) {
            if (!r.book.find(c)) fail("a corner that is no point of the book");
        }
    }
}

// Text as CP932 keeps it: look-alikes as their CP932 forms.
std::string stored(const std::string& text) { return survey::fromCp932(survey::toCp932(text).bytes).value(); }

// The book a file of that format gives back.
survey::PointBook asWritten(const survey::PointBook& book, bool csv) {
    survey::PointBook out;
    if (!csv) out.title = stored(book.title);
    for (survey::BookPoint p : book.points()) {
        p.name = stored(p.name);
        out.put(p);
    }
    if (csv) return out;
    for (survey::BookParcel parcel : book.parcels()) {
        parcel.name = stored(parcel.name);
        out.addParcel(parcel);
    }
    return out;
}

void roundTrip(const survey::PointBook& book, bool csv) {
    const auto write = csv ? survey::writeCsv : survey::writeSima;
    const survey::BookBytes first = write(book);
    if (!first.ok()) {
        const bool noPoints = csv && book.points().empty();
        if (first.offending.empty() && !noPoints) fail("a book read is refused for other than a character");
        return;
    }
    const survey::BookReading again = survey::readBook(first.bytes);
    if (!again.ok()) fail("what was written does not read back");
    if (again.book != asWritten(book, csv)) fail("what was written reads back as another book");
    if (write(again.book).bytes != first.bytes) fail("a second writing gives other bytes");
}

void readAndWrite(const survey::BookReading& r) {
    checkBook(r);
    if (!r.ok()) return;
    roundTrip(r.book, false);
    roundTrip(r.book, true);
}

// Roles for open columns, chosen by the input itself: X, Y and a number, a
// name or a Z among the rest.
survey::ColumnRoles rolesFor(const survey::TableSample& sample, std::size_t seed) {
    using R = survey::ColumnRole;
    const std::size_t n = sample.columns;
    survey::ColumnRoles roles(n, R::Ignore);
    const std::size_t x = seed % n;
    const std::size_t y = (x + 1 + seed / n % (n - 1)) % n;
    roles[x] = R::X;
    roles[y] = R::Y;
    const R others[] = {R::Number, R::Name, R::Z};
    for (std::size_t j = 0, k = seed / 7; j < n; ++j, ++k) {
        if (roles[j] == R::Ignore && k % 4 != 3) roles[j] = others[k % 4 % 3];
    }
    // One column a role: the later ones of a role are ignored.
    bool used[6] = {};
    for (R& r : roles) {
        if (r != R::Ignore && std::exchange(used[std::size_t(r)], true)) r = R::Ignore;
    }
    return roles;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(survey::readCornerFile(bytes));
    const survey::BookReading book = survey::readBook(bytes);
    readAndWrite(book);
    if (book.columns) {
        if (book.columns->columns < 3) fail("open columns of fewer than three");
        const survey::ColumnRoles roles = rolesFor(*book.columns, size);
        readAndWrite(survey::readBook(bytes, roles));
        check(survey::readCornerFile(bytes, roles));
    }
    const std::optional<std::string> text = survey::decodeText(bytes);
    if (!text) return 0;
    if (!isUtf8(*text)) fail("decoded text is not UTF-8 text");
    check(survey::readCornerTable(*text));
    check(survey::readSima(*text));
    const std::string ascii = survey::asciiNumberForm(*text);
    if (ascii.size() > text->size() || !isUtf8(ascii)) fail("number form broke the text");
    if (survey::asciiNumberForm(ascii) != ascii) fail("number form is not settled after one pass");
    return 0;
}
