// pictavo-cli thumb FILE OUT.bmp: the 104 x 105 thumbnail of one file as the producer makes
// it, written as a 24-bit BMP; prints "STATUS FULLWxFULLH".
// pictavo-cli thumbs FOLDER [--ext JPG,...] [--workers N] [--sheet OUT.bmp]: searches FOLDER
// as the search dialog does (subfolders included, JPG, JPEG and JFIF unless --ext says
// otherwise, sorted by name), runs the producer over the whole result batch by batch and
// prints the count, the statuses and the wall time. --sheet writes the grid as the view
// paints it at scroll position 0 in a 1280-pixel-wide client: cells at the grid's places on
// the background colour, caption boxes without their texts, nothing tinted.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/CheckedMath.h"
#include "base/DecodeLimits.h"
#include "cli/Cli.h"
#include "imaging/BmpWriter.h"
#include "imaging/ThumbSlot.h"
#include "platform/FileSystem.h"
#include "search/FolderWalk.h"
#include "search/Ordering.h"
#include "search/SharedLists.h"
#include "thumbs/ThumbGrid.h"
#include "thumbs/ThumbProducer.h"

namespace pv::cli {

namespace {

constexpr const char* kThumbUsage = "usage: pictavo-cli thumb FILE OUT.bmp\n";
constexpr const char* kThumbsUsage =
        "usage: pictavo-cli thumbs FOLDER [--ext JPG,...] [--workers N] [--sheet OUT.bmp]\n";

constexpr int32_t kSheetClientWidth = 1280;
constexpr int32_t kScrollBarWidth = 17;
constexpr Bgr kBackground{209, 211, 208};
constexpr Bgr kCaptionBox{233, 236, 232};

ImageBuffer ThumbImage(const uint8_t* pixels) {
    ImageBuffer image;
    image.width = kThumbWidth;
    image.height = kThumbHeight;
    image.bitsPerPixel = 24;
    image.stride = kThumbStride;
    image.pixels = const_cast<uint8_t*>(pixels);
    return image;
}

// The grid as the view paints it at scroll position 0, one row of cells after another.
class Sheet {
public:
    bool Open(int32_t count) {
        layout_ = LayOutGrid(kSheetClientWidth, kScrollBarWidth, 0, count);
        width_ = kSheetClientWidth;
        height_ = std::max(layout_.rows, 1) * kCellPitchY;
        const size_t bytes = Budgeted24BitSize(width_, height_);
        if (bytes == 0) {
            return false;
        }
        stride_ = RowStride(24, width_);
        pixels_.assign(bytes, 0);
        Fill(0, 0, width_, height_, kBackground);
        return true;
    }

    void Draw(int32_t index, const ThumbCell& cell) {
        const int32_t row = index / layout_.columns;
        const CellOrigin at = CellOriginOf(row, index % layout_.columns, 0);
        Fill(at.x, at.y + kCaptionTop, at.x + kThumbWidth, at.y + kCaptionBottom, kCaptionBox);
        if (cell.pixels == nullptr) {
            return;
        }
        for (int32_t y = 0; y < kThumbHeight; ++y) {
            std::memcpy(Pixel(at.x, at.y + y), cell.pixels + static_cast<size_t>(y) * kThumbStride, kThumbStride);
        }
    }

    [[nodiscard]] bool Write(const std::string& path) const {
        ImageBuffer image;
        image.width = width_;
        image.height = height_;
        image.stride = stride_;
        image.pixels = const_cast<uint8_t*>(pixels_.data());
        return WriteWholeFile(path, Encode24BitBmp(image)) == Status::Ok;
    }

private:
    uint8_t* Pixel(int32_t x, int32_t y) {
        return pixels_.data() + size_t{stride_} * static_cast<size_t>(y) + 3 * static_cast<size_t>(x);
    }

    void Fill(int32_t left, int32_t top, int32_t right, int32_t bottom, Bgr colour) {
        for (int32_t y = top; y < bottom && y < height_; ++y) {
            uint8_t* p = Pixel(left, y);
            for (int32_t x = left; x < right && x < width_; ++x, p += 3) {
                p[0] = colour.b;
                p[1] = colour.g;
                p[2] = colour.r;
            }
        }
    }

    GridLayout layout_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    uint32_t stride_ = 0;
    std::vector<uint8_t> pixels_;
};

bool ParseWorkers(const std::string& text, unsigned& workers) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '8') {
        return false;
    }
    workers = static_cast<unsigned>(text[0] - '0');
    return true;
}

}  // namespace

int RunThumb(const Args& args) {
    if (args.size() != 2) {
        std::fputs(kThumbUsage, stderr);
        return kExitUsage;
    }
    ThumbSlot slot;
    ThumbScratch scratch;
    if (!DecodeThumbnail(slot, ProgramPathFromHost(args[0]), scratch)) {
        std::fprintf(stderr, "%s: no memory for the thumbnail\n", args[0].c_str());
        return kExitFailed;
    }
    if (WriteWholeFile(ProgramPathFromHost(args[1]), Encode24BitBmp(ThumbImage(slot.pixels.data()))) != Status::Ok) {
        std::fprintf(stderr, "%s: cannot write the thumbnail\n", args[1].c_str());
        return kExitFailed;
    }
    std::printf("%d %dx%d\n", static_cast<int>(slot.status), slot.fullWidth, slot.fullHeight);
    return kExitOk;
}

int RunThumbs(const Args& args) {
    if (args.empty()) {
        std::fputs(kThumbsUsage, stderr);
        return kExitUsage;
    }
    SearchCriteria criteria;
    criteria.root = ProgramPathFromHost(args[0]);
    if (!criteria.root.empty() && criteria.root.back() != '\\') {
        criteria.root += '\\';
    }
    std::string extensions = "JPG,JPEG,JFIF";
    unsigned workers = DefaultThumbWorkers();
    std::string sheetPath;
    for (size_t i = 1; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--ext" && hasValue) {
            extensions = args[++i];
        } else if (args[i] == "--workers" && hasValue && ParseWorkers(args[i + 1], workers)) {
            ++i;
        } else if (args[i] == "--sheet" && hasValue) {
            sheetPath = args[++i];
        } else {
            std::fputs(kThumbsUsage, stderr);
            return kExitUsage;
        }
    }
    SharedLists lists;
    {
        SharedLists::Access state = lists.Lock();
        if (!CheckExtensionRows(extensions, state->ExtensionChecked)) {
            return kExitUsage;
        }
        criteria.extensions = CheckedExtensions(state->ExtensionChecked);
    }
    if (RunSearch(lists, criteria).outcome == SearchOutcome::RootHasNoEntries) {
        std::puts("root has no entries");
        return kExitFailed;
    }
    int32_t count = 0;
    {
        SharedLists::Access state = lists.Lock();
        if (!state->ResultList.Empty()) {
            SortResultByText(*state, "Name");
        }
        count = state->ResultList.Count();
    }
    Sheet sheet;
    if (!sheetPath.empty() && !sheet.Open(count)) {
        std::fputs("the sheet would exceed the decode budget\n", stderr);
        return kExitFailed;
    }

    ThumbProducer producer(lists, workers);
    std::array<int32_t, 4> statuses{};
    int32_t missing = 0;  // records whose slot had no thumbnail after their batch
    const auto started = std::chrono::steady_clock::now();
    for (int32_t first = 0; first < count; first += static_cast<int32_t>(kThumbBatchSize)) {
        producer.SetBatchStart(static_cast<uint32_t>(first));
        producer.Start();
        producer.WaitForBatch();
        const int32_t end = std::min<int32_t>(count, first + static_cast<int32_t>(kThumbBatchSize));
        for (int32_t i = first; i < end; ++i) {
            bool decodedHere = false;
            producer.VisitCell(
                    static_cast<uint32_t>(i),
                    [&](const ThumbCell& cell) {
                        statuses[static_cast<size_t>(cell.status) & 3]++;
                        if (!sheetPath.empty()) {
                            sheet.Draw(i, cell);
                        }
                    },
                    &decodedHere);
            missing += decodedHere ? 1 : 0;
        }
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    std::printf("count %d\n", count);
    std::printf("picture %d video %d audio %d unreadable %d\n", statuses[0], statuses[1], statuses[2], statuses[3]);
    std::printf("workers %u\n", producer.workers());
    std::printf("wall %.1f ms\n", ms);
    if (missing != 0) {
        std::printf("missing %d\n", missing);
    }
    if (!sheetPath.empty() && !sheet.Write(ProgramPathFromHost(sheetPath))) {
        std::fprintf(stderr, "%s: cannot write the sheet\n", sheetPath.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace pv::cli
