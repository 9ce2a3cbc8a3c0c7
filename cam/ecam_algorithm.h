#pragma once
// CECamAlgorithm: computes the sampled curve of one cam segment between two
// key points. The segment's shape is the start point's type: a quintic blend
// (Poly) that meets both points with their stored speeds and zero
// acceleration at both ends, or a straight line (any other type). The object
// holds copies of the two points; it is meant to be built on the stack for
// one segment, used once and dropped. Pure arithmetic: any thread may use its
// own instance.
#include "cam/ecam_curve_sample.h"
#include "cam/ecam_point.h"

#include <vector>

class CECamAlgorithm {
public:
    CECamAlgorithm(const ECamPoint& start, const ECamPoint& end);
    virtual ~CECamAlgorithm();

    // Clears samples, then fills it with the start record, the interior
    // samples (master spacing step, step >= 1) and the end record.
    void ComputeSegment(std::vector<ECamCurveSample>& samples, double step) const;

    // Appends the same records to out without clearing it; withEnd false
    // leaves out the end record (the point set joins segments that way).
    void AppendSegment(std::vector<ECamCurveSample>& out, double step, bool withEnd) const;

private:
    ECamPoint m_start;
    ECamPoint m_end;
};
