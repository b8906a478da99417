#include "PolygonTessellator.h"

#include <GL/glu.h>

#ifndef CALLBACK
#define CALLBACK
#endif

using GluCallback = void(CALLBACK*)();

namespace {

// A quadrilateral that turns the same way at every corner, seen along the
// normal, is convex: two triangles from its first corner cover it exactly.
// Most faces of real databases are such quads, and GLU's sweep costs many
// times this.
bool isConvexQuad(const std::vector<double>& outline, const double normal[3]) {
    if (outline.size() != 12) return false;
    for (int i = 0; i < 4; ++i) {
        const double* a = &outline[3 * i];
        const double* b = &outline[3 * ((i + 1) % 4)];
        const double* c = &outline[3 * ((i + 2) % 4)];
        const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const double v[3] = {c[0] - b[0], c[1] - b[1], c[2] - b[2]};
        const double turn = (u[1] * v[2] - u[2] * v[1]) * normal[0] + (u[2] * v[0] - u[0] * v[2]) * normal[1] +
                            (u[0] * v[1] - u[1] * v[0]) * normal[2];
        if (!(turn > 0.0)) return false;
    }
    return true;
}

}  // namespace

PolygonTessellator::PolygonTessellator() : tess_(gluNewTess()) {
    if (!tess_) return;
    gluTessProperty(tess_, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    gluTessCallback(tess_, GLU_TESS_VERTEX_DATA, reinterpret_cast<GluCallback>(&onVertex));
    gluTessCallback(tess_, GLU_TESS_COMBINE_DATA, reinterpret_cast<GluCallback>(&onCombine));
    // An edge flag callback makes GLU emit plain triangles only (no fans or strips).
    gluTessCallback(tess_, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<GluCallback>(&onEdgeFlag));
    gluTessCallback(tess_, GLU_TESS_ERROR_DATA, reinterpret_cast<GluCallback>(&onError));
}

PolygonTessellator::~PolygonTessellator() {
    if (tess_) gluDeleteTess(tess_);
}

bool PolygonTessellator::tessellate(const std::vector<double>& outline, const double normal[3],
                                    std::vector<int>& triangles, std::vector<Crossing>& crossings) {
    triangles.clear();
    crossings.clear();
    if (isConvexQuad(outline, normal)) {
        triangles = {0, 1, 2, 0, 2, 3};
        return true;
    }
    if (!tess_) return false;
    points_.clear();
    triangles_ = &triangles;
    crossings_ = &crossings;
    outlineSize_ = static_cast<int>(outline.size() / 3);
    failed_ = false;

    gluTessNormal(tess_, normal[0], normal[1], normal[2]);
    gluTessBeginPolygon(tess_, this);
    gluTessBeginContour(tess_);
    for (int i = 0; i < outlineSize_; ++i) {
        points_.push_back({{outline[3 * i], outline[3 * i + 1], outline[3 * i + 2]}, i});
        gluTessVertex(tess_, points_.back().xyz, &points_.back());
    }
    gluTessEndContour(tess_);
    gluTessEndPolygon(tess_);

    if (failed_ || triangles.size() % 3 != 0) triangles.clear();
    return !failed_;
}

void PolygonTessellator::onVertex(void* vertex, void* self) {
    auto* tessellator = static_cast<PolygonTessellator*>(self);
    tessellator->triangles_->push_back(static_cast<Point*>(vertex)->number);
}

void PolygonTessellator::onCombine(const double xyz[3], void* from[4], const float weight[4],
                                   void** out, void* self) {
    auto* tessellator = static_cast<PolygonTessellator*>(self);
    Crossing crossing;
    for (int i = 0; i < 4; ++i) {
        crossing.from[i] = from[i] ? static_cast<Point*>(from[i])->number : -1;
        crossing.weight[i] = from[i] ? weight[i] : 0.0f;
    }
    tessellator->crossings_->push_back(crossing);
    const int number = tessellator->outlineSize_ + static_cast<int>(tessellator->crossings_->size()) - 1;
    tessellator->points_.push_back({{xyz[0], xyz[1], xyz[2]}, number});
    *out = &tessellator->points_.back();
}

void PolygonTessellator::onEdgeFlag(unsigned char, void*) {}

void PolygonTessellator::onError(unsigned int, void* self) {
    static_cast<PolygonTessellator*>(self)->failed_ = true;
}
