#include "imaging/JpegWriter.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
#include <memory>

#include "base/Text.h"
#include "imaging/BmpWriter.h"
#include "platform/FileSystem.h"

namespace pv {

namespace {

// Everything libjpeg-turbo touches lives here, in the caller's frame: its error exit jumps
// back into RunEncode, which therefore owns no object that would need destroying.
struct EncodeJob {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errorMgr;
    std::jmp_buf jump;
    const ImageBuffer* image = nullptr;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    bool ok = false;
};

[[noreturn]] void EncodeErrorExit(j_common_ptr cinfo) {
    auto* job = reinterpret_cast<EncodeJob*>(reinterpret_cast<char*>(cinfo->err) - offsetof(EncodeJob, errorMgr));
    std::longjmp(job->jump, 1);
}

void Silent(j_common_ptr) {}

void RunEncode(EncodeJob& job) {
    std::memset(&job.cinfo, 0, sizeof job.cinfo);
    job.cinfo.err = jpeg_std_error(&job.errorMgr);
    job.errorMgr.error_exit = EncodeErrorExit;
    job.errorMgr.output_message = Silent;
    if (setjmp(job.jump) != 0) {
        jpeg_destroy_compress(&job.cinfo);
        return;
    }
    jpeg_create_compress(&job.cinfo);
    jpeg_mem_dest(&job.cinfo, &job.buffer, &job.size);
    job.cinfo.image_width = static_cast<JDIMENSION>(job.image->width);
    job.cinfo.image_height = static_cast<JDIMENSION>(job.image->height);
    job.cinfo.input_components = 3;
    job.cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&job.cinfo);
    // 4:2:0: luminance sampled twice as densely as chroma both ways.
    job.cinfo.comp_info[0].h_samp_factor = 2;
    job.cinfo.comp_info[0].v_samp_factor = 2;
    job.cinfo.comp_info[1].h_samp_factor = 1;
    job.cinfo.comp_info[1].v_samp_factor = 1;
    job.cinfo.comp_info[2].h_samp_factor = 1;
    job.cinfo.comp_info[2].v_samp_factor = 1;
    jpeg_start_compress(&job.cinfo, TRUE);
    while (job.cinfo.next_scanline < job.cinfo.image_height) {
        JSAMPROW row = job.image->pixels + size_t{job.image->stride} * job.cinfo.next_scanline;
        jpeg_write_scanlines(&job.cinfo, &row, 1);
    }
    jpeg_finish_compress(&job.cinfo);
    jpeg_destroy_compress(&job.cinfo);
    job.ok = true;
}

}  // namespace

std::string DefaultSaveName(std::string_view currentPath) {
    std::string_view name = FileNameOf(currentPath);
    const size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string SaveNameFor(std::string_view chosenPath, SaveFormat format) {
    const std::string_view extension = format == SaveFormat::Jpeg ? "jpg" : "bmp";
    // Only a "." in the file name counts: one in a folder name is not an extension.
    const size_t nameStart = chosenPath.size() - FileNameOf(chosenPath).size();
    const size_t dot = chosenPath.rfind('.');
    std::string out(chosenPath);
    if (dot == std::string_view::npos || dot < nameStart) {
        out += '.';
    } else {
        out.resize(dot + 1);
    }
    out += extension;
    return out;
}

Status EncodeJpeg(const ImageBuffer& image, std::vector<uint8_t>& out) {
    out.clear();
    if (!image.HasPicture() || image.bitsPerPixel != 24) {
        return Status::BadHeader;
    }
    auto job = std::make_unique<EncodeJob>();
    job->image = &image;
    RunEncode(*job);
    if (job->ok && job->buffer != nullptr) {
        out.assign(job->buffer, job->buffer + job->size);
    }
    std::free(job->buffer);
    return job->ok ? Status::Ok : Status::IoError;
}

Status SavePicture(const std::string& path, const ImageBuffer& image, SaveFormat format) {
    if (!image.HasPicture()) {
        return Status::BadHeader;
    }
    std::vector<uint8_t> bytes;
    if (format == SaveFormat::Jpeg) {
        if (Status s = EncodeJpeg(image, bytes); s != Status::Ok) {
            return s;
        }
    } else {
        bytes = Encode24BitBmp(image);
    }
    return WriteWholeFile(path, bytes);
}

}  // namespace pv
