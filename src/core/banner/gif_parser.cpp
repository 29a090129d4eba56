#include "core/banner/gif_parser.h"

#include <cstring>

#include "core/banner/picture.h"
#include "core/banner/picture_header.h"

namespace wv {

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;

constexpr std::uint8_t kLabelGraphicControl = 0xF9;
constexpr std::uint8_t kLabelApplication = 0xFF;
constexpr std::uint8_t kLabelComment = 0xFE;
constexpr std::uint8_t kLabelPlainText = 0x01;

constexpr std::uint32_t kScreenEnd = 13;  // header + logical screen descriptor

bool HasSubBlocks(GifBlockKind kind) {
    return kind == GifBlockKind::ApplicationExtension || kind == GifBlockKind::CommentExtension ||
           kind == GifBlockKind::PlainTextExtension || kind == GifBlockKind::ImageDescriptor;
}

bool IsLeadingBlock(GifBlockKind kind) {
    return kind == GifBlockKind::ApplicationExtension || kind == GifBlockKind::CommentExtension;
}

bool ClosesFrame(GifBlockKind kind) {
    return kind == GifBlockKind::PlainTextExtension || kind == GifBlockKind::ImageDescriptor;
}

}  // namespace

// Where a frame lies in the data and what its blocks say about it.
struct GifParser::FrameScan {
    std::uint32_t start = 0;
    std::uint32_t span = 0;
    std::int32_t delay = -1;
    std::int32_t disposal = 0;
    GifRect rect;
};

bool GifParser::Attach(const std::uint8_t* data, std::uint32_t size) {
    m_pData = data;
    m_nDataSize = data ? size : 0;
    m_nCursor = 0;
    m_nGlobalTableSize = 0;
    m_bScreenRead = false;
    m_bIsGif = m_pData && m_nDataSize >= 6 && std::memcmp(m_pData, "GIF", 3) == 0 &&
               (std::memcmp(m_pData + 3, "87a", 3) == 0 || std::memcmp(m_pData + 3, "89a", 3) == 0);
    // A GIF too short for its logical screen keeps the previous size; it has
    // no frame either, so its load fails.
    if (m_bIsGif && m_nDataSize >= kScreenEnd) {
        m_nGlobalTableSize = GifColourTableLength(m_pData[10]);
        m_nWidth = Read16(6);
        m_nHeight = Read16(8);
        m_bScreenRead = true;
    }
    return m_bIsGif;
}

void GifParser::Detach() { m_pData = nullptr; }

void GifParser::Reset() {
    m_pData = nullptr;
    m_nDataSize = 0;
    m_nCursor = 0;
    m_nGlobalTableSize = 0;
    m_bIsGif = false;
    m_bScreenRead = false;
    m_frames.clear();
    m_pStillPicture.reset();
    m_stillRect = {};
}

std::uint16_t GifParser::Read16(std::uint64_t offset) const {
    return static_cast<std::uint16_t>(ReadLittle16(m_pData + offset));
}

void GifParser::RewindToFirstBlock() { m_nCursor = HeaderLength(); }

GifBlockKind GifParser::Classify(std::uint32_t* fixedLength) const {
    if (!m_pData || m_nCursor >= m_nDataSize) return GifBlockKind::Unknown;
    const std::uint32_t available = m_nDataSize - m_nCursor;
    const std::uint8_t* block = m_pData + m_nCursor;
    GifBlockKind kind = GifBlockKind::Unknown;
    std::uint32_t fixed = 0;
    switch (block[0]) {
    case kExtensionIntroducer:
        if (available < 2) return GifBlockKind::Unknown;
        switch (block[1]) {
        case kLabelGraphicControl:
            kind = GifBlockKind::GraphicControlExtension;
            fixed = 8;
            break;
        case kLabelApplication:
            kind = GifBlockKind::ApplicationExtension;
            fixed = 14;
            break;
        case kLabelComment:
            kind = GifBlockKind::CommentExtension;
            fixed = 2;
            break;
        case kLabelPlainText:
            kind = GifBlockKind::PlainTextExtension;
            fixed = 15;
            break;
        default: return GifBlockKind::Unknown;
        }
        break;
    case kImageSeparator:
        // The local colour table's length sits in the packed byte at 9.
        if (available < 10) return GifBlockKind::Unknown;
        kind = GifBlockKind::ImageDescriptor;
        fixed = 11 + GifColourTableLength(block[9]);
        break;
    case kTrailer:
        kind = GifBlockKind::Trailer;
        fixed = 1;
        break;
    default: return GifBlockKind::Unknown;
    }
    if (fixed > available) return GifBlockKind::Unknown;
    if (fixedLength) *fixedLength = fixed;
    return kind;
}

GifBlockKind GifParser::ClassifyBlock() const { return Classify(nullptr); }

std::int64_t GifParser::SubBlockChainLength(std::uint64_t offset) const {
    if (!m_pData) return 0;
    std::int64_t total = 0;
    // Stopping at the end leaves a total that carries the block past the end
    // of the data, so skipping it fails.
    while (offset < m_nDataSize && m_pData[offset] != 0) {
        const std::uint32_t step = m_pData[offset] + 1u;
        offset += step;
        total += step;
    }
    return total + 1;
}

std::int64_t GifParser::BlockLength() const {
    std::uint32_t fixed = 0;
    const GifBlockKind kind = Classify(&fixed);
    if (kind == GifBlockKind::Unknown) return -1;
    if (!HasSubBlocks(kind)) return fixed;
    const std::int64_t chain = SubBlockChainLength(std::uint64_t{m_nCursor} + fixed);
    return chain > 0 ? fixed + chain : 0;
}

bool GifParser::SkipBlock() {
    if (!m_pData) return false;
    const std::int64_t length = BlockLength();
    if (length <= 0 || std::uint64_t{m_nCursor} + static_cast<std::uint64_t>(length) > m_nDataSize) return false;
    m_nCursor += static_cast<std::uint32_t>(length);
    return true;
}

// A frame runs from its first block (a graphic control extension, or the
// closing block itself) to its closing block (image descriptor or plain-text
// extension).  Application and comment extensions before the first block
// belong to no frame; those after it belong to the frame, as do further
// graphic control extensions, of which only the first counts.
bool GifParser::ScanFrame(FrameScan& scan) {
    if (!m_pData) return false;
    GifBlockKind kind = ClassifyBlock();
    while (IsLeadingBlock(kind)) {
        if (!SkipBlock()) return false;
        kind = ClassifyBlock();
    }
    if (kind != GifBlockKind::GraphicControlExtension && !ClosesFrame(kind)) return false;
    if (BlockLength() <= 0) return false;

    scan = FrameScan{};
    scan.start = m_nCursor;
    if (kind == GifBlockKind::GraphicControlExtension) {
        // The fixed part of the extension is known to fit (ClassifyBlock).
        scan.delay = Read16(std::uint64_t{scan.start} + 4);
        scan.disposal = (m_pData[scan.start + 3] >> 2) & 7;
        if (!SkipBlock()) return false;
        kind = ClassifyBlock();
        while (IsLeadingBlock(kind) || kind == GifBlockKind::GraphicControlExtension) {
            if (!SkipBlock()) return false;
            kind = ClassifyBlock();
        }
        if (!ClosesFrame(kind)) return false;
    }
    if (kind == GifBlockKind::ImageDescriptor) {
        const std::uint64_t at = m_nCursor;
        scan.rect = {Read16(at + 1), Read16(at + 3), Read16(at + 5), Read16(at + 7)};
    } else {
        scan.rect = {0, 0, m_nWidth, m_nHeight};
    }
    if (!SkipBlock()) return false;
    scan.span = m_nCursor - scan.start;
    return true;
}

bool GifParser::SkipFrame() {
    FrameScan scan;
    return ScanFrame(scan);
}

std::optional<GifFrameImage> GifParser::ExtractFrame() {
    FrameScan scan;
    if (!ScanFrame(scan)) return std::nullopt;
    const std::uint32_t header = HeaderLength();
    if (header > scan.start) return std::nullopt;  // the cursor was never rewound

    GifFrameImage image;
    image.delay = scan.delay;
    image.disposal = scan.disposal;
    image.rect = scan.rect;
    image.bytes.reserve(std::size_t{header} + scan.span + 1);
    image.bytes.insert(image.bytes.end(), m_pData, m_pData + header);
    image.bytes.insert(image.bytes.end(), m_pData + scan.start, m_pData + scan.start + scan.span);
    image.bytes.push_back(kTrailer);
    return image;
}

bool GifParser::SizeAcceptable(std::int32_t width, std::int32_t height) const {
    return PictureSizeAcceptable(width, height);
}

struct GifParser::LoadPlan {
    PictureFormat format = PictureFormat::Gif;
    // Frames found; from two on, the file is an animation.
    int frames = 0;
    // Where a GIF's one frame goes.
    GifRect stillRect;
};

bool GifParser::Plan(const std::uint8_t* data, std::uint32_t size, LoadPlan& plan) {
    const auto header = ReadPictureHeader(data, size);
    if (!header) return false;
    plan.format = header->format;
    if (plan.format == PictureFormat::Bitmap) {
        // At 4096 pixels a side a bitmap stays within the pixel budget.
        if (!PictureSizeAcceptable(header->width, header->height)) return false;
        m_nWidth = static_cast<std::int32_t>(header->width);
        m_nHeight = static_cast<std::int32_t>(header->height);
        return true;
    }

    Attach(data, size);
    if (!m_bScreenRead || !SizeAcceptable(m_nWidth, m_nHeight)) return false;
    // Every frame's descriptor is read before any is decoded, so a file that
    // asks for too many pixels in all costs nothing but this walk.
    RewindToFirstBlock();
    std::int64_t pixels = 0;
    FrameScan scan;
    while (ScanFrame(scan)) {
        if (++plan.frames == 1) plan.stillRect = scan.rect;
        if (SizeAcceptable(scan.rect.width, scan.rect.height))
            pixels += std::int64_t{scan.rect.width} * scan.rect.height;
        if (pixels > kMaxDecodedPixels) return false;
    }
    if (plan.frames == 0) return false;
    return plan.frames > 1 || SizeAcceptable(plan.stillRect.width, plan.stillRect.height);
}

bool GifParser::Acceptable(const std::uint8_t* data, std::uint32_t size) {
    GifParser probe;
    LoadPlan plan;
    return data && probe.Plan(data, size, plan);
}

bool GifParser::DecodeFrames(const PictureDecoder& decode, const std::function<bool()>& stopRequested) {
    RewindToFirstBlock();
    while (auto image = ExtractFrame()) {
        // A frame too big to show is not worth decoding (nor the memory).
        if (!SizeAcceptable(image->rect.width, image->rect.height)) continue;
        if (stopRequested && stopRequested()) return false;
        auto picture = decode(image->bytes.data(), image->bytes.size());
        if (!picture) continue;
        m_frames.push_back(GifFrame{std::move(picture), image->rect.width, image->rect.height, image->rect.left,
                                    image->rect.top, image->delay, image->disposal});
    }
    return !m_frames.empty();
}

bool GifParser::LoadData(const std::uint8_t* data, std::uint32_t size, const PictureDecoder& decode,
                         const std::function<bool()>& stopRequested) {
    Reset();
    if (!data) return false;
    LoadPlan plan;
    const bool planned = Plan(data, size, plan);
    if (!planned || (stopRequested && stopRequested())) {
        Detach();
        return false;
    }

    if (plan.format == PictureFormat::Bitmap) {
        auto picture = decode(data, size);
        // The decoder must agree with the header that bounded it.
        if (!picture || picture->width != m_nWidth || picture->height != m_nHeight) return false;
        m_pStillPicture = std::move(picture);
        m_stillRect = {0, 0, m_nWidth, m_nHeight};
        return true;
    }

    if (plan.frames == 1) {
        Detach();
        // The decoder takes the first image of the whole file and leaves the
        // rest alone.
        m_pStillPicture = decode(data, size);
        m_stillRect = plan.stillRect;
        return m_pStillPicture != nullptr;
    }

    const bool decoded = DecodeFrames(decode, stopRequested);
    Detach();
    if (!decoded) m_frames.clear();
    return decoded;
}

}  // namespace wv
