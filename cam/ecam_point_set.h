#pragma once
// CECamPointSet: the cam model. Holds the ordered key points (a linked list,
// since edits insert and remove in the middle) and the sampled curve derived
// from them (a contiguous vector, copied out and drawn as a whole). Every
// editing operation keeps the speed rules between neighbours (a Linear point's
// speed is the slope of its segment; a Poly point after a Linear segment takes
// that segment's speed) and then rebuilds the whole curve.
//
// Ownership: the main dialog owns exactly one set; callers receive copies
// (GetPoints/GetCurve) or const views (Points/Curve) that stay valid until the
// next change. Points are addressed by master position within
// kECamMasterTolerance. The set does not sort: keeping masters strictly
// increasing is the callers' duty, and KeepsOrder/KeepsOrderOnInsert let them
// check a move or an insertion cheaply before doing it.
//
// Threads: not synchronised; one thread (the user-interface thread) at a time.
#include "cam/ecam_curve_sample.h"
#include "cam/ecam_point.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <vector>

class CECamPointSet {
public:
    CECamPointSet();
    virtual ~CECamPointSet();

    // Replaces all points with first and last.
    void Reset(const ECamPoint& first, const ECamPoint& last);
    // Inserts p before the first point with a greater master.
    void InsertPoint(const ECamPoint& p);
    // Removes the point at master m (never the first point).
    void DeletePoint(double m);
    // Moves the point at oldMaster to (newMaster, newSlave); no reordering.
    void MovePoint(double oldMaster, double newMaster, double newSlave);
    // Sets the speed of the point at m; straight neighbours stay straight.
    void SetPointSpeed(double m, double speed);
    // Sets the segment type of the point at m (kECamLinear / kECamPoly).
    void SetPointType(int32_t type, double m);
    // The same edits addressed by position (from 0) rather than master: a
    // table row names its point even where two masters lie closer than the
    // tolerance (profiles from elsewhere may hold such points). An index
    // past the end changes nothing.
    void MovePointAt(std::size_t index, double newMaster, double newSlave);
    void SetPointSpeedAt(std::size_t index, double speed);
    void SetPointTypeAt(std::size_t index, int32_t type);
    void DeletePointAt(std::size_t index);
    // Replaces all points with the list as it stands (no sorting, no checks).
    void SetPoints(const std::vector<ECamPoint>& points);
    // Re-derives every Linear speed and the Poly speed after each line.
    void RelinkLinearSpeeds();
    // Applies a master axis length: default cam on an empty set, else scales
    // every master by length / last master.
    void SetMasterLength(uint32_t length);

    // Clear the output, then copy every point / curve record into it.
    void GetPoints(std::vector<ECamPoint>& out) const;
    void GetCurve(std::vector<ECamCurveSample>& out) const;
    // Rebuilds the sampled curve from the points.
    void Recompute();

    // Cheap views and queries for callers.
    const std::list<ECamPoint>& Points() const { return m_points; }
    const std::vector<ECamCurveSample>& Curve() const { return m_curve; }
    std::size_t PointCount() const { return m_points.size(); }
    // Index of the first point within the tolerance of m, or -1.
    int FindPoint(double m) const;
    // Sampling step the curve uses for the current points.
    double SampleStep() const;
    // Counts the curve rebuilds; a caller holding a copy of the curve can
    // tell from it whether the copy is still current.
    uint64_t Revision() const { return m_revision; }

    // True when moving the point found at oldMaster to newMaster leaves it at
    // least kECamMasterTolerance away from both neighbours, in order (so it
    // stays strictly between them and can still be found by its master).
    // False when no point lies at oldMaster.
    bool KeepsOrder(double oldMaster, double newMaster) const;
    // The same for the point at position index (from 0).
    bool KeepsOrderAt(std::size_t index, double newMaster) const;
    // True when InsertPoint(master) would actually insert a point and leave
    // it at least kECamMasterTolerance away from its neighbours, in order.
    bool KeepsOrderOnInsert(double master) const;
    // True when masters strictly increase from the first point to the last.
    bool IsOrdered() const;

private:
    using Iter = std::list<ECamPoint>::iterator;
    Iter Find(double m);
    Iter At(std::size_t index);
    bool KeepsOrderAt(std::list<ECamPoint>::const_iterator it, double newMaster) const;
    void MoveAt(Iter it, double newMaster, double newSlave);
    void DeleteAt(Iter it);
    void SpeedAt(Iter it, double speed);
    void TypeAt(Iter it, int32_t type);

    std::list<ECamPoint> m_points;
    std::vector<ECamCurveSample> m_curve;
    uint64_t m_revision = 0;
};
