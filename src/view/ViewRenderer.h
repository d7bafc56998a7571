// Renders the visible window of the zoomed picture into the display buffer: bilinear for
// enlargements, nearest neighbour otherwise, a straight copy at 100 %; then the effects.
// The cost is bounded by the pane (at most client + 1 in each direction), not by the zoom.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/ImageBuffer.h"
#include "view/DisplayBuffer.h"
#include "view/ViewTypes.h"

namespace pv {

enum class RenderPath {
    Bilinear,
    NearestNeighbour,
    DirectCopy
};

struct RenderRequest {
    const ImageBuffer* image = nullptr;
    int32_t zoomedWidth = 0;
    int32_t zoomedHeight = 0;
    int32_t zoomPermille = 1000;
    int32_t filter = kFilterBilinear;
    ClientSize client;
    int32_t hPos = 0;  // scroll positions, in pixels of the zoomed picture
    int32_t vPos = 0;
    EffectFlags effects;
    uint8_t grey = 216;
    // A copy for another device (the printer): the source steps are given rather than
    // derived from the zoomed size, and the filter decides the path whatever the direction
    // of scaling.
    float xStep = 0.0f;
    float yStep = 0.0f;
    bool givenSteps = false;
};

// min(zoomed, client + 1) in each direction: the extra column and row fall outside the
// window when the picture is larger than the pane.
ClientSize VisibleSize(int32_t zoomedWidth, int32_t zoomedHeight, ClientSize client);

// Left and top of the picture in the client area: centred when it is smaller than the pane.
ClientSize ImageOffset(int32_t zoomedWidth, int32_t zoomedHeight, ClientSize client);

RenderPath ChooseRenderPath(int32_t zoomPermille, int32_t filter, int32_t zoomedWidth, int32_t imageWidth);

class ViewRenderer {
public:
    // Fills display() with the visible window and applies the effects. False (and an empty
    // display) when there is nothing to draw: no picture, a depth the view does not draw,
    // or a zoomed size of 0.
    bool Render(const RenderRequest& request);

    [[nodiscard]] const DisplayBuffer& display() const { return display_; }

    [[nodiscard]] DisplayBuffer& display() { return display_; }

private:
    struct BilinearStep {
        int32_t x0;  // relative to the first source column the row needs
        int32_t x1;
        float dx;
        int32_t run;  // further pixels of the same source cell, produced by increments
    };

    bool PrepareBuffer(ClientSize visible);
    void RenderDirect(const RenderRequest& rq);
    void RenderNearest(const RenderRequest& rq, float xs, float ys);
    void RenderBilinear(const RenderRequest& rq, float xs, float ys);
    void BuildPalette(const ImageBuffer& image);
    const uint8_t* RowAsBgr(const ImageBuffer& image,
                            int32_t y,
                            int32_t xFirst,
                            int32_t xLast,
                            std::vector<uint8_t>& scratch) const;

    DisplayBuffer display_;
    // Tables that depend only on the column, built once per render and reused by every row.
    std::vector<uint32_t> columns_;
    std::vector<BilinearStep> steps_;
    std::vector<float> vertical_;  // one row of vertically interpolated samples, 4 floats each
    std::vector<uint8_t> scratch0_;
    std::vector<uint8_t> scratch1_;
    uint8_t palette_[256 * 4] = {};
};

}  // namespace pv
