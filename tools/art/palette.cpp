#include "tools/art/palette.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

namespace art {

namespace {

constexpr size_t kMaxColors = 256;
constexpr int kRefinementRounds = 3;

struct Entry {
    Rgb color;
    uint64_t count;
};

int channel(Rgb c, int k) { return k == 0 ? c.r : k == 1 ? c.g : c.b; }

long distance2(Rgb a, Rgb b) {
    long dr = long(a.r) - b.r, dg = long(a.g) - b.g, db = long(a.b) - b.b;
    return dr * dr + dg * dg + db * db;
}

struct Sums {
    double n = 0, s[3] = {0, 0, 0}, q[3] = {0, 0, 0};
    void add(Rgb c, uint64_t count) {
        n += double(count);
        for (int k = 0; k < 3; ++k) {
            double v = channel(c, k);
            s[k] += v * double(count);
            q[k] += v * v * double(count);
        }
    }
    double variance_sum(int k) const { return n > 0 ? q[k] - s[k] * s[k] / n : 0; }
    double error() const { return variance_sum(0) + variance_sum(1) + variance_sum(2); }
    // The mean, never pure black (it stands for colours that are not).
    Rgb mean() const {
        double m[3];
        for (int k = 0; k < 3; ++k) m[k] = n > 0 ? s[k] / n : 0;
        Rgb c{uint8_t(std::lround(m[0])), uint8_t(std::lround(m[1])), uint8_t(std::lround(m[2]))};
        if (c == kSeeThroughRgb) {
            int top = m[0] >= m[1] && m[0] >= m[2] ? 0 : m[1] >= m[2] ? 1 : 2;
            (top == 0 ? c.r : top == 1 ? c.g : c.b) = 1;
        }
        return c;
    }
};

struct Box {
    size_t begin, end;  // range of the entry list
    Sums sums;
};

Sums sums_of(const std::vector<Entry>& entries, size_t begin, size_t end) {
    Sums s;
    for (size_t i = begin; i < end; ++i) s.add(entries[i].color, entries[i].count);
    return s;
}

// Median cut of `entries` into at most `budget` representative colours.
std::vector<Rgb> median_cut(std::vector<Entry> entries, size_t budget) {
    if (budget == 0 || entries.empty()) return {};
    std::vector<Box> boxes{{0, entries.size(), sums_of(entries, 0, entries.size())}};
    while (boxes.size() < budget) {
        size_t pick = boxes.size();
        double worst = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].end - boxes[i].begin < 2) continue;
            double e = boxes[i].sums.error();
            if (pick == boxes.size() || e > worst) pick = i, worst = e;
        }
        if (pick == boxes.size()) break;  // every box holds a single colour
        Box box = boxes[pick];
        int axis = 0;
        for (int k = 1; k < 3; ++k)
            if (box.sums.variance_sum(k) > box.sums.variance_sum(axis)) axis = k;
        std::sort(entries.begin() + ptrdiff_t(box.begin), entries.begin() + ptrdiff_t(box.end),
                  [axis](const Entry& a, const Entry& b) {
                      int va = channel(a.color, axis), vb = channel(b.color, axis);
                      return va != vb ? va < vb : a.color < b.color;
                  });
        double half = box.sums.n / 2, running = 0;
        size_t cut = box.begin + 1;
        for (size_t i = box.begin; i + 1 < box.end; ++i) {
            running += double(entries[i].count);
            cut = i + 1;
            if (running >= half) break;
        }
        boxes[pick] = {box.begin, cut, sums_of(entries, box.begin, cut)};
        boxes.push_back({cut, box.end, sums_of(entries, cut, box.end)});
    }
    std::vector<Rgb> reps;
    for (const Box& b : boxes) reps.push_back(b.sums.mean());

    // Refine: move each representative to the mean of the colours nearest to it.
    for (int round = 0; round < kRefinementRounds; ++round) {
        std::vector<Sums> sums(reps.size());
        for (const Entry& e : entries) {
            size_t best = 0;
            long best_d = distance2(e.color, reps[0]);
            for (size_t i = 1; i < reps.size(); ++i) {
                long d = distance2(e.color, reps[i]);
                if (d < best_d) best = i, best_d = d;
            }
            sums[best].add(e.color, e.count);
        }
        for (size_t i = 0; i < reps.size(); ++i)
            if (sums[i].n > 0) reps[i] = sums[i].mean();
    }
    return reps;
}

}  // namespace

std::vector<Rgb> IndexedImage::to_rgb() const {
    std::vector<Rgb> out;
    out.reserve(indices.size());
    for (uint8_t i : indices) out.push_back(i < palette.size() ? palette[i] : kSeeThroughRgb);
    return out;
}

std::vector<Rgb> build_palette(const std::vector<const std::vector<Rgb>*>& pictures,
                               const std::vector<Rgb>& pinned) {
    std::map<Rgb, uint64_t> counts;
    for (const std::vector<Rgb>* picture : pictures)
        for (Rgb p : *picture) ++counts[p];

    // Colours that must come out exactly, in palette order.
    std::vector<Rgb> palette;
    auto keep = [&](Rgb c) {
        if (counts.count(c) && std::find(palette.begin(), palette.end(), c) == palette.end())
            palette.push_back(c);
    };
    keep(kSeeThroughRgb);
    keep(kScreenRgb);
    for (Rgb c : pinned) keep(c);
    if (palette.size() > kMaxColors)
        throw std::invalid_argument("more than 256 pinned colours in the picture");
    auto is_fixed = [fixed = palette](Rgb c) {
        return std::find(fixed.begin(), fixed.end(), c) != fixed.end();
    };

    std::vector<Rgb> rest;
    if (counts.size() <= kMaxColors) {
        for (const auto& [c, n] : counts)
            if (!is_fixed(c)) rest.push_back(c);
    } else {
        std::vector<Entry> entries;
        for (const auto& [c, n] : counts)
            if (!is_fixed(c)) entries.push_back({c, n});
        rest = median_cut(std::move(entries), kMaxColors - palette.size());
        std::sort(rest.begin(), rest.end());
        rest.erase(std::unique(rest.begin(), rest.end()), rest.end());
        std::erase_if(rest, is_fixed);
    }
    palette.insert(palette.end(), rest.begin(), rest.end());
    return palette;
}

IndexedImage apply_palette(int width, int height, const std::vector<Rgb>& pixels,
                           const std::vector<Rgb>& palette) {
    if (width < 0 || height < 0 || pixels.size() != size_t(width) * size_t(height))
        throw std::invalid_argument("pixel count does not match the picture size");
    if (palette.empty() || palette.size() > kMaxColors)
        throw std::invalid_argument("a palette must have 1 to 256 colours");
    IndexedImage out;
    out.width = width;
    out.height = height;
    out.palette = palette;
    // Each distinct colour is looked up once.
    std::map<Rgb, uint8_t> index_of;
    for (Rgb c : pixels) {
        if (index_of.count(c)) continue;
        auto exact = std::find(palette.begin(), palette.end(), c);
        if (exact != palette.end()) {
            index_of[c] = uint8_t(exact - palette.begin());
            continue;
        }
        if (c == kSeeThroughRgb)
            throw std::invalid_argument("the picture has see-through black but the palette not");
        size_t best = palette.size();
        long best_d = 0;
        for (size_t i = 0; i < palette.size(); ++i) {
            if (palette[i] == kSeeThroughRgb) continue;
            long d = distance2(c, palette[i]);
            if (best == palette.size() || d < best_d) best = i, best_d = d;
        }
        if (best == palette.size())
            throw std::invalid_argument("a palette of only see-through black cannot show colour");
        index_of[c] = uint8_t(best);
    }
    out.indices.reserve(pixels.size());
    for (Rgb p : pixels) out.indices.push_back(index_of[p]);
    return out;
}

IndexedImage quantize(int width, int height, const std::vector<Rgb>& pixels,
                      const std::vector<Rgb>& pinned) {
    if (width < 0 || height < 0 || pixels.size() != size_t(width) * size_t(height))
        throw std::invalid_argument("pixel count does not match the picture size");
    if (pixels.empty()) return IndexedImage{width, height, {kSeeThroughRgb}, {}};
    return apply_palette(width, height, pixels, build_palette({&pixels}, pinned));
}

}  // namespace art
