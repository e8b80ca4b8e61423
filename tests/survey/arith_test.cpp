#include "survey/arith.h"
#include "survey/record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>

using namespace survey;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

double dc() { return degreeConstant(); }

::testing::AssertionResult dmsIs(const Dms& got, int d, int m, int s) {
    if (got.d == d && got.m == m && got.s == s) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << got.d << " " << got.m << " " << got.s << ", want " << d << " "
                                         << m << " " << s;
}

}  // namespace

TEST(ReadingTypedText, LeadingNumberTakesWhatFitsAndNeverFails) {
    EXPECT_EQ(leadingNumber("12abc"), 12.0);
    EXPECT_EQ(leadingNumber("abc"), 0.0);
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber(" -3.5e2x"), -350.0);
    EXPECT_EQ(leadingNumber("\t+7"), 7.0);
    EXPECT_EQ(leadingNumber("\xE3\x80\x80"
                            "131.0130"),
              131.013);  // ideographic space
    EXPECT_EQ(leadingNumber("-"), 0.0);
    EXPECT_EQ(leadingNumber("."), 0.0);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("5."), 5.0);
    EXPECT_EQ(leadingNumber("1.2.3"), 1.2);
    EXPECT_EQ(leadingNumber("1e"), 1.0);
    EXPECT_EQ(leadingNumber("1e+"), 1.0);
    EXPECT_EQ(leadingNumber("2E-3m"), 0.002);
    EXPECT_EQ(leadingNumber("1 2"), 1.0);
    EXPECT_EQ(leadingNumber("0x1A"), 0.0);
    EXPECT_EQ(leadingNumber("inf"), 0.0);
    EXPECT_EQ(leadingNumber("nan"), 0.0);
    EXPECT_EQ(leadingNumber("１２"), 0.0);  // full-width digits are not digits
    EXPECT_EQ(leadingNumber("1,5"), 1.0);   // the decimal point is always '.'
    EXPECT_EQ(leadingNumber("1e400"), kInf);
    EXPECT_EQ(leadingNumber("-1e400"), -kInf);
    EXPECT_EQ(leadingNumber(std::string(400, '9')), kInf);
    EXPECT_EQ(leadingNumber("1e-400"), 0.0);
    EXPECT_EQ(leadingNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(leadingNumber("0e999999999999999999999"), 0.0);
    EXPECT_FALSE(std::signbit(leadingNumber("-0")));
}

TEST(ReadingTypedText, StrictNumberWantsTheWholeText) {
    EXPECT_EQ(strictNumber(" 0 "), 0.0);
    EXPECT_EQ(strictNumber("-12.5"), -12.5);
    EXPECT_EQ(strictNumber("\xE3\x80\x80"
                           "3e2\t\xE3\x80\x80"),
              300.0);
    EXPECT_EQ(strictNumber(".5"), 0.5);
    EXPECT_FALSE(strictNumber("12abc"));
    EXPECT_FALSE(strictNumber("-"));
    EXPECT_FALSE(strictNumber("."));
    EXPECT_FALSE(strictNumber(""));
    EXPECT_FALSE(strictNumber("   "));
    EXPECT_FALSE(strictNumber("１２"));
    EXPECT_FALSE(strictNumber("1e"));
    EXPECT_FALSE(strictNumber("1 2"));
    EXPECT_FALSE(strictNumber("1,5"));
    EXPECT_FALSE(strictNumber("1e400"));
    EXPECT_FALSE(strictNumber("-1e400"));
}

TEST(Rounding, HalvesGoToTheEvenDigitOfTheDecimalValue) {
    EXPECT_EQ(roundHalfEven(2.5, 0), 2.0);
    EXPECT_EQ(roundHalfEven(3.5, 0), 4.0);
    EXPECT_EQ(roundHalfEven(0.0005, 3), 0.0);
    EXPECT_EQ(roundHalfEven(0.0015, 3), 0.002);
    EXPECT_EQ(roundHalfEven(1.0005, 3), 1.0);
    EXPECT_EQ(roundHalfEven(0.125, 2), 0.12);  // an exact binary half
    EXPECT_EQ(roundHalfEven(0.375, 2), 0.38);
    EXPECT_EQ(roundHalfEven(2.675, 2), 2.68);            // binary value just below the half
    EXPECT_EQ(roundHalfEven(2.665, 2), 2.66);            // binary value just above the half
    EXPECT_EQ(roundHalfEven(0.1 + 0.2 + 0.05, 1), 0.4);  // computed 0.35 with error
    // Clearly off the half: ordinary nearest rounding.
    EXPECT_EQ(roundHalfEven(2.6749999, 2), 2.67);
    EXPECT_EQ(roundHalfEven(2.6650001, 2), 2.67);
    EXPECT_EQ(roundHalfEven(100.1234999, 3), 100.123);
    EXPECT_EQ(roundHalfEven(141.4213562373095, 3), 141.421);
    EXPECT_EQ(roundHalfEven(0.4999, 0), 0.0);
    EXPECT_EQ(roundHalfEven(59.964, 0), 60.0);
    EXPECT_EQ(roundHalfEven(0.1234567890123456, 15), 0.123456789012346);
}

TEST(Rounding, SignZeroLargeAndNonFinite) {
    EXPECT_EQ(roundHalfEven(-2.5, 0), -2.0);
    EXPECT_EQ(roundHalfEven(-3.5, 0), -4.0);
    EXPECT_EQ(roundHalfEven(-0.0015, 3), -0.002);
    EXPECT_EQ(roundHalfEven(-2.675, 2), -2.68);
    const double zeros[] = {roundHalfEven(-0.0004, 3), roundHalfEven(-0.0, 2), roundHalfEven(-0.5, 0),
                            truncateTo(-0.00001, 4), truncateTo(-0.0, 0)};
    for (double z : zeros) {
        EXPECT_EQ(z, 0.0);
        EXPECT_FALSE(std::signbit(z));
    }
    const double big = 4503599627370497.0;  // 2^52 + 1
    EXPECT_EQ(roundHalfEven(big, 0), big);
    EXPECT_EQ(roundHalfEven(1e300, 15), 1e300);
    EXPECT_EQ(roundHalfEven(-123456.7890123456, 15), -123456.7890123456);
    EXPECT_EQ(roundHalfEven(kInf, 3), kInf);
    EXPECT_EQ(roundHalfEven(-kInf, 3), -kInf);
    EXPECT_TRUE(std::isnan(roundHalfEven(std::nan(""), 3)));
    EXPECT_EQ(truncateTo(-kInf, 3), -kInf);
    EXPECT_EQ(truncateTo(1e300, 4), 1e300);
}

TEST(Rounding, TruncationGoesTowardZeroAndSnapsToTheNextStep) {
    EXPECT_EQ(truncateTo(0.29, 2), 0.29);
    EXPECT_EQ(truncateTo(0.57, 2), 0.57);
    EXPECT_EQ(truncateTo(1.23456789, 4), 1.2345);
    EXPECT_EQ(truncateTo(-1.23456789, 4), -1.2345);
    EXPECT_EQ(truncateTo(2.9999, 0), 2.0);
    EXPECT_EQ(truncateTo(-2.9999, 0), -2.0);
    EXPECT_EQ(truncateTo(0.1 * 3, 1), 0.3);                                        // 0.30000000000000004
    EXPECT_EQ(truncateTo(std::nextafter(std::nextafter(1.0, 0.0), 0.0), 4), 1.0);  // 2 ulps short
    EXPECT_EQ(truncateTo(1.0 - 1e-12, 4), 0.9999);
}

namespace {

struct DecimalsRow {
    double v;
    int n;
    double want;
};

}  // namespace

TEST(Rounding, RightAtEveryMagnitude) {
    const DecimalsRow rows[] = {
        {923456789012.347, 3, 923456789012.347},   // no fourth decimal to round
        {987654321098.7654, 3, 987654321098.765},  // below the half, not at it
        {45035996273.70497, 4, 45035996273.705},
        {1000000000000000.5, 0, 1e15},  // a half, to the even side
        {1000000000000001.5, 0, 1000000000000002.0},
        {4503599627370495.5, 0, 4503599627370496.0},
        {2.5000000000000004, 0, 2.0},  // computed seconds, a few ulps off 2.5
        {2.6749999999999998, 2, 2.68},
        {0.0000000000000005, 15, 0.0},
        {0.0000000000000015, 15, 0.000000000000002},
        {-923456789012.347, 3, -923456789012.347},
    };
    for (const DecimalsRow& r : rows) {
        EXPECT_EQ(roundHalfEven(r.v, r.n), r.want) << r.v << " at " << r.n;
    }

    // A typed value with at most n decimals comes back as it is, at any size.
    const std::string digits = "923456789012345";
    for (std::size_t whole = 1; whole < digits.size(); ++whole) {
        const std::string text = digits.substr(0, whole) + "." + digits.substr(whole);
        const double v = leadingNumber(text);
        const int n = int(digits.size() - whole);
        EXPECT_EQ(roundHalfEven(v, n), v) << text;
        EXPECT_EQ(truncateTo(v, n), v) << text;
        EXPECT_EQ(roundHalfEven(v, n + 3), v) << text;
    }
}

TEST(Rounding, TruncationRightAtEveryMagnitude) {
    const DecimalsRow rows[] = {
        {2e15, 0, 2e15},
        {3e14, 1, 3e14},
        {1234567890123.4567, 3, 1234567890123.456},
        {999999999999.9999, 3, 999999999999.999},
        {123456789012345.6, 0, 123456789012345.0},
        {-2e15, 0, -2e15},
    };
    for (const DecimalsRow& r : rows) {
        EXPECT_EQ(truncateTo(r.v, r.n), r.want) << r.v << " at " << r.n;
    }
}

TEST(PackedAngles, EveryWholeSecondSplitsAsTyped) {
    long mismatches = 0;
    std::string first;
    char text[32];
    for (int d = 0; d < 360; ++d) {
        for (int mm = 0; mm < 60; ++mm) {
            for (int ss = 0; ss < 60; ++ss) {
                std::snprintf(text, sizeof text, "%d.%02d%02d", d, mm, ss);
                const PackedAngle p = splitPacked(leadingNumber(text));
                const double want = d + mm / 60.0 + ss / 3600.0;
                const double got = p.decimalDegrees();
                const bool ok = p.degrees == d && p.minutes == mm && p.seconds == ss &&
                                std::fabs(got - want) <= 4e-15 * std::max(1.0, want);
                if (!ok && mismatches++ == 0) {
                    first = std::string(text) + " -> " + std::to_string(p.degrees) + " " + std::to_string(p.minutes) +
                            " " + std::to_string(p.seconds);
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0) << "first: " << first;
}

TEST(PackedAngles, ExamplesSignsAndOverflowingPlaces) {
    EXPECT_DOUBLE_EQ(packedToDegrees(131.0130), 131.025);
    EXPECT_DOUBLE_EQ(packedToDegrees(0.0100), 1.0 / 60.0);
    EXPECT_EQ(packedToDegrees(90.0), 90.0);
    EXPECT_EQ(packedToDegrees(45.3), 45.5);

    const PackedAngle n = splitPacked(-45.3);
    EXPECT_EQ(n.degrees, -45.0);
    EXPECT_EQ(n.minutes, -30.0);
    EXPECT_EQ(n.seconds, 0.0);
    EXPECT_EQ(n.decimalDegrees(), -45.5);
    const PackedAngle small = splitPacked(-0.3015);
    EXPECT_EQ(small.degrees, 0.0);
    EXPECT_EQ(small.minutes, -30.0);
    EXPECT_EQ(small.seconds, -15.0);

    const PackedAngle sixty = splitPacked(45.6);
    EXPECT_EQ(sixty.minutes, 60.0);
    EXPECT_EQ(packedToDegrees(45.6), 46.0);
    EXPECT_EQ(splitPacked(10.0075).seconds, 75.0);

    // Fractions of a second keep their typed digits.
    EXPECT_DOUBLE_EQ(splitPacked(45.30001).seconds, 0.1);
    EXPECT_DOUBLE_EQ(splitPacked(12.345678).seconds, 56.78);

    EXPECT_EQ(degreeConstant(), 57.29577951308232);
}

TEST(Directions, QuadrantsAxesAndCoincidentPoints) {
    EXPECT_DOUBLE_EQ(directionAngle(0, 0, 100, 100, dc()), 45.0);
    EXPECT_DOUBLE_EQ(directionAngle(0, 0, -100, 100, dc()), 135.0);
    EXPECT_DOUBLE_EQ(directionAngle(0, 0, -100, -100, dc()), 225.0);
    EXPECT_DOUBLE_EQ(directionAngle(0, 0, 100, -100, dc()), 315.0);

    const double north = directionAngle(0, 0, 100, 0, dc());
    EXPECT_GT(north, 0.0);
    EXPECT_LT(north, 1e-16);
    EXPECT_EQ(directionAngle(0, 0, 0, 100, dc()), 90.0);
    EXPECT_EQ(directionAngle(0, 0, -100, 0, dc()), 180.0);
    EXPECT_EQ(directionAngle(0, 0, 0, -100, dc()), 270.0);
    EXPECT_DOUBLE_EQ(directionAngle(5, 5, 5, 5, dc()), 45.0);
    EXPECT_TRUE(dmsIs(toDms(north), 0, 0, 0));
    EXPECT_TRUE(dmsIs(toDms(directionAngle(5, 5, 5, 5, dc())), 45, 0, 0));

    // A hair west of north: the arctangent plus 360 rounds to 360, which is 0.
    const double nearly = directionAngle(0, 0, 100, -1e-14, dc());
    EXPECT_GE(nearly, 0.0);
    EXPECT_LT(nearly, 360.0);

    // Every result lies in [0, 360).
    for (int i = 0; i < 360; ++i) {
        const double a = i / dc();
        const double t = directionAngle(10, 20, 10 + 50 * std::cos(a), 20 + 50 * std::sin(a), dc());
        EXPECT_GE(t, 0.0);
        EXPECT_LT(t, 360.0);
        EXPECT_NEAR(t, i == 0 ? 0.0 : i, 1e-9) << i;
    }
}

TEST(Distances, RoundedToMillimetresAndOverflowIsInfinity) {
    EXPECT_EQ(pointDistance(0, 0, 3, 4), 5.0);
    EXPECT_EQ(pointDistance(0, 0, 100, 100), 141.421);
    EXPECT_EQ(pointDistance(-1, -1, 0, 0), 1.414);
    EXPECT_EQ(pointDistance(7, 7, 7, 7), 0.0);
    EXPECT_EQ(pointDistance(0, 0, 0.0005, 0), 0.0);
    EXPECT_EQ(pointDistance(0, 0, 0.0015, 0), 0.002);
    EXPECT_EQ(pointDistance(-1e308, 0, 1e308, 0), kInf);
    EXPECT_EQ(pointDistance(0, -1e308, 0, 1e308), kInf);
    EXPECT_EQ(pointDistance(-1e308, -1e308, 1e308, 1e308), kInf);
    // Squares overflow but the distance fits.
    EXPECT_DOUBLE_EQ(pointDistance(0, 0, 3e200, 4e200), 5e200);
}

TEST(DmsConversion, SecondsRoundHalfEvenAndCarry) {
    EXPECT_TRUE(dmsIs(toDms(45.0), 45, 0, 0));
    EXPECT_TRUE(dmsIs(toDms(0.0), 0, 0, 0));
    EXPECT_TRUE(dmsIs(toDms(131.025), 131, 1, 30));
    EXPECT_TRUE(dmsIs(toDms(359.99999), 0, 0, 0));
    EXPECT_TRUE(dmsIs(toDms(0.5 / 3600), 0, 0, 0));
    EXPECT_TRUE(dmsIs(toDms(1.5 / 3600), 0, 0, 2));
    EXPECT_TRUE(dmsIs(toDms(2.5 / 3600), 0, 0, 2));
    EXPECT_TRUE(dmsIs(toDms(10 + (59 * 60 + 59.6) / 3600), 11, 0, 0));   // 59'59.6" -> 11 deg
    EXPECT_TRUE(dmsIs(toDms(12 + (29 * 60 + 59.7) / 3600), 12, 30, 0));  // 59.7" -> next minute
    EXPECT_TRUE(dmsIs(toDms(200 + (15 * 60 + 44.4) / 3600), 200, 15, 44));
    EXPECT_TRUE(dmsIs(toDms(1.0 - 1e-16), 1, 0, 0));
    // Every whole second survives the trip through decimal degrees.
    for (int s = 0; s < 360 * 3600; s += 7) {
        const Dms r = toDms(s / 3600.0);
        ASSERT_TRUE(dmsIs(r, s / 3600, s / 60 % 60, s % 60));
    }
}

TEST(NumberTexts, ScreenText) {
    EXPECT_EQ(numberText(0.5), "0.5");
    EXPECT_EQ(numberText(100.12), "100.12");
    EXPECT_EQ(numberText(100.120), "100.12");
    EXPECT_EQ(numberText(100), "100");
    EXPECT_EQ(numberText(-70.7107), "-70.7107");
    EXPECT_EQ(numberText(0.0), "0");
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(numberText(-0.25), "-0.25");
    EXPECT_EQ(numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(numberText(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(numberText(123456789012345.0), "123456789012345");
    EXPECT_EQ(numberText(999999999999999.0), "999999999999999");
    EXPECT_EQ(numberText(1e15), "1E+15");
    EXPECT_EQ(numberText(999999999999999.9), "1E+15");
    EXPECT_EQ(numberText(1234567890123456.0), "1.23456789012346E+15");
    EXPECT_EQ(numberText(1234567890123465.0), "1.23456789012346E+15");  // an exact half: to the even digit
    EXPECT_EQ(numberText(-2.5e300), "-2.5E+300");
    EXPECT_EQ(numberText(0.00001), "0.00001");
    EXPECT_EQ(numberText(0.000123), "0.000123");
    EXPECT_EQ(numberText(0.0000015), "1.5E-06");
    EXPECT_EQ(numberText(-9.99e-6), "-9.99E-06");
    EXPECT_EQ(numberText(5e-324), "4.94065645841247E-324");
    EXPECT_EQ(numberText(std::nan("")), "NaN");
    EXPECT_EQ(numberText(kInf), "Infinity");
    EXPECT_EQ(numberText(-kInf), "-Infinity");
    EXPECT_EQ(numberText(roundHalfEven(-0.0004, 3)), "0");
}

TEST(NumberTexts, EveryTextReadsBackToAFiniteNumber) {
    constexpr double kMax = std::numeric_limits<double>::max();
    const double largest[] = {kMax, -kMax, std::nextafter(kMax, 0.0), 1.797693134862315e308, 1.79769313486231e308};
    for (double v : largest) {
        for (const std::string& text : {numberText(v), printNumber(v)}) {
            const std::optional<double> back = strictNumber(text);
            ASSERT_TRUE(back.has_value()) << text;
            EXPECT_TRUE(std::isfinite(*back)) << text;
            EXPECT_EQ(std::signbit(*back), std::signbit(v)) << text;
        }
    }
    EXPECT_EQ(numberText(kMax), "1.79769313486231E+308");
    EXPECT_EQ(numberText(1.79769313486231e308), "1.79769313486231E+308");
    EXPECT_EQ(numberText(1.7976931348623e308), "1.7976931348623E+308");
    EXPECT_EQ(numberText(std::numeric_limits<double>::min()), "2.2250738585072E-308");

    // Fifteen significant digits survive the trip at every magnitude.
    for (int e = -320; e <= 308; e += 7) {
        const std::string typed = "1.23456789012345e" + std::to_string(e);
        const double v = leadingNumber(typed);
        EXPECT_EQ(leadingNumber(numberText(v)), v) << typed << " -> " << numberText(v);
        EXPECT_EQ(leadingNumber(printNumber(v)), v) << typed;
    }
}

namespace {

// The number text by way of printf's 15-digit rounding, laid out by hand.
std::string printfNumberText(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    std::string digits;
    const char* p = buf;
    for (; *p != 'e'; ++p) {
        if (*p != '.') digits.push_back(*p);
    }
    const int e = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = v < 0 ? "-" : "";
    if (e >= 15 || e < -5) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out += "." + digits.substr(1);
        char exp[16];
        std::snprintf(exp, sizeof exp, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
        return out + exp;
    }
    if (e < 0) return out + "0." + std::string(std::size_t(-e - 1), '0') + digits;
    const std::size_t whole = std::size_t(e) + 1;
    if (digits.size() <= whole) return out + digits + std::string(whole - digits.size(), '0');
    return out + digits.substr(0, whole) + "." + digits.substr(whole);
}

}  // namespace

TEST(NumberTexts, SameAsPrintfRoundingAtEveryMagnitude) {
    std::mt19937_64 random(13);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    for (int e = -8; e <= 17; ++e) {
        for (int k = 0; k < 400; ++k) {
            double v = mantissa(random) * std::pow(10.0, e);
            if (k % 4 == 1) v = roundHalfEven(v, 3);                     // typed millimetres
            if (k % 4 == 2) v = std::nextafter(std::pow(10.0, e), 0.0);  // just below a power
            if (k % 2) v = -v;
            ASSERT_EQ(numberText(v), printfNumberText(v)) << v;
        }
    }
    for (double v :
         {1e15, 1e-5, 999999999999999.4, 999999999999999.5, 0.0000099999999999999995, 123456789012345.67, 0.1 + 0.2}) {
        EXPECT_EQ(numberText(v), printfNumberText(v)) << v;
    }
}

TEST(NumberTexts, PrintNumberForm) {
    EXPECT_EQ(printNumber(30), " 30 ");
    EXPECT_EQ(printNumber(-12.5), "-12.5 ");
    EXPECT_EQ(printNumber(0.5), " .5 ");
    EXPECT_EQ(printNumber(-0.25), "-.25 ");
    EXPECT_EQ(printNumber(0), " 0 ");
    EXPECT_EQ(printNumber(-0.0), " 0 ");
    EXPECT_EQ(printNumber(141.421), " 141.421 ");
    EXPECT_EQ(printNumber(1e15), " 1E+15 ");
    EXPECT_EQ(printNumber(-0.0000015), "-1.5E-06 ");
    EXPECT_EQ(printNumber(0.000123), " .000123 ");
}

TEST(Records, TextIsEveryLineWithCrLfAndLinesFollowLaterAdds) {
    Record r;
    EXPECT_TRUE(r.empty());
    r.separator().add(Line().text("基準 X").text(" ").number(-12.5).number(0.25));
    EXPECT_FALSE(r.empty());
    ASSERT_EQ(r.lines().size(), 2u);
    EXPECT_EQ(r.lines()[1], "基準 X -12.5  .25 ");

    // A line that holds a CR LF of its own stays one line.
    r.add(Line().text("a\r\nb")).add(Line());
    const std::vector<std::string> want = {std::string(82, '-'), "基準 X -12.5  .25 ", "a\r\nb", ""};
    EXPECT_EQ(r.lines(), want);
    std::string text;
    for (const std::string& line : want) text += line + "\r\n";
    EXPECT_EQ(r.text(), text);

    // One number that is not finite marks the whole record, which is never written.
    EXPECT_TRUE(r.finite());
    r.add(Line().number(1).number(-std::numeric_limits<double>::infinity())).add(Line().number(2));
    EXPECT_FALSE(r.finite());
    EXPECT_FALSE(Record().add(Line().number(std::nan(""))).finite());
}
