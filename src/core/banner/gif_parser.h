#pragma once
// Interpreting a picture file held in memory: whether it is a GIF, how many
// frames it holds and, for an animation, cutting every frame out as a
// stand-alone single-image GIF ("frame image") that is decoded on its own.
//
// The parser walks the block structure only; it never decodes image data.
// Turning bytes into pixels is the job of the decoder handed to LoadData.
// Before the decoder sees anything, the headers settle whether the file is
// worth it: a GIF or a Windows bitmap, 1..4096 pixels a side, and no more
// than kMaxDecodedPixels for all of its images together.
//
// Threads: a parser belongs to one thread at a time.  The animated picture
// control owns one and lets its animation thread read the frames only while
// no load is running.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/banner/picture.h"
#include "core/banner/picture_header.h"

namespace wv {

// A rectangle in the logical screen, in pixels.
struct GifRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

enum class GifBlockKind {
    Unknown,
    GraphicControlExtension,
    ApplicationExtension,
    CommentExtension,
    PlainTextExtension,
    ImageDescriptor,
    Trailer,
};

// One decoded frame of an animation, in file order.
struct GifFrame {
    std::shared_ptr<const wv::Picture> picture;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    // Hundredths of a second from the graphic control extension; -1 when the
    // frame has none.
    std::int32_t delay = -1;
    // 0 to 7 from the graphic control extension; 0 when the frame has none.
    std::int32_t disposal = 0;

    GifRect Rect() const { return {left, top, width, height}; }
};

// A frame cut out of the file: a complete GIF holding the animation's header,
// logical screen and global colour table, the frame's blocks and a trailer.
struct GifFrameImage {
    std::vector<std::uint8_t> bytes;
    std::int32_t delay = -1;
    std::int32_t disposal = 0;
    // The image descriptor's rectangle; the whole logical screen for a frame
    // closed by a plain-text extension, which has no descriptor.
    GifRect rect;
};

class GifParser {
public:
    // Pictures wider or taller than this (or empty) are refused.
    static constexpr std::int32_t kMaxPictureSide = wv::kMaxPictureSide;

    // Interprets a whole picture file (the caller keeps the bytes; they are
    // not used after the call).  Resets the previous load first.  True when a
    // picture is ready to draw: an animation's decoded frames, or the still
    // picture of a one-frame GIF or of a Windows bitmap.
    //
    // Nothing is decoded for a file Acceptable refuses.  An animation frame
    // too large to show is passed over.  stopRequested, when given, is asked
    // before each image is decoded; once it answers true the load ends as a
    // failure.  Any thread may be answering it.
    bool LoadData(const std::uint8_t* data, std::uint32_t size, const PictureDecoder& decode,
                  const std::function<bool()>& stopRequested = {});

    // Whether LoadData would decode the file, judged from its headers alone:
    // a GIF whose screen is 1..4096 pixels a side and that holds a frame, or
    // a Windows bitmap of that size, either within kMaxDecodedPixels.
    // Decodes nothing; any thread.
    static bool Acceptable(const std::uint8_t* data, std::uint32_t size);

    // Drops everything a load produced; the picture size stays.
    void Reset();

    bool IsGif() const { return m_bIsGif; }
    // A GIF split into more than one decoded frame.
    bool IsAnimated() const { return m_bIsGif && m_frames.size() > 1; }
    // The logical screen of a GIF, the natural size of anything else; the
    // last size set, also after a failed load.
    std::int32_t Width() const { return m_nWidth; }
    std::int32_t Height() const { return m_nHeight; }
    const std::vector<GifFrame>& Frames() const { return m_frames; }
    // The picture of a load that is not split into frames, and where it goes.
    const std::shared_ptr<const wv::Picture>& StillPicture() const { return m_pStillPicture; }
    GifRect StillRect() const { return m_stillRect; }

    // The operations below work on data attached for the time of a parse;
    // each fails at once (or classifies Unknown) when none is attached.

    // Attaches data, recognises GIF ("GIF87a"/"GIF89a") and reads its logical
    // screen; returns whether it is a GIF.
    bool Attach(const std::uint8_t* data, std::uint32_t size);
    void Detach();

    // The kind of the block at the cursor.  A block whose fixed part does not
    // fit in the data is Unknown.
    GifBlockKind ClassifyBlock() const;
    // Total length of the block at the cursor: -1 for Unknown, 0 when its
    // sub-block chain has no positive length.
    std::int64_t BlockLength() const;
    // Length of the sub-block chain starting at offset, terminator included.
    // A chain that runs off the end yields a length reaching past the end.
    std::int64_t SubBlockChainLength(std::uint64_t offset) const;
    // Moves the cursor past the block at the cursor; a failed skip leaves the
    // cursor where it was.
    bool SkipBlock();
    // Moves the cursor past the next frame.
    bool SkipFrame();
    // The next frame as a frame image, or nothing when there is no further
    // (well-formed) frame.
    std::optional<GifFrameImage> ExtractFrame();
    void RewindToFirstBlock();
    std::uint32_t Cursor() const { return m_nCursor; }

private:
    struct FrameScan;
    struct LoadPlan;

    // Settles from the headers what a load decodes; the GIF's data stays
    // attached on success.
    bool Plan(const std::uint8_t* data, std::uint32_t size, LoadPlan& plan);
    bool DecodeFrames(const PictureDecoder& decode, const std::function<bool()>& stopRequested);

    GifBlockKind Classify(std::uint32_t* fixedLength) const;
    bool ScanFrame(FrameScan& scan);
    std::uint16_t Read16(std::uint64_t offset) const;
    std::uint32_t HeaderLength() const { return 13 + m_nGlobalTableSize; }
    bool SizeAcceptable(std::int32_t width, std::int32_t height) const;

    const std::uint8_t* m_pData = nullptr;
    std::uint32_t m_nDataSize = 0;
    std::uint32_t m_nCursor = 0;
    std::uint32_t m_nGlobalTableSize = 0;
    bool m_bIsGif = false;
    bool m_bScreenRead = false;
    std::int32_t m_nWidth = 0;
    std::int32_t m_nHeight = 0;
    std::vector<GifFrame> m_frames;
    std::shared_ptr<const wv::Picture> m_pStillPicture;
    GifRect m_stillRect;
};

}  // namespace wv
