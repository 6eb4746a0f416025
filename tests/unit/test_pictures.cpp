// Checks the committed picture, icon and sample firmware files in resources/:
// the formats the resource compiler and the picture button rely on, the
// pure-white pixels the button leaves out, and that the sample image is intact.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#ifndef QZ_RESOURCES_DIR
#error "QZ_RESOURCES_DIR must name the resources folder"
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::string& name) {
    const std::string path = std::string(QZ_RESOURCES_DIR) + "/" + name;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot open " << path;
        return {};
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Little-endian fields; .at() turns a truncated file into a failure, not a crash.
std::uint32_t le16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at)) | static_cast<std::uint32_t>(b.at(at + 1)) << 8;
}

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

std::int32_t le32s(const Bytes& b, std::size_t at) {
    return static_cast<std::int32_t>(le32(b, at));
}

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool white() const { return r == 255 && g == 255 && b == 255; }
    bool operator==(const Rgb&) const = default;
};

// Pixels top row first, whatever the order in the file.
struct Image {
    int width = 0, height = 0;
    std::vector<Rgb> px;
    const Rgb& at(int x, int y) const {
        return px.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x));
    }
};

// Reads a bottom-up 24-bit DIB whose pixel rows start at `offset`.
Image readRows(const Bytes& file, std::size_t offset, int width, int height) {
    Image img;
    img.width = width;
    img.height = height;
    const auto stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    for (int y = 0; y < height; ++y) {
        const std::size_t row = offset + static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::size_t p = row + static_cast<std::size_t>(x) * 3;
            img.px.push_back({file.at(p + 2), file.at(p + 1), file.at(p)});
        }
    }
    return img;
}

double distanceFromCentre(const Image& img, int x, int y) {
    return std::hypot(x - (img.width - 1) / 2.0, y - (img.height - 1) / 2.0);
}

struct WhiteSplit {
    std::set<std::pair<int, int>> outer;  // joined to the picture's edge
    std::set<std::pair<int, int>> inner;  // enclosed by the badge
};

// White pixels that reach the edge through white pixels, neighbours counted in
// all eight directions: the corners. A highlight touching a corner even at a
// diagonal would be swallowed into it and spoil the counts.
WhiteSplit splitWhite(const Image& img) {
    WhiteSplit s;
    std::vector<std::pair<int, int>> todo;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if ((x == 0 || y == 0 || x == img.width - 1 || y == img.height - 1) && img.at(x, y).white())
                todo.emplace_back(x, y);
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        if (!s.outer.insert({x, y}).second) continue;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if (nx >= 0 && ny >= 0 && nx < img.width && ny < img.height && img.at(nx, ny).white() &&
                    !s.outer.count({nx, ny}))
                    todo.emplace_back(nx, ny);
            }
    }
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (img.at(x, y).white() && !s.outer.count({x, y})) s.inner.insert({x, y});
    return s;
}

struct Hsv {
    double hue = 0, sat = 0, val = 0;  // degrees, 0..1, 0..1
};

Hsv toHsv(double r, double g, double b) {
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
    Hsv h;
    h.val = mx / 255.0;
    h.sat = mx > 0 ? d / mx : 0;
    if (d > 0) {
        if (mx == r)
            h.hue = 60.0 * std::fmod((g - b) / d + 6.0, 6.0);
        else if (mx == g)
            h.hue = 60.0 * ((b - r) / d + 2.0);
        else
            h.hue = 60.0 * ((r - g) / d + 4.0);
    }
    return h;
}

// Mean colour of the coloured disc: the middle of the badge without the
// near-white stem and the brightest gloss.
Hsv discColour(const Image& img) {
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const Rgb& c = img.at(x, y);
            if (distanceFromCentre(img, x, y) < 11.0 && std::min({c.r, c.g, c.b}) < 200) {
                r += c.r;
                g += c.g;
                b += c.b;
                ++n;
            }
        }
    if (n == 0) return {};
    return toHsv(r / n, g / n, b / n);
}

double luma(const Rgb& c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

constexpr std::size_t kBmpSize = 3126;

Image loadBadge(const std::string& name) {
    const Bytes f = readFile(name);
    if (f.size() != kBmpSize) return {};
    return readRows(f, 54, 32, 32);
}

struct BadgeCase {
    const char* file;
    const char* state;
};

// Names the picture in failure messages instead of dumping the struct's bytes.
void PrintTo(const BadgeCase& c, std::ostream* os) { *os << c.file; }

class BadgePicture : public ::testing::TestWithParam<BadgeCase> {};

TEST_P(BadgePicture, IsA32x32TrueColourBmpWithoutPalette) {
    const Bytes f = readFile(GetParam().file);
    ASSERT_EQ(f.size(), kBmpSize);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(le32(f, 2), kBmpSize);    // bfSize
    EXPECT_EQ(le32(f, 10), 54u);        // bfOffBits: pixels right after the headers
    EXPECT_EQ(le32(f, 14), 40u);        // BITMAPINFOHEADER
    EXPECT_EQ(le32s(f, 18), 32);        // width
    EXPECT_EQ(le32s(f, 22), 32);        // height, positive: bottom-up
    EXPECT_EQ(le16(f, 26), 1u);         // planes
    EXPECT_EQ(le16(f, 28), 24u);        // bits per pixel
    EXPECT_EQ(le32(f, 30), 0u);         // BI_RGB
    EXPECT_EQ(le32(f, 46), 0u);         // no palette entries
}

TEST_P(BadgePicture, PureWhiteOnlyInTheCornersRimHighlightAndDot) {
    const Image img = loadBadge(GetParam().file);
    ASSERT_EQ(img.px.size(), 32u * 32u);
    const WhiteSplit s = splitWhite(img);
    EXPECT_EQ(s.outer.size() + s.inner.size(), 251u);
    EXPECT_EQ(s.outer.size(), 212u);
    EXPECT_EQ(s.inner.size(), 39u);

    // The corners lie outside the badge's circle, the inner white inside it.
    for (const auto& [x, y] : s.outer) EXPECT_GT(distanceFromCentre(img, x, y), 15.5) << x << "," << y;
    for (const auto& [x, y] : s.inner) EXPECT_LT(distanceFromCentre(img, x, y), 15.0) << x << "," << y;

    // Exactly one 2 x 2 white block near the middle, above the centre: the
    // dot of the "i" (also shows the rows were not read upside down).
    std::vector<std::pair<int, int>> dots;
    for (const auto& [x, y] : s.inner)
        if (s.inner.count({x + 1, y}) && s.inner.count({x, y + 1}) && s.inner.count({x + 1, y + 1}) &&
            distanceFromCentre(img, x, y) < 10.0)
            dots.emplace_back(x, y);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_LT(dots[0].second, 12);
}

TEST_P(BadgePicture, GlossLighterTopLeftThanBottomRight) {
    const Image img = loadBadge(GetParam().file);
    ASSERT_EQ(img.px.size(), 32u * 32u);
    double topLeft = 0, bottomRight = 0;
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x) {
            topLeft += luma(img.at(x, y));
            bottomRight += luma(img.at(31 - x, 31 - y));
        }
    EXPECT_GT(topLeft, bottomRight * 1.2);
}

INSTANTIATE_TEST_SUITE_P(States, BadgePicture,
                         ::testing::Values(BadgeCase{"info_up.bmp", "Up"}, BadgeCase{"info_hot.bmp", "Hot"},
                                           BadgeCase{"info_down.bmp", "Down"}),
                         [](const auto& p) { return std::string(p.param.state); });

TEST(BadgePictures, ShareOneTransparencyMaskAndDifferInDiscColour) {
    const Image up = loadBadge("info_up.bmp");
    const Image hot = loadBadge("info_hot.bmp");
    const Image down = loadBadge("info_down.bmp");
    ASSERT_EQ(up.px.size(), 32u * 32u);
    ASSERT_EQ(hot.px.size(), 32u * 32u);
    ASSERT_EQ(down.px.size(), 32u * 32u);

    // The same badge in three colours: white in the same places.
    for (std::size_t i = 0; i < up.px.size(); ++i) {
        EXPECT_EQ(up.px[i].white(), hot.px[i].white()) << "pixel " << i;
        EXPECT_EQ(up.px[i].white(), down.px[i].white()) << "pixel " << i;
    }

    const Hsv u = discColour(up), h = discColour(hot), d = discColour(down);
    // Up: bright blue.
    EXPECT_GT(u.hue, 195.0);
    EXPECT_LT(u.hue, 245.0);
    EXPECT_GT(u.sat, 0.5);
    EXPECT_GT(u.val, 0.7);
    // Hot: bright green.
    EXPECT_GT(h.hue, 90.0);
    EXPECT_LT(h.hue, 150.0);
    EXPECT_GT(h.sat, 0.4);
    EXPECT_GT(h.val, 0.6);
    // Down: green too, but darker and duller than Hot.
    EXPECT_GT(d.hue, 90.0);
    EXPECT_LT(d.hue, 150.0);
    EXPECT_LT(d.val, h.val * 0.8);
    EXPECT_LT(d.sat, h.sat * 0.85);
}

TEST(ProgramIcon, OneOpaque128x128TrueColourImage) {
    const Bytes f = readFile("mainicon.ico");
    ASSERT_GE(f.size(), 6u + 16u + 40u);
    EXPECT_EQ(le16(f, 0), 0u);  // reserved
    EXPECT_EQ(le16(f, 2), 1u);  // icon, not cursor
    ASSERT_EQ(le16(f, 4), 1u);  // one image

    // Directory entry; a width or height of 128 fits the byte as it is.
    EXPECT_EQ(f[6], 128);
    EXPECT_EQ(f[7], 128);
    EXPECT_EQ(f[8], 0);  // no palette
    EXPECT_EQ(le16(f, 10), 1u);
    EXPECT_EQ(le16(f, 12), 24u);
    const std::size_t bytes = le32(f, 14), offset = le32(f, 18);
    ASSERT_EQ(offset + bytes, f.size());

    constexpr std::size_t xorSize = 128 * 128 * 3, andSize = 128 * 16;
    ASSERT_EQ(bytes, 40 + xorSize + andSize);
    EXPECT_EQ(le32(f, offset), 40u);
    EXPECT_EQ(le32s(f, offset + 4), 128);
    EXPECT_EQ(le32s(f, offset + 8), 256);  // XOR and AND bitmaps together
    EXPECT_EQ(le16(f, offset + 12), 1u);
    EXPECT_EQ(le16(f, offset + 14), 24u);
    EXPECT_EQ(le32(f, offset + 16), 0u);

    const auto mask = f.begin() + static_cast<std::ptrdiff_t>(offset + 40 + xorSize);
    EXPECT_TRUE(std::all_of(mask, f.end(), [](std::uint8_t v) { return v == 0; })) << "a pixel is transparent";

    // A white emblem on a dark blue square with a thin pale border.
    const Image img = readRows(f, offset + 40, 128, 128);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{64, 0}, std::pair{127, 64}, std::pair{64, 127}}) {
        const Rgb& c = img.at(x, y);
        EXPECT_GT(std::min({c.r, c.g, c.b}), 170) << "border at " << x << "," << y;
    }
    for (const auto& [x, y] : {std::pair{10, 10}, std::pair{117, 117}, std::pair{10, 117}, std::pair{117, 10}}) {
        const Hsv c = toHsv(img.at(x, y).r, img.at(x, y).g, img.at(x, y).b);
        EXPECT_GT(c.hue, 200.0) << x << "," << y;
        EXPECT_LT(c.hue, 245.0) << x << "," << y;
        EXPECT_GT(c.sat, 0.5) << x << "," << y;
        EXPECT_LT(c.val, 0.75) << x << "," << y;
    }
    int white = 0;
    for (int y = 8; y < 120; ++y)
        for (int x = 8; x < 120; ++x) white += std::min({img.at(x, y).r, img.at(x, y).g, img.at(x, y).b}) >= 245;
    EXPECT_GT(white, 112 * 112 / 10);
    EXPECT_LT(white, 112 * 112 / 2);
}

TEST(SampleFirmware, MarkedAsSampleAndIntact) {
    const Bytes f = readFile("QZ1769_m.sample.dat");
    ASSERT_EQ(f.size(), 478952u);
    const std::string marker = "QZ1769 SAMPLE FIRMWARE IMAGE - NOT A REAL FIRMWARE - DO NOT FLASH\r\n";
    ASSERT_EQ(std::string(f.begin(), f.begin() + static_cast<std::ptrdiff_t>(marker.size())), marker);
    ASSERT_EQ(f[marker.size()], 0);

    // The filler is a fixed-seed xorshift32 stream, little-endian, so any
    // damaged, lost or repeated byte in the committed copy shows here.
    std::uint32_t x = 0x1769C0DEu;
    std::size_t firstBad = f.size();
    for (std::size_t i = marker.size() + 1, k = 0; i < f.size(); ++i, ++k) {
        if (k % 4 == 0) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
        }
        if (f[i] != static_cast<std::uint8_t>(x >> (8 * (k % 4)))) {
            firstBad = i;
            break;
        }
    }
    EXPECT_EQ(firstBad, f.size()) << "first differing byte";
}

}  // namespace
