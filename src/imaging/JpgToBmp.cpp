#include "imaging/JpgToBmp.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <jerror.h>
#include <jpeglib.h>
#include <memory>

#include "base/DecodeLimits.h"

namespace pv {

namespace {

// Progressive files can hold any number of scans, each a pass over the blocks of its
// components, and a scan over a flat picture costs the file a few bytes. Encoders write
// about five passes' worth of scans over all of a picture's blocks; far more is treated as
// an attack on our time, and so is a scan count no encoder writes. Small pictures get a
// floor of work that costs a few milliseconds.
constexpr int kMaxScans = 1000;
constexpr uint64_t kMaxBlockPasses = 32;
constexpr uint64_t kMinScanBlocks = uint64_t{1} << 20;
// Every block costs a complete file a bit or more (arithmetic coding of flat areas a few
// hundredths of one); a picture declaring far more blocks than its bytes can hold would
// cost seconds of decoding made-up data after its end.
constexpr uint64_t kMaxBlocksPerByte = 256;
constexpr int kRowBatch = 16;

// Everything libjpeg-turbo touches lives here, in the caller's frame: its error exit jumps
// back into RunDecode, which therefore owns no object that would need destroying.
struct JpegJob {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errorMgr;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;

    std::span<const uint8_t> file;
    int32_t boxWidth = 0;  // 0: the full picture
    int32_t boxHeight = 0;
    HeapBlock* rows = nullptr;
    bool keepRows = false;
    HeapBlock cmykRow;
    int32_t width = 0;
    int32_t height = 0;
    int32_t fullWidth = 0;
    int32_t fullHeight = 0;
    uint32_t stride = 0;
    int32_t rowsDone = 0;
    int lastScan = 0;
    uint64_t scanBlocks = 0;  // blocks of every scan seen so far, each counted once per scan
    bool cmyk = false;
    bool invertedCmyk = false;
    Status status = Status::Ok;
};

JpegJob* JobOf(j_common_ptr cinfo) {
    // The error manager is a member of the job; step back to the job from it.
    return reinterpret_cast<JpegJob*>(reinterpret_cast<char*>(cinfo->err) - offsetof(JpegJob, errorMgr));
}

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    std::longjmp(JobOf(cinfo)->jump, 1);
}

void OutputMessage(j_common_ptr) {
    // Warnings about corrupt data are not printed: the picture shows what could be read.
}

uint64_t BlocksOf(const jpeg_component_info& c) {
    return uint64_t{c.width_in_blocks} * c.height_in_blocks;
}

// Called as the input is consumed: each new scan is charged its blocks before its data is
// decoded, and the decode stops once the charge passes what the picture justifies.
void ProgressMonitor(j_common_ptr cinfo) {
    if (cinfo->is_decompressor == 0) {
        return;
    }
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    JpegJob* job = JobOf(cinfo);
    if (d->input_scan_number == job->lastScan) {
        return;
    }
    job->lastScan = d->input_scan_number;
    uint64_t pictureBlocks = 0;
    for (int i = 0; i < d->num_components; ++i) {
        pictureBlocks += BlocksOf(d->comp_info[i]);
    }
    for (int i = 0; i < d->comps_in_scan && i < MAX_COMPS_IN_SCAN; ++i) {
        job->scanBlocks += BlocksOf(*d->cur_comp_info[i]);
    }
    if (d->input_scan_number > kMaxScans ||
        job->scanBlocks > std::max(kMinScanBlocks, kMaxBlockPasses * pictureBlocks)) {
        job->status = Status::TooLarge;
        ErrorExit(cinfo);
    }
}

// C++ work done between library calls; never interrupted by the error exit.
bool PrepareRows(JpegJob& job) {
    job.width = static_cast<int32_t>(job.cinfo.output_width);
    job.height = static_cast<int32_t>(job.cinfo.output_height);
    const size_t cmykBytes = job.cmyk ? 4 * static_cast<size_t>(job.width) : 0;
    if (Status s = CheckPictureSize(job.width, job.height, cmykBytes); s != Status::Ok) {
        job.status = s;
        return false;
    }
    job.stride = RowStride(24, job.width);
    const size_t size = size_t{job.stride} * static_cast<size_t>(job.height);
    // The library's own buffers (a progressive picture's coefficients, two bytes each) get
    // what our rows leave of the budget.
    job.cinfo.mem->max_memory_to_use = static_cast<long>(std::min<size_t>(DecodeBudget() - size - cmykBytes, LONG_MAX));
    const bool reuse = job.keepRows && job.rows->size() >= size;
    if ((!reuse && !job.rows->Allocate(HeapId::Jpeg, size, false)) ||
        (job.cmyk && !job.cmykRow.Allocate(HeapId::Jpeg, 4 * static_cast<size_t>(job.width), false))) {
        job.status = Status::OutOfMemory;
        return false;
    }
    // Row padding is never written by the decoder.
    const size_t used = 3 * static_cast<size_t>(job.width);
    if (used < job.stride) {
        for (int32_t y = 0; y < job.height; ++y) {
            std::memset(job.rows->data() + size_t{job.stride} * static_cast<size_t>(y) + used, 0, job.stride - used);
        }
    }
    return true;
}

uint8_t* RowAt(const JpegJob& job, JDIMENSION y) {
    return job.rows->data() + size_t{job.stride} * y;
}

// Libjpeg-turbo delivers CMYK as Adobe writes it, inverted; files without Adobe's marker
// hold plain CMYK and are inverted first.
void CmykRowToBgr(const JpegJob& job, uint8_t* dst) {
    const uint8_t* src = job.cmykRow.data();
    const unsigned flip = job.invertedCmyk ? 0u : 255u;
    for (int32_t x = 0; x < job.width; ++x, src += 4, dst += 3) {
        const Bgr p = InvertedCmykToBgr(src[0] ^ flip, src[1] ^ flip, src[2] ^ flip, src[3] ^ flip);
        dst[0] = p.b;
        dst[1] = p.g;
        dst[2] = p.r;
    }
}

// Only trivially destructible locals: libjpeg-turbo's error exit longjmps back to the
// setjmp below.
void RunDecode(JpegJob& job) {
    std::memset(&job.cinfo, 0, sizeof job.cinfo);
    job.cinfo.err = jpeg_std_error(&job.errorMgr);
    job.errorMgr.error_exit = ErrorExit;
    job.errorMgr.output_message = OutputMessage;
    if (setjmp(job.jump) != 0) {
        jpeg_destroy_decompress(&job.cinfo);
        if (job.status == Status::Ok) {
            // Its buffers not fitting what the budget leaves (it has no backing store).
            job.status = job.errorMgr.msg_code == JERR_NO_BACKING_STORE ? Status::TooLarge : Status::BadData;
        }
        return;
    }
    jpeg_create_decompress(&job.cinfo);
    job.progress.progress_monitor = ProgressMonitor;
    job.cinfo.progress = &job.progress;
    jpeg_mem_src(&job.cinfo, job.file.data(), static_cast<unsigned long>(job.file.size()));
    jpeg_read_header(&job.cinfo, TRUE);
    uint64_t pictureBlocks = 0;
    for (int i = 0; i < job.cinfo.num_components; ++i) {
        pictureBlocks += BlocksOf(job.cinfo.comp_info[i]);
    }
    if (pictureBlocks > kMaxBlocksPerByte * job.file.size()) {
        job.status = Status::TooLarge;
        jpeg_destroy_decompress(&job.cinfo);
        return;
    }
    job.fullWidth = static_cast<int32_t>(job.cinfo.image_width);
    job.fullHeight = static_cast<int32_t>(job.cinfo.image_height);
    job.cmyk = job.cinfo.jpeg_color_space == JCS_CMYK || job.cinfo.jpeg_color_space == JCS_YCCK;
    job.invertedCmyk = job.cinfo.saw_Adobe_marker != 0;
    job.cinfo.out_color_space = job.cmyk ? JCS_CMYK : JCS_EXT_BGR;
    job.cinfo.scale_num = 1;
    job.cinfo.scale_denom = static_cast<unsigned>(
            job.boxWidth > 0 ? CJpgToBmp::ReductionFor(job.fullWidth, job.fullHeight, job.boxWidth, job.boxHeight) : 1);
    jpeg_calc_output_dimensions(&job.cinfo);
    if (!PrepareRows(job)) {
        jpeg_destroy_decompress(&job.cinfo);
        return;
    }
    jpeg_start_decompress(&job.cinfo);
    while (job.cinfo.output_scanline < job.cinfo.output_height) {
        if (job.cmyk) {
            JSAMPROW row = job.cmykRow.data();
            const JDIMENSION y = job.cinfo.output_scanline;
            if (jpeg_read_scanlines(&job.cinfo, &row, 1) != 1) {
                break;
            }
            CmykRowToBgr(job, RowAt(job, y));
            ++job.rowsDone;
            continue;
        }
        JSAMPROW rows[kRowBatch];
        const JDIMENSION first = job.cinfo.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(kRowBatch, job.cinfo.output_height - first);
        for (JDIMENSION i = 0; i < count; ++i) {
            rows[i] = RowAt(job, first + i);
        }
        const JDIMENSION got = jpeg_read_scanlines(&job.cinfo, rows, count);
        if (got == 0) {
            break;
        }
        job.rowsDone += static_cast<int32_t>(got);
    }
    jpeg_finish_decompress(&job.cinfo);
    jpeg_destroy_decompress(&job.cinfo);
}

}  // namespace

int32_t CJpgToBmp::ReductionFor(int32_t width, int32_t height, int32_t boxWidth, int32_t boxHeight) {
    if (boxWidth <= 0 || boxHeight <= 0) {
        return 8;
    }
    const float ratio = std::max(static_cast<float>(width) / static_cast<float>(boxWidth),
                                 static_cast<float>(height) / static_cast<float>(boxHeight));
    if (ratio <= 1.0f) {
        return 1;
    }
    if (ratio <= 3.0f) {
        return 2;
    }
    if (ratio <= 6.0f) {
        return 4;
    }
    return 8;
}

Status CJpgToBmp::Read(std::span<const uint8_t> file) {
    return Decode(file, 0, 0, nullptr, nullptr);
}

Status CJpgToBmp::ReadScaled(std::span<const uint8_t> file,
                             int32_t boxWidth,
                             int32_t boxHeight,
                             int32_t& fullWidth,
                             int32_t& fullHeight) {
    return Decode(file, boxWidth <= 0 ? 1 : boxWidth, boxHeight <= 0 ? 1 : boxHeight, &fullWidth, &fullHeight);
}

Status CJpgToBmp::Decode(std::span<const uint8_t> file,
                         int32_t boxWidth,
                         int32_t boxHeight,
                         int32_t* fullWidth,
                         int32_t* fullHeight) {
    image_ = {};
    if (!keepRows_) {
        rows_.Reset();
    }
    if (file.size() > ULONG_MAX) {
        return Status::TooLarge;
    }
    auto job = std::make_unique<JpegJob>();
    job->file = file;
    job->rows = &rows_;
    job->keepRows = keepRows_;
    job->boxWidth = boxWidth;
    job->boxHeight = boxHeight;
    RunDecode(*job);
    if (job->rowsDone == 0 || job->status == Status::TooLarge || job->status == Status::OutOfMemory) {
        if (!keepRows_) {
            rows_.Reset();
        }
        return job->status == Status::Ok ? Status::BadData : job->status;
    }
    // A decode that stopped part-way keeps its rows; the ones it never reached are black.
    if (job->rowsDone < job->height) {
        const size_t done = size_t{job->stride} * static_cast<size_t>(job->rowsDone);
        std::memset(rows_.data() + done, 0, size_t{job->stride} * static_cast<size_t>(job->height) - done);
    }
    if (fullWidth != nullptr && fullHeight != nullptr) {
        *fullWidth = job->fullWidth;
        *fullHeight = job->fullHeight;
    }
    image_.width = job->width;
    image_.height = job->height;
    image_.bitsPerPixel = 24;
    image_.stride = job->stride;
    image_.pixels = rows_.data();
    return Status::Ok;
}

}  // namespace pv
