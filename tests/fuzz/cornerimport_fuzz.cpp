// libFuzzer target for the corner readers: any bytes as a file, and their
// text (when they have one) as a pasted table and as SIMA. Every outcome
// must keep the promise of CornerSource. Built and run by scripts/fuzz.sh.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "survey/cornerimport.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(survey::readCornerFile(bytes));
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
