#pragma once
// Motion laws an engineer lays a cam out with ("rise 100 in 120 degrees with
// a cycloidal law"), as normalised strokes: s(t) for t = 0..1 across the
// segment, with its derivatives v = ds/dt and a = d2s/dt2. The rest-to-rest
// laws run from s = 0, v = 0 to s = 1, v = 0; `linear` runs at v = 1;
// `dwell` stays at 0. `poly5` has no normalised shape of its own (its end
// speeds come from its neighbours) and is evaluated by the cam design.
//
// Pure arithmetic; any thread.
#include <optional>
#include <string_view>

enum class MotionLaw {
    Dwell,
    Harmonic,
    Cycloidal,
    ModifiedSine,
    ModifiedTrapezoid,
    Poly345,
    Poly4567,
    Linear,
    Poly5,
};

struct LawShape {
    double s = 0.0;  // normalised stroke
    double v = 0.0;  // ds/dt
    double a = 0.0;  // d2s/dt2
};

inline constexpr MotionLaw kAllMotionLaws[] = {
    MotionLaw::Dwell,   MotionLaw::Harmonic, MotionLaw::Cycloidal, MotionLaw::ModifiedSine,
    MotionLaw::ModifiedTrapezoid, MotionLaw::Poly345, MotionLaw::Poly4567, MotionLaw::Linear,
    MotionLaw::Poly5,
};

// The name used on command lines and in tables ("modified-sine").
const char* MotionLawName(MotionLaw law);
std::optional<MotionLaw> ParseMotionLaw(std::string_view name);
// All names, comma separated, for messages.
const char* MotionLawNameList();

// The normalised shape at t (clamped to 0..1). Poly5 answers as Poly345, the
// shape it takes between two rests.
LawShape EvaluateLaw(MotionLaw law, double t);

// True for laws that start and end at rest (all but linear).
bool StartsAndEndsAtRest(MotionLaw law);
