/* The floor of the thumbnail benchmark: libjpeg-turbo's own 1/8 scaled decode of every file
 * named on the command line, in one process, into blue-green-red rows kept between files.
 * Prints the file count. Built and run by bench/thumbs_bench.sh. */
/* jpeglib.h needs size_t and FILE declared before it. */
/* clang-format off */
#include <setjmp.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <jpeglib.h>

/* clang-format on */

struct failure {
    struct jpeg_error_mgr mgr;
    jmp_buf jump;
};

static void fail(j_common_ptr cinfo) {
    longjmp(((struct failure*)cinfo->err)->jump, 1);
}

int main(int argc, char** argv) {
    unsigned char* file = NULL;
    size_t fileCap = 0;
    unsigned char* rows = NULL;
    size_t rowsCap = 0;
    int done = 0;
    for (int i = 1; i < argc; ++i) {
        FILE* f = fopen(argv[i], "rb");
        if (f == NULL)
            continue;
        fseek(f, 0, SEEK_END);
        size_t size = (size_t)ftell(f);
        fseek(f, 0, SEEK_SET);
        if (size > fileCap) {
            free(file);
            file = malloc(size);
            fileCap = size;
        }
        size_t got = fread(file, 1, size, f);
        fclose(f);
        struct jpeg_decompress_struct cinfo;
        struct failure err;
        cinfo.err = jpeg_std_error(&err.mgr);
        err.mgr.error_exit = fail;
        if (setjmp(err.jump)) {
            jpeg_destroy_decompress(&cinfo);
            continue;
        }
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, file, (unsigned long)got);
        jpeg_read_header(&cinfo, TRUE);
        cinfo.scale_num = 1;
        cinfo.scale_denom = 8;
        cinfo.out_color_space = JCS_EXT_BGR;
        jpeg_start_decompress(&cinfo);
        size_t stride = ((size_t)cinfo.output_width * 3 + 3) & ~(size_t)3;
        size_t need = stride * cinfo.output_height;
        if (need > rowsCap) {
            free(rows);
            rows = malloc(need);
            rowsCap = need;
        }
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = rows + stride * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        ++done;
    }
    printf("%d\n", done);
    free(file);
    free(rows);
    return 0;
}
