// pictavo-cli render FILE OUT.bmp --client W H [...]: opens FILE as the image view does in
// a view of the given client size, applies zoom, resize, scroll, filter and effects in a
// fixed order, renders once and writes the display buffer as a 24-bit BMP. Prints
// "zoom=PERMILLE zoomed=WxH visible=WxH offset=X,Y scroll=H,V".
#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

#include "cli/Cli.h"
#include "imaging/BmpWriter.h"
#include "platform/FileSystem.h"
#include "view/BackgroundGrey.h"
#include "view/ImageView.h"
#include "view/SimulatedScrollHost.h"

namespace pv::cli {

namespace {

constexpr const char* kRenderUsage =
        "usage: pictavo-cli render FILE OUT.bmp --client W H [--fit] [--zoom-in N] [--zoom-out N] [--wheel-in N] "
        "[--wheel-out N] [--filter 1|2] [--effects gray,hflip,vflip,negative,glass,stippled] [--scroll H V] "
        "[--resize W H] [--grey V]\n";

struct RenderOptions {
    std::string in;
    std::string out;
    ClientSize client{-1, -1};
    bool fit = false;
    int32_t zoomIns = 0;
    int32_t zoomOuts = 0;
    int32_t wheelIns = 0;
    int32_t wheelOuts = 0;
    std::optional<int32_t> filter;
    EffectFlags effects;
    std::optional<Point> scroll;
    std::optional<ClientSize> resize;
    std::optional<uint8_t> grey;
};

bool ParseInt(const std::string& text, int32_t& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

bool ParseEffects(std::string_view list, EffectFlags& e) {
    while (!list.empty()) {
        const size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        if (name == "gray") {
            e.grayScale = true;
        } else if (name == "hflip") {
            e.horizontalFlip = true;
        } else if (name == "vflip") {
            e.verticalFlip = true;
        } else if (name == "negative") {
            e.negative = true;
        } else if (name == "glass") {
            e.glass = true;
        } else if (name == "stippled") {
            e.stippledGlass = true;
        } else {
            return false;
        }
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return true;
}

bool ParseOptions(const Args& args, RenderOptions& o) {
    if (args.size() < 2) {
        return false;
    }
    o.in = args[0];
    o.out = args[1];
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto take = [&](int32_t& v) { return i + 1 < args.size() && ParseInt(args[++i], v); };
        int32_t x = 0;
        int32_t y = 0;
        if (a == "--client") {
            if (!take(x) || !take(y) || x < 0 || y < 0) {
                return false;
            }
            o.client = {x, y};
        } else if (a == "--fit") {
            o.fit = true;
        } else if (a == "--zoom-in" || a == "--zoom-out" || a == "--wheel-in" || a == "--wheel-out") {
            if (!take(x) || x < 0) {
                return false;
            }
            (a == "--zoom-in"    ? o.zoomIns
             : a == "--zoom-out" ? o.zoomOuts
             : a == "--wheel-in" ? o.wheelIns
                                 : o.wheelOuts) = x;
        } else if (a == "--filter") {
            if (!take(x) || (x != kFilterNearest && x != kFilterBilinear)) {
                return false;
            }
            o.filter = x;
        } else if (a == "--effects") {
            if (i + 1 >= args.size() || !ParseEffects(args[++i], o.effects)) {
                return false;
            }
        } else if (a == "--scroll") {
            if (!take(x) || !take(y)) {
                return false;
            }
            o.scroll = Point{x, y};
        } else if (a == "--resize") {
            if (!take(x) || !take(y) || x < 1 || y < 1) {
                return false;
            }
            o.resize = ClientSize{x, y};
        } else if (a == "--grey") {
            if (!take(x) || x < 0 || x > 255) {
                return false;
            }
            o.grey = static_cast<uint8_t>(x);
        } else {
            return false;
        }
    }
    return o.client.width >= 0;
}

}  // namespace

int RunRender(const Args& args) {
    RenderOptions o;
    if (!ParseOptions(args, o)) {
        std::fputs(kRenderUsage, stderr);
        return kExitUsage;
    }
    if (o.grey) {
        BackgroundGrey().store(*o.grey);
    }
    SimulatedScrollHost host(o.client);
    ImageView view(host, nullptr, nullptr);
    const std::string in = ProgramPathFromHost(o.in);
    if (view.OpenInView(o.fit, in) == 0) {
        std::fprintf(stderr, "%s: cannot be shown\n", o.in.c_str());
        return kExitFailed;
    }
    if (view.Image() == nullptr) {
        std::fprintf(stderr, "%s: %s\n", o.in.c_str(),
                     view.IsMedia() ? "a media file has no picture" : "nothing to show");
        return kExitFailed;
    }
    ZoomModel& zoom = view.zoom();
    for (int32_t i = 0; i < o.zoomIns; ++i) {
        zoom.ZoomIn();
    }
    for (int32_t i = 0; i < o.zoomOuts; ++i) {
        zoom.ZoomOutAt(std::nullopt, kZoomStep);
    }
    auto cursor = [&] { return Point{zoom.Client().width / 2, zoom.Client().height / 2}; };
    for (int32_t i = 0; i < o.wheelIns; ++i) {
        zoom.Wheel(120, cursor());
    }
    for (int32_t i = 0; i < o.wheelOuts; ++i) {
        zoom.Wheel(-120, cursor());
    }
    if (o.resize && !zoom.Resize(o.resize->width, o.resize->height, zoom.Filter())) {
        std::fputs("the resize is beyond what the view can scroll\n", stderr);
        return kExitFailed;
    }
    if (o.scroll) {
        zoom.SetPosition(ScrollBar::Horizontal, o.scroll->x);
        zoom.SetPosition(ScrollBar::Vertical, o.scroll->y);
    }
    if (o.filter) {
        zoom.SetFilter(*o.filter);
    }
    view.SetEffects(o.effects);
    if (!view.RenderVisible()) {
        std::fputs("nothing to draw at this zoom\n", stderr);
        return kExitFailed;
    }
    const DisplayBuffer& d = view.display();
    const ImageBuffer out = BorrowAsImage(d);
    if (WriteWholeFile(ProgramPathFromHost(o.out), Encode24BitBmp(out)) != Status::Ok) {
        std::fprintf(stderr, "%s: cannot write the picture\n", o.out.c_str());
        return kExitFailed;
    }
    const ClientSize offset = ImageOffset(zoom.ZoomedWidth(), zoom.ZoomedHeight(), zoom.Client());
    std::printf("zoom=%d zoomed=%dx%d visible=%dx%d offset=%d,%d scroll=%d,%d\n", zoom.Permille(), zoom.ZoomedWidth(),
                zoom.ZoomedHeight(), d.width, d.height, offset.width, offset.height,
                zoom.Position(ScrollBar::Horizontal), zoom.Position(ScrollBar::Vertical));
    return kExitOk;
}

}  // namespace pv::cli
