#include "e2e/shapes.h"

#include <algorithm>
#include <utility>

namespace shapes {

std::vector<QRect> blobs(const QImage &image, const QRect &area, bool (*test)(QRgb), int minimum)
{
    const QRect inside = area & image.rect();
    std::vector<char> seen(size_t(inside.width()) * inside.height(), 0);
    auto index = [&](QPoint p) { return size_t(p.y() - inside.top()) * inside.width() + (p.x() - inside.left()); };
    std::vector<std::pair<int, QRect>> found;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (seen[index({ x, y })] || !test(image.pixel(x, y)))
                continue;
            int count = 0;
            QRect box(x, y, 1, 1);
            std::vector<QPoint> stack { { x, y } };
            seen[index({ x, y })] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                ++count;
                box |= QRect(p, QSize(1, 1));
                for (QPoint d : { QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1) }) {
                    const QPoint q = p + d;
                    if (inside.contains(q) && !seen[index(q)] && test(image.pixel(q))) {
                        seen[index(q)] = 1;
                        stack.push_back(q);
                    }
                }
            }
            if (count >= 4)
                found.push_back({ count, box });
        }
    }
    // Pieces a few pixels apart are one shape: an oval cut in two by its number.
    for (bool merged = true; merged;) {
        merged = false;
        for (size_t i = 0; i < found.size() && !merged; ++i) {
            for (size_t j = i + 1; j < found.size() && !merged; ++j) {
                if (found[i].second.adjusted(-3, -3, 3, 3).intersects(found[j].second)) {
                    found[i] = { found[i].first + found[j].first, found[i].second | found[j].second };
                    found.erase(found.begin() + long(j));
                    merged = true;
                }
            }
        }
    }
    std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    std::vector<QRect> boxes;
    for (const auto &f : found) {
        if (f.first >= minimum)
            boxes.push_back(f.second);
    }
    return boxes;
}

} // namespace shapes
