#include "core/banner/gif_surface.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/banner/picture.h"

namespace wv {

GifRgb GifSurfaceCopy::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {};
    const std::uint8_t* p = rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
    return {p[0], p[1], p[2]};
}

GifSurface::Span GifSurface::Clip(int origin, int length, int limit) {
    const long long begin = std::max<long long>(origin, 0);
    const long long end = std::min<long long>(static_cast<long long>(origin) + std::max(length, 0), limit);
    if (begin >= end) return {};
    return {static_cast<int>(begin), static_cast<int>(end)};
}

void GifSurface::Create(int width, int height, GifRgb colour) {
    std::lock_guard lock(m_mutex);
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_rgb.resize(static_cast<std::size_t>(m_width) * m_height * 3);
    for (std::size_t i = 0; i < m_rgb.size(); i += 3) {
        m_rgb[i] = colour.red;
        m_rgb[i + 1] = colour.green;
        m_rgb[i + 2] = colour.blue;
    }
    Touch();
}

void GifSurface::Destroy() {
    std::lock_guard lock(m_mutex);
    m_width = m_height = 0;
    m_rgb.clear();
    m_rgb.shrink_to_fit();
    Touch();
}

bool GifSurface::IsReady() const {
    std::lock_guard lock(m_mutex);
    return m_width > 0 && m_height > 0;
}

void GifSurface::Fill(const GifRect& rect, GifRgb colour) {
    std::lock_guard lock(m_mutex);
    const Span xs = Clip(rect.left, rect.width, m_width);
    const Span ys = Clip(rect.top, rect.height, m_height);
    for (int y = ys.begin; y < ys.end; ++y) {
        std::uint8_t* p = m_rgb.data() + (static_cast<std::size_t>(y) * m_width + xs.begin) * 3;
        for (int x = xs.begin; x < xs.end; ++x, p += 3) {
            p[0] = colour.red;
            p[1] = colour.green;
            p[2] = colour.blue;
        }
    }
    Touch();
}

void GifSurface::FillAll(GifRgb colour) { Fill({0, 0, INT32_MAX, INT32_MAX}, colour); }

void GifSurface::Draw(const wv::Picture& picture, const GifRect& rect) {
    if (picture.width <= 0 || picture.height <= 0) return;
    std::lock_guard lock(m_mutex);
    const Span xs = Clip(rect.left, rect.width, m_width);
    const Span ys = Clip(rect.top, rect.height, m_height);
    if (xs.begin == xs.end || ys.begin == ys.end) return;
    const bool sameSize = picture.width == rect.width && picture.height == rect.height;
    for (int y = ys.begin; y < ys.end; ++y) {
        const long long sy =
            sameSize ? y - rect.top : static_cast<long long>(y - rect.top) * picture.height / rect.height;
        const std::size_t sourceRow = static_cast<std::size_t>(sy) * picture.width;
        std::uint8_t* target = m_rgb.data() + (static_cast<std::size_t>(y) * m_width + xs.begin) * 3;
        if (sameSize && picture.opaque.empty()) {
            std::memcpy(target, picture.rgb.data() + (sourceRow + (xs.begin - rect.left)) * 3,
                        static_cast<std::size_t>(xs.end - xs.begin) * 3);
            continue;
        }
        for (int x = xs.begin; x < xs.end; ++x, target += 3) {
            const long long sx =
                sameSize ? x - rect.left : static_cast<long long>(x - rect.left) * picture.width / rect.width;
            const std::size_t source = sourceRow + static_cast<std::size_t>(sx);
            if (!picture.IsOpaqueAt(source)) continue;
            std::memcpy(target, picture.rgb.data() + source * 3, 3);
        }
    }
    Touch();
}

wv::Picture GifSurface::SaveArea(const GifRect& rect) const {
    wv::Picture area;
    area.width = std::max(rect.width, 0);
    area.height = std::max(rect.height, 0);
    area.rgb.assign(static_cast<std::size_t>(area.width) * area.height * 3, 0);
    std::lock_guard lock(m_mutex);
    const Span xs = Clip(rect.left, rect.width, m_width);
    const Span ys = Clip(rect.top, rect.height, m_height);
    if (xs.begin == xs.end) return area;
    for (int y = ys.begin; y < ys.end; ++y) {
        const std::uint8_t* source = m_rgb.data() + (static_cast<std::size_t>(y) * m_width + xs.begin) * 3;
        std::uint8_t* target =
            area.rgb.data() + (static_cast<std::size_t>(y - rect.top) * area.width + (xs.begin - rect.left)) * 3;
        std::memcpy(target, source, static_cast<std::size_t>(xs.end - xs.begin) * 3);
    }
    return area;
}

GifSurfaceCopy GifSurface::Copy() const {
    std::lock_guard lock(m_mutex);
    return {0, 0, m_width, m_height, m_rgb, m_generation};
}

GifSurfaceCopy GifSurface::CopyArea(const GifRect& rect) const {
    std::lock_guard lock(m_mutex);
    GifSurfaceCopy copy;
    copy.generation = m_generation;
    const Span xs = Clip(rect.left, rect.width, m_width);
    const Span ys = Clip(rect.top, rect.height, m_height);
    if (xs.begin == xs.end || ys.begin == ys.end) return copy;
    copy.left = xs.begin;
    copy.top = ys.begin;
    copy.width = xs.end - xs.begin;
    copy.height = ys.end - ys.begin;
    const std::size_t rowBytes = static_cast<std::size_t>(copy.width) * 3;
    copy.rgb.resize(rowBytes * copy.height);
    for (int y = ys.begin; y < ys.end; ++y)
        std::memcpy(copy.rgb.data() + (y - ys.begin) * rowBytes,
                    m_rgb.data() + (static_cast<std::size_t>(y) * m_width + xs.begin) * 3, rowBytes);
    return copy;
}

std::uint64_t GifSurface::Generation() const {
    std::lock_guard lock(m_mutex);
    return m_generation;
}

}  // namespace wv
