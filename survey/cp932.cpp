#include "survey/cp932.h"

#include <array>
#include <atomic>
#include <cstdint>

#include "survey/platform.h"
#include "survey/text.h"

namespace survey {

namespace {

// Characters that CP932 only has as a look-alike: JIS tables give the first,
// Windows' table the second. Text typed or pasted here may carry either.
char16_t cp932Form(char16_t c) {
    switch (c) {
        case 0x301C: return 0xFF5E;  // 〜 -> ～
        case 0x2212: return 0xFF0D;  // − -> －
        case 0x2016: return 0x2225;  // ‖ -> ∥
        case 0x00A5: return 0xFFE5;  // ¥ -> ￥
        case 0x2014: return 0x2015;  // — -> ―
        case 0x00A2: return 0xFFE0;  // ¢ -> ￠
        case 0x00A3: return 0xFFE1;  // £ -> ￡
        case 0x00AC: return 0xFFE2;  // ¬ -> ￢
        default: return c;
    }
}

// Not text, whatever a converter makes of them: the C1 control codes, and
// the private-use characters that Windows keeps for the single bytes 0xA0
// and 0xFD to 0xFF.
bool neverStored(char16_t c) { return (c >= 0x80 && c <= 0x9F) || (c >= 0xF8F0 && c <= 0xF8F3); }

// What each character of the BMP becomes, looked up once: 0 not yet known,
// kRefused, or kKnown | length << 16 | the one or two bytes.
constexpr std::uint32_t kKnown = 1u << 24;
constexpr std::uint32_t kRefused = 1u << 25;
std::array<std::atomic<std::uint32_t>, 0x10000> codes{};

std::uint32_t lookUp(char16_t c) {
    const std::optional<std::string> bytes = platform::toCodePage932(std::u16string_view(&c, 1));
    if (!bytes || bytes->empty() || bytes->size() > 2) return kRefused;
    // Only what reads back as the very same character is stored.
    const std::optional<std::u16string> back = platform::fromCodePage932(*bytes);
    if (!back || *back != std::u16string_view(&c, 1)) return kRefused;
    std::uint32_t code = kKnown | std::uint32_t(bytes->size()) << 16;
    for (const char b : *bytes) code = (code & ~0xFFFFu) | ((code & 0xFFu) << 8) | static_cast<unsigned char>(b);
    return code;
}

std::uint32_t codeOf(char16_t c) {
    std::atomic<std::uint32_t>& slot = codes[c];
    std::uint32_t code = slot.load(std::memory_order_relaxed);
    if (code == 0) {
        code = neverStored(c) ? kRefused : lookUp(c);
        slot.store(code, std::memory_order_relaxed);
    }
    return code;
}

Cp932 refusal(char32_t cp) {
    Cp932 r;
    appendUtf8(r.offending, cp);
    return r;
}

}  // namespace

Cp932 toCp932(std::string_view utf8) {
    Cp932 r;
    r.bytes.reserve(utf8.size());
    for (std::size_t i = 0; i != utf8.size();) {
        const std::size_t run = asciiRunEnd(utf8, i);
        r.bytes.append(utf8, i, run - i);
        i = run;
        if (i == utf8.size()) break;
        // Bytes that are not UTF-8 read as U+FFFD, which CP932 cannot store.
        const char32_t cp = nextCodePoint(utf8, i);
        if (cp > 0xFFFF) return refusal(cp);  // CP932 stops at the BMP
        const std::uint32_t code = codeOf(cp932Form(char16_t(cp)));
        if (code & kRefused) return refusal(cp);
        if (((code >> 16) & 0xFF) == 2) r.bytes += char((code >> 8) & 0xFF);
        r.bytes += char(code & 0xFF);
    }
    r.ok = true;
    return r;
}

std::optional<std::string> fromCp932(std::string_view bytes) {
    const std::optional<std::u16string> units = platform::fromCodePage932(bytes);
    if (!units) return std::nullopt;
    std::string out;
    out.reserve(units->size() * 3);
    for (std::size_t i = 0; i < units->size(); ++i) {
        char32_t cp = (*units)[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units->size() && (*units)[i + 1] >= 0xDC00 &&
            (*units)[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + ((*units)[++i] - 0xDC00);
        }
        appendUtf8(out, cp);
    }
    return out;
}

std::string codePointLabel(std::string_view utf8) {
    if (utf8.empty()) return {};
    std::size_t i = 0;
    const char32_t cp = nextCodePoint(utf8, i);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string label;
    for (int shift = 20; shift >= 0; shift -= 4) {
        if ((cp >> shift) != 0 || shift < 16) label += kHex[(cp >> shift) & 0xF];
    }
    return label;
}

}  // namespace survey
