// Small hand-made computation grids for the capacity tests: a run store with
// a pile, options and a column of equal soil segments filled directly.
#pragma once

#include <memory>

#include "engine/run_store.h"

namespace tovek::test {

class CapacityGrid {
public:
    // n segments of `thickness` (lengthIncrement = verticalIncrement =
    // thickness), English units, no soil properties yet; every
    // maxUnitFriction and maxUnitBearing holds the "no limit" marker.
    explicit CapacityGrid(int n, double thickness = 1.0, int unitSystem = 1) : store_(std::make_unique<RunStore>()) {
        RunStore& s = *store_;
        s.problem.unitSystem = unitSystem;
        s.problem.options.lengthIncrement = thickness;
        s.problem.options.tensionReductionFactor = 1.0;
        s.grid.segmentCount = n;
        s.grid.verticalIncrement = thickness;
        for (int i = 1; i <= n; ++i) {
            SoilSegment& g = segment(i);
            g.segmentTop = (i - 1) * thickness;
            g.segmentBottom = i * thickness;
            g.maxUnitFriction = kNoLayerLimit;
            g.maxUnitBearing = kNoLayerLimit;
        }
        measureSegments(s.grid);
    }

    RunStore& store() { return *store_; }
    // The store, for a test that goes on with it alone.
    std::unique_ptr<RunStore> take() { return std::move(store_); }
    ProblemData& problem() { return store_->problem; }
    PileSection& pile() { return store_->problem.pile; }
    AnalysisOptions& options() { return store_->problem.options; }
    SoilSegment& segment(int i) { return store_->grid.segments[static_cast<size_t>(i)]; }
    double& stress(int k) { return store_->grid.boundaryStress[static_cast<size_t>(k)]; }

    // Sets the stresses at the top and bottom of segment i.
    void stresses(int i, double top, double bottom) {
        stress(2 * i - 1) = top;
        stress(2 * i) = bottom;
    }

    // Open-ended pipe without an enhanced end section, as the reader leaves
    // it: the end section covers the whole pile with the inside diameter.
    void openPipe(double outside, double inside, double embedded) {
        PileSection& p = pile();
        p.pileType = 1;
        p.tipClosure = 0;
        p.outsideDiameter = outside;
        p.insideDiameter = inside;
        p.enhancedEndInsideDiameter = inside;
        p.totalLength = embedded;
        p.embeddedLength = embedded;
        p.enhancedEndLength = embedded - 1e-7;
    }

    void closedPile(double outside, double embedded) {
        openPipe(outside, 0.0, embedded);
        pile().tipClosure = 1;
    }

    void nodes(int m) { store_->grid.nodeCount = m; }

    const UnitTransferProfile& transfer(int code) { return store_->method(code).transfer; }
    const CapacityProfile& capacity(int code) { return store_->method(code).capacity; }
    double endBearingAt(int code, int k) { return transfer(code).unitEndBearing[static_cast<size_t>(k)]; }

private:
    std::unique_ptr<RunStore> store_;
};

}  // namespace tovek::test
