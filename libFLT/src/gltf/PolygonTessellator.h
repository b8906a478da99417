#pragma once

#include <array>
#include <deque>
#include <vector>

struct GLUtesselator;

// Splits a planar polygon, convex or not, into triangles: a convex
// quadrilateral directly, anything else with GLU's tessellator. Triangles keep the outline's winding. Where edges of a
// self-intersecting outline cross, the tessellator makes new points; each
// is a weighted blend of up to four earlier points.
class PolygonTessellator {
public:
    struct Crossing {
        std::array<int, 4> from;  // point numbers, -1 where unused
        std::array<float, 4> weight;
    };

    PolygonTessellator();
    ~PolygonTessellator();
    PolygonTessellator(const PolygonTessellator&) = delete;
    PolygonTessellator& operator=(const PolygonTessellator&) = delete;

    // outline: x, y, z per point; normal: the polygon's plane normal. On
    // return, triangles holds three point numbers a triangle: 0..n-1 are the
    // outline's points, n + k is crossings[k]. False when GLU gave up.
    bool tessellate(const std::vector<double>& outline, const double normal[3],
                    std::vector<int>& triangles, std::vector<Crossing>& crossings);

private:
    struct Point {
        double xyz[3];
        int number;
    };

    static void onVertex(void* vertex, void* self);
    static void onCombine(const double xyz[3], void* from[4], const float weight[4], void** out,
                          void* self);
    static void onEdgeFlag(unsigned char flag, void* self);
    static void onError(unsigned int code, void* self);

    GLUtesselator* tess_;
    std::deque<Point> points_;  // stable addresses: GLU keeps pointers to them
    std::vector<int>* triangles_ = nullptr;
    std::vector<Crossing>* crossings_ = nullptr;
    int outlineSize_ = 0;
    bool failed_ = false;
};
