#pragma once
// Cam design from motion laws: a profile given as segments ("cycloidal rise
// to master 1200, slave 100; dwell to 1800; ...") starting at master 0,
// slave 0, turned into key points for the drive, whose only shapes are the
// quintic blend with zero end accelerations and the straight line
// (CECamAlgorithm). Every key point lies on the law with the law's speed
// (rounded to the six decimals a profile file keeps); the fit places as few
// as it can so that the curve the cam model computes between them stays
// within the position tolerance everywhere. Segments the drive draws exactly
// (dwell, linear, poly345, poly5) get no interior point.
//
// Units: positions in the user's units; speed d(slave)/d(master); the
// acceleration of DesignSample is d(speed)/dt over the fraction t of the law
// segment, so law and fit compare on one scale.
//
// Pure arithmetic, no shared state; any thread.
#include "cam/ecam_point.h"
#include "cam/motion_law.h"

#include <string>
#include <string_view>
#include <vector>

struct DesignSegment {
    MotionLaw law = MotionLaw::Dwell;
    double endMaster = 0.0;
    double endSlave = 0.0;
};

inline constexpr double kDesignDefaultTolerance = 0.01;
// A profile file keeps six decimals: a finer tolerance could not be told.
inline constexpr double kDesignFinestTolerance = 0.000001;
inline constexpr int kDesignDefaultMaxPoints = 272;  // the drive's standard table
// The master length of a profile: a whole number in this range.
inline constexpr double kDesignMinMasterLength = 10.0;
inline constexpr double kDesignMaxMasterLength = 1000000.0;

struct DesignOptions {
    double tolerance = kDesignDefaultTolerance;  // largest position deviation
    int maxPoints = kDesignDefaultMaxPoints;     // key points in all
};

enum class DesignErrorKind {
    None,
    NoSegments,
    BadSegmentText,       // not LAW:END_MASTER:END_SLAVE
    UnknownLaw,
    MastersNotIncreasing,
    MovingDwell,
    SpeedJump,            // at the junction after `segment`
    BadMasterLength,
    BadTolerance,
    ToleranceTooFine,     // below kDesignFinestTolerance
    BadPointLimit,
    ToleranceUnreachable, // bestTolerance holds what maxPoints allows (0: none)
};

struct DesignError {
    DesignErrorKind kind = DesignErrorKind::None;
    int segment = -1;      // 0-based segment the error names
    double master = 0.0;   // junction or segment start master
    double before = 0.0;   // speed before the junction / dwell start slave
    double after = 0.0;    // speed after the junction / dwell end slave
    double bestTolerance = 0.0;
    std::string text;      // English sentence for the command line
};

struct SegmentReport {
    int firstPoint = 0;      // index of the segment's start point
    int keyPoints = 0;       // points from its start to its end, both counted
    double maxPositionDeviation = 0.0;
    double maxSpeedDeviation = 0.0;
    double peakSpeed = 0.0;  // largest |speed| of the law over the segment
};

struct CamDesign {
    std::vector<ECamPoint> points;
    std::vector<SegmentReport> segments;
};

// A rise of 100 by a cycloidal law over the first third of masterLength, a
// dwell to the half, a modified-sine return to five sixths and a dwell to
// the end (masters rounded to whole numbers): where a new design starts.
std::vector<DesignSegment> RiseDwellReturnDwell(double masterLength);

// "LAW:END_MASTER:END_SLAVE" with whole-field numbers.
bool ParseDesignSegment(std::string_view text, DesignSegment& segment, DesignError& error);

// Checks the profile, fits it and reports each segment. False with `error`
// filled; `design` is then left as it was.
bool DesignCam(const std::vector<DesignSegment>& segments, const DesignOptions& options, CamDesign& design,
               DesignError& error);

struct DesignSample {
    double master = 0.0;
    double lawPosition = 0.0, lawSpeed = 0.0, lawAccel = 0.0;
    double fitPosition = 0.0, fitSpeed = 0.0, fitAccel = 0.0;
};

// Law and fitted curve side by side, `perInterval` samples between key
// points (plus the key points). `design` must come from DesignCam on the
// same segments.
void SampleDesign(const std::vector<DesignSegment>& segments, const CamDesign& design, int perInterval,
                  std::vector<DesignSample>& out);
