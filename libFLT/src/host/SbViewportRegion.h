#pragma once

// Size of the window a scene is viewed in; actions that do not rasterize only
// carry it along.
class SbViewportRegion {
public:
    SbViewportRegion() = default;
    SbViewportRegion(short width, short height) : width_(width), height_(height) {}

    short getWidth() const { return width_; }
    short getHeight() const { return height_; }

private:
    short width_ = 100;
    short height_ = 100;
};
